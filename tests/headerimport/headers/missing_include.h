#pragma once

#include "absent/widget_base.h"

struct Panel {
  Widget* owner = nullptr;
  int count = 2;
  Gadget gadget;
  Layout layout{3};
  void show();
};

enum class Side { Left, Right = 4 };
