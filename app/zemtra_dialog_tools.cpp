// The main window's additions beside the font and scan-mode groups: "Font File..." with the
// face question for collections and the "Font" button's caption, and the controller-preset
// drop-down that sets, and follows, the four scan-mode boxes.
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>

#include "app/zemtra_dialog.h"
#include "base/error.h"
#include "base/presets.h"
#include "base/unicode.h"
#include "raster/font_faces.h"
#include "raster/font_file.h"

namespace zemtra {
namespace {

// The file dialogs match patterns case-sensitively here, so the usual upper-case names are
// listed too.
const QString kFontFileFilter = QStringLiteral(
    "Font Files (*.ttf *.otf *.ttc *.bdf *.pcf *.pcf.gz *.TTF *.OTF *.TTC *.BDF *.PCF);;"
    "All Files (*)");

}  // namespace

void CZemtraDlg::ShowFontName() {
    const LogFont& f = settings_.FONT;
    if (f.FontFile.empty()) {
        fontButton_->setText(ToQString(f.FaceName));
        fontButton_->setToolTip({});
        return;
    }
    const std::filesystem::path file(Utf16ToUtf8(f.FontFile));
    QString caption = QString::fromStdString(file.filename().string());
    if (f.FontIndex != 0) caption += QStringLiteral(" #%1").arg(f.FontIndex);
    fontButton_->setText(caption);
    fontButton_->setToolTip(ToQString(f.FontFile));
}

void CZemtraDlg::OnFontFileButton() {
    if (lockout_) return;
    Pull();
    const QStringList names = hooks_.openFileNames(this, {kFontFileFilter, {}, false});
    if (names.isEmpty()) return;
    const QString& name = names.front();
    int32_t index = 0;
    const std::vector<std::string> faces = FontFileFaces(ToLocalPath(name));
    if (faces.size() > 1) {
        QStringList items;
        for (size_t i = 0; i < faces.size(); ++i) {
            items << QStringLiteral("%1: %2").arg(i).arg(QString::fromStdString(faces[i]));
        }
        const std::optional<int> chosen = hooks_.chooseItem(this, QFileInfo(name).fileName(),
                                                            tr("Face of the collection:"), items);
        if (!chosen) return;
        index = *chosen;
    }
    try {
        ChooseFontFile(settings_, FromQString(name), index, renderer_.Fonts());
    } catch (const UserError& e) {
        ShowMessage(QMessageBox::Warning, windowTitle(), QString::fromUtf8(e.what()));
        return;
    }
    ShowFontName();
    Push();
    RefreshPreview();
}

void CZemtraDlg::PreparePresetCombo() {
    const std::span<const ControllerPreset> presets = ControllerPresets();
    for (size_t i = 0; i < presets.size(); ++i) {
        preset_->setItemData(static_cast<int>(i) + 1, QString::fromUtf8(presets[i].layout),
                             Qt::ToolTipRole);
    }
    // The box is narrow; its list opens wide enough for the whole titles.
    preset_->view()->setMinimumWidth(preset_->view()->sizeHintForColumn(0) + 8);
}

void CZemtraDlg::OnPresetChosen() {
    if (lockout_) return;
    const std::span<const ControllerPreset> presets = ControllerPresets();
    const int index = preset_->currentIndex();
    if (index < 1 || static_cast<size_t>(index) > presets.size()) return;  // "(none)"
    Pull();
    ApplyPreset(settings_, presets[static_cast<size_t>(index) - 1]);
    Push();
    RefreshPreview();  // the polarity may have changed, as with the polarity box
}

void CZemtraDlg::ShowMatchingPreset() {
    const std::span<const ControllerPreset> presets = ControllerPresets();
    const int shown = preset_->currentIndex();
    const ControllerPreset* preset = nullptr;
    // Presets may share a scan mode: the one the user picked stays while it still fits.
    if (shown >= 1 && static_cast<size_t>(shown) <= presets.size() &&
        PresetFits(settings_, presets[static_cast<size_t>(shown) - 1])) {
        preset = &presets[static_cast<size_t>(shown) - 1];
    } else {
        preset = MatchingPreset(settings_);
    }
    preset_->setCurrentIndex(preset == nullptr ? 0 : static_cast<int>(preset - presets.data()) + 1);
    // The closed box is too narrow for most titles.
    preset_->setToolTip(preset == nullptr ? QString()
                                          : QString::fromUtf8(preset->title) + u'\n' +
                                                QString::fromUtf8(preset->layout));
}

}  // namespace zemtra
