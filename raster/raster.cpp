// The stretch copy of the render surface: the platform's BLACKONWHITE rule, pixel for pixel,
// in exact integer arithmetic so that every index matches the platform's.
#include "raster/raster.h"

#include <algorithm>

namespace zemtra {
namespace {

// A stretched pixel keeps only colour bits; shrinking ANDs into this start value.
constexpr uint32_t kAllOnes = 0x00FFFFFF;

int64_t CeilDiv(int64_t num, int64_t den) {
    return (num + den - 1) / den;
}

// How one axis maps. Enlarging (or equal size): index[j] is the source pixel that destination
// pixel j takes. Shrinking: index[i] is the destination pixel that source pixel i lands on.
struct AxisMap {
    bool shrink = false;
    int32_t used = 0;  // source pixels in play
    std::vector<int32_t> index;
};

AxisMap MapAxis(int32_t src, int32_t dst) {
    AxisMap map;
    // A 1-pixel destination from a wider source leaves out the source's last pixel.
    map.used = (dst == 1 && src > 1) ? src - 1 : src;
    map.shrink = dst < map.used;
    const int64_t s = map.used;
    const int64_t d = dst;
    if (map.shrink) {
        // ceil((i + 0.5) * d / s) - 1, kept in integers.
        map.index.resize(static_cast<size_t>(s));
        for (int64_t i = 0; i < s; ++i) {
            map.index[static_cast<size_t>(i)] =
                static_cast<int32_t>(CeilDiv((2 * i + 1) * d, 2 * s) - 1);
        }
    } else {
        // ceil((j + 0.5) * s / d) - 1: the pixel under the centre, a tie to the lower one.
        map.index.resize(static_cast<size_t>(d));
        for (int64_t j = 0; j < d; ++j) {
            map.index[static_cast<size_t>(j)] =
                static_cast<int32_t>(CeilDiv((2 * j + 1) * s, 2 * d) - 1);
        }
    }
    return map;
}

// ANDs one source row, mapped horizontally, into a destination row.
void AndRow(const uint32_t* src, const AxisMap& x, int32_t dstW, uint32_t* dst) {
    if (x.shrink) {
        for (int32_t i = 0; i < x.used; ++i) dst[x.index[static_cast<size_t>(i)]] &= src[i];
    } else {
        for (int32_t j = 0; j < dstW; ++j) dst[j] &= src[x.index[static_cast<size_t>(j)]];
    }
}

}  // namespace

RgbRaster StretchBlt(const RgbRaster& src, int32_t dstW, int32_t dstH) {
    const size_t srcCount =
        static_cast<size_t>(std::max(src.width, 0)) * static_cast<size_t>(std::max(src.height, 0));
    if (dstW <= 0 || dstH <= 0 || src.width <= 0 || src.height <= 0 ||
        src.pixels.size() < srcCount) {
        return RgbRaster();
    }
    const AxisMap x = MapAxis(src.width, dstW);
    const AxisMap y = MapAxis(src.height, dstH);
    RgbRaster out(dstW, dstH, kAllOnes);
    const auto srcRow = [&src](int32_t row) {
        return src.pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(src.width);
    };
    const auto dstRow = [&out, dstW](int32_t row) {
        return out.pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(dstW);
    };
    if (y.shrink) {
        // One pass over the used source rows, each ANDed into the row it lands on.
        for (int32_t i = 0; i < y.used; ++i) {
            AndRow(srcRow(i), x, dstW, dstRow(y.index[static_cast<size_t>(i)]));
        }
        return out;
    }
    for (int32_t j = 0; j < dstH; ++j) {
        const int32_t from = y.index[static_cast<size_t>(j)];
        if (j > 0 && from == y.index[static_cast<size_t>(j - 1)]) {
            std::copy_n(dstRow(j - 1), dstW, dstRow(j));  // a repeated row
        } else {
            AndRow(srcRow(from), x, dstW, dstRow(j));
        }
    }
    return out;
}

}  // namespace zemtra
