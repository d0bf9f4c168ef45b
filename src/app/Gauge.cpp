#include "app/Gauge.h"

namespace pw {

GaugeColour segmentColour(int i) {
  // The product is taken in double and truncated: 50 * 5.1 gives 254, not 255.
  const int k = static_cast<int>(i * 5.1);
  if (i <= 50)
    return {k % 256, 255, 0};
  const int green = ((255 - k) % 256 + 256) % 256;
  return {255, green, 0};
}

Rect segmentRect(const Rect& strip, int i) {
  const int w = strip.width();
  return {strip.left + i * w / kGaugeSegments, strip.top, strip.left + (i + 1) * w / kGaugeSegments,
          strip.bottom};
}

int markerX(const Rect& strip, int share) {
  return strip.left + strip.width() * share / 100;
}

std::vector<GaugeFill> gaugeLayout(const Rect& strip, int share) {
  std::vector<GaugeFill> fills;
  fills.reserve(kGaugeSegments + 6);
  for (int i = 0; i < kGaugeSegments; ++i)
    fills.push_back({segmentRect(strip, i), segmentColour(i)});

  const int x = markerX(strip, share);
  for (const int lineX : {x, x - 2}) {
    fills.push_back(
        {{lineX - kMarkerPenWidth / 2, strip.top, lineX + kMarkerPenWidth / 2, strip.bottom - 1},
         kGaugeBlack});
  }

  const Rect& s = strip;
  fills.push_back({{s.left, s.top, s.right, s.top + 1}, kGaugeBlack});
  fills.push_back({{s.left, s.bottom - 1, s.right, s.bottom}, kGaugeBlack});
  fills.push_back({{s.left, s.top, s.left + 1, s.bottom}, kGaugeBlack});
  fills.push_back({{s.right - 1, s.top, s.right, s.bottom}, kGaugeBlack});
  return fills;
}

}  // namespace pw
