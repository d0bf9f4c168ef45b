#pragma once
// The two kinds of entry in the data file, each field as the text between its tags.

#include <string>

namespace pw {

struct PrintRecord {
  std::string date, time, best, normal, economic, user, remark;
  bool operator==(const PrintRecord&) const = default;
};

struct CartridgeEntry {
  std::string name, pages, printer;
  bool operator==(const CartridgeEntry&) const = default;
};

}  // namespace pw
