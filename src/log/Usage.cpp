#include "log/Usage.h"

#include "log/Reading.h"

namespace pw {

int usageShare(std::int32_t best, std::int32_t normal, std::int32_t economic,
               std::int32_t maxPages) {
  if (maxPages == 0)
    return 0;
  // Signed 32-bit arithmetic that wraps instead of faulting: products and sums in uint32, the
  // divisions on the wrapped values (x / 3 cannot overflow; x / -1 can, so it runs in int64).
  const auto wrap = [](std::uint32_t v) { return static_cast<std::int32_t>(v); };
  const std::int32_t bestWeighted = wrap(4u * static_cast<std::uint32_t>(best)) / 3;
  const std::int32_t economicWeighted = wrap(2u * static_cast<std::uint32_t>(economic)) / 3;
  const std::int32_t weighted =
      wrap(static_cast<std::uint32_t>(bestWeighted) + static_cast<std::uint32_t>(normal) +
           static_cast<std::uint32_t>(economicWeighted));
  const std::int64_t share =
      std::int64_t{wrap(static_cast<std::uint32_t>(weighted) * 100u)} / maxPages;
  const std::int32_t result = wrap(static_cast<std::uint32_t>(share));
  return result > 100 ? 100 : result;
}

void PageSums::add(const PrintRecord& record) {
  add(atoiLike(record.best), atoiLike(record.normal), atoiLike(record.economic));
}

void PageSums::add(std::int32_t best, std::int32_t normal, std::int32_t economic) {
  best_ += static_cast<std::uint32_t>(best);
  normal_ += static_cast<std::uint32_t>(normal);
  economic_ += static_cast<std::uint32_t>(economic);
}

}  // namespace pw
