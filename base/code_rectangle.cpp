// The code rectangle's walk and the words for an empty one.
#include "base/code_rectangle.h"

#include <cstdio>

namespace zemtra {

CodeRectangle::CodeRectangle(uint16_t from, uint16_t to)
    : fromHi_(from >> 8), fromLo_(from & 0xFF), toHi_(to >> 8), toLo_(to & 0xFF) {
    const int64_t rows = toHi_ - fromHi_ + 1;
    rowLength_ = toLo_ - fromLo_ + 1;
    size_ = rows > 0 && rowLength_ > 0 ? rows * rowLength_ : 0;
}

std::optional<int64_t> CodeRectangle::IndexOf(uint16_t code) const {
    const int64_t hi = code >> 8, lo = code & 0xFF;
    if (size_ == 0 || hi < fromHi_ || hi > toHi_ || lo < fromLo_ || lo > toLo_) {
        return std::nullopt;
    }
    return (hi - fromHi_) * rowLength_ + (lo - fromLo_);
}

std::optional<std::string> EmptyCodeRectangle(const ProjectSettings& s) {
    if (CodeRectangle(s).Size() > 0) return std::nullopt;
    char message[160];
    std::snprintf(message, sizeof message,
                  "From 0x%04X and To 0x%04X hold no code (the high byte runs %02X..%02X, the "
                  "low byte %02X..%02X)",
                  s.FROM, s.TO, s.FROM >> 8, s.TO >> 8, s.FROM & 0xFF, s.TO & 0xFF);
    return std::string(message);
}

}  // namespace zemtra
