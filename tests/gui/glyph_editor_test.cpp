// The preview as the glyph editor, driven through the real widget: clicks, drags with either
// button and the arrow keys on the preview; the Edit menu and its keys; undo and redo after each
// kind of edit; the list's marks, the status line's note, and the project that Save writes.
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QtTest/QTest>

#include "gui/glyph_test_support.h"
#include "project/project_file.h"
#include "project/project_test_util.h"

namespace zemtra::test {
namespace {

void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// The dots of a matrix with (x, y) set to lit.
DotMatrix With(DotMatrix m, std::initializer_list<std::pair<int, int>> dots, bool lit) {
    for (auto [x, y] : dots) m.Set(x, y, lit);
    return m;
}

class GlyphEditor : public ::testing::Test {
  protected:
    void SetUp() override {
        ProjectSettings project = EightByEight();
        SaveProject(home / "job.fprj", project);
        dialog = std::make_unique<CZemtraDlg>(answers.Make());
        answers.openNames.push_back({QString::fromStdString((home / "job.fprj").string())});
        FindCommand(dialog->MenuBar(), kCmdOpen)->trigger();
        ASSERT_EQ(dialog->CurrentCharacter(), u"A");
        fontA = FontGlyph(dialog->Settings(), u"A");
        preview = Ctl<PreviewWidget>(*dialog, kPreviewId);
    }

    // Press on dot (x, y), move straight to each further dot, release on the last.
    void Stroke(Qt::MouseButton button, std::initializer_list<std::pair<int, int>> dots) {
        const auto at = [&](std::pair<int, int> d) {
            return CellCentre(*dialog, d.second, d.first);
        };
        const std::pair<int, int> first = *dots.begin();
        SendMouse(preview, QEvent::MouseButtonPress, at(first), button, button);
        std::pair<int, int> last = first;
        for (auto d : dots) {
            SendMouse(preview, QEvent::MouseMove, at(d), Qt::NoButton, button);
            last = d;
        }
        SendMouse(preview, QEvent::MouseButtonRelease, at(last), button, Qt::NoButton);
    }
    void Click(int x, int y) { Stroke(Qt::LeftButton, {{x, y}}); }
    void Command(int id) { FindCommand(dialog->MenuBar(), id)->trigger(); }

    // The edit of A at 8 x 8 as a matrix; the font's A when there is none.
    DotMatrix EditOfA() const {
        const GlyphDots* edit = dialog->Settings().GLYPHS.Find(u'A', 8, 8);
        return edit ? edit->ToMatrix() : fontA;
    }
    bool Marked() {
        QApplication::processEvents();  // the title follows once per burst of events
        return dialog->windowTitle().startsWith('*');
    }
    ProjectSettings Saved() {
        Command(kCmdSave);
        ProjectSettings saved;
        EXPECT_TRUE(LoadProject(home / "job.fprj", saved).isProject);
        return saved;
    }

    ScopedHome home;
    TestHooks answers;
    std::unique_ptr<CZemtraDlg> dialog;
    PreviewWidget* preview = nullptr;
    DotMatrix fontA;
};

TEST_F(GlyphEditor, AClickTogglesADotAndADragPaintsTheFirstDotsNewState) {
    EXPECT_FALSE(Marked());
    const bool corner = fontA.Lit(0, 7);
    Click(0, 7);
    DotMatrix expected = With(fontA, {{0, 7}}, !corner);
    EXPECT_EQ(MatrixRows(EditOfA()), MatrixRows(expected));
    EXPECT_EQ(MatrixRows(PreviewDots(*dialog)), MatrixRows(expected));
    EXPECT_TRUE(Marked()) << "an edit is a change of the project";
    // Clicking it again toggles it back: still an edit, now of the font's dots.
    Click(0, 7);
    EXPECT_EQ(EditOfA(), fontA);
    ASSERT_NE(dialog->Settings().GLYPHS.Find(u'A', 8, 8), nullptr);

    // A drag from (0, 0) straight to (7, 0) paints the whole top row with the state (0, 0)
    // took, the dots the mouse jumped over included.
    const bool paint = !fontA.Lit(0, 0);
    Stroke(Qt::LeftButton, {{0, 0}, {7, 0}});
    expected = With(fontA, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}}, paint);
    EXPECT_EQ(MatrixRows(EditOfA()), MatrixRows(expected));
    EXPECT_EQ(MatrixRows(PreviewDots(*dialog)), MatrixRows(expected));
    EXPECT_EQ(dialog->Editor().History().UndoSteps(), 3u) << "the drag is one step";

