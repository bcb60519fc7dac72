// The font layer: finds a face with fontconfig, sizes it by GDI's rules and draws one character
// with FreeType's mono renderer, white on black, the cell's top-left at the origin.
#include "raster/font_engine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <span>

#include "base/error.h"
#include "base/unicode.h"
#include "raster/font_faces.h"
#include "raster/font_handles.h"
#include "raster/font_ink.h"
#include "raster/font_metrics.h"
#include "raster/font_resolver.h"
#include "raster/kerning.h"

namespace zemtra {

// The engine's cache, named rather than anonymous because FontEngine::Impl holds it.
namespace font_cache {

// A face opened at the created font's size, with the synthesis it needs.
struct SizedFace {
    FaceFile file;
    FtFacePtr face;
    FT_Int32 loadFlags = FT_LOAD_TARGET_MONO;
    int32_t boldPixels = 0;  // synthetic emboldening, whole pixels to the right
    bool oblique = false;    // synthetic italic
};

// Faces that draw what the primary face lacks, each opened and sized on first use.
struct LinkedFaces {
    bool listed = false;
    FallbackList list;
    std::vector<std::unique_ptr<SizedFace>> sized;  // parallel to list.faces; null until opened
    std::vector<bool> failed;

    void Take(FallbackList faces) {
        listed = true;
        list = std::move(faces);
        sized.resize(list.faces.size());
        failed.assign(list.faces.size(), false);
    }
};

// One resolved description: its primary face, size, strokes and lazily listed linked faces.
struct CachedFont {
    LogFont key;
    FcPatternPtr pattern;
    SizedFace primary;
    FaceUnits units;
    FontSize size;
    StrokeRows underline;
    StrokeRows strikeout;
    LinkedFaces chinese;    // the pixel-designed Chinese faces, for CJK characters
    LinkedFaces fallbacks;  // fontconfig's order
    // The description's sources, parallel to key.Sources: each face at its own size, whose own
    // glyphs (no linking) come before the primary face's.
    std::vector<std::unique_ptr<CachedFont>> sources;
    std::string standIn;  // the family drawing in place of a face name that was not found
};

// Where the face that draws a character puts its glyph: a source's glyph stands on the font's
// baseline moved by the source's offset.
struct Placement {
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t source = -1;  // the index of the source that draws it; -1 for the font's own faces
};

}  // namespace font_cache

using font_cache::CachedFont;
using font_cache::LinkedFaces;
using font_cache::Placement;
using font_cache::SizedFace;

namespace {

// Descriptions kept open at once; a library run uses one, the GUI flips between a few.
constexpr size_t kCachedFonts = 4;
// Beyond this horizontal em FreeType's sizes and the glyph bitmaps get absurd.
constexpr double kMaxHorizontalPpem = 16384.0;

// The pixel-designed faces that stand in for SimSun (MingLiU for the Big5 character set) when
// the chosen face lacks a CJK character, in this order: AR PL UMing is built like SimSun
// (outlines, an average width of half its em, bitmaps embedded at 11 to 16 px), so a W/2 x H font
// draws it unscaled; WenQuanYi Bitmap Song has bitmaps only, at 12 to 16 px.
constexpr const char* kSimSunStandIns[] = {"AR PL UMing CN", "WenQuanYi Bitmap Song"};
constexpr const char* kMingLiUStandIns[] = {"AR PL UMing TW", "WenQuanYi Bitmap Song"};
constexpr uint8_t kShiftJisCharSet = 128;
constexpr uint8_t kHangulCharSet = 129;
constexpr uint8_t kBig5CharSet = 136;

// Ideographs, their radicals, strokes, punctuation and compatibility forms, kana, bopomofo and
// the full-width forms: what SimSun draws for a Chinese Windows when the chosen face lacks it.
bool IsCjk(char32_t c) {
    return (c >= 0x2E80 && c <= 0x2FDF) || (c >= 0x3000 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

// The fields that change which face is chosen or how it is sized; the strokes, quality,
// escapement and precisions are applied per call or not at all.
LogFont CacheKey(const LogFont& font) {
    LogFont key = font;
    key.Underline = key.StrikeOut = key.Quality = 0;
    key.Escapement = key.Orientation = 0;
    key.OutPrecision = key.ClipPrecision = 0;
    if (key.Height == 0) key.Width = 0;
    return key;
}

// A source drawn as its face is, at its own size or the font's: regular weight, upright, without
// strokes; the font's character set still picks the code page of a symbol face.
LogFont SourceFont(const LogFont& font, const FontSource& source) {
    LogFont f;
    f.FaceName = source.face.empty() ? font.FaceName : source.face;
    f.FontFile = source.file;
    f.FontIndex = source.index;
    f.Height = source.height != 0 ? source.height : font.Height;
    f.Width = source.height != 0 ? source.width : font.Width;
    f.CharSet = font.CharSet;
    return f;
}

UserError Failure(const LogFont& font, MessageArg reason) {
    return UserError(Message{Msg::ErrLoadFont, {FaceNameForMessage(font), std::move(reason)}});
}

FaceUnits ReadFaceUnits(FT_Face face) {
    FaceUnits u;
    u.unitsPerEm = face->units_per_EM;
    u.hheaAscender = face->ascender;
    u.hheaDescender = face->descender;
    u.underlinePosition = face->underline_position;
    u.underlineThickness = face->underline_thickness;
    if (auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST))) {
        // GDI takes the post table's values as they stand.
        u.underlinePosition = post->underlinePosition;
        u.underlineThickness = post->underlineThickness;
    }
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF) {
        u.winAscent = os2->usWinAscent;
        u.winDescent = os2->usWinDescent;
        u.xAvgCharWidth = os2->xAvgCharWidth;
        u.strikeoutPosition = os2->yStrikeoutPosition;
        u.strikeoutSize = os2->yStrikeoutSize;
    } else {
        // No OS/2 (Type 1 and the like): about half the x-height, as thick as the underline.
        u.strikeoutPosition = u.unitsPerEm / 4;
        u.strikeoutSize = u.underlineThickness;
    }
    return u;
}

std::vector<uint8_t> ReadVdmx(FT_Face face) {
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face, TTAG_VDMX, 0, nullptr, &length) != 0 || length == 0) return {};
    std::vector<uint8_t> table(length);
    if (FT_Load_Sfnt_Table(face, TTAG_VDMX, 0, table.data(), &length) != 0) return {};
    return table;
}

