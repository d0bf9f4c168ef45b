#pragma once
// A pixel rectangle for the layout rules that are kept free of the widget toolkit.

namespace pw {

// Right and bottom are exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

}  // namespace pw
