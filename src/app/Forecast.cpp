#include "app/Forecast.h"

#include <algorithm>
#include <cmath>

#include "log/Reading.h"
#include "res/Strings.h"

namespace pw {

// Howard Hinnant's days-from-civil and civil-from-days: exact for every Gregorian date, leap
// days included, without a table of month lengths.
std::int64_t dayNumber(const CivilDate& date) {
  const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (date.month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate dateOfDay(std::int64_t day) {
  const std::int64_t z = day + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const auto d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const auto m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const auto y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  return {y, m, d};
}

void UseHistory::add(const PrintRecord& record, IDateReader& dates) {
  const std::optional<CivilDate> date = dates.readDate(record.date);
  if (!date) {
    ++undated;
    return;
  }
  const double pages = atoiLike(record.best) * 4.0 / 3.0 + atoiLike(record.normal) +
                       atoiLike(record.economic) * 2.0 / 3.0;
  entries.push_back({dayNumber(*date), pages});
}

std::int64_t pagesLeft(std::int32_t best, std::int32_t normal, std::int32_t economic,
                       std::int32_t maxPages) {
  const std::int64_t used = std::int64_t{best} * 4 / 3 + normal + std::int64_t{economic} * 2 / 3;
  return std::int64_t{maxPages} - used;
}

Forecast makeForecast(const UseHistory& history, std::int64_t today, std::int64_t pagesLeft,
                      std::int32_t maxPages) {
  Forecast f;
  f.undated = history.undated;
  if (maxPages <= 0)
    return f;
  if (pagesLeft <= 0) {
    f.kind = Forecast::Kind::UsedUp;
    return f;
  }
  f.kind = Forecast::Kind::TooLittle;
  if (history.entries.size() < static_cast<std::size_t>(kMinRecords))
    return f;
  std::int64_t oldest = today;
  for (const UseHistory::Entry& e : history.entries)
    oldest = std::min(oldest, e.day);
  if (today - oldest < kMinHistoryDays)
    return f;

  const std::int64_t from = std::max(oldest, today - (kPaceDays - 1));
  double pages = 0;
  for (const UseHistory::Entry& e : history.entries)
    if (e.day >= from && e.day <= today)  // a date typed in the future is no pace yet
      pages += e.pages;
  if (pages <= 0) {
    f.kind = Forecast::Kind::NoRecentPrints;
    return f;
  }
  f.kind = Forecast::Kind::RunsOut;
  f.pagesPerDay = pages / static_cast<double>(today - from + 1);
  // A pace of a page a year still gives a date; a cap keeps it a date the calendar can hold.
  constexpr double kMaxDays = 365.0 * 1000;
  // The pages left are whole, the pace a fraction: without the tolerance a quotient that should
  // be whole (14 days) could come out a hair above it and gain a day.
  const double days =
      std::min(std::ceil(static_cast<double>(pagesLeft) / f.pagesPerDay - 1e-9), kMaxDays);
  f.runsOut = dateOfDay(today + static_cast<std::int64_t>(days));
  return f;
}

namespace {

std::string pace(double pagesPerDay) {
  const long weekly = std::lround(pagesPerDay * 7);
  const int n = static_cast<int>(std::min(weekly, 1000000L));
  if (n < 1)
    return loadStr(ids::kPaceUnderOne);
  if (n == 1)
    return formatStr(ids::kPaceOne, n);
  if (n <= 4)
    return formatStr(ids::kPaceFew, n);
  return formatStr(ids::kPaceMany, n);
}

}  // namespace

std::string forecastSentence(const Forecast& f) {
  std::string sentence;
  switch (f.kind) {
    case Forecast::Kind::Nothing:
      break;
    case Forecast::Kind::UsedUp:
      sentence = loadStr(ids::kForecastUsedUp);
      break;
    case Forecast::Kind::TooLittle:
      sentence = loadStr(ids::kForecastTooLittle);
      break;
    case Forecast::Kind::NoRecentPrints:
      sentence = loadStr(ids::kForecastNoRecent);
      break;
    case Forecast::Kind::RunsOut:
      sentence = formatStr(ids::kForecastDate, pace(f.pagesPerDay).c_str(), f.runsOut.day,
                           f.runsOut.month, f.runsOut.year);
      break;
  }
  if (f.undated > 0 && f.kind != Forecast::Kind::Nothing)
    sentence += " " + formatStr(ids::kForecastUndated, f.undated);
  return sentence;
}

std::vector<MonthUse> monthlyUse(const UseHistory& history, const CivilDate& today,
                                 std::int32_t maxPages) {
  // Months counted from year 0, so that the twelve months are one range of numbers.
  const auto index = [](int year, int month) { return std::int64_t{year} * 12 + (month - 1); };
  const std::int64_t last = index(today.year, today.month);
  const std::int64_t first = last - (kChartMonths - 1);
  std::vector<MonthUse> months(kChartMonths);
  for (int i = 0; i < kChartMonths; ++i) {
    const std::int64_t m = first + i;
    months[static_cast<std::size_t>(i)].year = static_cast<int>(m / 12);
    months[static_cast<std::size_t>(i)].month = static_cast<int>(m % 12) + 1;
  }
  for (const UseHistory::Entry& e : history.entries) {
    const CivilDate d = dateOfDay(e.day);
    const std::int64_t m = index(d.year, d.month);
    if (m >= first && m <= last)
      months[static_cast<std::size_t>(m - first)].pages += e.pages;
  }
  for (MonthUse& m : months) {
    m.label = loadStr(ids::kMonthJanuary + m.month - 1);
    const double share = maxPages > 0 ? m.pages * 100 / maxPages : 0;
    m.colour = segmentColour(static_cast<int>(std::clamp(share, 0.0, 99.0)));
  }
  return months;
}

}  // namespace pw
