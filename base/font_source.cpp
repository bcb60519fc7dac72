// Font sources: their one-line text, as the command line, the project file and the window
// write it.
#include "base/font_source.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "base/error.h"
#include "base/project_settings.h"
#include "base/unicode.h"

namespace zemtra {
namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(),
                      [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b + 32 : b); });
}

bool LooksLikeFile(std::string_view name) {
    if (name.find('/') != std::string_view::npos) return true;
    for (std::string_view suffix : {".ttf", ".otf", ".ttc", ".otc", ".bdf", ".pcf", ".pcf.gz"}) {
        if (EndsWithNoCase(name, suffix)) return true;
    }
    return false;
}

std::optional<int32_t> Integer(std::string_view text, int32_t lowest, int32_t highest) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < lowest || value > highest) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

[[noreturn]] void Bad(std::string_view whole, const std::string& why) {
    throw UserError("Font source \"" + std::string(whole) + "\": " + why);
}

}  // namespace

FontSource ParseFontSource(std::string_view text) {
    FontSource source;
    // A vertical face's name starts with '@'; the separators come after the name.
    size_t at = text.find('@', text.starts_with('@') ? 1 : 0);
    std::string_view name = text.substr(0, at);
    if (name.empty()) Bad(text, "no face or file is named.");
    if (LooksLikeFile(name)) {
        const size_t hash = name.rfind('#');
        if (hash != std::string_view::npos && hash > name.rfind('/')) {
            const auto index = Integer(name.substr(hash + 1), 0, 65535);
            if (!index) Bad(text, "\"" + std::string(name.substr(hash)) + "\" is no face index.");
            source.index = *index;
            name = name.substr(0, hash);
        }
        source.file = Utf8ToUtf16(name);
    } else {
        source.face = Utf8ToUtf16(name);
        if (source.face.size() > kMaxFaceNameLength) {
            Bad(text, "a face name has at most 31 characters.");
        }
    }
    bool sized = false, moved = false, ranged = false;
    while (at != std::string_view::npos) {
        const size_t next = text.find('@', at + 1);
        const std::string_view part = text.substr(at + 1, next - at - 1);
        at = next;
        if (part.starts_with("size=") && !sized) {
            sized = true;
            const std::string_view value = part.substr(5);
            const size_t x = value.find('x');
            const auto height =
                Integer(x == std::string_view::npos ? value : value.substr(x + 1), 1, kMaxFontSize);
            const auto width = x == std::string_view::npos
                                   ? std::optional<int32_t>(0)
                                   : Integer(value.substr(0, x), 0, kMaxFontSize);
            if (!height || !width) {
                Bad(text, "\"" + std::string(part) +
                              "\" is no size like size=16 or size=8x16 (1 to " +
                              std::to_string(kMaxFontSize) + ").");
            }
            source.height = *height;
            source.width = *width;
        } else if (part.starts_with("offset=") && !moved) {
            moved = true;
            const std::string_view value = part.substr(7);
            const size_t comma = value.find(',');
            const auto dx = Integer(value.substr(0, comma), -kMaxSourceOffset, kMaxSourceOffset);
            const auto dy =
                comma == std::string_view::npos
                    ? std::nullopt
                    : Integer(value.substr(comma + 1), -kMaxSourceOffset, kMaxSourceOffset);
            if (!dx || !dy) {
                Bad(text, "\"" + std::string(part) + "\" is no offset like offset=0,1 (each " +
                              std::to_string(-kMaxSourceOffset) + " to " +
                              std::to_string(kMaxSourceOffset) + ").");
            }
            source.dx = *dx;
            source.dy = *dy;
        } else if (!ranged && !part.starts_with("size=") && !part.starts_with("offset=")) {
            ranged = true;
            try {
                source.ranges = ParseCodeSpans(part);
            } catch (const UserError& e) {
                Bad(text, e.what());
            }
            for (const CodeSpan& span : source.ranges) {
                if (span.last < span.first || span.last > 0x10FFFF) {
                    Bad(text, "\"" + std::string(part) +
                                  "\" holds a range that runs backwards or "
                                  "beyond U+10FFFF.");
                }
            }
        } else {
            Bad(text, "\"" + std::string(part) + "\" is given twice or is unknown.");
        }
    }
    return source;
}

std::string FontSourceText(const FontSource& source) {
    std::string text = FontSourceName(source);
    // A file whose name holds a '#' keeps its index, even 0, so the name reads back whole.
    const size_t slash = text.rfind('/');
    const bool hashInName =
        text.find('#', slash == std::string::npos ? 0 : slash) != std::string::npos;
    if (!source.file.empty() && (source.index != 0 || hashInName)) {
        text += "#" + std::to_string(source.index);
    }
    if (!source.ranges.empty()) text += "@" + CodeSpansText(source.ranges);
    if (source.height != 0) {
        text += "@size=";
        if (source.width != 0) text += std::to_string(source.width) + "x";
        text += std::to_string(source.height);
    }
    if (source.dx != 0 || source.dy != 0) {
        text += "@offset=" + std::to_string(source.dx) + "," + std::to_string(source.dy);
    }
    return text;
}

std::string FontSourceName(const FontSource& source) {
    return Utf16ToUtf8(source.file.empty() ? source.face : source.file);
}

}  // namespace zemtra
