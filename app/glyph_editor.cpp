#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include "app/glyph_editor.h"

#include <QIcon>
#include <QStatusBar>

#include "base/character_list.h"
#include "base/error.h"
#include "base/unicode.h"
#include "raster/glyph_renderer.h"
#include "raster/preview_geometry.h"
#include "raster/qt/preview_widget.h"
#include "ui/control_ids.h"
#include "ui/qt/ui_hooks.h"

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

}  // namespace

GlyphEditor::GlyphEditor(ProjectSettings& record, GlyphRenderer& renderer, QListWidget* list,
                         QStatusBar* status, Wording text, QObject* parent)
    : QObject(parent),
      settings_(record),
      renderer_(renderer),
      list_(list),
      status_(status),
      text_(std::move(text)) {}

void GlyphEditor::Reset() {
    stroke_.reset();
    history_.Clear();
}

void GlyphEditor::FollowSelection() {
    if (marksSize_ != std::pair{MatrixWidth(settings_), MatrixHeight(settings_)}) {
        UpdateEditMarks();
    }
    ShowNote();
}

bool GlyphEditor::ShowsNote() const {
    return !editStatus_.isEmpty() && status_->currentMessage() == editStatus_;
}

std::optional<GlyphEditKey> GlyphEditor::EditableSelection() {
    const int row = list_->currentRow();
    std::optional<GlyphEditKey> key =
        row < 0 ? std::nullopt : ItemEditKey(settings_, static_cast<size_t>(row));
    // Without a selection there is nothing on show to speak of.
    if (!key && row >= 0) emit statusNote(text_(Msg::EditOnlyCharacters, {}));
    return key;
}

GlyphDots GlyphEditor::ShownDots(const GlyphEditKey& key) {
    if (const GlyphDots* edit = settings_.GLYPHS.Find(key)) return *edit;
    DotMatrix font;
    renderer_.RenderDotMatrix(settings_, std::u16string(1, static_cast<char16_t>(key.code)), &font);
    return GlyphDots::FromMatrix(font);
}

void GlyphEditor::PressDot(int row, int column, bool clear) {
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

void GlyphEditor::DragDot(int row, int column) {
    if (!stroke_ || !stroke_->stroke.MoveTo(column, row)) return;
    settings_.GLYPHS.Set(stroke_->key.code, stroke_->stroke.Dots());
    ShowGlyphChange(stroke_->key.code);
}

void GlyphEditor::FinishStroke() {
    if (!stroke_) return;
    if (stroke_->stroke.Changed()) {
        history_.Record({stroke_->key, stroke_->before, stroke_->stroke.Dots()});
    }
    stroke_.reset();
}

void GlyphEditor::Transform(GlyphDots (*transform)(const GlyphDots&, int32_t, int32_t), int32_t dx,
                            int32_t dy) {
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

const GlyphDots* GlyphEditor::SelectedItemEdit() const {
    const int row = list_->currentRow();
    return row < 0 ? nullptr : ItemEdit(settings_, static_cast<size_t>(row));
}

bool GlyphEditor::SetSelectedItemEdit(const DotMatrix& dots) {
    FinishStroke();
    const int row = list_->currentRow();
    const std::optional<GlyphEditKey> key =
        row < 0 ? std::nullopt : ItemEditKey(settings_, static_cast<size_t>(row));
    if (!key || dots.Width() != key->width || dots.Height() != key->height) return false;
    std::optional<GlyphDots> before;
    if (const GlyphDots* edit = settings_.GLYPHS.Find(*key)) before = *edit;
    history_.Apply(settings_.GLYPHS, {*key, std::move(before), GlyphDots::FromMatrix(dots)});
    ShowGlyphChange(key->code);
    return true;
}

bool GlyphEditor::RevertSelectedItemEdit() {
    FinishStroke();
    const std::optional<GlyphEditKey> key = EditableSelection();
    const GlyphDots* edit = key ? settings_.GLYPHS.Find(*key) : nullptr;
    if (edit == nullptr) return false;
    history_.Apply(settings_.GLYPHS, {*key, *edit, std::nullopt});
    ShowGlyphChange(key->code);
    return true;
}

void GlyphEditor::UndoRedo(bool redo) {
    FinishStroke();
    const std::optional<GlyphEditKey> key =
        redo ? history_.Redo(settings_.GLYPHS) : history_.Undo(settings_.GLYPHS);
    if (!key) return;
    SelectCharacter(key->code);
    ShowGlyphChange(key->code);
}

void GlyphEditor::SelectCharacter(char32_t code) {
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

void GlyphEditor::ShowGlyphChange(std::optional<char32_t> code) {
    emit glyphsChanged();
    UpdateEditMarks(code);
    ShowNote();
}

void GlyphEditor::UpdateEditMarks(std::optional<char32_t> code) {
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

void GlyphEditor::ShowNote() {
    const int row = list_->currentRow();
    const std::optional<GlyphEditKey> key =
        row < 0 ? std::nullopt : ItemEditKey(settings_, static_cast<size_t>(row));
    QString note;
    if (key && !settings_.GLYPHS.Empty()) {
        const QString character = ToQString(settings_.LIST[static_cast<size_t>(row)]);
        if (settings_.GLYPHS.Find(*key) != nullptr) {
            note = text_(Msg::StatusGlyphEdited,
                         {character, CodeText(key->code), QString::number(key->width),
                          QString::number(key->height)});
        } else if (const std::vector<GlyphEditKey> others = settings_.GLYPHS.KeysOf(key->code);
                   !others.empty()) {
            QStringList sizes;
            for (const GlyphEditKey& k : others) {
                sizes << QStringLiteral("%1 x %2").arg(k.width).arg(k.height);
            }
            note = text_(Msg::StatusGlyphEditedElsewhere,
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
            note = text_(Msg::StatusDrawnBy, {ToQString(item), CodeText(FirstCharacter(item)),
                                              QString::fromStdString(face)});
        }
    }
    // Only the editor's own note is taken away: what a job said stays until the next one.
    if (note.isEmpty() && !ShowsNote()) {
        editStatus_.clear();
        return;
    }
    editStatus_ = note;
    emit statusNote(editStatus_);
}

void GlyphEditor::UpdateCommands(QMenuBar* menuBar, bool menuOpen) {
    const int row = list_->currentRow();
    const std::optional<GlyphEditKey> key =
        row < 0 ? std::nullopt : ItemEditKey(settings_, static_cast<size_t>(row));
    const auto enable = [&](int id, bool on) {
        if (QAction* action = FindCommand(menuBar, id)) action->setEnabled(!menuOpen || on);
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
