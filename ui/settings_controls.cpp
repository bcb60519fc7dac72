// Spin steps, position buttons, the progress message and line-break conversion.
#include "ui/settings_controls.h"

#include <algorithm>

#include "ui/control_ids.h"

namespace zemtra {

std::u16string StepText(std::u16string_view text, int direction) {
    if (direction == 0) return std::u16string(text);
    const int64_t value = Value(text);
    return DecimalText(direction > 0 ? value + 1 : value - 1);
}

std::u16string StepThreshold(std::u16string_view text, int direction) {
    const int32_t value = Value(text);
    if (direction < 0 && value > 0) return DecimalText(int64_t{value} - 1);
    if (direction > 0 && value < 255) return DecimalText(int64_t{value} + 1);
    return std::u16string(text);
}

namespace {

int32_t Wrapped(int32_t value, int32_t delta) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(delta));
}

}  // namespace

bool ApplyOffsetButton(ProjectSettings& s, int32_t controlId) {
    switch (controlId) {
        case kMoveUpId:
            s.OFFSETY = Wrapped(s.OFFSETY, -1);
            return true;
        case kMoveDownId:
            s.OFFSETY = Wrapped(s.OFFSETY, 1);
            return true;
        case kMoveLeftId:
            s.OFFSETX = Wrapped(s.OFFSETX, -1);
            return true;
        case kMoveRightId:
            s.OFFSETX = Wrapped(s.OFFSETX, 1);
            return true;
        case kCentreId:
            s.OFFSETX = s.OFFSETY = 0;
            return true;
        default:
            return false;
    }
}

ProgressChange ApplyProgressRange(ProgressBarState& bar, int32_t minimum, int32_t maximum) {
    bar.minimum = minimum;
    bar.maximum = maximum;
    return ProgressChange::Range;
}

ProgressChange ApplyProgressPosition(ProgressBarState& bar, int32_t position) {
    // The bar keeps its position inside its range, as the platform's bar does.
    if (bar.minimum <= bar.maximum) position = std::clamp(position, bar.minimum, bar.maximum);
    if (position == bar.position) return ProgressChange::None;
    bar.position = position;
    return ProgressChange::Position;
}

std::u16string PlatformLineBreaks(std::u16string_view editorText) {
    std::u16string out;
    out.reserve(editorText.size());
    for (size_t i = 0; i < editorText.size(); ++i) {
        const char16_t c = editorText[i];
        // The text widgets hand out paragraph and line separators as "\n" or as themselves; a
        // "\r\n" that is already there stays one line break.
        const bool afterCr = i > 0 && editorText[i - 1] == u'\r';
        if ((c == u'\n' && !afterCr) || c == u'\u2029' || c == u'\u2028') {
            out += u"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::u16string EditorLineBreaks(std::u16string_view platformText) {
    std::u16string out;
    out.reserve(platformText.size());
    for (size_t i = 0; i < platformText.size(); ++i) {
        if (platformText[i] == u'\r' && i + 1 < platformText.size() &&
            platformText[i + 1] == u'\n') {
            continue;  // the "\n" that follows stands for the pair
        }
        out += platformText[i];
    }
    return out;
}

}  // namespace zemtra
