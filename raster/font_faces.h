// The faces a font file holds, so "Font File..." can ask which face of a collection to use.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zemtra {

// "Family Style" of each face of the file, in face-index order; empty when FreeType cannot
// open the file as a font (choosing it then reports why).
std::vector<std::string> FontFileFaces(const std::filesystem::path& file);

}  // namespace zemtra
