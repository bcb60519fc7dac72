// The font layer against a bare FreeType loop: U+4E00..U+9FA5 in WenQuanYi Zen Hei, 16 px cell
// height, mono. The engine's own cost is the difference between the two.
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <string>

#include "raster/font_engine.h"

namespace {

constexpr char16_t kFirst = 0x4E00;
constexpr char16_t kLast = 0x9FA5;
constexpr int64_t kGlyphs = kLast - kFirst + 1;

zemtra::LogFont Cjk16(int32_t width) {
    zemtra::LogFont font;
    font.FaceName = u"WenQuanYi Zen Hei";
    font.Height = 16;
    font.Width = width;
    return font;
}

void RunEngine(benchmark::State& state, int32_t width) {
    zemtra::FontEngine engine;
    const zemtra::LogFont font = Cjk16(width);
    const zemtra::FontCellMetrics m = engine.Metrics(font);
    zemtra::GlyphInk ink;
    for (auto _ : state) {
        for (char16_t c = kFirst; c <= kLast; ++c) {
            engine.DrawCharacter(font, std::u16string_view(&c, 1), ink);
            benchmark::DoNotOptimize(ink.pixels.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kGlyphs);
    state.counters["ppem"] = m.ppem;
    state.counters["avgWidth"] = m.averageWidth;
}

// The face and ppem the engine picked, loaded straight with FreeType; xScale widens the em the
// way a nonzero width does (1 = FT_Set_Pixel_Sizes at the ppem).
void RunBare(benchmark::State& state, int32_t width) {
    zemtra::FontEngine engine;
    const zemtra::LogFont font = Cjk16(width);
    const zemtra::FontCellMetrics m = engine.Metrics(font);
    const zemtra::FontCellMetrics natural = engine.Metrics(Cjk16(0));
    std::string file = engine.ResolvedFace(font);
    long index = 0;
    if (const size_t mark = file.find(" (face "); mark != std::string::npos) {
        index = std::stol(file.substr(mark + 7));
        file.resize(mark);
    }
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, file.c_str(), index, &face) != 0) {
        state.SkipWithError("cannot open the face");
        return;
    }
    if (width == 0) {
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(m.ppem));
    } else {
        const double xPpem = m.ppem * double(m.averageWidth) / natural.averageWidth;
        FT_Set_Char_Size(face, std::lround(xPpem * 64), FT_F26Dot6{m.ppem} * 64, 72, 72);
    }
    for (auto _ : state) {
        for (FT_ULong c = kFirst; c <= kLast; ++c) {
            FT_Load_Char(face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO);
            benchmark::DoNotOptimize(face->glyph->bitmap.buffer);
        }
    }
    state.SetItemsProcessed(state.iterations() * kGlyphs);
    state.counters["ppem"] = m.ppem;
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

// Width 8 at a 16 px cell: WenQuanYi's own average width there is 6, so this scales (outlines).
void BM_FontEngine_Cjk16(benchmark::State& state) {
    RunEngine(state, 8);
}
void BM_BareFreeType_Cjk16(benchmark::State& state) {
    RunBare(state, 0);
}
// The same horizontal em for both, to show the engine's overhead on the scaled path alone.
void BM_BareFreeType_Cjk16_Width8(benchmark::State& state) {
    RunBare(state, 8);
}
void BM_FontEngine_Cjk16_Width0(benchmark::State& state) {
    RunEngine(state, 0);
}

// Every glyph from the fallback list: Arial (Liberation Sans) has no CJK.
void BM_FontEngine_Cjk16_ArialFallback(benchmark::State& state) {
    zemtra::FontEngine engine;
    zemtra::LogFont font = Cjk16(8);
    font.FaceName = u"Arial";
    zemtra::GlyphInk ink;
    for (auto _ : state) {
        for (char16_t c = kFirst; c <= kLast; ++c) {
            engine.DrawCharacter(font, std::u16string_view(&c, 1), ink);
            benchmark::DoNotOptimize(ink.pixels.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kGlyphs);
}

BENCHMARK(BM_FontEngine_Cjk16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FontEngine_Cjk16_ArialFallback)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFreeType_Cjk16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFreeType_Cjk16_Width8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FontEngine_Cjk16_Width0)->Unit(benchmark::kMillisecond);

}  // namespace
