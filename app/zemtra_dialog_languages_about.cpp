// The main window's languages: the "&Language" menu, re-texting the window, its menu bar and
// its three translated combo boxes; plus the web link's set-up and the About box.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <array>

#include "app/zemtra_dialog.h"
#include "base/about.h"
#include "ui/dialog_template.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/hyperlink_widget.h"
#include "ui/qt/language.h"

namespace zemtra {

void CZemtraDlg::BuildLanguageMenu(const std::vector<std::u16string>& names) {
    languageMenu_ = new QMenu(QStringLiteral("&Language"), menuBar_);
    const QList<QAction*> popups = menuBar_->actions();
    // Between the project popup and the help popup.
    menuBar_->insertMenu(popups.size() > 1 ? popups[1] : nullptr, languageMenu_);
    for (size_t i = 0; i < names.size(); ++i) {
        QAction* action = languageMenu_->addAction(ToQString(names[i]));
        const uint32_t id = LanguageCommandId(i);
        action->setCheckable(true);
        action->setProperty(kCommandIdProperty, id);
        connect(action, &QAction::triggered, this, Guard([this, id] {
                    OnLanguageCommand(id);
                    UpdateLanguageChecks();  // also undoes the toggle of an item that does nothing
                }));
    }
    // A dialog's menu gets no command-state updates of its own: they run as a popup opens.
    connect(languageMenu_, &QMenu::aboutToShow, this, Guard([this] { UpdateLanguageChecks(); }));
}

void CZemtraDlg::UpdateLanguageChecks() {
    if (languageMenu_ == nullptr || !language_) return;
    const QString chosen = ToQString(language_->GetLanguageName());
    for (QAction* action : languageMenu_->actions()) {
        // Items beyond the routed ids get no update, so they never carry the mark.
        const bool routed = IsLanguageCommand(action->property(kCommandIdProperty).toUInt());
        action->setChecked(routed && action->text() == chosen);
    }
}

void CZemtraDlg::OnLanguageCommand(uint32_t id) {
    if (!IsLanguageCommand(id) || languageMenu_ == nullptr) return;
    for (QAction* action : languageMenu_->actions()) {
        // The caption is the display name, by which the language is found again.
        if (action->property(kCommandIdProperty).toUInt() == id) {
            ApplyLanguage(FromQString(action->text()));
            return;
        }
    }
}

void CZemtraDlg::ApplyLanguage(std::u16string_view name) {
    if (!language_) return;
    language_->SelectLanguage(name);
    qtTranslations_.Switch(Text(Msg::QtLocale));
    TranslateDialogWindow(*language_, this, MainDialogTemplate().id, client_);
    TranslateMenuBar(*language_, menuBar_, kMainMenuId);
    UpdateLanguageChecks();
    panel_->Retext(*language_, Text(Msg::PresetNone));
    SetButtonTexts();
    RebuildRecentMenu();
    // The status line is told again in the new language, or cleared when it cannot be.
    if (editor_->ShowsNote()) {
        editor_->ShowNote();
    } else if (statusMessage_) {
        ShowStatus(Message(*statusMessage_));
    } else if (!StatusText().isEmpty()) {
        ShowStatus(QString());
    }
    if (!destroyed_ && document_.Started()) UpdateTitle();  // after start-up has its state
}

void CZemtraDlg::ConfigureHyperLink() {
    link_->SetHooks(hooks_);
    link_->SetLanguage(language_.get());
    link_->Attach();  // fitted once, to its template caption
    link_->SetFitToText(false);
    link_->SetTarget(ToQString(kMakerWebAddress));
    link_->SetLinkColours(kMainDialogLinkColours);
    link_->SetUnderlineMode(UnderlineMode::Never);
}

void CZemtraDlg::OnAbout() {
    CAboutDlg about(language_.get(), this);
    about.exec();
}

}  // namespace zemtra
