// The reading rules: element lines, values, page numbers, the share and the line reader.

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "log/DataFile.h"
#include "log/LineReader.h"
#include "log/Scan.h"

namespace pw {
namespace {

TEST(ElementValue, TakesEverythingBetweenFirstGreaterAndLastSlash) {
  const struct {
    const char* line;
    const char* value;
  } cases[] = {
      {"\t\t\t<user>eva</user>", "eva"},
      {"<remark>a<b & c/d>e</remark>", "a<b & c/d>e"},
      {"<date></date>", ""},
      {"<best> 7 </best>", " 7 "},
      {"x>y/", ""},            // negative count
      {"no tags at all", ""},  // neither '>' nor '/'
      {"<name>A</name> trailing", "A"},
      {"<name>A</name>/", "A</name"},  // the last '/' wins, whatever follows
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExtractElementValue(c.line), c.value) << c.line;
}

TEST(ElementLine, OnePassTagTestAnswersLikeSubstringSearch) {
  for (const std::string line :
       {"<date>1</date><best>2</best>", "<<data>>", "</data", "<data", "\t</cartridges>",
        "<cartridge></cartridge>", "\t</printed>", "<printed><printer>x</printer>",
        "< best>1</best>", "<normal>/</normal></normal>", ""}) {
    const scan::TagSet tags(line);
    for (unsigned t = 0; t < scan::kTagCount; ++t) {
      const std::string name(scan::kTagNames[t]);
      EXPECT_EQ(tags.Element(scan::Tag(t)), LineHasElement(line, name)) << line << " " << name;
      EXPECT_EQ(tags.Opens(scan::Tag(t)), line.find("<" + name + ">") != line.npos) << line;
    }
  }
}

TEST(AtoiLike, FollowsAtoiAndWrapsOnOverflow) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"12abc", 12},
      {"-3", -3},
      {" 7", 7},
      {"abc", 0},
      {"", 0},
      {"+5", 5},
      {"\t\n\v\f\r 9", 9},
      {"- 3", 0},
      {"007", 7},
      {"1 2", 1},
      {"2147483647", INT32_MAX},
      {"2147483648", INT32_MIN},
      {"4294967297", 1},
      {"-2147483648", INT32_MIN},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AtoiLike(c.text), c.value) << '"' << c.text << '"';
}

TEST(UsageShare, TruncatesEachClassOnceAndCaps) {
  const struct {
    std::int32_t best, normal, economic, max, share;
  } cases[] = {
      {3, 10, 3, 100, 16},
      {1, 0, 1, 100, 1},  // 4/3 and 2/3 truncate separately
      {2, 0, 0, 3, 66},
      {0, 0, 0, 0, 0},
      {100, 100, 100, 0, 0},
      {0, 250, 0, 100, 100},
      {0, -50, 0, 100, -50},
      {0, 50, 0, -100, -50},
      // Wrapping instead of faulting: 100 * 21474837 passes INT32_MAX.
      {0, 21474837, 0, 1, -2147483596},
      // The weighted sum times 100 wraps to INT32_MIN, divided by -1.
      {0, 536870912, 0, -1, INT32_MIN},
  };
  for (const auto& c : cases)
    EXPECT_EQ(UsageShare(c.best, c.normal, c.economic, c.max), c.share)
        << c.best << " " << c.normal << " " << c.economic << " / " << c.max;
  // Large totals must not fault; the value is whatever the wrapped arithmetic gives.
  UsageShare(INT32_MAX, INT32_MAX, INT32_MAX, 1);
  UsageShare(INT32_MIN, INT32_MIN, INT32_MIN, -1);
}

std::vector<std::string> LinesOf(std::string_view text) {
  LineReader reader(text);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(line))
    lines.emplace_back(line);
  return lines;
}

TEST(LineReader, DropsLineEndsLikeTextMode) {
  using V = std::vector<std::string>;
  EXPECT_EQ(LinesOf("a\r\nb\nc"), (V{"a", "b", "c"}));
  EXPECT_EQ(LinesOf("a\n\nb\n"), (V{"a", "", "b"}));
  EXPECT_EQ(LinesOf("a\rb\r\r\n"), (V{"a\rb\r"}));  // only the CR before LF goes
  EXPECT_EQ(LinesOf("\n"), (V{""}));
  EXPECT_EQ(LinesOf(""), V{});
}

TEST(LineReader, FileLinesLongerThanOneBlock) {
  const auto path = std::filesystem::temp_directory_path() / "pw_line_reader_test.txt";
  const std::string longLine(700 * 1024, 'x');
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    for (int i = 0; i < 3; ++i)
      std::fprintf(f, "%s%d\r\n", longLine.c_str(), i);
    std::fputs("last", f);
    std::fclose(f);
  }
  LineReader reader;
  ASSERT_TRUE(reader.Open(path.string()));
  std::string_view line;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, longLine + std::to_string(i));
  }
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "last");
  EXPECT_FALSE(reader.Next(line));
  EXPECT_FALSE(reader.failed());
  std::filesystem::remove(path);
  // A folder opens on some systems but cannot be read: it is no file.
  EXPECT_FALSE(reader.Open(std::filesystem::temp_directory_path().string()));
}

}  // namespace
}  // namespace pw
