// Conversions between the program's UTF-16 text and the UTF-8 of file names, options and the
// terminal. A lone surrogate, which UTF-8 cannot hold, becomes U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zemtra {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// The text as UTF-16LE bytes after the byte-order mark FF FE, as the program's text files are.
std::string Utf16LeWithMark(std::u16string_view text);

// The decimal text of a number, "-" before a negative one, no padding: what a numeric field
// and a profile value hold.
std::u16string DecimalText(int64_t value);

}  // namespace zemtra
