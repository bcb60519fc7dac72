// The main window as built: controls by id at their places, combo items, the menu and its
// commands, the first start, Enter in the text field, and every way of closing saving the
// settings, which the next start restores.
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "gui/gui_test_support.h"
#include "project/program_folder.h"
#include "project/project_file.h"
#include "ui/dialog_template.h"

namespace zemtra::test {
namespace {

void SendKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

TEST(MainWindow, EveryControlOfTheTableIsThereAtItsPlace) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    EXPECT_EQ(dialog.windowTitle(), "Untitled - Zemtra");  // New's state: nothing to lose
    EXPECT_FALSE(dialog.windowIcon().isNull());
    const int dpi = dialog.logicalDpiX();
    for (const ControlTemplate& t : MainDialogTemplate().controls) {
        if (t.id == kNoControlId) continue;
        QWidget* w = dialog.Control(t.id);
        ASSERT_NE(w, nullptr) << t.id;
        EXPECT_EQ(w->property(kControlIdProperty).toInt(), t.id);
        const PixelRect r = DluRectToPixels(t.rect, dpi);
        EXPECT_EQ(w->y(), r.y) << t.id;
        if (t.kind == ControlKind::UpDown) continue;     // placed by its buddy, below
        if (t.kind == ControlKind::HyperLink) continue;  // fitted to its caption, elsewhere
        EXPECT_EQ(w->x(), r.x) << t.id;
        if (t.kind == ControlKind::DropDownList) continue;
        // An edit with a spin gives up the spin's width.
        if (t.id == kMatrixWidthId || t.id == kMatrixHeightId || t.id == kFontWidthId ||
            t.id == kFontHeightId || t.id == kThresholdId) {
            EXPECT_LT(w->width(), r.width) << t.id;
        } else if (t.kind == ControlKind::Label) {
            // A label shorter than a line of its font grows to one, downwards.
            EXPECT_EQ(w->width(), r.width) << t.id;
            EXPECT_EQ(w->height(), std::max(r.height, w->fontMetrics().height())) << t.id;
        } else {
            EXPECT_EQ(w->size(), QSize(r.width, r.height)) << t.id;
        }
    }
    // Spins sit at the right end of their edits, where the edits' template rectangles end.
    for (auto [editId, spinId] : {std::pair{kMatrixWidthId, kMatrixWidthSpinId},
                                  {kMatrixHeightId, kMatrixHeightSpinId},
                                  {kFontWidthId, kFontWidthSpinId},
                                  {kFontHeightId, kFontHeightSpinId},
                                  {kThresholdId, kThresholdSpinId}}) {
        QWidget* edit = dialog.Control(editId);
        QWidget* spin = dialog.Control(spinId);
        EXPECT_EQ(spin->x(), edit->x() + edit->width()) << spinId;
        EXPECT_EQ(spin->height(), edit->height()) << spinId;
    }
    EXPECT_EQ(Ctl<QPushButton>(dialog, kCreateLibraryId)->text(), "Create");
    EXPECT_TRUE(Ctl<QPushButton>(dialog, kIdOk)->isDefault());
    EXPECT_EQ(Ctl<QLabel>(dialog, kWebLinkId)->text(), "zemtra.org");
    EXPECT_TRUE(dialog.Control(kThresholdId)->isHidden());
    EXPECT_TRUE(dialog.Control(kThresholdSpinId)->isHidden());
    EXPECT_FALSE(dialog.Control(kMatrixWidthId)->isHidden());
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kFromId)->maxLength(), 4);
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kToId)->maxLength(), 4);
}

TEST(MainWindow, ComboItemsAndMenuCommands) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    for (int id : {kDataBitsId, kCodePageId, kOrientationId, kDirectionId, kPolarityId}) {
        auto* combo = Ctl<QComboBox>(dialog, id);
        const auto items = ComboItems(id);
        ASSERT_EQ(combo->count(), static_cast<int>(items.size())) << id;
        for (int i = 0; i < combo->count(); ++i) {
            EXPECT_EQ(combo->itemText(i), ToQString(items[static_cast<size_t>(i)]));
        }
    }
    const QList<QAction*> popups = dialog.MenuBar()->actions();
    ASSERT_EQ(popups.size(), 4);
    EXPECT_EQ(popups[0]->text(), "&Project");
    EXPECT_EQ(popups[1]->text(), "&Language");  // inserted between the two at start-up
    EXPECT_EQ(popups[2]->text(), "&Help");
    EXPECT_EQ(popups[3]->text(), "&Edit");  // after them, so their position keys hold
    for (int id : {kCmdNew, kCmdOpen, kCmdSave, kCmdLoadPicture, kCmdExit, kCmdAbout, kCmdUndo,
                   kCmdRedo, kCmdClearGlyph, kCmdInvertGlyph, kCmdShiftUp, kCmdShiftDown,
                   kCmdShiftLeft, kCmdShiftRight, kCmdRevertGlyph}) {
        EXPECT_NE(FindCommand(dialog.MenuBar(), id), nullptr) << id;
    }
    EXPECT_EQ(FindCommand(dialog.MenuBar(), kCmdExit)->text(), "&Exit");
    // Redo answers to both of its keys.
    EXPECT_EQ(FindCommand(dialog.MenuBar(), kCmdRedo)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                   QKeySequence(QStringLiteral("Ctrl+Y"))}));
}

