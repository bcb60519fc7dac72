// Face look-up through fontconfig: LOGFONT fields become a pattern (family, weight, slant, the
// character set's language, the pitch and family's generic), matched and sorted by fontconfig's
// own rules and aliases.
#include "raster/font_resolver.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "base/error.h"
#include "base/unicode.h"
#include "raster/font_metrics.h"

namespace zemtra {

namespace resources {
extern const unsigned char zemtra_fonts_conf[];
extern const std::size_t zemtra_fonts_conf_size;
}  // namespace resources

namespace {

const FcChar8* Fc(const char* text) {
    return reinterpret_cast<const FcChar8*>(text);
}

// The language GDI's font mapper favours for a LOGFONT character set; null for the Western and
// default sets, which must not steer the match.
const char* LanguageOfCharSet(uint8_t charSet) {
    switch (charSet) {
        case 128:
            return "ja";  // SHIFTJIS_CHARSET
        case 129:
            return "ko";  // HANGUL_CHARSET
        case 134:
            return "zh-cn";  // GB2312_CHARSET
        case 136:
            return "zh-tw";  // CHINESEBIG5_CHARSET
        case 161:
            return "el";  // GREEK_CHARSET
        case 177:
            return "he";  // HEBREW_CHARSET
        case 178:
            return "ar";  // ARABIC_CHARSET
        case 204:
            return "ru";  // RUSSIAN_CHARSET
        case 222:
            return "th";  // THAI_CHARSET
        default:
            return nullptr;
    }
}

// The generic family of the FF_* bits, tried after the named face as GDI's mapper does.
const char* GenericOfPitchAndFamily(uint8_t pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
        case 0x10:
            return "serif";  // FF_ROMAN
        case 0x20:
            return "sans-serif";  // FF_SWISS
        case 0x30:
            return "monospace";  // FF_MODERN
        case 0x40:
            return "cursive";  // FF_SCRIPT
        case 0x50:
            return "fantasy";  // FF_DECORATIVE
        default:
            return nullptr;
    }
}

double OpenTypeWeight(int32_t weight) {
    if (weight <= 0) return 400.0;  // FW_DONTCARE
    return static_cast<double>(std::min(weight, 1000));
}

bool ReadFace(FcPattern* pattern, FaceFile& face) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || file == nullptr) {
        return false;
    }
    face.file = reinterpret_cast<const char*>(file);
    int value = 0;
    face.index = FcPatternGetInteger(pattern, FC_INDEX, 0, &value) == FcResultMatch ? value : 0;
    return true;
}

// A bitmap face's pixel size; 0 for outlines.
double BitmapPixelSize(FcPattern* pattern) {
    FcBool outline = FcTrue;
    double size = 0;
    if (FcPatternGetBool(pattern, FC_OUTLINE, 0, &outline) != FcResultMatch || outline) return 0;
    return FcPatternGetDouble(pattern, FC_PIXEL_SIZE, 0, &size) == FcResultMatch ? size : 0;
}

// Nearer to wanted first; of two as near, the smaller.
bool NearerSize(double a, double b, double wanted) {
    const double da = std::abs(a - wanted);
    const double db = std::abs(b - wanted);
    return da != db ? da < db : a < b;
}

// The installed faces whose family (and style, when given) is exactly this.
FcFontSetPtr ListFamily(FcConfig* config, const FcChar8* family, const FcChar8* style) {
    FcPatternPtr query(FcPatternCreate());
    FcObjectSetPtr objects(FcObjectSetBuild(FC_FILE, FC_INDEX, FC_OUTLINE, FC_PIXEL_SIZE,
                                            FC_CHARSET, static_cast<char*>(nullptr)));
    if (!query || !objects) return nullptr;
    FcPatternAddString(query.get(), FC_FAMILY, family);
    if (style != nullptr) FcPatternAddString(query.get(), FC_STYLE, style);
    return FcFontSetPtr(FcFontList(config, query.get(), objects.get()));
}

