// Building dialog 102 from its table: every control at its place in dialog units, carrying its
// id; menu 131 with its command ids; and the wiring of the controls to their handlers.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/zemtra_dialog.h"
#include "raster/qt/preview_widget.h"
#include "raster/qt/scan_demo_widget.h"
#include "raster/scan_demo.h"
#include "ui/dialog_template.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/hex_edit_widget.h"
#include "ui/qt/hyperlink_widget.h"
#include "ui/qt/updown_widget.h"

namespace zemtra {

void CZemtraDlg::BuildWindow() {
    const DialogTemplate& d = MainDialogTemplate();
    setWindowTitle(ToQString(d.caption));
    // A main window: it resizes and maximises; the template's size is its smallest.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setFont(DialogFont());
    setAcceptDrops(true);
    dpi_ = LogicalDpi(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildMenu();
    layout->setMenuBar(menuBar_);
    client_ = new QWidget(this);
    clientBase_ = QSize(DluToPixelsX(d.width, dpi_), DluToPixelsY(d.height, dpi_));
    client_->setMinimumSize(clientBase_);
    layout->addWidget(client_, 1);
    status_ = new QStatusBar(this);
    status_->setSizeGripEnabled(true);
    layout->addWidget(status_);
    client_->installEventFilter(this);
    BuildControls();
    TakeControls();
    ConnectControls();
    demoTimer_.setInterval(kScanDemoTimerMs);
    connect(&demoTimer_, &QTimer::timeout, this, Guard([this] { OnDemoTimer(); }));
}

void CZemtraDlg::BuildMenu() {
    menuBar_ = new QMenuBar(this);
    for (const MenuPopupTemplate& popup : MainMenuTemplate()) {
        QMenu* menu = menuBar_->addMenu(ToQString(popup.caption));
        if (!popup.items.empty() && popup.items.front().id == kCmdUndo) editMenu_ = menu;
        for (const MenuItemTemplate& item : popup.items) {
            if (item.popup) {
                recentMenu_ = menu->addMenu(ToQString(item.caption));
                continue;
            }
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(ToQString(item.caption));
            action->setProperty(kCommandIdProperty, item.id);
            if (!item.shortcut.empty()) {
                action->setShortcuts(QKeySequence::listFromString(ToQString(item.shortcut),
                                                                  QKeySequence::PortableText));
                // The menu bar lives in a dialog: the keys work wherever the focus is in it.
                action->setShortcutContext(Qt::WindowShortcut);
                addAction(action);
            }
        }
    }
    ConnectCommands();
}

void CZemtraDlg::ConnectCommands() {
    const auto on = [this](int id, void (CZemtraDlg::*handler)()) {
        connect(FindCommand(menuBar_, id), &QAction::triggered, this,
                Guard([this, handler] { (this->*handler)(); }));
    };
    on(kCmdNew, &CZemtraDlg::OnNew);
    on(kCmdOpen, &CZemtraDlg::OnOpen);
    connect(FindCommand(menuBar_, kCmdSave), &QAction::triggered, this,
            Guard([this] { OnSave(); }));
    connect(FindCommand(menuBar_, kCmdSaveAs), &QAction::triggered, this,
            Guard([this] { OnSaveAs(); }));
    on(kCmdLoadPicture, &CZemtraDlg::OnLoadPicture);
    on(kCmdSpecimen, &CZemtraDlg::OnSpecimenSheet);
    on(kCmdExport, &CZemtraDlg::OnExport);
    on(kCmdFontSources, &CZemtraDlg::OnFontSources);
    on(kCmdAbout, &CZemtraDlg::OnAbout);
    // Exit ends the modal run like the close box.
    connect(FindCommand(menuBar_, kCmdExit), &QAction::triggered, this,
            Guard([this] { reject(); }));
}

void CZemtraDlg::BuildControls() {
    controls_ = PlaceTemplateControls(MainDialogTemplate(), client_, dpi_);
}

void CZemtraDlg::TakeControls() {
    const auto get = [this]<typename T>(int id, T*& out) {
        out = qobject_cast<T*>(Control(id));
        Q_ASSERT(out != nullptr);
    };
    get(kCharacterListId, list_);
    get(kPreviewId, preview_);
    get(kTextEditId, text_);
    get(kProgressBarId, progress_);
    get(kFontButtonId, fontButton_);
    get(kFontFileButtonId, fontFileButton_);
    get(kPresetComboId, preset_);
    get(kCreateListId, createList_);
    get(kCreateLibraryId, createLibrary_);
    get(kLibraryHeaderId, libraryHeader_);
    get(kMatrixWidthId, matrixX_);
    get(kMatrixHeightId, matrixY_);
    get(kFontWidthId, fontWidth_);
    get(kFontHeightId, fontHeight_);
    get(kThresholdId, threshold_);
    get(kFromId, from_);
    get(kToId, to_);
    get(kDataBitsId, dataBit_);
    get(kCodePageId, codePage_);
    get(kOrientationId, orient_);
    get(kDirectionId, direct_);
    get(kPolarityId, format_);
    get(kShowDemoId, showDemo_);
    get(kOffsetXId, offsetX_);
    get(kOffsetYId, offsetY_);
    get(kThresholdSpinId, thresholdSpin_);
    get(kFromCharacterId, fromCharacter_);
    get(kToCharacterId, toCharacter_);
    get(kDemoAreaId, demo_);
    get(kWebLinkId, link_);
}

void CZemtraDlg::ConnectControls() {
    connect(matrixX_, &QLineEdit::textChanged, this, Guard([this] { OnMatrixSizeChanged(); }));
    connect(matrixY_, &QLineEdit::textChanged, this, Guard([this] { OnMatrixSizeChanged(); }));
    connect(fontWidth_, &QLineEdit::textChanged, this, Guard([this] { OnFontWidthChanged(); }));
    connect(fontHeight_, &QLineEdit::textChanged, this, Guard([this] { OnFontHeightChanged(); }));
    connect(threshold_, &QLineEdit::textChanged, this, Guard([this] { OnThresholdChanged(); }));
    // After each field's handler, whether typed or pushed: the mark and the status line's word
    // on a text that is no number come last.
    for (QLineEdit* field : {matrixX_, matrixY_, fontWidth_, fontHeight_, threshold_}) {
        connect(field, &QLineEdit::textChanged, this, [this] { CheckNumberFields(); });
    }
    // "activated" is the user's choice only, as the platform's selection-change notification.
    connect(format_, &QComboBox::activated, this, Guard([this] { OnFormatChanged(); }));
    for (QComboBox* combo : {dataBit_, orient_, direct_}) {
        connect(combo, &QComboBox::activated, this, Guard([this] { OnScanComboChanged(); }));
    }
    for (int id : {kMatrixWidthSpinId, kMatrixHeightSpinId, kFontWidthSpinId, kFontHeightSpinId,
                   kThresholdSpinId}) {
        auto* spin = static_cast<UpDownWidget*>(Control(id));
        connect(spin, &UpDownWidget::Stepped, this, Guard([this, id](int d) { OnSpin(id, d); }));
    }
    for (int id : {kMoveUpId, kMoveDownId, kMoveLeftId, kMoveRightId, kCentreId}) {
        auto* button = static_cast<QPushButton*>(Control(id));
        connect(button, &QPushButton::clicked, this, Guard([this, id] { OnOffsetButton(id); }));
    }
    connect(fontButton_, &QPushButton::clicked, this, Guard([this] { OnFontButton(); }));
    connect(fontFileButton_, &QPushButton::clicked, this, Guard([this] { OnFontFileButton(); }));
    PreparePresetCombo();
    connect(preset_, &QComboBox::activated, this, Guard([this] { OnPresetChosen(); }));
    connect(showDemo_, &QCheckBox::clicked, this, Guard([this] { OnShowDemo(); }));
    connect(list_, &QListWidget::currentRowChanged, this, Guard([this] {
                if (!lockout_) OnSelectCharacter();
            }));
    connect(static_cast<QPushButton*>(Control(kAsciiButtonId)), &QPushButton::clicked, this,
            Guard([this] { OnAscii(); }));
    connect(static_cast<QPushButton*>(Control(kIdOk)), &QPushButton::clicked, this,
            Guard([this] { OnOK(); }));
    connect(createList_, &QPushButton::clicked, this, Guard([this] { OnCreateList(); }));
    connect(static_cast<QPushButton*>(Control(kAddFromFilesId)), &QPushButton::clicked, this,
            Guard([this] { OnAddFromFiles(); }));
    connect(createLibrary_, &QPushButton::clicked, this, Guard([this] { OnCreateLibrary(); }));
    text_->installEventFilter(this);
    fontButton_->installEventFilter(this);  // its caption is elided to its width
    text_->viewport()->installEventFilter(this);
    // The text is part of the project: typing changes what Save would write.
    connect(text_, &QPlainTextEdit::textChanged, this, [this] { ScheduleTitleUpdate(); });
    fromCharacter_->setTextFormat(Qt::PlainText);
    toCharacter_->setTextFormat(Qt::PlainText);
    connect(codePage_, &QComboBox::activated, this, Guard([this] { OnCodePageChanged(); }));
    connect(from_, &CHexEdit::FocusLost, this, Guard([this] { OnFromLostFocus(); }));
    connect(to_, &CHexEdit::FocusLost, this, Guard([this] { OnToLostFocus(); }));
    connect(from_, &QLineEdit::textChanged, this, Guard([this] { OnCodeTextChanged(from_); }));
    connect(to_, &QLineEdit::textChanged, this, Guard([this] { OnCodeTextChanged(to_); }));
    ConnectEditor();
}

}  // namespace zemtra
