// The Project menu: New, Open and Save with their file dialogs and errors, round trips of a
// project with pictures, Load Picture with its selection and refusals, and menu commands used
// while a library run works on its own copy of the settings.
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "base/unicode.h"
#include "gui/gui_test_support.h"
#include "project/project_file.h"
#include "raster/qt/preview_widget.h"
#include "ui/dialog_template.h"

namespace zemtra::test {
namespace {

class ProjectCommands : public ::testing::Test {
  protected:
    void Command(int id) { FindCommand(dialog.MenuBar(), id)->trigger(); }
    QListWidget* List() { return Ctl<QListWidget>(dialog, kCharacterListId); }
    QString Path(const std::string& name) { return QString::fromStdString((home / name).string()); }
    // A picture of w x h pixels: white in the left half, black in the right half.
    QString Picture(const std::string& name, int w = 16, int h = 16) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::black);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w / 2; ++x) image.setPixel(x, y, qRgb(255, 255, 255));
        }
        EXPECT_TRUE(image.save(Path(name), "PNG"));
        return Path(name);
    }
    QStringList Items() {
        QStringList items;
        for (int i = 0; i < List()->count(); ++i) items << List()->item(i)->text();
        return items;
    }
    bool ThresholdShown() {
        return !dialog.Control(kThresholdId)->isHidden() &&
               !dialog.Control(kThresholdSpinId)->isHidden();
    }

    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
};

const QString kStar = QString::fromUtf8("☆");

TEST_F(ProjectCommands, LoadPictureAppendsSelectsTheLastAndShowsTheThreshold) {
    Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText("AB");
    Ctl<QPushButton>(dialog, kIdOk)->click();
    const QStringList files = {Picture("one.png"), Picture("two.PNG"), Picture("three.png")};
    answers.openNames.push_back(files);
    Command(kCmdLoadPicture);
    ASSERT_EQ(answers.openRequests.size(), 1u);
    EXPECT_TRUE(answers.openRequests[0].multiple);
    const QString filter = answers.openRequests[0].filter;
    EXPECT_TRUE(filter.startsWith("BMP JPEG JPG GIF PNG")) << filter.toStdString();
    EXPECT_TRUE(filter.contains("*.PNG") && filter.contains("*.png"));
    EXPECT_TRUE(filter.contains("*.jpeg") && filter.contains("*.GIF"));
    EXPECT_TRUE(filter.contains(";;All Files(*.*)"));
    EXPECT_EQ(Items(), (QStringList{"A", "B", kStar, kStar, kStar}));
    EXPECT_EQ(List()->currentRow(), 4);
    EXPECT_EQ(dialog.CurrentPicture(), FromQString(files[2]));
    EXPECT_EQ(dialog.Settings().PIC[2], FromQString(files[0]));
    EXPECT_TRUE(ThresholdShown());
    // The preview: the picture in colour in the thumbnail, thresholded in the cells.
    auto* preview = Ctl<PreviewWidget>(dialog, kPreviewId);
    const QSize client = preview->ClientSize();
    const PreviewGeometry g = ComputePreviewGeometry(16, 16, client.width(), client.height());
    const auto centre = [&](int row, int column) {
        const PreviewRect r = g.Cell(row, column);
        return preview->Cached().pixel(static_cast<int>(r.x + r.width / 2),
                                       static_cast<int>(r.y + r.height / 2));
    };
    EXPECT_EQ(centre(8, 2), qRgb(156, 224, 239));  // white: lit, light under Cathode
    EXPECT_EQ(centre(8, 13), qRgb(73, 80, 40));
    EXPECT_EQ(preview->Cached().pixel(2, 2), qRgb(255, 255, 255));
    // A character item hides the threshold controls again.
    List()->setCurrentRow(0);
    EXPECT_FALSE(ThresholdShown());
    EXPECT_EQ(dialog.CurrentCharacter(), u"A");
    // Cancelling the dialog changes nothing.
    Command(kCmdLoadPicture);
    EXPECT_EQ(List()->count(), 5);
    EXPECT_EQ(List()->currentRow(), 0);
}

TEST_F(ProjectCommands, PathsAProjectCannotKeepAreRefusedAndTheOthersAdded) {
    const QString good = Picture("good.png");
    const QString bad = Picture("bad|name.png");
    answers.openNames.push_back({bad, good});
    Command(kCmdLoadPicture);
    EXPECT_EQ(Items(), QStringList{kStar});
    EXPECT_EQ(dialog.CurrentPicture(), FromQString(good));
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(answers.messages[0].text.contains(bad)) << answers.messages[0].text.toStdString();
}