// The em a bitmap face is asked for: the height, either sign, taken as its pixel size.
int32_t BitmapPpemOf(const LogFont& font) {
    const int32_t height = font.Height == 0 ? kDefaultCellHeight : font.Height;
    return height < 0 ? -height : height;
}

// A face without outlines: the strike nearest the em, and its metrics in pixels (the units
// then are pixels, so the stroke rules work unchanged). The width cannot scale a strike.
FT_Error SizeBitmapOnly(FT_Face face, int32_t wantedPpem, FaceUnits& units, FontSize& size) {
    if (face->num_fixed_sizes <= 0) return FT_Err_Invalid_Pixel_Size;
    int best = 0;
    for (int i = 1; i < face->num_fixed_sizes; ++i) {
        const auto distance = [&](int s) {
            return std::abs(face->available_sizes[s].y_ppem - FT_Pos{wantedPpem} * 64);
        };
        if (distance(i) < distance(best)) best = i;
    }
    if (const FT_Error e = FT_Select_Size(face, best)) return e;
    const FT_Size_Metrics& m = face->size->metrics;
    size = FontSize{};
    size.cell.ppem = std::max<int32_t>(static_cast<int32_t>(m.y_ppem), 1);
    size.cell.ascent = static_cast<int32_t>((m.ascender + 63) >> 6);
    size.cell.descent = static_cast<int32_t>((-m.descender + 63) >> 6);
    size.cell.averageWidth = std::max<int32_t>(face->available_sizes[best].width, 1);
    units = FaceUnits{};
    units.unitsPerEm = size.cell.ppem;
    units.winAscent = size.cell.ascent;
    units.winDescent = size.cell.descent;
    units.underlinePosition = -(size.cell.descent + 1) / 2;
    units.underlineThickness = 1;
    units.strikeoutPosition = size.cell.ascent / 3;
    units.strikeoutSize = 1;
    return 0;
}

