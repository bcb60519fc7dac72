// The glyph editor of the main window: the preview's strokes, the Edit menu and the arrow keys
// become calls on the core's editing (base/glyph_editing.h) on the selected character's edit at
// the matrix size; the list marks edited items and the status line tells about edits.
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include "app/zemtra_dialog.h"
#include "base/character_list.h"
#include "base/error.h"
#include "base/unicode.h"
#include "raster/preview_geometry.h"
#include "raster/qt/preview_widget.h"

namespace zemtra {
namespace {

// The list's mark of an edited item: a lit dot of the preview, with the dark dots' ring.
QIcon EditMark() {
    static const QIcon icon = [] {
        QPixmap pixmap(8, 8);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setPen(QColor(0x49, 0x50, 0x28));
        painter.setBrush(QColor(0x9C, 0xE0, 0xEF));
        painter.drawEllipse(0, 0, 7, 7);
        return QIcon(pixmap);
    }();
    return icon;
}

QString CodeText(char32_t code) {
    return QStringLiteral("%1").arg(static_cast<uint32_t>(code), 4, 16, QChar(u'0')).toUpper();
}

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

void CZemtraDlg::ConnectEditor() {
    connect(preview_, &PreviewWidget::DotPressed, this,
            Guard([this](int row, int column, bool clear) { OnDotPressed(row, column, clear); }));
    connect(preview_, &PreviewWidget::DotDragged, this,
            Guard([this](int row, int column) { OnDotDragged(row, column); }));
    connect(preview_, &PreviewWidget::StrokeEnded, this, Guard([this] { FinishStroke(); }));
    connect(preview_, &PreviewWidget::ShiftKey, this,
            Guard([this](int dx, int dy) { TransformGlyph(Shift, dx, dy); }));

    const auto on = [this](int id, auto handler) {
        connect(FindCommand(menuBar_, id), &QAction::triggered, this, Guard(handler));
    };
    on(kCmdUndo, [this] { OnUndoRedo(false); });
    on(kCmdRedo, [this] { OnUndoRedo(true); });
    on(kCmdClearGlyph, [this] { TransformGlyph(Clear, 0, 0); });
    on(kCmdInvertGlyph, [this] { TransformGlyph(Invert, 0, 0); });
    on(kCmdShiftUp, [this] { TransformGlyph(Shift, 0, -1); });
    on(kCmdShiftDown, [this] { TransformGlyph(Shift, 0, 1); });
    on(kCmdShiftLeft, [this] { TransformGlyph(Shift, -1, 0); });
    on(kCmdShiftRight, [this] { TransformGlyph(Shift, 1, 0); });
    on(kCmdRevertGlyph, [this] { OnRevertGlyph(); });
    if (editMenu_ != nullptr) {
        connect(editMenu_, &QMenu::aboutToShow, this, [this] { UpdateEditCommands(true); });
        connect(editMenu_, &QMenu::aboutToHide, this, [this] { UpdateEditCommands(false); });
    }
}

std::optional<GlyphEditKey> CZemtraDlg::EditableSelection() {
    const int row = list_->currentRow();
    std::optional<GlyphEditKey> key =
        row < 0 ? std::nullopt : ItemEditKey(settings_, static_cast<size_t>(row));
    // Without a selection there is nothing on show to speak of.
    if (!key && row >= 0) ShowStatus(Text(Msg::EditOnlyCharacters));
    return key;
}

GlyphDots CZemtraDlg::ShownDots(const GlyphEditKey& key) {
    if (const GlyphDots* edit = settings_.GLYPHS.Find(key)) return *edit;
    DotMatrix font;
    renderer_.RenderDotMatrix(settings_, std::u16string(1, static_cast<char16_t>(key.code)), &font);
    return GlyphDots::FromMatrix(font);
}

void CZemtraDlg::OnDotPressed(int row, int column, bool clear) {
    FinishStroke();
    const std::optional<GlyphEditKey> key = EditableSelection();
    if (!key) return;
    std::optional<GlyphDots> before;
    if (const GlyphDots* edit = settings_.GLYPHS.Find(*key)) before = *edit;
    DotStroke stroke(ShownDots(*key), clear ? DotStroke::Kind::Clear : DotStroke::Kind::Toggle,
                     column, row);
    const bool changed = stroke.Changed();
    if (changed) settings_.GLYPHS.Set(key->code, stroke.Dots());
    stroke_.emplace(EditStroke{*key, std::move(before), std::move(stroke)});
    if (changed) ShowGlyphChange(key->code);
}

void CZemtraDlg::OnDotDragged(int row, int column) {
    if (!stroke_ || !stroke_->stroke.MoveTo(column, row)) return;
    settings_.GLYPHS.Set(stroke_->key.code, stroke_->stroke.Dots());
    ShowGlyphChange(stroke_->key.code);
}

void CZemtraDlg::FinishStroke() {
    if (!stroke_) return;
    if (stroke_->stroke.Changed()) {
        history_.Record({stroke_->key, stroke_->before, stroke_->stroke.Dots()});
    }
    stroke_.reset();
}

void CZemtraDlg::TransformGlyph(GlyphDots (*transform)(const GlyphDots&, int32_t, int32_t),
                                int32_t dx, int32_t dy) {
    FinishStroke();
    const std::optional<GlyphEditKey> key = EditableSelection();
    if (!key) return;
    const GlyphDots shown = ShownDots(*key);
    GlyphDots after = transform(shown, dx, dy);
    // The same dots again make no step (and no edit of a glyph the font already draws so).
    if (after == shown) return;
    std::optional<GlyphDots> before;
    if (const GlyphDots* edit = settings_.GLYPHS.Find(*key)) before = *edit;
    history_.Apply(settings_.GLYPHS, {*key, std::move(before), std::move(after)});
    ShowGlyphChange(key->code);
}

void CZemtraDlg::OnRevertGlyph() {
    RevertSelectedItemEdit();
}

const GlyphDots* CZemtraDlg::SelectedItemEdit() const {
    const int row = list_->currentRow();
    return row < 0 ? nullptr : ItemEdit(settings_, static_cast<size_t>(row));
}

bool CZemtraDlg::SetSelectedItemEdit(const DotMatrix& dots) {
    FinishStroke();
    const int row = list_->currentRow();
    const std::optional<GlyphEditKey> key =
        row < 0 ? std::nullopt : ItemEditKey(settings_, static_cast<size_t>(row));
    if (!key || dots.Width() != key->width || dots.Height() != key->height) return false;
    std::optional<GlyphDots> before;
    if (const GlyphDots* edit = settings_.GLYPHS.Find(*key)) before = *edit;
    history_.Apply(settings_.GLYPHS, {*key, std::move(before), GlyphDots::FromMatrix(dots)});
    ShowGlyphChange(key->code);
    ScheduleTitleUpdate();  // an edit is a change of the project
    return true;
}

bool CZemtraDlg::RevertSelectedItemEdit() {
    FinishStroke();
    const std::optional<GlyphEditKey> key = EditableSelection();
    const GlyphDots* edit = key ? settings_.GLYPHS.Find(*key) : nullptr;
    if (edit == nullptr) return false;
    history_.Apply(settings_.GLYPHS, {*key, *edit, std::nullopt});
    ShowGlyphChange(key->code);
    ScheduleTitleUpdate();
    return true;
}

void CZemtraDlg::OnUndoRedo(bool redo) {
    FinishStroke();
    const std::optional<GlyphEditKey> key =
        redo ? history_.Redo(settings_.GLYPHS) : history_.Undo(settings_.GLYPHS);
    if (!key) return;
    SelectCharacter(key->code);
    ShowGlyphChange(key->code);
}

void CZemtraDlg::SelectCharacter(char32_t code) {
    const int current = list_->currentRow();
    if (current >= 0 && ItemEditKey(settings_, static_cast<size_t>(current)) &&
        settings_.LIST[static_cast<size_t>(current)][0] == code) {
        return;
    }
    for (size_t i = 0; i < settings_.LIST.size(); ++i) {
        if (ItemEditKey(settings_, i) && settings_.LIST[i][0] == code) {
            list_->setCurrentRow(static_cast<int>(i));  // shows it through OnSelectCharacter
            return;
        }
    }
}

void CZemtraDlg::ShowGlyphChange(std::optional<char32_t> code) {
    RefreshPreview();
    UpdateEditMarks(code);
    ShowEditStatus();
}

void CZemtraDlg::UpdateEditMarks(std::optional<char32_t> code) {
    const std::pair<int32_t, int32_t> size{MatrixWidth(settings_), MatrixHeight(settings_)};
    // Another size has other edits: every item is looked at again.
    if (size != marksSize_) code.reset();
    marksSize_ = size;
    const int count = list_->count();
    for (int i = 0; i < count && static_cast<size_t>(i) < settings_.LIST.size(); ++i) {
        const std::u16string& item = settings_.LIST[static_cast<size_t>(i)];
        if (code && (item.size() != 1 || item[0] != *code)) continue;
        QListWidgetItem* shown = list_->item(i);
        const bool edited = ItemEdit(settings_, static_cast<size_t>(i)) != nullptr;
        if (edited != !shown->icon().isNull()) shown->setIcon(edited ? EditMark() : QIcon());
    }
}

void CZemtraDlg::ShowEditStatus() {
    const int row = list_->currentRow();
    const std::optional<GlyphEditKey> key =
        row < 0 ? std::nullopt : ItemEditKey(settings_, static_cast<size_t>(row));
    QString note;
    if (key && !settings_.GLYPHS.Empty()) {
        const QString character = ToQString(settings_.LIST[static_cast<size_t>(row)]);
        if (settings_.GLYPHS.Find(*key) != nullptr) {
            note = Text(Msg::StatusGlyphEdited,
                        {character, CodeText(key->code), QString::number(key->width),
                         QString::number(key->height)});
        } else if (const std::vector<GlyphEditKey> others = settings_.GLYPHS.KeysOf(key->code);
                   !others.empty()) {
            QStringList sizes;
            for (const GlyphEditKey& k : others) {
                sizes << QStringLiteral("%1 x %2").arg(k.width).arg(k.height);
            }
            note = Text(Msg::StatusGlyphEditedElsewhere,
                        {character, CodeText(key->code), sizes.join(QStringLiteral(", ")),
                         QString::number(key->width), QString::number(key->height)});
        }
    }
    // With sources, which face drew the character is not plain from the font's name.
    if (note.isEmpty() && !settings_.FONT.Sources.empty() && row >= 0 &&
        static_cast<size_t>(row) < settings_.LIST.size() &&
        !IsPictureItem(settings_, static_cast<size_t>(row)) &&
        IsOneCharacter(settings_.LIST[static_cast<size_t>(row)])) {
        const std::u16string& item = settings_.LIST[static_cast<size_t>(row)];
        std::string face;
        try {
            face = renderer_.Fonts().DrawingFace(settings_.FONT, FirstCharacter(item));
        } catch (const UserError&) {
            // The preview says why the font cannot draw.
        }
        if (!face.empty()) {
            note = Text(Msg::StatusDrawnBy, {ToQString(item), CodeText(FirstCharacter(item)),
                                             QString::fromStdString(face)});
        }
    }
    // Only the editor's own note is taken away: what a job said stays until the next one.
    if (note.isEmpty() && (editStatus_.isEmpty() || StatusText() != editStatus_)) {
        editStatus_.clear();
        return;
    }
    editStatus_ = note;
    ShowStatus(note);
}

void CZemtraDlg::UpdateEditCommands(bool menuOpen) {
    const int row = list_->currentRow();
    const std::optional<GlyphEditKey> key =
        row < 0 ? std::nullopt : ItemEditKey(settings_, static_cast<size_t>(row));
    const auto enable = [&](int id, bool on) {
        if (QAction* action = FindCommand(menuBar_, id)) action->setEnabled(!menuOpen || on);
    };
    enable(kCmdUndo, history_.CanUndo());
    enable(kCmdRedo, history_.CanRedo());
    for (int id : {kCmdClearGlyph, kCmdInvertGlyph, kCmdShiftUp, kCmdShiftDown, kCmdShiftLeft,
                   kCmdShiftRight}) {
        enable(id, key.has_value());
    }
    enable(kCmdRevertGlyph, key && settings_.GLYPHS.Find(*key) != nullptr);
}

}  // namespace zemtra
