// What the window says when the user hands it something it cannot use: files that are no
// project, pictures that do not decode or have gone, sizes beyond the limits, awkward text, a
// full disk and a Setting.ini that cannot be written. Each gives one message box where the
// user acted, and the window stays usable.
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "base/unicode.h"
#include "gui/gui_test_support.h"
#include "output/output_text.h"
#include "output/qt/output_dialog.h"
#include "output/temp_file.h"
#include "project/program_folder.h"
#include "project/project_file.h"
#include "ui/dialog_template.h"

namespace zemtra::test {
namespace {

// The C text has one comment line per glyph.
int GlyphComments(const std::u16string& text) {
    int n = 0;
    for (size_t at = text.find(u" // '"); at != std::u16string::npos;
         at = text.find(u" // '", at + 1)) {
        ++n;
    }
    return n;
}

class HostileGui : public ::testing::Test {
  protected:
    void Command(int id) { FindCommand(dialog.MenuBar(), id)->trigger(); }
    QString Path(const std::string& name) { return QString::fromStdString((home / name).string()); }
    QLineEdit* Edit(int id) { return Ctl<QLineEdit>(dialog, id); }
    bool WaitForEnd() {
        return ProcessUntil([this] { return !dialog.Jobs().Running(); }, 300'000);
    }
    // Runs "Create" for the C source and closes the Output View if one opens; gives whether
    // it opened. The watching timer ends with the call, so a run that opens no view leaves
    // nothing behind to close the next test's view.
    bool CreateList() {
        bool viewed = false;
        QTimer closer;
        closer.setInterval(5);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* view = qobject_cast<COutputDlg*>(w);
                if (view == nullptr || !view->isVisible() || !view->Loaded() ||
                    !view->isEnabled()) {
                    continue;
                }
                closer.stop();
                viewed = true;
                qobject_cast<QPushButton*>(view->Control(kIdCancel))->click();
                return;
            }
        });
        closer.start();
        Ctl<QPushButton>(dialog, kCreateListId)->click();
        EXPECT_TRUE(WaitForEnd());
        return viewed;
    }
    std::string LastMessage() {
        return answers.messages.empty() ? "" : answers.messages.back().text.toStdString();
    }

    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
};

TEST_F(HostileGui, OpeningFilesThatAreNoProjectSaysWhyAndChangesNothing) {
    const std::string utf16NoMark(
        "[\0P\0r\0o\0j\0e\0c\0t\0]\0\r\0\n\0V\0e\0r\0s\0i\0o\0n\0=\0V\0001\0.\0"
        "0\0\r\0\n\0",
        46);
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37 + 11) & 0xFF);
    std::string huge;
    while (huge.size() < 50'000'000) huge += "some line of junk = with a value\r\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "the file is empty"},
        {binary, "it has no [Project] Version"},
        {utf16NoMark, "it looks like UTF-16 without a byte-order mark"},
        {"[Project]\r\nVersion=v1.0\r\n", "its Version is \"v1.0\""},
        {huge, "it has no [Project] Version"},
    };
    size_t shown = 0;
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string name = "case" + std::to_string(i) + ".fprj";
        WriteBytes(home / name, cases[i].first);
        Edit(kMatrixWidthId)->setText("20");
        answers.openNames.push_back({Path(name)});
        Command(kCmdOpen);
        ASSERT_EQ(answers.messages.size(), ++shown) << name;
        EXPECT_EQ(answers.messages.back().icon, QMessageBox::Warning);
        EXPECT_NE(LastMessage().find(name + "\" is not a Zemtra project: " + cases[i].second),
                  std::string::npos)
            << LastMessage();
        // Nothing changes: the file is looked at before anything is reset, and no question
        // about unsaved changes comes before that.
        EXPECT_EQ(Edit(kMatrixWidthId)->text(), "20") << name;
        EXPECT_NE(LastMessage().find("Nothing was changed."), std::string::npos);
        EXPECT_TRUE(answers.saveQuestions.empty());
    }
    // A file gone between the dialog and the load.
    answers.openNames.push_back({Path("gone.fprj")});
    Command(kCmdOpen);
    EXPECT_NE(LastMessage().find("there is no such file"), std::string::npos) << LastMessage();
    // White space after the version is trimmed as the platform trims it: a project.
    WriteBytes(home / "spaced.fprj", "[Project]\r\nVersion=V1.0 \r\nBLOCKNUMX=20\r\n");
    answers.openNames.push_back({Path("spaced.fprj")});
    const size_t before = answers.messages.size();
    Edit(kMatrixWidthId)->setText("12");
    Command(kCmdOpen);
    EXPECT_EQ(answers.messages.size(), before);
    EXPECT_EQ(answers.saveQuestions.size(), 1u);  // the window's 12 would be lost: it asks
    EXPECT_EQ(Edit(kMatrixWidthId)->text(), "20");
}