// The face's own weight on the OpenType scale. fontconfig's matched pattern carries the
// requested weight for some faces, so the face itself is asked.
int32_t FaceWeight(FT_Face face) {
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWeightClass > 0) {
        return os2->usWeightClass;
    }
    return (face->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : 400;
}

// Sets a face to the created font's em and horizontal scale and decides its synthesis: bold
// when FW_SEMIBOLD or more is asked of a lighter face, italic when the face is upright.
FT_Error ApplySize(SizedFace& f, const FontSize& size, const LogFont& font) {
    FT_Face face = f.face.get();
    const int32_t ppem = size.cell.ppem;
    const bool upright = (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
    f.oblique = font.Italic != 0 && upright && FT_IS_SCALABLE(face);
    const bool bold = font.Weight >= 600 && FaceWeight(face) < 600;
    f.boldPixels = bold ? std::max(1, (ppem + 12) / 24) : 0;
    f.loadFlags = FT_LOAD_TARGET_MONO;
    if (!FT_IS_SCALABLE(face)) {
        FaceUnits ignored;
        FontSize strike;
        return SizeBitmapOnly(face, ppem, ignored, strike);
    }
    const double xPpem = ppem * size.xScale;
    if (xPpem > kMaxHorizontalPpem) return FT_Err_Invalid_Pixel_Size;
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.height = FT_Long{ppem} * 64;
    request.width = std::max<FT_Long>(std::lround(xPpem * 64.0), 1);
    // A strike only fits the unscaled, upright glyph; otherwise draw the outlines.
    if (size.xScale != 1.0 || f.oblique) f.loadFlags |= FT_LOAD_NO_BITMAP;
    return FT_Request_Size(face, &request);
}

FT_Error OpenFace(FT_Library library, const FaceFile& file, SizedFace& out) {
    FT_Face face = nullptr;
    const FT_Error e = FT_New_Face(library, file.file.c_str(), file.index, &face);
    if (e != 0) return e;
    out.file = file;
    out.face.reset(face);
    return 0;
}

// Sizes a linked face as the same LOGFONT creates it, by the face's own metrics and inside the
// chosen face's cell (LinkedFontSize); a bitmap face's strike cannot shrink, so one that does
// not fit is refused.
FT_Error SizeLinked(SizedFace& f, const LogFont& font, const FontCellMetrics& chosen) {
    FT_Face face = f.face.get();
    FontSize size;
    if (FT_IS_SCALABLE(face)) {
        size = LinkedFontSize(ReadFaceUnits(face), font.Height, font.Width, ReadVdmx(face), chosen);
    } else {
        FaceUnits ignored;
        if (const FT_Error e = SizeBitmapOnly(face, BitmapPpemOf(font), ignored, size)) return e;
        if (!CellFits(size.cell, chosen)) return FT_Err_Invalid_Pixel_Size;
    }
    return ApplySize(f, size, font);
}

// Loads a glyph and leaves it rendered in the slot, mono or anti-aliased, synthesis applied;
// false when FreeType cannot load or render it. smear: the pixels a bold strike glyph still
// needs.
bool LoadRendered(SizedFace& f, FT_UInt glyph, InkKind kind, int32_t& smear) {
    FT_Face face = f.face.get();
    FT_GlyphSlot slot = face->glyph;
    smear = 0;
    FT_Int32 flags = f.loadFlags;
    FT_Render_Mode mode = FT_RENDER_MODE_MONO;
    if (kind == InkKind::Coverage) {
        flags &= ~FT_LOAD_TARGET_MONO;  // FT_LOAD_TARGET_NORMAL is 0
        if (FT_IS_SCALABLE(face)) flags |= FT_LOAD_NO_BITMAP;
        mode = FT_RENDER_MODE_NORMAL;
    }
    if (f.boldPixels == 0 && !f.oblique) {
        // FT_LOAD_RENDER renders in the load flags' target mode.
        return FT_Load_Glyph(face, glyph, flags | FT_LOAD_RENDER) == 0 &&
               slot->format == FT_GLYPH_FORMAT_BITMAP;
    }
    if (FT_Load_Glyph(face, glyph, flags) != 0) return false;
    if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
        smear = f.boldPixels;  // a strike: overstrike the bits instead of the outline
    } else if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (f.boldPixels > 0) {
            // Whole pixels wider, the left edge kept (EmboldenXY grows right), as GDI's
            // overstrike does; no taller.
            FT_Outline_EmboldenXY(&slot->outline, FT_Pos{f.boldPixels} * 64, 0);
        }
        if (f.oblique) FT_GlyphSlot_Oblique(slot);
        if (FT_Render_Glyph(slot, mode) != 0) return false;
    }
    if (f.boldPixels > 0) slot->advance.x += FT_Pos{f.boldPixels} * 64;
    return slot->format == FT_GLYPH_FORMAT_BITMAP;
}

