// What the writers do per glyph: RenderDotMatrix and PackGlyph at 16 x 16 dots (a new project's
// settings, WenQuanYi Zen Hei) over U+4E00..U+9FA5 on one thread. Its floor is
// BM_BareFreeType_Cjk16_Width8 of font_engine_bench.cpp: the same glyphs at the same size.
#include <benchmark/benchmark.h>

#include "base/scan_order.h"
#include "raster/glyph_renderer.h"

namespace {

constexpr char16_t kRangeFirst = 0x4E00;
constexpr char16_t kRangeLast = 0x9FA5;

zemtra::ProjectSettings Cjk16() {
    zemtra::ProjectSettings s;
    zemtra::ApplyNew(s, false);
    s.FONT.FaceName = u"WenQuanYi Zen Hei";
    zemtra::DeriveFontSize(s);  // font 8 x 16
    return s;
}

void BM_RenderAndPack_Cjk16(benchmark::State& state) {
    const zemtra::ProjectSettings s = Cjk16();
    zemtra::GlyphRenderer renderer;
    zemtra::DotMatrix matrix;
    const zemtra::ScanMode mode{};
    for (auto _ : state) {
        for (char16_t c = kRangeFirst; c <= kRangeLast; ++c) {
            renderer.RenderDotMatrix(s, std::u16string_view(&c, 1), &matrix);
            benchmark::DoNotOptimize(zemtra::PackGlyph(matrix, mode, 8));
        }
    }
    state.SetItemsProcessed(state.iterations() * (kRangeLast - kRangeFirst + 1));
}

BENCHMARK(BM_RenderAndPack_Cjk16)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
