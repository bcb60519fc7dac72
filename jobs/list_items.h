// The character list as the jobs take it: picture items are accepted into it only when the
// project file can keep their path and the picture decoder reads the file, so that no job meets
// a picture item that would come out as a blank glyph or as another file after a save.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/messages.h"
#include "base/project_settings.h"
#include "raster/picture_decoder.h"

namespace zemtra {

// Why a file did not become a picture item.
struct PictureRefusal {
    // True when the path itself cannot be stored in a project ("|", white space at an end, ...),
    // false when the file cannot be read as a picture.
    bool pathUnstorable = false;
    MessageArg reason = "";
};

// Appends a picture item ("☆" and path) as "Load Picture" and --picture do, once the path can
// be stored (checked first: it needs no file access) and the decoder reads the file; otherwise
// changes nothing and gives the refusal.
std::optional<PictureRefusal> AddPictureItem(ProjectSettings& s, const PictureDecoder& decoder,
                                             std::u16string_view path);

}  // namespace zemtra
