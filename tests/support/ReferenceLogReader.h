#pragma once
// The log scan done the slow, obvious way, straight from the reading rules of the data file and
// sharing no code with the program's scanners: the yardstick that the fast scan is held to, in
// the tests and in the fuzz target. Header-only, so that the fuzz target can compile it in.

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

// A line ends at "\n", a "\r" just before it belongs to the line end, and a last line without a
// line end is still a line.
inline std::vector<std::string> referenceLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// Start tag and end tag anywhere in the line, each a plain substring.
inline bool referenceIsElement(const std::string& line, const std::string& name) {
  std::string open = "<", close = "</";
  open += name;
  open += '>';
  close += name;
  close += '>';
  return line.find(open) != std::string::npos && line.find(close) != std::string::npos;
}

// The s - g - 2 characters from g + 1, g the first '>' and s the last '/'; none when negative.
inline std::string referenceValue(const std::string& line) {
  const std::size_t g = line.find('>');
  const std::size_t s = line.rfind('/');
  if (g == std::string::npos || s == std::string::npos)
    return {};
  const long long count = static_cast<long long>(s) - static_cast<long long>(g) - 2;
  return count <= 0 ? std::string() : line.substr(g + 1, static_cast<std::size_t>(count));
}

// atoi: white space, an optional sign, digits; kept in 32 bits as the sums are.
inline std::int32_t referenceAtoi(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                             text[i] == '\v' || text[i] == '\f' || text[i] == '\r'))
    ++i;
  bool minus = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+'))
    minus = text[i++] == '-';
  std::uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = (value * 10 + static_cast<std::uint64_t>(text[i] - '0')) & 0xffffffffu;
  if (minus)
    value = (0x100000000u - value) & 0xffffffffu;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

inline std::int32_t referenceAdd(std::int32_t sum, std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(sum) +
                                   static_cast<std::uint32_t>(value));
}

inline ReferenceLog referenceReadLog(std::string_view text, const std::string& cartridge) {
  ReferenceLog log;
  bool inLog = false, nameMatched = false;
  PrintRecord record;
  for (const std::string& line : referenceLines(text)) {
    if (!inLog) {
      if (referenceIsElement(line, "name")) {
        nameMatched = referenceValue(line) == cartridge;
      } else if (nameMatched && referenceIsElement(line, "pages")) {
        log.maximum = referenceValue(line);
        nameMatched = false;
      } else if (line.find("<printed>") != std::string::npos) {
        inLog = true;
      }
      continue;
    }
    if (line.find("<data>") != std::string::npos)
      record = PrintRecord{};
    if (line.find("</data>") != std::string::npos) {
      log.records.push_back(record);
      log.best = referenceAdd(log.best, referenceAtoi(record.best));
      log.normal = referenceAdd(log.normal, referenceAtoi(record.normal));
      log.economic = referenceAdd(log.economic, referenceAtoi(record.economic));
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
