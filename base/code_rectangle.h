// The codes FROM..TO stand for: not a run of numbers but a rectangle of byte pairs, the high
// bytes FROM's to TO's and, for each, the low bytes FROM's to TO's, walked high byte outer, low
// byte inner. The font library, its reader and the specimen sheet all walk it this way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/project_settings.h"

namespace zemtra {

class CodeRectangle {
  public:
    CodeRectangle(uint16_t from, uint16_t to);
    explicit CodeRectangle(const ProjectSettings& s) : CodeRectangle(s.FROM, s.TO) {}

    // Codes in the rectangle; 0 when the high bytes or the low bytes run backwards.
    int64_t Size() const { return size_; }
    // The code at a walk position, 0 <= index < Size().
    uint16_t CodeAt(int64_t index) const {
        return static_cast<uint16_t>((fromHi_ + index / rowLength_) * 256 + fromLo_ +
                                     index % rowLength_);
    }
    // The walk position of a code; nothing when the code lies outside.
    std::optional<int64_t> IndexOf(uint16_t code) const;

  private:
    int64_t fromHi_, fromLo_, toHi_, toLo_, rowLength_, size_;
};

// Why FROM..TO holds no code (the high bytes or the low bytes run backwards), in words for a
// message; nothing when it holds at least one.
std::optional<std::string> EmptyCodeRectangle(const ProjectSettings& settings);

}  // namespace zemtra
