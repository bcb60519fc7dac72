// The fuzz entries' helpers and their one way of failing.
#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "fuzz/fuzz_entries.h"

namespace zemtra::fuzz {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz invariant failed: %s\n", what);
    std::abort();
}

std::u16string Utf16Units(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return units;
}

std::vector<std::string_view> SplitInput(std::string_view data, std::string_view separator,
                                         size_t maxParts) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < maxParts) {
        const size_t at = data.find(separator);
        if (at == std::string_view::npos) break;
        parts.push_back(data.substr(0, at));
        data.remove_prefix(at + separator.size());
    }
    parts.push_back(data);
    return parts;
}

std::filesystem::path FreshScratchFolder(std::string_view name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path base =
        fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path(ec);
    const fs::path folder =
        base / ("zemtra-fuzz-" + std::string(name) + "-" + std::to_string(::getpid()));
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
    // Gone again when the process ends normally.
    static std::vector<fs::path>* made = [] {
        auto* list = new std::vector<fs::path>;
        std::atexit([] {
            std::error_code e;
            for (const auto& f : *made) fs::remove_all(f, e);
        });
        return list;
    }();
    bool known = false;
    for (const auto& f : *made) known = known || f == folder;
    if (!known) made->push_back(folder);
    return folder;
}

void WriteWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zemtra::fuzz
