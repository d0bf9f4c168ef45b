#include "app/Gauge.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(GaugeTest, GradientRunsFromGreenThroughYellowToRed) {
  const std::pair<int, GaugeColour> cases[] = {
      {0, {0, 255, 0}},    {25, {127, 255, 0}}, {50, {254, 255, 0}},
      {51, {255, 251, 0}}, {75, {255, 129, 0}}, {99, {255, 7, 0}},
  };
  for (const auto& [i, colour] : cases) {
    SCOPED_TRACE(i);
    EXPECT_EQ(SegmentColour(i), colour);
  }
}

TEST(GaugeTest, SegmentEdges) {
  const GaugeRect wide{13, 85, 13 + 218, 91};
  EXPECT_EQ(SegmentRect(wide, 0), (GaugeRect{13, 85, 15, 91}));     // 218 / 100 = 2
  EXPECT_EQ(SegmentRect(wide, 1), (GaugeRect{15, 85, 17, 91}));     // 436 / 100 = 4
  EXPECT_EQ(SegmentRect(wide, 2), (GaugeRect{17, 85, 19, 91}));     // 654 / 100 = 6
  EXPECT_EQ(SegmentRect(wide, 4), (GaugeRect{21, 85, 23, 91}));     // 872 -> 8, 1090 -> 10
  EXPECT_EQ(SegmentRect(wide, 49), (GaugeRect{119, 85, 122, 91}));  // 10682 -> 106, 10900 -> 109
  EXPECT_EQ(SegmentRect(wide, 99), (GaugeRect{228, 85, 231, 91}));  // 21582 -> 215
  const GaugeRect exact{0, 0, 100, 6};
  for (const int i : {0, 37, 99})
    EXPECT_EQ(SegmentRect(exact, i), (GaugeRect{i, 0, i + 1, 6}));
}

TEST(GaugeTest, MarkerAndFrameFollowTheSegments) {
  const GaugeRect strip{10, 0, 228, 6};
  struct Case {
    int share, x;
  } cases[] = {{0, 10}, {4, 18}, {50, 119}, {100, 228}};  // 218 * 4 / 100 = 8
  for (const Case& c : cases) {
    SCOPED_TRACE(c.share);
    EXPECT_EQ(MarkerX(strip, c.share), c.x);
    const std::vector<GaugeFill> fills = GaugeLayout(strip, c.share);
    ASSERT_EQ(fills.size(), 106u);
    for (int i = 0; i < kGaugeSegments; ++i) {
      EXPECT_EQ(fills[i].rect, SegmentRect(strip, i));
      EXPECT_EQ(fills[i].colour, SegmentColour(i));
    }
    // Two 2-pixel lines, at x and x - 2, from the top down to the row above the bottom edge.
    EXPECT_EQ(fills[100].rect, (GaugeRect{c.x - 1, 0, c.x + 1, 5}));
    EXPECT_EQ(fills[101].rect, (GaugeRect{c.x - 3, 0, c.x - 1, 5}));
    for (std::size_t i = 100; i < fills.size(); ++i)
      EXPECT_EQ(fills[i].colour, kGaugeBlack);
  }
  // The frame comes last so it is never covered.
  const std::vector<GaugeFill> fills = GaugeLayout(strip, 0);
  EXPECT_EQ(fills[102].rect, (GaugeRect{10, 0, 228, 1}));
  EXPECT_EQ(fills[103].rect, (GaugeRect{10, 5, 228, 6}));
  EXPECT_EQ(fills[104].rect, (GaugeRect{10, 0, 11, 6}));
  EXPECT_EQ(fills[105].rect, (GaugeRect{227, 0, 228, 6}));
}

}  // namespace
}  // namespace pw
