// Tests of CStdioFileEx: the byte-order mark, the unicode decision on open, ANSI text, the
// open flags, and write failures reported by Close().
#include "output/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "support/scoped_env.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

using test::ReadBytes;
using test::ScopedEnv;
using test::ScratchDir;
using test::WriteBytes;
using namespace std::string_literals;

constexpr uint32_t kTextFlags = 0x109001;  // create + write + binary + unicode
constexpr uint32_t kAnsiWrite = CStdioFileEx::modeCreate | CStdioFileEx::modeWrite;

TEST(TextFileTest, FlagsMatchTheFrameworkValues) {
    EXPECT_EQ(CStdioFileEx::modeCreate | CStdioFileEx::modeWrite | CStdioFileEx::typeBinary |
                  CStdioFileEx::modeUnicode,
              kTextFlags);
}

TEST(TextFileTest, UnicodeTextGetsOneMarkAndLittleEndianUnits) {
    ScratchDir dir;
    const std::string expected = "\xFF\xFE\x41\0B\0\r\0\n\0"s;
    {
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(dir / "one.txt", kTextFlags));
        EXPECT_TRUE(file.unicode);
        EXPECT_TRUE(file.WriteString(u"AB\r\n"));
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(ReadBytes(dir / "one.txt"), expected);
    {
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(dir / "two.txt", kTextFlags));
        EXPECT_TRUE(file.WriteString(u"AB"));
        EXPECT_TRUE(file.WriteString(u""));
        EXPECT_TRUE(file.WriteString(u"\r\n"));
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(ReadBytes(dir / "two.txt"), expected);
}

TEST(TextFileTest, UnicodeWritesEveryUnitAsIs) {
    ScratchDir dir;
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(dir / "units.txt", kTextFlags));
    EXPECT_TRUE(file.WriteString(u"啊\0\xD800"s));  // no terminator, no check of the units
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(dir / "units.txt"), "\xFF\xFE\x4A\x55\0\0\x00\xD8"s);
}

TEST(TextFileTest, UnicodeDecisionOnOpen) {
    ScratchDir dir;
    const auto path = dir / "text.txt";
    struct Case {
        const char* name;
        std::string content;
        uint32_t flags;
        bool unicode;
    };
    const Case cases[] = {
        {"marked file, read", "\xFF\xFE\x41\0"s, CStdioFileEx::modeRead, true},
        {"marked file, read-write", "\xFF\xFE"s, CStdioFileEx::modeReadWrite, true},
        {"unmarked file, read with flag", "AB", CStdioFileEx::modeRead | CStdioFileEx::modeUnicode,
         false},
        {"unmarked file, read-write with flag", "AB",
         CStdioFileEx::modeReadWrite | CStdioFileEx::modeUnicode, true},
        {"one byte of the mark", "\xFF", CStdioFileEx::modeRead, false},
        {"big-endian mark", "\xFE\xFF", CStdioFileEx::modeRead, false},
        {"empty file", "", CStdioFileEx::modeRead, false},
        {"write without flag", "", kAnsiWrite, false},
        {"write with flag", "", kTextFlags, true},
    };
    for (const Case& c : cases) {
        WriteBytes(path, c.content);
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(path, c.flags)) << c.name;
        EXPECT_EQ(file.unicode, c.unicode) << c.name;
        EXPECT_TRUE(file.Close()) << c.name;
    }
}

TEST(TextFileTest, OpenRewindsAndKeepsContentWithNoTruncate) {
    ScratchDir dir;
    const auto path = dir / "kept.txt";
    WriteBytes(path, "\xFF\xFE\x41\0B\0"s);
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeNoTruncate |
                                    CStdioFileEx::modeReadWrite));
    EXPECT_TRUE(file.unicode);
    // The mark was read, yet the position is 0 again: the mark goes first once more.
    EXPECT_TRUE(file.WriteString(u"X"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(path), "\xFF\xFE\x58\0B\0"s);
}

