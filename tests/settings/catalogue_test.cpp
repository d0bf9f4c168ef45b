#include "settings/Catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace pw {
namespace {

TEST(SelectByPrefix, FindsTheFirstItemThatBeginsWithTheText) {
  const std::vector<std::string> hp = {"Canon", "HP DeskJet", "HP LaserJet"};
  const std::tuple<std::vector<std::string>, std::string, std::optional<std::size_t>> cases[] = {
      {hp, "hp l", 2},
      {hp, "HP DeskJet 5", std::nullopt},      // longer than the item
      {hp, "", 0},                             // an empty text begins every item
      {{"ČERNÁ 45", "černá 56"}, "černá", 0},  // Czech capitals fold too
      {{"Žlutá", "ŘADA", "Ÿ", "Ĳ"}, "ĳ", 3},
      {{"A×B"}, "a÷", std::nullopt},         // × and ÷ are not a case pair
      {{"\xC4x"}, "\xE4", std::nullopt},     // stray bytes match only themselves
      {{"\xC4"}, "\xC4\x8D", std::nullopt},  // a cut sequence is no letter
  };
  for (const auto& [items, text, expected] : cases)
    EXPECT_EQ(selectByPrefix(items, text), expected) << "text '" << text << "'";
}

std::vector<CartridgeEntry> sample(std::size_t count = 3) {
  std::vector<CartridgeEntry> entries = {{"HP 45", "500", "DeskJet, OfficeJet"},
                                         {"HP 56", "450", "DeskJet 5550"},
                                         {"Canon BC", "300", "BJC"}};
  entries.resize(count);
  return entries;
}

TEST(MatchPrinter, LastEntryContainingTheExactNameWins) {
  EXPECT_EQ(matchPrinter(sample(), "DeskJet"), 1u);            // contained in both, the later wins
  EXPECT_EQ(matchPrinter(sample(), "deskjet"), std::nullopt);  // case counts

  // The catalogue selects the matched name by prefix, which may pick an earlier entry.
  CartridgeCatalogue shadowed({{"HP 45 XL", "900", ""}, {"HP 45", "500", "DeskJet"}});
  EXPECT_TRUE(shadowed.matchPrinter("DeskJet"));
  EXPECT_EQ(shadowed.selected(), 0u);
  EXPECT_EQ(shadowed.current().pages, "900");
}

// Without a selection the stored name stays current and nothing can be edited or deleted; an
// added or edited entry becomes current with its line breaks flattened.
TEST(CartridgeCatalogue, SelectAddAndEdit) {
  CartridgeCatalogue cat(sample());
  cat.selectStored("Gone");
  EXPECT_EQ(cat.selected(), std::nullopt);
  EXPECT_EQ(cat.current(), (CartridgeEntry{"Gone", "", ""}));
  EXPECT_FALSE(cat.edit({"X", "1", "Y"}));
  EXPECT_FALSE(cat.deleteSelected());
  EXPECT_EQ(cat.entries(), sample());
  cat.selectStored("hp 5");
  EXPECT_EQ(cat.current(), sample()[1]);

  cat.add({"Epson T0", "250", "a\r\nb\nc\rd"});
  EXPECT_EQ(cat.selected(), 3u);
  EXPECT_EQ(cat.entries().back(), (CartridgeEntry{"Epson T0", "250", "a b c d"}));
  EXPECT_EQ(cat.current(), cat.entries().back());

  // A name that begins an earlier one: the list shows the earlier, the new entry is current.
  cat.add({"HP", "10", ""});
  EXPECT_EQ(cat.selected(), 0u);
  EXPECT_EQ(cat.current(), (CartridgeEntry{"HP", "10", ""}));

  cat.select(1);
  EXPECT_TRUE(cat.edit({"HP 57", "600", "PSC\n\n1210"}));
  EXPECT_EQ(cat.entries()[1], (CartridgeEntry{"HP 57", "600", "PSC  1210"}));
  EXPECT_EQ(cat.current(), cat.entries()[1]);
}

TEST(CartridgeCatalogue, DeleteMakesTheEntryBeforeCurrent) {
  // Entries, the one deleted, the one selected after it.
  const std::tuple<std::size_t, std::size_t, std::optional<std::size_t>> cases[] = {
      {3, 1, 0}, {3, 2, 1}, {3, 0, 0}, {1, 0, std::nullopt}};
  for (const auto& [count, deleted, selected] : cases) {
    SCOPED_TRACE(testing::Message() << deleted << " of " << count);
    std::vector<CartridgeEntry> left = sample(count);
    left.erase(left.begin() + deleted);
    CartridgeCatalogue cat(sample(count));
    cat.select(deleted);
    ASSERT_TRUE(cat.deleteSelected());
    EXPECT_EQ(cat.entries(), left);
    EXPECT_EQ(cat.selected(), selected);
    EXPECT_EQ(cat.current(), selected ? left[*selected] : CartridgeEntry{});
  }
}

}  // namespace
}  // namespace pw
