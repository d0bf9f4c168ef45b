#pragma once
// The cartridge catalogue as the Settings dialog edits it: the entries in list order, the list's
// selection and the current cartridge (the one a confirmed dialog stores as "Cartridge").
// Nothing here touches the data file; the Settings command writes the entries after OK.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/Records.h"

namespace pw {

// True when text begins with prefix, letter case ignored (ASCII and the Latin letters of
// U+00C0..U+017F, which covers Czech names).
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The drop-down lists' select-by-prefix rule: the first item, in list order, that begins with the
// text, case ignored. Every item begins with an empty text, so an empty text picks the first item.
std::optional<std::size_t> selectByPrefix(const std::vector<std::string>& items,
                                          std::string_view text);

// The last entry whose printers text contains the printer's name, case-sensitive.
std::optional<std::size_t> matchPrinter(const std::vector<CartridgeEntry>& entries,
                                        std::string_view printer);

class CartridgeCatalogue {
 public:
  CartridgeCatalogue() = default;
  explicit CartridgeCatalogue(std::vector<CartridgeEntry> entries);

  const std::vector<CartridgeEntry>& entries() const { return entries_; }
  std::vector<std::string> names() const;
  // The list's selected index; none when nothing is selected.
  std::optional<std::size_t> selected() const { return selected_; }
  // The current cartridge's name, page count and printers text.
  const CartridgeEntry& current() const { return current_; }

  // Initial choice of the stored cartridge by prefix. When nothing matches, the stored name stays
  // current (a confirmed dialog stores it back) with empty page count and printers text.
  void selectStored(const std::string& name);
  // The user picked list item i: it becomes current.
  void select(std::size_t i);
  // Appends the entry and makes it current; the list selects its name by prefix, which may pick
  // an earlier entry whose name begins with it. Names need not be unique.
  void add(CartridgeEntry entry);
  // Replaces the selected entry and makes it current; false (nothing changes) with no selection.
  bool edit(CartridgeEntry entry);
  // Removes the selected entry; the one before it becomes selected and current (after removing the
  // first, the new first). An emptied catalogue leaves no current cartridge. False with no
  // selection.
  bool deleteSelected();
  // A printer was chosen: the last entry naming it is looked up by prefix of its name and becomes
  // selected and current. False (nothing changes) when no entry names the printer.
  bool matchPrinter(std::string_view printer);

 private:
  static CartridgeEntry flattened(CartridgeEntry entry);

  std::vector<CartridgeEntry> entries_;
  std::optional<std::size_t> selected_;
  CartridgeEntry current_;
};

}  // namespace pw
