// The code fields' rules through real key events: typing, the protected 0x prefix, Ctrl+X,
// Delete and Backspace, pastes that are and are not allowed (Ctrl+V and Shift+Insert), the
// value conversions, the fixed colours, the length limit and the missing context menu.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

#include "gui/gui_test_support.h"
#include "ui/qt/hex_edit_widget.h"

namespace zemtra::test {
namespace {

void Key(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
         const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(w, &release);
}

// Types each character as the key that makes it (Shift for capitals).
void Type(QWidget* w, const QString& chars) {
    for (const QChar c : chars) {
        const int key = c.toUpper().unicode();
        Key(w, key, c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
    }
}

class HexEdit : public ::testing::Test {
  protected:
    void SetUp() override { QGuiApplication::clipboard()->setText(QStringLiteral("untouched")); }
    void SetText(const char* text, int caret) {
        edit.setText(QString::fromLatin1(text));
        edit.setCursorPosition(caret);
    }
    void Paste(const QString& clip, bool shiftInsert = false) {
        QGuiApplication::clipboard()->setText(clip);
        if (shiftInsert) {
            Key(&edit, Qt::Key_Insert, Qt::ShiftModifier);
        } else {
            Key(&edit, Qt::Key_V, Qt::ControlModifier);
        }
    }

    CHexEdit edit;
};

TEST_F(HexEdit, TypingKeepsHexDigitsInUpperCase) {
    Type(&edit, "1aGf");
    EXPECT_EQ(edit.text(), "1AF");
    edit.clear();
    Type(&edit, "x");
    EXPECT_EQ(edit.text(), "");  // no prefix without its 0
    Type(&edit, "0X");
    EXPECT_EQ(edit.text(), "0x");  // the prefix is always a small x
    Type(&edit, "7f");
    EXPECT_EQ(edit.text(), "0x7F");
    Type(&edit, "1");
    EXPECT_EQ(edit.text(), "0x7F");  // four characters at most
    edit.clear();
    Type(&edit, "12345 -+g");
    EXPECT_EQ(edit.text(), "1234");
}

TEST_F(HexEdit, ThePrefixCannotBeBrokenByTypingOrDeleting) {
    for (int caret : {0, 1}) {
        SetText("0x12", caret);
        Type(&edit, "5");
        EXPECT_EQ(edit.text(), "0x12") << caret;
    }
    SetText("0x12", 1);
    Key(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "0x12");
    SetText("0x12", 0);
    Key(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "0x12");
    // Ctrl+X on the selected 0 neither cuts nor copies.
    edit.setSelection(0, 1);
    Key(&edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "0x12");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "untouched");
    // The whole prefix may go.
    edit.setSelection(0, 2);
    Key(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "12");
    // Backspace behind the prefix and elsewhere works as usual.
    SetText("0x12", 4);
    Key(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "0x1");
    SetText("AB", 2);
    Key(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "A");
}

TEST_F(HexEdit, CtrlASelectsAllAndCtrlXCutsOtherwise) {
    SetText("12AB", 2);
    Key(&edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit.selectedText(), "12AB");
    Key(&edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "12AB");
}

TEST_F(HexEdit, PastesAreCheckedBeforeTheyReachTheField) {
    Paste("12ab");
    EXPECT_EQ(edit.text(), "12ab");  // pasted unchanged, small letters kept
    for (const char* refused : {"12g", "-1"}) {
        edit.clear();
        Paste(QString::fromLatin1(refused));
        EXPECT_EQ(edit.text(), "") << refused;
    }
    edit.clear();
    Paste("0x7F");
    EXPECT_EQ(edit.text(), "0x7F");
    SetText("12", 1);
    Paste("0x7F");
    EXPECT_EQ(edit.text(), "12");
    // Shift+Insert pastes the same way and is checked the same way.
    edit.clear();
    Paste("g", true);
    EXPECT_EQ(edit.text(), "");
    Paste("c0", true);
    EXPECT_EQ(edit.text(), "c0");
    // Nothing is pasted into a prefix.
    SetText("0x12", 1);
    Paste("5");
    EXPECT_EQ(edit.text(), "0x12");
}

TEST_F(HexEdit, ValueConversions) {
    for (const char* text : {"0x1A", "1A", "1a"}) {
        edit.setText(QString::fromLatin1(text));
        EXPECT_EQ(edit.GetValue(), 26u) << text;
    }
    for (const char* text : {"", "0x"}) {
        edit.setText(QString::fromLatin1(text));
        EXPECT_EQ(edit.GetValue(), 0u) << text;
    }
    edit.SetValue(0);
    EXPECT_EQ(edit.text(), "0000");
    edit.SetValue(0xA1A1);
    EXPECT_EQ(edit.text(), "A1A1");
    edit.SetValue(0x41);
    EXPECT_EQ(edit.text(), "0041");
}

TEST_F(HexEdit, FixedColoursLimitAndNoContextMenu) {
    EXPECT_EQ(edit.maxLength(), 4);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        EXPECT_EQ(edit.palette().color(g, QPalette::Text), QColor(255, 0, 0)) << g;
        EXPECT_EQ(edit.palette().color(g, QPalette::Base), QColor(219, 247, 220)) << g;
    }
    edit.show();
    for (auto reason : {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard}) {
        QContextMenuEvent event(reason, QPoint(3, 3), edit.mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(&edit, &event);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            EXPECT_FALSE(qobject_cast<QMenu*>(w) && w->isVisible());
        }
    }
}

TEST_F(HexEdit, TheWindowsCodeFieldsAreHexEdits) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    for (int id : {kFromId, kToId}) {
        auto* field = Ctl<CHexEdit>(dialog, id);
        ASSERT_NE(field, nullptr);
        field->clear();
        Type(field, "b0a1x");
        EXPECT_EQ(field->text(), "B0A1") << id;
    }
}

}  // namespace
}  // namespace zemtra::test
