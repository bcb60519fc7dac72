// Scan order and packing: the worked 10 x 3 example word for word, the invariants of every mode,
// and the packer against a literal word-by-word reference.
#include "base/scan_order.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>

namespace zemtra {
namespace {

ScanMode Mode(int32_t orientation, int32_t direction, int32_t polarity = Cathode,
              int32_t dataWidth = 0) {
    return ScanMode{orientation, direction, polarity, dataWidth};
}

// Renders the words of a mode as the example table writes them: "x,y" per bit from bit d-1 down
// to bit 0, "-" for padding, words separated by "; ".
std::string DescribeWords(const ScanMode& mode, int32_t w, int32_t h, int d) {
    std::map<std::pair<int, int>, std::string> cells;
    int words = 0;
    for (int64_t i = 0; i < int64_t{w} * h; ++i) {
        const auto p = MapScanIndex(mode, i, w, h, d);
        cells[{p->word, p->bit}] = std::to_string(p->x) + "," + std::to_string(p->y);
        words = std::max(words, p->word + 1);
    }
    std::ostringstream out;
    for (int word = 0; word < words; ++word) {
        if (word > 0) out << "; ";
        for (int bit = d - 1; bit >= 0; --bit) {
            auto it = cells.find({word, bit});
            out << (it == cells.end() ? "-" : it->second) << (bit > 0 ? " " : "");
        }
    }
    return out.str();
}

std::string Row3(const char* a, const char* b, const char* c) {
    return std::string(a) + "; " + b + "; " + c;
}

TEST(ScanOrderWorkedExample, TenByThreeAtEightBits) {
    EXPECT_EQ(DescribeWords(Mode(Row, Forward), 10, 3, 8),
              "0,0 1,0 2,0 3,0 4,0 5,0 6,0 7,0; 8,0 9,0 - - - - - -; "
              "0,1 1,1 2,1 3,1 4,1 5,1 6,1 7,1; 8,1 9,1 - - - - - -; "
              "0,2 1,2 2,2 3,2 4,2 5,2 6,2 7,2; 8,2 9,2 - - - - - -");
    EXPECT_EQ(DescribeWords(Mode(Row, Backward), 10, 3, 8),
              "7,0 6,0 5,0 4,0 3,0 2,0 1,0 0,0; - - - - - - 9,0 8,0; "
              "7,1 6,1 5,1 4,1 3,1 2,1 1,1 0,1; - - - - - - 9,1 8,1; "
              "7,2 6,2 5,2 4,2 3,2 2,2 1,2 0,2; - - - - - - 9,2 8,2");
    EXPECT_EQ(DescribeWords(Mode(RowColumn, Forward), 10, 3, 8),
              Row3("0,0 1,0 2,0 3,0 4,0 5,0 6,0 7,0", "0,1 1,1 2,1 3,1 4,1 5,1 6,1 7,1",
                   "0,2 1,2 2,2 3,2 4,2 5,2 6,2 7,2") +
                  "; 8,0 9,0 - - - - - -; 8,1 9,1 - - - - - -; 8,2 9,2 - - - - - -");
    EXPECT_EQ(DescribeWords(Mode(RowColumn, Backward), 10, 3, 8),
              Row3("7,0 6,0 5,0 4,0 3,0 2,0 1,0 0,0", "7,1 6,1 5,1 4,1 3,1 2,1 1,1 0,1",
                   "7,2 6,2 5,2 4,2 3,2 2,2 1,2 0,2") +
                  "; - - - - - - 9,0 8,0; - - - - - - 9,1 8,1; - - - - - - 9,2 8,2");
    for (int32_t orientation : {Column, ColumnRow}) {
        std::string forward, backward;
        for (int k = 0; k < 10; ++k) {
            const std::string x = std::to_string(k);
            forward += (k ? "; " : "") + x + ",0 " + x + ",1 " + x + ",2 - - - - -";
            backward +=
                (k ? "; " : "") + std::string("- - - - - ") + x + ",2 " + x + ",1 " + x + ",0";
        }
        EXPECT_EQ(DescribeWords(Mode(orientation, Forward), 10, 3, 8), forward);
        EXPECT_EQ(DescribeWords(Mode(orientation, Backward), 10, 3, 8), backward);
    }
}

std::string ScanOrderPrefix(const ScanMode& mode, int32_t w, int32_t h, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        const auto p = MapScanIndex(mode, i, w, h, 8);
        out += (i ? " " : "") + std::to_string(p->x) + "," + std::to_string(p->y);
    }
    return out;
}

TEST(ScanOrderWorkedExample, ScanSequences) {
    EXPECT_EQ(ScanOrderPrefix(Mode(Row, Backward), 10, 3, 11),
              "7,0 6,0 5,0 4,0 3,0 2,0 1,0 0,0 9,0 8,0 7,1");
    EXPECT_EQ(ScanOrderPrefix(Mode(RowColumn, Forward), 10, 3, 10),
              "0,0 1,0 2,0 3,0 4,0 5,0 6,0 7,0 0,1 1,1");
    EXPECT_EQ(ScanOrderPrefix(Mode(Column, Backward), 10, 3, 4), "0,2 0,1 0,0 1,2");
}

TEST(ScanOrderWorkedExample, ColumnRowOnTransposedMatrixMirrorsRowColumn) {
    for (int32_t dir : {Forward, Backward}) {
        for (int64_t i = 0; i < 30; ++i) {
            const auto a = MapScanIndex(Mode(RowColumn, dir), i, 10, 3, 8);
            const auto b = MapScanIndex(Mode(ColumnRow, dir), i, 3, 10, 8);
            EXPECT_EQ(a->x, b->y);
            EXPECT_EQ(a->y, b->x);
            EXPECT_EQ(a->word, b->word);
            EXPECT_EQ(a->bit, b->bit);
        }
    }
}

TEST(ScanOrderWorkedExample, PackedCornerDots) {
    DotMatrix m(10, 3);
    m.Set(0, 0, true);
    m.Set(9, 2, true);
    EXPECT_EQ(PackGlyph(m, Mode(Row, Forward, Cathode), 0),
              (std::vector<uint32_t>{0x80, 0x00, 0x00, 0x00, 0x00, 0x40}));
    EXPECT_EQ(PackGlyph(m, Mode(Row, Forward, Anode), 0),
              (std::vector<uint32_t>{0x7F, 0xC0, 0xFF, 0xC0, 0xFF, 0x80}));
    EXPECT_EQ(PackGlyph(DotMatrix(10, 3), Mode(Row, Forward, Anode), 0),
              (std::vector<uint32_t>{0xFF, 0xC0, 0xFF, 0xC0, 0xFF, 0xC0}));
}

TEST(ScanOrder, UnitBitsPutsFourBitsLast) {
    EXPECT_EQ(UnitBits(0), 8);
    EXPECT_EQ(UnitBits(1), 16);
    EXPECT_EQ(UnitBits(2), 24);
    EXPECT_EQ(UnitBits(3), 32);
    EXPECT_EQ(UnitBits(4), 4);
    EXPECT_EQ(UnitBits(-1), 8);
    EXPECT_EQ(UnitBits(5), 8);
}

TEST(ScanOrder, InvalidOrientationOrDirectionMapsNothing) {
    for (const ScanMode& mode :
         {Mode(-1, Forward), Mode(4, Forward), Mode(Row, -1), Mode(Column, 2)}) {
        EXPECT_FALSE(MapScanIndex(mode, 0, 16, 16, 0).has_value());
        EXPECT_EQ(WordCount(mode, 16, 16, 0), 0);
        EXPECT_TRUE(PackGlyph(DotMatrix(16, 16), mode, 0).empty());
    }
    EXPECT_FALSE(MapScanIndex(Mode(Row, Forward), 256, 16, 16, 0).has_value());
    EXPECT_FALSE(MapScanIndex(Mode(Row, Forward), -1, 16, 16, 0).has_value());
}

TEST(ScanOrder, WordCountsMatchClosedForms) {
    for (int d : {4, 8, 16, 24, 32}) {
        for (int32_t w : {1, 3, 8, 10, 16, 17, 33}) {
            for (int32_t h : {1, 2, 7, 16, 25}) {
                const int64_t rows = int64_t{h} * ((w + d - 1) / d);
                const int64_t cols = int64_t{w} * ((h + d - 1) / d);
                for (int32_t dir : {Forward, Backward}) {
                    EXPECT_EQ(WordCount(Mode(Row, dir), w, h, d), rows);
                    EXPECT_EQ(WordCount(Mode(RowColumn, dir), w, h, d), rows);
                    EXPECT_EQ(WordCount(Mode(Column, dir), w, h, d), cols);
                    EXPECT_EQ(WordCount(Mode(ColumnRow, dir), w, h, d), cols);
                }
            }
        }
    }
    EXPECT_EQ(WordCount(Mode(Row, Forward, Cathode, 4), 10, 3, 0), 9);
}

// Every index visits a distinct dot, words never decrease, every word occurs, and inside a
// word the scan runs from its highest used bit down.
TEST(ScanOrder, EveryModeVisitsEveryDotOnceInWordOrder) {
    for (int32_t orientation : {Row, Column, RowColumn, ColumnRow}) {
        for (int32_t dir : {Forward, Backward}) {
            for (int d : {4, 8, 16, 24, 32}) {
                for (auto [w, h] : {std::pair{1, 1}, {10, 3}, {3, 10}, {17, 9}, {40, 33}}) {
                    const ScanMode mode = Mode(orientation, dir);
                    std::set<std::pair<int, int>> dots;
                    std::set<std::pair<int, int>> bits;
                    int lastWord = 0, lastBit = d;
                    for (int64_t i = 0; i < int64_t{w} * h; ++i) {
                        const auto p = MapScanIndex(mode, i, w, h, d);
                        ASSERT_TRUE(p);
                        ASSERT_GE(p->x, 0);
                        ASSERT_LT(p->x, w);
                        ASSERT_GE(p->y, 0);
                        ASSERT_LT(p->y, h);
                        ASSERT_GE(p->bit, 0);
                        ASSERT_LT(p->bit, d);
                        EXPECT_TRUE(dots.insert({p->x, p->y}).second);
                        EXPECT_TRUE(bits.insert({p->word, p->bit}).second);
                        if (p->word == lastWord) {
                            EXPECT_LT(p->bit, lastBit) << "bits must fall inside a word";
                        } else {
                            EXPECT_EQ(p->word, lastWord + 1);
                        }
                        lastWord = p->word;
                        lastBit = p->bit;
                    }
                    EXPECT_EQ(lastWord + 1, WordCount(mode, w, h, d));
                }
            }
        }
    }
}

TEST(ScanOrder, BandModesEqualLineModesWhenOneBandSuffices) {
    for (int32_t dir : {Forward, Backward}) {
        for (int64_t i = 0; i < 7 * 5; ++i) {
            const auto row = MapScanIndex(Mode(Row, dir), i, 7, 5, 8);
            const auto band = MapScanIndex(Mode(RowColumn, dir), i, 7, 5, 8);
            EXPECT_EQ(std::tie(row->x, row->y, row->word, row->bit),
                      std::tie(band->x, band->y, band->word, band->bit));
            const auto col = MapScanIndex(Mode(Column, dir), i, 5, 7, 8);
            const auto cband = MapScanIndex(Mode(ColumnRow, dir), i, 5, 7, 8);
            EXPECT_EQ(std::tie(col->x, col->y, col->word, col->bit),
                      std::tie(cband->x, cband->y, cband->word, cband->bit));
        }
    }
}

TEST(ScanOrder, NarrowWidthsAndWideWords) {
    // W = 1: one dot per Row word, bit 7 forward and bit 0 backward.
    EXPECT_EQ(MapScanIndex(Mode(Row, Forward), 2, 1, 5, 8)->bit, 7);
    EXPECT_EQ(MapScanIndex(Mode(Row, Backward), 2, 1, 5, 8)->bit, 0);
    EXPECT_EQ(WordCount(Mode(Column, Forward), 1, 20, 8), 3);
    // 4 bits: a 10-dot row needs 3 words; the last holds dots 8 and 9 in bits 3 and 2.
    EXPECT_EQ(MapScanIndex(Mode(Row, Forward), 8, 10, 1, 4)->bit, 3);
    EXPECT_EQ(MapScanIndex(Mode(Row, Forward), 9, 10, 1, 4)->bit, 2);
    EXPECT_EQ(MapScanIndex(Mode(Row, Forward), 9, 10, 1, 4)->word, 2);
    // 24 and 32 bits wider than the row: one word per row, dots at the top or bottom.
    for (int d : {24, 32}) {
        EXPECT_EQ(MapScanIndex(Mode(Row, Forward), 0, 10, 2, d)->bit, d - 1);
        // Backward: the leftmost dot is bit 0, and the scan starts at the highest used bit.
        EXPECT_EQ(MapScanIndex(Mode(Row, Backward), 0, 10, 2, d)->bit, 9);
        EXPECT_EQ(MapScanIndex(Mode(Row, Backward), 9, 10, 2, d)->x, 0);
        EXPECT_EQ(MapScanIndex(Mode(Row, Backward), 9, 10, 2, d)->bit, 0);
        EXPECT_EQ(MapScanIndex(Mode(Row, Backward), 10, 10, 2, d)->word, 1);
    }
}

TEST(ScanOrder, SixteenBySixteenRowAlternatesHalvesAndRowColumnGroupsThem) {
    for (int64_t i = 0; i < 256; ++i) {
        const auto row = MapScanIndex(Mode(Row, Forward), i, 16, 16, 8);
        EXPECT_EQ(row->word, row->y * 2 + row->x / 8);
        const auto band = MapScanIndex(Mode(RowColumn, Forward), i, 16, 16, 8);
        EXPECT_EQ(band->word, (band->x / 8) * 16 + band->y);
    }
}

// The packer word by word, as the algorithm is stated: start value, set or clear each bit,
// invert finished words under Anode.
std::vector<uint32_t> ReferencePack(const DotMatrix& m, const ScanMode& mode, int d) {
    std::vector<uint32_t> out;
    const uint32_t start = mode.polarity == Anode ? 0xFFFFFFFFu : 0u;
    uint32_t word = start;
    int current = 0;
    const int64_t n = int64_t{m.Width()} * m.Height();
    for (int64_t i = 0; i < n; ++i) {
        const auto p = MapScanIndex(mode, i, m.Width(), m.Height(), d);
        if (i != 0 && p->word != current) {
            out.push_back(mode.polarity == Anode ? ~word : word);
            word = start;
        }
        current = p->word;
        if (m.Lit(p->x, p->y)) {
            word |= 1u << p->bit;
        } else {
            word &= ~(1u << p->bit);
        }
    }
    out.push_back(mode.polarity == Anode ? ~word : word);
    return out;
}

TEST(PackGlyph, MatchesReferenceForRandomMatricesInEveryMode) {
    std::mt19937 rng(7);
    for (int32_t orientation : {Row, Column, RowColumn, ColumnRow}) {
        for (int32_t dir : {Forward, Backward}) {
            for (int32_t polarity : {Cathode, Anode}) {
                for (int32_t dataWidth = 0; dataWidth <= 4; ++dataWidth) {
                    for (auto [w, h] : {std::pair{1, 1}, {10, 3}, {16, 16}, {37, 13}}) {
                        DotMatrix m(w, h);
                        for (int y = 0; y < h; ++y) {
                            for (int x = 0; x < w; ++x) m.Set(x, y, rng() % 2);
                        }
                        const ScanMode mode = Mode(orientation, dir, polarity, dataWidth);
                        const int d = UnitBits(dataWidth);
                        EXPECT_EQ(PackGlyph(m, mode, 0), ReferencePack(m, mode, d));
                        // The library packs at the width capped at 8.
                        const int capped = d == 4 ? 4 : 8;
                        EXPECT_EQ(PackGlyph(m, mode, capped), ReferencePack(m, mode, capped));
                    }
                }
            }
        }
    }
}

TEST(PackGlyph, AnodeNeverSetsBitsAboveTheWordWidth) {
    DotMatrix m(5, 2);
    for (int32_t dataWidth = 0; dataWidth <= 4; ++dataWidth) {
        const int d = UnitBits(dataWidth);
        for (uint32_t word : PackGlyph(m, Mode(Row, Forward, Anode, dataWidth), 0)) {
            if (d < 32) {
                EXPECT_EQ(word >> d, 0u);
            }
        }
    }
}

}  // namespace
}  // namespace zemtra