TEST_F(ProjectCommands, SaveNewAndOpenRoundTripAProjectWithPictures) {
    Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText("Zq");
    Ctl<QPushButton>(dialog, kIdOk)->click();
    const QString picture = Picture("p.png", 24, 12);
    answers.openNames.push_back({picture});
    Command(kCmdLoadPicture);
    Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("24");
    Ctl<QLineEdit>(dialog, kThresholdId)->setText("77");
    Ctl<QComboBox>(dialog, kDirectionId)->setCurrentIndex(1);
    Ctl<QLineEdit>(dialog, kToId)->setText("7E7E");
    Ctl<QCheckBox>(dialog, kShowDemoId)->click();
    const ProjectSettings before = dialog.Settings();
    answers.saveNames.push_back(Path("job.fprj"));
    Command(kCmdSave);
    ASSERT_EQ(answers.saveRequests.size(), 1u);
    EXPECT_EQ(answers.saveRequests[0].defaultSuffix, "fprj");
    EXPECT_EQ(answers.saveRequests[0].filter, "Zemtra Project(*.fprj);;All Files(*.*) (*)");
    ASSERT_TRUE(std::filesystem::exists(home / "job.fprj"));

    Command(kCmdNew);
    EXPECT_EQ(List()->count(), 0);
    EXPECT_TRUE(dialog.Settings().PIC.empty());
    EXPECT_FALSE(Ctl<QCheckBox>(dialog, kShowDemoId)->isChecked());
    EXPECT_FALSE(dialog.Panel().DemoTimerActive());
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kMatrixWidthId)->text(), "16");
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kFontWidthId)->text(), "8");
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kToId)->text(), "FFFF");
    EXPECT_EQ(Ctl<QComboBox>(dialog, kDirectionId)->currentIndex(), 0);
    EXPECT_EQ(dialog.CurrentPicture(), u"");

    answers.openNames.push_back({Path("job.fprj")});
    Command(kCmdOpen);
    ASSERT_EQ(answers.openRequests.size(), 2u);
    EXPECT_FALSE(answers.openRequests[1].multiple);
    EXPECT_EQ(answers.openRequests[1].defaultSuffix, "fprj");
    EXPECT_EQ(answers.openRequests[1].filter, answers.saveRequests[0].filter);
    EXPECT_EQ(Items(), (QStringList{"Z", "q", kStar}));
    EXPECT_EQ(dialog.Settings().PIC, before.PIC);
    EXPECT_EQ(dialog.Settings().BLOCKNUMX, u"24");
    EXPECT_EQ(dialog.Settings().THRESHOLD, u"77");
    EXPECT_EQ(dialog.Settings().DIRECT, 1);
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kToId)->text(), "7E7E");
    EXPECT_TRUE(Ctl<QCheckBox>(dialog, kShowDemoId)->isChecked());
    EXPECT_TRUE(dialog.Panel().DemoTimerActive());  // ENDEMO starts the demo
    List()->setCurrentRow(2);
    EXPECT_EQ(dialog.CurrentPicture(), FromQString(picture));
    EXPECT_TRUE(ThresholdShown());
    // Saving into the same file again merges: one copy of each key.
    answers.saveNames.push_back(Path("job.fprj"));
    Command(kCmdSave);
    const std::string bytes = ReadBytes(home / "job.fprj");
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.data() + 2),
                                            static_cast<qsizetype>(bytes.size() / 2 - 1));
    EXPECT_EQ(text.count("BLOCKNUMX="), 1);
    EXPECT_TRUE(answers.messages.empty());
}

TEST_F(ProjectCommands, CancelAndFailuresLeaveTheSettingsAlone) {
    Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("20");
    Command(kCmdOpen);  // cancelled
    Command(kCmdSave);  // cancelled
    EXPECT_EQ(dialog.Settings().BLOCKNUMX, u"20");
    // A "project" that cannot be read is reported; the settings stay (no silent New).
    std::filesystem::create_directory(home / "folder.fprj");
    answers.openNames.push_back({Path("folder.fprj")});
    Command(kCmdOpen);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kMatrixWidthId)->text(), "20");
    // A file that is no project changes nothing, and says why.
    WriteBytes(home / "notes.txt", "just text\r\n");
    answers.openNames.push_back({Path("notes.txt")});
    Command(kCmdOpen);
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kMatrixWidthId)->text(), "20");
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_TRUE(answers.messages[1].text.contains("no [Project] Version"))
        << answers.messages[1].text.toStdString();
    // A save that cannot be written says so.
    answers.saveNames.push_back(Path("missing/folder/x.fprj"));
    Command(kCmdSave);
    ASSERT_EQ(answers.messages.size(), 3u);
    EXPECT_TRUE(answers.messages[2].text.contains("x.fprj"))
        << answers.messages[2].text.toStdString();
}