bool IsSurrogate(char32_t code) {
    return code >= 0xD800 && code <= 0xDFFF;
}

// The face's glyph for a character; a symbol font keeps its glyphs at U+F000 + code, where GDI
// finds the single-byte codes too.
FT_UInt GlyphOf(FT_Face face, char32_t code) {
    FT_UInt glyph = FT_Get_Char_Index(face, code);
    if (glyph == 0 && code < 0x100 && face->charmap != nullptr &&
        face->charmap->encoding == FT_ENCODING_MS_SYMBOL) {
        glyph = FT_Get_Char_Index(face, 0xF000u + code);
    }
    return glyph;
}

}  // namespace

struct FontEngine::Impl {
    FtLibraryPtr library;
    FcConfigPtr config;
    std::vector<std::unique_ptr<CachedFont>> cache;  // most recently used first

    Impl() {
        FT_Library lib = nullptr;
        if (const FT_Error e = FT_Init_FreeType(&lib)) {
            throw UserError(Message{Msg::ErrStartFreeType, {FtErrorText(e)}});
        }
        library.reset(lib);
        config = EngineFontConfig();
        if (!config) throw UserError(Message{Msg::ErrStartFontconfig});
    }

    CachedFont& Resolve(const LogFont& font);
    std::unique_ptr<CachedFont> Create(const LogFont& font);
    void OpenPrimary(CachedFont& cached, const LogFont& font);
    void SortFallbacksOnce(CachedFont& cached);
    SizedFace* FindLinked(CachedFont& cached, const LogFont& font, char32_t code, FT_UInt& glyph);
    SizedFace* FaceFor(CachedFont& cached, const LogFont& font, char32_t code, FT_UInt& glyph,
                       Placement* placement = nullptr);
    SizedFace* FindIn(LinkedFaces& faces, const CachedFont& cached, const LogFont& font,
                      char32_t code, FT_UInt& glyph);
};

namespace {

// key == CacheKey(font), without building the key (and copying the face name) per glyph.
bool MatchesKey(const LogFont& key, const LogFont& font) {
    return key.Height == font.Height && key.Width == (font.Height == 0 ? 0 : font.Width) &&
           key.Weight == font.Weight && key.Italic == font.Italic && key.CharSet == font.CharSet &&
           key.PitchAndFamily == font.PitchAndFamily && key.FaceName == font.FaceName &&
           key.FontIndex == font.FontIndex && key.FontFile == font.FontFile &&
           key.Sources == font.Sources;
}

}  // namespace

CachedFont& FontEngine::Impl::Resolve(const LogFont& font) {
    for (size_t i = 0; i < cache.size(); ++i) {
        if (MatchesKey(cache[i]->key, font)) {
            const auto at = cache.begin() + static_cast<ptrdiff_t>(i);
            std::rotate(cache.begin(), at, at + 1);
            return *cache.front();
        }
    }
    std::unique_ptr<CachedFont> created = Create(font);
    created->key = CacheKey(font);
    if (cache.size() >= kCachedFonts) cache.pop_back();
    cache.insert(cache.begin(), std::move(created));
    return *cache.front();
}

