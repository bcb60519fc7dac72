// Conversions between the program's UTF-16 text and the UTF-8 of file names, options and the
// terminal. A lone surrogate, which UTF-8 cannot hold, becomes U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zemtra {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
// Appends a code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

// The text as UTF-16LE bytes after the byte-order mark FF FE, as the program's text files are.
std::string Utf16LeWithMark(std::u16string_view text);

// A character as UTF-16: one unit, or a surrogate pair beyond U+FFFF.
std::u16string CharacterUtf16(char32_t character);
// The first character of the text: a surrogate pair's code point, else the first unit (a lone
// surrogate as it stands); 0 for an empty text.
char32_t FirstCharacter(std::u16string_view text);
// The units the first character takes: 2 for a surrogate pair, 1 otherwise, 0 for no text.
size_t FirstCharacterUnits(std::u16string_view text);
// True when the text is exactly one character (one unit, or one surrogate pair).
bool IsOneCharacter(std::u16string_view text);

// The decimal text of a number, "-" before a negative one, no padding: what a numeric field
// and a profile value hold.
std::u16string DecimalText(int64_t value);

}  // namespace zemtra
