// The value rules of ProjectSettings.
#include "base/project_settings.h"

#include <cstdlib>
#include <limits>

#include "base/unicode.h"

namespace zemtra {
namespace {

bool IsSpace(char32_t c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

template <typename Char>
int32_t LeadingInteger(std::basic_string_view<Char> text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t magnitude = 0;
    constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    if (negative) return static_cast<int32_t>(-magnitude);
    if (magnitude == kLimit) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(magnitude);
}

}  // namespace

int32_t Value(std::u16string_view text) {
    return LeadingInteger(text);
}
int32_t Value(std::string_view text) {
    return LeadingInteger(text);
}

bool IsWholeNumber(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    const size_t digits = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') ++i;
    if (i == digits) return false;
    while (i < text.size() && IsSpace(text[i])) ++i;
    return i == text.size();
}

std::vector<std::string> ChoicesOutOfRange(const ProjectSettings& s) {
    const struct {
        const char* key;
        int32_t value;
        int32_t last;
    } choices[] = {{"DATABIT", s.DATABIT, 4},
                   {"ORIENT", s.ORIENT, 3},
                   {"DIRECT", s.DIRECT, 1},
                   {"FORMAT", s.FORMAT, 1},
                   {"CODEPAGE", s.CODEPAGE, 4}};
    std::vector<std::string> out;
    for (const auto& c : choices) {
        if (c.value < 0 || c.value > c.last) out.push_back(c.key + ("=" + std::to_string(c.value)));
    }
    return out;
}

int DataWidth(int32_t databit) {
    switch (databit) {
        case 1:
            return 16;
        case 2:
            return 24;
        case 3:
            return 32;
        case 4:
            return 4;
        default:
            return 8;
    }
}

CodeRange CodeRangeOf(int32_t codepage) {
    switch (codepage) {
        case 2:
            return {0xA1A1, 0xFEFE};
        case 3:
            return {0x8140, 0xFEFE};
        case 4:
            return {0xA140, 0xF9FE};
        default:
            return {0x0000, 0xFFFF};
    }
}

uint32_t ClampedFrom(uint32_t from, uint32_t to, int32_t codepage) {
    uint32_t clamped = from;
    if (clamped < CodeRangeOf(codepage).lowest) clamped = CodeRangeOf(codepage).lowest;
    if (clamped > to) clamped = to;
    return clamped;
}

uint32_t ClampedTo(uint32_t to, uint32_t from, int32_t codepage) {
    uint32_t clamped = to;
    if (clamped > CodeRangeOf(codepage).highest) clamped = CodeRangeOf(codepage).highest;
    if (clamped < from) clamped = from;
    return clamped;
}

int32_t MatrixWidth(const ProjectSettings& s) {
    return Value(s.BLOCKNUMX);
}
int32_t MatrixHeight(const ProjectSettings& s) {
    return Value(s.BLOCKNUMY);
}

void DeriveFontSize(ProjectSettings& s) {
    const int32_t divisor = s.FONT.FaceName.find(u"华文行楷") != std::u16string::npos ? 3 : 2;
    s.FONT.Height = Value(s.BLOCKNUMY);
    s.FONT.Width = Value(s.BLOCKNUMX) / divisor;
    s.WIDTH = DecimalText(std::abs(static_cast<int64_t>(s.FONT.Width)));
    s.HEIGHT = DecimalText(std::abs(static_cast<int64_t>(s.FONT.Height)));
}

void ApplyNew(ProjectSettings& s, bool simSunInstalled) {
    LogFont& f = s.FONT;
    f.FaceName = simSunInstalled ? u"宋体" : u"Arial";
    f.FontFile.clear();  // back to an installed face
    f.FontIndex = 0;
    f.Weight = 400;
    f.Italic = f.Underline = f.StrikeOut = f.CharSet = 0;
    f.OutPrecision = 3;
    f.ClipPrecision = 2;
    f.PitchAndFamily = 34;
    s.BLOCKNUMX = u"16";
    s.BLOCKNUMY = u"16";
    s.THRESHOLD = u"128";
    s.DATABIT = 0;
    s.WIDTH = u"0";
    s.HEIGHT = u"0";
    f.Width = f.Height = 0;
    s.OFFSETX = s.OFFSETY = 0;
    s.ORIENT = s.DIRECT = s.FORMAT = 0;
    s.ENDEMO = 0;
    s.CODEPAGE = 0;
    s.FROM = 0x0000;
    s.TO = 0xFFFF;
    s.TEXT.clear();
    DeriveFontSize(s);
    s.LIST.clear();
    s.PIC.clear();
    s.GLYPHS.Clear();
}

std::optional<Message> RenderLimitError(const ProjectSettings& s) {
    const int32_t w = MatrixWidth(s);
    const int32_t h = MatrixHeight(s);
    if (w > kMaxMatrixSide || h > kMaxMatrixSide) {
        return Message{Msg::ErrMatrixTooLarge,
                       {std::to_string(w), std::to_string(h), std::to_string(kMaxMatrixSide)}};
    }
    const int64_t fw = std::abs(static_cast<int64_t>(s.FONT.Width));
    const int64_t fh = std::abs(static_cast<int64_t>(s.FONT.Height));
    if (fw > kMaxFontSize || fh > kMaxFontSize) {
        return Message{Msg::ErrFontTooLarge,
                       {std::to_string(s.FONT.Width), std::to_string(s.FONT.Height),
                        std::to_string(kMaxFontSize)}};
    }
    return std::nullopt;
}

}  // namespace zemtra
