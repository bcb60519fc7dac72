// The rules of the hexadecimal code fields (CHexEdit) as pure functions of the field's text and
// selection: which keys and characters pass, what a paste may bring, the fixed colours and the
// conversion between text and code. The widget asks and does exactly what the answer says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zemtra {

// Colours are 0x00BBGGRR: text RGB(255, 0, 0), background RGB(219, 247, 220), in every state.
inline constexpr uint32_t kHexEditTextColour = 0x0000FF;
inline constexpr uint32_t kHexEditBackgroundColour = 0xDCF7DB;
// The code fields hold at most this many characters.
inline constexpr int kHexEditMaxLength = 4;

// The field as the filter sees it: its text and its selection (start == end: the caret).
// Start and end may come in either order; the rules use the smaller as start.
struct HexEditState {
    std::u16string_view text;
    size_t selStart = 0;
    size_t selEnd = 0;
};

enum class HexAction {
    Pass,          // normal processing of the key or character
    Refuse,        // discard it: nothing happens
    PassReplaced,  // process HexDecision::character instead of the typed one
    SelectAll,     // select the whole text; the key is used up
};

struct HexDecision {
    HexAction action = HexAction::Pass;
    char16_t character = 0;  // for PassReplaced

    bool operator==(const HexDecision&) const = default;
};

// The keys that the key-down filter looks at; every other key is Other and passes.
enum class HexKey {
    SelectAll,  // Ctrl+A
    Cut,        // Ctrl+X
    Paste,      // Ctrl+V, and Shift+Insert, which pastes the same way
    Delete,
    Other,
};

// True when the text has at least two characters and the second is x or X ("0x12").
bool HasHexPrefix(std::u16string_view text);

// The key-down filter. clipboardText is the clipboard's Unicode text, or nothing when it holds
// none or cannot be read; a paste is refused then, so nothing unchecked reaches the field.
HexDecision HexKeyDown(HexKey key, const HexEditState& state,
                       std::optional<std::u16string_view> clipboardText = std::nullopt);

// The character filter for one typed character (selection taken before it). Control
// characters pass, except a Backspace that would delete the 0 of a 0x prefix; a-f become A-F;
// x or X typed at position 1 after a leading 0 becomes x.
HexDecision HexCharacter(char16_t character, const HexEditState& state);

// Whether pasting clip over the selection is allowed: hexadecimal digits of either case, with
// a 0x prefix only where it would form the field's prefix, never touching an existing prefix.
bool HexPasteAllowed(std::u16string_view clip, const HexEditState& state);

// The field's value: a leading "0x" skipped, then read like scanf's "%x"; 0 when unreadable.
uint32_t HexEditGetValue(std::u16string_view text);
// The text the field shows for a value: at least four upper-case digits, no prefix.
std::u16string HexEditSetValue(uint32_t value);

}  // namespace zemtra
