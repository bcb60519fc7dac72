// The scan-order mapper and the packer built on it.
#include "base/scan_order.h"

namespace zemtra {
namespace {

// Words that n dots need at d dots a word.
int64_t WordsFor(int64_t n, int d) {
    return (n + d - 1) / d;
}

// Row orientation on a line-major matrix: `along` dots per line, lines counted by `across`.
// Column is the same walk with the axes exchanged, so both share this.
struct LineMapping {
    int64_t along;   // position inside the line (x for Row)
    int64_t across;  // line number (y for Row)
    int64_t word;
    int64_t bit;
};

LineMapping MapLines(int64_t i, int64_t lineLength, int d, bool backward) {
    LineMapping m{};
    m.across = i / lineLength;
    const int64_t r = i % lineLength;
    if (!backward) {
        m.along = r;
    } else {
        const int64_t g = r / d;
        const int64_t n = (g + 1) * d > lineLength ? lineLength % d : d;
        m.along = g * d + (n - 1 - r % d);
    }
    m.word = m.across * WordsFor(lineLength, d) + m.along / d;
    m.bit = backward ? m.along % d : d - 1 - m.along % d;
    return m;
}

// RowColumn on a band-major matrix: bands `d` dots wide along `along`, each band sent line by
// line, one word per line. ColumnRow is the same with the axes exchanged.
LineMapping MapBands(int64_t i, int64_t bandAxisLength, int64_t lineCount, int d, bool backward) {
    const int64_t perBand = lineCount * d;
    const int64_t g = bandAxisLength <= d ? 0 : i / perBand;
    const int64_t local = bandAxisLength <= d ? i : i % perBand;
    const int64_t w = bandAxisLength <= d            ? bandAxisLength
                      : (g + 1) * d > bandAxisLength ? bandAxisLength % d
                                                     : d;
    LineMapping m{};
    m.across = local / w;
    if (!backward) {
        m.along = local % w;
        m.bit = d - 1 - m.along;
    } else {
        m.along = w - 1 - local % w;
        m.bit = m.along;
    }
    m.word = m.across + g * lineCount;
    m.along += g * d;
    return m;
}

}  // namespace

ScanMode ScanModeOf(const ProjectSettings& s) {
    return ScanMode{s.ORIENT, s.DIRECT, s.FORMAT, s.DATABIT};
}

std::optional<ScanPosition> MapScanIndex(const ScanMode& mode, int64_t index, int32_t width,
                                         int32_t height, int unitBits) {
    if (mode.direction != Forward && mode.direction != Backward) return std::nullopt;
    if (width < 1 || height < 1 || index < 0 || index >= int64_t{width} * height) {
        return std::nullopt;
    }
    const int d = unitBits == 0 ? UnitBits(mode.dataWidth) : unitBits;
    const bool backward = mode.direction == Backward;
    LineMapping m{};
    bool transposed = false;
    switch (mode.orientation) {
        case Row:
            m = MapLines(index, width, d, backward);
            break;
        case Column:
            m = MapLines(index, height, d, backward);
            transposed = true;
            break;
        case RowColumn:
            m = MapBands(index, width, height, d, backward);
            break;
        case ColumnRow:
            m = MapBands(index, height, width, d, backward);
            transposed = true;
            break;
        default:
            return std::nullopt;
    }
    ScanPosition p;
    p.x = static_cast<int32_t>(transposed ? m.across : m.along);
    p.y = static_cast<int32_t>(transposed ? m.along : m.across);
    p.word = static_cast<int32_t>(m.word);
    p.bit = static_cast<int32_t>(m.bit);
    return p;
}

int64_t WordCount(const ScanMode& mode, int32_t width, int32_t height, int unitBits) {
    const auto last = MapScanIndex(mode, int64_t{width} * height - 1, width, height, unitBits);
    return last ? int64_t{last->word} + 1 : 0;
}

namespace {

// The scan order of one mode and size, flattened: the writers pack thousands of glyphs under one
// mode, and mapping each dot afresh would cost more than rendering a small glyph.
struct ScanTable {
    ScanMode mode;
    int32_t width = -1;
    int32_t height = -1;
    int bits = -1;
    std::vector<uint32_t> dot;  // y * width + x
    std::vector<uint32_t> word;
    std::vector<uint8_t> bit;
    int64_t words = 0;

    bool Matches(const ScanMode& m, int32_t w, int32_t h, int d) const {
        return width == w && height == h && bits == d && mode.orientation == m.orientation &&
               mode.direction == m.direction && mode.dataWidth == m.dataWidth;
    }

    void Build(const ScanMode& m, int32_t w, int32_t h, int d) {
        mode = m;
        width = w;
        height = h;
        bits = d;
        const auto dots = static_cast<size_t>(int64_t{w} * h);
        dot.resize(dots);
        word.resize(dots);
        bit.resize(dots);
        for (size_t i = 0; i < dots; ++i) {
            const auto p = MapScanIndex(m, static_cast<int64_t>(i), w, h, d);
            dot[i] = static_cast<uint32_t>(int64_t{p->y} * w + p->x);
            word[i] = static_cast<uint32_t>(p->word);
            bit[i] = static_cast<uint8_t>(p->bit);
        }
        words = dots == 0 ? 0 : int64_t{word.back()} + 1;
    }
};

}  // namespace

std::vector<uint32_t> PackGlyph(const DotMatrix& matrix, const ScanMode& mode, int unitBits) {
    const int32_t w = matrix.Width();
    const int32_t h = matrix.Height();
    std::vector<uint32_t> words;
    if (WordCount(mode, w, h, unitBits) <= 0) return words;
    const int d = unitBits == 0 ? UnitBits(mode.dataWidth) : unitBits;
    thread_local ScanTable table;
    if (!table.Matches(mode, w, h, d)) table.Build(mode, w, h, d);

    words.assign(static_cast<size_t>(table.words), 0);
    const uint8_t* dots = matrix.Row(0);
    for (size_t i = 0; i < table.dot.size(); ++i) {
        words[table.word[i]] |= uint32_t{dots[table.dot[i]] != 0} << table.bit[i];
    }
    // Anode inverts the dots' bits only; padding and bits above d stay 0.
    if (mode.polarity == Anode) {
        for (size_t i = 0; i < table.dot.size(); ++i) words[table.word[i]] ^= 1u << table.bit[i];
    }
    return words;
}

}  // namespace zemtra
