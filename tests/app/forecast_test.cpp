#include "app/Forecast.h"

#include <gtest/gtest.h>

#include "res/Strings.h"
#include "support/Fakes.h"

namespace pw {
namespace {

using test::FakeDates;

std::int64_t day(int year, int month, int day) {
  return dayNumber({year, month, day});
}

UseHistory history(std::vector<UseHistory::Entry> entries, int undated = 0) {
  return UseHistory{std::move(entries), undated};
}

TEST(Forecast, TheSentenceForEachState) {
  const std::int64_t today = day(2026, 12, 7);
  const std::int64_t start = today - 29;  // thirty days of history, today included
  // 60 weighted pages in 30 days: 2 a day, 14 a week; 116 left last 58 days.
  const UseHistory regular = history({{start, 20}, {start + 10, 20}, {today, 20}});
  const struct {
    const char* what;
    UseHistory history;
    std::int64_t left;
    std::int32_t maximum;
    std::string expected;
  } cases[] = {
      {"pace and date", regular, 116, 500,
       "Při dosavadním tempu (asi 14 stran týdně) dojde náplň kolem 3. 2. 2027."},
      {"records out of order", history({{today, 20}, {start, 20}, {start + 10, 20}}), 116, 500,
       "Při dosavadním tempu (asi 14 stran týdně) dojde náplň kolem 3. 2. 2027."},
      {"undated records noted", history(regular.entries, 2), 116, 500,
       "Při dosavadním tempu (asi 14 stran týdně) dojde náplň kolem 3. 2. 2027. Záznamy s "
       "nečitelným datem nebyly započteny: 2."},
      {"only the last 90 days set the pace",
       history({{today - 400, 5000}, {today - 89, 90}, {today - 45, 90}, {today, 0}}), 60, 500,
       "Při dosavadním tempu (asi 14 stran týdně) dojde náplň kolem 6. 1. 2027."},
      {"one page a week", history({{today - 13, 1}, {today - 6, 1}, {today, 0}}), 2, 500,
       "Při dosavadním tempu (asi 1 stranu týdně) dojde náplň kolem 21. 12. 2026."},
      {"three pages a week", history({{today - 7, 1}, {today - 3, 1}, {today, 1}}), 1, 500,
       "Při dosavadním tempu (asi 3 strany týdně) dojde náplň kolem 10. 12. 2026."},
      {"under a page a week", history({{today - 89, 1}, {today - 50, 0}, {today, 0}}), 1, 500,
       "Při dosavadním tempu (méně než 1 stranu týdně) dojde náplň kolem 7. 3. 2027."},
      {"no print in 90 days", history({{today - 200, 9}, {today - 150, 9}, {today - 100, 9}}), 9,
       500, loadStr(ids::kForecastNoRecent)},
      {"six days of history", history({{today - 6, 5}, {today - 2, 5}, {today, 5}}), 9, 500,
       loadStr(ids::kForecastTooLittle)},
      {"used up", regular, 0, 500, loadStr(ids::kForecastUsedUp)},
      {"no maximum", history(regular.entries, 3), 116, 0, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(forecastSentence(makeForecast(c.history, today, c.left, c.maximum)), c.expected)
        << c.what;
}

TEST(MonthlyUse, TwelveCalendarMonthsEndingWithTheCurrentOneUnreadableDatesCounted) {
  FakeDates dates;
  UseHistory history;
  for (const char* date :
       {"29.2.2024", "1.2.2024", "1.4.2023", "31.3.2023", "15.3.2024", "Vánoce", ""})
    history.add({date, "", "0", "10", "0", "", ""}, dates);
  history.add({"1.1.2024", "", "3", "0", "0", "", ""}, dates);  // weighed as the share weighs it
  EXPECT_EQ(history.undated, 2);
  const std::vector<MonthUse> months = monthlyUse(history, {2024, 3, 20}, 40);

  std::vector<double> pages;
  std::string labels;
  for (const MonthUse& m : months) {
    pages.push_back(m.pages);
    labels += m.label + " ";
  }
  EXPECT_EQ(labels, "dub kvě čvn čvc srp zář říj lis pro led úno bře ");
  // 31 March 2023 is thirteen months back and left out.
  EXPECT_EQ(pages, (std::vector<double>{10, 0, 0, 0, 0, 0, 0, 0, 0, 4, 20, 10}));
  // Coloured as the gauge at the share of the cartridge that month used: 20 of 40 pages is 50 %.
  EXPECT_EQ(months[10].colour, segmentColour(50));
  EXPECT_EQ(months[1].colour, segmentColour(0));
}

}  // namespace
}  // namespace pw