std::unique_ptr<CachedFont> FontEngine::Impl::Create(const LogFont& font) {
    if (font.Height < -kMaxFontSize || font.Height > kMaxFontSize || font.Width < -kMaxFontSize ||
        font.Width > kMaxFontSize) {
        throw Failure(font, Message{Msg::WhySizeBeyond, {std::to_string(kMaxFontSize)}});
    }
    auto cached = std::make_unique<CachedFont>();
    cached->pattern = BuildFontPattern(config.get(), font);
    OpenPrimary(*cached, font);
    for (const FontSource& source : font.Sources) {
        // fontconfig answers any name with its nearest face; a source names the one it wants.
        if (auto problem = FontSourceProblem(source)) throw UserError(*problem);
        try {
            cached->sources.push_back(Create(SourceFont(font, source)));
        } catch (const UserError& e) {
            throw UserError("Font source \"" + FontSourceText(source) + "\": " + e.what());
        }
    }
    const FaceUnits& u = cached->units;
    const FontCellMetrics& cell = cached->size.cell;
    cached->underline =
        StrokeRowsFor(u, cell.ppem, cell.ascent, u.underlinePosition, u.underlineThickness);
    cached->strikeout =
        StrokeRowsFor(u, cell.ppem, cell.ascent, u.strikeoutPosition, u.strikeoutSize);
    return cached;
}

// The match, or when FreeType cannot use it the first sorted face it can; sized and ready.
void FontEngine::Impl::OpenPrimary(CachedFont& cached, const LogFont& font) {
    // A font file chosen by path is the face itself; fontconfig only supplies fallbacks.
    const bool byFile = !font.FontFile.empty();
    const FaceFile match =
        byFile ? FaceFile{Utf16ToUtf8(font.FontFile), font.FontIndex}
               : MatchFace(config.get(), cached.pattern.get(), font, &cached.standIn);
    std::vector<FaceFile> candidates{match};
    std::string firstReason;
    for (size_t i = 0;; ++i) {
        if (i == candidates.size()) {
            if (cached.fallbacks.listed || byFile) break;
            SortFallbacksOnce(cached);
            for (const FallbackFace& f : cached.fallbacks.list.faces) candidates.push_back(f.face);
            if (i == candidates.size()) break;
        }
        SizedFace& primary = cached.primary;
        FT_Error e = OpenFace(library.get(), candidates[i], primary);
        if (e == 0) {
            FT_Face face = primary.face.get();
            if (FT_IS_SCALABLE(face)) {
                cached.units = ReadFaceUnits(face);
                cached.size =
                    ComputeFontSize(cached.units, font.Height, font.Width, ReadVdmx(face));
            } else {
                e = SizeBitmapOnly(face, BitmapPpemOf(font), cached.units, cached.size);
            }
            if (e == 0) e = ApplySize(primary, cached.size, font);
            if (e == 0) return;
        }
        if (firstReason.empty()) firstReason = candidates[i].file + ": " + FtErrorText(e);
        primary.face.reset();
    }
    throw Failure(font, firstReason);
}

void FontEngine::Impl::SortFallbacksOnce(CachedFont& cached) {
    if (cached.fallbacks.listed) return;
    cached.fallbacks.Take(SortFallbacks(config.get(), cached.pattern.get(), cached.primary.file));
}

