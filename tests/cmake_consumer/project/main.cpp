#include <iostream>

#include "Shape.h"

int main() {
  const Shape shape;
  std::cout << to_string(shape.get_color()) << ' ' << shape.get_sides() << '\n';
  for (const Color color : Color_values) std::cout << to_string(color) << '\n';
  return shape == Shape() ? 0 : 1;
}
