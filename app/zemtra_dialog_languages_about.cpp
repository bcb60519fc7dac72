// The main window's languages: the "&Language" menu and re-texting the window, its menu bar,
// its parts and the standard buttons; plus the web link's set-up and the About box.
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
namespace {

// The chosen language carries the mark.
void UpdateLanguageChecks(QMenu* menu, const CMultiLanguage* language) {
    if (menu == nullptr || language == nullptr) return;
    const QString chosen = ToQString(language->GetLanguageName());
    for (QAction* action : menu->actions()) {
        // Items beyond the routed ids get no update, so they never carry the mark.
        const bool routed = IsLanguageCommand(action->property(kCommandIdProperty).toUInt());
        action->setChecked(routed && action->text() == chosen);
    }
}

// The web link under the group boxes: the maker's site, in the window's colours.
void ConfigureHyperLink(CHyperLink* link, const UiHooks& hooks, const CMultiLanguage* language) {
    link->SetHooks(hooks);
    link->SetLanguage(language);
    link->Attach();  // fitted once, to its template caption
    link->SetFitToText(false);
    link->SetTarget(ToQString(kMakerWebAddress));
    link->SetLinkColours(kMainDialogLinkColours);
    link->SetUnderlineMode(UnderlineMode::Never);
}

// The standard buttons of the message boxes the window asks through.
void SetButtonTexts(UiHooks& hooks, const CZemtraDlg& window) {
    if (!hooks.buttons) return;
    hooks.buttons->ok = window.Text(Msg::ButtonOk);
    hooks.buttons->cancel = window.Text(Msg::ButtonCancel);
    hooks.buttons->save = window.Text(Msg::ButtonSave);
    hooks.buttons->discard = window.Text(Msg::ButtonDiscard);
}

}  // namespace

void CZemtraDlg::SetUpLanguages() {
    ConfigureHyperLink(qobject_cast<CHyperLink*>(Control(kWebLinkId)), hooks_, language_.get());
    BuildLanguageMenu(language_->PrepareLanguages());
    ApplyLanguage(u"");
}

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
                    UpdateLanguageChecks(
                        languageMenu_,
                        language_.get());  // also undoes the toggle of an item that does nothing
                }));
    }
    // A dialog's menu gets no command-state updates of its own: they run as a popup opens.
    connect(languageMenu_, &QMenu::aboutToShow, this,
            Guard([this] { UpdateLanguageChecks(languageMenu_, language_.get()); }));
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
    UpdateLanguageChecks(languageMenu_, language_.get());
    panel_->Retext(*language_, Text(Msg::PresetNone));
    SetButtonTexts(hooks_, *this);
    document_->RebuildRecentMenu();
    // The status line is told again in the new language, or cleared when it cannot be.
    if (editor_->ShowsNote()) {
        editor_->ShowNote();
    } else if (statusMessage_) {
        ShowStatus(Message(*statusMessage_));
    } else if (!StatusText().isEmpty()) {
        ShowStatus(QString());
    }
    if (!destroyed_) document_->UpdateTitle();
}

void CZemtraDlg::OnAbout() {
    CAboutDlg about(language_.get(), this);
    about.exec();
}

}  // namespace zemtra
