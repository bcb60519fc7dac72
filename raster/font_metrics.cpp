// The size rules of a created font: ppem from the LOGFONT height, rounded cell metrics, the
// horizontal scale of a nonzero width, VDMX look-up and the rows of underline and strike-out.
#include "raster/font_metrics.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace zemtra {

int64_t MulDivRound(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return 0;
    const int64_t product = a * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t n = product < 0 ? -product : product;
    const int64_t d = c < 0 ? -c : c;
    const int64_t q = (n + d / 2) / d;
    return negative ? -q : q;
}

namespace {

// Ascent + descent in font units: usWin first, hhea when those are 0, the em as a last resort.
int32_t CellUnits(const FaceUnits& u) {
    const int64_t win = int64_t{u.winAscent} + u.winDescent;
    if (win > 0) return static_cast<int32_t>(win);
    const int64_t hhea = int64_t{u.hheaAscender} - u.hheaDescender;
    if (hhea > 0) return static_cast<int32_t>(hhea);
    return std::max(u.unitsPerEm, 1);
}

int32_t Scaled(int32_t units, int32_t ppem, int32_t unitsPerEm) {
    const int64_t v = MulDivRound(units, ppem, std::max(unitsPerEm, 1));
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Big-endian readers over a table that may be short; false when out of range.
struct TableReader {
    std::span<const uint8_t> bytes;
    bool U8(size_t at, int32_t& out) const {
        if (at >= bytes.size()) return false;
        out = bytes[at];
        return true;
    }
    bool U16(size_t at, int32_t& out) const {
        if (at + 2 > bytes.size() || at + 2 < at) return false;
        out = (bytes[at] << 8) | bytes[at + 1];
        return true;
    }
    bool S16(size_t at, int32_t& out) const {
        if (!U16(at, out)) return false;
        if (out >= 0x8000) out -= 0x10000;
        return true;
    }
};

// The offset of the group for a 1:1 device, or 0 when none matches.
size_t VdmxGroupOffset(const TableReader& r) {
    int32_t numRatios = 0;
    if (!r.U16(4, numRatios)) return 0;
    for (int32_t i = 0; i < numRatios; ++i) {
        const size_t ratio = 6 + static_cast<size_t>(i) * 4;
        int32_t x = 0, yStart = 0, yEnd = 0, offset = 0;
        if (!r.U8(ratio + 1, x) || !r.U8(ratio + 2, yStart) || !r.U8(ratio + 3, yEnd)) return 0;
        const bool matchesAll = x == 0 && yStart == 0 && yEnd == 0;
        // A 1:1 device has y = x, so it falls in the record's range when x does.
        if (matchesAll || (yStart <= x && x <= yEnd)) {
            const size_t offsetAt = 6 + static_cast<size_t>(numRatios) * 4 + i * size_t{2};
            if (!r.U16(offsetAt, offset)) return 0;
            return static_cast<size_t>(offset);
        }
    }
    return 0;
}

}  // namespace

int32_t PpemForCellHeight(const FaceUnits& units, int32_t cellHeight) {
    const int32_t cell = CellUnits(units);
    const int32_t em = std::max(units.unitsPerEm, 1);
    int64_t ppem = MulDivRound(em, cellHeight, cell);
    if (MulDivRound(cell, ppem, em) > cellHeight) --ppem;
    return static_cast<int32_t>(std::clamp<int64_t>(ppem, 1, INT32_MAX));
}

std::optional<VdmxEntry> LookUpVdmx(std::span<const uint8_t> table, int32_t cellHeight) {
    const TableReader r{table};
    const size_t group = VdmxGroupOffset(r);
    int32_t recs = 0;
    if (group == 0 || !r.U16(group, recs)) return std::nullopt;
    std::optional<VdmxEntry> previous;
    for (int32_t i = 0; i < recs; ++i) {
        const size_t at = group + 4 + static_cast<size_t>(i) * 6;
        VdmxEntry e;
        if (!r.U16(at, e.ppem) || !r.S16(at + 2, e.yMax) || !r.S16(at + 4, e.yMin)) {
            return std::nullopt;
        }
        const int32_t span = e.yMax - e.yMin;
        if (span == cellHeight) return e;
        if (span > cellHeight) return previous;
        previous = e;
    }
    // Every entry is smaller than the height: the table does not cover it.
    return std::nullopt;
}

FontSize ComputeFontSize(const FaceUnits& units, int32_t height, int32_t width,
                         std::span<const uint8_t> vdmx) {
    FontSize size;
    FontCellMetrics& cell = size.cell;
    const int32_t em = std::max(units.unitsPerEm, 1);
    const int32_t cellHeight = height == 0 ? kDefaultCellHeight : height;
    std::optional<VdmxEntry> entry;
    if (cellHeight > 0 && !vdmx.empty()) entry = LookUpVdmx(vdmx, cellHeight);
    if (entry && entry->ppem > 0) {
        cell.ppem = entry->ppem;
        cell.ascent = entry->yMax;
        cell.descent = -entry->yMin;
    } else {
        cell.ppem = cellHeight > 0
                        ? PpemForCellHeight(units, cellHeight)
                        : static_cast<int32_t>(-std::max<int64_t>(cellHeight, -INT32_MAX));
        cell.ascent = Scaled(units.winAscent, cell.ppem, em);
        cell.descent = Scaled(units.winDescent, cell.ppem, em);
        if (int64_t{units.winAscent} + units.winDescent <= 0) {
            cell.ascent = Scaled(units.hheaAscender, cell.ppem, em);
            cell.descent = Scaled(-units.hheaDescender, cell.ppem, em);
        }
    }
    const int32_t avgUnits = units.xAvgCharWidth > 0 ? units.xAvgCharWidth : em / 2;
    cell.averageWidth = std::max(Scaled(avgUnits, cell.ppem, em), 1);
    const int32_t w = width == INT32_MIN ? INT32_MAX : std::abs(width);
    if (height != 0 && w != 0 && w != cell.averageWidth) {
        size.widthPixels = w;
        size.xScale = static_cast<double>(w) / cell.averageWidth;
        cell.averageWidth = w;
    }
    return size;
}

FontSize LinkedFontSize(const FaceUnits& units, int32_t height, int32_t width,
                        std::span<const uint8_t> vdmx, const FontCellMetrics& chosen) {
    FontSize size = ComputeFontSize(units, height, width, vdmx);
    if (CellFits(size.cell, chosen)) return size;
    const double xScale = size.xScale;
    while (!CellFits(size.cell, chosen) && size.cell.ppem > 1) {
        size = ComputeFontSize(units, -(size.cell.ppem - 1), 0);
    }
    if (xScale != 1.0) {
        const double scaled = std::round(size.cell.averageWidth * xScale);
        size.xScale = xScale;
        size.cell.averageWidth = static_cast<int32_t>(std::clamp(scaled, 1.0, double{INT32_MAX}));
        size.widthPixels = size.cell.averageWidth;
    }
    return size;
}

StrokeRows StrokeRowsFor(const FaceUnits& units, int32_t ppem, int32_t ascent, int32_t position,
                         int32_t thickness) {
    StrokeRows rows;
    rows.size = std::max(Scaled(thickness, ppem, units.unitsPerEm), 1);
    rows.top = ascent - (Scaled(position, ppem, units.unitsPerEm) + rows.size / 2);
    return rows;
}

}  // namespace zemtra