// The face that draws a character the primary face lacks: for a CJK character (unless a
// Japanese or Korean character set asks for that language's faces) the pixel-designed Chinese
// faces first, then fontconfig's order.
SizedFace* FontEngine::Impl::FindLinked(CachedFont& cached, const LogFont& font, char32_t code,
                                        FT_UInt& glyph) {
    if (IsCjk(code) && font.CharSet != kShiftJisCharSet && font.CharSet != kHangulCharSet) {
        if (!cached.chinese.listed) {
            const bool big5 = font.CharSet == kBig5CharSet;
            cached.chinese.Take(FamilyFaces(
                config.get(), big5 ? std::span(kMingLiUStandIns) : std::span(kSimSunStandIns),
                BitmapPpemOf(font)));
        }
        if (SizedFace* f = FindIn(cached.chinese, cached, font, code, glyph)) return f;
    }
    SortFallbacksOnce(cached);
    return FindIn(cached.fallbacks, cached, font, code, glyph);
}

// The first of the faces that has the character, opened and sized on first use.
SizedFace* FontEngine::Impl::FindIn(LinkedFaces& faces, const CachedFont& cached,
                                    const LogFont& font, char32_t code, FT_UInt& glyph) {
    const std::vector<FallbackFace>& list = faces.list.faces;
    for (size_t i = 0; i < list.size(); ++i) {
        if (faces.failed[i] || !FcCharSetHasChar(list[i].charset, code)) continue;
        std::unique_ptr<SizedFace>& sized = faces.sized[i];
        if (!sized) {
            sized = std::make_unique<SizedFace>();
            if (OpenFace(library.get(), list[i].face, *sized) != 0 ||
                SizeLinked(*sized, font, cached.size.cell) != 0) {
                sized.reset();
                faces.failed[i] = true;
                continue;
            }
        }
        glyph = FT_Get_Char_Index(sized->face.get(), code);
        if (glyph != 0) return sized.get();
    }
    return nullptr;
}

FontEngine::FontEngine() : impl_(std::make_unique<Impl>()) {}
FontEngine::~FontEngine() = default;

// The face that draws a character and its glyph there: the chosen face, else a linked one;
// null when none has it. A surrogate has no glyph anywhere.
SizedFace* FontEngine::Impl::FaceFor(CachedFont& cached, const LogFont& font, char32_t code,
                                     FT_UInt& glyph, Placement* placement) {
    glyph = 0;
    if (IsSurrogate(code)) return nullptr;
    for (size_t i = 0; i < cached.sources.size(); ++i) {
        const FontSource& source = font.Sources[i];
        if (!source.Serves(code)) continue;
        SizedFace& face = cached.sources[i]->primary;
        glyph = GlyphOf(face.face.get(), code);
        if (glyph == 0) continue;
        if (placement != nullptr) *placement = {source.dx, source.dy, static_cast<int32_t>(i)};
        return &face;
    }
    glyph = GlyphOf(cached.primary.face.get(), code);
    if (glyph != 0) return &cached.primary;
    return FindLinked(cached, font, code, glyph);
}

void FontEngine::DrawCharacter(const LogFont& font, std::u16string_view text, GlyphInk& ink,
                               InkKind kind) {
    ink.Clear();
    if (text.empty()) return;
    CachedFont& cached = impl_->Resolve(font);
    FT_UInt glyph = 0;
    Placement placement;
    SizedFace* face = impl_->FaceFor(cached, font, FirstCharacter(text), glyph, &placement);
    if (face == nullptr) face = &cached.primary;  // its .notdef, GDI's default glyph
    // A glyph FreeType cannot load draws nothing, as a failed TextOutW leaves the surface.
    int32_t smear = 0;
    if (!LoadRendered(*face, glyph, kind, smear)) return;
    InkStrokes strokes;
    if (font.Underline) strokes.rows[strokes.count++] = cached.underline;
    if (font.StrikeOut) strokes.rows[strokes.count++] = cached.strikeout;
    const FontCellMetrics& cell = cached.size.cell;
    // Both offsets are bounded (kMaxSourceOffset), so the sums stay far inside 32 bits.
    ComposeInk(face->face->glyph, smear, cell.ascent + placement.dy, cell.ascent + cell.descent,
               strokes, kind == InkKind::Coverage, ink);
    if (ink.width > 0) ink.left += placement.dx;
}

