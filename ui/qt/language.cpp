// Language texts set into Qt widgets and menus.
#include "ui/qt/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTranslator>

#include "ui/qt/ui_hooks.h"

namespace zemtra {
namespace {

MenuItem ItemOf(const QAction* action) {
    MenuItem item;
    if (action->isSeparator()) {
        item.kind = MenuItem::Kind::Separator;
    } else if (const QMenu* popup = action->menu()) {
        item.kind = MenuItem::Kind::Popup;
        item.caption = FromQString(action->text());
        for (const QAction* child : popup->actions()) item.children.push_back(ItemOf(child));
    } else {
        item.kind = MenuItem::Kind::Command;
        item.commandId = action->property(kCommandIdProperty).toUInt();
        item.caption = FromQString(action->text());
    }
    return item;
}

QAction* ActionAt(QMenuBar* bar, const std::vector<size_t>& path) {
    QList<QAction*> level = bar->actions();
    QAction* action = nullptr;
    for (size_t position : path) {
        if (position >= static_cast<size_t>(level.size())) return nullptr;
        action = level[static_cast<qsizetype>(position)];
        level = action->menu() != nullptr ? action->menu()->actions() : QList<QAction*>();
    }
    return action;
}

}  // namespace

void SetControlText(QWidget* control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(control)) {
        multi->setPlainText(text);
    }
    // A list, a drop-down list or a picture area has no window text to show.
}

void TranslateDialogWindow(const CMultiLanguage& language, QWidget* window, int dialogId,
                           QWidget* controlsParent) {
    std::vector<QWidget*> controls;
    std::vector<int32_t> ids;
    for (QObject* child : controlsParent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        const QVariant id = w != nullptr ? w->property(kControlIdProperty) : QVariant();
        if (!id.isValid()) continue;
        controls.push_back(w);
        ids.push_back(id.toInt());
    }
    const DialogTexts texts = language.TranslateDialog(dialogId, ids);
    if (texts.title) window->setWindowTitle(ToQString(*texts.title));
    for (size_t i = 0; i < controls.size() && i < texts.controls.size(); ++i) {
        if (texts.controls[i]) SetControlText(controls[i], ToQString(*texts.controls[i]));
        if (i < texts.tips.size() && texts.tips[i]) {
            const QString tip = ToQString(*texts.tips[i]);
            controls[i]->setProperty(kControlTipProperty, tip);
            controls[i]->setToolTip(tip);
        }
    }
}

std::vector<MenuItem> MenuTree(const QMenuBar* bar) {
    std::vector<MenuItem> tree;
    for (const QAction* action : bar->actions()) tree.push_back(ItemOf(action));
    return tree;
}

void TranslateMenuBar(const CMultiLanguage& language, QMenuBar* bar, int menuId) {
    for (const MenuCaption& c : language.TranslateMenu(MenuTree(bar), menuId)) {
        if (QAction* action = ActionAt(bar, c.path)) action->setText(ToQString(c.caption));
    }
    bar->update();
}

QtTranslations::QtTranslations() = default;
QtTranslations::~QtTranslations() = default;  // a translator leaves the application as it goes

bool QtTranslations::Switch(const QString& locale) {
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    // English is what Qt says without a translation.
    if (locale.isEmpty() || locale == QStringLiteral("en")) return false;
    auto translator = std::make_unique<QTranslator>();
    // "qt_" names the catalogue that pulls in qtbase's and the other modules' of the locale.
    if (!translator->load(QStringLiteral("qt_") + locale,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;  // not installed: Qt's dialogs stay English, which is no error
    }
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    return true;
}

QString LanguageText(const CMultiLanguage* language, Msg id, const QStringList& args) {
    std::vector<std::u16string> filled;
    for (const QString& a : args) filled.push_back(FromQString(a));
    if (language == nullptr) return ToQString(FillText(MessageTextOf(id).english, filled));
    return ToQString(language->Text(id, filled));
}

}  // namespace zemtra
