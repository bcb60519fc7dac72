// The language tables' key scheme, the language command ids and the line-break rule of GetText:
// pure helpers of ui/multi_language.h.
#include <algorithm>
#include <limits>
#include <string>

#include "base/unicode.h"
#include "ui/multi_language.h"

namespace zemtra {
uint32_t LanguageCommandId(size_t index) {
    constexpr size_t kRoom = std::numeric_limits<uint32_t>::max() - kLanguageCommandFirst;
    return kLanguageCommandFirst + static_cast<uint32_t>(std::min(index, kRoom));
}

bool IsLanguageCommand(uint32_t commandId) {
    return commandId >= kLanguageCommandFirst && commandId <= kLanguageCommandLast;
}

std::optional<size_t> LanguageIndexOfCommand(uint32_t commandId) {
    if (!IsLanguageCommand(commandId)) return std::nullopt;
    return commandId - kLanguageCommandFirst;
}

std::u16string DialogSection(int32_t dialogId) {
    return u"IDD_" + DecimalText(dialogId);
}

std::u16string DialogTitleKey(int32_t dialogId) {
    return DialogSection(dialogId) + u"_Title";
}

std::u16string ControlKey(int32_t dialogId, int32_t controlId) {
    return DialogSection(dialogId) + u"_" + DecimalText(controlId);
}

std::u16string ControlTipKey(int32_t dialogId, int32_t controlId) {
    return ControlKey(dialogId, controlId) + u"_Tip";
}

std::u16string MenuSection(int32_t menuId) {
    return u"MENU_" + DecimalText(menuId);
}

std::u16string MenuCommandKey(int32_t menuId, uint32_t commandId) {
    return MenuSection(menuId) + u"_" + DecimalText(commandId);
}

std::u16string MenuPopupKey(std::u16string_view prefix, size_t position) {
    return std::u16string(prefix) + u"_" + DecimalText(static_cast<int64_t>(position));
}

std::u16string ExpandLineBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'n') {
            out += u'\n';
            ++i;  // the pair is used up: "\\n" gives "\" and a line feed
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace zemtra
