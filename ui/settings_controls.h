// The rules behind the main window's settings controls that are not a plain copy: the spin
// buttons' steps, the position buttons, the progress message and the edit texts' line breaks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/project_settings.h"
#include "base/unicode.h"

namespace zemtra {

// A spin step: only the sign of direction counts (positive: the up arrow, add 1; negative:
// subtract 1; zero: the text stays). The result is the decimal text of value(text) +- 1, so a
// typed "12abc" steps to "13".
std::u16string StepText(std::u16string_view text, int direction);

// The threshold's step keeps 0..255: it subtracts only above 0 and adds only below 255, and
// leaves the text as it was otherwise (a typed "300" stays "300" on the up arrow).
std::u16string StepThreshold(std::u16string_view text, int direction);

// The position buttons "U", "D", "L", "R" and "C" (kMoveUpId ... kCentreId): they move OFFSETX
// and OFFSETY by one without bounds (wrapping at the 32-bit limits, as the platform's int does).
// False, changing nothing, for any other id.
bool ApplyOffsetButton(ProjectSettings& s, int32_t controlId);

// The progress bar as a job's progress drives it.
struct ProgressBarState {
    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t position = 0;
};

enum class ProgressChange { None, Range, Position };

// The bar's new range.
ProgressChange ApplyProgressRange(ProgressBarState& bar, int32_t minimum, int32_t maximum);
// The position, kept inside the range; a change only when it differs from the bar's.
ProgressChange ApplyProgressPosition(ProgressBarState& bar, int32_t position);

// The multi-line edits of the platform keep "\r\n" line breaks; the GUI's text widgets give
// "\n". These convert between the two, so the record and the output keep the platform's text.
std::u16string PlatformLineBreaks(std::u16string_view editorText);
std::u16string EditorLineBreaks(std::u16string_view platformText);

}  // namespace zemtra
