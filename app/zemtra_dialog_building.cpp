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
#include "ui/qt/updown_widget.h"

namespace zemtra {
namespace {

GlyphDots Shift(const GlyphDots& dots, int32_t dx, int32_t dy) {
    return ShiftedDots(dots, dx, dy);
}
GlyphDots Clear(const GlyphDots& dots, int32_t, int32_t) {
    return ClearedDots(dots);
}
GlyphDots Invert(const GlyphDots& dots, int32_t, int32_t) {
    return InvertedDots(dots);
}

}  // namespace

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
    document_ = new ProjectDocument(settings_, *this, hooks_, this);
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
    controls_ = PlaceTemplateControls(MainDialogTemplate(), client_, dpi_);
    TakeControls();
    ConnectControls();
}

void CZemtraDlg::BuildMenu() {
    menuBar_ = new QMenuBar(this);
    for (const MenuPopupTemplate& popup : MainMenuTemplate()) {
        QMenu* menu = menuBar_->addMenu(ToQString(popup.caption));
        if (!popup.items.empty() && popup.items.front().id == kCmdUndo) editMenu_ = menu;
        for (const MenuItemTemplate& item : popup.items) {
            if (item.popup) {
                document_->SetRecentMenu(menu->addMenu(ToQString(item.caption)));
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
    const auto on = [this](int id, auto handler) {
        connect(FindCommand(menuBar_, id), &QAction::triggered, this, Guard(handler));
    };
    on(kCmdNew, [this] { document_->New(); });
    on(kCmdOpen, [this] { document_->Open(); });
    on(kCmdSave, [this] { document_->SaveCommand(); });
    on(kCmdSaveAs, [this] { document_->SaveAs(); });
    on(kCmdLoadPicture, [this] { OnLoadPicture(); });
    on(kCmdSpecimen, [this] { jobs_->SpecimenSheet(); });
    on(kCmdExport, [this] { jobs_->Export(); });
    on(kCmdFontSources, [this] { font_->EditSources(); });
    on(kCmdAbout, [this] { OnAbout(); });
    on(kCmdExit, [this] { reject(); });  // ends the modal run like the close box
}

void CZemtraDlg::TakeControls() {
    const auto get = [this]<typename T>(int id, T*& out) {
        out = qobject_cast<T*>(Control(id));
        Q_ASSERT(out != nullptr);
    };
    get(kCharacterListId, list_);
    get(kPreviewId, preview_);
    get(kTextEditId, text_);
    panel_ = new SettingsPanel(settings_, controls_, this);
    font_ = new FontControls(
        {settings_, renderer_.Fonts(), *panel_, *document_, *this, hooks_, this, dpi_}, this);
    connect(font_, &FontControls::fontChanged, this, Guard([this] { RefreshPreview(); }));
    jobs_ = new WindowJobs(
        settings_, *this, *document_, hooks_,
        {this, qobject_cast<QProgressBar*>(Control(kProgressBarId)),
         qobject_cast<QPushButton*>(Control(kCreateLibraryId)),
         qobject_cast<QCheckBox*>(Control(kLibraryHeaderId)), FindCommand(menuBar_, kCmdExport)},
        this);
    editor_ = new GlyphEditor(
        settings_, renderer_, list_, status_,
        [this](Msg id, const QStringList& args) { return Text(id, args); }, this);
}

void CZemtraDlg::ConnectControls() {
    // The panel handles its controls; the window redraws, marks the title and words the news.
    connect(panel_, &SettingsPanel::matrixResized, this, Guard([this] {
                font_->DeriveFontSize();
                RefreshPreview();
            }));
    connect(panel_, &SettingsPanel::dotsChanged, this, Guard([this] { RefreshPreview(); }));
    connect(panel_, &SettingsPanel::recordChanged, this, Guard([] {}));
    connect(panel_, &SettingsPanel::news, this,
            Guard([this](const Message& message) { ShowStatus(message); }));
    connect(panel_, &SettingsPanel::numberFieldsChecked, this,
            [this](const std::optional<Message>& bad) {
                if (bad) {
                    ShowStatus(*bad);
                } else if (statusMessage_ && statusMessage_->id == Msg::FieldNotANumber) {
                    ShowStatus(QString());
                }
            });
    const auto button = [this](int id) { return qobject_cast<QPushButton*>(Control(id)); };
    connect(button(kFontButtonId), &QPushButton::clicked, this,
            Guard([this] { font_->ChooseFace(); }));
    connect(button(kFontFileButtonId), &QPushButton::clicked, this,
            Guard([this] { font_->ChooseFontFile(); }));
    connect(list_, &QListWidget::currentRowChanged, this, Guard([this] {
                if (!panel_->Locked()) OnSelectCharacter();
            }));
    connect(button(kIdOk), &QPushButton::clicked, this, Guard([this] { OnOK(); }));
    connect(button(kCreateListId), &QPushButton::clicked, this,
            Guard([this] { jobs_->CreateList(); }));
    connect(button(kAddFromFilesId), &QPushButton::clicked, this,
            Guard([this] { OnAddFromFiles(); }));
    connect(button(kCreateLibraryId), &QPushButton::clicked, this,
            Guard([this] { jobs_->CreateLibrary(); }));
    text_->installEventFilter(this);
    text_->viewport()->installEventFilter(this);
    // The text is part of the project: typing changes what Save would write.
    connect(text_, &QPlainTextEdit::textChanged, this,
            [this] { document_->ScheduleTitleUpdate(); });
    ConnectEditor();
}

void CZemtraDlg::ConnectEditor() {
    GlyphEditor* e = editor_;
    connect(e, &GlyphEditor::glyphsChanged, this, Guard([this] { RefreshPreview(); }));
    connect(e, &GlyphEditor::statusNote, this, [this](const QString& note) { ShowStatus(note); });
    connect(preview_, &PreviewWidget::DotPressed, this,
            Guard([e](int row, int column, bool clear) { e->PressDot(row, column, clear); }));
    connect(preview_, &PreviewWidget::DotDragged, this,
            Guard([e](int row, int column) { e->DragDot(row, column); }));
    connect(preview_, &PreviewWidget::StrokeEnded, this, Guard([e] { e->FinishStroke(); }));
    connect(preview_, &PreviewWidget::ShiftKey, this,
            Guard([e](int dx, int dy) { e->Transform(Shift, dx, dy); }));
    const auto on = [this](int id, auto handler) {
        connect(FindCommand(menuBar_, id), &QAction::triggered, this, Guard(handler));
    };
    on(kCmdUndo, [e] { e->UndoRedo(false); });
    on(kCmdRedo, [e] { e->UndoRedo(true); });
    on(kCmdClearGlyph, [e] { e->Transform(Clear, 0, 0); });
    on(kCmdInvertGlyph, [e] { e->Transform(Invert, 0, 0); });
    on(kCmdShiftUp, [e] { e->Transform(Shift, 0, -1); });
    on(kCmdShiftDown, [e] { e->Transform(Shift, 0, 1); });
    on(kCmdShiftLeft, [e] { e->Transform(Shift, -1, 0); });
    on(kCmdShiftRight, [e] { e->Transform(Shift, 1, 0); });
    on(kCmdRevertGlyph, [e] { e->RevertSelectedItemEdit(); });
    if (editMenu_ != nullptr) {
        connect(editMenu_, &QMenu::aboutToShow, this,
                [this] { editor_->UpdateCommands(menuBar_, true); });
        connect(editMenu_, &QMenu::aboutToHide, this,
                [this] { editor_->UpdateCommands(menuBar_, false); });
    }
}

}  // namespace zemtra
