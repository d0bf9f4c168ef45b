// The reading rules of the data file and its line scanners.

#include "log/Reading.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "log/Scan.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define PW_HAVE_SSE2 1
#endif

namespace pw {

bool lineHasElement(std::string_view line, std::string_view element) {
  const std::string open = "<" + std::string(element) + ">";
  const std::string close = "</" + std::string(element) + ">";
  return line.find(open) != std::string_view::npos && line.find(close) != std::string_view::npos;
}

std::string extractElementValue(std::string_view line) {
  return std::string(scan::elementValue(line));
}

namespace {

// The length of the file's own start or end tag at the front of text, or 0.
std::size_t vocabularyTagAt(std::string_view text) {
  if (text.size() < 3 || text[0] != '<')
    return 0;
  const std::size_t nameStart = text[1] == '/' ? 2 : 1;
  for (const std::string_view name : scan::kTagNames) {
    const std::size_t end = nameStart + name.size();
    if (end < text.size() && text[end] == '>' && text.substr(nameStart, name.size()) == name)
      return end + 1;
  }
  return 0;
}

}  // namespace

std::string flattenLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
      out += ' ';
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string storableValue(std::string_view raw) {
  const std::string value = flattenLineBreaks(raw);
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size();) {
    if (const std::size_t tag = vocabularyTagAt(value.substr(i))) {
      out += "\u2039";
      out.append(value.substr(i + 1, tag - 2));
      out += "\u203a";
      i += tag;
    } else {
      out += value[i++];
    }
  }
  return out;
}

std::int32_t atoiLike(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    negative = text[i++] == '-';
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}

std::size_t findAnchorOrCarriageReturn(std::string_view text, std::string_view anchor) {
  const char* const p = text.data();
  const std::size_t n = text.size();
  const auto isHit = [&](std::size_t at) {
    return p[at] == '\r' || text.substr(at, anchor.size()) == anchor;
  };
  std::size_t i = 0;
#ifdef PW_HAVE_SSE2
  // Sixteen places at a time: a '\r', or the anchor's first three bytes; each candidate is then
  // checked whole. The anchors of the writers ("<printed>", "</printed>") hardly occur otherwise.
  if (anchor.size() >= 3) {
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i first = _mm_set1_epi8(anchor[0]);
    const __m128i second = _mm_set1_epi8(anchor[1]);
    const __m128i third = _mm_set1_epi8(anchor[2]);
    for (; i + 18 <= n; i += 16) {
      const auto at = [&](std::size_t k) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + k));
      };
      const __m128i v = at(0);
      const __m128i anchorStart =
          _mm_and_si128(_mm_cmpeq_epi8(v, first),
                        _mm_and_si128(_mm_cmpeq_epi8(at(1), second), _mm_cmpeq_epi8(at(2), third)));
      auto mask = static_cast<unsigned>(
          _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), anchorStart)));
      for (; mask != 0; mask &= mask - 1) {
        const std::size_t candidate = i + static_cast<std::size_t>(std::countr_zero(mask));
        if (isHit(candidate))
          return candidate;
      }
    }
  }
#endif
  for (; i < n; ++i)
    if (isHit(i))
      return i;
  return std::string_view::npos;
}

