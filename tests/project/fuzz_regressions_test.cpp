// Replays the fuzz targets' saved findings (fuzz/regressions/<target>/, each an input that once
// crashed, leaked, hung or broke an invariant) and their seed corpora through the same entry
// functions the fuzzers call; an entry aborts when an invariant fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "fuzz/fuzz_entries.h"
#include "support/test_support.h"

namespace zemtra {
namespace fuzz {
// Test names and failure messages show the target's name.
void PrintTo(const FuzzTarget& target, std::ostream* out) {
    *out << target.name;
}
}  // namespace fuzz

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        if (it->is_regular_file() && it->path().filename().string()[0] != '.') {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class FuzzReplay : public ::testing::TestWithParam<fuzz::FuzzTarget> {};

TEST_P(FuzzReplay, SavedFindingsAndSeedsRunClean) {
    const fs::path root = ZEMTRA_FUZZ_DIR;
    const std::string name(GetParam().name);
    const std::vector<fs::path> seeds = FilesIn(root / "corpus" / name);
    ASSERT_FALSE(seeds.empty()) << "no seed corpus for " << name;
    std::vector<fs::path> inputs = FilesIn(root / "regressions" / name);
    inputs.insert(inputs.end(), seeds.begin(), seeds.end());
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.string());
        GetParam().entry(test::ReadBytes(input));
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(fuzz::kFuzzTargets),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace zemtra
