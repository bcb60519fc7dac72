// Copies a rendered glyph into GlyphInk: the box of glyph and strokes, clipped to the cell's
// rows, with the glyph's bits unpacked to one byte per pixel.
#include "raster/font_ink.h"

#include FT_BITMAP_H

#include <algorithm>
#include <cstdint>

namespace zemtra {

namespace {

struct InkExtent {
    int64_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool Empty() const { return right <= left || bottom <= top; }
    void Unite(const InkExtent& b) {
        if (b.Empty()) return;
        if (Empty()) {
            *this = b;
            return;
        }
        left = std::min(left, b.left);
        top = std::min(top, b.top);
        right = std::max(right, b.right);
        bottom = std::max(bottom, b.bottom);
    }
};

// The start of bitmap row r, whichever way the rows are stored.
const uint8_t* RowOf(const FT_Bitmap& bm, unsigned r) {
    if (bm.pitch >= 0) return bm.buffer + static_cast<size_t>(r) * static_cast<size_t>(bm.pitch);
    return bm.buffer + static_cast<size_t>(bm.rows - 1 - r) * static_cast<size_t>(-bm.pitch);
}

// The coverage of pixel x of a bitmap row, 0..255.
uint8_t CoverageAt(const FT_Bitmap& bm, const uint8_t* src, unsigned x) {
    switch (bm.pixel_mode) {
        case FT_PIXEL_MODE_MONO:
            return ((src[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
        case FT_PIXEL_MODE_GRAY: {
            const int top = std::max<int>(bm.num_grays, 2) - 1;
            return static_cast<uint8_t>(top == 255 ? src[x] : std::min(255, src[x] * 255 / top));
        }
        case FT_PIXEL_MODE_BGRA:
            return src[x * 4 + 3];
        default:
            return 0;
    }
}

// One row of the bitmap as 0/1 into dst (dst has room for width + smear bytes).
void UnpackRow(const FT_Bitmap& bm, const uint8_t* src, int32_t smear, uint8_t* dst) {
    const unsigned width = bm.width;
    if (bm.pixel_mode == FT_PIXEL_MODE_MONO && smear == 0) {
        // The common case, a byte at a time; blank bytes cost nothing.
        for (unsigned x = 0; x < width; x += 8) {
            const unsigned bits = src[x >> 3];
            if (bits == 0) continue;
            const unsigned n = std::min(8u, width - x);
            for (unsigned b = 0; b < n; ++b)
                dst[x + b] = static_cast<uint8_t>((bits >> (7 - b)) & 1);
        }
        return;
    }
    for (unsigned x = 0; x < width; ++x) {
        bool on = false;
        switch (bm.pixel_mode) {
            case FT_PIXEL_MODE_MONO:
                on = (src[x >> 3] >> (7 - (x & 7))) & 1;
                break;
            case FT_PIXEL_MODE_GRAY:
                on = src[x] * 2 >= std::max<int>(bm.num_grays, 2);
                break;
            case FT_PIXEL_MODE_BGRA:
                on = src[x * 4 + 3] >= 128;
                break;
            default:
                break;
        }
        if (!on) continue;
        for (int32_t s = 0; s <= smear; ++s) dst[x + static_cast<unsigned>(s)] = 1;
    }
}

// One row as coverage into dst; a smeared pixel keeps the strongest coverage that reaches it.
void UnpackCoverageRow(const FT_Bitmap& bm, const uint8_t* src, int32_t smear, uint8_t* dst) {
    for (unsigned x = 0; x < bm.width; ++x) {
        const uint8_t c = CoverageAt(bm, src, x);
        if (c == 0) continue;
        for (int32_t s = 0; s <= smear; ++s) {
            uint8_t& d = dst[x + static_cast<unsigned>(s)];
            d = std::max(d, c);
        }
    }
}

void Blit(const FT_Bitmap& bm, const InkExtent& glyph, int32_t smear, bool coverage,
          const InkExtent& box, GlyphInk& ink) {
    const auto width = static_cast<size_t>(box.right - box.left);
    for (unsigned r = 0; r < bm.rows; ++r) {
        const int64_t y = glyph.top + r;
        if (y < box.top || y >= box.bottom) continue;
        uint8_t* dst = ink.pixels.data() + static_cast<size_t>(y - box.top) * width +
                       static_cast<size_t>(glyph.left - box.left);
        if (coverage) {
            UnpackCoverageRow(bm, RowOf(bm, r), smear, dst);
        } else {
            UnpackRow(bm, RowOf(bm, r), smear, dst);
        }
    }
}

void FillStroke(const StrokeRows& rows, const InkExtent& stroke, const InkExtent& box,
                uint8_t value, GlyphInk& ink) {
    const auto width = static_cast<size_t>(box.right - box.left);
    const int64_t top = std::max<int64_t>(rows.top, box.top);
    const int64_t bottom = std::min<int64_t>(int64_t{rows.top} + rows.size, box.bottom);
    for (int64_t y = top; y < bottom; ++y) {
        uint8_t* row = ink.pixels.data() + static_cast<size_t>(y - box.top) * width;
        std::fill(row + (stroke.left - box.left), row + (stroke.right - box.left), value);
    }
}

}  // namespace

void ComposeInk(const FT_GlyphSlotRec* slot, int32_t smear, int32_t baseline, int32_t cellHeight,
                const InkStrokes& strokes, bool coverage, GlyphInk& ink) {
    ink.Clear();
    FT_Bitmap converted;
    FT_Bitmap_Init(&converted);
    const FT_Bitmap* bm = &slot->bitmap;
    const unsigned char mode = bm->pixel_mode;
    if (mode != FT_PIXEL_MODE_MONO && mode != FT_PIXEL_MODE_GRAY && mode != FT_PIXEL_MODE_BGRA) {
        // Rare 2- and 4-bit strikes: to 8-bit grey first.
        if (FT_Bitmap_Convert(slot->library, bm, &converted, 1) == 0) bm = &converted;
    }
    InkExtent glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = int64_t{baseline} - slot->bitmap_top;
    glyph.right = glyph.left + bm->width + (bm->width > 0 ? smear : 0);
    glyph.bottom = glyph.top + bm->rows;
    InkExtent box = glyph;
    const int64_t advance = (slot->advance.x + 32) >> 6;
    InkExtent strokeBoxes[2];
    for (int i = 0; i < strokes.count && advance > 0; ++i) {
        strokeBoxes[i] = InkExtent{0, strokes.rows[i].top, advance,
                                   int64_t{strokes.rows[i].top} + strokes.rows[i].size};
        box.Unite(strokeBoxes[i]);
    }
    box.top = std::max<int64_t>(box.top, 0);
    box.bottom = std::min<int64_t>(box.bottom, cellHeight);
    if (!box.Empty()) {
        ink.left = static_cast<int32_t>(box.left);
        ink.top = static_cast<int32_t>(box.top);
        ink.width = static_cast<int32_t>(box.right - box.left);
        ink.height = static_cast<int32_t>(box.bottom - box.top);
        ink.pixels.assign(static_cast<size_t>(ink.width) * static_cast<size_t>(ink.height), 0);
        if (!glyph.Empty() && bm->buffer != nullptr) Blit(*bm, glyph, smear, coverage, box, ink);
        for (int i = 0; i < strokes.count && advance > 0; ++i) {
            FillStroke(strokes.rows[i], strokeBoxes[i], box, coverage ? 255 : 1, ink);
        }
    }
    ink.advance = static_cast<int32_t>(std::clamp<int64_t>(advance, INT32_MIN, INT32_MAX));
    FT_Bitmap_Done(slot->library, &converted);
}

}  // namespace zemtra