TEST(TextFileTest, CreateTruncatesAndPlainOpenNeedsTheFile) {
    ScratchDir dir;
    const auto path = dir / "old.txt";
    WriteBytes(path, "old content that is longer");
    {
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(path, kAnsiWrite));
        EXPECT_TRUE(file.WriteString(u"new"));
    }  // the destructor closes and flushes
    EXPECT_EQ(ReadBytes(path), "new");

    CStdioFileEx file;
    EXPECT_FALSE(file.Open(dir / "missing.txt", CStdioFileEx::modeWrite));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.txt"));
    EXPECT_FALSE(file.Open(dir / "no-folder" / "x.txt", kTextFlags));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.WriteString(u"A"));
}

TEST(TextFileTest, AnsiTextUsesTheAnsiCodePage) {
    ScratchDir dir;
    const auto path = dir / "ansi.txt";
    {
        ScopedEnv env("ZEMTRA_ANSI_CODEPAGE", "1252");
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(path, kAnsiWrite | CStdioFileEx::typeBinary));
        EXPECT_FALSE(file.unicode);
        EXPECT_TRUE(file.WriteString(u"A€é啊\r\n"));
        EXPECT_TRUE(file.Close());
        EXPECT_EQ(ReadBytes(path), "A\x80\xE9?\r\n");  // no mark, the default character for 啊
    }
    {
        ScopedEnv env("ZEMTRA_ANSI_CODEPAGE", "936");
        CStdioFileEx file;
        ASSERT_TRUE(file.Open(path, kAnsiWrite));
        EXPECT_TRUE(file.WriteString(u"A啊\xD800\r\n"));
        EXPECT_TRUE(file.Close());
        EXPECT_EQ(ReadBytes(path), "A\xB0\xA1?\r\n");
    }
}

TEST(TextFileTest, NoFollowRefusesLinksAndKeepsTheFilePrivate) {
    ScratchDir dir;
    const auto target = dir / "target.txt";
    WriteBytes(target, "precious");
    std::filesystem::create_symlink(target, dir / "link.txt");
    const uint32_t flags = kTextFlags | CStdioFileEx::modeNoFollow;
    CStdioFileEx file;
    EXPECT_FALSE(file.Open(dir / "link.txt", flags));
    EXPECT_EQ(ReadBytes(target), "precious");

    const mode_t oldMask = umask(022);
    ASSERT_TRUE(file.Open(dir / "private.txt", flags));
    EXPECT_TRUE(file.Close());
    ASSERT_TRUE(file.Open(dir / "shared.txt", kTextFlags));
    EXPECT_TRUE(file.Close());
    umask(oldMask);
    struct stat info {};
    ASSERT_EQ(stat((dir / "private.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(stat((dir / "shared.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(TextFileTest, CloseReportsAFullDisk) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    CStdioFileEx small;
    ASSERT_TRUE(small.Open("/dev/full", kTextFlags));
    small.WriteString(u"AB\r\n");  // may sit in the buffer until Close
    EXPECT_FALSE(small.Close());

    CStdioFileEx large;
    ASSERT_TRUE(large.Open("/dev/full", kTextFlags));
    const std::u16string text(100000, u'x');
    EXPECT_FALSE(large.WriteString(text));  // more than a buffer: fails at once
    EXPECT_FALSE(large.Close());
    // A failure belongs to the file it happened to: the next file starts clean.
    ScratchDir dir;
    ASSERT_TRUE(large.Open(dir / "after.txt", kTextFlags));
    EXPECT_TRUE(large.WriteString(u"A"));
    EXPECT_TRUE(large.Close());
}

TEST(TextFileTest, WritingAFileOpenedForReadingFails) {
    ScratchDir dir;
    const auto path = dir / "read.txt";
    WriteBytes(path, "AB");
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(path, CStdioFileEx::modeRead));
    file.WriteString(u"C");
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(ReadBytes(path), "AB");
}

}  // namespace
}  // namespace zemtra