TEST_F(HostileGui, PicturesThatCannotBeReadAreRefusedOrNamedBeforeAnythingIsWritten) {
    QImage good(8, 8, QImage::Format_RGB32);
    good.fill(Qt::white);
    ASSERT_TRUE(good.save(Path("good.png"), "PNG"));
    const std::string png = ReadBytes(home / "good.png");
    WriteBytes(home / "truncated.png", png.substr(0, png.size() / 2));
    WriteBytes(home / "empty.png", "");
    std::filesystem::create_directory(home / "x.png");
    // A PNG header claiming 30,000 x 30,000 pixels, and nothing after it.
    std::string header = png.substr(0, 16);
    header += std::string("\x00\x00\x75\x30\x00\x00\x75\x30\x08\x02\x00\x00\x00", 13);
    WriteBytes(home / "giant.png", header);
    answers.openNames.push_back({Path("good.png"), Path("truncated.png"), Path("empty.png"),
                                 Path("x.png"), Path("giant.png")});
    Command(kCmdLoadPicture);
    ASSERT_EQ(Ctl<QListWidget>(dialog, kCharacterListId)->count(), 1);  // only the good one
    ASSERT_EQ(answers.messages.size(), 1u);
    const std::string text = LastMessage();
    EXPECT_NE(text.find("truncated.png: not a BMP"), std::string::npos) << text;
    EXPECT_NE(text.find("empty.png: the file is empty"), std::string::npos) << text;
    EXPECT_NE(text.find("x.png: it is a folder"), std::string::npos) << text;
    EXPECT_NE(text.find("giant.png: not a BMP"), std::string::npos) << text;

    // A picture that went away after it was added: the C source names it and is not written.
    std::filesystem::remove(home / "good.png");
    std::filesystem::remove(TempOutputPath());
    EXPECT_FALSE(CreateList());
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_EQ(answers.messages.back().icon, QMessageBox::Critical);
    EXPECT_NE(LastMessage().find("item 1, \"" + (home / "good.png").string() + "\": no such file"),
              std::string::npos)
        << LastMessage();
    EXPECT_TRUE(dialog.Control(kCreateListId)->isEnabled());
}

TEST_F(HostileGui, SizesBeyondTheLimitsAreRefusedWhenAJobStarts) {
    Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText("A");
    Ctl<QPushButton>(dialog, kIdOk)->click();
    Edit(kMatrixWidthId)->setText("100000");
    EXPECT_FALSE(CreateList());
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Critical);
    EXPECT_NE(LastMessage().find("2048"), std::string::npos) << LastMessage();
    // A font size of 100000 typed into the size field.
    Edit(kMatrixWidthId)->setText("16");
    Edit(kFontHeightId)->setText("100000");
    EXPECT_FALSE(CreateList());
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_NE(LastMessage().find("4096"), std::string::npos) << LastMessage();
    // The library is refused the same way, before its file is asked for.
    answers.saveNames.push_back(Path("big.dzk"));
    Ctl<QPushButton>(dialog, kCreateLibraryId)->click();
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(answers.messages.size(), 3u);
    EXPECT_NE(LastMessage().find("4096"), std::string::npos) << LastMessage();
    EXPECT_TRUE(dialog.Control(kCreateLibraryId)->isEnabled());
}

