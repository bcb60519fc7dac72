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

// The Output View's Save: the filters it offers, in this order, and which encoding a saved file
// gets. The typed name decides first: .c and .h (any case) are C source, UTF-8 without a
// byte-order mark, .txt is Unicode text, UTF-16LE with its mark; another name takes the chosen
// filter's encoding, the first filter's UTF-8 or else UTF-16 as the text file class writes it.
enum class SaveFilter { CSourceUtf8 = 0, UnicodeText = 1, AllFiles = 2 };
bool SavesAsUtf8(std::u16string_view path, int filterIndex);

// The bytes of a text saved as C source: UTF-8, each CR LF as the LF that C tools expect.
std::string CSourceFileBytes(std::u16string_view text);

}  // namespace zemtra
