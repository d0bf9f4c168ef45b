#pragma once
// The printers the Settings dialog offers. The CUPS and winspool adapters implement it.

#include <optional>
#include <string>
#include <vector>

namespace pw {

// The local print queues (no instances), in the spooler's order; nothing when the spooler
// cannot be reached, which is not the same as a spooler without queues.
class IPrinterList {
 public:
  virtual ~IPrinterList() = default;
  virtual std::optional<std::vector<std::string>> localPrinters() = 0;
};

}  // namespace pw