int32_t FontEngine::MonoAdvance(const LogFont& font, std::u16string_view text) {
    if (text.empty()) return 0;
    CachedFont& cached = impl_->Resolve(font);
    FT_UInt glyph = 0;
    SizedFace* face = impl_->FaceFor(cached, font, FirstCharacter(text), glyph);
    if (face == nullptr) face = &cached.primary;
    FT_Face f = face->face.get();
    // As LoadRendered: what loads but cannot become a bitmap draws nothing and advances 0.
    if (FT_Load_Glyph(f, glyph, face->loadFlags) != 0) return 0;
    const FT_Glyph_Format format = f->glyph->format;
    if (format != FT_GLYPH_FORMAT_OUTLINE && format != FT_GLYPH_FORMAT_BITMAP) return 0;
    const int64_t advance = (f->glyph->advance.x + FT_Pos{face->boldPixels} * 64 + 32) >> 6;
    return static_cast<int32_t>(std::clamp<int64_t>(advance, INT32_MIN, INT32_MAX));
}

bool FontEngine::HasCharacter(const LogFont& font, char32_t character) {
    CachedFont& cached = impl_->Resolve(font);
    FT_UInt glyph = 0;
    return impl_->FaceFor(cached, font, character, glyph) != nullptr;
}

std::string FontEngine::DrawingFace(const LogFont& font, char32_t character) {
    CachedFont& cached = impl_->Resolve(font);
    FT_UInt glyph = 0;
    Placement placement;
    const SizedFace* face = impl_->FaceFor(cached, font, character, glyph, &placement);
    if (face == nullptr) return {};
    const FT_Face f = face->face.get();
    std::string name = f->family_name != nullptr ? f->family_name : "";
    std::string file = std::filesystem::path(face->file.file).filename().string();
    if (face->file.index != 0) file += ", face " + std::to_string(face->file.index);
    if (placement.source >= 0) file += ", source " + std::to_string(placement.source + 1);
    return name.empty() ? file : name + " (" + file + ")";
}

std::vector<KerningPair> FontEngine::Kerning(const LogFont& font,
                                             std::span<const char32_t> characters) {
    CachedFont& cached = impl_->Resolve(font);
    // Faces in the order they first draw a character; few, so a list does.
    std::vector<std::pair<SizedFace*, std::vector<CharacterGlyph>>> faces;
    for (const char32_t c : characters) {
        FT_UInt glyph = 0;
        SizedFace* face = impl_->FaceFor(cached, font, c, glyph);
        if (face == nullptr) continue;
        auto it = std::find_if(faces.begin(), faces.end(),
                               [&](const auto& f) { return f.first == face; });
        if (it == faces.end()) it = faces.insert(faces.end(), {face, {}});
        it->second.push_back({c, glyph});
    }
    std::vector<KerningPair> pairs;
    for (const auto& [face, glyphs] : faces) {
        std::vector<KerningPair> kerned = FaceKerning(face->face.get(), glyphs);
        pairs.insert(pairs.end(), kerned.begin(), kerned.end());
    }
    std::sort(pairs.begin(), pairs.end(), [](const KerningPair& a, const KerningPair& b) {
        return a.left != b.left ? a.left < b.left : a.right < b.right;
    });
    return pairs;
}

std::string FontEngine::FamilyName(const LogFont& font) {
    const FT_Face face = impl_->Resolve(font).primary.face.get();
    return face->family_name != nullptr ? face->family_name : "";
}

bool FontEngine::HasOutlines(const LogFont& font) {
    return FT_IS_SCALABLE(impl_->Resolve(font).primary.face.get());
}

FontCellMetrics FontEngine::Metrics(const LogFont& font) {
    return impl_->Resolve(font).size.cell;
}

std::string FontEngine::StandInFamily(const LogFont& font) {
    return impl_->Resolve(font).standIn;
}

std::string FontEngine::ResolvedFace(const LogFont& font) {
    const FaceFile& file = impl_->Resolve(font).primary.file;
    if (file.index == 0) return file.file;
    return file.file + " (face " + std::to_string(file.index) + ")";
}

}  // namespace zemtra
