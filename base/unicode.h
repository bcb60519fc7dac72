// Conversions between the program's UTF-16 text and the UTF-8 of file names, options and the
// terminal. A lone surrogate, which UTF-8 cannot hold, becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace zemtra {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace zemtra
