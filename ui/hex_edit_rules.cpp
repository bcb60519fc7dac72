// The hex field's key, character and paste rules.
#include "ui/hex_edit_rules.h"

#include <algorithm>

#include "project/project_file.h"

namespace zemtra {
namespace {

constexpr char16_t kBackspace = 8;

bool IsX(char16_t c) {
    return c == u'x' || c == u'X';
}

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

size_t Start(const HexEditState& s) {
    return std::min(s.selStart, s.selEnd);
}

size_t End(const HexEditState& s) {
    return std::max(s.selStart, s.selEnd);
}

bool StartsWithZero(std::u16string_view text) {
    return !text.empty() && text.front() == u'0';
}

constexpr HexDecision kPass{HexAction::Pass, 0};
constexpr HexDecision kRefuse{HexAction::Refuse, 0};

}  // namespace

bool HasHexPrefix(std::u16string_view text) {
    return text.size() >= 2 && IsX(text[1]);
}

HexDecision HexKeyDown(HexKey key, const HexEditState& state,
                       std::optional<std::u16string_view> clipboardText) {
    const bool prefix = HasHexPrefix(state.text);
    const size_t start = Start(state);
    const size_t end = End(state);
    switch (key) {
        case HexKey::SelectAll:
            return {HexAction::SelectAll, 0};
        case HexKey::Cut:
            // Cutting the 0 alone would leave a stray x in front of the digits.
            return prefix && start == 0 && end == 1 ? kRefuse : kPass;
        case HexKey::Paste:
            return clipboardText && HexPasteAllowed(*clipboardText, state) ? kPass : kRefuse;
        case HexKey::Delete:
            return prefix && start == 0 && end <= 1 ? kRefuse : kPass;
        case HexKey::Other:
            break;
    }
    return kPass;
}

HexDecision HexCharacter(char16_t c, const HexEditState& state) {
    const std::u16string_view text = state.text;
    const bool prefix = HasHexPrefix(text);
    const size_t start = Start(state);
    const size_t end = End(state);
    if (c < 32) {
        const bool eatsPrefixZero = c == kBackspace && prefix && text[0] == u'0' && end == 1;
        return eatsPrefixZero ? kRefuse : kPass;
    }
    if (prefix && start <= 1 && end <= 1) return kRefuse;  // nothing goes in front of or into 0x
    if (start == 1 && StartsWithZero(text) && IsX(c)) return {HexAction::PassReplaced, u'x'};
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')) return kPass;
    if (c >= u'a' && c <= u'f') return {HexAction::PassReplaced, static_cast<char16_t>(c - 32)};
    return kRefuse;
}

bool HexPasteAllowed(std::u16string_view clip, const HexEditState& state) {
    const std::u16string_view text = state.text;
    const bool prefix = HasHexPrefix(text);
    const size_t start = Start(state);
    const size_t end = End(state);
    if (prefix && end <= 1) return false;
    std::u16string_view digits = clip;
    if (clip.size() >= 2 && clip[0] == u'0' && IsX(clip[1])) {
        // The pasted prefix must become the field's: at the very start, over any old prefix.
        const bool fits = prefix ? start == 0 && end >= 2 : start == 0;
        if (!fits) return false;
        digits.remove_prefix(2);
    } else if (!clip.empty() && IsX(clip[0])) {
        // A pasted x completes a 0 already in the field.
        if (!(StartsWithZero(text) && start == 1)) return false;
        digits.remove_prefix(1);
    }
    return std::all_of(digits.begin(), digits.end(), IsHexDigit);
}

uint32_t HexEditGetValue(std::u16string_view text) {
    return HexFieldValue(text);
}

std::u16string HexEditSetValue(uint32_t value) {
    return HexFieldText(value);
}

}  // namespace zemtra
