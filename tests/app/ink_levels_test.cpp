#include "app/InkLevels.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(InkLevels, ListsOfAnyLengthGiveOneMarkerPerName) {
  // The printer's lists disagree in length: nothing is read past an end, missing values are
  // unknown, levels above 100 are full.
  const auto markers =
      parseMarkers({"Black", "Cyan", ""}, {"#000000"}, {80, 130, 5, 9}, {10, 10, 10}, {});
  ASSERT_EQ(markers.size(), 3u);
  EXPECT_EQ(markers[1].level, 100);
  EXPECT_EQ(markers[1].colour, "none");
  EXPECT_EQ(markers[2].name, "Inkoust 3");
  EXPECT_TRUE(parseMarkers({}, {}, {}, {}, {}).empty());
  EXPECT_EQ(parseMarkers({}, {}, {40, 50}, {}, {}).size(), 2u);

  const auto rows =
      inkRows(parseMarkers({"Black", "Tri", "Magenta"}, {"#1A1a1A", "#00FFFF#FF00FF#FFFF00", "bad"},
                           {8, -3, -2}, {10, 10}, {}));
  EXPECT_EQ(rows[0].levelText, "8 %");
  EXPECT_TRUE(rows[0].low);
  EXPECT_EQ(rows[1].levelText, "neznámá");
  EXPECT_FALSE(rows[1].percent);
}

TEST(InkLevels, TheEstimateIsComparedWithTheCartridgesColour) {
  const auto markers =
      parseMarkers({"Black", "Cyan", "Magenta", "Yellow"},
                   {"#000000", "#00FFFF", "#FF00FF", "#FFFF00"}, {70, 45, -1, 20}, {}, {});
  EXPECT_EQ(compareWithEstimate(markers, "HP 305 černá", 40),
            "Podle vytištěných stran zbývá 60 %, tiskárna hlásí 70 % (Black): rozdíl 10 %.");
  EXPECT_EQ(compareWithEstimate(markers, "HP 305 barevná", 0),
            "Podle vytištěných stran zbývá 100 %, tiskárna hlásí 20 % (Yellow): rozdíl 80 %.");
  // A name that tells no colour: the lowest level of all.
  EXPECT_EQ(compareWithEstimate(markers, "Canon PG-540", 150),
            "Podle vytištěných stran zbývá 0 %, tiskárna hlásí 20 % (Yellow): rozdíl 20 %.");
  EXPECT_EQ(compareWithEstimate(parseMarkers({"Black"}, {}, {-2}, {}, {}), "HP 305 černá", 10), "");
}

}  // namespace
}  // namespace pw
