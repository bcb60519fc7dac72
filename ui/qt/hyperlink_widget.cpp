// The web link's painting, hover tracking and click.
#include "ui/qt/hyperlink_widget.h"

#include "base/messages.h"
#include "base/unicode.h"

#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTimerEvent>

#include "ui/qt/colour_ref.h"
#include "ui/qt/event_guard.h"

namespace zemtra {

CHyperLink::CHyperLink(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    hooks_ = DefaultUiHooks();
    setTextFormat(Qt::PlainText);
}

CHyperLink::~CHyperLink() {
    hoverTimer_.stop();
}

void CHyperLink::Attach() {
    if (target_.isEmpty()) target_ = text();
    if (text().isEmpty()) setText(target_);
    standardFont_ = font();
    standardFont_.setUnderline(false);
    underlinedFont_ = standardFont_;
    underlinedFont_.setUnderline(true);
    attached_ = true;
    FitToText();
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);  // moves without a pressed button reach mouseMoveEvent
    setToolTip(target_);
    Restyle();
}

void CHyperLink::SetTarget(const QString& address) {
    target_ = address;
    if (!attached_) return;
    FitToText();
    setToolTip(target_);
}

void CHyperLink::SetLinkColours(const LinkColours& colours) {
    colours_ = colours;
    if (attached_) Restyle();
}

void CHyperLink::SetUnderlineMode(UnderlineMode mode) {
    underline_ = mode;
    if (attached_) Restyle();
}

void CHyperLink::SetFitToText(bool fit) {
    fitToText_ = fit;
    if (attached_) FitToText();
}

QColor CHyperLink::TextColour() const {
    return FromColourRef(LinkTextColour(colours_, mouseOver_, visited_));
}

void CHyperLink::FitToText() {
    if (!fitToText_) return;
    const QSize extent = QFontMetrics(underlinedFont_).size(Qt::TextSingleLine, text());
    const QSize frame = size() - contentsRect().size();
    const QSize wanted = extent + frame;
    QRect r = geometry();
    // Vertically the top stays; horizontally the alignment decides which edge stays.
    r.setHeight(wanted.height());
    if (alignment() & Qt::AlignHCenter) {
        const int centre2 = 2 * r.x() + r.width();  // twice the centre, kept exactly
        r.setWidth(wanted.width());
        r.moveLeft((centre2 - wanted.width()) / 2);
    } else if (alignment() & Qt::AlignRight) {
        const int right = r.right();
        r.setWidth(wanted.width());
        r.moveRight(right);
    } else {
        r.setWidth(wanted.width());
    }
    setGeometry(r);
}

void CHyperLink::Restyle() {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, TextColour());
    setPalette(p);
    setFont(LinkUnderlined(underline_, mouseOver_) ? underlinedFont_ : standardFont_);
    update();
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event) {
    if (!mouseOver_) {
        mouseOver_ = true;
        Restyle();
        hoverTimer_.start(kLinkTimerMs, this);
    }
    QLabel::mouseMoveEvent(event);
}

void CHyperLink::timerEvent(QTimerEvent* event) {
    if (event->timerId() == hoverTimer_.timerId()) {
        // Leaving is noticed by looking where the cursor is: no move reaches a control once
        // the mouse is outside it.
        if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
            mouseOver_ = false;
            hoverTimer_.stop();
            Restyle();
        }
        return;
    }
    QLabel::timerEvent(event);
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Guarded(this, &hooks_, [this] { OnClicked(); })();
    }
}

void CHyperLink::OnClicked() {
    mouseOver_ = false;
    const int outcome = hooks_.openLink ? hooks_.openLink(target_) : kOpenOutOfResources;
    if (OpenSucceeded(outcome)) {
        visited_ = true;
        Restyle();
        return;
    }
    visited_ = false;
    Restyle();
    if (hooks_.beep) hooks_.beep();
    ShowOpenError(outcome);
}

void CHyperLink::ShowOpenError(int outcome) {
    const auto say = [this](Msg id, std::vector<std::u16string> args) {
        return language_ != nullptr ? language_->Text(id, args)
                                    : FillText(MessageTextOf(id).english, args);
    };
    std::u16string reason;
    switch (outcome) {
        case kOpenNoAssociation:  // no xdg-open, or nothing that opens web pages
            reason = say(Msg::LinkNoBrowser, {});
            break;
        case kOpenOutOfResources:
            reason = say(Msg::LinkError0, {});
            break;
        case kOpenFileNotFound:
            reason = say(Msg::LinkError2, {});
            break;
        case kOpenAccessDenied:
            reason = say(Msg::LinkError5, {});
            break;
        case kOpenOutOfMemory:
            reason = say(Msg::LinkError8, {});
            break;
        case kOpenInvalidProgram:
            reason = say(Msg::LinkError11, {});
            break;
        case kOpenAssociationIncomplete:
            reason = say(Msg::LinkError27, {});
            break;
        default: {
            // The platform's other texts, which nothing here reports, stay as they were.
            const std::u16string english = OpenErrorText(outcome);
            const std::u16string unknown = say(Msg::LinkErrorOther, {DecimalText(outcome)});
            reason = english.substr(english.find(u"\n\n") + 2);
            if (reason.starts_with(u"Unknown Error")) reason = unknown;
        }
    }
    // With no browser the user can still paste the address into one.
    const QString text =
        QString::fromStdU16String(say(Msg::LinkFailed, {reason, FromQString(target_)}));
    if (hooks_.messageBox)
        hooks_.messageBox(this, QMessageBox::Warning, window()->windowTitle(), text);
}

}  // namespace zemtra
