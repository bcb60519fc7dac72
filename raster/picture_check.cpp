// The reasons a picture file is unusable, checked from the cheapest to the full decode.
#include "raster/picture_check.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "base/character_list.h"
#include "base/unicode.h"

namespace zemtra {

std::optional<MessageArg> PictureFileProblem(const PictureDecoder& decoder,
                                             const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found) return Message{Msg::WhyNoSuchFile};
    if (ec) return ec.message();
    if (status.type() == fs::file_type::directory) return Message{Msg::WhyFolder};
    if (status.type() != fs::file_type::regular) return Message{Msg::WhyNotRegular};
    if (::access(file.c_str(), R_OK) != 0) return std::string(std::strerror(errno));
    if (fs::file_size(file, ec) == 0 && !ec) return Message{Msg::WhyEmptyFile};
    if (!decoder.Decode(file)) return Message{Msg::WhyNotAPicture};
    return std::nullopt;
}

std::optional<Message> ListPictureProblems(const PictureDecoder& decoder,
                                           const ProjectSettings& s) {
    constexpr size_t kNamed = 3;
    // The count, the first three items (or nothing in their places), and how many more.
    Message problems{Msg::ErrPictureItems, {"", "", "", "", ""}};
    size_t count = 0;
    for (size_t i = 0; i < s.LIST.size() && i < s.PIC.size(); ++i) {
        if (!IsPictureItem(s, i)) continue;
        const std::string path = Utf16ToUtf8(s.PIC[i]);
        std::optional<MessageArg> problem = PictureFileProblem(decoder, path);
        if (!problem) continue;
        if (++count <= kNamed) {
            problems.args[count] =
                Message{Msg::PictureItem, {std::to_string(i + 1), path, std::move(*problem)}};
        }
    }
    if (count == 0) return std::nullopt;
    problems.args[0] = std::to_string(count);
    if (count > kNamed) {
        problems.args[kNamed + 1] =
            Message{Msg::PictureItemsMore, {std::to_string(count - kNamed)}};
    }
    return problems;
}

}  // namespace zemtra