    // Save writes the edit; the list's items are the project's own.
    const ProjectSettings saved = Saved();
    ASSERT_NE(saved.GLYPHS.Find(u'A', 8, 8), nullptr);
    EXPECT_EQ(MatrixRows(saved.GLYPHS.Find(u'A', 8, 8)->ToMatrix()), MatrixRows(expected));
    EXPECT_EQ(saved.GLYPHS.Size(), 1u);
    EXPECT_EQ(saved.LIST, (std::vector<std::u16string>{u"A", u"B"}));
    EXPECT_FALSE(Marked());
}

TEST_F(GlyphEditor, ARightDragClearsAndMakesNoEditWhereNothingWasLit) {
    // All lit first, so the right button has something to clear.
    ASSERT_TRUE(dialog->Editor().SetSelectedItemEdit(With(DotMatrix(8, 8), {}, false)));
    Command(kCmdInvertGlyph);
    DotMatrix all(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) all.Set(x, y, true);
    }
    ASSERT_EQ(EditOfA(), all);
    // Down column 2, then across row 7: a right drag clears, whatever the first dot was.
    Stroke(Qt::RightButton, {{2, 0}, {2, 7}, {7, 7}});
    DotMatrix expected = all;
    for (int i = 0; i < 8; ++i) {
        expected.Set(2, i, false);
        if (i >= 2) expected.Set(i, 7, false);
    }
    EXPECT_EQ(MatrixRows(EditOfA()), MatrixRows(expected));
    EXPECT_EQ(MatrixRows(PreviewDots(*dialog)), MatrixRows(expected));
    // Again over the cleared dots: nothing changes, so no step.
    const size_t steps = dialog->Editor().History().UndoSteps();
    Stroke(Qt::RightButton, {{2, 0}, {2, 7}});
    EXPECT_EQ(dialog->Editor().History().UndoSteps(), steps);

    // On B, clearing where the font lit nothing makes no edit at all.
    Ctl<QListWidget>(*dialog, kCharacterListId)->setCurrentRow(1);
    const DotMatrix fontB = FontGlyph(dialog->Settings(), u"B");
    int emptyColumn = -1;
    for (int x = 0; x < 8 && emptyColumn < 0; ++x) {
        bool lit = false;
        for (int y = 0; y < 8; ++y) lit = lit || fontB.Lit(x, y);
        if (!lit) emptyColumn = x;
    }
    ASSERT_GE(emptyColumn, 0) << "B at 8 x 8 leaves a column unlit";
    Stroke(Qt::RightButton, {{emptyColumn, 0}, {emptyColumn, 7}});
    EXPECT_EQ(dialog->Settings().GLYPHS.Find(u'B', 8, 8), nullptr);
    EXPECT_EQ(Saved().GLYPHS.Size(), 1u);
}

