#include "settings/Catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace pw {
namespace {

TEST(SelectByPrefix, FindsTheFirstItemThatBeginsWithTheText) {
  struct Case {
    std::vector<std::string> items;
    std::string text;
    std::optional<std::size_t> expected;
  };
  const Case cases[] = {
      {{"Canon", "HP DeskJet", "HP LaserJet"}, "hp", 1},
      {{"Canon", "HP DeskJet", "HP LaserJet"}, "HP L", 2},
      {{"Canon", "HP DeskJet"}, "HP DeskJet 5", std::nullopt},  // longer than the item
      {{"Canon", "HP DeskJet"}, "", 0},                         // an empty text begins every item
      {{}, "", std::nullopt},
      {{"ČERNÁ 45", "černá 56"}, "černá", 0},  // Czech capitals fold too
      {{"Žlutá", "ŘADA", "Ÿ", "Ĳ"}, "ĳ", 3},
      {{"A×B"}, "a÷", std::nullopt},         // × and ÷ are not a case pair
      {{"\xC4x"}, "\xE4", std::nullopt},     // stray bytes match only themselves
      {{"\xC4"}, "\xC4\x8D", std::nullopt},  // a cut sequence is no letter
  };
  for (const auto& c : cases)
    EXPECT_EQ(SelectByPrefix(c.items, c.text), c.expected) << "text '" << c.text << "'";
}

std::vector<CartridgeEntry> Sample() {
  return {{"HP 45", "500", "DeskJet, OfficeJet"},
          {"HP 56", "450", "DeskJet 5550"},
          {"Canon BC", "300", "BJC"}};
}

TEST(MatchPrinter, LastEntryContainingTheExactNameWins) {
  const auto entries = Sample();
  EXPECT_EQ(MatchPrinter(entries, "DeskJet"), 1u);  // contained in both, the later wins
  EXPECT_EQ(MatchPrinter(entries, "OfficeJet"), 0u);
  EXPECT_EQ(MatchPrinter(entries, "deskjet"), std::nullopt);  // case counts
  EXPECT_EQ(MatchPrinter(entries, "LaserJet"), std::nullopt);

  CartridgeCatalogue cat(Sample());
  EXPECT_TRUE(cat.MatchPrinter("BJC"));
  EXPECT_EQ(cat.selected(), 2u);
  EXPECT_EQ(cat.current(), Sample()[2]);
  EXPECT_FALSE(cat.MatchPrinter("Epson"));
  EXPECT_EQ(cat.selected(), 2u);

  // The matched name begins an earlier name: the list's lookup picks the earlier entry.
  CartridgeCatalogue shadowed({{"HP 45 XL", "900", ""}, {"HP 45", "500", "DeskJet"}});
  EXPECT_TRUE(shadowed.MatchPrinter("DeskJet"));
  EXPECT_EQ(shadowed.selected(), 0u);
  EXPECT_EQ(shadowed.current().pages, "900");
}

TEST(CartridgeCatalogue, StoredNameSelectsByPrefixOrStaysWithoutSelection) {
  CartridgeCatalogue cat(Sample());
  cat.SelectStored("hp 5");
  EXPECT_EQ(cat.selected(), 1u);
  EXPECT_EQ(cat.current(), Sample()[1]);

  cat.SelectStored("Gone");
  EXPECT_EQ(cat.selected(), std::nullopt);
  EXPECT_EQ(cat.current(), (CartridgeEntry{"Gone", "", ""}));
  EXPECT_FALSE(cat.Edit({"X", "1", "Y"}));
  EXPECT_FALSE(cat.Delete());
  EXPECT_EQ(cat.entries(), Sample());
}

TEST(CartridgeCatalogue, AddAndEditMakeTheEntryCurrentWithLineBreaksFlattened) {
  CartridgeCatalogue cat(Sample());
  cat.Add({"Epson T0", "250", "a\r\nb\nc\rd"});
  ASSERT_EQ(cat.entries().size(), 4u);
  EXPECT_EQ(cat.entries()[3], (CartridgeEntry{"Epson T0", "250", "a b c d"}));
  EXPECT_EQ(cat.current(), cat.entries()[3]);
  EXPECT_EQ(cat.selected(), 3u);

  // A name that begins an earlier one: the list shows the earlier, the new entry is current.
  cat.Add({"HP", "10", ""});
  EXPECT_EQ(cat.selected(), 0u);
  EXPECT_EQ(cat.current(), (CartridgeEntry{"HP", "10", ""}));

  cat.Select(1);
  EXPECT_TRUE(cat.Edit({"HP 57", "600", "PSC\n\n1210"}));
  EXPECT_EQ(cat.entries()[1], (CartridgeEntry{"HP 57", "600", "PSC  1210"}));
  EXPECT_EQ(cat.entries()[0], Sample()[0]);
  EXPECT_EQ(cat.selected(), 1u);
  EXPECT_EQ(cat.current(), cat.entries()[1]);
}

TEST(CartridgeCatalogue, DeleteMakesTheEntryBeforeCurrent) {
  struct Case {
    std::size_t deleted, expectSelected;
    std::string expectCurrent;
  };
  const Case cases[] = {{1, 0, "HP 45"}, {2, 1, "HP 56"}, {0, 0, "HP 56"}};
  for (const auto& c : cases) {
    CartridgeCatalogue cat(Sample());
    cat.Select(c.deleted);
    ASSERT_TRUE(cat.Delete());
    EXPECT_EQ(cat.entries().size(), 2u);
    EXPECT_EQ(cat.selected(), c.expectSelected) << "deleted " << c.deleted;
    EXPECT_EQ(cat.current(), cat.entries()[c.expectSelected]);
    EXPECT_EQ(cat.current().name, c.expectCurrent);
  }

  CartridgeCatalogue last({{"Only", "100", "P"}});
  last.Select(0);
  ASSERT_TRUE(last.Delete());
  EXPECT_TRUE(last.entries().empty());
  EXPECT_EQ(last.selected(), std::nullopt);
  EXPECT_EQ(last.current(), CartridgeEntry{});
  EXPECT_FALSE(last.Delete());
}

}  // namespace
}  // namespace pw
