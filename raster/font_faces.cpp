// Listing a font file's faces through FreeType, without the font engine's cache.
#include "raster/font_faces.h"

#include <algorithm>

#include "base/unicode.h"
#include "raster/font_engine.h"
#include "raster/font_handles.h"

namespace zemtra {
namespace {

// A collection's header may claim any count; nobody picks from more faces than this.
constexpr FT_Long kMaxListedFaces = 1024;

FtFacePtr OpenFace(FT_Library library, const std::string& file, FT_Long index) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &face) != 0) return nullptr;
    return FtFacePtr(face);
}

std::string FaceTitle(FT_Face face) {
    std::string title = face->family_name != nullptr ? face->family_name : "";
    if (face->style_name != nullptr && *face->style_name != '\0') {
        title += (title.empty() ? "" : " ") + std::string(face->style_name);
    }
    return title;
}

}  // namespace

std::vector<std::string> FontFileFaces(const std::filesystem::path& file) {
    FT_Library raw = nullptr;
    if (FT_Init_FreeType(&raw) != 0) return {};
    const FtLibraryPtr library(raw);
    // Index -1 only counts the faces.
    const FtFacePtr probe = OpenFace(raw, file.string(), -1);
    if (!probe) return {};
    std::vector<std::string> faces;
    for (FT_Long i = 0; i < std::min(probe->num_faces, kMaxListedFaces); ++i) {
        const FtFacePtr face = OpenFace(raw, file.string(), i);
        faces.push_back(face ? FaceTitle(face.get()) : std::string());
    }
    return faces;
}

std::optional<std::string> FontSourceProblem(const FontSource& source) {
    const std::string name = "Font source \"" + FontSourceText(source) + "\": ";
    if (source.file.empty()) {
        if (FontFamilyInstalled(source.face)) return std::nullopt;
        return name + "no installed face has this name.";
    }
    const std::filesystem::path file(Utf16ToUtf8(source.file));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return name + "there is no such file.";
    const std::vector<std::string> faces = FontFileFaces(file);
    if (faces.empty()) return name + "the file is not a font FreeType can read.";
    if (static_cast<size_t>(source.index) >= faces.size()) {
        return name + "the file holds " + std::to_string(faces.size()) +
               " face(s), numbered from 0.";
    }
    return std::nullopt;
}

}  // namespace zemtra
