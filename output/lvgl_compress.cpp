// LVGL's compressed glyph bitmaps, written so that LVGL's decompressor reads them back: every
// row XORed with the row above it, then a run-length code over the levels of the whole glyph.
//
// The decompressor reads a level literally (bpp bits); a literal equal to the level before it
// (other than the glyph's first) opens a run, after which each 1 bit repeats the level and a 0
// bit is followed by a new literal. The 11th repeat bit in a row is followed by a 6-bit count c:
// c - 1 more repeats come without bits, then a new literal.
#include <string>
#include <vector>

#include "output/font_export.h"

namespace zemtra {
namespace {

constexpr int kRepeatBits = 11;     // 1 bits before the counter
constexpr size_t kMaxCounted = 62;  // repeats a counter covers after the 11th bit

class BitWriter {
  public:
    void Put(unsigned value, int bits) {
        for (int b = bits - 1; b >= 0; --b) {
            current_ = static_cast<uint8_t>((current_ << 1) | ((value >> b) & 1));
            if (++used_ == 8) {
                bytes_ += static_cast<char>(current_);
                current_ = 0;
                used_ = 0;
            }
        }
    }
    std::string Take() {
        if (used_ > 0) bytes_ += static_cast<char>(current_ << (8 - used_));
        used_ = 0;
        current_ = 0;
        return std::move(bytes_);
    }

  private:
    std::string bytes_;
    uint8_t current_ = 0;
    int used_ = 0;
};

}  // namespace

std::string LvglCompressedBitmap(const uint8_t* levels, int32_t w, int32_t h, int bpp) {
    const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
    std::vector<uint8_t> p(levels, levels + n);
    for (size_t i = n; i-- > static_cast<size_t>(w);) p[i] ^= p[i - static_cast<size_t>(w)];
    BitWriter out;
    bool repeating = false;
    int repeats = 0;
    uint8_t previous = 0;
    for (size_t i = 0; i < n;) {
        if (!repeating) {
            out.Put(p[i], bpp);
            repeating = i > 0 && p[i] == previous;
            repeats = 0;
            previous = p[i++];
            continue;
        }
        if (p[i] != previous) {
            out.Put(0, 1);
            out.Put(p[i], bpp);
            repeating = false;
            previous = p[i++];
            continue;
        }
        out.Put(1, 1);
        ++i;
        if (++repeats < kRepeatBits) continue;
        size_t more = 0;
        while (more < kMaxCounted && i + more < n && p[i + more] == previous) ++more;
        out.Put(static_cast<unsigned>(more + 1), 6);
        i += more;
        repeating = false;
        if (i < n) {
            out.Put(p[i], bpp);
            previous = p[i++];
        }
    }
    return out.Take();
}

}  // namespace zemtra
