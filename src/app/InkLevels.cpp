#include "app/InkLevels.h"

#include <algorithm>
#include <cstdlib>

#include "base/Format.h"
#include "res/Strings.h"

namespace pw {
namespace {

std::optional<Rgb> parseColour(const std::string& text) {
  if (text.size() < 7 || text[0] != '#')
    return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = 1; i < 7; ++i) {
    const char c = text[i];
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0)
      return std::nullopt;
    value = value * 16 + unsigned(digit);
  }
  return Rgb{std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value)};
}

bool contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  return text;
}

bool isBlack(const Marker& m) {
  const std::string name = lower(m.name);
  if (contains(name, "black") || contains(name,
                                          "\xC4\x8D"
                                          "ern"))  // the Czech word stem for black
    return true;
  const auto rgb = parseColour(m.colour);
  return rgb && m.colour.size() == 7 && rgb->red < 0x40 && rgb->green < 0x40 && rgb->blue < 0x40;
}

}  // namespace

std::vector<Marker> parseMarkers(const std::vector<std::string>& names,
                                 const std::vector<std::string>& colours,
                                 const std::vector<int>& levels, const std::vector<int>& lowLevels,
                                 const std::vector<std::string>& types) {
  const std::size_t count = names.empty() ? levels.size() : names.size();
  std::vector<Marker> markers(count);
  for (std::size_t i = 0; i < count; ++i) {
    Marker& m = markers[i];
    m.name =
        i < names.size() && !names[i].empty() ? names[i] : formatStr(ids::kInkNumber, int(i + 1));
    m.colour = i < colours.size() ? colours[i] : "none";
    m.level = i < levels.size() ? std::min(levels[i], 100) : -2;
    m.lowLevel = i < lowLevels.size() ? std::min(lowLevels[i], 100) : -1;
    m.type = i < types.size() ? types[i] : "";
  }
  return markers;
}

std::vector<InkRow> inkRows(const std::vector<Marker>& markers) {
  std::vector<InkRow> rows;
  for (const Marker& m : markers) {
    InkRow row;
    row.name = m.name;
    if (const auto rgb = parseColour(m.colour))
      row.colour = *rgb;
    if (m.level >= 0) {
      row.percent = m.level;
      row.levelText = formatStr(ids::kInkPercent, m.level);
      row.low = m.lowLevel >= 0 && m.level <= m.lowLevel;
    } else {
      row.levelText = loadStr(ids::kInkUnknown);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string compareWithEstimate(const std::vector<Marker>& markers, const std::string& cartridge,
                                int usedPercent) {
  const std::string name = lower(cartridge);
  const bool black = contains(name,
                              "\xC4\x8D"
                              "ern") ||
                     contains(name, "cern") || contains(name, "black");
  const bool colour = contains(name, "barev") || contains(name, "color") ||
                      contains(name, "colour") || contains(name, "tri");
  const Marker* lowest = nullptr;
  const Marker* lowestOfColour = nullptr;
  for (const Marker& m : markers) {
    if (m.level < 0)
      continue;
    if (!lowest || m.level < lowest->level)
      lowest = &m;
    const bool matches = (black && !colour && isBlack(m)) || (colour && !black && !isBlack(m));
    if (matches && (!lowestOfColour || m.level < lowestOfColour->level))
      lowestOfColour = &m;
  }
  const Marker* compared = lowestOfColour ? lowestOfColour : lowest;
  if (!compared)
    return {};
  const int left = 100 - std::clamp(usedPercent, 0, 100);
  return formatStr(ids::kInkComparison, left, compared->level, compared->name,
                   std::abs(left - compared->level));
}

}  // namespace pw
