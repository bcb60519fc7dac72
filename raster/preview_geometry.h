// Where the preview grid's cells, its thumbnail and its scaled oversize picture go inside the
// preview area: integer rules only, so the GUI paints exactly what these functions decide.
#pragma once

#include <cstdint>
#include <optional>

namespace zemtra {

// The two dot colours (0x00BBGGRR) and what lights them.
inline constexpr uint32_t kPreviewLight = 0xEFE09C;
inline constexpr uint32_t kPreviewDark = 0x285049;

// Cathode (0) shows a lit dot light, Anode (1) dark: light always marks an output bit of 1.
// Any other FORMAT index counts as Cathode, as the packer treats it.
uint32_t PreviewDotColour(bool lit, int32_t format);

struct PreviewRect {
    int64_t x = 0;
    int64_t y = 0;
    int64_t width = 0;
    int64_t height = 0;
    bool operator==(const PreviewRect&) const = default;
};

// The grid for a W x H matrix in a cw x ch area.
struct PreviewGeometry {
    // More dots than pixels in either direction (or than there are beside the thumbnail): a
    // scaled picture instead of cells.
    bool oversize = false;
    int64_t gap = 1;  // grid line width, 1 or 0
    int64_t cell = 0;
    int64_t pitch = 0;  // cell + gap
    int64_t x0 = 0;     // top-left pixel of the top-left cell
    int64_t y0 = 0;

    // The square of dot (row, column) in grid mode.
    PreviewRect Cell(int64_t row, int64_t column) const {
        return {x0 + column * pitch, y0 + row * pitch, cell, cell};
    }
};

// Needs W, H >= 1. Cells of min((cw - W - 1) / W, (ch - H - 1) / H) with one-pixel lines,
// without lines when that is below 1, centred lines included. A grid that would lie under the
// thumbnail is fitted right of it or below it instead (the larger cells; right on a tie); a
// matrix that fits neither way is shown oversize.
PreviewGeometry ComputePreviewGeometry(int64_t w, int64_t h, int64_t cw, int64_t ch);

// The thumbnail in the top-left corner: W x H up to 50 a side, else the longer side 50 and the
// other in proportion.
PreviewRect ThumbnailRect(int64_t w, int64_t h);

// A dot of the matrix, as the preview's editor picks it.
struct PreviewDot {
    int32_t row = 0;
    int32_t column = 0;
    bool operator==(const PreviewDot&) const = default;
};

// The dot under pixel (px, py) of a cw x ch area showing a W x H matrix: in grid mode the cell
// there (a grid line goes with the cell left of or above it), in oversize mode the dot the
// scaled picture shows there; none outside the grid or the picture.
std::optional<PreviewDot> PreviewDotAt(int64_t w, int64_t h, int64_t cw, int64_t ch, int64_t px,
                                       int64_t py);

// The oversize picture: W x H fitted into cw x ch with its aspect kept, centred.
PreviewRect OversizeRect(int64_t w, int64_t h, int64_t cw, int64_t ch);

}  // namespace zemtra
