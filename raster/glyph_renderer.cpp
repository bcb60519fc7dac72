// RenderDotMatrix: draw the source onto the render surface, then decide every dot from one
// surface pixel at the dot's position plus the sampling origin.
#include "raster/glyph_renderer.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "base/error.h"
#include "base/unicode.h"

namespace zemtra {

SourceKind ClassifySource(std::u16string_view source) {
    if (source.size() <= 1 || IsOneCharacter(source)) return SourceKind::Character;
    std::error_code ec;
    const std::filesystem::path path(Utf16ToUtf8(source));
    return std::filesystem::exists(path, ec) ? SourceKind::Picture : SourceKind::None;
}

uint32_t RenderSurface::GetPixel(int64_t x, int64_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColour;
    switch (kind_) {
        case SourceKind::Character:
            if (edit_ != nullptr) {
                return edit_->Lit(static_cast<int32_t>(x), static_cast<int32_t>(y)) ? kWhite
                                                                                    : kBlack;
            }
            return ink_->White(x, y) ? kWhite : kBlack;
        case SourceKind::Picture: {
            const uint32_t c = picture_->GetPixel(x, y);
            return c == kInvalidColour ? kBlack : c;  // the surface's black beyond W x H
        }
        case SourceKind::None:
            break;
    }
    return kBlack;
}

const GlyphDots* GlyphEditFor(const ProjectSettings& settings, std::u16string_view source) {
    if (!IsOneCharacter(source) || settings.GLYPHS.Empty()) return nullptr;
    return settings.GLYPHS.Find(FirstCharacter(source), MatrixWidth(settings),
                                MatrixHeight(settings));
}

double Luminance(uint32_t sample) {
    const double r = sample & 0xFF;
    const double g = (sample >> 8) & 0xFF;
    const double b = (sample >> 16) & 0xFF;
    return (0.587 * g + 0.114 * b) + 0.299 * r;
}

// The character case of the dot decision without a per-pixel call: a dot is lit exactly where
// the window meets ink inside the surface.
void GlyphRenderer::SampleInk(const RenderSurface& surface, int64_t sx, int64_t sy,
                              DotMatrix& matrix, bool keepValues) {
    const int32_t w = matrix.Width();
    const int32_t h = matrix.Height();
    const GlyphInk& ink = *surface.ink_;
    // The part of the window that lies on ink and inside the surface, in window coordinates.
    const int64_t x0 = std::max<int64_t>({0, -sx, ink.left - sx});
    const int64_t x1 = std::min<int64_t>({w, surface.width_ - sx, ink.left + ink.width - sx});
    const int64_t y0 = std::max<int64_t>({0, -sy, ink.top - sy});
    const int64_t y1 = std::min<int64_t>({h, surface.height_ - sy, ink.top + ink.height - sy});
    for (int32_t j = 0; j < h; ++j) std::fill_n(matrix.Row(j), w, uint8_t{0});
    // Ink wholly beside the window (a combining mark's ink lies left of its pen) leaves an
    // empty span, and a negative length would copy from before the ink's first pixel.
    if (x1 <= x0) return;
    for (int64_t j = y0; j < y1; ++j) {
        const uint8_t* src = ink.pixels.data() + static_cast<size_t>(sy + j - ink.top) * ink.width +
                             static_cast<size_t>(sx + x0 - ink.left);
        uint8_t* dst = matrix.Row(static_cast<int32_t>(j)) + x0;
        if (keepValues) {
            std::copy(src, src + (x1 - x0), dst);
        } else {
            for (int64_t k = x0; k < x1; ++k) *dst++ = *src++ != 0 ? 1 : 0;
        }
    }
}

void GlyphRenderer::RenderEdit(const GlyphDots& edit, DotMatrix* matrix, PreviewSink* preview) {
    if (matrix) edit.CopyTo(*matrix);
    if (!preview) return;
    for (int32_t j = 0; j < edit.Height(); ++j) {
        for (int32_t k = 0; k < edit.Width(); ++k) preview->OnDot(j, k, edit.Lit(k, j));
    }
    RenderSurface surface;
    surface.width_ = edit.Width();
    surface.height_ = edit.Height();
    surface.kind_ = SourceKind::Character;
    surface.edit_ = &edit;
    preview->OnFinish(surface, 0, 0);
}

bool GlyphRenderer::RenderCoverage(const ProjectSettings& settings, char32_t character,
                                   DotMatrix& coverage) {
    const int32_t w = MatrixWidth(settings);
    const int32_t h = MatrixHeight(settings);
    if (w < 1 || h < 1) return false;
    if (auto why = RenderLimitError(settings)) throw UserError(*why);
    RenderSurface surface;
    surface.width_ = w + std::abs(int64_t{settings.FONT.Width});
    surface.height_ = h + std::abs(int64_t{settings.FONT.Height});
    surface.kind_ = SourceKind::Character;
    fonts_.DrawCharacter(settings.FONT, CharacterUtf16(character), ink_, InkKind::Coverage);
    surface.ink_ = &ink_;
    if (coverage.Width() != w || coverage.Height() != h) coverage.Reset(w, h);
    SampleInk(surface, SampleX(settings), SampleY(settings), coverage, true);
    return true;
}

bool GlyphRenderer::RenderDotMatrix(const ProjectSettings& settings, std::u16string_view source,
                                    DotMatrix* matrix, PreviewSink* preview) {
    const int32_t w = MatrixWidth(settings);
    const int32_t h = MatrixHeight(settings);
    if (w < 1 || h < 1) return false;
    if (auto why = RenderLimitError(settings)) throw UserError(*why);
    // The edit stands for the font's dots, so the font is not even drawn.
    if (const GlyphDots* edit = GlyphEditFor(settings, source)) {
        RenderEdit(*edit, matrix, preview);
        return true;
    }

    RenderSurface surface;
    surface.width_ = w + std::abs(int64_t{settings.FONT.Width});
    surface.height_ = h + std::abs(int64_t{settings.FONT.Height});
    surface.kind_ = ClassifySource(source);
    if (surface.kind_ == SourceKind::Character) {
        fonts_.DrawCharacter(settings.FONT, source, ink_);
        surface.ink_ = &ink_;
    } else if (surface.kind_ == SourceKind::Picture) {
        const auto picture =
            decoder_ ? decoder_->Decode(std::filesystem::path(Utf16ToUtf8(source))) : std::nullopt;
        if (picture) {
            stretched_ = StretchBlt(*picture, w, h);
            surface.picture_ = &stretched_;
        } else {
            surface.kind_ = SourceKind::None;  // a file that is no picture draws nothing
        }
    }

    if (matrix && (matrix->Width() != w || matrix->Height() != h)) matrix->Reset(w, h);
    const int64_t sx = SampleX(settings);
    const int64_t sy = SampleY(settings);
    if (surface.kind_ == SourceKind::Character && matrix && !preview) {
        SampleInk(surface, sx, sy, *matrix);  // the writers' hot path
        return true;
    }
    const bool picture = surface.kind_ == SourceKind::Picture;
    const double threshold = Value(settings.THRESHOLD);
    for (int32_t j = 0; j < h; ++j) {
        uint8_t* row = matrix ? matrix->Row(j) : nullptr;
        for (int32_t k = 0; k < w; ++k) {
            const uint32_t sample = surface.GetPixel(sx + k, sy + j);
            bool lit;
            if (surface.kind_ == SourceKind::None) {
                lit = false;
            } else if (picture) {
                lit = threshold <= Luminance(sample);
            } else {
                lit = sample == kWhite;
            }
            if (row) row[k] = lit ? 1 : 0;
            if (preview) preview->OnDot(j, k, lit);
        }
    }
    if (preview) preview->OnFinish(surface, sx, sy);
    return true;
}

}  // namespace zemtra
