// The glyph editor's core: strokes of toggling and clearing, clear, invert and shift, and the
// undo history over every kind of step, with its bounds.
#include "base/glyph_editing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zemtra {
namespace {

// Dots from rows of '#' and '.', and back.
GlyphDots Dots(const std::vector<std::string>& rows) {
    GlyphDots d(static_cast<int32_t>(rows.front().size()), static_cast<int32_t>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            d.Set(static_cast<int32_t>(x), static_cast<int32_t>(y), rows[y][x] == '#');
        }
    }
    return d;
}
std::vector<std::string> Rows(const GlyphDots& d) {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < d.Height(); ++y) {
        std::string row;
        for (int32_t x = 0; x < d.Width(); ++x) row += d.Lit(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}
using R = std::vector<std::string>;

TEST(DotOperations, ClearInvertAndShiftKeepTheSizeAndLoseWhatLeaves) {
    // 10 wide: the rows span two bytes, so the shifts cross a byte boundary.
    const GlyphDots d = Dots({"#........#", ".##.......", "..........", "#.......##"});
    EXPECT_EQ(Rows(ClearedDots(d)), R(4, ".........."));
    EXPECT_EQ(Rows(InvertedDots(d)), (R{".########.", "#..#######", "##########", ".#######.."}));
    EXPECT_EQ(Rows(ShiftedDots(d, 1, 0)),
              (R{".#........", "..##......", "..........", ".#.......#"}));
    EXPECT_EQ(Rows(ShiftedDots(d, -1, 0)),
              (R{"........#.", "##........", "..........", ".......##."}));
    EXPECT_EQ(Rows(ShiftedDots(d, 0, -1)),
              (R{".##.......", "..........", "#.......##", ".........."}));
    EXPECT_EQ(Rows(ShiftedDots(d, 0, 1)),
              (R{"..........", "#........#", ".##.......", ".........."}));
    // Shifting the whole way out leaves nothing; the sizes stay.
    EXPECT_EQ(Rows(ShiftedDots(d, 10, 0)), R(4, ".........."));
    EXPECT_EQ(Rows(ShiftedDots(d, 0, -4)), R(4, ".........."));
    EXPECT_EQ(ShiftedDots(d, 0, 0), d);
    EXPECT_EQ(InvertedDots(InvertedDots(d)), d);
}

TEST(DotStrokes, AToggleStrokePaintsTheStateItsFirstDotTook) {
    const GlyphDots start = Dots({"#....", "#....", "#....", "....."});
    // Starting on a lit dot: it goes dark, and the drag clears from then on.
    DotStroke off(start, DotStroke::Kind::Toggle, 0, 0);
    EXPECT_TRUE(off.Changed());
    EXPECT_TRUE(off.MoveTo(0, 2));  // the line through (0, 1)
    EXPECT_FALSE(off.MoveTo(1, 3)) << "an unlit dot stays unlit";
    EXPECT_EQ(Rows(off.Dots()), R(4, "....."));
    // Starting on an unlit dot: the drag lights, and a lit dot on the way stays lit.
    DotStroke on(start, DotStroke::Kind::Toggle, 4, 0);
    EXPECT_TRUE(on.MoveTo(0, 0));
    EXPECT_EQ(Rows(on.Dots()), (R{"#####", "#....", "#....", "....."}));
    // A click is a stroke of one dot: it toggles.
    DotStroke click(start, DotStroke::Kind::Toggle, 2, 3);
    EXPECT_EQ(Rows(click.Dots()), (R{"#....", "#....", "#....", "..#.."}));
}

TEST(DotStrokes, AFastDiagonalDragLeavesNoHolesAndOutsidePointsAreIgnored) {
    DotStroke s(GlyphDots(6, 6), DotStroke::Kind::Toggle, 0, 0);
    EXPECT_TRUE(s.MoveTo(5, 5));
    EXPECT_FALSE(s.MoveTo(9, 9));
    EXPECT_FALSE(s.MoveTo(-1, 2));
    EXPECT_TRUE(s.MoveTo(5, 0));  // from (5, 5), not from an outside point
    EXPECT_EQ(Rows(s.Dots()), (R{"#....#", ".#...#", "..#..#", "...#.#", "....##", ".....#"}));
    // A steep line too: every row gets a dot.
    DotStroke steep(GlyphDots(3, 6), DotStroke::Kind::Toggle, 0, 0);
    steep.MoveTo(2, 5);
    for (int32_t y = 0; y < 6; ++y) {
        EXPECT_TRUE(steep.Dots().Lit(0, y) || steep.Dots().Lit(1, y) || steep.Dots().Lit(2, y))
            << y;
    }
    // A stroke that starts outside paints nothing at all.
    DotStroke outside(GlyphDots(3, 3), DotStroke::Kind::Toggle, 3, 0);
    EXPECT_FALSE(outside.MoveTo(1, 1));
    EXPECT_FALSE(outside.Changed());
    EXPECT_EQ(outside.Dots(), GlyphDots(3, 3));
}

TEST(DotStrokes, AClearStrokeOnlyUnlights) {
    const GlyphDots start = Dots({"###", "...", "###"});
    DotStroke s(start, DotStroke::Kind::Clear, 1, 1);  // on an unlit dot: nothing yet
    EXPECT_FALSE(s.Changed());
    EXPECT_TRUE(s.MoveTo(1, 0));
    EXPECT_TRUE(s.MoveTo(1, 2));
    EXPECT_EQ(Rows(s.Dots()), (R{"#.#", "...", "#.#"}));
    EXPECT_TRUE(s.Changed());
}

constexpr GlyphEditKey kA{u'A', 3, 2};

TEST(GlyphEditHistory, UndoAndRedoEveryKindOfStepInOrder) {
    GlyphEdits edits;
    GlyphEditHistory history;
    EXPECT_FALSE(history.Undo(edits));
    EXPECT_FALSE(history.Redo(edits));
    const GlyphDots first = Dots({"#..", "..."});
    const GlyphDots second = Dots({"#..", "..#"});
    // A new edit, a change of it, and reverting it to the font.
    ASSERT_TRUE(history.Apply(edits, {kA, std::nullopt, first}));
    ASSERT_TRUE(history.Apply(edits, {kA, first, second}));
    ASSERT_TRUE(history.Apply(edits, {kA, second, std::nullopt}));
    EXPECT_EQ(edits.Find(kA), nullptr);
    EXPECT_EQ(history.UndoSteps(), 3u);

    EXPECT_EQ(history.Undo(edits), kA);  // the revert
    ASSERT_NE(edits.Find(kA), nullptr);
    EXPECT_EQ(*edits.Find(kA), second);
    EXPECT_EQ(history.Undo(edits), kA);
    EXPECT_EQ(*edits.Find(kA), first);
    EXPECT_EQ(history.Undo(edits), kA);  // back to no edit at all
    EXPECT_TRUE(edits.Empty());
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.CanRedo());

    EXPECT_EQ(history.Redo(edits), kA);
    EXPECT_EQ(*edits.Find(kA), first);
    EXPECT_EQ(history.Redo(edits), kA);
    EXPECT_EQ(*edits.Find(kA), second);
    // A new step drops what could still be redone.
    const GlyphDots third = Dots({"###", "..."});
    ASSERT_TRUE(history.Apply(edits, {kA, second, third}));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.Redo(edits));
    EXPECT_EQ(*edits.Find(kA), third);
}

