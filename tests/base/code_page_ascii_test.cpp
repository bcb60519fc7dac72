// ASCII, control characters included, is the same in every Windows ANSI code page: a profile
// file or a library code in code page 932 once read the controls 1A, 1C and 7F swapped.
#include <gtest/gtest.h>

#include <string>

#include "base/code_page.h"

namespace zemtra {
namespace {

TEST(CodePageAscii, EveryByteBelow80IsItsOwnCharacterBothWays) {
    for (int codePage :
         {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        std::string bytes;
        std::u16string units;
        for (int b = 0; b < 0x80; ++b) {
            bytes.push_back(static_cast<char>(b));
            units.push_back(static_cast<char16_t>(b));
        }
        EXPECT_EQ(MultiByteToWide(codePage, bytes), units) << codePage;
        EXPECT_EQ(WideToMultiByte(codePage, units), bytes) << codePage;
        // Mixed with double-byte text the controls stay too.
        const std::u16string mixed = u"\x1A\u3042\x1C\x7F";
        if (codePage == 932) {
            EXPECT_EQ(MultiByteToWide(932, WideToMultiByte(932, mixed)), mixed);
        }
    }
    // The MBCS kind reads a control's code as that control in 932 as well.
    ::setenv("ZEMTRA_ANSI_CODEPAGE", "932", 1);
    EXPECT_EQ(CodeToCharacter(0x001A, 1), u"\x1A");
    ::unsetenv("ZEMTRA_ANSI_CODEPAGE");
}

}  // namespace
}  // namespace zemtra
