// The Output View on its own: loading on a thread with the window disabled until done, odd and
// tiny files, Copy with its two messages, Save as UTF-16LE with its mark whatever the
// extension, and a clear message when the file cannot be written.
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

TEST_F(OutputView, SaveWritesTheSameBytesForEveryExtension) {
    const std::string content =
        "\xFF\xFE"
        "x\0\r\0\n\0\n\0y\0"s;  // a lone LF stays as it is
    auto view = Open(content);
    for (const char* name : {"a.txt", "a.h", "a.c", "a.other"}) {
        answers.saveNames.push_back(QString::fromStdString((dir / name).string()));
        Click(*view, kSaveButtonId);
        EXPECT_EQ(ReadBytes(dir / name), content) << name;
    }
    EXPECT_EQ(answers.saveRequests.back().filter,
              "Text File(*.txt);;C Header File(*.h);;C Source File(*.c);;Other File(*.*) (*)");
    EXPECT_EQ(answers.saveRequests.back().defaultSuffix, "txt");
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
    EXPECT_EQ(view->size(), QSize(768, 575));  // 512 x 383 dialog units at 96 dpi
}

}  // namespace
}  // namespace zemtra::test
