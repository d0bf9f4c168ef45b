#pragma once
// The printer's own report of its ink (or toner) levels, beside the estimate from printed pages.
// The spooler keeps the report as five parallel lists: names, colours, levels, low levels and
// types.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/SpoolerPorts.h"
#include "base/Ports.h"

namespace pw {

// The markers of the five lists. The names decide how many there are (the levels when no names
// are given); a list that is shorter leaves the rest unknown, a longer one is cut.
std::vector<Marker> parseMarkers(const std::vector<std::string>& names,
                                 const std::vector<std::string>& colours,
                                 const std::vector<int>& levels, const std::vector<int>& lowLevels,
                                 const std::vector<std::string>& types);

struct Rgb {
  std::uint8_t red = 0x80, green = 0x80, blue = 0x80;
};

// One row of the status window's ink group.
struct InkRow {
  std::string name;
  Rgb colour;                  // the first colour of the marker, grey when it has none
  std::optional<int> percent;  // absent when unknown
  std::string levelText;       // "45 %", or the word for unknown
  bool low = false;
};

std::vector<InkRow> inkRows(const std::vector<Marker>& markers);

// The sentence that compares the estimate (percent of the cartridge used) with the lowest level
// the printer reports for the cartridge's colour (black or colour, told from its name), or with
// the lowest level at all. Empty when no level is known.
std::string compareWithEstimate(const std::vector<Marker>& markers, const std::string& cartridge,
                                int usedPercent);

}  // namespace pw