TEST(MainWindow, FirstStartGivesTheNewDefaults) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    EXPECT_EQ(dialog.ProgramFolderPath(), home.Path());
    EXPECT_EQ(std::filesystem::current_path(), home.Path());
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kMatrixWidthId)->text(), "16");
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kMatrixHeightId)->text(), "16");
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kThresholdId)->text(), "128");
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kFontWidthId)->text(), "8");
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kFontHeightId)->text(), "16");
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kFromId)->text(), "0000");
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kToId)->text(), "FFFF");
    const QString face = Ctl<QPushButton>(dialog, kFontButtonId)->text();
    EXPECT_TRUE(face == "Arial" || face == QString::fromUtf8("宋体")) << face.toStdString();
    EXPECT_EQ(Ctl<QListWidget>(dialog, kCharacterListId)->count(), 0);
    EXPECT_EQ(Ctl<QComboBox>(dialog, kOrientationId)->currentIndex(), 0);
    EXPECT_TRUE(answers.messages.empty());
}

TEST(MainWindow, EnterInTheTextFieldAddsAndTheWindowStaysOpen) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    dialog.show();
    auto* text = Ctl<QPlainTextEdit>(dialog, kTextEditId);
    text->setPlainText("AB");
    SendKey(text, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(text->toPlainText(), "AB");  // no line break went in
    ASSERT_EQ(Ctl<QListWidget>(dialog, kCharacterListId)->count(), 2);
    // Enter in a one-line edit presses the default button, "Add", too.
    text->setPlainText("XYZ");
    SendKey(Ctl<QLineEdit>(dialog, kMatrixHeightId), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Ctl<QListWidget>(dialog, kCharacterListId)->count(), 3);
}

TEST(MainWindow, ClosingSavesAndTheNextStartRestoresEverything) {
    ScopedHome home;
    TestHooks answers;
    {
        CZemtraDlg dialog(answers.Make());
        dialog.show();
        Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText(QString::fromUtf8("A中 "));
        Ctl<QPushButton>(dialog, kIdOk)->click();
        Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("24");
        Ctl<QLineEdit>(dialog, kMatrixHeightId)->setText("20");
        Ctl<QLineEdit>(dialog, kFontWidthId)->setText("-7");
        Ctl<QComboBox>(dialog, kOrientationId)->setCurrentIndex(2);
        Ctl<QComboBox>(dialog, kPolarityId)->setCurrentIndex(1);
        Ctl<QPushButton>(dialog, kMoveLeftId)->click();  // L
        Ctl<QPushButton>(dialog, kMoveDownId)->click();  // D
        Ctl<QCheckBox>(dialog, kShowDemoId)->click();
        EXPECT_TRUE(dialog.Panel().DemoTimerActive());
        Ctl<QLineEdit>(dialog, kToId)->setText("7FFF");
        // Kept by "Save" (discarded work would not come back).
        answers.saveChanges = {SaveChoice::Save};
        answers.saveNames.push_back(QString::fromStdString((home / "kept.fprj").string()));
        dialog.close();  // the close box
        EXPECT_FALSE(dialog.Panel().DemoTimerActive());
    }
    ASSERT_TRUE(std::filesystem::exists(SettingIniPath()));
    CZemtraDlg again(answers.Make());
    EXPECT_EQ(Ctl<QLineEdit>(again, kMatrixWidthId)->text(), "24");
    EXPECT_EQ(Ctl<QLineEdit>(again, kMatrixHeightId)->text(), "20");
    EXPECT_EQ(Ctl<QLineEdit>(again, kFontWidthId)->text(), "-7");  // the stored size, not derived
    EXPECT_EQ(again.Settings().FONT.Width, -7);
    EXPECT_EQ(Ctl<QComboBox>(again, kOrientationId)->currentIndex(), 2);
    EXPECT_EQ(Ctl<QComboBox>(again, kPolarityId)->currentIndex(), 1);
    EXPECT_EQ(Ctl<QLabel>(again, kOffsetXId)->text(), "-1");
    EXPECT_EQ(Ctl<QLabel>(again, kOffsetYId)->text(), "1");
    EXPECT_TRUE(Ctl<QCheckBox>(again, kShowDemoId)->isChecked());
    EXPECT_TRUE(again.Panel().DemoTimerActive());
    EXPECT_EQ(Ctl<QLineEdit>(again, kToId)->text(), "7FFF");
    auto* list = Ctl<QListWidget>(again, kCharacterListId);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(1)->text(), QString::fromUtf8("中"));
    EXPECT_EQ(list->item(2)->text(), " ");
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(again.CurrentCharacter(), u"A");
    EXPECT_EQ(Ctl<QPlainTextEdit>(again, kTextEditId)->toPlainText(), QString::fromUtf8("A中 "));
}

