#include "settings/Catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace pw {
namespace {

TEST(SelectByPrefix, FindsTheFirstItemThatBeginsWithTheText) {
  const std::tuple<std::vector<std::string>, std::string, std::optional<std::size_t>> cases[] = {
      {{"ČERNÁ 45", "černá 56"}, "černá", 0},  // Czech capitals fold too
      {{"\xC4"}, "\xC4\x8D", std::nullopt},    // a cut sequence is no letter
      {{"HP 45"}, "hp 456", std::nullopt},     // longer than the item
  };
  for (const auto& [items, text, expected] : cases)
    EXPECT_EQ(selectByPrefix(items, text), expected) << "text '" << text << "'";
}

const std::vector<CartridgeEntry> kSample = {{"HP 45", "500", "DeskJet, OfficeJet"},
                                             {"HP 56", "450", "DeskJet 5550"},
                                             {"Canon BC", "300", "BJC"}};

TEST(MatchPrinter, LastEntryContainingTheExactNameWins) {
  EXPECT_EQ(matchPrinter(kSample, "DeskJet"), 1u);            // contained in both, the later wins
  EXPECT_EQ(matchPrinter(kSample, "deskjet"), std::nullopt);  // case counts

  // The catalogue selects the matched name by prefix, which may pick an earlier entry.
  CartridgeCatalogue shadowed({{"HP 45 XL", "900", ""}, {"HP 45", "500", "DeskJet"}});
  EXPECT_TRUE(shadowed.matchPrinter("DeskJet"));
  EXPECT_EQ(shadowed.current().pages, "900");
}

// Without a selection the stored name stays current and nothing can be edited or deleted; an
// added or edited entry becomes current with its line breaks flattened.
TEST(CartridgeCatalogue, SelectAddAndEdit) {
  CartridgeCatalogue cat(kSample);
  cat.selectStored("Gone");
  EXPECT_EQ(cat.selected(), std::nullopt);
  EXPECT_EQ(cat.current(), (CartridgeEntry{"Gone", "", ""}));
  EXPECT_FALSE(cat.edit({"X", "1", "Y"}));
  EXPECT_FALSE(cat.deleteSelected());
  EXPECT_EQ(cat.entries(), kSample);
  cat.selectStored("hp 5");
  EXPECT_EQ(cat.current(), kSample[1]);

  cat.add({"Epson T0", "250", "a\r\nb\nc\rd"});
  EXPECT_EQ(cat.selected(), 3u);
  EXPECT_EQ(cat.entries().back(), (CartridgeEntry{"Epson T0", "250", "a b c d"}));
  EXPECT_EQ(cat.current(), cat.entries().back());

  cat.select(1);
  EXPECT_TRUE(cat.edit({"HP 57", "600", "PSC\n\n1210"}));
  EXPECT_EQ(cat.entries()[1], (CartridgeEntry{"HP 57", "600", "PSC  1210"}));
  EXPECT_EQ(cat.current(), cat.entries()[1]);
}

TEST(CartridgeCatalogue, DeleteMakesTheEntryBeforeCurrent) {
  CartridgeCatalogue cat(kSample);
  cat.select(2);
  ASSERT_TRUE(cat.deleteSelected());
  EXPECT_EQ(cat.selected(), 1u);
  EXPECT_EQ(cat.current(), kSample[1]);
  cat.select(0);  // the first has none before it: the next moves up into its place
  ASSERT_TRUE(cat.deleteSelected());
  EXPECT_EQ(cat.entries(), std::vector{kSample[1]});
  EXPECT_EQ(cat.selected(), 0u);
  ASSERT_TRUE(cat.deleteSelected());
  EXPECT_EQ(cat.selected(), std::nullopt);
  EXPECT_EQ(cat.current(), CartridgeEntry{});
}

}  // namespace
}  // namespace pw
