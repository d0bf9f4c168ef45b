#pragma once
// When the cartridge will run out at the pace the log shows, and how much was printed in each of
// the last twelve months. The log is emptied at a cartridge change, so its records are this
// cartridge's. Pages are weighted as the used-up share weighs them (best 4/3, economic 2/3).

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/Gauge.h"
#include "log/Records.h"

namespace pw {

struct CivilDate {
  int year = 1970, month = 1, day = 1;
  auto operator<=>(const CivilDate&) const = default;
};

// Days since 1 January 1970 (proleptic Gregorian calendar), and back.
std::int64_t dayNumber(const CivilDate& date);
CivilDate dateOfDay(std::int64_t day);

// Today's date, and a record's date text read back: the user's locale writes new records, and a
// date may have been typed by hand in another form.
class IDateReader {
 public:
  virtual ~IDateReader() = default;
  virtual CivilDate today() = 0;
  // Nothing when the text is not a date.
  virtual std::optional<CivilDate> readDate(const std::string& text) = 0;
};

// The log as the forecast sees it: each record's day and weighted pages, in any order.
struct UseHistory {
  struct Entry {
    std::int64_t day = 0;
    double pages = 0;
  };
  std::vector<Entry> entries;
  int undated = 0;  // records whose date could not be read; left out of everything below

  void add(const PrintRecord& record, IDateReader& dates);
};

// The weighted pages still left in the cartridge, from the log's page sums as the share counts
// them (integer divisions included, so that the forecast and the gauge agree on "empty").
std::int64_t pagesLeft(std::int32_t best, std::int32_t normal, std::int32_t economic,
                       std::int32_t maxPages);

struct Forecast {
  enum class Kind {
    Nothing,         // no maximum known: nothing to forecast
    UsedUp,          // the share is at 100 %
    TooLittle,       // under a week of history or under three dated records
    NoRecentPrints,  // no pages in the period the pace is taken over
    RunsOut,
  };
  Kind kind = Kind::Nothing;
  double pagesPerDay = 0;
  CivilDate runsOut;
  int undated = 0;
};

inline constexpr int kPaceDays = 90;
inline constexpr int kMinHistoryDays = 7;
inline constexpr int kMinRecords = 3;

// The pace is the weighted pages per day over the last 90 days up to today, or since the oldest
// record when the log is younger.
Forecast makeForecast(const UseHistory& history, std::int64_t today, std::int64_t pagesLeft,
                      std::int32_t maxPages);

// The status window's sentence (empty for Kind::Nothing without undated records).
std::string forecastSentence(const Forecast& forecast);

struct MonthUse {
  int year = 0, month = 0;
  double pages = 0;
  GaugeColour colour;  // the gauge's colour at the share of the cartridge this month used
  std::string label;   // the month's Czech short name
};

inline constexpr int kChartMonths = 12;

// The weighted pages of each calendar month, the current one last.
std::vector<MonthUse> monthlyUse(const UseHistory& history, const CivilDate& today,
                                 std::int32_t maxPages);

}  // namespace pw
