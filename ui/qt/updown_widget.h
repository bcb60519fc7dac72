// The spin buttons beside the numeric edits: two arrow buttons that only say "up" or "down".
// They keep no value and never write into their edit, so the typed text stays as typed.
#pragma once

#include <QWidget>

class QToolButton;

namespace zemtra {

class UpDownWidget : public QWidget {
    Q_OBJECT
  public:
    explicit UpDownWidget(QWidget* parent = nullptr);

    // The edit whose Up and Down keys step too (the platform's arrow-keys style).
    void SetBuddy(QWidget* buddy);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

  signals:
    // +1 for the up arrow, -1 for the down arrow.
    void Stepped(int direction);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QToolButton* up_;
    QToolButton* down_;
    QWidget* buddy_ = nullptr;
};

}  // namespace zemtra
