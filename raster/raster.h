// A small RGB raster standing in for the platform's bitmaps, with its stretch copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zemtra {

// Colours are 0x00BBGGRR, red in the lowest byte.
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kWhite = 0xFFFFFF;
// What a pixel read outside a raster gives.
inline constexpr uint32_t kInvalidColour = 0xFFFFFFFF;

struct RgbRaster {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // row-major, top row first, 0x00BBGGRR

    RgbRaster() = default;
    RgbRaster(int32_t w, int32_t h, uint32_t fill = kBlack)
        : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}

    uint32_t GetPixel(int64_t x, int64_t y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return kInvalidColour;
        return pixels[static_cast<size_t>(y) * width + static_cast<size_t>(x)];
    }
    void SetPixel(int32_t x, int32_t y, uint32_t c) {
        pixels[static_cast<size_t>(y) * width + static_cast<size_t>(x)] = c;
    }
};

// The platform's default stretch (BLACKONWHITE): enlarging repeats pixels, shrinking ANDs the
// colours of the rows and columns that land on one destination pixel. Gives dstW x dstH pixels.
// Gives an empty raster (0 x 0) when a destination size is below 1 or the source is empty.
RgbRaster StretchBlt(const RgbRaster& src, int32_t dstW, int32_t dstH);

}  // namespace zemtra
