// Font picker choices to and from the LOGFONT-shaped description.
#include "ui/font_choice.h"

#include <cmath>
#include <cstdlib>

namespace zemtra {
namespace {

constexpr uint8_t kFixedPitch = 1;
constexpr uint8_t kVariablePitch = 2;
constexpr uint8_t kFamilyRoman = 0x10;
constexpr uint8_t kFamilySwiss = 0x20;
constexpr uint8_t kFamilyModern = 0x30;

std::u16string CutFace(std::u16string face) {
    if (face.size() <= kMaxFaceNameLength) return face;
    size_t keep = kMaxFaceNameLength;
    if (face[keep - 1] >= 0xD800 && face[keep - 1] <= 0xDBFF) --keep;
    face.resize(keep);
    return face;
}

}  // namespace

LogFont LogFontFromChoice(const FontChoice& c, int32_t dpi) {
    LogFont f;
    f.FaceName = CutFace(c.family);
    f.Height = -static_cast<int32_t>(std::lround(c.pointSize * dpi / 72.0));
    f.Width = 0;
    f.Escapement = f.Orientation = 0;
    f.Weight = c.weight;
    f.Italic = c.italic ? 1 : 0;
    f.Underline = c.underline ? 1 : 0;
    f.StrikeOut = c.strikeOut ? 1 : 0;
    f.CharSet = c.charSet;
    f.OutPrecision = 3;
    f.ClipPrecision = 2;
    f.Quality = 1;
    const uint8_t family = c.fixedPitch ? kFamilyModern : c.serif ? kFamilyRoman : kFamilySwiss;
    f.PitchAndFamily = static_cast<uint8_t>((c.fixedPitch ? kFixedPitch : kVariablePitch) | family);
    return f;
}

FontChoice ChoiceFromLogFont(const LogFont& f, int32_t dpi) {
    FontChoice c;
    c.family = f.FaceName;
    // A positive height is the cell height, a little more than the em; close enough to start on.
    c.pointSize = dpi > 0 ? std::abs(static_cast<double>(f.Height)) * 72.0 / dpi : 0.0;
    c.weight = f.Weight > 0 ? f.Weight : 400;
    c.italic = f.Italic != 0;
    c.underline = f.Underline != 0;
    c.strikeOut = f.StrikeOut != 0;
    c.fixedPitch = (f.PitchAndFamily & 0x03) == kFixedPitch;
    c.serif = (f.PitchAndFamily & 0xF0) == kFamilyRoman;
    c.charSet = f.CharSet;
    return c;
}

}  // namespace zemtra
