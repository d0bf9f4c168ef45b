#pragma once
// The log scan done the slow, obvious way, straight from the reading rules of the data file and
// sharing no code with the program's scanners: the yardstick that the fast scan is held to, in
// the tests and in the fuzz target. Header-only, so that the fuzz target can compile it in.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/Records.h"

namespace pw::test {

struct ReferenceLog {
  std::vector<PrintRecord> records;
  std::optional<std::string> maximum;  // the matching entry's pages text
  std::int32_t best = 0, normal = 0, economic = 0;
};

// Start tag and end tag anywhere in the line, each a plain substring.
inline bool referenceIsElement(const std::string& line, const std::string& name) {
  return line.find("<" + name + ">") != line.npos && line.find("</" + name + ">") != line.npos;
}

// The s - g - 2 characters from g + 1, g the first '>' and s the last '/'; none when fewer.
inline std::string referenceValue(const std::string& line) {
  const std::size_t g = line.find('>'), s = line.rfind('/');
  if (g == line.npos || s == line.npos || s < g + 3)
    return {};
  return line.substr(g + 1, s - g - 2);
}

// atoi: white space, an optional sign, digits; kept in 32 bits as the sums are.
inline std::int32_t referenceAtoi(const std::string& text) {
  std::size_t i = std::min(text.find_first_not_of(" \t\n\v\f\r"), text.size());
  const bool minus = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+'))
    ++i;
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
  return static_cast<std::int32_t>(minus ? 0u - value : value);
}

inline ReferenceLog referenceReadLog(std::string_view text, const std::string& cartridge) {
  ReferenceLog log;
  bool inLog = false, nameMatched = false;
  PrintRecord record;
  // A line ends at "\n", a "\r" just before it belongs to the line end, and a last line without
  // a line end is still a line.
  for (std::size_t start = 0, end = 0; start < text.size(); start = end + 1) {
    end = std::min(text.find('\n', start), text.size());
    std::string line(text.substr(start, end - start));
    if (end < text.size() && line.ends_with('\r'))
      line.pop_back();
    if (!inLog) {
      if (referenceIsElement(line, "name")) {
        nameMatched = referenceValue(line) == cartridge;
      } else if (nameMatched && referenceIsElement(line, "pages")) {
        log.maximum = referenceValue(line);
        nameMatched = false;
      } else {
        inLog = line.find("<printed>") != std::string::npos;
      }
      continue;
    }
    if (line.find("<data>") != std::string::npos)
      record = PrintRecord{};
    if (line.find("</data>") != std::string::npos) {
      log.records.push_back(record);
      // The sums wrap around in 32 bits.
      for (auto [sum, value] : {std::pair(&log.best, &record.best),
                                {&log.normal, &record.normal},
                                {&log.economic, &record.economic}})
        *sum =
            static_cast<std::int32_t>(std::uint32_t(*sum) + std::uint32_t(referenceAtoi(*value)));
    }
    const std::pair<const char*, std::string*> fields[] = {
        {"date", &record.date},     {"time", &record.time},         {"best", &record.best},
        {"normal", &record.normal}, {"economic", &record.economic}, {"user", &record.user},
        {"remark", &record.remark}};
    for (const auto& [name, field] : fields)
      if (referenceIsElement(line, name))
        *field = referenceValue(line);
  }
  return log;
}

}  // namespace pw::test
