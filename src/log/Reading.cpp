// The reading rules of the data file and its line scanners.

#include "log/Reading.h"

#include <cstring>

#include "log/Scan.h"

namespace pw {

bool LineHasElement(std::string_view line, std::string_view element) {
  const std::string open = "<" + std::string(element) + ">";
  const std::string close = "</" + std::string(element) + ">";
  return line.find(open) != std::string_view::npos && line.find(close) != std::string_view::npos;
}

std::string ExtractElementValue(std::string_view line) {
  return std::string(scan::ElementValue(line));
}

namespace {

// The length of the file's own start or end tag at the front of text, or 0.
std::size_t VocabularyTagAt(std::string_view text) {
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

std::string FlattenLineBreaks(std::string_view text) {
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

std::string StorableValue(std::string_view raw) {
  const std::string value = FlattenLineBreaks(raw);
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size();) {
    if (const std::size_t tag = VocabularyTagAt(value.substr(i))) {
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

std::int32_t AtoiLike(std::string_view text) {
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

namespace scan {

const std::string_view kTagNames[kTagCount] = {
    "data",   "date", "time",  "best",    "normal",  "economic",  "user",
    "remark", "name", "pages", "printer", "printed", "cartridge", "cartridges"};

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && std::memcmp(s.data(), prefix.data(), prefix.size()) == 0;
}

// The tag whose name and '>' begin `s`, or kTagCount.
Tag MatchTag(std::string_view s) {
  if (s.empty())
    return kTagCount;
  const auto is = [&](Tag t) {
    const std::string_view name = kTagNames[t];
    return s.size() > name.size() && StartsWith(s, name) && s[name.size()] == '>';
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
    const Tag t = MatchTag(std::string_view(name, static_cast<std::size_t>(end - name)));
    if (t != kTagCount)
      (closing ? close_ : open_) |= 1u << t;
  }
}

std::string_view ElementValue(std::string_view line) {
  // Everything after the first '>' up to before the '<' in front of the last '/'.
  const std::size_t gt = line.find('>');
  const std::size_t slash = line.rfind('/');
  if (gt == std::string_view::npos || slash == std::string_view::npos || slash < gt + 2)
    return {};
  return line.substr(gt + 1, slash - gt - 2);
}

std::string& LogScanner::Field(Tag t) {
  switch (t) {
    case kDate:
      return record_.date;
    case kTime:
      return record_.time;
    case kBest:
      return record_.best;
    case kNormal:
      return record_.normal;
    case kEconomic:
      return record_.economic;
    case kUser:
      return record_.user;
    default:
      return record_.remark;
  }
}

void LogScanner::ClearRecord() {
  for (unsigned t = kDate; t <= kRemark; ++t)
    Field(static_cast<Tag>(t)).clear();
}

void LogScanner::FeedCatalogueZone(std::string_view line, const TagSet& tags) {
  if (tags.Element(kName)) {
    nameMatched_ = ElementValue(line) == cartridge_;
  } else if (nameMatched_ && tags.Element(kPages)) {
    maximum_ = std::string(ElementValue(line));
    nameMatched_ = false;
  } else if (tags.Opens(kPrinted)) {
    inLog_ = true;
  }
}

bool CatalogueScanner::Feed(std::string_view line) {
  if (ended_)
    return false;
  const TagSet tags(line);
  if (tags.Empty())
    return true;
  if (tags.Opens(kCartridge)) {
    Flush();
    open_ = true;
  }
  if (tags.Element(kName)) {
    if (hasName_)
      Flush();
    Current().name = ElementValue(line);
    hasName_ = true;
  }
  if (tags.Element(kPrinter))
    Current().printer = ElementValue(line);
  if (tags.Element(kPages))
    Current().pages = ElementValue(line);
  if (tags.Closes(kCartridge))
    Flush();
  if (tags.Closes(kCartridges)) {
    Flush();
    ended_ = true;
  }
  return !ended_;
}

std::vector<CartridgeEntry> CatalogueScanner::Finish() {
  Flush();
  return std::move(entries_);
}

void CatalogueScanner::Flush() {
  if (open_)
    entries_.push_back(std::move(current_));
  current_ = CartridgeEntry{};
  open_ = hasName_ = false;
}

CartridgeEntry& CatalogueScanner::Current() {
  open_ = true;
  return current_;
}

}  // namespace scan
}  // namespace pw
