// The code-range group in the window: a code page's default range, clamping only when a code
// field loses the focus, the characters of From and To on every change, and the library job
// taking the fields as they stand.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/gui_test_support.h"
#include "project/program_folder.h"
#include "project/project_file.h"
#include "ui/qt/hex_edit_widget.h"

namespace zemtra::test {
namespace {

class CodeRange : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(ProcessUntil([this] { return dialog.isActiveWindow(); }, 5000));
    }
    // As the user picks an item: the selection and the notification of a choice.
    void ChooseCodePage(int index) {
        auto* combo = Ctl<QComboBox>(dialog, kCodePageId);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    CHexEdit* From() { return Ctl<CHexEdit>(dialog, kFromId); }
    CHexEdit* To() { return Ctl<CHexEdit>(dialog, kToId); }
    QString FromCharacter() { return Ctl<QLabel>(dialog, kFromCharacterId)->text(); }
    QString ToCharacter() { return Ctl<QLabel>(dialog, kToCharacterId)->text(); }
    // Types into a field that has the focus, then moves the focus to the text field.
    void EnterAndLeave(CHexEdit* field, const char* text) {
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
        field->setText(QString::fromLatin1(text));
        EXPECT_EQ(field->text(), QString::fromLatin1(text));  // typing does not clamp
        dialog.Control(kTextEditId)->setFocus();
        ASSERT_FALSE(field->hasFocus());
    }

    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
};

TEST_F(CodeRange, ChoosingACodePageSetsItsRange) {
    const std::vector<std::pair<const char*, const char*>> ranges = {
        {"0000", "FFFF"}, {"0000", "FFFF"}, {"A1A1", "FEFE"}, {"8140", "FEFE"}, {"A140", "F9FE"}};
    for (int kind = 4; kind >= 0; --kind) {
        ChooseCodePage(kind);
        EXPECT_EQ(From()->text(), ranges[static_cast<size_t>(kind)].first) << kind;
        EXPECT_EQ(To()->text(), ranges[static_cast<size_t>(kind)].second) << kind;
        EXPECT_EQ(dialog.Settings().CODEPAGE, kind);
    }
}

// A clamp is said in the status line, with the range the field could take.
TEST_F(CodeRange, LeavingAFieldClampsItToTheCodePageAndTheOtherField) {
    const struct {
        int codePage;
        const char *from, *to;  // set first, as they stand
        bool leaveFrom;         // else To
        const char* typed;
        const char* becomes;
        const char* said;  // empty: the status line says nothing of it
    } cases[] = {
        {2, "A1A1", "FEFE", true, "0000", "A1A1",
         "From: 0000 lies outside A1A1..FEFE, so it is now A1A1."},
        {2, "A1A1", "FEFE", false, "FFFF", "FEFE",
         "To: FFFF lies outside A1A1..FEFE, so it is now FEFE."},
        // Within the range nothing changes, not even the way the code is written.
        {2, "A1A1", "FEFE", true, "b0a1", "b0a1", ""},
        {0, "0000", "8000", true, "9000", "8000",
         "From: 9000 lies outside 0000..8000, so it is now 8000."},
        {0, "9000", "FFFF", false, "8000", "9000",
         "To: 8000 lies outside 9000..FFFF, so it is now 9000."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ChooseCodePage(c.codePage);
        From()->setText(QString::fromLatin1(c.from));
        To()->setText(QString::fromLatin1(c.to));
        dialog.ShowStatus(QString());
        EnterAndLeave(c.leaveFrom ? From() : To(), c.typed);
        EXPECT_EQ((c.leaveFrom ? From() : To())->text(), QString::fromLatin1(c.becomes));
        EXPECT_EQ(dialog.StatusText(), QString::fromLatin1(c.said));
    }
}

TEST_F(CodeRange, TheFieldBeingLeftIsSettledBeforeTheSettingsAreSaved) {
    ChooseCodePage(3);  // GBK
    From()->setFocus();
    From()->setText("0041");
    answers.saveChanges = {SaveChoice::Save};  // kept, so Setting.ini holds it
    answers.saveNames.push_back(QString::fromStdString((home / "range.fprj").string()));
    dialog.close();
    ProjectSettings saved;
    ASSERT_TRUE(LoadProject(SettingIniPath(), saved).isProject);
    EXPECT_EQ(saved.FROM, 0x8140);
}

TEST_F(CodeRange, TheCharactersOfFromAndToFollowEveryChange) {
    ChooseCodePage(0);
    From()->setText("0041");
    EXPECT_EQ(FromCharacter(), "A");
    To()->setText("4E2D");
    EXPECT_EQ(ToCharacter(), QString::fromUtf8("中"));
    To()->setText("4E");  // while typing, too
    EXPECT_EQ(ToCharacter(), QString(QChar(0x4E)));
    ChooseCodePage(2);  // GB2312: A1A1 and FEFE
    EXPECT_EQ(FromCharacter(), QString::fromUtf8("\u3000"));
    From()->setText("D6D0");
    EXPECT_EQ(FromCharacter(), QString::fromUtf8("中"));
    From()->setText("0041");  // a first byte of 0 gives no character
    EXPECT_EQ(FromCharacter(), "");
    ChooseCodePage(4);  // BIG5
    From()->setText("A440");
    EXPECT_EQ(FromCharacter(), QString::fromUtf8("一"));
    ChooseCodePage(3);  // GBK
    EXPECT_EQ(FromCharacter(), QString::fromUtf8("丂"));
    // UNICODE and MBCS share the range, so the texts stay: the characters must follow anyway.
    ChooseCodePage(0);
    From()->setText("00C4");
    EXPECT_EQ(FromCharacter(), QString::fromUtf8("Ä"));
    // No code page chosen: nothing is shown.
    Ctl<QComboBox>(dialog, kCodePageId)->setCurrentIndex(-1);
    From()->setText("0042");
    EXPECT_EQ(FromCharacter(), "");
}

TEST_F(CodeRange, TheLibraryTakesTheFieldsAsTheyStand) {
    ChooseCodePage(2);
    From()->setText("B0A1");
    To()->setText("b0a3");
    const std::filesystem::path target = home / "three.dzk";
    answers.saveNames.push_back(QString::fromStdString(target.string()));
    Ctl<QPushButton>(dialog, kCreateLibraryId)->click();
    ASSERT_TRUE(ProcessUntil([this] { return !dialog.Jobs().Running(); }));
    EXPECT_EQ(std::filesystem::file_size(target), 3u * 32u);
    EXPECT_EQ(dialog.Settings().FROM, 0xB0A1);
    EXPECT_EQ(dialog.Settings().TO, 0xB0A3);
}

}  // namespace
}  // namespace zemtra::test
