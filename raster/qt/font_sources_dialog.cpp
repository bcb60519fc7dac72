// The font sources dialog: rows of text cells, read as sources only when OK is pressed.
#include "raster/qt/font_sources_dialog.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

#include "base/error.h"
#include "base/unicode.h"
#include "raster/font_faces.h"
#include "ui/dialog_template.h"
#include "ui/file_filter.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/event_guard.h"
#include "ui/qt/language.h"

namespace zemtra {
namespace {

enum Column { kName, kRanges, kSize, kOffset, kColumns };

constexpr char16_t kFontFilter[] =
    u"|*.ttf;*.otf;*.ttc;*.otc;*.bdf;*.pcf;*.pcf.gz;*.TTF;*.OTF;*.TTC;*.OTC;*.BDF;*.PCF|";

// The name cell: the face, or the file with "#N" for a face of a collection; not editable, as
// the buttons choose it.
QTableWidgetItem* NameItem(const FontSource& s) {
    FontSource name;
    name.face = s.face;
    name.file = s.file;
    name.index = s.index;
    auto* item = new QTableWidgetItem(QString::fromStdString(FontSourceText(name)));
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    item->setToolTip(item->text());
    return item;
}

}  // namespace

CFontSourcesDlg::CFontSourcesDlg(const CMultiLanguage* language, UiHooks hooks,
                                 const std::vector<FontSource>& sources, QWidget* parent)
    : QDialog(parent), language_(language), hooks_(std::move(hooks)), sources_(sources) {
    const DialogTemplate& d = FontSourcesDialogTemplate();
    setWindowTitle(ToQString(d.caption));
    setFont(DialogFont());
    const int dpi = LogicalDpi(this);
    setFixedSize(DluToPixelsX(d.width, dpi), DluToPixelsY(d.height, dpi));
    controls_ = PlaceTemplateControls(d, this, dpi);
    if (language_ != nullptr) TranslateDialogWindow(*language_, this, d.id, this);
    table_ = qobject_cast<QTableWidget*>(Control(kSourcesTableId));
    table_->setColumnCount(kColumns);
    table_->setHorizontalHeaderLabels({Text(Msg::SourcesFace), Text(Msg::SourcesRanges),
                                       Text(Msg::SourcesSize), Text(Msg::SourcesOffset)});
    // The headers say how to write the cells, so they show whole; the name takes what is left,
    // a long path losing its middle.
    table_->setTextElideMode(Qt::ElideMiddle);
    QHeaderView* header = table_->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(kName, QHeaderView::Stretch);
    for (int c = kRanges; c < kColumns; ++c) {
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
    qobject_cast<QLabel*>(Control(kSourcesNoteId))->setWordWrap(true);
    for (const FontSource& s : sources) AppendSource(s);
    if (table_->rowCount() > 0) table_->selectRow(0);

    const auto button = [this](int id) { return qobject_cast<QPushButton*>(Control(id)); };
    connect(button(kSourcesAddFaceId), &QPushButton::clicked, this,
            Guarded(this, &hooks_, [this] { OnAddFace(); }));
    connect(button(kSourcesAddFileId), &QPushButton::clicked, this,
            Guarded(this, &hooks_, [this] { OnAddFile(); }));
    connect(button(kSourcesUpId), &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(button(kSourcesDownId), &QPushButton::clicked, this, [this] { MoveSelected(1); });
    connect(button(kSourcesRemoveId), &QPushButton::clicked, this, [this] { OnRemove(); });
    connect(button(kIdOk), &QPushButton::clicked, this,
            Guarded(this, &hooks_, [this] { accept(); }));
    connect(button(kIdCancel), &QPushButton::clicked, this, [this] { reject(); });
}

QWidget* CFontSourcesDlg::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QString CFontSourcesDlg::Text(Msg id, const QStringList& args) const {
    return LanguageText(language_, id, args);
}

void CFontSourcesDlg::AppendSource(const FontSource& s) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    table_->setItem(row, kName, NameItem(s));
    table_->setItem(row, kRanges,
                    new QTableWidgetItem(QString::fromStdString(CodeSpansText(s.ranges))));
    QString size;
    if (s.height != 0) {
        size = s.width != 0 ? QStringLiteral("%1x%2").arg(s.width).arg(s.height)
                            : QString::number(s.height);
    }
    table_->setItem(row, kSize, new QTableWidgetItem(size));
    const QString offset =
        s.dx != 0 || s.dy != 0 ? QStringLiteral("%1,%2").arg(s.dx).arg(s.dy) : QString();
    table_->setItem(row, kOffset, new QTableWidgetItem(offset));
    table_->selectRow(row);
}

void CFontSourcesDlg::OnAddFace() {
    QStringList families = QFontDatabase::families();
    families.removeDuplicates();
    const std::optional<int> chosen =
        hooks_.chooseItem(this, windowTitle(), Text(Msg::SourcesChooseFace), families);
    if (!chosen || *chosen < 0 || *chosen >= families.size()) return;
    FontSource s;
    s.face = FromQString(families[*chosen]);
    AppendSource(s);
}

void CFontSourcesDlg::OnAddFile() {
    const QString filter =
        ToQString(FileDialogFilter(FromQString(Text(Msg::FilterFonts) + ToQString(kFontFilter) +
                                               Text(Msg::FilterAll) + QStringLiteral("|*.*||"))));
    const QStringList names =
        hooks_.openFileNames(this, {filter, {}, true, Text(Msg::DlgFontFile), {}});
    for (const QString& name : names) {
        FontSource s;
        s.file = FromQString(name);
        const std::vector<std::string> faces = FontFileFaces(Utf16ToUtf8(s.file));
        if (faces.size() > 1) {
            QStringList items;
            for (size_t i = 0; i < faces.size(); ++i) {
                items << QStringLiteral("%1: %2").arg(i).arg(QString::fromStdString(faces[i]));
            }
            const std::optional<int> chosen = hooks_.chooseItem(this, QFileInfo(name).fileName(),
                                                                Text(Msg::FaceOfCollection), items);
            if (!chosen) continue;
            s.index = *chosen;
        }
        AppendSource(s);
    }
}

void CFontSourcesDlg::MoveSelected(int by) {
    const int row = table_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= table_->rowCount()) return;
    for (int c = 0; c < kColumns; ++c) {
        QTableWidgetItem* a = table_->takeItem(row, c);
        QTableWidgetItem* b = table_->takeItem(to, c);
        table_->setItem(row, c, b);
        table_->setItem(to, c, a);
    }
    table_->selectRow(to);
}

void CFontSourcesDlg::OnRemove() {
    const int row = table_->currentRow();
    if (row < 0) return;
    table_->removeRow(row);
    if (table_->rowCount() > 0) table_->selectRow(std::min(row, table_->rowCount() - 1));
}

void CFontSourcesDlg::accept() {
    std::vector<FontSource> read;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const auto cell = [&](int c) {
            const QTableWidgetItem* item = table_->item(row, c);
            return item == nullptr ? QString() : item->text().trimmed();
        };
        QString text = cell(kName);
        if (!cell(kRanges).isEmpty()) text += u'@' + cell(kRanges);
        if (!cell(kSize).isEmpty()) text += QStringLiteral("@size=") + cell(kSize);
        if (!cell(kOffset).isEmpty()) text += QStringLiteral("@offset=") + cell(kOffset);
        std::optional<std::string> problem;
        try {
            read.push_back(ParseFontSource(text.toStdString()));
            problem = FontSourceProblem(read.back());
        } catch (const UserError& e) {
            problem = e.what();
        }
        if (problem) {
            table_->selectRow(row);
            hooks_.messageBox(this, QMessageBox::Warning, windowTitle(),
                              Text(Msg::SourcesBad,
                                   {QString::number(row + 1), QString::fromStdString(*problem)}));
            return;
        }
    }
    if (read.size() > kMaxFontSources) read.resize(kMaxFontSources);
    sources_ = std::move(read);
    QDialog::accept();
}

}  // namespace zemtra
