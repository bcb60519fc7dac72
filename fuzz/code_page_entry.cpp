// Fuzzing the code-page conversions: every code page, both directions, and the library's code
// to character conversion in every code page kind.
#include <array>
#include <cstdlib>
#include <string>

#include "base/code_page.h"
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_support.h"

namespace zemtra::fuzz {
namespace {

// Every code page with a table, and two without one.
constexpr std::array<int, 16> kCodePages{874,  932,  936,  949,  950,  1250, 1251, 1252,
                                         1253, 1254, 1255, 1256, 1257, 1258, 0,    65001};

}  // namespace

// Input: one byte choosing the code page, then the bytes (also read as UTF-16LE units).
void FuzzCodePage(std::string_view data) {
    if (data.empty()) return;
    const int codePage = kCodePages[static_cast<unsigned char>(data[0]) % kCodePages.size()];
    const std::string_view bytes = data.substr(1);

    const std::u16string wide = MultiByteToWide(codePage, bytes);
    Check(wide.size() <= bytes.size(), "at most one unit per byte");
    const std::string narrow = WideToMultiByte(codePage, wide);
    Check(narrow.size() <= wide.size() * 2, "at most two bytes per unit");
    const std::u16string units = Utf16Units(bytes);
    const std::string encoded = WideToMultiByte(codePage, units);
    Check(encoded.size() <= units.size() * 2, "at most two bytes per unit");
    // What a code page wrote reads back to the same number of characters or fewer.
    Check(MultiByteToWide(codePage, encoded).size() <= units.size(), "encoded text reads back");

    // MBCS follows the ANSI code page, which the environment can choose; the caller's choice
    // is put back afterwards.
    const char* previous = std::getenv("ZEMTRA_ANSI_CODEPAGE");
    const std::string saved = previous ? previous : "";
    ::setenv("ZEMTRA_ANSI_CODEPAGE", std::to_string(codePage).c_str(), 1);
    for (size_t i = 0; i + 1 < bytes.size() && i < 64; i += 2) {
        const auto code = static_cast<uint16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                                static_cast<unsigned char>(bytes[i + 1]));
        for (int32_t kind : {0, 1, 2, 3, 4, 5, -1, 2147483647}) {
            const std::u16string ch = CodeToCharacter(code, kind);
            Check(ch.size() <= 1, "a code gives at most one unit");
            const auto slot = LibrarySlot(kind, code);
            if (kind != 3 && kind != 4) Check(!slot.has_value(), "only GBK and BIG5 have slots");
        }
        Check(CodeToCharacter(code, 0) == std::u16string(1, static_cast<char16_t>(code)),
              "UNICODE gives the code itself");
    }
    if (previous) {
        ::setenv("ZEMTRA_ANSI_CODEPAGE", saved.c_str(), 1);
    } else {
        ::unsetenv("ZEMTRA_ANSI_CODEPAGE");
    }
}

}  // namespace zemtra::fuzz
