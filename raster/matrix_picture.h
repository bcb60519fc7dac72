// A dot matrix as a picture for checking generated data by eye: lit dots in the preview's light
// colour, unlit ones in its dark colour, each a square with a one-pixel black gap.
#pragma once

#include "base/dot_matrix.h"
#include "raster/raster.h"

namespace zemtra {

// Squares of `scale` pixels; an empty raster for an empty matrix.
RgbRaster MatrixPicture(const DotMatrix& matrix, int scale = 8);

}  // namespace zemtra
