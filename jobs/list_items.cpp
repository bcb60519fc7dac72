// Picture acceptance for both front ends: the same two checks in the same order.
#include "jobs/list_items.h"

#include <filesystem>

#include "base/character_list.h"
#include "base/unicode.h"
#include "project/project_file.h"
#include "raster/picture_check.h"

namespace zemtra {

std::optional<PictureRefusal> AddPictureItem(ProjectSettings& s, const PictureDecoder& decoder,
                                             std::u16string_view path) {
    if (std::optional<Message> why = PicturePathProblem(path)) {
        return PictureRefusal{true, std::move(*why)};
    }
    // The file as the renderer will open it.
    const std::filesystem::path file(Utf16ToUtf8(path));
    if (std::optional<MessageArg> why = PictureFileProblem(decoder, file)) {
        return PictureRefusal{false, std::move(*why)};
    }
    AppendPictureItem(s, path);
    return std::nullopt;
}

}  // namespace zemtra
