// The web link's painting, hover tracking and click.
#include "ui/qt/hyperlink_widget.h"

#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTimerEvent>

#include "ui/qt/event_guard.h"

namespace zemtra {
namespace {

QColor FromColourRef(uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF),
                  static_cast<int>(c >> 16 & 0xFF));
}

}  // namespace

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
    const QString text = QString::fromStdU16String(OpenErrorText(outcome));
    if (hooks_.messageBox)
        hooks_.messageBox(this, QMessageBox::Warning, window()->windowTitle(), text);
}

}  // namespace zemtra