TEST(GlyphEditHistory, StepsOfOtherGlyphsAndSizesStaySeparate) {
    GlyphEdits edits;
    GlyphEditHistory history;
    const GlyphEditKey bigA{u'A', 4, 2};
    const GlyphEditKey b{u'B', 3, 2};
    history.Apply(edits, {kA, std::nullopt, Dots({"#..", "..."})});
    history.Apply(edits, {bigA, std::nullopt, Dots({"####", "...."})});
    // A stroke is made dot by dot and recorded once at its end.
    edits.Set(b.code, Dots({"..#", "..."}));
    EXPECT_TRUE(history.Record({b, std::nullopt, Dots({"..#", "..."})}));
    EXPECT_EQ(history.Undo(edits), b);
    EXPECT_EQ(edits.Find(b), nullptr);
    EXPECT_EQ(edits.Size(), 2u);
    EXPECT_EQ(history.Undo(edits), bigA);
    EXPECT_NE(edits.Find(kA), nullptr) << "undoing 4x2 leaves A's 3x2 edit";
    EXPECT_EQ(edits.Find(bigA), nullptr);
}

TEST(GlyphEditHistory, NoStepForNothingAndBoundedBySteps) {
    GlyphEdits edits;
    GlyphEditHistory history(3);
    const GlyphDots d = Dots({"#..", "..."});
    EXPECT_FALSE(history.Apply(edits, {kA, d, d}));
    EXPECT_FALSE(history.Apply(edits, {kA, std::nullopt, std::nullopt}));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(edits.Empty()) << "a refused step changes nothing";
    std::optional<GlyphDots> before;
    for (int32_t i = 0; i < 5; ++i) {
        GlyphDots next(3, 2);
        next.Set(i % 3, i / 3, true);
        history.Apply(edits, {kA, before, next});
        before = next;
    }
    EXPECT_EQ(history.UndoSteps(), 3u);  // the oldest two went
    while (history.Undo(edits)) {
    }
    ASSERT_NE(edits.Find(kA), nullptr) << "the first steps can no longer be undone";
    EXPECT_EQ(Rows(*edits.Find(kA)), (R{".#.", "..."}));
    history.Clear();
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.CanUndo());
}

TEST(GlyphEditHistory, BoundedByTheBytesOfItsDotsButKeepsTheNewestStep) {
    GlyphEdits edits;
    // Room for about two steps of 64 x 64 glyphs (512 bytes a glyph, two a step).
    GlyphEditHistory history(1000, 2 * (2 * 512 + sizeof(GlyphEditChange)) + 1);
    const GlyphEditKey key{u'Z', 64, 64};
    std::optional<GlyphDots> before = GlyphDots(64, 64);
    edits.Set(key.code, *before);
    for (int32_t i = 0; i < 10; ++i) {
        GlyphDots next = *before;
        next.Set(i, i, true);
        history.Apply(edits, {key, before, next});
        before = next;
    }
    EXPECT_EQ(history.UndoSteps(), 2u);
    // One step larger than the whole allowance is still kept: undo must work once.
    GlyphEditHistory tiny(1000, 1);
    tiny.Apply(edits, {key, before, GlyphDots(64, 64)});
    EXPECT_EQ(tiny.UndoSteps(), 1u);
    EXPECT_EQ(tiny.Undo(edits), key);
    EXPECT_EQ(*edits.Find(key), *before);
}

}  // namespace
}  // namespace zemtra
