#pragma once
// The rules by which the data file's lines are read, and by which a value is made fit to be
// written into one.

#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

// True when the line holds both "<element>" and "</element>" anywhere.
bool lineHasElement(std::string_view line, std::string_view element);
// The value of an element line: from after the first '>' up to before the last '/' minus one.
std::string extractElementValue(std::string_view line);

// The first place in text where anchor begins or a '\r' stands; npos when there is none. A whole
// data file is searched this way before a rewrite copies it, so the search runs at memory speed.
std::size_t findAnchorOrCarriageReturn(std::string_view text, std::string_view anchor);

// Each line break (CR LF, CR or LF) becomes one blank: the data file holds one element per line.
std::string flattenLineBreaks(std::string_view text);
// A value as it is written into the data file: its line breaks flattened, and every start or end
// tag of the file's own vocabulary ("<data>", "</best>", ...) has its angle brackets replaced by
// the look-alikes U+2039 and U+203A ("‹data›"), so that no value (a job title, a user
// name, a typed remark) can forge, hide or split a record. Everything else stays verbatim.
std::string storableValue(std::string_view value);
// atoi's rules (white space, sign, digits), wrapping instead of overflowing.
std::int32_t atoiLike(std::string_view text);

}  // namespace pw
