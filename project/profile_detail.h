// Pieces of the profile layer shared by its two source files: white space and name rules, the
// line walker, byte decoding and bounded file reading. Not for use outside project/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zemtra::profile_detail {

// The white space that profile lines and values are trimmed of; CR and LF end lines instead.
inline bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

// The text without the white space at both ends, or at its start; isSpace says what counts.
using SpaceTest = bool (*)(char16_t);
std::u16string_view Trim(std::u16string_view text, SpaceTest isSpace = IsSpace);
std::u16string_view TrimLeft(std::u16string_view text, SpaceTest isSpace = IsSpace);

// Section and key names compare with ASCII letters folded; other units must be equal.
bool NamesEqual(std::u16string_view a, std::u16string_view b);
// The name with ASCII letters folded: equal for exactly the names NamesEqual calls equal.
std::u16string FoldedName(std::u16string_view name);

// A value wrapped in a matching pair of ' or " without the pair; any other value as it is.
std::u16string_view StripQuotes(std::u16string_view value);

// Walks the lines of a text: [begin, end) is a line's content, [end, next) its line end (CR LF,
// CR, LF, or nothing for a last line without one).
template <typename Char>
class LineWalker {
  public:
    explicit LineWalker(std::basic_string_view<Char> text) : text_(text) {}
    bool Next(size_t& begin, size_t& end, size_t& next) {
        if (pos_ >= text_.size()) return false;
        begin = pos_;
        size_t i = pos_;
        while (i < text_.size() && text_[i] != Char('\r') && text_[i] != Char('\n')) ++i;
        end = i;
        if (i < text_.size()) {
            const bool crlf =
                text_[i] == Char('\r') && i + 1 < text_.size() && text_[i + 1] == Char('\n');
            i += crlf ? 2 : 1;
        }
        next = pos_ = i;
        return true;
    }

  private:
    std::basic_string_view<Char> text_;
    size_t pos_ = 0;
};

enum class LineKind { Blank, Comment, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::u16string_view name;                  // section name or key name, trimmed
    std::optional<std::u16string_view> value;  // a key's trimmed value; nothing without "="
};

ParsedLine ParseLine(std::u16string_view line);

// Byte text in a code page to UTF-16 with every CR and LF kept where it was: a lead byte right
// before a line end must not swallow it.
std::u16string DecodeAnsi(std::string_view bytes, int codePage);

// The whole file, or nothing when it does not exist. Throws UserError when it cannot be read,
// is not a regular file or holds more than limit bytes. Never blocks on a pipe or device.
std::optional<std::string> ReadFileBounded(const std::filesystem::path& path, uintmax_t limit);

}  // namespace zemtra::profile_detail
