#pragma once
// The usage arithmetic: the page sums of the print log and the used-up share of the cartridge.

#include <cstdint>
#include <optional>

#include "log/Records.h"

namespace pw {

// The used-up share in whole percent: ((4*best)/3 + normal + (2*economic)/3) * 100 / maxPages in
// wrapping signed 32-bit arithmetic, truncating; 0 when maxPages is 0; capped at 100.
int usageShare(std::int32_t best, std::int32_t normal, std::int32_t economic,
               std::int32_t maxPages);

struct UsageTotals {
  std::int32_t best = 0, normal = 0, economic = 0;
  std::optional<std::int32_t> maxPages;  // set only when a catalogue entry matched
};

// The page sums of records: each page field read by atoi's rules, added in signed 32-bit
// arithmetic that wraps.
class PageSums {
 public:
  void add(const PrintRecord& record);
  void add(std::int32_t best, std::int32_t normal, std::int32_t economic);
  std::int32_t best() const { return static_cast<std::int32_t>(best_); }
  std::int32_t normal() const { return static_cast<std::int32_t>(normal_); }
  std::int32_t economic() const { return static_cast<std::int32_t>(economic_); }

 private:
  std::uint32_t best_ = 0, normal_ = 0, economic_ = 0;  // unsigned: wrapping is defined
};

}  // namespace pw
