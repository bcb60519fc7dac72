// Hand-edited glyphs in the project record: the packed dots, the table keyed by character and
// matrix size, and the list items they belong to.
#include "base/glyph_edits.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "base/character_list.h"
#include "base/project_settings.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

// A matrix from rows of '#' and '.'.
DotMatrix Matrix(const std::vector<std::string>& rows) {
    DotMatrix m(static_cast<int32_t>(rows.front().size()), static_cast<int32_t>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            m.Set(static_cast<int32_t>(x), static_cast<int32_t>(y), rows[y][x] == '#');
        }
    }
    return m;
}

TEST(GlyphDots, KeepEveryDotAcrossByteBoundaries) {
    // 11 wide: a row takes two bytes, the second partly.
    const DotMatrix m = Matrix({"#.........#", ".#.......#.", "...........", "#########.#"});
    const GlyphDots dots = GlyphDots::FromMatrix(m);
    EXPECT_EQ(dots.Width(), 11);
    EXPECT_EQ(dots.Height(), 4);
    EXPECT_TRUE(dots.Lit(10, 0));
    EXPECT_FALSE(dots.Lit(9, 3));
    EXPECT_EQ(test::MatrixRows(dots.ToMatrix()), test::MatrixRows(m));

    // Filling a matrix of the right size keeps it; one of another size is resized.
    DotMatrix target(11, 4);
    const uint8_t* storage = target.Row(0);
    dots.CopyTo(target);
    EXPECT_EQ(target.Row(0), storage);
    EXPECT_EQ(target, m);
    DotMatrix other(3, 3);
    dots.CopyTo(other);
    EXPECT_EQ(other, m);

    GlyphDots changed = dots;
    changed.Set(10, 0, false);
    changed.Set(0, 2, true);
    EXPECT_NE(changed, dots);
    EXPECT_FALSE(changed.Lit(10, 0));
    EXPECT_TRUE(changed.Lit(0, 2));
    EXPECT_TRUE(changed.Lit(0, 0));  // its neighbours in the byte stay
}

TEST(GlyphEdits, OneEditPerCharacterAndSize) {
    GlyphEdits edits;
    EXPECT_EQ(edits.Find(u'A', 8, 8), nullptr);
    GlyphDots a8(8, 8);
    a8.Set(3, 0, true);
    GlyphDots a16(16, 16);
    a16.Set(15, 15, true);
    edits.Set(u'A', a8);
    edits.Set(u'A', a16);
    edits.Set(0x1F600, GlyphDots(8, 8));  // kept, though no UTF-16 unit can ask for it
    ASSERT_NE(edits.Find(u'A', 8, 8), nullptr);
    EXPECT_EQ(*edits.Find(u'A', 8, 8), a8);
    EXPECT_EQ(*edits.Find({u'A', 16, 16}), a16);
    EXPECT_EQ(edits.Find(u'A', 8, 16), nullptr);
    EXPECT_EQ(edits.Find(u'B', 8, 8), nullptr);
    // Sizes beyond the packing never alias a real one (4097 would wrap to 1).
    edits.Set(u'C', GlyphDots(1, 1));
    EXPECT_EQ(edits.Find(u'C', 4097, 1), nullptr);
    EXPECT_EQ(edits.Find(u'C', 1, -4095), nullptr);

    // Listed by code, then width, then height.
    const std::vector<GlyphEditKey> keys = edits.Keys();
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0], (GlyphEditKey{u'A', 8, 8}));
    EXPECT_EQ(keys[1], (GlyphEditKey{u'A', 16, 16}));
    EXPECT_EQ(keys[2], (GlyphEditKey{u'C', 1, 1}));
    EXPECT_EQ(keys[3], (GlyphEditKey{0x1F600, 8, 8}));
    EXPECT_EQ(edits.KeysOf(u'A').size(), 2u);
    EXPECT_TRUE(edits.KeysOf(u'Z').empty());

    // Replacing keeps one edit; removing says whether there was one.
    edits.Set(u'A', a8);
    EXPECT_EQ(edits.Size(), 4u);
    EXPECT_TRUE(edits.Remove({u'A', 8, 8}));
    EXPECT_FALSE(edits.Remove({u'A', 8, 8}));
    EXPECT_FALSE(edits.Remove({u'A', 0, 8}));
    EXPECT_EQ(edits.Find(u'A', 8, 8), nullptr);
    EXPECT_NE(edits.Find(u'A', 16, 16), nullptr);
}

