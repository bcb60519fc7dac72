// The code fields' rules: typing, deleting and pasting around the 0x prefix, checked by playing
// keys into a small model of the edit control, and the value conversions.
#include "ui/hex_edit_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace zemtra {
namespace {

// A single-line edit: text, selection, and the filters deciding what each key does.
struct Field {
    std::u16string text;
    size_t start = 0;
    size_t end = 0;

    HexEditState State() const { return {text, start, end}; }
    void Replace(std::u16string_view with) {
        text.replace(start, end - start, with);
        start = end = start + with.size();
    }
    void Caret(size_t at) { start = end = at; }
    void Select(size_t from, size_t to) {
        start = from;
        end = to;
    }
    // A typed character, as the edit would take it after the filter.
    void Type(char16_t c) {
        const HexDecision d = HexCharacter(c, State());
        if (d.action == HexAction::Pass) Replace(std::u16string(1, c));
        if (d.action == HexAction::PassReplaced) Replace(std::u16string(1, d.character));
    }
    void TypeAll(std::u16string_view keys) {
        for (char16_t c : keys) Type(c);
    }
};

HexDecision Key(HexKey key, const Field& f, std::optional<std::u16string_view> clip = {}) {
    return HexKeyDown(key, f.State(), clip);
}

constexpr HexDecision kPass{HexAction::Pass, 0};
constexpr HexDecision kRefuse{HexAction::Refuse, 0};

TEST(HexEditTyping, DigitsUpperCaseAndRefusals) {
    Field f;
    f.TypeAll(u"1aGf");
    EXPECT_EQ(f.text, u"1AF");

    Field x;
    x.Type(u'x');
    EXPECT_EQ(x.text, u"");
    x.TypeAll(u"0X");
    EXPECT_EQ(x.text, u"0x");  // the prefix always reads 0x
    x.TypeAll(u"7f");
    EXPECT_EQ(x.text, u"0x7F");

    EXPECT_EQ(HexCharacter(u'a', {}), (HexDecision{HexAction::PassReplaced, u'A'}));
    for (char16_t c : {u'g', u'-', u' ', u'x', u'\x7F', u'\u00E9', u'\uFF11'}) {
        EXPECT_EQ(HexCharacter(c, {}).action, HexAction::Refuse) << int(c);
    }
}

TEST(HexEditTyping, XOnlyAfterALeadingZeroAtPositionOne) {
    Field f{u"05", 1, 1};
    f.Type(u'x');
    EXPECT_EQ(f.text, u"0x5");
    Field g{u"15", 1, 1};
    g.Type(u'x');
    EXPECT_EQ(g.text, u"15");
    Field h{u"0", 0, 0};
    h.Type(u'x');  // in front of the 0: not a prefix
    EXPECT_EQ(h.text, u"0");
    Field i{u"0x", 2, 2};
    i.Type(u'x');
    EXPECT_EQ(i.text, u"0x");
}

TEST(HexEditPrefix, NothingGoesInFrontOfOrIntoThePrefix) {
    for (size_t caret : {0u, 1u}) {
        Field f{u"0x12", caret, caret};
        f.TypeAll(u"3A0x");
        EXPECT_EQ(f.text, u"0x12") << caret;
    }
    Field sel{u"0x12", 0, 1};
    sel.Type(u'5');
    EXPECT_EQ(sel.text, u"0x12");
    Field after{u"0x12", 2, 2};
    after.Type(u'5');
    EXPECT_EQ(after.text, u"0x512");
    Field over{u"0x12", 0, 3};  // a selection past the prefix may replace it
    over.Type(u'5');
    EXPECT_EQ(over.text, u"52");
}

TEST(HexEditPrefix, DeletionCannotLeaveHalfAPrefix) {
    const Field f{u"0x12", 1, 1};
    EXPECT_EQ(HexCharacter(u'\b', f.State()), kRefuse);        // Backspace at 1
    EXPECT_EQ(HexCharacter(u'\b', {u"0x12", 0, 1}), kRefuse);  // over the 0
    EXPECT_EQ(HexCharacter(u'\b', {u"0x12", 2, 2}), kPass);    // the x goes: "012"
    EXPECT_EQ(HexCharacter(u'\b', {u"12", 1, 1}), kPass);
    EXPECT_EQ(HexCharacter(u'\t', f.State()), kPass);          // other control characters
    EXPECT_EQ(HexCharacter(u'\x03', {u"0x12", 0, 0}), kPass);  // Ctrl+C's character

    EXPECT_EQ(Key(HexKey::Delete, {u"0x12", 0, 0}), kRefuse);
    EXPECT_EQ(Key(HexKey::Delete, {u"0x12", 0, 1}), kRefuse);
    EXPECT_EQ(Key(HexKey::Delete, {u"0x12", 0, 2}), kPass);  // both prefix characters go
    EXPECT_EQ(Key(HexKey::Delete, {u"0x12", 1, 1}), kPass);
    EXPECT_EQ(Key(HexKey::Delete, {u"12", 0, 0}), kPass);

    EXPECT_EQ(Key(HexKey::Cut, {u"0x12", 0, 1}), kRefuse);
    EXPECT_EQ(Key(HexKey::Cut, {u"0x12", 1, 0}), kRefuse);  // selection made leftwards
    EXPECT_EQ(Key(HexKey::Cut, {u"0x12", 0, 2}), kPass);
    EXPECT_EQ(Key(HexKey::Cut, {u"12", 0, 1}), kPass);

    EXPECT_EQ(Key(HexKey::SelectAll, {u"0x12", 2, 2}).action, HexAction::SelectAll);
    EXPECT_EQ(Key(HexKey::Other, {u"0x12", 0, 0}), kPass);
}

TEST(HexEditPaste, DigitsOfEitherCaseAndNothingElse) {
    Field f;
    ASSERT_EQ(Key(HexKey::Paste, f, u"12ab"), kPass);
    f.Replace(u"12ab");  // the edit pastes the text as it is
    EXPECT_EQ(f.text, u"12ab");
    EXPECT_EQ(Key(HexKey::Paste, {}, u"12g"), kRefuse);
    EXPECT_EQ(Key(HexKey::Paste, {}, u"-1"), kRefuse);
    EXPECT_EQ(Key(HexKey::Paste, {}, u" 12"), kRefuse);
    EXPECT_EQ(Key(HexKey::Paste, {}, u"12\r\n"), kRefuse);
    EXPECT_EQ(Key(HexKey::Paste, {}, u""), kPass);
    EXPECT_EQ(Key(HexKey::Paste, {}, std::nullopt), kRefuse);  // no text, or unreadable
}

TEST(HexEditPaste, PrefixOnlyWhereItBecomesTheFieldsPrefix) {
    EXPECT_TRUE(HexPasteAllowed(u"0x7F", {}));
    EXPECT_TRUE(HexPasteAllowed(u"0X7F", {u"12", 0, 0}));
    EXPECT_FALSE(HexPasteAllowed(u"0x7F", {u"12", 1, 1}));
    EXPECT_FALSE(HexPasteAllowed(u"0x7G", {}));
    // Over an existing prefix: only when the whole prefix is replaced.
    EXPECT_TRUE(HexPasteAllowed(u"0x7F", {u"0x12", 0, 2}));
    EXPECT_TRUE(HexPasteAllowed(u"0x7F", {u"0x12", 0, 4}));
    EXPECT_FALSE(HexPasteAllowed(u"0x7F", {u"0x12", 0, 1}));
    EXPECT_FALSE(HexPasteAllowed(u"0x7F", {u"0x12", 2, 4}));
    // Nothing at all goes into the prefix.
    EXPECT_FALSE(HexPasteAllowed(u"12", {u"0x12", 1, 1}));
    EXPECT_FALSE(HexPasteAllowed(u"", {u"0x12", 0, 0}));
    EXPECT_TRUE(HexPasteAllowed(u"12", {u"0x12", 2, 2}));
    // A pasted x completes a leading 0 at position 1.
    EXPECT_TRUE(HexPasteAllowed(u"x12", {u"0", 1, 1}));
    EXPECT_TRUE(HexPasteAllowed(u"X", {u"05", 1, 2}));
    EXPECT_FALSE(HexPasteAllowed(u"x12", {u"1", 1, 1}));
    EXPECT_FALSE(HexPasteAllowed(u"x12", {u"0", 0, 0}));
    EXPECT_FALSE(HexPasteAllowed(u"0xx1", {}));
}

TEST(HexEditValue, ReadAndShown) {
    for (std::u16string_view text : {u"0x1A", u"1A", u"1a"}) {
        EXPECT_EQ(HexEditGetValue(text), 26u) << std::string(text.begin(), text.end());
    }
    EXPECT_EQ(HexEditGetValue(u""), 0u);
    EXPECT_EQ(HexEditGetValue(u"0x"), 0u);
    EXPECT_EQ(HexEditGetValue(u"0X1A"), 26u);
    EXPECT_EQ(HexEditSetValue(0), u"0000");
    EXPECT_EQ(HexEditSetValue(0x41), u"0041");
    EXPECT_EQ(HexEditSetValue(0xA1A1), u"A1A1");
    EXPECT_EQ(HexEditSetValue(0x12345), u"12345");
    EXPECT_EQ(HexEditGetValue(HexEditSetValue(0xFFFF)), 0xFFFFu);
}

TEST(HexEditColours, PlatformRgbInLowBytesFirst) {
    const auto rgb = [](uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); };
    EXPECT_EQ(kHexEditTextColour, rgb(255, 0, 0));
    EXPECT_EQ(kHexEditBackgroundColour, rgb(219, 247, 220));
}

}  // namespace
}  // namespace zemtra
