// How the jobs write their files: whole or not at all (a temporary file in the same folder,
// renamed over the target once complete).
#pragma once

#include <filesystem>

#include "jobs/jobs.h"
#include "raster/raster.h"

namespace zemtra {

// The raster as a PNG file through the context's encoder. Throws UserError when there is no
// encoder or the file cannot be written; a file already there then stays as it was.
void WritePicture(const JobContext& context, const RgbRaster& picture,
                  const std::filesystem::path& file);

}  // namespace zemtra