TEST(MainWindow, EscapeKeepsTheWindowAndClosingAsksAboutChanges) {
    for (int way : {0, 1, 2}) {  // Exit, Ctrl+Q, the close box
        for (bool changed : {false, true}) {
            ScopedHome home;
            TestHooks answers;
            CZemtraDlg dialog(answers.Make());
            dialog.show();
            dialog.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));  // shortcuts need the focus
            SendKey(&dialog, Qt::Key_Escape);
            EXPECT_TRUE(dialog.isVisible());  // the main window is no dialog to dismiss
            const auto close = [&] {
                if (way == 0) {
                    FindCommand(dialog.MenuBar(), kCmdExit)->trigger();
                } else if (way == 1) {
                    QTest::keyClick(&dialog, Qt::Key_Q, Qt::ControlModifier);
                } else {
                    dialog.close();
                }
            };
            if (changed) {
                Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("9");
                answers.saveChanges = {SaveChoice::Cancel, SaveChoice::Discard};
                close();
                EXPECT_TRUE(dialog.isVisible()) << way;  // Cancel keeps it open, work and all
                ASSERT_EQ(answers.saveQuestions.size(), 1u) << way;
                EXPECT_EQ(answers.saveQuestions[0], "Save the changes to Untitled?");
            }
            close();
            EXPECT_FALSE(dialog.isVisible()) << way;
            EXPECT_EQ(answers.saveQuestions.size(), changed ? 2u : 0u) << way;
            // Discarded work is not what the next start shows: Setting.ini holds the project as
            // New made it, font size derived from the matrix (not the record's bare "0").
            ProjectSettings saved;
            ASSERT_TRUE(LoadProject(SettingIniPath(), saved).isProject);
            EXPECT_EQ(saved.BLOCKNUMX, u"16");
            EXPECT_EQ(saved.HEIGHT, u"16") << way;
        }
    }
}

// Closing with "Discard" discards: the next start shows the project as it was saved, unmarked;
// with "Save" it shows the saved changes.
TEST(MainWindow, NextStartShowsTheSavedProjectNotDiscardedWork) {
    for (const SaveChoice choice : {SaveChoice::Discard, SaveChoice::Save}) {
        ScopedHome home;
        TestHooks answers;
        const std::string project = (home / "p.fprj").string();
        {
            CZemtraDlg dialog(answers.Make());
            dialog.show();
            Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("12");
            answers.saveNames.push_back(QString::fromStdString(project));
            FindCommand(dialog.MenuBar(), kCmdSaveAs)->trigger();
            Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("9");
            answers.saveChanges = {choice};
            dialog.close();
            ASSERT_EQ(answers.saveQuestions.size(), 1u);
        }
        CZemtraDlg again(answers.Make());
        const bool kept = choice == SaveChoice::Save;
        EXPECT_EQ(again.Settings().BLOCKNUMX, kept ? u"9" : u"12");
        EXPECT_EQ(again.windowTitle(), "p.fprj - Zemtra");
    }
}

TEST(MainWindow, WhatAHandlerThrowsBecomesAMessageBoxAndTheWindowGoesOn) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    // A font picker that fails in a way no handler expects, first with a std::exception, then
    // with anything else; each reaches the event guard instead of Qt's event loop.
    dialog.Hooks().chooseFont = [](QWidget*, const QFont&) -> std::optional<QFont> {
        throw std::runtime_error("the picker broke");
    };
    Ctl<QPushButton>(dialog, kFontButtonId)->click();
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(answers.messages[0].text, "the picker broke");
    dialog.Hooks().chooseFont = [](QWidget*, const QFont&) -> std::optional<QFont> { throw 42; };
    Ctl<QPushButton>(dialog, kFontButtonId)->click();
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_EQ(answers.messages[1].text, "An unexpected error occurred.");
    // The window still works.
    Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText("AB");
    Ctl<QPushButton>(dialog, kIdOk)->click();
    EXPECT_EQ(Ctl<QListWidget>(dialog, kCharacterListId)->count(), 2);
}

}  // namespace
}  // namespace zemtra::test