namespace scan {

const std::string_view kTagNames[kTagCount] = {
    "data",   "date", "time",  "best",    "normal",  "economic",  "user",
    "remark", "name", "pages", "printer", "printed", "cartridge", "cartridges"};

namespace {

bool startsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && std::memcmp(s.data(), prefix.data(), prefix.size()) == 0;
}

// The tag whose name and '>' begin `s`, or kTagCount.
Tag matchTag(std::string_view s) {
  if (s.empty())
    return kTagCount;
  const auto is = [&](Tag t) {
    const std::string_view name = kTagNames[t];
    return s.size() > name.size() && startsWith(s, name) && s[name.size()] == '>';
  };
  switch (s[0]) {
    case 'b':
      return is(kBest) ? kBest : kTagCount;
    case 'c':
      return is(kCartridge) ? kCartridge : is(kCartridges) ? kCartridges : kTagCount;
    case 'd':
      return is(kData) ? kData : is(kDate) ? kDate : kTagCount;
    case 'e':
      return is(kEconomic) ? kEconomic : kTagCount;
    case 'n':
      return is(kNormal) ? kNormal : is(kName) ? kName : kTagCount;
    case 'p':
      return is(kPages) ? kPages : is(kPrinted) ? kPrinted : is(kPrinter) ? kPrinter : kTagCount;
    case 'r':
      return is(kRemark) ? kRemark : kTagCount;
    case 't':
      return is(kTime) ? kTime : kTagCount;
    case 'u':
      return is(kUser) ? kUser : kTagCount;
    default:
      return kTagCount;
  }
}

}  // namespace

TagSet::TagSet(std::string_view line) {
  const char* p = line.data();
  const char* const end = p + line.size();
  while (p < end) {
    const void* lt = std::memchr(p, '<', static_cast<std::size_t>(end - p));
    if (lt == nullptr)
      break;
    p = static_cast<const char*>(lt) + 1;
    const bool closing = p < end && *p == '/';
    const char* name = closing ? p + 1 : p;
    const Tag t = matchTag(std::string_view(name, static_cast<std::size_t>(end - name)));
    if (t != kTagCount)
      (closing ? close_ : open_) |= 1u << t;
  }
}

std::string_view elementValue(std::string_view line) {
  // Everything after the first '>' up to before the '<' in front of the last '/'.
  const std::size_t gt = line.find('>');
  const std::size_t slash = line.rfind('/');
  if (gt == std::string_view::npos || slash == std::string_view::npos || slash < gt + 2)
    return {};
  return line.substr(gt + 1, slash - gt - 2);
}

