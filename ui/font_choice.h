// The "Font" button's exchange with a font picker: what the picker shows for the record's font
// description, and the description that a picked font gives.
#pragma once

#include <cstdint>
#include <string>

#include "base/project_settings.h"

namespace zemtra {

// A font as a font picker offers it.
struct FontChoice {
    std::u16string family;
    double pointSize = 0;  // 0: the picker's default
    int32_t weight = 400;  // 100..900, the scale of LogFont::Weight
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool fixedPitch = false;
    bool serif = false;
    uint8_t charSet = 0;  // the script the face is picked for, as a LOGFONT character set
};

// The whole description the platform's font dialog returns: the face (cut to 31 units, a
// surrogate pair kept whole), an em height of the point size at dpi, width 0, the styles,
// stroke precisions 3 and 2, draft quality 1, and pitch and family from the face's kind.
LogFont LogFontFromChoice(const FontChoice& choice, int32_t dpi);

// What the picker starts on for a description.
FontChoice ChoiceFromLogFont(const LogFont& font, int32_t dpi);

}  // namespace zemtra