// For a bitmap match, the file of its family and style nearest the pattern's pixel size.
void NearestBitmapFile(FcConfig* config, FcPattern* pattern, FcPattern* match, FaceFile& face) {
    double wanted = 0;
    FcChar8* family = nullptr;
    FcChar8* style = nullptr;
    if (BitmapPixelSize(match) == 0 ||
        FcPatternGetDouble(pattern, FC_PIXEL_SIZE, 0, &wanted) != FcResultMatch ||
        FcPatternGetString(match, FC_FAMILY, 0, &family) != FcResultMatch) {
        return;
    }
    if (FcPatternGetString(match, FC_STYLE, 0, &style) != FcResultMatch) style = nullptr;
    const FcFontSetPtr set = ListFamily(config, family, style);
    double best = BitmapPixelSize(match);
    for (int i = 0; set && i < set->nfont; ++i) {
        const double size = BitmapPixelSize(set->fonts[i]);
        FaceFile candidate;
        if (size > 0 && NearerSize(size, best, wanted) && ReadFace(set->fonts[i], candidate)) {
            best = size;
            face = std::move(candidate);
        }
    }
}

// The system's configuration with Zemtra's rules read first; acceptfont rules only work before
// the fonts are scanned.
// fontconfig's generic names, which any installed face answers.
bool GenericFamily(const std::string& name) {
    for (const char* generic : {"sans-serif", "serif", "monospace", "sans", "mono", "cursive",
                                "fantasy", "system-ui", "emoji", "math"}) {
        if (FcStrCmpIgnoreCase(Fc(name.c_str()), Fc(generic)) == 0) return true;
    }
    return false;
}

// The match's family when none of the families the pattern binds strongly (the name asked for
// and what aliases put in its place) is the match's own: fontconfig answered an unknown name
// with its default face. Empty when the name was found.
std::string StandInFamily(FcPattern* pattern, FcPattern* match, const LogFont& font) {
    const std::string asked = Utf16ToUtf8(font.FaceName);
    if (asked.empty() || GenericFamily(asked)) return {};
    FcValue value;
    FcValueBinding binding;
    for (int n = 0;
         FcPatternGetWithBinding(pattern, FC_FAMILY, n, &value, &binding) == FcResultMatch; ++n) {
        if (value.type != FcTypeString || binding == FcValueBindingWeak) continue;
        FcChar8* own = nullptr;
        for (int m = 0; FcPatternGetString(match, FC_FAMILY, m, &own) == FcResultMatch; ++m) {
            if (FcStrCmpIgnoreCase(own, value.u.s) == 0) return {};
        }
    }
    FcChar8* family = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) != FcResultMatch) return "?";
    return reinterpret_cast<const char*>(family);
}

FcConfig* LoadEngineConfig() {
    const std::string rules(reinterpret_cast<const char*>(resources::zemtra_fonts_conf),
                            resources::zemtra_fonts_conf_size);
    FcConfig* config = FcConfigCreate();
    if (config != nullptr && FcConfigParseAndLoadFromMemory(config, Fc(rules.c_str()), FcTrue) &&
        FcConfigParseAndLoad(config, nullptr, FcTrue) && FcConfigBuildFonts(config)) {
        return config;
    }
    if (config != nullptr) FcConfigDestroy(config);
    // No system configuration to read: fontconfig's built-in one, the rules after it.
    config = FcInitLoadConfigAndFonts();
    if (config != nullptr) FcConfigParseAndLoadFromMemory(config, Fc(rules.c_str()), FcFalse);
    return config;
}

}  // namespace

FcConfigPtr EngineFontConfig() {
    static FcConfig* const shared = LoadEngineConfig();
    if (shared == nullptr) return nullptr;
    return FcConfigPtr(FcConfigReference(shared));
}

std::string FaceNameForMessage(const LogFont& font) {
    return Utf16ToUtf8(font.FontFile.empty() ? font.FaceName : font.FontFile);
}

