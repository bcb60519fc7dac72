// The reader of generated data. UnpackGlyph describes each word by the dots it holds (a row
// group, a column group, or one line of a band), which is the scan order seen from the other
// side: a fault in either description shows in the round-trip tests.
#include "output/scan_decode.h"

#include <fstream>

#include "base/code_rectangle.h"
#include "base/error.h"
#include "base/unicode.h"
#include "output/font_library.h"

namespace zemtra {
namespace {

int64_t WordsFor(int64_t n, int d) {
    return (n + d - 1) / d;
}

// The dots of word k as (x, y) per bit position from the word's top used bit down.
struct WordDots {
    int64_t lineStart;  // first dot along the group
    int64_t count;      // dots in the group
    int64_t across;     // the row (Row, RowColumn) or column (Column, ColumnRow) of the group
};

// Line modes: each line (row or column of `lineLength` dots) is cut into groups of d.
WordDots LineGroup(int64_t k, int64_t lineLength, int d) {
    const int64_t perLine = WordsFor(lineLength, d);
    const int64_t g = k % perLine;
    return {g * d, std::min<int64_t>(d, lineLength - g * d), k / perLine};
}

// Band modes: bands of d lines across, each band sent line by line.
WordDots BandLine(int64_t k, int64_t bandAxis, int64_t lines, int d) {
    const int64_t band = k / lines;
    return {band * d, std::min<int64_t>(d, bandAxis - band * d), k % lines};
}

}  // namespace

DotMatrix UnpackGlyph(const std::vector<uint32_t>& words, const ScanMode& mode, int32_t width,
                      int32_t height, int unitBits) {
    const int d = unitBits == 0 ? UnitBits(mode.dataWidth) : unitBits;
    const bool columns = mode.orientation == Column || mode.orientation == ColumnRow;
    const bool bands = mode.orientation == RowColumn || mode.orientation == ColumnRow;
    if (mode.orientation < Row || mode.orientation > ColumnRow ||
        (mode.direction != Forward && mode.direction != Backward)) {
        throw UserError(Message{Msg::ErrNoScanMode});
    }
    const int64_t along = columns ? height : width;  // dots along a line
    const int64_t lines = columns ? width : height;  // lines of the matrix
    const int64_t expected = lines * WordsFor(along, d);
    if (static_cast<int64_t>(words.size()) != expected) {
        throw UserError(Message{Msg::ErrGlyphWords,
                                {std::to_string(width), std::to_string(height),
                                 std::to_string(expected), std::to_string(words.size())}});
    }
    DotMatrix m(width, height);
    for (int64_t k = 0; k < expected; ++k) {
        const WordDots w = bands ? BandLine(k, along, lines, d) : LineGroup(k, along, d);
        for (int64_t i = 0; i < w.count; ++i) {
            // Forward: the group's first dot is the word's top bit; Backward: its bit 0.
            const int64_t bit = mode.direction == Forward ? d - 1 - i : i;
            const bool lit = (((words[k] >> bit) & 1u) != 0) != (mode.polarity == Anode);
            const int64_t a = w.lineStart + i;
            m.Set(static_cast<int32_t>(columns ? w.across : a),
                  static_cast<int32_t>(columns ? a : w.across), lit);
        }
    }
    return m;
}

namespace {

class Cursor {
  public:
    explicit Cursor(std::u16string_view t) : t_(t) {}
    bool Done() const { return at_ >= t_.size(); }
    bool Starts(std::u16string_view s) const { return t_.substr(at_, s.size()) == s; }
    void Skip(size_t n) { at_ = std::min(t_.size(), at_ + n); }
    void SkipSpace() {
        while (!Done() && (t_[at_] == ' ' || t_[at_] == '\t' || t_[at_] == '\r' || t_[at_] == '\n'))
            ++at_;
    }
    char16_t Take() { return Done() ? u'\0' : t_[at_++]; }
    bool Find(std::u16string_view s) {
        const size_t p = t_.find(s, at_);
        if (p == std::u16string_view::npos) return false;
        at_ = p + s.size();
        return true;
    }
    // Digits in the given base; -1 when there are none.
    int64_t Number(int base) {
        int64_t v = 0;
        bool any = false;
        while (!Done()) {
            const char16_t c = t_[at_];
            int digit = -1;
            if (c >= '0' && c <= '9') digit = c - '0';
            if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            if (digit < 0) break;
            v = v * base + digit;
            if (v > 0xFFFFFFFFLL) return -1;
            any = true;
            ++at_;
        }
        return any ? v : -1;
    }

