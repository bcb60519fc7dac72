// Scan order: which dot of a W x H matrix sits in which bit of which output word.
// Every writer and the scan demo go through MapScanIndex; nothing else knows the order. It
// lives in base/ because the renderer's demo and the writers both need it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/dot_matrix.h"
#include "base/project_settings.h"

namespace zemtra {

enum Orientation : int32_t { Row = 0, Column = 1, RowColumn = 2, ColumnRow = 3 };
enum Direction : int32_t { Forward = 0, Backward = 1 };
enum Polarity : int32_t { Cathode = 0, Anode = 1 };

// Each field is the index of its combo box; -1 stands for no selection.
struct ScanMode {
    int32_t orientation = Row;
    int32_t direction = Forward;
    int32_t polarity = Cathode;
    int32_t dataWidth = 0;  // 0: 8bit, 1: 16bit, 2: 24bit, 3: 32bit, 4: 4bit
};

struct ScanPosition {
    int32_t x = 0;     // column, 0 at the left
    int32_t y = 0;     // row, 0 at the top
    int32_t word = 0;  // index of the word that holds the dot
    int32_t bit = 0;   // bit inside that word, 0 = least significant
};

// The scan mode the settings choose: ORIENT, DIRECT, FORMAT and DATABIT.
ScanMode ScanModeOf(const ProjectSettings& s);

// Bits of one word for a dataWidth index: 8, 16, 24, 32, 4; any other value gives 8. The same
// table as the settings' DataWidth, under the scan order's name.
inline int UnitBits(int32_t dataWidth) {
    return DataWidth(dataWidth);
}

// The position of scan index i (0 <= i < W x H) with words of unitBits bits (0: the mode's own).
// Nothing when the orientation or the direction is not one of the listed values.
std::optional<ScanPosition> MapScanIndex(const ScanMode& mode, int64_t index, int32_t width,
                                         int32_t height, int unitBits);

// Words of one character: the word of index W x H - 1, plus 1. 0 when the mode maps nothing.
int64_t WordCount(const ScanMode& mode, int32_t width, int32_t height, int unitBits);

// The WordCount words of one character in word order; each holds (lit XOR Anode) in the bits of
// its dots and 0 in every other bit. Empty when the mode maps nothing.
std::vector<uint32_t> PackGlyph(const DotMatrix& matrix, const ScanMode& mode, int unitBits);

}  // namespace zemtra
