// Character ranges: reading and writing their text.
#include "base/code_spans.h"

#include <charconv>
#include <cstdio>

#include "base/error.h"

namespace zemtra {

std::vector<CodeSpan> ParseCodeSpans(std::string_view text) {
    const auto code = [&](std::string_view part, std::string_view whole) {
        std::string_view digits = part;
        if (digits.starts_with("U+") || digits.starts_with("u+") || digits.starts_with("0x") ||
            digits.starts_with("0X")) {
            digits.remove_prefix(2);
        }
        unsigned long value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (digits.empty() || digits.size() > 8 || error != std::errc() ||
            end != digits.data() + digits.size()) {
            throw UserError("\"" + std::string(whole) +
                            "\" is not a character code or range like U+0020-U+007E.");
        }
        return static_cast<char32_t>(value);
    };
    std::vector<CodeSpan> spans;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) comma = text.size();
        std::string_view part = text.substr(start, comma - start);
        while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
        const size_t dash = part.find('-');
        CodeSpan span;
        span.first = code(part.substr(0, dash), part);
        span.last = dash == std::string_view::npos ? span.first : code(part.substr(dash + 1), part);
        spans.push_back(span);
        start = comma + 1;
    }
    return spans;
}

std::string CodeSpansText(const std::vector<CodeSpan>& spans) {
    std::string text;
    char code[24];
    for (const CodeSpan& span : spans) {
        if (!text.empty()) text += ',';
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(span.first));
        text += code;
        if (span.last != span.first) {
            std::snprintf(code, sizeof code, "-U+%04X", static_cast<unsigned>(span.last));
            text += code;
        }
    }
    return text;
}

bool SpansHold(const std::vector<CodeSpan>& spans, char32_t c) {
    for (const CodeSpan& span : spans) {
        if (span.first <= c && c <= span.last) return true;
    }
    return false;
}

}  // namespace zemtra
