// The font library job as users run it: the whole `zemtra-cli library` process (start-up
// included, every core), beside a bare one-thread FreeType loop over the same glyphs. The
// process's peak memory is reported too; it must not grow with the range.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bare_freetype.h"
#include "base/code_page.h"

extern char** environ;

namespace {

struct Range {
    const char* codepage;
    int32_t kind;
    uint16_t from, to;
    const char* face = "WenQuanYi Zen Hei";
};

const Range kRanges[] = {
    {"unicode", 0, 0x4E00, 0x9FA5},  // the CJK unified ideographs
    {"gbk", 3, 0x8140, 0xFEFE},      // the default GBK range
    {"unicode", 0, 0x0000, 0xFFFF},  // everything
    // Everything through New's face where 宋体 is missing: all but Latin, Greek and Cyrillic
    // come from linked faces.
    {"unicode", 0, 0x0000, 0xFFFF, "Arial"},
};

std::string Hex(uint16_t v) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", v);
    return text;
}

zemtra::LogFont Face() {
    zemtra::LogFont font;
    font.FaceName = u"WenQuanYi Zen Hei";
    font.Height = 16;
    font.Width = 8;
    return font;
}

void BM_CliLibrary(benchmark::State& state) {
    const Range& r = kRanges[state.range(0)];
    const std::string target =
        (std::filesystem::temp_directory_path() / "zemtra-bench.dzk").string();
    std::vector<std::string> args = {ZEMTRA_CLI_PATH, "library",   "--codepage", r.codepage,
                                     "--from",        Hex(r.from), "--to",       Hex(r.to),
                                     "--face",        r.face,      "-o",         target};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    long peakKiB = 0;
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start zemtra-cli");
            return;
        }
        int status = 0;
        struct rusage usage {};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("zemtra-cli failed");
            return;
        }
        peakKiB = std::max(peakKiB, usage.ru_maxrss);
    }
    state.counters["codes"] = static_cast<double>(((r.to >> 8) - (r.from >> 8) + 1) *
                                                  ((r.to & 0xFF) - (r.from & 0xFF) + 1));
    state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024.0;
    std::filesystem::remove(target);
}

void BM_BareLibraryLoop(benchmark::State& state) {
    const Range& r = kRanges[state.range(0)];
    std::vector<unsigned long> glyphs;
    for (int hi = r.from >> 8; hi <= r.to >> 8; ++hi) {
        for (int lo = r.from & 0xFF; lo <= (r.to & 0xFF); ++lo) {
            const auto ch = zemtra::CodeToCharacter(static_cast<uint16_t>(hi * 256 + lo), r.kind);
            if (!ch.empty()) glyphs.push_back(ch[0]);
        }
    }
    zemtra::bench::BareFace face(Face());
    if (!face.Ok()) {
        state.SkipWithError("cannot open the face");
        return;
    }
    for (auto _ : state) {
        for (unsigned long c : glyphs) benchmark::DoNotOptimize(face.Render(c));
    }
    state.counters["glyphs"] = static_cast<double>(glyphs.size());
}

// Arguments: 0 = U+4E00..U+9FA5, 1 = GBK 8140..FEFE, 2 = UNICODE 0000..FFFF, 3 = the same
// through "Arial" (the CLI only: the bare loop has no fallback).
BENCHMARK(BM_BareLibraryLoop)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliLibrary)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
