#include "app/Gauge.h"

#include <gtest/gtest.h>

#include <tuple>

namespace pw {
namespace {

TEST(GaugeTest, GradientRunsFromGreenThroughYellowToRed) {
  const std::pair<int, GaugeColour> cases[] = {
      {0, {0, 255, 0}},    {25, {127, 255, 0}}, {50, {254, 255, 0}},
      {51, {255, 251, 0}}, {75, {255, 129, 0}}, {99, {255, 7, 0}},
  };
  for (const auto& [i, colour] : cases)
    EXPECT_EQ(segmentColour(i), colour) << i;
}

TEST(GaugeTest, SegmentEdgesSpreadTheRemainderOverTheStrip) {
  const Rect wide{13, 85, 13 + 218, 91}, exact{0, 0, 100, 6};
  // strip, segment, left and right edge: 218 * i / 100 gives segments of 2 and 3 pixels
  const std::tuple<Rect, int, int, int> cases[] = {{wide, 0, 13, 15},    {wide, 2, 17, 19},
                                                   {wide, 4, 21, 23},    {wide, 49, 119, 122},
                                                   {wide, 99, 228, 231}, {exact, 37, 37, 38}};
  for (const auto& [strip, i, left, right] : cases)
    EXPECT_EQ(segmentRect(strip, i), (Rect{left, strip.top, right, strip.bottom})) << i;
}

TEST(GaugeTest, MarkerAndFrameFollowTheSegments) {
  const Rect strip{10, 0, 228, 6};
  // share, marker x: 218 * share / 100
  for (const auto& [share, x] : {std::pair{0, 10}, {4, 18}, {50, 119}, {100, 228}}) {
    SCOPED_TRACE(share);
    EXPECT_EQ(markerX(strip, share), x);
    const std::vector<GaugeFill> fills = gaugeLayout(strip, share);
    ASSERT_EQ(fills.size(), 106u);  // the segments first
    // Two 2-pixel marker lines, at x and x - 2, from the top down to the row above the bottom
    // edge; then the frame (top, bottom, left, right), last so that it is never covered.
    const Rect black[] = {{x - 1, 0, x + 1, 5}, {x - 3, 0, x - 1, 5}, {10, 0, 228, 1},
                          {10, 5, 228, 6},      {10, 0, 11, 6},       {227, 0, 228, 6}};
    for (int k = 0; k < 6; ++k) {
      EXPECT_EQ(fills[kGaugeSegments + k].rect, black[k]) << k;
      EXPECT_EQ(fills[kGaugeSegments + k].colour, kGaugeBlack) << k;
    }
  }
}

}  // namespace
}  // namespace pw