TEST_F(GlyphEditor, UndoAndRedoFollowEveryKindOfEdit) {
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));  // shortcuts need the focus
    const auto shift = [&](int key) {
        preview->setFocus();
        QTest::keyClick(preview, static_cast<Qt::Key>(key));
    };
    // Each kind of edit, done after the ones before it.
    const std::vector<std::pair<const char*, std::function<void()>>> edits = {
        {"click", [&] { Click(3, 3); }},
        {"drag",
         [&] {
             Stroke(Qt::LeftButton, {{0, 1}, {7, 1}});
         }},
        {"right drag",
         [&] {
             Stroke(Qt::RightButton, {{0, 1}, {3, 1}});
         }},
        {"invert", [&] { Command(kCmdInvertGlyph); }},
        {"shift up", [&] { Command(kCmdShiftUp); }},
        {"shift right", [&] { Command(kCmdShiftRight); }},
        {"arrow down", [&] { shift(Qt::Key_Down); }},
        {"arrow left", [&] { shift(Qt::Key_Left); }},
        {"clear", [&] { Command(kCmdClearGlyph); }},
        {"revert", [&] { Command(kCmdRevertGlyph); }},
    };
    std::vector<GlyphEdits> states{dialog->Settings().GLYPHS};
    for (const auto& [name, edit] : edits) {
        edit();
        const GlyphEdits after = dialog->Settings().GLYPHS;
        ASSERT_NE(after, states.back()) << name;
        // Ctrl+Z takes it back, both redo keys bring it again, and the preview follows.
        QTest::keySequence(dialog.get(), QKeySequence(QStringLiteral("Ctrl+Z")));
        EXPECT_EQ(dialog->Settings().GLYPHS, states.back()) << name;
        EXPECT_EQ(PreviewDots(*dialog), EditOfA()) << name;
        QTest::keySequence(dialog.get(), QKeySequence(QStringLiteral("Ctrl+Y")));
        EXPECT_EQ(dialog->Settings().GLYPHS, after) << name;
        Command(kCmdUndo);
        QTest::keySequence(dialog.get(), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
        EXPECT_EQ(dialog->Settings().GLYPHS, after) << name;
        EXPECT_EQ(PreviewDots(*dialog), EditOfA()) << name;
        states.push_back(after);
    }
    EXPECT_TRUE(dialog->Settings().GLYPHS.Empty()) << "the last edit was the revert";
    // All the way back: the project as it was opened, so nothing to save.
    while (dialog->Editor().History().CanUndo()) Command(kCmdUndo);
    EXPECT_EQ(dialog->Settings().GLYPHS, states.front());
    EXPECT_FALSE(Marked());
    // Redo all the way: the state before the revert comes back once the revert is undone.
    for (size_t i = 1; i < states.size(); ++i) {
        Command(kCmdRedo);
        EXPECT_EQ(dialog->Settings().GLYPHS, states[i]) << i;
    }
    Command(kCmdUndo);
    EXPECT_EQ(Saved().GLYPHS, states[states.size() - 2]);

    // Undo brings its character back on show: an edit of B undone while A is selected.
    auto* list = Ctl<QListWidget>(*dialog, kCharacterListId);
    list->setCurrentRow(1);
    Click(0, 0);
    list->setCurrentRow(0);
    Command(kCmdUndo);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(dialog->Settings().GLYPHS.Find(u'B', 8, 8), nullptr);

    // Opening a project forgets the history: undo never reaches into another project.
    answers.openNames.push_back({QString::fromStdString((home / "job.fprj").string())});
    Command(kCmdOpen);
    EXPECT_FALSE(dialog->Editor().History().CanUndo());
    EXPECT_FALSE(dialog->Editor().History().CanRedo());
}

TEST_F(GlyphEditor, TheArrowKeysShiftOnlyWhileThePreviewHasTheFocus) {
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    // A click on the grid takes the focus; it also toggles a dot, which the shift then moves.
    const bool wasLit = fontA.Lit(3, 3);
    QTest::mouseClick(preview, Qt::LeftButton, Qt::NoModifier, CellCentre(*dialog, 3, 3));
    ASSERT_TRUE(preview->hasFocus());
    const DotMatrix clicked = With(fontA, {{3, 3}}, !wasLit);
    ASSERT_EQ(EditOfA(), clicked);
    QTest::keyClick(preview, Qt::Key_Right);
    QTest::keyClick(preview, Qt::Key_Up);
    const GlyphDots expected = ShiftedDots(GlyphDots::FromMatrix(clicked), 1, -1);
    EXPECT_EQ(MatrixRows(EditOfA()), MatrixRows(expected.ToMatrix()));
    EXPECT_EQ(MatrixRows(PreviewDots(*dialog)), MatrixRows(expected.ToMatrix()));
    // In the text field the arrows move the caret and leave the glyph alone.
    auto* text = Ctl<QPlainTextEdit>(*dialog, kTextEditId);
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Left);
    QTest::keyClick(text, Qt::Key_Down);
    EXPECT_EQ(MatrixRows(EditOfA()), MatrixRows(expected.ToMatrix()));
}

