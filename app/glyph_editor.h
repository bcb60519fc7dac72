// The glyph editor on the main window's preview: strokes of the mouse, the Edit menu's commands
// and the arrow keys become calls on the core's editing (base/glyph_editing.h) of the selected
// list item's edit at the matrix size, with one undo history. It marks the edited items of the
// list and keeps a note on the selected item's edits for the status line.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

#include "base/glyph_editing.h"
#include "base/messages.h"
#include "base/project_settings.h"

class QListWidget;
class QMenuBar;
class QStatusBar;

namespace zemtra {

class GlyphRenderer;

class GlyphEditor : public QObject {
    Q_OBJECT
  public:
    // The editor's texts in the window's language.
    using Wording = std::function<QString(Msg, const QStringList&)>;
    GlyphEditor(ProjectSettings& record, GlyphRenderer& renderer, QListWidget* list,
                QStatusBar* status, Wording text, QObject* parent);

    // What the preview and the Edit menu ask for. A stroke runs from a press to its end and
    // is one step; every other edit ends it first.
    void PressDot(int row, int column, bool clear);
    void DragDot(int row, int column);
    void FinishStroke();
    // Applies what transform makes of the shown dots as one step; nothing when the dots stay.
    void Transform(GlyphDots (*transform)(const GlyphDots&, int32_t, int32_t), int32_t dx,
                   int32_t dy);
    void UndoRedo(bool redo);
    // The Edit menu's commands are enabled while it is open as far as they apply; closed, all
    // are, so that their keys always reach the handlers (which then do nothing).
    void UpdateCommands(QMenuBar* menuBar, bool menuOpen);

    // The edit of the selected item at the matrix size: null for none, a picture item and
    // without a selection. Set and revert give false, changing nothing, where the item cannot
    // be edited or the dots are not the matrix's size.
    const GlyphDots* SelectedItemEdit() const;
    bool SetSelectedItemEdit(const DotMatrix& dots);
    bool RevertSelectedItemEdit();
    const GlyphEditHistory& History() const { return history_; }
    // A project loaded or made anew: no stroke, no steps into the project before.
    void Reset();

    // The list's marks and the status line's note after the selection or the matrix changed.
    void FollowSelection();
    // The list's items were made anew, none marked yet.
    void ForgetMarks() { marksSize_ = {0, 0}; }
    // Whether the status line shows the editor's note, and telling it again (in a new language).
    bool ShowsNote() const;
    void ShowNote();

  signals:
    // The edits changed (code: the character whose did): the preview draws them.
    void glyphsChanged();
    // A note for the status line.
    void statusNote(const QString& text);

  private:
    std::optional<GlyphEditKey> EditableSelection();
    GlyphDots ShownDots(const GlyphEditKey& key);
    void SelectCharacter(char32_t code);
    void ShowGlyphChange(std::optional<char32_t> code);
    void UpdateEditMarks(std::optional<char32_t> code = std::nullopt);

    struct EditStroke {
        GlyphEditKey key;
        std::optional<GlyphDots> before;
        DotStroke stroke;
    };
    ProjectSettings& settings_;
    GlyphRenderer& renderer_;
    QListWidget* list_;
    QStatusBar* status_;
    Wording text_;
    GlyphEditHistory history_;
    std::optional<EditStroke> stroke_;
    std::pair<int32_t, int32_t> marksSize_{0, 0};  // the size the list's marks were made for
    QString editStatus_;                           // the last note it gave the status line
};

}  // namespace zemtra
