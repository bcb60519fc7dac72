// What the Output View shows: the temporary output file read back as UTF-16LE text.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zemtra {

// The bytes as UTF-16LE: a leading byte-order mark FF FE skipped, an odd last byte dropped,
// the text ending at its first 0 unit.
std::u16string DecodeOutputText(std::string_view bytes);

// DecodeOutputText of the whole file; empty when it cannot be read.
std::u16string LoadOutputText(const std::filesystem::path& path);

// Creates the file, or empties it when it exists, as the library job's target is opened;
// false when that is not possible (a missing folder, no permission, a folder of that name).
bool CreateOrEmptyFile(const std::filesystem::path& path);

}  // namespace zemtra