namespace {

// The start of the line after a line end ("\n" or "\r\n") at p, or nullptr when none is there.
const char* afterLineEnd(const char* p, const char* end) {
  if (p < end && *p == '\n')
    return p + 1;
  if (end - p >= 2 && p[0] == '\r' && p[1] == '\n')
    return p + 2;
  return nullptr;
}

// The first '<' or '\n' from p on; the caller guarantees a '\n' before end. Eight bytes at a
// time: a value is mostly longer than a few bytes, and most bytes of a log are values.
const char* findTagOrLineEnd(const char* p, const char* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kLow7 = 0x7f7f7f7f7f7f7f7fu;
  // High bit set in exactly the bytes of x that are zero.
  const auto zeroBytes = [](std::uint64_t x) { return ~(((x & kLow7) + kLow7) | x | kLow7); };
  for (; end - p >= 8; p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    const std::uint64_t hits = zeroBytes(word ^ (kOnes * '<')) | zeroBytes(word ^ (kOnes * '\n'));
    if (hits != 0) {
      // The lowest byte in memory order is the first; on a big-endian machine it is the highest.
      if constexpr (std::endian::native == std::endian::little)
        return p + std::countr_zero(hits) / 8;
      else
        return p + std::countl_zero(hits) / 8;
    }
  }
  while (*p != '<' && *p != '\n')
    ++p;
  return p;
}

// Eight bytes from p as one word, in memory order.
std::uint64_t loadWord(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

// The bytes of text from `from` on, at most eight, as loadWord would read them (missing bytes 0).
std::uint64_t word(std::string_view text, std::size_t from) {
  std::uint64_t word = 0;
  for (std::size_t i = 0; i < 8 && from + i < text.size(); ++i) {
    const auto byte = static_cast<std::uint64_t>(static_cast<unsigned char>(text[from + i]));
    word |= byte << (std::endian::native == std::endian::little ? 8 * i : 56 - 8 * i);
  }
  return word;
}

// The bytes of a word that a text of `length` bytes fills from `from` on.
std::uint64_t wordMask(std::size_t length, std::size_t from) {
  const std::size_t bytes = length > from ? std::min<std::size_t>(length - from, 8) : 0;
  return word(std::string_view("\xff\xff\xff\xff\xff\xff\xff\xff", bytes), 0);
}

// A fixed text compared as two words: its first sixteen bytes at most.
struct Pattern {
  explicit Pattern(std::string_view text)
      : head(word(text, 0)),
        headMask(wordMask(text.size(), 0)),
        rest(word(text, 8)),
        restMask(wordMask(text.size(), 8)),
        length(text.size()) {}
  // The caller guarantees sixteen readable bytes from p.
  bool at(const char* p) const {
    return (loadWord(p) & headMask) == head && (loadWord(p + 8) & restMask) == rest;
  }
  std::uint64_t head, headMask, rest, restMask;
  std::size_t length;
};

std::string endTag(Tag t) {
  std::string tag = "</";
  tag += kTagNames[t];
  tag += '>';
  return tag;
}

// One kind of line the writers compose: its indent and start tag, and for an element its end tag.
struct WriterLine {
  Pattern start;
  Tag tag;
  bool closing;
  Pattern endTag;
};

const WriterLine kWriterLines[] = {
    {Pattern("\t\t<data>"), kData, false, Pattern("")},
    {Pattern("\t\t\t<date>"), kDate, false, Pattern(endTag(kDate))},
    {Pattern("\t\t\t<time>"), kTime, false, Pattern(endTag(kTime))},
    {Pattern("\t\t\t<best>"), kBest, false, Pattern(endTag(kBest))},
    {Pattern("\t\t\t<normal>"), kNormal, false, Pattern(endTag(kNormal))},
    {Pattern("\t\t\t<economic>"), kEconomic, false, Pattern(endTag(kEconomic))},
    {Pattern("\t\t\t<user>"), kUser, false, Pattern(endTag(kUser))},
    {Pattern("\t\t\t<remark>"), kRemark, false, Pattern(endTag(kRemark))},
    {Pattern("\t\t</data>"), kData, true, Pattern("")},
};

}  // namespace

void LogScanner::feed(std::string_view line, const OnRecord& onRecord) {
  const TagSet tags(line);
  if (tags.empty())
    return;
  if (!inLog_) {
    feedCatalogueZone(line, tags);
    return;
  }
  if (tags.opens(kData))
    clearRecord();
  if (tags.closes(kData))
    deliver(onRecord);
  for (unsigned t = kDate; t <= kRemark; ++t)
    if (tags.element(static_cast<Tag>(t)))
      setField(static_cast<Tag>(t), elementValue(line));
}

void LogScanner::feedLines(std::string_view lines, const OnRecord& onRecord) {
  // The fast form relies on a line end before the end of the text; a last line without one goes
  // the ordinary way.
  const std::size_t whole = lines.rfind('\n') + 1;
  const char* p = lines.data();
  const char* const end = p + whole;
  while (p < end) {
    if (inLog_) {
      if (const char* next = feedWriterLine(p, end, onRecord)) {
        p = next;
        continue;
      }
    }
    const char* nl =
        static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    std::size_t length = static_cast<std::size_t>(nl - p);
    if (length > 0 && p[length - 1] == '\r')
      --length;
    feed(std::string_view(p, length), onRecord);
    p = nl + 1;
  }
  if (whole < lines.size())
    feed(lines.substr(whole), onRecord);
}

// A line as the writers compose it: "\t\t<data>" or "\t\t</data>" alone, or an element's indent
// and start tag, a value without '<', and the element's end tag; then the line end. Such a line
// holds no other tag, its first '>' closes the start tag and its last '/' opens the end tag, so
// the reading rules give exactly what is read here. Anything else is left to Feed (nullptr).
const char* LogScanner::feedWriterLine(const char* p, const char* end, const OnRecord& onRecord) {
  // Sixteen bytes from the line's start and from its end tag on are read whole; the last lines
  // of a block may be shorter and go the ordinary way.
  if (end - p < 16)
    return nullptr;
  // Every kind of line starts differently within its first eight bytes. The kinds are listed in
  // the order of a record's lines, so the search starts after the kind of the previous line.
  const std::uint64_t head = loadWord(p);
  constexpr std::size_t kKinds = std::size(kWriterLines);
  std::size_t kind = nextKind_;
  for (std::size_t tried = 0; kWriterLines[kind].start.head != head; kind = (kind + 1) % kKinds)
    if (++tried == kKinds)
      return nullptr;
  const WriterLine* line = &kWriterLines[kind];
  if (!line->start.at(p))
    return nullptr;
  nextKind_ = (kind + 1) % kKinds;
  const char* after = p + line->start.length;
  if (line->tag == kData) {
    const char* next = afterLineEnd(after, end);
    if (next == nullptr)
      return nullptr;
    if (line->closing)
      deliver(onRecord);
    else
      clearRecord();
    return next;
  }
  const char* endTag = findTagOrLineEnd(after, end);
  if (end - endTag < 16 || !line->endTag.at(endTag))
    return nullptr;
  const char* next = afterLineEnd(endTag + line->endTag.length, end);
  if (next == nullptr)
    return nullptr;
  setField(line->tag, std::string_view(after, static_cast<std::size_t>(endTag - after)));
  return next;
}

void LogScanner::setField(Tag t, std::string_view value) {
  switch (t) {
    case kBest:
      best_ = atoiLike(value);
      break;
    case kNormal:
      normal_ = atoiLike(value);
      break;
    case kEconomic:
      economic_ = atoiLike(value);
      break;
    default:
      break;
  }
  if (pagesOnly_)
    return;
  switch (t) {
    case kDate:
      record_.date = value;
      break;
    case kTime:
      record_.time = value;
      break;
    case kBest:
      record_.best = value;
      break;
    case kNormal:
      record_.normal = value;
      break;
    case kEconomic:
      record_.economic = value;
      break;
    case kUser:
      record_.user = value;
      break;
    default:
      record_.remark = value;
      break;
  }
}

void LogScanner::clearRecord() {
  best_ = normal_ = economic_ = 0;
  if (pagesOnly_)
    return;
  for (std::string* field : {&record_.date, &record_.time, &record_.best, &record_.normal,
                             &record_.economic, &record_.user, &record_.remark})
    field->clear();
}

void LogScanner::deliver(const OnRecord& onRecord) {
  sums_.add(best_, normal_, economic_);
  if (!pagesOnly_ && onRecord)
    onRecord(record_);
}

void LogScanner::feedCatalogueZone(std::string_view line, const TagSet& tags) {
  if (tags.element(kName)) {
    nameMatched_ = elementValue(line) == cartridge_;
  } else if (nameMatched_ && tags.element(kPages)) {
    maximum_ = std::string(elementValue(line));
    nameMatched_ = false;
  } else if (tags.opens(kPrinted)) {
    inLog_ = true;
  }
}

bool CatalogueScanner::feed(std::string_view line) {
  if (ended_)
    return false;
  const TagSet tags(line);
  if (tags.empty())
    return true;
  if (tags.opens(kCartridge)) {
    flush();
    open_ = true;
  }
  if (tags.element(kName)) {
    if (hasName_)
      flush();
    current().name = elementValue(line);
    hasName_ = true;
  }
  if (tags.element(kPrinter))
    current().printer = elementValue(line);
  if (tags.element(kPages))
    current().pages = elementValue(line);
  if (tags.closes(kCartridge))
    flush();
  if (tags.closes(kCartridges)) {
    flush();
    ended_ = true;
  }
  return !ended_;
}

std::vector<CartridgeEntry> CatalogueScanner::finish() {
  flush();
  return std::move(entries_);
}

void CatalogueScanner::flush() {
  if (open_)
    entries_.push_back(std::move(current_));
  current_ = CartridgeEntry{};
  open_ = hasName_ = false;
}

CartridgeEntry& CatalogueScanner::current() {
  open_ = true;
  return current_;
}

}  // namespace scan
}  // namespace pw
