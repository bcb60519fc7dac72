// The export dialog built from its table, its controls kept consistent with the format.
#include "output/qt/export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>

#include "output/font_export.h"
#include "ui/dialog_template.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/event_guard.h"
#include "ui/qt/language.h"

namespace zemtra {
namespace {

constexpr int kBppChoices[] = {1, 2, 4, 8};

}  // namespace

ExportFormat ExportFormatAt(int index) {
    const std::span<const ExportFormatRow> rows = ExportFormats();
    const auto i = static_cast<size_t>(std::max(0, index));
    return i < rows.size() ? rows[i].format : rows.front().format;
}

int ExportFormatIndex(ExportFormat format) {
    const std::span<const ExportFormatRow> rows = ExportFormats();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].format == format) return static_cast<int>(i);
    }
    return 0;
}

CExportDlg::CExportDlg(const CMultiLanguage* language, UiHooks hooks, const ExportChoice& initial,
                       size_t listCount, QWidget* parent)
    : QDialog(parent), language_(language), hooks_(std::move(hooks)) {
    const DialogTemplate& d = ExportDialogTemplate();
    setWindowTitle(ToQString(d.caption));
    setFont(DialogFont());
    const int dpi = LogicalDpi(this);
    setFixedSize(DluToPixelsX(d.width, dpi), DluToPixelsY(d.height, dpi));
    controls_ = PlaceTemplateControls(d, this, dpi);
    format_ = qobject_cast<QComboBox*>(Control(kExportFormatId));
    bpp_ = qobject_cast<QComboBox*>(Control(kExportBppId));
    monospace_ = qobject_cast<QCheckBox*>(Control(kExportMonospaceId));
    compress_ = qobject_cast<QCheckBox*>(Control(kExportCompressId));
    name_ = qobject_cast<QLineEdit*>(Control(kExportNameId));
    characters_ = qobject_cast<QComboBox*>(Control(kExportCharactersId));
    if (language_ != nullptr) TranslateDialogWindow(*language_, this, d.id, this);
    characters_->setItemText(0, Text(Msg::ExportFromList, {QString::number(listCount)}));
    characters_->setItemText(1, Text(Msg::ExportFromRange));
    name_->setPlaceholderText(Text(Msg::ExportNameFromFile));
    name_->setMaxLength(200);

    for (const ExportFormatRow& row : ExportFormats()) {
        format_->addItem(
            QString::fromUtf8(row.title.data(), static_cast<qsizetype>(row.title.size())));
    }
    format_->setCurrentIndex(ExportFormatIndex(initial.format));
    for (int i = 0; i < 4; ++i) {
        if (kBppChoices[i] == initial.bpp) bpp_->setCurrentIndex(i);
    }
    monospace_->setChecked(initial.monospace);
    compress_->setChecked(initial.compress);
    name_->setText(QString::fromStdString(initial.name));
    characters_->setCurrentIndex(initial.fromList ? 0 : 1);
    EnableByFormat();
    connect(format_, &QComboBox::currentIndexChanged, this, [this] { EnableByFormat(); });
    connect(bpp_, &QComboBox::currentIndexChanged, this, [this] { EnableByFormat(); });
    auto* ok = qobject_cast<QPushButton*>(Control(kIdOk));
    auto* cancel = qobject_cast<QPushButton*>(Control(kIdCancel));
    connect(ok, &QPushButton::clicked, this, Guarded(this, &hooks_, [this] { accept(); }));
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
}

QWidget* CExportDlg::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QString CExportDlg::Text(Msg id, const QStringList& args) const {
    return LanguageText(language_, id, args);
}

void CExportDlg::EnableByFormat() {
    const ExportFormatRow& row = ExportFormatRowOf(ExportFormatAt(format_->currentIndex()));
    // Only the depths the format takes can be chosen; one it does not take falls to the first.
    const auto takes = [&](int bpp) { return ((row.bppMask >> bpp) & 1) != 0; };
    auto* items = qobject_cast<QStandardItemModel*>(bpp_->model());
    int first = -1;
    for (int i = 0; i < 4; ++i) {
        if (items != nullptr) items->item(i)->setEnabled(takes(kBppChoices[i]));
        if (first < 0 && takes(kBppChoices[i])) first = i;
    }
    if (!takes(kBppChoices[std::max(0, bpp_->currentIndex())])) bpp_->setCurrentIndex(first);
    bpp_->setEnabled(row.bppMask != (1u << kBppChoices[first]));
    const int bpp = kBppChoices[std::max(0, bpp_->currentIndex())];
    const bool compressible = ((row.compressMask >> bpp) & 1) != 0;
    if (!compressible) compress_->setChecked(false);
    compress_->setEnabled(compressible);
    name_->setEnabled(row.cName);
}

ExportChoice CExportDlg::Choice() const {
    ExportChoice c;
    c.format = ExportFormatAt(format_->currentIndex());
    c.bpp = kBppChoices[std::max(0, bpp_->currentIndex())];
    c.monospace = monospace_->isChecked();
    c.compress = compress_->isChecked();
    c.name = name_->text().trimmed().toStdString();
    c.fromList = characters_->currentIndex() != 1;
    return c;
}

void CExportDlg::accept() {
    const ExportChoice c = Choice();
    if (ExportFormatRowOf(c.format).cName && !c.name.empty() && !IsCIdentifier(c.name)) {
        hooks_.messageBox(this, QMessageBox::Warning, windowTitle(),
                          Text(Msg::ExportBadName, {QString::fromStdString(c.name)}));
        name_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace zemtra
