#include "settings/Catalogue.h"

#include <utility>

#include "log/Reading.h"

namespace pw {

namespace {

// One character of UTF-8 text; a byte that does not start a valid sequence stands for itself,
// placed above the Unicode range so that it never equals a decoded letter.
char32_t nextChar(std::string_view s, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07;
  }
  bool valid = length != 0 && pos + length <= s.size();
  for (std::size_t i = 1; valid && i < length; ++i) {
    valid = (byte(pos + i) & 0xC0) == 0x80;
    c = (c << 6) | (byte(pos + i) & 0x3F);
  }
  if (!valid) {
    ++pos;
    return 0x110000 + lead;
  }
  pos += length;
  return c;
}

char32_t lower(char32_t c) {
  if (c >= 'A' && c <= 'Z')
    return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
    return c + 0x20;
  // Latin Extended-A pairs upper and lower case as neighbours, upper first, except that the
  // pairing shifts by one between U+0139 and U+0148 and again from U+0179.
  const bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
  const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1))
    return c + 1;
  if (c == 0x178)
    return 0xFF;
  return c;
}

}  // namespace

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  std::size_t t = 0, p = 0;
  while (p < prefix.size()) {
    if (t >= text.size())
      return false;
    if (lower(nextChar(text, t)) != lower(nextChar(prefix, p)))
      return false;
  }
  return true;
}

std::optional<std::size_t> selectByPrefix(const std::vector<std::string>& items,
                                          std::string_view text) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (startsWithIgnoringCase(items[i], text))
      return i;
  return std::nullopt;
}

std::optional<std::size_t> matchPrinter(const std::vector<CartridgeEntry>& entries,
                                        std::string_view printer) {
  std::optional<std::size_t> match;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].printer.find(printer) != std::string::npos)
      match = i;
  return match;
}

CartridgeCatalogue::CartridgeCatalogue(std::vector<CartridgeEntry> entries)
    : entries_(std::move(entries)) {}

std::vector<std::string> CartridgeCatalogue::names() const {
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const auto& e : entries_)
    names.push_back(e.name);
  return names;
}

void CartridgeCatalogue::selectStored(const std::string& name) {
  selected_ = selectByPrefix(names(), name);
  if (selected_)
    current_ = entries_[*selected_];
  else
    current_ = CartridgeEntry{name, {}, {}};
}

void CartridgeCatalogue::select(std::size_t i) {
  if (i >= entries_.size())
    return;
  selected_ = i;
  current_ = entries_[i];
}

void CartridgeCatalogue::add(CartridgeEntry entry) {
  entries_.push_back(flattened(std::move(entry)));
  current_ = entries_.back();
  selected_ = selectByPrefix(names(), current_.name);
}

bool CartridgeCatalogue::edit(CartridgeEntry entry) {
  if (!selected_)
    return false;
  entries_[*selected_] = flattened(std::move(entry));
  current_ = entries_[*selected_];
  selected_ = selectByPrefix(names(), current_.name);
  return true;
}

bool CartridgeCatalogue::deleteSelected() {
  if (!selected_)
    return false;
  const std::size_t i = *selected_;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
  if (entries_.empty()) {
    selected_.reset();
    current_ = {};
  } else {
    select(i == 0 ? 0 : i - 1);
  }
  return true;
}

bool CartridgeCatalogue::matchPrinter(std::string_view printer) {
  const auto match = pw::matchPrinter(entries_, printer);
  if (!match)
    return false;
  // The match is found again by its name, so an earlier entry whose name begins with that name
  // wins the list's selection, as the list's own lookup would choose.
  select(*selectByPrefix(names(), entries_[*match].name));
  return true;
}

CartridgeEntry CartridgeCatalogue::flattened(CartridgeEntry entry) {
  return {flattenLineBreaks(entry.name), flattenLineBreaks(entry.pages),
          flattenLineBreaks(entry.printer)};
}

}  // namespace pw
