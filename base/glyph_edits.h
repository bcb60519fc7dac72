// Hand-edited glyphs: dots the user set for one character at one matrix size, kept in the
// project and taken by every render of that character at that size instead of the font's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "base/dot_matrix.h"

namespace zemtra {

// The largest side of an edited glyph: the largest matrix that renders (kMaxMatrixSide).
inline constexpr int32_t kMaxGlyphEditSide = 2048;
// The largest code point a key may name.
inline constexpr char32_t kMaxCodePoint = 0x10FFFF;

// Which glyph an edit replaces: a code point (characters are UTF-16 units, so codes above
// U+FFFF are kept but match no character) and the matrix size it was drawn for.
struct GlyphEditKey {
    char32_t code = 0;
    int32_t width = 0;
    int32_t height = 0;

    auto operator<=>(const GlyphEditKey&) const = default;
};

// The dots of one edit, W x H, packed eight to a byte (first dot of a row in the top bit), so a
// project full of edits stays small. Every dot is lit at the full level.
class GlyphDots {
  public:
    GlyphDots() = default;
    // Every dot unlit; sides below 1 make an empty glyph.
    GlyphDots(int32_t width, int32_t height);
    // The lit dots of a rendered matrix (any nonzero byte is lit).
    static GlyphDots FromMatrix(const DotMatrix& matrix);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Lit(int32_t x, int32_t y) const {
        return (bits_[Index(y) + static_cast<size_t>(x >> 3)] >> (7 - (x & 7))) & 1;
    }
    void Set(int32_t x, int32_t y, bool lit);

    // Writes the dots into matrix, resizing it only when its size differs (so a matrix of the
    // right size is filled without allocating).
    void CopyTo(DotMatrix& matrix) const;
    DotMatrix ToMatrix() const;

    bool operator==(const GlyphDots&) const = default;

  private:
    size_t RowBytes() const { return (static_cast<size_t>(width_) + 7) / 8; }
    size_t Index(int32_t y) const { return static_cast<size_t>(y) * RowBytes(); }

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint8_t> bits_;
};

// A project's edits. Lookup is O(1) and allocation-free, since every render asks.
class GlyphEdits {
  public:
    // The edit of code at a W x H matrix, or null.
    const GlyphDots* Find(char32_t code, int32_t width, int32_t height) const {
        if (edits_.empty() || !Fits(width) || !Fits(height)) return nullptr;
        const auto it = edits_.find(PackedKey({code, width, height}));
        return it == edits_.end() ? nullptr : &it->second;
    }
    const GlyphDots* Find(const GlyphEditKey& key) const {
        return Find(key.code, key.width, key.height);
    }
    // Sets (or replaces) the edit of code at the dots' size. Codes above U+10FFFF and glyphs
    // outside 1..kMaxGlyphEditSide a side are refused with std::invalid_argument.
    void Set(char32_t code, GlyphDots dots);
    // Removes the edit; false when there was none.
    bool Remove(const GlyphEditKey& key);
    void Clear() { edits_.clear(); }

    size_t Size() const { return edits_.size(); }
    bool Empty() const { return edits_.empty(); }
    // Every key, ordered by code, then width, then height: the order they are listed and saved.
    std::vector<GlyphEditKey> Keys() const;
    // The matrix sizes code has edits at, in key order (for "edited at other sizes only").
    std::vector<GlyphEditKey> KeysOf(char32_t code) const;

    bool operator==(const GlyphEdits&) const = default;

    // The key in one word: code (21 bits), width and height (12 bits each); ordered as keys.
    static uint64_t PackedKey(const GlyphEditKey& k) {
        const auto side = [](int32_t v) { return static_cast<uint64_t>(v) & 0xFFF; };
        return (uint64_t{k.code} << 24) | (side(k.width) << 12) | side(k.height);
    }

  private:
    static bool Fits(int32_t side) { return side >= 1 && side <= kMaxGlyphEditSide; }
    static GlyphEditKey Unpack(uint64_t packed);

    std::unordered_map<uint64_t, GlyphDots> edits_;
};

}  // namespace zemtra
