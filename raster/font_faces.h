// The faces a font file holds, so "Font File..." can ask which face of a collection to use.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/font_source.h"

namespace zemtra {

// "Family Style" of each face of the file, in face-index order; empty when FreeType cannot
// open the file as a font (choosing it then reports why).
std::vector<std::string> FontFileFaces(const std::filesystem::path& file);

// Why the source cannot draw: no installed family of its name, no such file, a file FreeType
// cannot open as a font, or a face index beyond the collection's faces. Nothing when it can.
std::optional<std::string> FontSourceProblem(const FontSource& source);

}  // namespace zemtra