TEST(GlyphEdits, RefuseWhatNoProjectCanHold) {
    GlyphEdits edits;
    EXPECT_THROW(edits.Set(0x110000, GlyphDots(8, 8)), std::invalid_argument);
    EXPECT_THROW(edits.Set(u'A', GlyphDots(0, 8)), std::invalid_argument);
    EXPECT_THROW(edits.Set(u'A', GlyphDots(kMaxGlyphEditSide + 1, 1)), std::invalid_argument);
    edits.Set(kMaxCodePoint, GlyphDots(kMaxGlyphEditSide, 1));
    EXPECT_NE(edits.Find(kMaxCodePoint, kMaxGlyphEditSide, 1), nullptr);
}

TEST(GlyphEdits, AreProjectDataThatNewClearsAndComparisonsSee) {
    ProjectSettings s;
    ApplyNew(s, false);
    const ProjectSettings fresh = s;
    s.GLYPHS.Set(u'A', GlyphDots(16, 16));
    EXPECT_NE(s, fresh);
    ProjectSettings other = s;
    GlyphDots dots(16, 16);
    dots.Set(1, 1, true);
    other.GLYPHS.Set(u'A', dots);
    EXPECT_NE(other, s);  // the dots count, not only the keys
    ApplyNew(s, false);
    EXPECT_TRUE(s.GLYPHS.Empty());
    EXPECT_EQ(s, fresh);
}

TEST(ItemEdits, OnlyCharacterItemsAtAMatrixThatRendersCanBeEdited) {
    ProjectSettings s;
    ApplyNew(s, false);
    s.BLOCKNUMX = u"6";
    s.BLOCKNUMY = u"3";
    FillCharacterList(s, u"AB", true);
    AppendPictureItem(s, u"/pictures/a.png");
    const DotMatrix dots = Matrix({"######", "#....#", "######"});

    ASSERT_TRUE(ItemEditKey(s, 0).has_value());
    EXPECT_EQ(*ItemEditKey(s, 0), (GlyphEditKey{u'A', 6, 3}));
    EXPECT_FALSE(ItemEditKey(s, 2).has_value()) << "a picture item draws its picture";
    EXPECT_FALSE(ItemEditKey(s, 3).has_value());
    EXPECT_FALSE(SetItemEdit(s, 2, dots));
    EXPECT_FALSE(SetItemEdit(s, 0, Matrix({"##", "##"}))) << "dots of another size";
    EXPECT_TRUE(s.GLYPHS.Empty());

    EXPECT_TRUE(SetItemEdit(s, 1, dots));
    ASSERT_NE(ItemEdit(s, 1), nullptr);
    EXPECT_EQ(ItemEdit(s, 1)->ToMatrix(), dots);
    EXPECT_EQ(ItemEdit(s, 0), nullptr);
    // Another matrix size has edits of its own; the 6 x 3 one waits.
    s.BLOCKNUMX = u"8";
    EXPECT_EQ(ItemEdit(s, 1), nullptr);
    EXPECT_FALSE(RevertItemEdit(s, 1));
    s.BLOCKNUMX = u"0";
    EXPECT_FALSE(ItemEditKey(s, 1).has_value());
    s.BLOCKNUMX = u"6";
    EXPECT_TRUE(RevertItemEdit(s, 1));
    EXPECT_TRUE(s.GLYPHS.Empty());
}

}  // namespace
}  // namespace zemtra
