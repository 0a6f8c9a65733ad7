#pragma once

// The whole enumeration generator: the list, its texts, both styles' files and the composition.
#include "enumgen/enumeration_class_writer.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_output.h"
#include "enumgen/enumeration_texts.h"
#include "enumgen/plain_enumeration_writer.h"
