// Gathers a specimen's glyphs and lays out its pages. Dots get a pitch that keeps a page within
// a few thousand pixels.
#include "raster/specimen.h"

#include <algorithm>
#include <cstdio>

#include "base/character_list.h"
#include "base/code_page.h"
#include "base/code_rectangle.h"
#include "base/unicode.h"
#include "raster/glyph_renderer.h"
#include "raster/preview_geometry.h"

namespace zemtra {
namespace {

constexpr uint32_t kLabelColour = 0xB0B0B0;
constexpr int32_t kLabelHeight = 14;
constexpr int32_t kMargin = 6;

// Pixels from dot to dot: 3 for small glyphs, fewer for big ones, at least 1.
int32_t DotPitch(int32_t w, int32_t h) {
    const int32_t side = std::max(w, h);
    if (side <= 64) return 3;
    if (side <= 128) return 2;
    return 1;
}

void DrawLabel(RgbRaster& image, int32_t x0, int32_t y0, std::u16string_view text,
               FontEngine& fonts) {
    LogFont font;
    font.FaceName = u"Liberation Mono";
    font.Height = -11;
    GlyphInk ink;
    const int32_t advance = fonts.Metrics(font).averageWidth;
    for (size_t i = 0; i < text.size(); ++i) {
        fonts.DrawCharacter(font, text.substr(i, 1), ink);
        for (int32_t y = 0; y < ink.height; ++y) {
            for (int32_t x = 0; x < ink.width; ++x) {
                if (!ink.pixels[static_cast<size_t>(y) * ink.width + x]) continue;
                const int64_t px = x0 + static_cast<int64_t>(i) * advance + ink.left + x;
                const int64_t py = y0 + ink.top + y;
                if (px >= 0 && py >= 0 && px < image.width && py < image.height) {
                    image.SetPixel(static_cast<int32_t>(px), static_cast<int32_t>(py),
                                   kLabelColour);
                }
            }
        }
    }
}

std::u16string HexLabel(unsigned code) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", code);
    return Utf8ToUtf16(text);
}

// Renders and labels the glyphs one by one, telling the progress; refuses once told to stop.
class Gatherer {
  public:
    Gatherer(const ProjectSettings& s, GlyphRenderer& renderer, const SpecimenRun& run,
             size_t total)
        : s_(s), renderer_(renderer), run_(run), total_(total) {
        glyphs_.reserve(total);
    }
    bool Add(std::u16string_view source, std::u16string label) {
        if (run_.stop != nullptr && run_.stop->Requested()) return false;
        SpecimenGlyph& g = glyphs_.emplace_back();
        renderer_.RenderDotMatrix(s_, source, &g.matrix);
        g.label = std::move(label);
        const int percent = static_cast<int>(glyphs_.size() * 100 / total_);
        if (run_.progress != nullptr && percent != percent_) run_.progress->SetPosition(percent);
        percent_ = percent;
        return true;
    }
    std::vector<SpecimenGlyph> Take() { return std::move(glyphs_); }

  private:
    const ProjectSettings& s_;
    GlyphRenderer& renderer_;
    const SpecimenRun& run_;
    size_t total_;
    int percent_ = 0;
    std::vector<SpecimenGlyph> glyphs_;
};

}  // namespace

std::vector<SpecimenGlyph> SpecimenGlyphsOfList(const ProjectSettings& s, GlyphRenderer& renderer,
                                                const SpecimenRun& run) {
    Gatherer gather(s, renderer, run, s.LIST.size());
    for (size_t i = 0; i < s.LIST.size(); ++i) {
        const char16_t unit = s.LIST[i].empty() ? u' ' : s.LIST[i][0];
        if (!gather.Add(ItemSource(s, i), IsPictureItem(s, i) ? u"pic" : HexLabel(unit))) break;
    }
    return gather.Take();
}

std::vector<SpecimenGlyph> SpecimenGlyphsOfRange(const ProjectSettings& s, GlyphRenderer& renderer,
                                                 const SpecimenRun& run) {
    const CodeRectangle codes(s);
    Gatherer gather(s, renderer, run, static_cast<size_t>(codes.Size()));
    for (int64_t i = 0; i < codes.Size(); ++i) {
        const uint16_t code = codes.CodeAt(i);
        if (!gather.Add(CodeToCharacter(code, s.CODEPAGE), HexLabel(code))) break;
    }
    return gather.Take();
}

std::filesystem::path SpecimenPageFile(const std::filesystem::path& name, size_t page,
                                       size_t pages) {
    if (pages <= 1) return name;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "-%03zu", page + 1);
    return name.parent_path() / (name.stem().string() + suffix + name.extension().string());
}

RgbRaster SpecimenPage(const std::vector<SpecimenGlyph>& glyphs, FontEngine& fonts) {
    if (glyphs.empty()) return {};
    const int32_t w = glyphs.front().matrix.Width();
    const int32_t h = glyphs.front().matrix.Height();
    const int32_t pitch = DotPitch(w, h);
    const int32_t dot = pitch > 1 ? pitch - 1 : 1;
    const int32_t boxW = std::max(w * pitch + 1, 5 * 7) + kMargin;
    const int32_t boxH = h * pitch + 1 + kLabelHeight + kMargin;
    const auto count = static_cast<int32_t>(std::min<size_t>(glyphs.size(), kSpecimenPerPage));
    const int32_t columns = std::min(count, kSpecimenColumns);
    const int32_t rows = (count + kSpecimenColumns - 1) / kSpecimenColumns;
    RgbRaster image(columns * boxW + kMargin, rows * boxH + kMargin, kBlack);
    for (int32_t n = 0; n < count; ++n) {
        const SpecimenGlyph& g = glyphs[static_cast<size_t>(n)];
        const int32_t x0 = kMargin + (n % kSpecimenColumns) * boxW;
        const int32_t y0 = kMargin + (n / kSpecimenColumns) * boxH;
        for (int32_t y = 0; y < std::min(h, g.matrix.Height()); ++y) {
            for (int32_t x = 0; x < std::min(w, g.matrix.Width()); ++x) {
                const uint32_t c = g.matrix.Lit(x, y) ? kPreviewLight : kPreviewDark;
                for (int32_t dy = 0; dy < dot; ++dy) {
                    for (int32_t dx = 0; dx < dot; ++dx) {
                        image.SetPixel(x0 + 1 + x * pitch + dx, y0 + 1 + y * pitch + dy, c);
                    }
                }
            }
        }
        DrawLabel(image, x0, y0 + h * pitch + 3, g.label, fonts);
    }
    return image;
}

}  // namespace zemtra
