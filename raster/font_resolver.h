// Finding faces for a LOGFONT through fontconfig: the best match for the description and the
// sorted fallback list (with each face's character set) for characters the match lacks.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/project_settings.h"
#include "raster/font_handles.h"

namespace zemtra {

// One face of a font file as fontconfig describes it.
struct FaceFile {
    std::string file;
    int32_t index = 0;

    bool SameFace(const FaceFile& other) const {
        return index == other.index && file == other.file;
    }
};

// The font engine's fontconfig configuration: Zemtra's own rules for the Chinese faces of
// Windows (resources/zemtra-fonts.conf, compiled in) read before the system's configuration,
// and the installed fonts. Made once per process and shared; null when fontconfig cannot load.
FcConfigPtr EngineFontConfig();

// The fontconfig pattern of a description, substituted and defaulted, ready for matching.
FcPatternPtr BuildFontPattern(FcConfig* config, const LogFont& font);

// The best match for the pattern. A bitmap family keeps each size in a file of its own: of
// those, the one nearest the pattern's pixel size (fontconfig's own choice is not). Throws
// UserError("Cannot load font ...") when fontconfig finds nothing with a file.
// With standIn: the family of the match when the description's face name was not found, neither
// installed nor an alias fontconfig binds to the match (Arial to Liberation Sans, SimSun to its
// stand-ins); left empty when it was found or names no face.
FaceFile MatchFace(FcConfig* config, FcPattern* pattern, const LogFont& font,
                   std::string* standIn = nullptr);

// A fallback candidate: the face and the characters fontconfig says it covers (owned by the
// font set the list came from).
struct FallbackFace {
    FaceFile face;
    const FcCharSet* charset = nullptr;
    double pixelSize = 0;  // a bitmap face's size; 0 for outlines
};

// fontconfig's sorted list for the pattern, trimmed to the faces that add coverage, without
// the primary face. The sets own the character sets the entries point to.
struct FallbackList {
    std::vector<FcFontSetPtr> sets;
    std::vector<FallbackFace> faces;
};
FallbackList SortFallbacks(FcConfig* config, FcPattern* pattern, const FaceFile& primary);

// The installed faces of the named families, family by family; a bitmap family's files nearest
// to pixelSize first (the smaller of two as near).
FallbackList FamilyFaces(FcConfig* config, std::span<const char* const> families, double pixelSize);

// The UTF-8 face name for messages.
std::string FaceNameForMessage(const LogFont& font);

}  // namespace zemtra
