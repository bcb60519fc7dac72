// Finding faces for a LOGFONT through fontconfig: the best match for the description and the
// sorted fallback list (with each face's character set) for characters the match lacks.
#pragma once

#include <cstdint>
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

// The fontconfig pattern of a description, substituted and defaulted, ready for matching.
FcPatternPtr BuildFontPattern(FcConfig* config, const LogFont& font);

// The best match for the pattern. Throws UserError("Cannot load font ...") when fontconfig
// finds nothing with a file.
FaceFile MatchFace(FcConfig* config, FcPattern* pattern, const LogFont& font);

// A fallback candidate: the face and the characters fontconfig says it covers (owned by the
// font set the list came from).
struct FallbackFace {
    FaceFile face;
    const FcCharSet* charset = nullptr;
};

// fontconfig's sorted list for the pattern, trimmed to the faces that add coverage, without
// the primary face. The set owns the character sets the entries point to.
struct FallbackList {
    FcFontSetPtr set;
    std::vector<FallbackFace> faces;
};
FallbackList SortFallbacks(FcConfig* config, FcPattern* pattern, const FaceFile& primary);

// The UTF-8 face name for messages.
std::string FaceNameForMessage(const LogFont& font);

}  // namespace zemtra