  private:
    std::u16string_view t_;
    size_t at_ = 0;
};

[[noreturn]] void Malformed(Msg why) {
    throw UserError(Message{Msg::ErrNotCSource, {Message{why}}});
}

void ParseHeader(Cursor& c, ParsedCSource& out) {
    if (!c.Find(u"//DataBits : ")) Malformed(Msg::WhyNoDataBits);
    out.bits = static_cast<int>(c.Number(10));
    if (out.bits != 4 && out.bits != 8 && out.bits != 16 && out.bits != 24 && out.bits != 32) {
        Malformed(Msg::WhyWordWidth);
    }
    if (!c.Find(u"fontlib_")) Malformed(Msg::WhyNoFontlib);
    out.width = static_cast<int32_t>(c.Number(10));
    if (c.Take() != u'x') Malformed(Msg::WhyNoSize);
    out.height = static_cast<int32_t>(c.Number(10));
    if (out.width < 1 || out.height < 1 || out.width > kMaxMatrixSide ||
        out.height > kMaxMatrixSide) {
        Malformed(Msg::WhyMatrixSize);
    }
    if (!c.Find(u"[] = {")) Malformed(Msg::WhyArrayNoOpen);
}

}  // namespace

ParsedCSource ParseCSource(std::u16string_view text) {
    ParsedCSource out;
    Cursor c(text);
    ParseHeader(c, out);
    const uint64_t limit = out.bits == 32 ? 0xFFFFFFFFull : (1ull << out.bits) - 1;
    ParsedGlyph glyph;
    for (;;) {
        c.SkipSpace();
        if (c.Done()) Malformed(Msg::WhyArrayNoClose);
        if (c.Starts(u"};")) break;
        if (c.Starts(u"0x")) {
            c.Skip(2);
            const int64_t word = c.Number(16);
            if (word < 0 || static_cast<uint64_t>(word) > limit) Malformed(Msg::WhyBadWord);
            glyph.words.push_back(static_cast<uint32_t>(word));
            if (c.Starts(u",")) c.Skip(1);
        } else if (c.Starts(u"// '")) {
            c.Skip(4);
            glyph.character = std::u16string(1, c.Take());
            // CR, LF and NUL items are written as \r, \n and \0, which a line comment can hold.
            if (glyph.character == u"\\" &&
                (c.Starts(u"r', ") || c.Starts(u"n', ") || c.Starts(u"0', "))) {
                const char16_t escaped = c.Take();
                glyph.character = escaped == u'r'   ? std::u16string(u"\r")
                                  : escaped == u'n' ? std::u16string(u"\n")
                                                    : std::u16string(1, u'\0');
            }
            if (!c.Starts(u"', ")) Malformed(Msg::WhyBadComment);
            c.Skip(3);
            glyph.position = c.Number(10);
            out.glyphs.push_back(std::move(glyph));
            glyph = ParsedGlyph{};
        } else {
            Malformed(Msg::WhyUnexpectedText);
        }
    }
    if (!glyph.words.empty()) Malformed(Msg::WhyLastNoComment);
    return out;
}

std::u16string DecodeCSourceBytes(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        return text;
    }
    return Utf8ToUtf16(bytes);
}

DotMatrix ReadLibraryGlyph(const std::filesystem::path& file, const ProjectSettings& s,
                           uint16_t code) {
    if (!CodeRectangle(s).IndexOf(code)) {
        throw UserError(Message{Msg::ErrCodeOutside});
    }
    const int64_t r = LibraryRecordLength(s);
    if (r <= 0) throw UserError(Message{Msg::ErrNoScanMode});
    const std::optional<int64_t> index = LibraryRecordIndex(s, code);
    if (!index) throw UserError(Message{Msg::ErrNoSlot});
    RefuseFolder(file);
    std::ifstream in(file, std::ios::binary);
    if (!in) throw UserError(Message{Msg::ErrReadFileShort, {file.string()}});
    std::string record(static_cast<size_t>(r), '\0');
    in.seekg(*index * r);
    if (!in.read(record.data(), r)) {
        throw UserError(Message{Msg::ErrLibraryShort, {file.string()}});
    }
    std::vector<uint32_t> words(record.begin(), record.end());
    for (auto& w : words) w &= 0xFF;
    return UnpackGlyph(words, ScanModeOf(s), MatrixWidth(s), MatrixHeight(s),
                       LibraryPackingBits(s));
}

}  // namespace zemtra
