// DotMatrix: one rendered character or picture, H rows of W bytes, 1 = lit, polarity not applied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zemtra {

class DotMatrix {
  public:
    DotMatrix() = default;
    DotMatrix(int32_t width, int32_t height) { Reset(width, height); }

    // Gives the matrix a new size; every dot becomes unlit.
    void Reset(int32_t width, int32_t height) {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        dots_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    }

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

    uint8_t* Row(int32_t y) { return dots_.data() + static_cast<size_t>(y) * width_; }
    const uint8_t* Row(int32_t y) const { return dots_.data() + static_cast<size_t>(y) * width_; }

    bool Lit(int32_t x, int32_t y) const { return Row(y)[x] != 0; }
    void Set(int32_t x, int32_t y, bool lit) { Row(y)[x] = lit ? 1 : 0; }

    bool operator==(const DotMatrix&) const = default;

  private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint8_t> dots_;
};

}  // namespace zemtra
