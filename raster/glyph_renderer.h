// RenderDotMatrix: the one place where dots are decided lit or unlit. A character is drawn white
// on black, a picture stretched to W x H; each dot reads one pixel of that render surface at its
// position plus the sampling origin. A character the project holds a hand edit of at its
// matrix size takes the edit's dots instead (GlyphEditFor), on every path to dots.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/dot_matrix.h"
#include "base/project_settings.h"
#include "raster/font_engine.h"
#include "raster/picture_decoder.h"
#include "raster/raster.h"

namespace zemtra {

enum class SourceKind { Character, Picture, None };

// Zero or one character (one UTF-16 unit, or a surrogate pair) is a character; anything longer
// naming an existing file (existence test only) a picture; anything else draws nothing.
SourceKind ClassifySource(std::u16string_view source);

// The render surface of one call: (W + |font width|) x (H + |font height|) pixels, black, with
// the character's ink or the stretched picture at (0, 0). Pixels are computed on demand, so an
// enormous font size never becomes an enormous allocation.
class RenderSurface {
  public:
    int64_t Width() const { return width_; }
    int64_t Height() const { return height_; }
    SourceKind Kind() const { return kind_; }
    // 0x00BBGGRR, or 0xFFFFFFFF outside the surface.
    uint32_t GetPixel(int64_t x, int64_t y) const;

  private:
    friend class GlyphRenderer;
    int64_t width_ = 0;
    int64_t height_ = 0;
    SourceKind kind_ = SourceKind::None;
    const GlyphInk* ink_ = nullptr;
    const RgbRaster* picture_ = nullptr;  // already stretched to W x H
    const GlyphDots* edit_ = nullptr;     // an edited character: its dots, W x H, instead of ink
};

// The preview side of a render (the GUI's grid); the renderer only tells it what it decided.
class PreviewSink {
  public:
    virtual ~PreviewSink() = default;
    virtual void OnDot(int32_t row, int32_t column, bool lit) = 0;
    // After the last dot, with the surface as drawn, for the thumbnail.
    virtual void OnFinish(const RenderSurface& surface, int64_t sampleX, int64_t sampleY) = 0;
};

// The hand edit that replaces source's dots under the settings: the project's edit of the
// character at the matrix size W x H, or null. Only a character source (one character) is
// edited; a picture's dots come from its picture. Renderers of other kinds (grey levels) take
// the edit from here too, every dot at the full level.
const GlyphDots* GlyphEditFor(const ProjectSettings& settings, std::u16string_view source);

// The luminance of a 0x00BBGGRR sample, (0.587 G + 0.114 B) + 0.299 R in that order.
double Luminance(uint32_t sample);

// Owns the font engine (faces cached across calls) and reads the settings afresh at every call.
// One renderer per thread.
class GlyphRenderer {
  public:
    // Without a decoder, pictures render as the none kind.
    explicit GlyphRenderer(const PictureDecoder* decoder = nullptr) : decoder_(decoder) {}

    // Renders source under the settings into matrix (resized to W x H when it differs) and/or
    // the preview; an edited character gives its edit, and the preview's surface is then the
    // edit itself, sampled from (0, 0). Returns false, touching neither, when W or H is below
    // 1. Throws UserError for a matrix or font size above the limits, and when no font can be
    // found.
    bool RenderDotMatrix(const ProjectSettings& settings, std::u16string_view source,
                         DotMatrix* matrix, PreviewSink* preview = nullptr);

    // The character's anti-aliased coverage through the same W x H window: each byte of
    // coverage (resized to W x H) is the share of 255 of the surface pixel that dot reads, 0
    // outside the surface. The exports' grey levels come from it. Returns false, touching
    // nothing, when W or H is below 1; throws as RenderDotMatrix does.
    bool RenderCoverage(const ProjectSettings& settings, char32_t character, DotMatrix& coverage);

    // The ink of the character the last render drew (its advance too); empty after a picture.
    const GlyphInk& CharacterInk() const { return ink_; }

    FontEngine& Fonts() { return fonts_; }

  private:
    static void RenderEdit(const GlyphDots& edit, DotMatrix* matrix, PreviewSink* preview);
    // Copies the window's share of the ink into matrix: 1 for a lit dot, or with keepValues
    // the ink's bytes as they are.
    static void SampleInk(const RenderSurface& surface, int64_t sx, int64_t sy, DotMatrix& matrix,
                          bool keepValues = false);

    const PictureDecoder* decoder_;
    FontEngine fonts_;
    GlyphInk ink_;
    RgbRaster stretched_;
};

}  // namespace zemtra
