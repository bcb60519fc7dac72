// Creating the controls of a dialog template as Qt widgets.
#include "ui/qt/dialog_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

#include "raster/qt/preview_widget.h"
#include "raster/qt/scan_demo_widget.h"
#include "ui/qt/app_icon.h"
#include "ui/qt/hex_edit_widget.h"
#include "ui/qt/hyperlink_widget.h"
#include "ui/qt/ui_hooks.h"
#include "ui/qt/updown_widget.h"

namespace zemtra {
namespace {

// Where PlaceTemplateControls put a control, and its template style, for FollowParentSize.
constexpr char kBaseRectProperty[] = "templateRect";
constexpr char kStyleProperty[] = "templateStyle";

void Place(QWidget* w, const PixelRect& r) {
    w->setGeometry(r.x, r.y, r.width, r.height);
    w->setProperty(kBaseRectProperty, QRect(r.x, r.y, r.width, r.height));
}

QLabel* MakeLabel(const ControlTemplate& t, QWidget* parent) {
    auto* label = new QLabel(ToQString(t.caption), parent);
    const Qt::Alignment h = (t.style & kStyleCentred) ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(h | Qt::AlignTop);
    return label;
}

QWidget* MakeTextControl(const ControlTemplate& t, QWidget* parent) {
    if (t.kind == ControlKind::MultiLineEdit) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setTabChangesFocus(true);  // in a dialog, Tab goes to the next control
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        if (t.style & kStyleHScroll) {
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        }
        return edit;
    }
    if (t.kind == ControlKind::HexEdit) return new CHexEdit(parent);
    return new QLineEdit(parent);
}

QWidget* MakeStatic(const ControlTemplate& t, QWidget* parent) {
    switch (t.kind) {
        case ControlKind::Preview:
            return new PreviewWidget(parent);
        case ControlKind::Separator: {
            auto* line = new QFrame(parent);
            line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
            return line;
        }
        case ControlKind::CodeCharacter: {
            auto* box = new QLabel(parent);
            box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            box->setAlignment(Qt::AlignCenter);
            return box;
        }
        case ControlKind::DemoArea:
            return new ScanDemoWidget(parent);
        case ControlKind::Icon: {
            auto* icon = new QLabel(parent);
            icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return icon;  // the pixmap follows once the control has its size
        }
        default:
            return MakeLabel(t, parent);
    }
}

}  // namespace

QWidget* CreateTemplateControl(const ControlTemplate& t, QWidget* parent) {
    switch (t.kind) {
        case ControlKind::ListBox: {
            auto* list = new QListWidget(parent);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            list->setUniformItemSizes(true);
            return list;
        }
        case ControlKind::Table: {
            auto* table = new QTableWidget(parent);
            table->setSelectionBehavior(QAbstractItemView::SelectRows);
            table->setSelectionMode(QAbstractItemView::SingleSelection);
            table->horizontalHeader()->setStretchLastSection(true);
            table->verticalHeader()->setVisible(false);
            return table;
        }
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(ToQString(t.caption), parent);
            if (t.kind == ControlKind::DefaultPushButton) button->setDefault(true);
            return button;
        }
        case ControlKind::Edit:
        case ControlKind::HexEdit:
        case ControlKind::MultiLineEdit:
            return MakeTextControl(t, parent);
        case ControlKind::ProgressBar: {
            auto* bar = new QProgressBar(parent);
            bar->setTextVisible(false);
            bar->setRange(0, 100);
            bar->setValue(0);
            return bar;
        }
        case ControlKind::GroupBox: {
            auto* group = new QGroupBox(ToQString(t.caption), parent);
            // The template puts the frame's top line through the middle of the title, with
            // the first controls just below it; styles that set the title above the frame push
            // the line down into those controls.
            group->setStyleSheet(QStringLiteral(
                "QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                " margin-top: 0.5em; }"
                "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                " left: 3px; padding: 0px 1px; background-color: palette(window); }"));
            return group;
        }
        case ControlKind::UpDown:
            return new UpDownWidget(parent);
        case ControlKind::DropDownList: {
            auto* combo = new QComboBox(parent);
            for (std::u16string_view item : ComboItems(t.id)) combo->addItem(ToQString(item));
            return combo;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(ToQString(t.caption), parent);
        case ControlKind::HyperLink: {
            auto* link = new CHyperLink(ToQString(t.caption), parent);
            const Qt::Alignment h = (t.style & kStyleCentred) ? Qt::AlignHCenter : Qt::AlignLeft;
            link->setAlignment(h | Qt::AlignTop);
            return link;
        }
        default:
            return MakeStatic(t, parent);
    }
}

std::map<int, QWidget*> PlaceTemplateControls(const DialogTemplate& d, QWidget* parent, int dpi) {
    std::map<int, QWidget*> byId;
    QWidget* previous = nullptr;
    PixelRect previousRect;
    for (const ControlTemplate& t : d.controls) {
        PixelRect r = DluRectToPixels(t.rect, dpi);
        QWidget* w = CreateTemplateControl(t, parent);
        if (t.kind == ControlKind::UpDown && previous != nullptr) {
            AttachUpDown(previousRect, r);
            Place(previous, previousRect);
            static_cast<UpDownWidget*>(w)->SetBuddy(previous);
        }
        if (t.kind == ControlKind::DropDownList) {
            // The template's height includes the opened list; the closed box is one line.
            r.height = std::min(r.height, w->sizeHint().height());
        }
        if (t.kind == ControlKind::Label || t.kind == ControlKind::HyperLink) {
            // Text is drawn from the label's top; a box shorter than a line (8 units, sized for
            // the platform's 12-pixel font) would cut descenders and the ideographs' feet off.
            r.height = std::max(r.height, w->fontMetrics().height());
        }
        Place(w, r);
        w->setProperty(kStyleProperty, t.style);
        if (t.kind == ControlKind::Icon) {
            static_cast<QLabel*>(w)->setPixmap(ZemtraIcon().pixmap(std::min(r.width, r.height)));
        }
        w->setProperty(kControlIdProperty, t.id);
        if (t.style & kStyleHidden) w->hide();
        if (t.id != kNoControlId) byId[t.id] = w;
        previous = w;
        previousRect = r;
    }
    return byId;
}

void FollowParentSize(QWidget* parent, QSize base) {
    const int dx = parent->width() - base.width();
    const int dy = parent->height() - base.height();
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w == nullptr) continue;
        const QVariant rect = w->property(kBaseRectProperty);
        if (!rect.isValid()) continue;
        const QRect b = rect.toRect();
        const PixelRect r = AnchoredRect({b.x(), b.y(), b.width(), b.height()},
                                         w->property(kStyleProperty).toUInt(), dx, dy);
        w->setGeometry(r.x, r.y, r.width, r.height);
    }
}

QFont DialogFont() {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Liberation Sans")});
    font.setPointSize(9);
    return font;
}

int LogicalDpi(const QWidget* w) {
    const QScreen* screen = w->screen();
    if (screen == nullptr) return 96;
    return std::max(1, qRound(screen->logicalDotsPerInchX()));
}

}  // namespace zemtra
