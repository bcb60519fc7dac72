// The reasons a picture file is unusable, checked from the cheapest to the full decode.
#include "raster/picture_check.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace zemtra {

std::optional<std::string> PictureFileProblem(const PictureDecoder& decoder,
                                              const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found) return "no such file";
    if (ec) return ec.message();
    if (status.type() == fs::file_type::directory) return "it is a folder";
    if (status.type() != fs::file_type::regular) return "it is not a regular file";
    if (::access(file.c_str(), R_OK) != 0) return std::string(std::strerror(errno));
    if (fs::file_size(file, ec) == 0 && !ec) return "the file is empty";
    if (!decoder.Decode(file)) {
        return "not a BMP, JPEG, GIF or PNG picture that can be read (damaged, truncated, or "
               "over 67 million pixels)";
    }
    return std::nullopt;
}

}  // namespace zemtra
