// Helpers shared by the test folders.
#include "support/test_support.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/font_fixtures.h"

namespace zemtra::test {

// The two helpers that loops call thousands of times live here, compiled with Zemtra's own
// optimisation rather than the test programs' -O0.
std::string MatrixRows(const DotMatrix& m) {
    std::string text;
    text.reserve(static_cast<size_t>((m.Width() + 1) * m.Height()));
    for (int y = 0; y < m.Height(); ++y) {
        for (int x = 0; x < m.Width(); ++x) text += m.Lit(x, y) ? '#' : '.';
        text += '\n';
    }
    return text;
}

std::vector<HexGlyph> ReadUnifontHex(const char* path) {
    std::vector<HexGlyph> glyphs;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string bits = line.substr(colon + 1);
        const int width = bits.size() == 32 ? 8 : bits.size() == 64 ? 16 : 0;
        if (width == 0) continue;
        HexGlyph g{
            static_cast<char32_t>(std::stoul(line.substr(0, colon), nullptr, 16)), width, {}};
        const int digitsPerRow = width / 4;
        for (int y = 0; y < 16; ++y) {
            const unsigned long row =
                std::stoul(bits.substr(y * digitsPerRow, digitsPerRow), nullptr, 16);
            for (int x = 0; x < width; ++x) g.rows += (row >> (width - 1 - x)) & 1 ? '#' : '.';
            g.rows += '\n';
        }
        glyphs.push_back(std::move(g));
    }
    return glyphs;
}

std::filesystem::path DataPath(std::string_view name) {
    return std::filesystem::path(ZEMTRA_TEST_DATA) / name;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zemtra-test-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data())) path_ = made;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    // Tests may leave read-only folders behind; make them writable so they can go.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(path_, ec);
}

std::string CompareWithGolden(std::string_view golden, std::string_view actual) {
    const auto path = DataPath(golden);
    const char* update = std::getenv("ZEMTRA_UPDATE_GOLDEN");
    if (update != nullptr && std::string_view(update) == "1") {
        WriteBytes(path, actual);
        return {};
    }
    const std::string expected = ReadBytes(path);
    if (expected == actual) return {};
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
    std::ostringstream why;
    why << "differs from " << path.string() << " at byte " << at << " (expected " << expected.size()
        << " bytes, got " << actual.size() << ")";
    return why.str();
}

}  // namespace zemtra::test
