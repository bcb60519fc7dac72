// The hexadecimal code field: key, character and paste filters, fixed colours, no menu.
#include "ui/qt/hex_edit_widget.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <algorithm>
#include <optional>

#include "ui/qt/colour_ref.h"

namespace zemtra {
namespace {

HexKey KeyOf(const QKeyEvent* event) {
    // The platform's own bindings (Shift+Delete cuts, Shift+Insert pastes) count with the
    // letters, so no binding reaches the field past the rules.
    if (event->matches(QKeySequence::SelectAll)) return HexKey::SelectAll;
    if (event->matches(QKeySequence::Cut)) return HexKey::Cut;
    if (event->matches(QKeySequence::Paste)) return HexKey::Paste;
    if (event->key() == Qt::Key_Delete) return HexKey::Delete;
    return HexKey::Other;
}

// The clipboard's text, or nothing when it holds none.
std::optional<std::u16string> ClipboardText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return std::nullopt;
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (data == nullptr || !data->hasText()) return std::nullopt;
    return data->text().toStdU16String();
}

}  // namespace

CHexEdit::CHexEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(kHexEditMaxLength);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // Dropped text and input methods would bypass the character filter.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    QPalette p = palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Text, FromColourRef(kHexEditTextColour));
        p.setColor(g, QPalette::Base, FromColourRef(kHexEditBackgroundColour));
    }
    setPalette(p);
}

uint32_t CHexEdit::GetValue() const {
    return HexEditGetValue(text().toStdU16String());
}

void CHexEdit::SetValue(uint32_t value) {
    setText(QString::fromStdU16String(HexEditSetValue(value)));
}

HexEditState CHexEdit::State(const std::u16string& t) const {
    size_t start = static_cast<size_t>(cursorPosition());
    size_t end = start;
    if (hasSelectedText()) {
        start = static_cast<size_t>(selectionStart());
        end = static_cast<size_t>(selectionEnd());
    }
    return HexEditState{t, start, end};
}

bool CHexEdit::FilterKeyDown(QKeyEvent* event) {
    const HexKey key = KeyOf(event);
    if (key == HexKey::Other) return false;
    const std::u16string t = text().toStdU16String();
    const std::optional<std::u16string> clip =
        key == HexKey::Paste ? ClipboardText() : std::nullopt;
    std::optional<std::u16string_view> clipView;
    if (clip) clipView = *clip;
    const HexDecision d = HexKeyDown(key, State(t), clipView);
    switch (d.action) {
        case HexAction::SelectAll:
            selectAll();
            return true;
        case HexAction::Refuse:
            return true;
        default:
            return false;
    }
}

void CHexEdit::TypeCharacters(QKeyEvent* event) {
    for (const QChar c : event->text()) {
        const std::u16string t = text().toStdU16String();
        const HexDecision d = HexCharacter(c.unicode(), State(t));
        if (d.action == HexAction::Refuse) continue;
        const QChar typed = d.action == HexAction::PassReplaced ? QChar(d.character) : c;
        // Each character goes in on its own, so the next one sees the text it makes.
        QKeyEvent one(event->type(), event->key(), event->modifiers(), QString(typed));
        QLineEdit::keyPressEvent(&one);
    }
    event->accept();
}

void CHexEdit::keyPressEvent(QKeyEvent* event) {
    if (FilterKeyDown(event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        const std::u16string t = text().toStdU16String();
        if (HexCharacter(u'\b', State(t)).action == HexAction::Refuse) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!command && !typed.isEmpty() && typed.front().unicode() >= 32 &&
        typed.front().unicode() != 0x7F) {
        TypeCharacters(event);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CHexEdit::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();  // no menu at all, not even the standard edit menu
}

void CHexEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) emit FocusLost();
}

void CHexEdit::mousePressEvent(QMouseEvent* event) {
    // The middle button pastes the selection on X11, past the paste check.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void CHexEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CHexEdit::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();  // composed text would skip the character filter
}

}  // namespace zemtra
