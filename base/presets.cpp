// The preset table. Column/Row bands with Backward are the "page" layout of the monochrome
// controllers: one byte per column of an 8-dot page, top dot in bit 0.
#include "base/presets.h"

#include <array>

namespace zemtra {
namespace {

constexpr std::array kPresets = {
    ControllerPreset{"ssd1306", "SSD1306 / SH1106 (pages)", 3, 1, 0, 0,
                     "8-dot pages top to bottom, one byte per column, top dot in bit 0",
                     "SSD1306/SH1106"},
    ControllerPreset{"sh1106", "SH1106 (pages)", 3, 1, 0, 0,
                     "as SSD1306: 8-dot pages, one byte per column, top dot in bit 0", "SH1106"},
    ControllerPreset{"st7920", "ST7920 (rows, 16-bit)", 0, 0, 0, 1,
                     "rows, 16 dots a word, leftmost dot in bit 15 (written high byte first)",
                     "ST7920"},
    ControllerPreset{"ks0108", "KS0108 (pages)", 3, 1, 0, 0,
                     "8-dot pages, one byte per column, top dot in bit 0 (DB0)", "KS0108"},
    ControllerPreset{"pcd8544", "PCD8544 / Nokia 5110 (pages)", 3, 1, 0, 0,
                     "8-dot banks, one byte per column (horizontal addressing), top dot in bit 0",
                     "PCD8544"},
    ControllerPreset{"max7219", "MAX7219 8x8 module (rows)", 0, 0, 0, 0,
                     "one byte per row (digit register), leftmost dot in bit 7 (D7)", "MAX7219"},
    ControllerPreset{"hub75", "HUB75 row panel", 0, 0, 0, 0,
                     "rows shifted in from the left, first dot in bit 7, lit = 1", "HUB75"},
    ControllerPreset{"row-msb", "Row-major, MSB first", 0, 0, 0, 0,
                     "rows top to bottom, 8 dots a byte, leftmost dot in bit 7", "Row, MSB"},
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::span<const ControllerPreset> ControllerPresets() {
    return kPresets;
}

const ControllerPreset* FindPreset(std::string_view name) {
    for (const auto& p : kPresets) {
        if (SameIgnoringCase(p.name, name)) return &p;
    }
    return nullptr;
}

void ApplyPreset(ProjectSettings& s, const ControllerPreset& p) {
    s.ORIENT = p.orient;
    s.DIRECT = p.direct;
    s.FORMAT = p.format;
    s.DATABIT = p.databit;
}

bool PresetFits(const ProjectSettings& s, const ControllerPreset& p) {
    return s.ORIENT == p.orient && s.DIRECT == p.direct && s.FORMAT == p.format &&
           s.DATABIT == p.databit;
}

const ControllerPreset* MatchingPreset(const ProjectSettings& s) {
    for (const auto& p : kPresets) {
        if (PresetFits(s, p)) return &p;
    }
    return nullptr;
}

}  // namespace zemtra
