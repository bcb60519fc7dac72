// The font layer against a bare FreeType loop: U+4E00..U+9FA5 in WenQuanYi Zen Hei, 16 px cell
// height, mono. The engine's own cost is the difference between the two.
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <string>

#include "bare_freetype.h"
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

void RunEngine(benchmark::State& state, zemtra::LogFont font) {
    zemtra::FontEngine engine;
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

// The face and size the engine picked, loaded straight with FreeType (bare_freetype.h).
void RunBare(benchmark::State& state, int32_t width) {
    zemtra::bench::BareFace face(Cjk16(width));
    if (!face.Ok()) {
        state.SkipWithError("cannot open the face");
        return;
    }
    for (auto _ : state) {
        for (unsigned long c = kFirst; c <= kLast; ++c) benchmark::DoNotOptimize(face.Render(c));
    }
    state.SetItemsProcessed(state.iterations() * kGlyphs);
    state.counters["ppem"] = face.Ppem();
}

// Width 8 at a 16 px cell: WenQuanYi's own average width there is 6, so this scales (outlines).
void BM_FontEngine_Cjk16(benchmark::State& state) {
    RunEngine(state, Cjk16(8));
}
void BM_BareFreeType_Cjk16(benchmark::State& state) {
    RunBare(state, 0);
}
// The same horizontal em for both, to show the engine's overhead on the scaled path alone.
void BM_BareFreeType_Cjk16_Width8(benchmark::State& state) {
    RunBare(state, 8);
}
void BM_FontEngine_Cjk16_Width0(benchmark::State& state) {
    RunEngine(state, Cjk16(0));
}

// Every glyph from the fallback list: Arial (Liberation Sans) has no CJK.
void BM_FontEngine_Cjk16_ArialFallback(benchmark::State& state) {
    zemtra::LogFont font = Cjk16(8);
    font.FaceName = u"Arial";
    RunEngine(state, font);
}

BENCHMARK(BM_FontEngine_Cjk16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FontEngine_Cjk16_ArialFallback)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFreeType_Cjk16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFreeType_Cjk16_Width8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FontEngine_Cjk16_Width0)->Unit(benchmark::kMillisecond);

}  // namespace
