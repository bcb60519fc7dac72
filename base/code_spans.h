// Character ranges as the command line and the project files write them: "U+0020-U+007E,U+4E00".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zemtra {

struct CodeSpan {
    char32_t first = 0;
    char32_t last = 0;  // inclusive

    bool operator==(const CodeSpan&) const = default;
};

// "U+0020-U+007E,U+4E00-U+9FA5": ranges and single characters, comma-separated, each code U+
// or 0x and hexadecimal digits (or the digits alone). Throws UserError naming the bad part.
std::vector<CodeSpan> ParseCodeSpans(std::string_view text);

// The spans as ParseCodeSpans reads them back: "U+0020-U+007E,U+4E00".
std::string CodeSpansText(const std::vector<CodeSpan>& spans);

// True when one of the spans holds the character.
bool SpansHold(const std::vector<CodeSpan>& spans, char32_t c);

}  // namespace zemtra
