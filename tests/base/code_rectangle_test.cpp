// The code rectangle FROM..TO: the walk order, the position of a code, and what lies outside.
#include "base/code_rectangle.h"

#include <gtest/gtest.h>

namespace zemtra {
namespace {

TEST(CodeRectangle, WalksHighByteOuterAndLowByteInner) {
    const CodeRectangle codes(0xB0FE, 0xB1A1);  // numerically B0FE..B1A1, as a rectangle FE..A1
    EXPECT_EQ(codes.Size(), 0);                 // the low bytes run backwards
    const CodeRectangle rect(0xB0A1, 0xB2A3);
    ASSERT_EQ(rect.Size(), 9);
    const uint16_t expected[] = {0xB0A1, 0xB0A2, 0xB0A3, 0xB1A1, 0xB1A2,
                                 0xB1A3, 0xB2A1, 0xB2A2, 0xB2A3};
    for (int64_t i = 0; i < rect.Size(); ++i) EXPECT_EQ(rect.CodeAt(i), expected[i]) << i;
}

TEST(CodeRectangle, IndexOfUndoesTheWalkAndRefusesWhatLiesOutside) {
    for (const auto& [from, to] : {std::pair<uint16_t, uint16_t>{0x0000, 0x00FF},
                                   {0x8140, 0x82FE},
                                   {0xA140, 0xA3A0},
                                   {0x1234, 0x1234}}) {
        const CodeRectangle rect(from, to);
        for (int64_t i = 0; i < rect.Size(); ++i) {
            ASSERT_EQ(rect.IndexOf(rect.CodeAt(i)), i) << std::hex << from << " " << i;
        }
    }
    const CodeRectangle rect(0xB0A1, 0xB1A3);
    EXPECT_FALSE(rect.IndexOf(0xB0A4));  // between From and To, but right of the rectangle
    EXPECT_FALSE(rect.IndexOf(0xB1A0));  // left of it
    EXPECT_FALSE(rect.IndexOf(0xB2A1));  // below it
    EXPECT_FALSE(rect.IndexOf(0xAFA1));  // above it
    EXPECT_FALSE(CodeRectangle(0xB1A1, 0xB0A1).IndexOf(0xB0A1));  // an empty rectangle
}

TEST(CodeRectangle, TheWholePlaneHasEveryCode) {
    const CodeRectangle all(0x0000, 0xFFFF);
    EXPECT_EQ(all.Size(), 65536);
    EXPECT_EQ(all.CodeAt(65535), 0xFFFF);
    EXPECT_EQ(all.IndexOf(0xABCD), 0xABCD);
}

TEST(EmptyCodeRectangle, SaysWhichByteRunsBackwards) {
    ProjectSettings s;
    s.FROM = 0xB0A1;
    s.TO = 0xB0A1;
    EXPECT_FALSE(EmptyCodeRectangle(s));
    s.TO = 0xB1A0;  // the low byte runs A1..A0
    const std::optional<std::string> why = EmptyCodeRectangle(s);
    ASSERT_TRUE(why);
    EXPECT_NE(why->find("0xB0A1"), std::string::npos) << *why;
    EXPECT_NE(why->find("low byte A1..A0"), std::string::npos) << *why;
}

}  // namespace
}  // namespace zemtra
