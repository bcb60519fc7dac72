// Fonts for the tests: a tiny hand-written BDF, Debian's Unifont in its hex source form (an
// independent copy of the glyphs in unifont.pcf.gz), and font descriptions by face and size.
#pragma once

#include <string>
#include <vector>

#include "base/project_settings.h"
#include "base/unicode.h"
#include "raster/new_project.h"

namespace zemtra::test {

// The settings New gives.
inline ProjectSettings NewSettings() {
    ProjectSettings s;
    ApplyNew(s, false);
    return s;
}

// New applied to s for a W x H matrix drawn in the face, its font sized from the matrix.
inline void NewOnMatrix(ProjectSettings& s, int w, int h, const char16_t* face) {
    ApplyNew(s, false);
    s.FONT.FaceName = face;
    s.BLOCKNUMX = DecimalText(w);
    s.BLOCKNUMY = DecimalText(h);
    DeriveFontSize(s);
}

// A new project drawing "Arial" (Liberation Sans here) on a W x H matrix: the settings most
// export tests start from.
inline void ArialOnMatrix(ProjectSettings& s, int w, int h) {
    NewOnMatrix(s, w, h, u"Arial");
}

// New's settings for a W x H matrix drawn in the face.
inline ProjectSettings SizedSettings(int w, int h, const char16_t* face = u"Liberation Sans") {
    ProjectSettings s;
    NewOnMatrix(s, w, h, face);
    return s;
}

// The description of an installed face at a LOGFONT height and width, the rest as LogFont has it.
inline LogFont FontOf(std::u16string face, int32_t height, int32_t width = 0) {
    LogFont f;
    f.FaceName = std::move(face);
    f.Height = height;
    f.Width = width;
    return f;
}

// 'A' on the baseline and 'g' with a descender, cell 5 x 8 (ascent 7).
inline constexpr char kTinyBdf[] =
    "STARTFONT 2.1\n"
    "FONT -zemtra-tiny-medium-r-normal--8-80-75-75-c-50-iso10646-1\n"
    "SIZE 8 75 75\n"
    "FONTBOUNDINGBOX 5 8 0 -1\n"
    "STARTPROPERTIES 4\n"
    "FONT_ASCENT 7\n"
    "FONT_DESCENT 1\n"
    "CHARSET_REGISTRY \"ISO10646\"\n"
    "CHARSET_ENCODING \"1\"\n"
    "ENDPROPERTIES\n"
    "CHARS 2\n"
    "STARTCHAR A\nENCODING 65\nSWIDTH 625 0\nDWIDTH 5 0\nBBX 5 7 0 0\nBITMAP\n"
    "20\n50\n88\n88\nF8\n88\n88\nENDCHAR\n"
    "STARTCHAR g\nENCODING 103\nSWIDTH 625 0\nDWIDTH 5 0\nBBX 4 5 0 -1\nBITMAP\n"
    "70\n90\n70\n10\nE0\nENDCHAR\n"
    "ENDFONT\n";

// Packages unifont and xfonts-unifont.
inline constexpr char kUnifontHex[] = "/usr/share/unifont/unifont.hex";
inline constexpr char kUnifontPcf[] = "/usr/share/fonts/X11/misc/unifont.pcf.gz";

// One line CODE:BITS of unifont.hex: 8 x 16 or 16 x 16 dots, rows top to bottom.
struct HexGlyph {
    char32_t code;
    int width;
    std::string rows;  // '#' lit, '.' unlit, each row ended by '\n'
};

std::vector<HexGlyph> ReadUnifontHex(const char* path = kUnifontHex);

}  // namespace zemtra::test
