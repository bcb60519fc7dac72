// Editing a hand-edited glyph: what the window's editor does to the dots (toggle and paint
// strokes, clear, invert, shift by one dot) and its undo history, all without the window, so the
// mouse and the keys only pick which of these to call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

#include "base/glyph_edits.h"

namespace zemtra {

// Every dot unlit, every dot flipped, every dot moved by (dx, dy): dots moved out of the glyph
// are lost and the dots moved in are unlit.
GlyphDots ClearedDots(const GlyphDots& dots);
GlyphDots InvertedDots(const GlyphDots& dots);
GlyphDots ShiftedDots(const GlyphDots& dots, int32_t dx, int32_t dy);

// One press-drag-release on the dots. A toggle stroke flips the first dot and then paints the
// state that dot took; a clear stroke unlights every dot it touches. Positions outside the
// glyph are ignored (a stroke that starts outside paints nothing); a move paints the straight
// line from the last dot, so a fast drag leaves no holes.
class DotStroke {
  public:
    enum class Kind { Toggle, Clear };

    DotStroke(GlyphDots dots, Kind kind, int32_t x, int32_t y);

    // Paints to (x, y); true when a dot changed.
    bool MoveTo(int32_t x, int32_t y);

    const GlyphDots& Dots() const { return dots_; }
    // Whether any dot differs from the dots the stroke started on.
    bool Changed() const { return changed_; }

  private:
    bool Paint(int32_t x, int32_t y);
    bool Inside(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < dots_.Width() && y < dots_.Height();
    }

    GlyphDots dots_;
    bool state_ = false;
    bool changed_ = false;
    int32_t lastX_ = -1;  // the last dot painted; -1 for a stroke that started outside
    int32_t lastY_ = -1;
};

// One step of the history: the edit of a glyph before and after it (none: the font's dots).
struct GlyphEditChange {
    GlyphEditKey key;
    std::optional<GlyphDots> before;
    std::optional<GlyphDots> after;

    // The edits as they are with this step's before or after state.
    void Put(GlyphEdits& edits, const std::optional<GlyphDots>& state) const;
};

// The undo and redo stacks of the editor. Every kind of edit is one step, reverting included.
// The history is bounded by steps and by the bytes of the dots it keeps, so a session of large
// glyphs cannot grow without end: the oldest steps go first.
class GlyphEditHistory {
  public:
    static constexpr size_t kDefaultSteps = 1000;
    static constexpr size_t kDefaultBytes = size_t{64} << 20;

    explicit GlyphEditHistory(size_t maxSteps = kDefaultSteps, size_t maxBytes = kDefaultBytes)
        : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

    // Applies the change's after state to edits and records it; a change whose before and after
    // are the same is neither applied nor recorded (false). The redo stack is dropped.
    bool Apply(GlyphEdits& edits, GlyphEditChange change);
    // Records a change already made (a stroke, applied dot by dot while it was drawn).
    bool Record(GlyphEditChange change);

    // Puts back the before state of the last step (Undo) or the after state of the last undone
    // one (Redo); the key it changed, or none when there was nothing to do.
    std::optional<GlyphEditKey> Undo(GlyphEdits& edits);
    std::optional<GlyphEditKey> Redo(GlyphEdits& edits);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    size_t UndoSteps() const { return undo_.size(); }
    // Forgets every step, as when another project is loaded.
    void Clear();

  private:
    static size_t BytesOf(const GlyphEditChange& change);
    void Trim();
    // Moves the last step of from onto to, putting its after (forward) or before state.
    static std::optional<GlyphEditKey> Step(std::deque<GlyphEditChange>& from,
                                            std::deque<GlyphEditChange>& to, GlyphEdits& edits,
                                            bool forward);

    size_t maxSteps_;
    size_t maxBytes_;
    size_t bytes_ = 0;  // of both stacks
    std::deque<GlyphEditChange> undo_;
    std::deque<GlyphEditChange> redo_;
};

}  // namespace zemtra
