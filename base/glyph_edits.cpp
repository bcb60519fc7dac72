// The packed dots of an edited glyph and the project's table of edits.
#include "base/glyph_edits.h"

#include <algorithm>
#include <stdexcept>

namespace zemtra {

GlyphDots::GlyphDots(int32_t width, int32_t height) {
    if (width < 1 || height < 1) return;
    width_ = width;
    height_ = height;
    bits_.assign(RowBytes() * static_cast<size_t>(height_), 0);
}

GlyphDots GlyphDots::FromMatrix(const DotMatrix& matrix) {
    GlyphDots dots(matrix.Width(), matrix.Height());
    for (int32_t y = 0; y < dots.height_; ++y) {
        const uint8_t* row = matrix.Row(y);
        for (int32_t x = 0; x < dots.width_; ++x) {
            if (row[x] != 0) dots.Set(x, y, true);
        }
    }
    return dots;
}

void GlyphDots::Set(int32_t x, int32_t y, bool lit) {
    uint8_t& byte = bits_[Index(y) + static_cast<size_t>(x >> 3)];
    const auto bit = static_cast<uint8_t>(0x80u >> (x & 7));
    byte = lit ? static_cast<uint8_t>(byte | bit) : static_cast<uint8_t>(byte & ~bit);
}

void GlyphDots::CopyTo(DotMatrix& matrix) const {
    if (matrix.Width() != width_ || matrix.Height() != height_) matrix.Reset(width_, height_);
    for (int32_t y = 0; y < height_; ++y) {
        const uint8_t* src = bits_.data() + Index(y);
        uint8_t* dst = matrix.Row(y);
        for (int32_t x = 0; x < width_; ++x) dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
    }
}

DotMatrix GlyphDots::ToMatrix() const {
    DotMatrix matrix;
    CopyTo(matrix);
    return matrix;
}

void GlyphEdits::Set(char32_t code, GlyphDots dots) {
    if (code > kMaxCodePoint) throw std::invalid_argument("glyph edit above U+10FFFF");
    if (!Fits(dots.Width()) || !Fits(dots.Height())) {
        throw std::invalid_argument("glyph edit of a size no matrix can have");
    }
    const uint64_t key = PackedKey({code, dots.Width(), dots.Height()});
    edits_.insert_or_assign(key, std::move(dots));
}

bool GlyphEdits::Remove(const GlyphEditKey& key) {
    if (!Fits(key.width) || !Fits(key.height)) return false;
    return edits_.erase(PackedKey(key)) > 0;
}

GlyphEditKey GlyphEdits::Unpack(uint64_t packed) {
    return {static_cast<char32_t>(packed >> 24), static_cast<int32_t>((packed >> 12) & 0xFFF),
            static_cast<int32_t>(packed & 0xFFF)};
}

std::vector<GlyphEditKey> GlyphEdits::Keys() const {
    std::vector<uint64_t> packed;
    packed.reserve(edits_.size());
    for (const auto& [key, dots] : edits_) packed.push_back(key);
    // The packing orders by code, then width, then height.
    std::sort(packed.begin(), packed.end());
    std::vector<GlyphEditKey> keys;
    keys.reserve(packed.size());
    for (uint64_t key : packed) keys.push_back(Unpack(key));
    return keys;
}

std::vector<GlyphEditKey> GlyphEdits::KeysOf(char32_t code) const {
    std::vector<GlyphEditKey> keys;
    for (const auto& [key, dots] : edits_) {
        if (Unpack(key).code == code) keys.push_back(Unpack(key));
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

}  // namespace zemtra
