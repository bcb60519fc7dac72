// Why a picture file cannot serve as a dot-matrix source, in words for the user. The renderer
// itself draws such a file as nothing; the command line refuses it with this reason instead.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/messages.h"
#include "base/project_settings.h"
#include "raster/picture_decoder.h"

namespace zemtra {

// Nothing when decoder reads the file as a picture; else the reason: missing, a folder, not a
// regular file, not readable (the system's words), or not a picture the decoder takes (empty,
// damaged, truncated, too large).
std::optional<MessageArg> PictureFileProblem(const PictureDecoder& decoder,
                                             const std::filesystem::path& file);

// Nothing when every picture item of the list reads; else how many do not, the first three
// with their item number, path and reason. Such an item would come out as a blank glyph, so
// the jobs that write the list stop instead.
std::optional<Message> ListPictureProblems(const PictureDecoder& decoder, const ProjectSettings& s);

}  // namespace zemtra