FcPatternPtr BuildFontPattern(FcConfig* config, const LogFont& font) {
    FcPatternPtr pattern(FcPatternCreate());
    if (!pattern) {
        throw UserError(
            Message{Msg::ErrLoadFont, {FaceNameForMessage(font), Message{Msg::WhyOutOfMemory}}});
    }
    FcPattern* p = pattern.get();
    const std::string family = Utf16ToUtf8(font.FaceName);
    if (!family.empty()) FcPatternAddString(p, FC_FAMILY, Fc(family.c_str()));
    if (const char* generic = GenericOfPitchAndFamily(font.PitchAndFamily)) {
        FcPatternAddString(p, FC_FAMILY, Fc(generic));
    }
    if ((font.PitchAndFamily & 0x03) == 1) FcPatternAddInteger(p, FC_SPACING, FC_MONO);
    if (const char* lang = LanguageOfCharSet(font.CharSet)) {
        FcPatternAddString(p, FC_LANG, Fc(lang));
    }
    FcPatternAddDouble(p, FC_WEIGHT, FcWeightFromOpenTypeDouble(OpenTypeWeight(font.Weight)));
    FcPatternAddInteger(p, FC_SLANT, font.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // Only bitmap fonts care; an em near the cell height picks the nearest strike.
    const int64_t height = font.Height == 0 ? kDefaultCellHeight : font.Height;
    FcPatternAddDouble(p, FC_PIXEL_SIZE, static_cast<double>(height < 0 ? -height : height));
    FcConfigSubstitute(config, p, FcMatchPattern);
    FcDefaultSubstitute(p);
    return pattern;
}

FaceFile MatchFace(FcConfig* config, FcPattern* pattern, const LogFont& font,
                   std::string* standIn) {
    FcResult result = FcResultNoMatch;
    FcPatternPtr match(FcFontMatch(config, pattern, &result));
    FaceFile face;
    if (!match || !ReadFace(match.get(), face)) {
        throw UserError(Message{Msg::ErrLoadFont,
                                {FaceNameForMessage(font), Message{Msg::WhyNoInstalledFont}}});
    }
    if (standIn != nullptr) *standIn = StandInFamily(pattern, match.get(), font);
    NearestBitmapFile(config, pattern, match.get(), face);
    return face;
}

FallbackList SortFallbacks(FcConfig* config, FcPattern* pattern, const FaceFile& primary) {
    FallbackList list;
    FcResult result = FcResultNoMatch;
    FcFontSetPtr set(FcFontSort(config, pattern, FcTrue, nullptr, &result));
    if (!set) return list;
    for (int i = 0; i < set->nfont; ++i) {
        FcPattern* candidate = set->fonts[i];
        FallbackFace entry;
        FcCharSet* charset = nullptr;
        if (!ReadFace(candidate, entry.face) || entry.face.SameFace(primary)) continue;
        if (FcPatternGetCharSet(candidate, FC_CHARSET, 0, &charset) != FcResultMatch) continue;
        entry.charset = charset;
        entry.pixelSize = BitmapPixelSize(candidate);
        list.faces.push_back(std::move(entry));
    }
    list.sets.push_back(std::move(set));
    return list;
}

FallbackList FamilyFaces(FcConfig* config, std::span<const char* const> families,
                         double pixelSize) {
    FallbackList list;
    for (const char* family : families) {
        FcFontSetPtr set = ListFamily(config, Fc(family), nullptr);
        if (!set) continue;
        std::vector<FallbackFace> faces;
        for (int i = 0; i < set->nfont; ++i) {
            FallbackFace entry;
            FcCharSet* charset = nullptr;
            if (!ReadFace(set->fonts[i], entry.face) ||
                FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &charset) != FcResultMatch) {
                continue;
            }
            entry.charset = charset;
            entry.pixelSize = BitmapPixelSize(set->fonts[i]);
            faces.push_back(std::move(entry));
        }
        // fontconfig lists in no particular order; outlines first, then the sizes.
        std::sort(faces.begin(), faces.end(), [&](const FallbackFace& a, const FallbackFace& b) {
            if ((a.pixelSize == 0) != (b.pixelSize == 0)) return a.pixelSize == 0;
            if (a.pixelSize != b.pixelSize) return NearerSize(a.pixelSize, b.pixelSize, pixelSize);
            return a.face.file != b.face.file ? a.face.file < b.face.file
                                              : a.face.index < b.face.index;
        });
        list.faces.insert(list.faces.end(), faces.begin(), faces.end());
        list.sets.push_back(std::move(set));
    }
    return list;
}

bool FontFamilyInstalled(std::u16string_view family) {
    const std::string name = Utf16ToUtf8(family);
    if (name.empty()) return false;
    FcPatternPtr pattern(FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, Fc(name.c_str()),
                                        static_cast<char*>(nullptr)));
    FcObjectSetPtr objects(FcObjectSetBuild(FC_FAMILY, static_cast<char*>(nullptr)));
    if (!pattern || !objects) return false;
    const FcConfigPtr config = EngineFontConfig();
    FcFontSetPtr fonts(FcFontList(config.get(), pattern.get(), objects.get()));
    if (!fonts) return false;
    // FcFontList also ignores blanks; a face name must match up to case, as GDI's does.
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* listed = nullptr;
        for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &listed) == FcResultMatch;
             ++n) {
            if (FcStrCmpIgnoreCase(listed, Fc(name.c_str())) == 0) return true;
        }
    }
    return false;
}

}  // namespace zemtra
