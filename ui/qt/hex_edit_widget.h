// CHexEdit: the one-line field for a hexadecimal code (From 1060, To 1061). It asks the core's
// hex-edit rules about every key, typed character and paste and does what they answer.
#pragma once

#include <QLineEdit>
#include <cstdint>

#include "ui/hex_edit_rules.h"

namespace zemtra {

class CHexEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit CHexEdit(QWidget* parent = nullptr);

    // The field's value ("0x" skipped, then read as scanf's "%x"); 0 when unreadable.
    uint32_t GetValue() const;
    // Shows the value as at least four upper-case digits.
    void SetValue(uint32_t value);

    // The field and its selection as the rules see them.
    HexEditState State(const std::u16string& text) const;

  signals:
    // The field lost the keyboard focus (not to a popup, which gives it back).
    void FocusLost();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    // The key-down filter; true when the key was used up.
    bool FilterKeyDown(QKeyEvent* event);
    // The character filter for a key that types text.
    void TypeCharacters(QKeyEvent* event);
};

}  // namespace zemtra
