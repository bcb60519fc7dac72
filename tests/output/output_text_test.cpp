// Reading the temporary output file back: the byte-order mark, odd lengths, the first 0 unit;
// and creating or emptying a library target.
#include "output/output_text.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace zemtra {
namespace {

using namespace std::string_literals;

TEST(OutputText, Utf16LeWithOrWithoutMark) {
    EXPECT_EQ(DecodeOutputText(""), u"");
    EXPECT_EQ(DecodeOutputText("\xFF"), u"");      // one byte: no whole unit
    EXPECT_EQ(DecodeOutputText("\xFF\xFE"), u"");  // the mark alone
    EXPECT_EQ(DecodeOutputText("\xFF\xFE"
                               "A\0B\0\r\0\n\0"s),
              u"AB\r\n");
    EXPECT_EQ(DecodeOutputText("A\0B\0"s), u"AB");  // no mark: still UTF-16LE
    EXPECT_EQ(DecodeOutputText("\xFE\xFF"
                               "A\0"s),
              u"\uFFFEA");                             // big-endian mark is text
    EXPECT_EQ(DecodeOutputText("A\0B\0C"s), u"AB");    // the odd last byte is dropped
    EXPECT_EQ(DecodeOutputText("A\0\0\0B\0"s), u"A");  // the text ends at its first 0 unit
    EXPECT_EQ(DecodeOutputText("\x00\x4E"s), u"\u4E00");
}

TEST(OutputText, LoadsAFileAndGivesNothingForAMissingOne) {
    test::ScratchDir dir;
    test::WriteBytes(dir / "out.dat",
                     "\xFF\xFE"
                     "x\0y\0"s);
    EXPECT_EQ(LoadOutputText(dir / "out.dat"), u"xy");
    EXPECT_EQ(LoadOutputText(dir / "missing.dat"), u"");
    EXPECT_EQ(LoadOutputText(dir.Path()), u"");  // a folder reads as nothing
}

TEST(OutputText, LibraryTargetIsCreatedOrEmptied) {
    test::ScratchDir dir;
    test::WriteBytes(dir / "old.dzk", "previous records");
    EXPECT_TRUE(CreateOrEmptyFile(dir / "old.dzk"));
    EXPECT_EQ(test::ReadBytes(dir / "old.dzk"), "");
    EXPECT_TRUE(CreateOrEmptyFile(dir / "new.dzk"));
    EXPECT_TRUE(std::filesystem::exists(dir / "new.dzk"));
    EXPECT_FALSE(CreateOrEmptyFile(dir / "no" / "such" / "folder.dzk"));
    EXPECT_FALSE(CreateOrEmptyFile(dir.Path()));
}

}  // namespace
}  // namespace zemtra
