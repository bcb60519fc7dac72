// Reading and writing the [Glyphs] section: key and row texts, and the merge that keeps every
// entry it cannot read.
#include "project/glyph_section.h"

#include <cstdio>
#include <unordered_set>

#include "base/unicode.h"
#include "project/profile_detail.h"

namespace zemtra {
namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

bool IsDecimal(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// A matrix side: 1..kMaxGlyphEditSide in decimal without a leading zero.
std::optional<int32_t> ParseSide(std::u16string_view text) {
    if (text.empty() || text.size() > 4 || text.front() == u'0') return std::nullopt;
    int32_t value = 0;
    for (char16_t c : text) {
        if (!IsDecimal(c)) return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    if (value > kMaxGlyphEditSide) return std::nullopt;
    return value;
}

std::string Row(size_t index) {
    return "row " + std::to_string(index + 1);
}

// Reads one row of width dots into dots' row y.
std::optional<std::string> ParseRow(std::u16string_view row, size_t y, int32_t width,
                                    GlyphDots& dots) {
    row = profile_detail::Trim(row);
    const size_t digits = (static_cast<size_t>(width) + 3) / 4;
    if (row.size() != digits) {
        return Row(y) + " has " + std::to_string(row.size()) + " digits; a row of " +
               std::to_string(width) + " dots takes " + std::to_string(digits);
    }
    for (size_t i = 0; i < digits; ++i) {
        const int d = HexDigit(row[i]);
        if (d < 0) {
            return Row(y) + " (\"" + Utf16ToUtf8(row) + "\") is not hexadecimal";
        }
        for (int bit = 0; bit < 4; ++bit) {
            if (((d >> (3 - bit)) & 1) == 0) continue;
            const size_t x = i * 4 + static_cast<size_t>(bit);
            if (x >= static_cast<size_t>(width)) {
                return Row(y) + " lights dots beyond the width of " + std::to_string(width);
            }
            dots.Set(static_cast<int32_t>(x), static_cast<int32_t>(y), true);
        }
    }
    return std::nullopt;
}

// Collects the problems of one read, naming at most kMaxNamedGlyphProblems of them.
class Problems {
  public:
    void Add(std::u16string_view key, const std::string& why) {
        if (lines_.size() >= kMaxNamedGlyphProblems) {
            ++unnamed_;
            return;
        }
        lines_.push_back("[Glyphs] \"" + Utf16ToUtf8(key) + "\": " + why +
                         "; the entry is skipped");
    }
    std::vector<std::string> Lines() && {
        if (unnamed_ > 0) {
            lines_.push_back("[Glyphs]: " + std::to_string(unnamed_) +
                             " more entries are skipped as well");
        }
        return std::move(lines_);
    }

  private:
    std::vector<std::string> lines_;
    size_t unnamed_ = 0;
};

}  // namespace

std::u16string GlyphKeyText(const GlyphEditKey& key) {
    char text[48];
    std::snprintf(text, sizeof text, "U+%04X %dx%d", static_cast<unsigned>(key.code), key.width,
                  key.height);
    return Ascii(text);
}

std::u16string GlyphRowsText(const GlyphDots& dots) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string text;
    const int32_t digits = (dots.Width() + 3) / 4;
    text.reserve(static_cast<size_t>(dots.Height()) * static_cast<size_t>(digits + 1));
    for (int32_t y = 0; y < dots.Height(); ++y) {
        if (y > 0) text += u',';
        for (int32_t i = 0; i < digits; ++i) {
            int nibble = 0;
            for (int bit = 0; bit < 4; ++bit) {
                const int32_t x = i * 4 + bit;
                if (x < dots.Width() && dots.Lit(x, y)) nibble |= 8 >> bit;
            }
            text += kDigits[nibble];
        }
    }
    return text;
}

std::u16string GlyphEntryText(const GlyphEditKey& key, const GlyphDots& dots) {
    return GlyphKeyText(key) + u'=' + GlyphRowsText(dots);
}

std::optional<std::string> ParseGlyphKey(std::u16string_view text, GlyphEditKey& key) {
    const std::string form =
        "the key is not U+XXXX WxH (4 to 6 hexadecimal digits, one space, "
        "the matrix size)";
    if (text.size() < 2 || (text[0] != u'U' && text[0] != u'u') || text[1] != u'+') return form;
    const size_t space = text.find(u' ');
    if (space == std::u16string_view::npos) return form;
    const std::u16string_view code = text.substr(2, space - 2);
    const std::u16string_view size = text.substr(space + 1);
    if (code.size() < 4 || code.size() > 6) return form;
    char32_t value = 0;
    for (char16_t c : code) {
        const int d = HexDigit(c);
        if (d < 0) return form;
        value = value * 16 + static_cast<char32_t>(d);
    }
    if (code.size() > 4 && code.front() == u'0') {
        // U+00041 would be a second key of U+0041, which the profile would not see as one.
        return "the code has a leading zero beyond four digits";
    }
    if (value > kMaxCodePoint) return "the code is above U+10FFFF, the last code point";
    const size_t x = size.find_first_of(u"xX");
    const std::optional<int32_t> w =
        x == std::u16string_view::npos ? std::nullopt : ParseSide(size.substr(0, x));
    const std::optional<int32_t> h =
        x == std::u16string_view::npos ? std::nullopt : ParseSide(size.substr(x + 1));
    if (!w || !h) {
        return "the size \"" + Utf16ToUtf8(size) + "\" is not WxH with 1 to " +
               std::to_string(kMaxGlyphEditSide) + " dots a side";
    }
    key = {value, *w, *h};
    return std::nullopt;
}

std::optional<std::string> ParseGlyphRows(std::u16string_view text, int32_t width, int32_t height,
                                          GlyphDots& dots) {
    text = profile_detail::Trim(text);
    if (text.empty()) return std::string("the value is empty");
    size_t rows = 1;
    for (char16_t c : text) rows += c == u',';
    if (rows != static_cast<size_t>(height)) {
        return "the value has " + std::to_string(rows) + (rows == 1 ? " row" : " rows") +
               "; a glyph of " + std::to_string(width) + "x" + std::to_string(height) + " has " +
               std::to_string(height);
    }
    GlyphDots read(width, height);
    size_t y = 0;
    for (size_t start = 0; start <= text.size(); ++y) {
        size_t comma = text.find(u',', start);
        if (comma == std::u16string_view::npos) comma = text.size();
        if (auto why = ParseRow(text.substr(start, comma - start), y, width, read)) return why;
        start = comma + 1;
    }
    dots = std::move(read);
    return std::nullopt;
}

GlyphSection ReadGlyphSection(const Profile& profile) {
    GlyphSection section;
    Problems problems;
    std::unordered_set<uint64_t> seen;  // keys that had their first entry
    size_t entries = 0;
    profile.VisitKeys(kGlyphsSection, [&](std::u16string_view name,
                                          std::optional<std::u16string_view> value) {
        if (++entries > kMaxGlyphEntries) return;
        GlyphEditKey key;
        if (auto why = ParseGlyphKey(name, key)) {
            problems.Add(name, *why);
            return;
        }
        if (!seen.insert(GlyphEdits::PackedKey(key)).second) {
            problems.Add(name, "repeats an earlier key, and only the first entry of a key is read");
            return;
        }
        if (!value) {
            problems.Add(name, "has no value (no \"=\")");
            return;
        }
        GlyphDots dots;
        if (auto why = ParseGlyphRows(*value, key.width, key.height, dots)) {
            problems.Add(name, *why);
            return;
        }
        section.edits.Set(key.code, std::move(dots));
    });
    section.problems = std::move(problems).Lines();
    if (entries > kMaxGlyphEntries) {
        section.problems.push_back("[Glyphs]: " + std::to_string(entries - kMaxGlyphEntries) +
                                   " entries after the first " + std::to_string(kMaxGlyphEntries) +
                                   " are skipped");
    }
    return section;
}

void WriteGlyphSection(const GlyphEdits& edits, Profile& profile) {
    const GlyphSection current = ReadGlyphSection(profile);
    for (const GlyphEditKey& key : current.edits.Keys()) {
        if (edits.Find(key) == nullptr) profile.Delete(kGlyphsSection, GlyphKeyText(key));
    }
    for (const GlyphEditKey& key : edits.Keys()) {
        const GlyphDots& dots = *edits.Find(key);
        const GlyphDots* stored = current.edits.Find(key);
        if (stored != nullptr && *stored == dots) continue;  // stays as the file spells it
        profile.Set(kGlyphsSection, GlyphKeyText(key), GlyphRowsText(dots));
    }
}

}  // namespace zemtra