// A project whose choices are none of the boxes' items (edited by hand, or from a newer
// program) opens with those boxes empty and says which, at once; the others open as saved.
TEST_F(ProjectCommands, OpeningNamesChoicesThatAreNoneOfTheItems) {
    const struct {
        int32_t databit, orient, codepage;
        const char* named;  // nullptr: nothing to say
        std::vector<int> emptyBoxes;
    } cases[] = {
        {77, 9, 2, "DATABIT=77, ORIENT=9", {kDataBitsId, kOrientationId}},
        {1, 2, -1, "CODEPAGE=-1", {kCodePageId}},
        {4, 3, 4, nullptr, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.databit);
        ProjectSettings odd = dialog.Settings();
        odd.DATABIT = c.databit;
        odd.ORIENT = c.orient;
        odd.CODEPAGE = c.codepage;
        SaveProject(home / "odd.fprj", odd);
        answers.messages.clear();
        answers.openNames.push_back({Path("odd.fprj")});
        Command(kCmdOpen);
        if (c.named == nullptr) {
            EXPECT_TRUE(answers.messages.empty());
            continue;
        }
        const QString said = QStringLiteral(
                                 "\"%1\" holds settings that are none of their choices: %2. "
                                 "Their boxes stay empty until you choose; nothing is "
                                 "made before.")
                                 .arg(Path("odd.fprj"), QString::fromUtf8(c.named));
        ASSERT_EQ(answers.messages.size(), 1u);
        EXPECT_EQ(answers.messages[0].text.toStdString(), said.toStdString());
        EXPECT_EQ(dialog.StatusText(), said);
        for (int id : c.emptyBoxes) EXPECT_EQ(Ctl<QComboBox>(dialog, id)->currentIndex(), -1) << id;
        EXPECT_EQ(dialog.Settings().DATABIT, c.databit);  // kept, not replaced
    }
}

TEST_F(ProjectCommands, NewAndOpenDuringALibraryRunDoNotTouchItsJob) {
    ProjectSettings other = dialog.Settings();
    other.BLOCKNUMX = u"8";
    other.BLOCKNUMY = u"8";
    other.LIST = {u"Q"};
    other.PIC = {u"#"};
    SaveProject(home / "other.fprj", other);
    Ctl<QComboBox>(dialog, kCodePageId)->setCurrentIndex(2);
    Ctl<QLineEdit>(dialog, kFromId)->setText("B0A1");
    Ctl<QLineEdit>(dialog, kToId)->setText("B0FE");
    Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("24");
    Ctl<QLineEdit>(dialog, kMatrixHeightId)->setText("24");
    answers.saveNames.push_back(Path("run.dzk"));
    Ctl<QPushButton>(dialog, kCreateLibraryId)->click();
    ASSERT_TRUE(dialog.Jobs().Running());
    // The worker waits for the window to answer; the menu is still there meanwhile.
    Command(kCmdNew);
    answers.openNames.push_back({Path("other.fprj")});
    Command(kCmdOpen);
    ASSERT_TRUE(ProcessUntil([this] { return !dialog.Jobs().Running(); }));
    EXPECT_EQ(std::filesystem::file_size(home / "run.dzk"), 94u * 72u);  // 24 x 24, 94 codes
    // Afterwards the window holds what the user opened, and every control works again.
    EXPECT_EQ(dialog.Settings().BLOCKNUMX, u"8");
    EXPECT_EQ(Ctl<QLineEdit>(dialog, kMatrixWidthId)->text(), "8");
    EXPECT_EQ(Items(), QStringList{"Q"});
    EXPECT_TRUE(dialog.Control(kMatrixWidthId)->isEnabled());
    EXPECT_TRUE(answers.messages.empty());
}

}  // namespace
}  // namespace zemtra::test
