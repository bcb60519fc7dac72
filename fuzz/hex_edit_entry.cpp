// Fuzzing the hex field's rules: any text, selection, clipboard and typed character gets an
// answer, and every paste the check lets through leaves a field the value reader takes.
#include <algorithm>
#include <string>

#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_support.h"
#include "project/project_file.h"
#include "ui/hex_edit_rules.h"

namespace zemtra::fuzz {
namespace {

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// The field after pasting clip over the selection, as the edit control does it.
std::u16string Pasted(std::u16string_view text, size_t start, size_t end,
                      std::u16string_view clip) {
    start = std::min(start, text.size());
    end = std::min(end, text.size());
    return std::u16string(text.substr(0, start)) + std::u16string(clip) +
           std::u16string(text.substr(end));
}

// A field of digits with at most a 0x prefix, as the filters keep it.
bool WellFormed(std::u16string_view text) {
    if (HasHexPrefix(text)) {
        if (text[0] != u'0') return false;
        text.remove_prefix(2);
    }
    return std::all_of(text.begin(), text.end(), IsHexDigit);
}

}  // namespace

// Input: two bytes of selection, then UTF-16LE units: the field's text, "|", the clipboard.
void FuzzHexEdit(std::string_view data) {
    if (data.size() < 2) return;
    const size_t a = static_cast<unsigned char>(data[0]) % 12;
    const size_t b = static_cast<unsigned char>(data[1]) % 12;
    const std::u16string units = Utf16Units(data.substr(2));
    const size_t bar = units.find(u'|');
    const std::u16string text = units.substr(0, bar);
    const std::u16string clip = bar == std::u16string::npos ? u"" : units.substr(bar + 1);
    const HexEditState state{text, a, b};

    for (HexKey key :
         {HexKey::SelectAll, HexKey::Cut, HexKey::Paste, HexKey::Delete, HexKey::Other}) {
        HexKeyDown(key, state, clip);
        HexKeyDown(key, state, std::nullopt);
    }
    Check(HexKeyDown(HexKey::Paste, state, std::nullopt).action == HexAction::Refuse,
          "a paste without clipboard text is refused");
    for (char16_t c : clip) {
        const HexDecision d = HexCharacter(c, state);
        if (d.action == HexAction::PassReplaced) {
            Check(d.character == u'x' || (d.character >= u'A' && d.character <= u'F'),
                  "a replaced character is x or an upper-case digit");
        }
        if (c >= 32 && d.action != HexAction::Refuse) {
            Check(IsHexDigit(c) || c == u'x' || c == u'X', "only digits and x pass");
        }
    }
    const bool allowed = HexPasteAllowed(clip, state);
    if (allowed && WellFormed(text) && a <= text.size() && b <= text.size()) {
        const std::u16string after = Pasted(text, std::min(a, b), std::max(a, b), clip);
        Check(WellFormed(after), "an allowed paste keeps the field hexadecimal");
    }

    const uint32_t value = HexEditGetValue(text);
    Check(value == HexFieldValue(text), "the field reads as a project's hex value does");
    const std::u16string shown = HexEditSetValue(value);
    Check(shown.size() >= 4 && HexEditGetValue(shown) == value, "a shown value reads back");
    Check(HexEditGetValue(u"0x" + shown) == value, "a 0x prefix does not change the value");
}

}  // namespace zemtra::fuzz