TEST_F(HostileGui, EmptyCodeRectangleGivesAnEmptyFileAndSaysSo) {
    Ctl<QComboBox>(dialog, kCodePageId)->setCurrentIndex(0);
    Edit(kFromId)->setText("9000");  // From above To, typed without leaving the field
    Edit(kToId)->setText("8000");
    answers.saveNames.push_back(Path("none.dzk"));
    Ctl<QPushButton>(dialog, kCreateLibraryId)->click();
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(LastMessage(),
              "From 0x9000 and To 0x8000 hold no code (the high byte runs 90..80, the low byte "
              "00..00); the library file is empty.");
    EXPECT_EQ(std::filesystem::file_size(home / "none.dzk"), 0u);
}

TEST_F(HostileGui, AwkwardAndLongTextsBecomeItemsAndAreWritten) {
    // A lone surrogate, NUL, a line break and a backslash among ordinary characters.
    const QString awkward =
        QString(QChar(0xD800)) + QChar(u'\0') + "A\r\n\\" + QString::fromUtf8("中");
    Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText(awkward);
    Ctl<QPushButton>(dialog, kIdOk)->click();
    const int items = Ctl<QListWidget>(dialog, kCharacterListId)->count();
    EXPECT_GE(items, 6);
    ASSERT_TRUE(CreateList()) << LastMessage();
    EXPECT_EQ(GlyphComments(LoadOutputText(TempOutputPath())), items);
    // 100,000 characters.
    QString many;
    for (int i = 0; i < 100'000; ++i) many += QChar(char16_t(0x4E00 + i % 20000));
    Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText(many);
    Ctl<QPushButton>(dialog, kIdOk)->click();
    EXPECT_EQ(Ctl<QListWidget>(dialog, kCharacterListId)->count(), 100'000);
    Edit(kMatrixWidthId)->setText("8");
    Edit(kMatrixHeightId)->setText("8");
    ASSERT_TRUE(CreateList()) << LastMessage();
    EXPECT_EQ(GlyphComments(LoadOutputText(TempOutputPath())), 100'000);
    EXPECT_TRUE(answers.messages.empty());
}

TEST(HostileGuiExit, UnwritableSettingIniIsReportedOnce) {
    ScopedHome home;
    TestHooks answers;
    // Even root cannot write a file where a folder stands.
    std::filesystem::create_directory(home / "Setting.ini");
    {
        CZemtraDlg dialog(answers.Make());
        answers.messages.clear();  // the start-up's own report of the unreadable file
        dialog.show();
        Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("24");
        dialog.close();
    }  // the destructor does not save a second time
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Warning);
    EXPECT_NE(answers.messages[0].text.toStdString().find("Setting.ini"), std::string::npos)
        << answers.messages[0].text.toStdString();
}

// A 64 KiB tmpfs for the library target; skipped where mounting is not allowed.
TEST_F(HostileGui, FullDiskKeepsTheWholeRecordsAndSaysSo) {
    const std::filesystem::path small = home / "small";
    std::filesystem::create_directory(small);
    if (std::system(
            ("mount -t tmpfs -o size=64k tmpfs " + ShellQuote(small.string()) + " 2>/dev/null")
                .c_str()) != 0) {
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    }
    Ctl<QComboBox>(dialog, kCodePageId)->setCurrentIndex(0);
    Edit(kFromId)->setText("4E00");
    Edit(kToId)->setText("5FFF");
    answers.saveNames.push_back(QString::fromStdString((small / "full.dzk").string()));
    Ctl<QPushButton>(dialog, kCreateLibraryId)->click();
    const bool ended = WaitForEnd();
    const auto size = std::filesystem::file_size(small / "full.dzk");
    EXPECT_EQ(std::system(("umount " + ShellQuote(small.string())).c_str()), 0);
    ASSERT_TRUE(ended);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Critical);
    EXPECT_NE(LastMessage().find("records written before it are kept"), std::string::npos)
        << LastMessage();
    EXPECT_EQ(size % 32u, 0u);  // whole records of 16 x 16 / 8 bytes
    EXPECT_TRUE(dialog.Control(kCreateLibraryId)->isEnabled());
}

}  // namespace
}  // namespace zemtra::test
