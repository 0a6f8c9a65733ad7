#pragma once

namespace config {

struct Window {
  int width = 640;
  int height{480};
  double scale = 1.0 / 3;
  const char* title = "untitled";
  bool resizable = true, framed{false};
  unsigned long long flags = 0x10ULL;
  char border[4] = "abc";
  struct Margin {
    int left = 1;
    int right = -1;
  } margin;
  int area() const { return width * height; }
};

}  // namespace config
