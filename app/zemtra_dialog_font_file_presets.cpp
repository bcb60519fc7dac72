// The main window's additions beside the font and scan-mode groups: "Font File..." with the
// face question for collections and the "Font" button's caption, the controller-preset
// drop-down that sets, and follows, the four scan-mode boxes, the font's sources, and "Add from
// Files..." beside "Add".
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

#include "app/zemtra_dialog.h"
#include "base/character_list.h"
#include "base/error.h"
#include "base/presets.h"
#include "base/unicode.h"
#include "base/used_characters.h"
#include "raster/font_faces.h"
#include "raster/font_file.h"
#include "raster/qt/font_sources_dialog.h"
#include "ui/file_filter.h"
#include "ui/qt/ui_hooks.h"

namespace zemtra {
namespace {

// What a control shows just now, over the language's words for what it is for.
QString WithControlTip(const QWidget* control, const QString& what) {
    const QString tip = control->property(kControlTipProperty).toString();
    if (what.isEmpty()) return tip;
    return tip.isEmpty() ? what : what + QStringLiteral("\n\n") + tip;
}

// The file dialogs match patterns case-sensitively here, so the usual upper-case names are
// listed too.
constexpr char16_t kFontPatterns[] =
    u"|*.ttf;*.otf;*.ttc;*.otc;*.bdf;*.pcf;*.pcf.gz;*.TTF;*.OTF;*.TTC;*.OTC;*.BDF;*.PCF|";

// The preset list's full titles: the closed box has room for the names only.
constexpr int kFullTitleRole = Qt::UserRole + 1;

class FullTitleDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant full = index.data(kFullTitleRole);
        if (full.isValid()) option->text = full.toString();
    }
};

}  // namespace

void CZemtraDlg::ShowFontName() {
    const LogFont& f = settings_.FONT;
    if (f.FontFile.empty()) {
        std::string standIn;
        try {
            standIn = renderer_.Fonts().StandInFamily(f);
        } catch (const UserError&) {
            // No face at all: the preview says so.
        }
        if (standIn.empty()) {
            SetFontCaption(ToQString(f.FaceName), {});
            return;
        }
        // The name the project asks for, and the face that draws instead of it.
        const QString why =
            Text(Msg::StatusFaceStandIn, {ToQString(f.FaceName), QString::fromStdString(standIn)});
        SetFontCaption(
            ToQString(f.FaceName) + QStringLiteral(" \u2192 ") + QString::fromStdString(standIn),
            why);
        ShowStatus(why);
        return;
    }
    const std::filesystem::path file(Utf16ToUtf8(f.FontFile));
    QString caption = QString::fromStdString(file.filename().string());
    if (f.FontIndex != 0) caption += QStringLiteral(" #%1").arg(f.FontIndex);
    SetFontCaption(caption, ToQString(f.FontFile));
}

void CZemtraDlg::SetFontCaption(const QString& caption, const QString& tip) {
    fontCaption_ = caption;
    fontTip_ = tip;
    ElideFontCaption();
}

void CZemtraDlg::ElideFontCaption() {
    // A long name ends in an ellipsis rather than being cut at both ends; the tooltip has it all.
    const int room = fontButton_->contentsRect().width() -
                     2 * fontButton_->style()->pixelMetric(QStyle::PM_ButtonMargin);
    const QString shown =
        fontButton_->fontMetrics().elidedText(fontCaption_, Qt::ElideRight, std::max(room, 8));
    fontButton_->setText(shown);
    const QString what = !fontTip_.isEmpty()     ? fontTip_
                         : shown != fontCaption_ ? fontCaption_
                                                 : QString();
    fontButton_->setToolTip(WithControlTip(fontButton_, what));
}

void CZemtraDlg::OnFontFileButton() {
    if (lockout_) return;
    Pull();
    const QString filter =
        ToQString(FileDialogFilter(FromQString(Text(Msg::FilterFonts) + ToQString(kFontPatterns) +
                                               Text(Msg::FilterAll) + QStringLiteral("|*.*||"))));
    const QStringList names = hooks_.openFileNames(
        this, {filter, {}, false, Text(Msg::DlgFontFile), document_.FolderFor(FileKind::Font)});
    if (names.isEmpty()) return;
    document_.RememberFolder(FileKind::Font, names.front());
    ChooseFontFile(names.front());
}

