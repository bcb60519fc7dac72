// Hand-edited glyphs must not slow the writers down: a UNICODE library of all 65,536 codes at
// 16 x 16 (WenQuanYi Zen Hei) on one thread, without edits, with 1,000 edits at the project's
// matrix (those codes take their edit instead of the font) and with 1,000 edits at another size
// (every code looks its edit up and finds none: the lookup's whole cost). The target is the
// first within 2 % of the second and third. The time is the process's processor time (one
// worker thread), which the other programs on a shared machine disturb far less than the
// wall-clock time, and the three run in turn so that a change of load meets them alike.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "output/font_library.h"
#include "raster/glyph_renderer.h"

namespace {

constexpr int kEdits = 1000;

// Processor time of the whole process (every thread), in seconds.
double ProcessSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

zemtra::ProjectSettings Library(int edits, int32_t side) {
    zemtra::ProjectSettings s;
    zemtra::ApplyNew(s, false);
    s.FONT.FaceName = u"WenQuanYi Zen Hei";
    zemtra::DeriveFontSize(s);  // matrix 16 x 16, font 8 x 16
    s.CODEPAGE = 0;
    s.FROM = 0x0000;
    s.TO = 0xFFFF;
    for (int k = 0; k < edits; ++k) {
        // Spread over the range: Latin, symbols, CJK and the rest all meet some.
        const auto code = static_cast<char32_t>(k * 65);
        zemtra::GlyphDots dots(side, side);
        for (int32_t i = 0; i < side; ++i) dots.Set(i, (i + k) % side, true);
        s.GLYPHS.Set(code, std::move(dots));
    }
    return s;
}

// One library build's processor time, or a negative value when the library is not whole.
double BuildSeconds(const zemtra::ProjectSettings& s, const std::filesystem::path& target) {
    zemtra::LibraryOptions options;
    options.threads = 1;
    const double start = ProcessSeconds();
    const zemtra::LibraryResult result = zemtra::BuildFontLibrary(s, target, options);
    const double seconds = ProcessSeconds() - start;
    return result.recordsWritten == 65536 ? seconds : -1.0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The libraries in turn, round after round (each round in another order), so that a change of
// the machine's load meets them alike. The library without edits runs twice: the ratio of its
// two runs (aa_ratio) shows how much of a difference is only noise. Counters: the median of
// each in milliseconds and the ratios against the first library without edits.
void BM_Library65536_EditsInterleaved(benchmark::State& state) {
    const zemtra::ProjectSettings cases[] = {Library(0, 16), Library(kEdits, 16),
                                             Library(kEdits, 15), Library(0, 16)};
    const auto target = std::filesystem::temp_directory_path() / "zemtra-bench-edits.dzk";
    std::vector<double> times[4];
    int round = 0;
    for (auto _ : state) {
        double total = 0;
        for (int i = 0; i < 4; ++i) {
            const int which = (round + i) % 4;
            const double seconds = BuildSeconds(cases[which], target);
            if (seconds < 0) {
                state.SkipWithError("the library is not whole");
                return;
            }
            times[which].push_back(seconds);
            total += seconds;
        }
        state.SetIterationTime(total);
        ++round;
    }
    std::filesystem::remove(target);
    const double none = Median(times[0]);
    state.counters["none_ms"] = none * 1e3;
    state.counters["edited_ms"] = Median(times[1]) * 1e3;
    state.counters["lookups_ms"] = Median(times[2]) * 1e3;
    state.counters["edited_ratio"] = Median(times[1]) / none;
    state.counters["lookups_ratio"] = Median(times[2]) / none;
    state.counters["aa_ratio"] = Median(times[3]) / none;  // the same library: noise only
}

BENCHMARK(BM_Library65536_EditsInterleaved)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(8);

// One library alone (argument: 0 no edits, 1 edits at the matrix, 2 edits at another size),
// once: for counting instructions where timing is too noisy, e.g.
//   valgrind --tool=callgrind zemtra_bench --benchmark_filter=OneLibrary/2
void BM_Library65536_OneLibrary(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const zemtra::ProjectSettings s = Library(which == 0 ? 0 : kEdits, which == 2 ? 15 : 16);
    const auto target = std::filesystem::temp_directory_path() / "zemtra-bench-edits.dzk";
    for (auto _ : state) {
        const double seconds = BuildSeconds(s, target);
        if (seconds < 0) {
            state.SkipWithError("the library is not whole");
            return;
        }
        state.SetIterationTime(seconds);
    }
    std::filesystem::remove(target);
}

BENCHMARK(BM_Library65536_OneLibrary)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

// The lookup alone, as RenderDotMatrix makes it for every character: all 65,536 codes against
// 1,000 edits at another size (every lookup misses).
void BM_GlyphEditLookup65536(benchmark::State& state) {
    const zemtra::ProjectSettings s = Library(kEdits, 15);
    for (auto _ : state) {
        for (uint32_t c = 0; c <= 0xFFFF; ++c) {
            const auto unit = static_cast<char16_t>(c);
            benchmark::DoNotOptimize(zemtra::GlyphEditFor(s, std::u16string_view(&unit, 1)));
        }
    }
    state.SetItemsProcessed(state.iterations() * 65536);
}

BENCHMARK(BM_GlyphEditLookup65536)->Unit(benchmark::kMicrosecond);

}  // namespace
