// The editor's operations on dots and its undo history.
#include "base/glyph_editing.h"

#include <cstdlib>
#include <utility>

namespace zemtra {

GlyphDots ClearedDots(const GlyphDots& dots) {
    return GlyphDots(dots.Width(), dots.Height());
}

GlyphDots InvertedDots(const GlyphDots& dots) {
    GlyphDots out(dots.Width(), dots.Height());
    for (int32_t y = 0; y < dots.Height(); ++y) {
        for (int32_t x = 0; x < dots.Width(); ++x) out.Set(x, y, !dots.Lit(x, y));
    }
    return out;
}

GlyphDots ShiftedDots(const GlyphDots& dots, int32_t dx, int32_t dy) {
    GlyphDots out(dots.Width(), dots.Height());
    for (int32_t y = 0; y < dots.Height(); ++y) {
        const int64_t ty = int64_t{y} + dy;
        if (ty < 0 || ty >= dots.Height()) continue;
        for (int32_t x = 0; x < dots.Width(); ++x) {
            const int64_t tx = int64_t{x} + dx;
            if (tx < 0 || tx >= dots.Width() || !dots.Lit(x, y)) continue;
            out.Set(static_cast<int32_t>(tx), static_cast<int32_t>(ty), true);
        }
    }
    return out;
}

DotStroke::DotStroke(GlyphDots dots, Kind kind, int32_t x, int32_t y) : dots_(std::move(dots)) {
    if (!Inside(x, y)) return;
    state_ = kind == Kind::Toggle && !dots_.Lit(x, y);
    Paint(x, y);
    lastX_ = x;
    lastY_ = y;
}

bool DotStroke::Paint(int32_t x, int32_t y) {
    if (dots_.Lit(x, y) == state_) return false;
    dots_.Set(x, y, state_);
    changed_ = true;
    return true;
}

bool DotStroke::MoveTo(int32_t x, int32_t y) {
    if (lastX_ < 0 || !Inside(x, y)) return false;
    // Bresenham from the last dot; both ends lie inside, so every step does too.
    const int32_t dx = std::abs(x - lastX_);
    const int32_t dy = -std::abs(y - lastY_);
    const int32_t sx = lastX_ < x ? 1 : -1;
    const int32_t sy = lastY_ < y ? 1 : -1;
    int32_t err = dx + dy;
    int32_t cx = lastX_;
    int32_t cy = lastY_;
    bool painted = false;
    while (true) {
        painted = Paint(cx, cy) || painted;
        if (cx == x && cy == y) break;
        const int32_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
    lastX_ = x;
    lastY_ = y;
    return painted;
}

void GlyphEditChange::Put(GlyphEdits& edits, const std::optional<GlyphDots>& state) const {
    if (state) {
        edits.Set(key.code, *state);
    } else {
        edits.Remove(key);
    }
}

size_t GlyphEditHistory::BytesOf(const GlyphEditChange& change) {
    const auto bytes = [](const std::optional<GlyphDots>& d) {
        return d ? (static_cast<size_t>(d->Width()) + 7) / 8 * static_cast<size_t>(d->Height())
                 : size_t{0};
    };
    return sizeof(GlyphEditChange) + bytes(change.before) + bytes(change.after);
}

bool GlyphEditHistory::Apply(GlyphEdits& edits, GlyphEditChange change) {
    if (change.before == change.after) return false;
    change.Put(edits, change.after);
    return Record(std::move(change));
}

bool GlyphEditHistory::Record(GlyphEditChange change) {
    if (change.before == change.after) return false;
    for (const GlyphEditChange& undone : redo_) bytes_ -= BytesOf(undone);
    redo_.clear();
    bytes_ += BytesOf(change);
    undo_.push_back(std::move(change));
    Trim();
    return true;
}

void GlyphEditHistory::Trim() {
    // The newest step stays even when it alone is over the bytes: it is what Undo is for.
    while (undo_.size() > 1 && (undo_.size() > maxSteps_ || bytes_ > maxBytes_)) {
        bytes_ -= BytesOf(undo_.front());
        undo_.pop_front();
    }
}

std::optional<GlyphEditKey> GlyphEditHistory::Step(std::deque<GlyphEditChange>& from,
                                                   std::deque<GlyphEditChange>& to,
                                                   GlyphEdits& edits, bool forward) {
    if (from.empty()) return std::nullopt;
    GlyphEditChange step = std::move(from.back());
    from.pop_back();
    step.Put(edits, forward ? step.after : step.before);
    const GlyphEditKey key = step.key;
    to.push_back(std::move(step));
    return key;
}

std::optional<GlyphEditKey> GlyphEditHistory::Undo(GlyphEdits& edits) {
    return Step(undo_, redo_, edits, false);
}

std::optional<GlyphEditKey> GlyphEditHistory::Redo(GlyphEdits& edits) {
    return Step(redo_, undo_, edits, true);
}

void GlyphEditHistory::Clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
}

}  // namespace zemtra
