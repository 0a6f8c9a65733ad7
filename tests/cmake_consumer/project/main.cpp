#include <iostream>

#include "Shape.h"
#include "legacy.zandrel.h"

int main() {
  const Shape shape;
  std::cout << to_string(shape.get_color()) << ' ' << shape.get_sides() << '\n';
  for (const Color color : Color_values) std::cout << to_string(color) << '\n';
  std::cout << to_string(legacy::Mode::Standby) << '\n';
  return shape == Shape() ? 0 : 1;
}
