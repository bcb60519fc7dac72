// Pieces of the GUI tests of hand-edited glyphs: an 8 x 8 project, the dots the real preview
// shows (read from its pixels), where a dot's cell is on the widget, and the font's own dots.
#pragma once

#include "base/character_list.h"
#include "gui/gui_test_support.h"
#include "raster/new_project.h"
#include "raster/preview_geometry.h"
#include "raster/qt/preview_widget.h"

namespace zemtra::test {

// "AB" in Liberation Sans on an 8 x 8 matrix.
inline ProjectSettings EightByEight() {
    ProjectSettings s;
    ApplyNew(s, false);
    s.FONT.FaceName = u"Liberation Sans";
    s.BLOCKNUMX = s.BLOCKNUMY = u"8";
    DeriveFontSize(s);
    s.TEXT = u"AB";
    FillCharacterList(s, s.TEXT, true);
    return s;
}

// The centre of dot (row, column)'s cell, in the preview widget's coordinates.
inline QPoint CellCentre(const CZemtraDlg& dialog, int row, int column) {
    auto* preview = Ctl<PreviewWidget>(dialog, kPreviewId);
    const QSize client = preview->ClientSize();
    const PreviewGeometry g =
        ComputePreviewGeometry(MatrixWidth(dialog.Settings()), MatrixHeight(dialog.Settings()),
                               client.width(), client.height());
    const PreviewRect r = g.Cell(row, column);
    return preview->contentsRect().topLeft() +
           QPoint(static_cast<int>(r.x + r.width / 2), static_cast<int>(r.y + r.height / 2));
}

// The dots the preview shows: each cell's colour, lit when it is the light one (Cathode).
inline DotMatrix PreviewDots(const CZemtraDlg& dialog) {
    auto* preview = Ctl<PreviewWidget>(dialog, kPreviewId);
    const int32_t w = MatrixWidth(dialog.Settings());
    const int32_t h = MatrixHeight(dialog.Settings());
    DotMatrix shown(w, h);
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            const QPoint p = CellCentre(dialog, row, column) - preview->contentsRect().topLeft();
            shown.Set(column, row, preview->Cached().pixel(p) == qRgb(156, 224, 239));
        }
    }
    return shown;
}

// The font's dots of c under the settings, whatever edits they hold.
inline DotMatrix FontGlyph(const ProjectSettings& settings, std::u16string_view c) {
    ProjectSettings s = settings;
    s.GLYPHS.Clear();
    GlyphRenderer renderer;
    DotMatrix m;
    renderer.RenderDotMatrix(s, c, &m);
    return m;
}

}  // namespace zemtra::test
