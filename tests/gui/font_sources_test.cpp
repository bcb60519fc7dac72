// Project > Font Sources... and "Add from Files..." driven through the window: the sources table
// with its buttons and cells, a row that is no source keeping the dialog open, the preview and
// the status line after OK, the project marked changed; the characters of files added to the
// list, and a file that is not UTF-8 named.
#include <QAction>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include "base/font_source.h"
#include "gui/gui_test_support.h"
#include "raster/qt/font_sources_dialog.h"

namespace zemtra::test {
namespace {

constexpr char kIconFile[] = "/usr/share/fonts/opentype/font-awesome/FontAwesome.otf";

class GuiFontSources : public ::testing::Test {
  protected:
    void SetUp() override {
        Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("16");
        Ctl<QLineEdit>(dialog, kMatrixHeightId)->setText("16");
    }
    // Opens the dialog, lets work() use it, then presses OK (or Cancel).
    void InDialog(std::function<void(CFontSourcesDlg*)> work, bool ok = true) {
        WhenShown<CFontSourcesDlg>([work, ok](CFontSourcesDlg* d) {
            work(d);
            if (d->isVisible()) {
                qobject_cast<QPushButton*>(d->Control(ok ? kIdOk : kIdCancel))->click();
            }
        });
        FindCommand(dialog.MenuBar(), kCmdFontSources)->trigger();
    }
    static QTableWidget* Table(CFontSourcesDlg* d) {
        return qobject_cast<QTableWidget*>(d->Control(kSourcesTableId));
    }
    static void Click(CFontSourcesDlg* d, int id) {
        qobject_cast<QPushButton*>(d->Control(id))->click();
    }
    static void SetCell(CFontSourcesDlg* d, int row, int column, const QString& text) {
        Table(d)->item(row, column)->setText(text);
    }

    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
    ScratchDir dir;
};

TEST_F(GuiFontSources, TheTableBecomesTheFontsSourcesInOrder) {
    Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText(QString::fromUtf8("\uF015A"));
    Ctl<QPushButton>(dialog, kIdOk)->click();
    const QString title = dialog.windowTitle();
    const int awesome = static_cast<int>(QFontDatabase::families().indexOf("FontAwesome"));
    ASSERT_GE(awesome, 0);
    answers.item = awesome;
    answers.openNames.push_back({kIconFile});
    InDialog([](CFontSourcesDlg* d) {
        Click(d, kSourcesAddFaceId);  // row 0: FontAwesome
        SetCell(d, 0, 1, "U+F000-U+F0FF");
        SetCell(d, 0, 2, "14");
        SetCell(d, 0, 3, "0,1");
        Click(d, kSourcesAddFileId);  // row 1: the file, selected
        SetCell(d, 1, 1, "U+0041");
        Click(d, kSourcesUpId);  // the file first
        Click(d, kSourcesAddFaceId);
        Click(d, kSourcesRemoveId);  // the third row again
        EXPECT_EQ(Table(d)->rowCount(), 2);
    });
    const std::vector<FontSource> want = {
        ParseFontSource(std::string(kIconFile) + "@U+0041"),
        ParseFontSource("FontAwesome@U+F000-U+F0FF@size=14@offset=0,1")};
    EXPECT_EQ(dialog.Settings().FONT.Sources, want);
    EXPECT_NE(dialog.windowTitle(), title);  // changed, to be saved
    // The icon is selected: the status line names the source that drew it.
    ProcessUntil([&] { return dialog.StatusText().contains("source 2"); }, 2000);
    // Which of the two FontAwesome files the name finds is fontconfig's to say.
    const QString status = dialog.StatusText();
    EXPECT_TRUE(
        status.startsWith(QString::fromUtf8("'\uF015' (U+F015) is drawn by FontAwesome (")) &&
        status.endsWith(", source 2)"))
        << status.toStdString();

    // The dialog shows what the font holds; Cancel changes nothing.
    InDialog(
        [](CFontSourcesDlg* d) {
            ASSERT_EQ(Table(d)->rowCount(), 2);
            EXPECT_EQ(Table(d)->item(1, 0)->text(), "FontAwesome");
            EXPECT_EQ(Table(d)->item(1, 1)->text(), "U+F000-U+F0FF");
            EXPECT_EQ(Table(d)->item(1, 2)->text(), "14");
            EXPECT_EQ(Table(d)->item(1, 3)->text(), "0,1");
            Click(d, kSourcesRemoveId);
        },
        false);
    EXPECT_EQ(dialog.Settings().FONT.Sources, want);
}

TEST_F(GuiFontSources, ARowThatIsNoSourceIsNamedAndKeepsTheDialogOpen) {
    answers.openNames.push_back({kIconFile});
    bool stillOpen = false;
    InDialog(
        [&](CFontSourcesDlg* d) {
            Click(d, kSourcesAddFileId);
            SetCell(d, 0, 2, "0");
            Click(d, kIdOk);
            stillOpen = d->isVisible();
        },
        false);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_TRUE(answers.messages[0].text.startsWith("Source 1: Font source"))
        << answers.messages[0].text.toStdString();
    EXPECT_TRUE(dialog.Settings().FONT.Sources.empty());
}

TEST_F(GuiFontSources, AddFromFilesPutsTheCharactersTheListLacksIntoIt) {
    Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText("AB");
    Ctl<QPushButton>(dialog, kIdOk)->click();
    WriteBytes(dir / "ui.c", "puts(\"BCD\"); // \"Z\"\n");
    WriteBytes(dir / "de.po",
               "msgid \"x\"\nmsgstr \"\xC3\x84"
               "C\"\n");
    answers.openNames.push_back({QString::fromStdString((dir / "ui.c").string()),
                                 QString::fromStdString((dir / "de.po").string())});
    Ctl<QPushButton>(dialog, kAddFromFilesId)->click();
    auto* list = Ctl<QListWidget>(dialog, kCharacterListId);
    QString items;
    for (int i = 0; i < list->count(); ++i) items += list->item(i)->text();
    EXPECT_EQ(items, QString::fromUtf8("ABCD\u00C4"));
    EXPECT_EQ(list->currentRow(), 2);  // the first added
    EXPECT_EQ(dialog.StatusText(), "Added 3 characters that the list lacked, from 2 files.");
    EXPECT_EQ(answers.openRequests.back().caption, "Add the Characters of Files");

    WriteBytes(dir / "bad.txt", "ok\xFF");
    answers.openNames.push_back({QString::fromStdString((dir / "bad.txt").string())});
    Ctl<QPushButton>(dialog, kAddFromFilesId)->click();
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_TRUE(answers.messages[0].text.contains("not UTF-8 text: byte 2"))
        << answers.messages[0].text.toStdString();
    EXPECT_EQ(list->count(), 5);
}

}  // namespace
}  // namespace zemtra::test
