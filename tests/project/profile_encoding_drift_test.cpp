// A profile file without a mark is read as UTF-8 or ANSI by its bytes alone, so a write must not
// leave bytes that read in the other encoding: the rest of the file would change its text.
#include <gtest/gtest.h>

#include <string>

#include "base/code_page.h"
#include "project/profile.h"

namespace zemtra {
namespace {

TEST(ProfileEncodingDrift, AnsiFileThatWouldReadAsUtf8IsRewrittenAsUtf16) {
    // GBK text: B0 A1 is not UTF-8 at all, C3 A9 happens to be UTF-8 for U+00E9.
    const std::string gbk = "[Project]\r\nTEXT=\xB0\xA1\r\nNAME=\xC3\xA9\r\n";
    Profile p = Profile::FromBytes(gbk, 936);
    ASSERT_EQ(p.Encoding(), ProfileEncoding::Ansi);
    const std::u16string name = MultiByteToWide(936, "\xC3\xA9");  // not U+00E9
    ASSERT_EQ(p.Get(u"Project", u"NAME"), name);
    p.Set(u"Project", u"TEXT", u"abc");  // the only line that was not UTF-8 goes
    EXPECT_EQ(p.OutputEncoding(), ProfileEncoding::Utf16Le);
    const Profile back = Profile::FromBytes(p.ToBytes(), 936);
    EXPECT_EQ(back.Get(u"Project", u"NAME"), name);
    EXPECT_EQ(back.Get(u"Project", u"TEXT"), u"abc");

    // While an ANSI file stays ANSI by its bytes it keeps its encoding and its other lines.
    Profile kept = Profile::FromBytes(gbk, 936);
    kept.Set(u"Project", u"NAME", u"x");
    EXPECT_EQ(kept.OutputEncoding(), ProfileEncoding::Ansi);
    EXPECT_EQ(kept.ToBytes(), "[Project]\r\nTEXT=\xB0\xA1\r\nNAME=x\r\n");
}

}  // namespace
}  // namespace zemtra
