// Small helpers shared by the fuzz entries: splitting the input, reading it as UTF-16, and a
// scratch folder that lives as long as the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zemtra::fuzz {

// The input's bytes as UTF-16LE units (a last odd byte is dropped).
std::u16string Utf16Units(std::string_view bytes);

// The input cut at every occurrence of separator, at most maxParts pieces (the last one keeps
// the rest).
std::vector<std::string_view> SplitInput(std::string_view data, std::string_view separator,
                                         size_t maxParts);

// A folder of this process's own under the temporary folder (/dev/shm when it exists), made on
// first use and emptied on every call.
std::filesystem::path FreshScratchFolder(std::string_view name);

void WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace zemtra::fuzz
