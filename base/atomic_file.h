// Writing a whole file so that a crash or a full disk never leaves half of it: the bytes go to
// a temporary file in the same folder, which is flushed and then renamed over the target.
#pragma once

#include <filesystem>
#include <string_view>

namespace zemtra {

// Throws UserError naming the path and the reason when the file cannot be written (also when
// it is a folder, not a regular file, or read-only); the old file, if any, is then left as it
// was and no temporary file remains. A symbolic link is written through to its target.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace zemtra
