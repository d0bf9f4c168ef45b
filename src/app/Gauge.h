#pragma once
// The usage gauge as data: a strip of 100 gradient segments from green through yellow to red, a
// black two-line marker at the used-up share and a black frame. The widget fills the rectangles
// in order and knows nothing else.

#include <vector>

#include "base/Rect.h"

namespace pw {

struct GaugeColour {
  int red = 0, green = 0, blue = 0;
  bool operator==(const GaugeColour&) const = default;
};

struct GaugeFill {
  Rect rect;
  GaugeColour colour;
};

inline constexpr int kGaugeSegments = 100;
// Each marker line is a pen two pixels wide, centred on its x: it covers x - 1 and x.
inline constexpr int kMarkerPenWidth = 2;
inline constexpr GaugeColour kGaugeBlack{0, 0, 0};

// Segment i (0..99).
GaugeColour segmentColour(int i);
// x range of segment i within the strip, right edge exclusive; narrow strips give empty segments.
Rect segmentRect(const Rect& strip, int i);
// The marker's main line; the second stands two pixels to its left.
int markerX(const Rect& strip, int share);

// Everything the strip shows at a share (0 to 100), in painting order: the 100 segments, the two
// marker lines (x, then x - 2; each from top to bottom - 1), then the four edges of the 1-pixel
// frame (top, bottom, left, right). Rectangles may reach outside the strip; the painter clips.
std::vector<GaugeFill> gaugeLayout(const Rect& strip, int share);

}  // namespace pw
