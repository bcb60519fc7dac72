// The Output View on its own: loading on a thread with the window disabled until done, odd and
// tiny files, Copy with its two messages, Save as UTF-16LE with its mark whatever the
// extension, and a clear message when the file cannot be written.
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/gui_test_support.h"
#include "output/qt/output_dialog.h"

namespace zemtra::test {
namespace {

using namespace std::string_literals;

class OutputView : public ::testing::Test {
  protected:
    std::unique_ptr<COutputDlg> Open(const std::string& bytes) {
        WriteBytes(dir / "out.dat", bytes);
        auto view =
            std::make_unique<COutputDlg>(nullptr, ScanMode{}, answers.Make(), dir / "out.dat");
        view->show();
        EXPECT_FALSE(view->isEnabled() && !view->Loaded());
        EXPECT_TRUE(ProcessUntil([&] { return view->Loaded(); }));
        EXPECT_TRUE(view->isEnabled());
        return view;
    }
    void Click(COutputDlg& view, int id) { qobject_cast<QPushButton*>(view.Control(id))->click(); }

    ScratchDir dir;
    TestHooks answers;
};

TEST_F(OutputView, LoadsTheFileAsUtf16) {
    EXPECT_EQ(Open("")->TextBox()->toPlainText(), "");
    EXPECT_EQ(Open("\xFF")->TextBox()->toPlainText(), "");
    EXPECT_EQ(Open("\xFF\xFE"
                   "a\0b\0\r\0\n\0c\0"s)
                  ->TextBox()
                  ->toPlainText(),
              "ab\nc");
    EXPECT_EQ(Open("x\0y\0z"s)->TextBox()->toPlainText(), "xy");
    auto view =
        std::make_unique<COutputDlg>(nullptr, ScanMode{}, answers.Make(), dir / "missing.dat");
    view->show();
    ASSERT_TRUE(ProcessUntil([&] { return view->Loaded(); }));
    EXPECT_TRUE(view->isEnabled());
    EXPECT_EQ(view->TextBox()->toPlainText(), "");
}

TEST_F(OutputView, CopyTakesTheEditedTextAndSaysSo) {
    auto view = Open(
        "\xFF\xFE"
        "a\0\r\0\n\0b\0"s);
    Click(*view, kCopyButtonId);
    EXPECT_EQ(answers.clipboard, "a\r\nb");
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(answers.messages[0].text, "Data has been successfully\ncopied to the clipboard!");
    EXPECT_TRUE(answers.messages[0].caption.isEmpty());
    view->TextBox()->appendPlainText("edited");
    Click(*view, kCopyButtonId);
    EXPECT_EQ(answers.clipboard, "a\r\nb\r\nedited");
    answers.clipboardWorks = false;
    Click(*view, kCopyButtonId);
    EXPECT_EQ(answers.messages.back().icon, QMessageBox::Critical);
    EXPECT_EQ(answers.messages.back().text, "Open Clipboard Failed!");
}

TEST_F(OutputView, SaveWritesCSourceAsUtf8AndTextAsUtf16) {
    const std::string utf16 =
        "\xFF\xFE"
        "x\0\r\0\n\0\n\0y\0-\0\x2D\x4E"s;            // a lone LF stays as it is; U+4E2D at the end
    const std::string utf8 = "x\n\ny-\xE4\xB8\xAD";  // no mark, LF line ends
    auto view = Open(utf16);
    const auto save = [&](const char* name, std::optional<int> filter) {
        answers.saveFilter = filter;
        answers.saveNames.push_back(QString::fromStdString((dir / name).string()));
        Click(*view, kSaveButtonId);
        return ReadBytes(dir / name);
    };
    // The typed name decides whatever the filter: .c and .h are C source, .txt Unicode text;
    // another name takes the filter's encoding, Unicode text under "All files".
    const struct {
        const char* name;
        std::optional<int> filter;
        const std::string& bytes;
    } cases[] = {
        {"a.c", std::nullopt, utf8},
        {"a.H", std::nullopt, utf8},
        {"a.txt", std::nullopt, utf16},
        {"a.other", std::nullopt, utf16},
        {"wrong.c", 1, utf8},
        {"out.txt", 0, utf16},
        {"b.h", 2, utf8},
        {"b.other", 0, utf8},
        {"c.other", 1, utf16},
        {"noext", 0, utf8},
    };
    for (const auto& c : cases) EXPECT_EQ(save(c.name, c.filter), c.bytes) << c.name;
    const SaveFileRequest& r = answers.saveRequests.back();
    EXPECT_EQ(r.filter,
              "C source, UTF-8 (*.c *.h);;Unicode text (UTF-16) (*.txt);;All Files(*.*) (*)");
    EXPECT_EQ(r.defaultSuffix, "c");
    EXPECT_EQ(r.filterSuffixes, (QStringList{"c", "txt", ""}));
    EXPECT_TRUE(answers.messages.empty());
    Click(*view, kSaveButtonId);  // cancelled: nothing happens
    EXPECT_TRUE(answers.messages.empty());
}

TEST_F(OutputView, SaveThatCannotCreateTheFileSaysSo) {
    auto view = Open(
        "\xFF\xFE"
        "z\0"s);
    answers.saveNames.push_back(QString::fromStdString((dir / "no" / "such.txt").string()));
    Click(*view, kSaveButtonId);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(answers.messages[0].text.contains("such.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

TEST_F(OutputView, LayoutOfDialog129) {
    auto view = Open("");
    EXPECT_EQ(view->windowTitle(), "Output View");
    for (int id : {kOutputTextId, kCopyButtonId, kSaveButtonId, kIdCancel}) {
        ASSERT_NE(view->Control(id), nullptr) << id;
        EXPECT_EQ(view->Control(id)->property(kControlIdProperty).toInt(), id);
    }
    EXPECT_EQ(qobject_cast<QPushButton*>(view->Control(kCopyButtonId))->text(), "Copy");
    // 512 x 383 dialog units at 96 dpi and the note's line under the text, at the least.
    EXPECT_EQ(view->minimumSize().width(), 768);
    EXPECT_GT(view->minimumSize().height(), 575);
    EXPECT_TRUE(QFontInfo(view->TextBox()->font()).fixedPitch());
    // It resizes: the text takes the room, the buttons keep to the right edge, Cancel to the
    // bottom right corner.
    const QRect text = view->TextBox()->geometry();
    const QRect copy = view->Control(kCopyButtonId)->geometry();
    const QRect cancel = view->Control(kIdCancel)->geometry();
    view->resize(view->width() + 200, view->height() + 100);
    EXPECT_EQ(view->TextBox()->geometry(), text.adjusted(0, 0, 200, 100));
    EXPECT_EQ(view->Control(kCopyButtonId)->geometry(), copy.translated(200, 0));
    EXPECT_EQ(view->Control(kIdCancel)->geometry(), cancel.translated(200, 100));
    view->SetNote("fonttab: the ANSI code page 1252 lacks 1 of the list's characters");
    EXPECT_EQ(view->Note(), "fonttab: the ANSI code page 1252 lacks 1 of the list's characters");
}

// A note longer than its line ends in an ellipsis, whole in its tooltip; a wider view shows
// more of it.
TEST_F(OutputView, ALongNoteIsElidedWithATooltip) {
    auto view = Open("");
    QString note = "fonttab: GB2312 lacks 12 of the list's characters:";
    for (int i = 0; i < 40; ++i) note += " U+00C" + QString::number(i % 10);
    view->SetNote(note);
    QLabel* line = nullptr;
    for (QLabel* l : view->findChildren<QLabel*>()) {
        if (l->toolTip() == note) line = l;
    }
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(view->Note(), note);
    const QString shown = line->text();
    ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(note.startsWith(shown.chopped(1)));
    EXPECT_LE(line->fontMetrics().horizontalAdvance(shown), line->contentsRect().width());
    view->resize(view->width() + 300, view->height());
    EXPECT_GT(line->text().size(), shown.size());
    view->resize(4000, view->height());
    EXPECT_EQ(line->text(), note);
}

}  // namespace
}  // namespace zemtra::test
