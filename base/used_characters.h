// The characters a firmware's own files use: the texts of its string literals, translations and
// resources, so that a font holds exactly what the firmware shows.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zemtra {

// How the texts of a file are found, by its name.
enum class UsedTextKind {
    CSource,         // .c .h .cc .cpp .cxx .hpp .hh .ino: string and character literals
    Gettext,         // .po .pot: msgstr, else msgid
    Json,            // .json: string values, not keys
    QtTs,            // .ts: <translation>
    Xliff,           // .xlf .xliff: <target>
    AndroidStrings,  // .xml with <resources>: <string> and <item>
    Plain,           // anything else: the whole text
};

UsedTextKind UsedTextKindOf(const std::filesystem::path& file, std::string_view text);

// Where a text is not UTF-8: the offset of the first byte that is no part of a character, or
// npos when all of it is.
size_t InvalidUtf8At(std::string_view text);

// The characters of the file's texts in the order they occur, repeats included, controls
// (below U+0020) and surrogates left out. The text must be UTF-8 (InvalidUtf8At). C and C++:
// literals with and without u8/u/U/L prefixes and raw strings; \uXXXX and \UXXXXXXXX decoded,
// \" \' \\ \? as the characters they stand for, control escapes dropped, byte escapes read as
// the UTF-8 they spell in a narrow literal (LVGL's symbols: "\xEF\x80\x95") and as code
// units in a wide one; comments, code and #include names skipped.
std::u32string UsedText(std::string_view text, UsedTextKind kind);

// Files read at most this large; a firmware's strings fit many times over.
inline constexpr uintmax_t kMaxUsedTextFile = uintmax_t{64} << 20;

// The distinct characters the files use, ascending. Throws UserError naming the file: one that
// cannot be read or is larger than kMaxUsedTextFile, or one that is not UTF-8 (with the offset
// of the first byte that is not). A UTF-8 byte-order mark is no character.
std::vector<char32_t> CharactersFromFiles(const std::vector<std::filesystem::path>& files);

}  // namespace zemtra
