#pragma once

#include <string>

#include "classgen/class_description.h"
#include "core/text_pieces.h"

namespace zandrel {

// Texts that more than one class writer emits identically.

// The enumeration texts handed over so far, newest first, each followed by a line feed: the
// writer's text so far becomes a piece, each insertion a shared piece, and the writer goes on in
// text. Nothing happens when there are none.
void AddInsertionLines(TextPieces& pieces, std::string& text, const ClassDescription& description);

// The comparison operators for the level: < and == declared, the others with inline bodies.
std::string ComparisonBlock(ComparisonLevel level, const std::string& X);

// The declaration of the string conversion method the user implements, nothing when off.
std::string ToStringStub(const GenerationOptions& options);

// One copy statement per data member, as the copy constructor and assignment operator use them.
std::string CopyStatements(const ClassDescription& description);

}  // namespace zandrel
