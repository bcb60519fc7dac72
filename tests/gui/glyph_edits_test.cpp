// Hand-edited glyphs in the window: a project's edits drawn by the real preview, kept by Save,
// by Setting.ini across a restart, set and reverted through the window's entry points, and bad
// [Glyphs] entries told in one message when the project loads.
#include <QListWidget>
#include <QMenuBar>

#include "gui/glyph_test_support.h"
#include "project/project_file.h"
#include "project/project_test_util.h"
#include "raster/qt/preview_widget.h"

namespace zemtra::test {
namespace {

// An X with a frame: nothing a font draws for A or B.
GlyphDots Cross() {
    GlyphDots dots(8, 8);
    for (int i = 0; i < 8; ++i) {
        dots.Set(i, i, true);
        dots.Set(7 - i, i, true);
        dots.Set(i, 0, true);
    }
    return dots;
}

// The thumbnail at one pixel per dot, white where lit.
DotMatrix ThumbnailDots(const CZemtraDlg& dialog) {
    auto* preview = Ctl<PreviewWidget>(dialog, kPreviewId);
    DotMatrix shown(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            shown.Set(x, y, preview->Cached().pixel(x, y) == qRgb(255, 255, 255));
        }
    }
    return shown;
}

class GlyphEditsInTheWindow : public ::testing::Test {
  protected:
    void Open(CZemtraDlg& dialog, const std::string& name) {
        answers.openNames.push_back({QString::fromStdString((home / name).string())});
        FindCommand(dialog.MenuBar(), kCmdOpen)->trigger();
    }
    ScopedHome home;
    TestHooks answers;
};

TEST_F(GlyphEditsInTheWindow, AProjectsEditIsPreviewedSavedAndBackAfterARestart) {
    ProjectSettings project = EightByEight();
    project.GLYPHS.Set(u'A', Cross());
    SaveProject(home / "job.fprj", project);
    const DotMatrix cross = Cross().ToMatrix();
    {
        CZemtraDlg dialog(answers.Make());
        Open(dialog, "job.fprj");
        EXPECT_TRUE(answers.messages.empty());
        EXPECT_EQ(dialog.Settings().GLYPHS, project.GLYPHS);
        ASSERT_EQ(dialog.CurrentCharacter(), u"A");
        EXPECT_EQ(MatrixRows(PreviewDots(dialog)), MatrixRows(cross));
        EXPECT_EQ(MatrixRows(ThumbnailDots(dialog)), MatrixRows(cross));
        ASSERT_NE(dialog.Editor().SelectedItemEdit(), nullptr);
        EXPECT_EQ(*dialog.Editor().SelectedItemEdit(), Cross());
        // B has no edit: the font's B.
        auto* list = Ctl<QListWidget>(dialog, kCharacterListId);
        list->setCurrentRow(1);
        EXPECT_EQ(dialog.Editor().SelectedItemEdit(), nullptr);
        EXPECT_EQ(PreviewDots(dialog), FontGlyph(dialog.Settings(), u"B"));

        // Save writes the project's own file, Save As another.
        FindCommand(dialog.MenuBar(), kCmdSave)->trigger();
        answers.saveNames.push_back(QString::fromStdString((home / "copy.fprj").string()));
        FindCommand(dialog.MenuBar(), kCmdSaveAs)->trigger();
        for (const char* name : {"job.fprj", "copy.fprj"}) {
            ProjectSettings saved;
            ASSERT_TRUE(LoadProject(home / name, saved).isProject) << name;
            EXPECT_EQ(saved.GLYPHS, project.GLYPHS) << name;
        }
        dialog.close();  // Setting.ini keeps the edits of the last run
    }
    CZemtraDlg again(answers.Make());
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_EQ(again.Settings().GLYPHS, project.GLYPHS);
    EXPECT_EQ(again.CurrentCharacter(), u"A");
    EXPECT_EQ(PreviewDots(again), cross);
}

TEST_F(GlyphEditsInTheWindow, TheEditorsEntryPointsSetAndRevertTheSelectedItemsEdit) {
    ProjectSettings project = EightByEight();
    SaveProject(home / "job.fprj", project);
    CZemtraDlg dialog(answers.Make());
    Open(dialog, "job.fprj");
    const DotMatrix font = PreviewDots(dialog);
    const auto changed = [&] {
        QApplication::processEvents();
        return dialog.windowTitle().startsWith('*');
    };
    EXPECT_FALSE(changed());
    EXPECT_FALSE(dialog.Editor().SetSelectedItemEdit(DotMatrix(7, 8))) << "not the matrix's size";
    ASSERT_TRUE(dialog.Editor().SetSelectedItemEdit(Cross().ToMatrix()));
    EXPECT_EQ(PreviewDots(dialog), Cross().ToMatrix());
    EXPECT_NE(dialog.Settings().GLYPHS.Find(u'A', 8, 8), nullptr);
    EXPECT_TRUE(changed()) << "an edit is a change of the project";
    // New asks about it, then takes the edits away with everything else.
    FindCommand(dialog.MenuBar(), kCmdNew)->trigger();
    EXPECT_EQ(answers.saveQuestions.size(), 1u);
    EXPECT_TRUE(dialog.Settings().GLYPHS.Empty());
    Open(dialog, "job.fprj");
    ASSERT_TRUE(dialog.Editor().SetSelectedItemEdit(Cross().ToMatrix()));
    ASSERT_TRUE(dialog.Editor().RevertSelectedItemEdit());
    EXPECT_FALSE(dialog.Editor().RevertSelectedItemEdit());
    EXPECT_EQ(PreviewDots(dialog), font);
    EXPECT_TRUE(dialog.Settings().GLYPHS.Empty());
    EXPECT_FALSE(changed()) << "back to the project as it was opened";
}

TEST_F(GlyphEditsInTheWindow, BadEntriesAreToldInOneMessageAndTheRestLoads) {
    ProjectSettings project = EightByEight();
    project.GLYPHS.Set(u'A', Cross());
    SaveProject(home / "job.fprj", project);
    WriteBytes(home / "job.fprj", ReadBytes(home / "job.fprj") +
                                      Utf16LeBytes(u"U+0042 8x8=FF\r\nU+42 8x8=00\r\n", false));
    CZemtraDlg dialog(answers.Make());
    EXPECT_TRUE(answers.messages.empty());
    Open(dialog, "job.fprj");
    ASSERT_EQ(answers.messages.size(), 1u);
    const std::string text = answers.messages[0].text.toStdString();
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Warning);
    EXPECT_NE(text.find("job.fprj"), std::string::npos) << text;
    EXPECT_NE(text.find("\"U+0042 8x8\": the value has 1 row"), std::string::npos) << text;
    EXPECT_NE(text.find("\"U+42 8x8\": the key is not"), std::string::npos) << text;
    EXPECT_EQ(dialog.Settings().GLYPHS, project.GLYPHS);
    EXPECT_EQ(PreviewDots(dialog), Cross().ToMatrix());

    // At start-up, Setting.ini's bad entries are told once too.
    std::filesystem::copy_file(home / "job.fprj", home / "Setting.ini",
                               std::filesystem::copy_options::overwrite_existing);
    answers.messages.clear();
    CZemtraDlg restarted(answers.Make());
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].text.toStdString().find("Setting.ini"), std::string::npos);
}

}  // namespace
}  // namespace zemtra::test
