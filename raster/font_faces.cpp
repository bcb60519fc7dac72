// Listing a font file's faces through FreeType, without the font engine's cache.
#include "raster/font_faces.h"

#include <algorithm>

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

}  // namespace zemtra
