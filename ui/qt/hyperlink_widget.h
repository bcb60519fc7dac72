// CHyperLink: static 1059 as a web link. It paints its caption in the link colours, follows
// the mouse with a 100 ms timer, shows a pointing hand and the address as its tooltip, and
// opens the address when clicked, telling the user when that fails.
#pragma once

#include <QBasicTimer>
#include <QFont>
#include <QLabel>
#include <cstdint>

#include "ui/hyperlink_rules.h"
#include "ui/multi_language.h"
#include "ui/qt/ui_hooks.h"

namespace zemtra {

class CHyperLink : public QLabel {
    Q_OBJECT
  public:
    explicit CHyperLink(const QString& caption, QWidget* parent = nullptr);
    ~CHyperLink() override;

    // Takes the control as it stands (caption, font, place): the address from the caption when
    // none is set, the two fonts, the fitting to the caption, the cursor and the tooltip.
    void Attach();

    void SetTarget(const QString& address);
    void SetLinkColours(const LinkColours& colours);
    void SetUnderlineMode(UnderlineMode mode);
    void SetFitToText(bool fit);
    // The opener, the beep and the message box the click uses.
    void SetHooks(const UiHooks& hooks) { hooks_ = hooks; }
    // The tables a failed open's message comes from (the main window's); null: English.
    void SetLanguage(const CMultiLanguage* language) { language_ = language; }

    const QString& Target() const { return target_; }
    bool MouseOver() const { return mouseOver_; }
    bool Visited() const { return visited_; }
    // The colour the caption is painted in now.
    QColor TextColour() const;

    // The click: opens the target; a failure beeps and shows why.
    void OnClicked();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    void FitToText();
    void Restyle();
    void ShowOpenError(int outcome);

    LinkColours colours_ = kDefaultLinkColours;
    bool mouseOver_ = false;
    bool visited_ = false;
    UnderlineMode underline_ = UnderlineMode::OnHover;
    bool fitToText_ = true;
    QString target_;
    QFont underlinedFont_;
    QFont standardFont_;
    bool attached_ = false;
    QBasicTimer hoverTimer_;  // the control's timer 100
    UiHooks hooks_;
    const CMultiLanguage* language_ = nullptr;
};

}  // namespace zemtra