void CZemtraDlg::ChooseFontFile(const QString& name) {
    Pull();
    int32_t index = 0;
    const std::vector<std::string> faces = FontFileFaces(ToLocalPath(name));
    if (faces.size() > 1) {
        QStringList items;
        for (size_t i = 0; i < faces.size(); ++i) {
            items << QStringLiteral("%1: %2").arg(i).arg(QString::fromStdString(faces[i]));
        }
        const std::optional<int> chosen =
            hooks_.chooseItem(this, QFileInfo(name).fileName(), Text(Msg::FaceOfCollection), items);
        if (!chosen) return;
        index = *chosen;
    }
    try {
        zemtra::ChooseFontFile(settings_, FromQString(name), index, renderer_.Fonts());
    } catch (const UserError& e) {
        ShowMessage(QMessageBox::Warning, windowTitle(), ErrorText(hooks_, e));
        return;
    }
    ShowFontName();
    Push();
    RefreshPreview();
}

void CZemtraDlg::OnFontSources() {
    if (lockout_) return;
    Pull();
    CFontSourcesDlg sources(language_.get(), hooks_, settings_.FONT.Sources, this);
    if (sources.exec() != QDialog::Accepted) return;
    if (sources.Sources() == settings_.FONT.Sources) return;
    settings_.FONT.Sources = sources.Sources();
    ScheduleTitleUpdate();
    RefreshPreview();
}

void CZemtraDlg::OnAddFromFiles() {
    if (lockout_) return;
    Pull();
    const QString filter =
        ToQString(FileDialogFilter(FromQString(Text(Msg::FilterAll) + QStringLiteral("|*.*||"))));
    const QStringList names = hooks_.openFileNames(
        this,
        {filter, {}, true, Text(Msg::DlgAddFromFiles), document_.FolderFor(FileKind::Project)});
    if (names.isEmpty()) return;
    std::vector<std::filesystem::path> files;
    for (const QString& name : names) files.push_back(ToLocalPath(name));
    std::vector<char32_t> characters;
    try {
        characters = CharactersFromFiles(files);
    } catch (const UserError& e) {
        ShowMessage(QMessageBox::Warning, windowTitle(), ErrorText(hooks_, e));
        return;
    }
    const int first = static_cast<int>(settings_.LIST.size());
    const size_t added = AddCharactersToList(settings_, characters);
    if (added > 0) {
        ShowListItems(first);
        OnSelectCharacter();
        ScheduleTitleUpdate();
    }
    ShowStatus(Text(Msg::AddedFromFiles, {QString::number(added), QString::number(names.size())}));
}

void CZemtraDlg::PreparePresetCombo() {
    const std::span<const ControllerPreset> presets = ControllerPresets();
    for (size_t i = 0; i < presets.size(); ++i) {
        const int item = static_cast<int>(i) + 1;
        preset_->setItemData(item, QString::fromUtf8(presets[i].layout), Qt::ToolTipRole);
        preset_->setItemData(item, QString::fromUtf8(presets[i].title), kFullTitleRole);
    }
    // The closed box shows the controller's name, whole; the opened list the full titles.
    preset_->view()->setItemDelegate(new FullTitleDelegate(preset_));
    // The box is narrow; its list opens wide enough for the whole titles.
    preset_->view()->setMinimumWidth(preset_->view()->sizeHintForColumn(0) + 8);
}

void CZemtraDlg::OnPresetChosen() {
    if (lockout_) return;
    const std::span<const ControllerPreset> presets = ControllerPresets();
    const int index = preset_->currentIndex();
    chosenPreset_ = index;
    if (index < 1 || static_cast<size_t>(index) > presets.size()) return;  // "(none)"
    Pull();
    ApplyPreset(settings_, presets[static_cast<size_t>(index) - 1]);
    Push();
    RefreshPreview();  // the polarity may have changed, as with the polarity box
}

void CZemtraDlg::ShowMatchingPreset() {
    const std::span<const ControllerPreset> presets = ControllerPresets();
    // A preset shows only while the user's choice of it still fits the four boxes: settings
    // that merely happen to match one were not made for that controller.
    const bool fits = chosenPreset_ >= 1 && static_cast<size_t>(chosenPreset_) <= presets.size() &&
                      PresetFits(settings_, presets[static_cast<size_t>(chosenPreset_) - 1]);
    if (!fits) chosenPreset_ = 0;
    preset_->setCurrentIndex(chosenPreset_);
    const ControllerPreset* preset =
        fits ? &presets[static_cast<size_t>(chosenPreset_) - 1] : nullptr;
    preset_->setToolTip(WithControlTip(preset_, preset == nullptr
                                                    ? QString()
                                                    : QString::fromUtf8(preset->title) + u'\n' +
                                                          QString::fromUtf8(preset->layout)));
}

}  // namespace zemtra
