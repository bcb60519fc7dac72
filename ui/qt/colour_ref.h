// A Windows COLORREF (0x00BBGGRR), as the core's colour constants are written, as a QColor.
#pragma once

#include <QColor>

#include <cstdint>

namespace zemtra {

inline QColor FromColourRef(uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF),
                  static_cast<int>(c >> 16 & 0xFF));
}

}  // namespace zemtra
