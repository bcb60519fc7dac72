// Lines of a C source text against its fontlib entries: every entry ends with its "// '"
// comment, so the comments before a line count the entries before it.
#include "output/c_source_lines.h"

#include <algorithm>

namespace zemtra {
namespace {

constexpr std::u16string_view kComment = u"// '";

size_t CountOf(std::u16string_view text, std::u16string_view what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::u16string_view::npos;
         at = text.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

bool Blank(std::u16string_view line) {
    return line.find_first_not_of(u" \t\r") == std::u16string_view::npos;
}

// Where the entries begin: just after the "[] = {" that follows the DataBits line and the
// fontlib name, as the reader finds them; npos when the text has no such array.
size_t ArrayStart(std::u16string_view text) {
    size_t at = text.find(u"//DataBits : ");
    if (at != std::u16string_view::npos) at = text.find(u"fontlib_", at);
    if (at != std::u16string_view::npos) at = text.find(u"[] = {", at);
    return at == std::u16string_view::npos ? at : at + 6;
}

}  // namespace

std::optional<size_t> GlyphIndexAtLine(std::u16string_view text, size_t line) {
    const size_t start = ArrayStart(text);
    if (start == std::u16string_view::npos) return std::nullopt;
    size_t begin = 0;
    for (size_t n = 0; n < line; ++n) {
        begin = text.find(u'\n', begin);
        if (begin == std::u16string_view::npos) return std::nullopt;
        ++begin;
    }
    const size_t end = std::min(text.find(u'\n', begin), text.size());
    if (end <= start) return std::nullopt;  // the header, or the array's opening line
    // The part of the line inside the array (the opening line may carry entries after "{").
    const size_t from = std::max(begin, start);
    std::u16string_view content = text.substr(from, end - from);
    const std::u16string_view before = text.substr(start, from - start);
    if (before.find(u"};") != std::u16string_view::npos) return std::nullopt;  // after the array
    const size_t close = content.find(u"};");
    if (close != std::u16string_view::npos) content = content.substr(0, close);
    if (Blank(content)) return std::nullopt;
    return CountOf(before, kComment);
}

}  // namespace zemtra
