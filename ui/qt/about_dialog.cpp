// The About box built from its table and re-texted on opening.
#include "ui/qt/about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "ui/dialog_template.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/language.h"
#include "ui/qt/ui_hooks.h"

namespace zemtra {

CAboutDlg::CAboutDlg(const CMultiLanguage* language, QWidget* parent) : QDialog(parent) {
    const DialogTemplate& d = AboutDialogTemplate();
    setWindowTitle(ToQString(d.caption));
    // A modal frame with caption and system menu: it cannot be resized or minimised.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont());
    const int dpi = LogicalDpi(this);
    setFixedSize(DluToPixelsX(d.width, dpi), DluToPixelsY(d.height, dpi));
    controls_ = PlaceTemplateControls(d, this, dpi);
    auto* ok = qobject_cast<QPushButton*>(Control(kIdOk));
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    if (language != nullptr) TranslateDialogWindow(*language, this, d.id, this);
    ok->setFocus();  // focus to the default control
}

QWidget* CAboutDlg::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QString CAboutDlg::VersionText() const {
    // The one static with a text; the icon's has a picture instead.
    for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (!label->text().isEmpty()) return label->text();
    }
    return {};
}

}  // namespace zemtra
