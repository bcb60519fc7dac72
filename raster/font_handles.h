// Owning handles for the FreeType and fontconfig objects of the font layer, and the one place
// where FreeType's error codes become readable text.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include <fontconfig/fontconfig.h>

#include <memory>
#include <string>

namespace zemtra {

struct FtLibraryDeleter {
    void operator()(FT_Library library) const noexcept { FT_Done_FreeType(library); }
};
struct FtFaceDeleter {
    void operator()(FT_Face face) const noexcept { FT_Done_Face(face); }
};
struct FcPatternDeleter {
    void operator()(FcPattern* pattern) const noexcept { FcPatternDestroy(pattern); }
};
struct FcFontSetDeleter {
    void operator()(FcFontSet* set) const noexcept { FcFontSetDestroy(set); }
};
struct FcObjectSetDeleter {
    void operator()(FcObjectSet* set) const noexcept { FcObjectSetDestroy(set); }
};
struct FcCharSetDeleter {
    void operator()(FcCharSet* set) const noexcept { FcCharSetDestroy(set); }
};
struct FcConfigDeleter {
    void operator()(FcConfig* config) const noexcept { FcConfigDestroy(config); }
};

using FtLibraryPtr = std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter>;
using FtFacePtr = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, FcFontSetDeleter>;
using FcObjectSetPtr = std::unique_ptr<FcObjectSet, FcObjectSetDeleter>;
using FcCharSetPtr = std::unique_ptr<FcCharSet, FcCharSetDeleter>;
using FcConfigPtr = std::unique_ptr<FcConfig, FcConfigDeleter>;

// FreeType's own wording for an error code, e.g. "unknown file format" (never empty).
std::string FtErrorText(FT_Error error);

}  // namespace zemtra
