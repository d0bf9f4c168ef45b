#include "res/Strings.h"

#include <unordered_map>

namespace pw {

const std::string& loadStr(int id) {
  static const std::unordered_map<int, std::string> table = [] {
    std::unordered_map<int, std::string> byId;
    for (const StrEntry& entry : kStrings)
      byId.emplace(entry.id, std::string(entry.text));
    return byId;
  }();
  static const std::string empty;
  const auto it = table.find(id);
  return it == table.end() ? empty : it->second;
}

namespace strings {

std::string substitute(std::string_view format, const std::string* pieces) {
  std::string text;
  text.reserve(format.size());
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      text += format[i];
    } else if (format[++i] == '%') {
      text += '%';
    } else {
      text += *pieces++;
    }
  }
  return text;
}

}  // namespace strings

}  // namespace pw
