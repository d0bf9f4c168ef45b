// Feeds arbitrary bytes to the data file's reading rules: the log scan, the catalogue scan and
// the element tests, and checks the one-pass tag test against the plain substring rule.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "log/LineReader.h"
#include "log/Reading.h"
#include "log/Scan.h"
#include "log/Usage.h"

using namespace pw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The first line doubles as the chosen cartridge's name, so that names do match.
  const std::string cartridge(text.substr(0, text.find('\n')));

  LineReader lines(text);
  scan::LogScanner full(cartridge, /*pagesOnly=*/false);
  scan::LogScanner pages(cartridge, /*pagesOnly=*/true);
  scan::CatalogueScanner catalogue;
  std::size_t fullCount = 0, pagesCount = 0;
  PageSums sums, sumsFromPages;
  std::string_view line;
  while (lines.Next(line)) {
    if (line.find('\n') != line.npos)
      std::abort();
    const scan::TagSet tags(line);
    for (unsigned t = 0; t < scan::kTagCount; ++t)
      if (tags.Element(scan::Tag(t)) != LineHasElement(line, scan::kTagNames[t]))
        std::abort();
    const std::string value = ExtractElementValue(line);
    if (value.size() > line.size())
      std::abort();

    full.Feed(line, [&](const PrintRecord& r) {
      ++fullCount;
      sums.Add(r);
    });
    pages.Feed(line, [&](const PrintRecord& r) {
      ++pagesCount;
      sumsFromPages.Add(r);
    });
    catalogue.Feed(line);
  }
  // The totals scan and the full scan are the same scan.
  if (fullCount != pagesCount || sums.best() != sumsFromPages.best() ||
      sums.normal() != sumsFromPages.normal() || sums.economic() != sumsFromPages.economic() ||
      full.maximum() != pages.maximum())
    std::abort();
  const std::int32_t maximum = full.maximum() ? AtoiLike(*full.maximum()) : 0;
  UsageShare(sums.best(), AtoiLike(cartridge), static_cast<std::int32_t>(size), maximum);
  catalogue.Finish();
  return 0;
}
