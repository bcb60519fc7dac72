// ProjectSettings: every setting of a job in one record, with the rules by which its texts are
// read as numbers and from which the font size, the word width and the code range follow.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/font_source.h"
#include "base/glyph_edits.h"
#include "base/messages.h"

namespace zemtra {

// The font description, laid out like the platform's LOGFONT.
struct LogFont {
    int32_t Height = 0;
    int32_t Width = 0;
    int32_t Escapement = 0;
    int32_t Orientation = 0;
    int32_t Weight = 400;
    uint8_t Italic = 0;
    uint8_t Underline = 0;
    uint8_t StrikeOut = 0;
    uint8_t CharSet = 0;
    uint8_t OutPrecision = 0;
    uint8_t ClipPrecision = 0;
    uint8_t Quality = 0;
    uint8_t PitchAndFamily = 0;
    std::u16string FaceName = u"Arial";  // at most kMaxFaceNameLength units
    // Ours: a font file to draw with instead of the installed face (TrueType/OpenType, a face of
    // a collection, or a BDF/PCF bitmap font); empty for the installed face by FaceName.
    std::u16string FontFile;
    int32_t FontIndex = 0;
    // Ours: the faces that draw the characters of their ranges before this one does, in order.
    std::vector<FontSource> Sources;

    bool operator==(const LogFont&) const = default;
};

// LOGFONT's face field holds 32 units including the terminating zero.
inline constexpr size_t kMaxFaceNameLength = 31;

// Numeric fields hold the typed text; their number is Value(text). The initial values are the
// ones the main dialog has before New runs.
struct ProjectSettings {
    std::u16string BLOCKNUMX = u"16";
    std::u16string BLOCKNUMY = u"16";
    std::u16string WIDTH = u"0";
    std::u16string HEIGHT = u"0";
    int32_t OFFSETX = 0;
    int32_t OFFSETY = 0;
    std::u16string THRESHOLD = u"128";
    int32_t DATABIT = 0;
    int32_t ORIENT = 0;
    int32_t DIRECT = 0;
    int32_t FORMAT = 0;
    int32_t ENDEMO = 0;
    int32_t CODEPAGE = 0;
    uint16_t FROM = 0x0000;
    uint16_t TO = 0xFFFF;
    std::u16string TEXT;
    std::vector<std::u16string> LIST;  // one item per character
    std::vector<std::u16string> PIC;   // parallel to LIST: "#" or a picture path
    LogFont FONT;
    // Ours: the hand-edited glyphs of section [Glyphs], which every render of a character at
    // their matrix size takes instead of the font's.
    GlyphEdits GLYPHS;

    bool operator==(const ProjectSettings&) const = default;
};

// The leading decimal integer of a text: white space skipped, optional sign, digits up to the
// first non-digit, 0 when there are none. Saturates at the 32-bit limits instead of wrapping.
int32_t Value(std::u16string_view text);
int32_t Value(std::string_view text);
// Whether Value reads the whole text: an optional sign and digits, white space around them.
bool IsWholeNumber(std::u16string_view text);

// Bits of one output word for a DATABIT index: 1 -> 16, 2 -> 24, 3 -> 32, 4 -> 4, else 8.
int DataWidth(int32_t databit);

// The settings whose index is none of its choices ("DATABIT=77"), in the order of the keys: the
// data width, scan orientation, direction, polarity and code page.
std::vector<std::string> ChoicesOutOfRange(const ProjectSettings& s);

struct CodeRange {
    uint16_t lowest;
    uint16_t highest;
};
// The codes FROM and TO may take for a CODEPAGE index; unknown indices act as UNICODE.
CodeRange CodeRangeOf(int32_t codepage);

// A code field left by the user is clamped: From to the code page's lowest code, then to no
// more than To; To to the code page's highest code, then to no less than From. The values are
// the fields' as read (up to 32 bits).
uint32_t ClampedFrom(uint32_t from, uint32_t to, int32_t codepage);
uint32_t ClampedTo(uint32_t to, uint32_t from, int32_t codepage);

int32_t MatrixWidth(const ProjectSettings& s);
int32_t MatrixHeight(const ProjectSettings& s);
// A matrix of at least 1 x 1 dots; anything smaller renders nothing (and is no error).
inline bool HasDots(const ProjectSettings& s) {
    return MatrixWidth(s) >= 1 && MatrixHeight(s) >= 1;
}

// The renderer reads dot (c, r) from the drawn glyph at (c + SampleX, r + SampleY). 64-bit,
// because the negation of the smallest OFFSETX does not fit 32 bits.
inline int64_t SampleX(const ProjectSettings& s) {
    return -static_cast<int64_t>(s.OFFSETX);
}
inline int64_t SampleY(const ProjectSettings& s) {
    return -static_cast<int64_t>(s.OFFSETY);
}

// Font Height = value(BLOCKNUMY); Width = value(BLOCKNUMX) / 2, or / 3 for a face containing
// "华文行楷"; WIDTH and HEIGHT become the decimal texts of their absolute values.
void DeriveFontSize(ProjectSettings& s);

// The record side of New: defaults for every stored field; Quality, Escapement and Orientation
// keep their values. The face is "宋体" when such a family is installed, else "Arial" (the
// installed fonts are the font layer's to ask: ApplyNew(s) in raster/new_project.h).
void ApplyNew(ProjectSettings& s, bool simSunInstalled);

// Matrix sides above this are refused by rendering and generation (the editor keeps any text):
// a typed 100000 x 100000 would otherwise ask for tens of gigabytes.
inline constexpr int32_t kMaxMatrixSide = 2048;
static_assert(kMaxGlyphEditSide == kMaxMatrixSide, "an edit fits every matrix that renders");
// Font heights and widths above this (in absolute value) are refused for the same reason.
inline constexpr int32_t kMaxFontSize = 4096;

// Why these settings cannot be rendered, or nothing when they can (a matrix of 0 or less is
// not an error: it renders nothing).
std::optional<Message> RenderLimitError(const ProjectSettings& s);

}  // namespace zemtra
