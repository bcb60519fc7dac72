// Whole-file writes: the old content survives every failure, links are written through, and
// read-only files or folders are refused.
#include "base/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "base/error.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

size_t EntriesIn(const std::filesystem::path& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
}

TEST(WriteFileAtomically, ReplacesTheContentAndKeepsThePermissions) {
    test::ScratchDir dir;
    const auto file = dir / "a.txt";
    WriteFileAtomically(file, "first");
    ::chmod(file.c_str(), 0640);
    WriteFileAtomically(file, "second");
    EXPECT_EQ(test::ReadBytes(file), "second");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);  // no temporary file left
}

TEST(WriteFileAtomically, WritesThroughALinkToItsTarget) {
    test::ScratchDir dir;
    const auto target = dir / "real.txt";
    const auto link = dir / "link.txt";
    test::WriteBytes(target, "old");
    std::filesystem::create_symlink(target, link);
    WriteFileAtomically(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::ReadBytes(target), "new");
}

TEST(WriteFileAtomically, RefusesFoldersReadOnlyFilesAndMissingFolders) {
    test::ScratchDir dir;
    EXPECT_THROW(WriteFileAtomically(dir.Path(), "x"), UserError);
    const auto readOnly = dir / "ro.txt";
    test::WriteBytes(readOnly, "keep");
    ::chmod(readOnly.c_str(), 0444);
    try {
        WriteFileAtomically(readOnly, "lost");
        FAIL() << "a read-only file was replaced";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("read-only"), std::string::npos) << e.what();
    }
    EXPECT_EQ(test::ReadBytes(readOnly), "keep");
    EXPECT_THROW(WriteFileAtomically(dir / "missing" / "x.txt", "x"), UserError);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(WriteFileAtomically, FullDiskKeepsTheOldFile) {
    // /dev/full is not a regular file; a full disk inside a folder is simulated by the size
    // limit of the process instead.
    test::ScratchDir dir;
    const auto file = dir / "keep.txt";
    test::WriteBytes(file, "old");
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 4;
    signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(WriteFileAtomically(file, "much more than four bytes"), UserError);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(test::ReadBytes(file), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

}  // namespace
}  // namespace zemtra
