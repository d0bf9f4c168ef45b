// Feeds arbitrary bytes to the data file's reading rules: the log scan, the catalogue scan and
// the element tests. The log scan, line by line and a block of lines at a time, must give what
// the plain reader of the tests gives: the same records, maximum and page sums.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "log/LineReader.h"
#include "log/Reading.h"
#include "log/Scan.h"
#include "log/Usage.h"
#include "support/ReferenceLogReader.h"

using namespace pw;

namespace {

// The text in two blocks of lines, split at the first line end from `at` on, as a file is read.
void FeedInBlocks(scan::LogScanner& scanner, std::string_view text, std::size_t at,
                  const scan::LogScanner::OnRecord& onRecord) {
  const std::size_t split = text.find('\n', at);
  const std::size_t first = split == text.npos ? 0 : split + 1;
  scanner.feedLines(text.substr(0, first), onRecord);
  scanner.feedLines(text.substr(first), onRecord);
}

bool SameSums(const PageSums& sums, const test::ReferenceLog& log) {
  return sums.best() == log.best && sums.normal() == log.normal && sums.economic() == log.economic;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The first line doubles as the chosen cartridge's name, so that names do match.
  const std::string cartridge(text.substr(0, text.find('\n')));
  const test::ReferenceLog expected = test::referenceReadLog(text, cartridge);

  LineReader lines(text);
  scan::LogScanner byLine(cartridge, /*pagesOnly=*/false);
  scan::CatalogueScanner catalogue;
  std::vector<PrintRecord> records;
  std::string_view line;
  while (lines.next(line)) {
    if (line.find('\n') != line.npos)
      std::abort();
    const scan::TagSet tags(line);
    for (unsigned t = 0; t < scan::kTagCount; ++t)
      if (tags.element(scan::Tag(t)) != lineHasElement(line, scan::kTagNames[t]))
        std::abort();
    byLine.feed(line, [&](const PrintRecord& r) { records.push_back(r); });
    catalogue.feed(line);
  }
  if (records != expected.records || byLine.maximum() != expected.maximum ||
      !SameSums(byLine.sums(), expected))
    std::abort();

  records.clear();
  scan::LogScanner full(cartridge, /*pagesOnly=*/false);
  FeedInBlocks(full, text, size / 2, [&](const PrintRecord& r) { records.push_back(r); });
  if (records != expected.records || full.maximum() != expected.maximum ||
      !SameSums(full.sums(), expected))
    std::abort();

  scan::LogScanner pages(cartridge, /*pagesOnly=*/true);
  FeedInBlocks(pages, text, size / 3, {});
  if (pages.maximum() != expected.maximum || !SameSums(pages.sums(), expected))
    std::abort();

  const std::int32_t maximum = expected.maximum ? atoiLike(*expected.maximum) : 0;
  usageShare(expected.best, atoiLike(cartridge), static_cast<std::int32_t>(size), maximum);
  catalogue.finish();
  return 0;
}