TEST_F(GlyphEditor, TheListMarksEditedItemsAndTheStatusLineTellsAboutEdits) {
    auto* list = Ctl<QListWidget>(*dialog, kCharacterListId);
    const auto marks = [&] {
        std::vector<bool> m;
        for (int i = 0; i < list->count(); ++i) m.push_back(!list->item(i)->icon().isNull());
        return m;
    };
    EXPECT_EQ(marks(), (std::vector<bool>{false, false}));
    Click(1, 1);
    EXPECT_EQ(marks(), (std::vector<bool>{true, false}));
    EXPECT_EQ(list->item(0)->text(), "A") << "the mark leaves the item's text alone";
    EXPECT_EQ(dialog->StatusText(),
              "'A' (U+0041) at 8 x 8 is a hand edit; Edit > Revert to Font brings back the "
              "font's dots.");
    // The note follows the language.
    FindCommand(dialog->MenuBar(), 60001)->trigger();  // 简体中文
    EXPECT_EQ(dialog->StatusText(),
              QString::fromUtf8("'A' (U+0041) 在 8 x 8 下是手工修改的字形; 用 "
                                "编辑 > 恢复字体字形 可恢复字体的点阵。"));
    FindCommand(dialog->MenuBar(), 60000)->trigger();
    // B has no edit: the note goes (it was the editor's own).
    list->setCurrentRow(1);
    EXPECT_EQ(dialog->StatusText(), "");

    // At 10 x 8 A's edit is at another size only: no mark, and the note says where it is.
    list->setCurrentRow(0);
    Ctl<QLineEdit>(*dialog, kMatrixWidthId)->setText("10");
    EXPECT_EQ(marks(), (std::vector<bool>{false, false}));
    EXPECT_EQ(dialog->StatusText(),
              "'A' (U+0041) has hand edits only at other matrix sizes (8 x 8); at 10 x 8 the font "
              "draws it.");
    Click(9, 0);  // an edit at 10 x 8 too
    EXPECT_EQ(marks(), (std::vector<bool>{true, false}));
    EXPECT_NE(dialog->Settings().GLYPHS.Find(u'A', 10, 8), nullptr);
    Ctl<QLineEdit>(*dialog, kMatrixWidthId)->setText("8");
    EXPECT_EQ(marks(), (std::vector<bool>{true, false}));
    // Revert takes the mark away and says the other size is left.
    Command(kCmdRevertGlyph);
    EXPECT_EQ(marks(), (std::vector<bool>{false, false}));
    EXPECT_EQ(dialog->StatusText(),
              "'A' (U+0041) has hand edits only at other matrix sizes (10 x 8); at 8 x 8 the font "
              "draws it.");
    // A job's own status line stays when the editor has nothing to say.
    dialog->ShowStatus("Saved somewhere");
    list->setCurrentRow(1);
    EXPECT_EQ(dialog->StatusText(), "Saved somewhere");

    // The marks come with a project that is opened: none at its 8 x 8, A's at 10 x 8.
    const ProjectSettings saved = Saved();
    EXPECT_EQ(saved.LIST, (std::vector<std::u16string>{u"A", u"B"}));
    CZemtraDlg again(answers.Make());
    answers.openNames.push_back({QString::fromStdString((home / "job.fprj").string())});
    FindCommand(again.MenuBar(), kCmdOpen)->trigger();
    auto* againList = Ctl<QListWidget>(again, kCharacterListId);
    ASSERT_EQ(againList->count(), 2);
    EXPECT_TRUE(againList->item(0)->icon().isNull());
    Ctl<QLineEdit>(again, kMatrixWidthId)->setText("10");
    EXPECT_FALSE(againList->item(0)->icon().isNull());
    EXPECT_TRUE(againList->item(1)->icon().isNull());
}

