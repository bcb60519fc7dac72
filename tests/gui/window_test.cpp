// The main window as a desktop program: the changed state and its title mark, Save into the
// project's own file, "Save changes?", Recent, shortcuts, dropped files, resizing with the
// preview, the folders of the file dialogs, and the fonttab note after a C source.
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include "gui/gui_test_support.h"
#include "output/qt/output_dialog.h"
#include "project/program_folder.h"
#include "raster/qt/preview_widget.h"

namespace zemtra::test {
namespace {

class Window : public ::testing::Test {
  protected:
    void Command(int id) { FindCommand(dialog->MenuBar(), id)->trigger(); }
    QString Path(const std::string& name) const {
        return QString::fromStdString((home / name).string());
    }
    QLineEdit* MatrixWidth() { return Ctl<QLineEdit>(*dialog, kMatrixWidthId); }
    // The title once the queued update has run.
    QString Title() {
        QApplication::processEvents();
        return dialog->windowTitle();
    }
    void Restart() {
        dialog.reset();
        dialog = std::make_unique<CZemtraDlg>(answers.Make());
    }

    ScopedHome home;
    TestHooks answers;
    std::unique_ptr<CZemtraDlg> dialog = std::make_unique<CZemtraDlg>(answers.Make());
};

TEST_F(Window, TheSavedFormDecidesWhatIsChangedAndSaveWritesTheProjectsOwnFile) {
    EXPECT_EQ(Title(), "Untitled - Zemtra");
    EXPECT_FALSE(dialog->Document().IsModified());
    Ctl<QPlainTextEdit>(*dialog, kTextEditId)->setPlainText("AB");  // TEXT is saved too
    EXPECT_EQ(Title(), "*Untitled - Zemtra");
    // Save of an untitled window asks for a file once; then it is the project's own.
    answers.saveNames.push_back(Path("job.fprj"));
    Command(kCmdSave);
    ASSERT_EQ(answers.saveRequests.size(), 1u);
    EXPECT_EQ(answers.saveRequests[0].caption, "Save Project As");
    EXPECT_EQ(Title(), "job.fprj - Zemtra");
    EXPECT_EQ(dialog->StatusText(), "Saved " + Path("job.fprj"));
    MatrixWidth()->setText("24");
    EXPECT_EQ(Title(), "*job.fprj - Zemtra");
    Command(kCmdSave);
    EXPECT_EQ(answers.saveRequests.size(), 1u);  // no dialog: it writes its file
    ProjectSettings saved;
    ASSERT_TRUE(LoadProject(home / "job.fprj", saved).isProject);
    EXPECT_EQ(saved.BLOCKNUMX, u"24");
    EXPECT_EQ(saved.TEXT, u"AB");
    // Changed and changed back is no change: the forms are compared, not the edits counted.
    MatrixWidth()->setText("20");
    EXPECT_TRUE(dialog->Document().IsModified());
    MatrixWidth()->setText("24");
    EXPECT_FALSE(dialog->Document().IsModified());
    EXPECT_EQ(Title(), "job.fprj - Zemtra");
    // Save As writes elsewhere and works on that file from then on.
    answers.saveNames.push_back(Path("copy.fprj"));
    Command(kCmdSaveAs);
    EXPECT_EQ(dialog->Document().Path(), home / "copy.fprj");
    EXPECT_EQ(Title(), "copy.fprj - Zemtra");

    // New with changes asks: Cancel keeps everything, Save saves first.
    MatrixWidth()->setText("30");
    answers.saveChanges = {SaveChoice::Cancel, SaveChoice::Save};
    Command(kCmdNew);
    EXPECT_EQ(MatrixWidth()->text(), "30");
    Command(kCmdNew);
    EXPECT_EQ(answers.saveQuestions, (std::vector<QString>{"Save the changes to copy.fprj?",
                                                           "Save the changes to copy.fprj?"}));
    ASSERT_TRUE(LoadProject(home / "copy.fprj", saved).isProject);
    EXPECT_EQ(saved.BLOCKNUMX, u"30");
    EXPECT_EQ(MatrixWidth()->text(), "16");
    EXPECT_EQ(Title(), "Untitled - Zemtra");
    EXPECT_TRUE(dialog->Document().Path().empty());
}

TEST_F(Window, RecentProjectsAndTheOpenProjectOutliveTheRun) {
    for (const char* name : {"a.fprj", "b.fprj"}) {
        MatrixWidth()->setText(name[0] == 'a' ? "10" : "12");
        answers.saveNames.push_back(Path(name));
        Command(kCmdSaveAs);
    }
    Restart();
    // The next start knows which file its settings belong to, and that they are unchanged.
    EXPECT_EQ(dialog->Document().Path(), home / "b.fprj");
    EXPECT_EQ(Title(), "b.fprj - Zemtra");
    QMenu* recent =
        FindCommand(dialog->MenuBar(), kCmdRecentFirst)->associatedObjects().isEmpty()
            ? nullptr
            : qobject_cast<QMenu*>(FindCommand(dialog->MenuBar(), kCmdRecentFirst)->parent());
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->title(), "&Recent");
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_TRUE(recent->actions()[0]->text().endsWith("b.fprj"));
    EXPECT_TRUE(recent->actions()[1]->text().endsWith("a.fprj"));
    FindCommand(dialog->MenuBar(), kCmdRecentFirst + 1)->trigger();
    EXPECT_EQ(MatrixWidth()->text(), "10");
    EXPECT_EQ(Title(), "a.fprj - Zemtra");
    EXPECT_TRUE(answers.saveQuestions.empty());
    // A recent file that went away says so and leaves the list; nothing else changes.
    std::filesystem::remove(home / "b.fprj");
    FindCommand(dialog->MenuBar(), kCmdRecentFirst + 1)->trigger();
    EXPECT_EQ(MatrixWidth()->text(), "10");
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_TRUE(answers.messages[0].text.contains("there is no such file"));
    EXPECT_EQ(dialog->Document().Memory().recent.size(), 1u);
}

TEST_F(Window, ShortcutsReachTheProjectCommands) {
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QTest::keyClick(dialog.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(answers.openRequests.size(), 1u);
    EXPECT_EQ(answers.openRequests[0].caption, "Open Project");
    QTest::keyClick(dialog.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(answers.saveRequests.size(), 1u);
    QTest::keyClick(dialog.get(), Qt::Key_S, Qt::ControlModifier);  // untitled: asks a file
    EXPECT_EQ(answers.saveRequests.size(), 2u);
    MatrixWidth()->setText("9");
    answers.saveChanges = {SaveChoice::Cancel};
    QTest::keyClick(dialog.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(answers.saveQuestions.size(), 1u);
    EXPECT_EQ(MatrixWidth()->text(), "9");
}

TEST_F(Window, DroppedFilesAreOpenedAddedOrChosen) {
    // A project, asked about first; pictures added as Load Picture adds them.
    MatrixWidth()->setText("20");
    answers.saveNames.push_back(Path("p.fprj"));
    Command(kCmdSaveAs);
    MatrixWidth()->setText("22");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(Path("dot.png"), "PNG"));
    WriteBytes(home / "notes.txt", "text");
    dialog->DropFiles({Path("p.fprj"), Path("dot.png"), Path("notes.txt")});
    ASSERT_EQ(answers.saveQuestions.size(), 1u);
    EXPECT_EQ(MatrixWidth()->text(), "20");
    auto* list = Ctl<QListWidget>(*dialog, kCharacterListId);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(dialog->Settings().PIC[0], FromQString(Path("dot.png")));
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_TRUE(answers.messages[0].text.contains("notes.txt"));
    // A font file is chosen as Font File... chooses it.
    const char* font = "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf";
    if (!std::filesystem::exists(font)) GTEST_SKIP() << "no Liberation Mono";
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromUtf8(font))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());  // the window takes files
    dialog->DropFiles({QString::fromUtf8(font)});
    EXPECT_EQ(dialog->Settings().FONT.FontFile, Utf8ToUtf16(font));
    // The file's name as far as the button holds it; its whole path in the tooltip.
    const QString shown = Ctl<QPushButton>(*dialog, kFontButtonId)->text();
    EXPECT_TRUE(shown == "LiberationMono-Regular.ttf" ||
                (shown.endsWith(QChar(0x2026)) &&
                 QStringLiteral("LiberationMono-Regular.ttf").startsWith(shown.chopped(1))))
        << shown.toStdString();
    EXPECT_EQ(Ctl<QPushButton>(*dialog, kFontButtonId)->toolTip(),
              QString::fromUtf8(font) + "\n\nChoose the face, its style and size");
}

TEST_F(Window, ResizingGrowsThePreviewAndTheSizeIsRemembered) {
    dialog->show();
    QApplication::processEvents();
    auto* preview = Ctl<PreviewWidget>(*dialog, kPreviewId);
    const QSize client = preview->ClientSize();
    const int64_t cell = preview->Canvas().Geometry().cell;
    const QRect font = dialog->Control(kFontButtonId)->geometry();
    const QRect create = dialog->Control(kCreateListId)->geometry();
    const QSize size = dialog->size();
    dialog->resize(size + QSize(300, 200));
    ASSERT_TRUE(ProcessUntil([&] { return preview->ClientSize() == client + QSize(300, 200); }));
    ASSERT_TRUE(ProcessUntil([&] { return preview->Cached().size() == preview->ClientSize(); }));
    EXPECT_GT(preview->Canvas().Geometry().cell, cell);  // the cells follow the space
    EXPECT_EQ(dialog->Control(kFontButtonId)->geometry(), font.translated(300, 0));
    EXPECT_EQ(dialog->Control(kCreateListId)->geometry(), create.translated(300, 200));
    // Never smaller than the template.
    dialog->resize(size - QSize(100, 100));
    EXPECT_GE(dialog->width(), size.width());
    dialog->resize(size + QSize(300, 200));
    QApplication::processEvents();
    Restart();
    EXPECT_EQ(dialog->Document().Memory().width, size.width() + 300);
    EXPECT_EQ(dialog->size(), size + QSize(300, 200));
    const Profile ini = Profile::LoadFile(SettingIniPath());
    EXPECT_EQ(ini.Get(u"Window", u"Width"), Utf8ToUtf16(std::to_string(size.width() + 300)));
}

TEST_F(Window, FileDialogsStartInTheLastFolderOfTheirKind) {
    std::filesystem::create_directories(home / "pictures");
    std::filesystem::create_directories(home / "projects");
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(picture.save(Path("pictures/a.png"), "PNG"));
    answers.openNames.push_back({Path("pictures/a.png")});
    Command(kCmdLoadPicture);
    answers.saveNames.push_back(Path("projects/x.fprj"));
    Command(kCmdSaveAs);
    Command(kCmdLoadPicture);  // cancelled
    Command(kCmdOpen);         // cancelled
    ASSERT_EQ(answers.openRequests.size(), 3u);
    EXPECT_EQ(answers.openRequests[1].directory, Path("pictures"));
    EXPECT_EQ(answers.openRequests[2].directory, Path("projects"));
    Restart();
    Command(kCmdLoadPicture);
    EXPECT_EQ(answers.openRequests.back().directory, Path("pictures"));
}

// A first dialog starts in the documents folder when there is one, else in the home folder;
// Save As offers the project's name, or "Untitled.fprj" for a new one.
TEST_F(Window, FirstDialogsStartInTheDocumentsFolderAndSaveAsOffersAName) {
    ScopedEnv homeVar("HOME", (home / "user").c_str());
    ScopedEnv config("XDG_CONFIG_HOME", (home / "user" / ".config").c_str());
    std::filesystem::create_directories(home / "user");
    Command(kCmdSaveAs);  // cancelled
    ASSERT_EQ(answers.saveRequests.size(), 1u);
    EXPECT_EQ(answers.saveRequests[0].directory, Path("user"));
    EXPECT_EQ(answers.saveRequests[0].fileName, "Untitled.fprj");
    std::filesystem::create_directories(home / "user" / "Documents");
    Command(kCmdOpen);  // cancelled
    ASSERT_FALSE(answers.openRequests.empty());
    EXPECT_EQ(answers.openRequests.back().directory, Path("user/Documents"));
    answers.saveNames.push_back(Path("user/Documents/lamp.fprj"));
    Command(kCmdSaveAs);
    Command(kCmdSaveAs);  // cancelled: offers the project's name
    EXPECT_EQ(answers.saveRequests.back().fileName, "lamp.fprj");
    EXPECT_EQ(answers.saveRequests.back().directory, Path("user/Documents"));
}

TEST_F(Window, TheFonttabNoteNamesWhatTheAnsiCodePageLacks) {
    ScopedEnv codePage("ZEMTRA_ANSI_CODEPAGE", "1252");
    dialog->FillCharacterList(u"A中é文中", true);
    QString note;
    WhenShown<COutputDlg>([&](COutputDlg* view) {
        note = view->Note();
        view->reject();
    });
    Ctl<QPushButton>(*dialog, kCreateListId)->click();
    ASSERT_TRUE(ProcessUntil([&] { return !dialog->Jobs().Running(); }));
    EXPECT_EQ(note, QString::fromUtf8("fonttab: the ANSI code page 1252 lacks 2 of the list's "
                                      "characters (中 文); their codes are those of \"?\" "
                                      "(0x3F00) or of a look-alike."));
    EXPECT_EQ(dialog->StatusText(), note);
}

// Qt's own file dialog shows a long name, the sizes, types and dates whole, without a
// horizontal scroll bar.
TEST(FileDialog, ItsColumnsShowWhatTheyHoldWhole) {
    ScopedHome home;
    const std::string name = "a font with a rather long name, as downloads have them.ttf";
    WriteBytes(home / name, "0123456789");
    QFileDialog dialog(nullptr, "Open", QString::fromStdString(home.Path().string()));
    dialog.setViewMode(QFileDialog::Detail);
    FitFileDialog(dialog);
    dialog.show();
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(details, nullptr);
    ASSERT_TRUE(
        ProcessUntil([&] { return details->model()->rowCount(details->rootIndex()) >= 1; }, 5000));
    QApplication::processEvents();
    QHeaderView* header = details->header();
    EXPECT_GE(header->sectionSize(0),
              details->fontMetrics().horizontalAdvance(QString::fromStdString(name)));
    const QAbstractItemModel* model = details->model();
    for (int column = 1; column < header->count(); ++column) {
        int widest = 0;
        for (int row = 0; row < model->rowCount(details->rootIndex()); ++row) {
            const QString text = model->index(row, column, details->rootIndex()).data().toString();
            widest = std::max(widest, details->fontMetrics().horizontalAdvance(text));
        }
        EXPECT_GT(widest, 0) << column;
        EXPECT_GE(header->sectionSize(column), widest) << column;
    }
    EXPECT_LE(header->length(), details->viewport()->width());
}

}  // namespace
}  // namespace zemtra::test