TEST_F(GlyphEditor, PictureItemsAreNotEditedAndTheMenuShowsWhatApplies) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(QString::fromStdString((home / "white.png").string()), "PNG"));
    answers.openNames.push_back({QString::fromStdString((home / "white.png").string())});
    Command(kCmdLoadPicture);
    auto* list = Ctl<QListWidget>(*dialog, kCharacterListId);
    ASSERT_EQ(list->count(), 3);
    list->setCurrentRow(2);
    const DotMatrix shown = PreviewDots(*dialog);
    Click(0, 0);
    Command(kCmdInvertGlyph);
    QTest::keyClick(preview, Qt::Key_Left);
    EXPECT_TRUE(dialog->Settings().GLYPHS.Empty());
    EXPECT_EQ(PreviewDots(*dialog), shown);
    EXPECT_FALSE(dialog->Editor().History().CanUndo());
    EXPECT_EQ(dialog->StatusText(),
              "Only a character can be edited: a picture item's dots come from its picture.");

    // While the Edit menu is open, only what applies is enabled; closed, every key works.
    QMenu* edit = nullptr;
    for (QAction* popup : dialog->MenuBar()->actions()) {
        if (popup->menu() &&
            popup->menu()->actions().contains(FindCommand(dialog->MenuBar(), kCmdUndo))) {
            edit = popup->menu();
        }
    }
    ASSERT_NE(edit, nullptr);
    const auto enabled = [&](int id) { return FindCommand(dialog->MenuBar(), id)->isEnabled(); };
    emit edit->aboutToShow();
    EXPECT_FALSE(enabled(kCmdUndo));
    EXPECT_FALSE(enabled(kCmdInvertGlyph)) << "a picture item";
    emit edit->aboutToHide();
    EXPECT_TRUE(enabled(kCmdUndo));
    list->setCurrentRow(0);
    Click(0, 0);
    emit edit->aboutToShow();
    EXPECT_TRUE(enabled(kCmdUndo));
    EXPECT_FALSE(enabled(kCmdRedo));
    EXPECT_TRUE(enabled(kCmdInvertGlyph));
    EXPECT_TRUE(enabled(kCmdRevertGlyph));
    emit edit->aboutToHide();
}

// The top-left dot at every size: a click there shows the whole cell in the dot's new colour,
// none of it under the actual-size picture in the corner.
TEST_F(GlyphEditor, TheTopLeftDotIsSeenWholeAfterAClick) {
    const struct {
        const char *w, *h;
    } sizes[] = {{"8", "8"}, {"16", "16"}, {"64", "64"}, {"100", "40"}, {"40", "100"}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(std::string(s.w) + "x" + s.h);
        Ctl<QLineEdit>(*dialog, kMatrixWidthId)->setText(s.w);
        Ctl<QLineEdit>(*dialog, kMatrixHeightId)->setText(s.h);
        const bool was = PreviewDots(*dialog).Lit(0, 0);
        Click(0, 0);
        const QColor want = was ? QColor(0x49, 0x50, 0x28) : QColor(156, 224, 239);
        const QPoint centre = CellCentre(*dialog, 0, 0) - preview->contentsRect().topLeft();
        // The cell around its centre, out to its edges.
        const QImage image = preview->Cached();
        int x0 = centre.x(), y0 = centre.y();
        while (x0 > 0 && image.pixelColor(x0 - 1, centre.y()) == want) --x0;
        while (y0 > 0 && image.pixelColor(centre.x(), y0 - 1) == want) --y0;
        ASSERT_EQ(image.pixelColor(centre), want);
        ASSERT_GT(centre.x() - x0, 0);
        for (int y = y0; y <= centre.y(); ++y) {
            for (int x = x0; x <= centre.x(); ++x)
                ASSERT_EQ(image.pixelColor(x, y), want) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace zemtra::test
