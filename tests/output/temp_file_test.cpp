// Tests of the private temporary folder: where it goes, that it is made 0700, and that a link,
// a file, a stranger's folder or an open folder in its place is refused.
#include "output/temp_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/error.h"
#include "support/scoped_env.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::ScratchDir;
using test::WriteBytes;

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info.st_mode;
}

// XDG_RUNTIME_DIR and TMPDIR inside scratch folders, so that no test touches the real ones.
class TempFolderTest : public ::testing::Test {
  protected:
    TempFolderTest() {
        env_.Set("XDG_RUNTIME_DIR", runtime_.Path().c_str());
        env_.Set("TMPDIR", tmp_.Path().c_str());
    }
    fs::path RuntimeFolder() const { return runtime_ / "zemtra"; }
    fs::path FallbackFolder() const { return tmp_ / ("zemtra-" + std::to_string(geteuid())); }
    void UseRuntimeDir(const char* value) { env_.Set("XDG_RUNTIME_DIR", value); }

    ScratchDir runtime_;
    ScratchDir tmp_;
    ScopedEnv env_;
};

TEST_F(TempFolderTest, MadePrivateInTheRuntimeDir) {
    EXPECT_EQ(PrivateTempFolder(), RuntimeFolder());
    EXPECT_TRUE(S_ISDIR(ModeOf(RuntimeFolder())));
    EXPECT_EQ(ModeOf(RuntimeFolder()) & 0777, 0700u);
    // The second call finds the folder it made.
    EXPECT_EQ(TempOutputPath(), RuntimeFolder() / "Zemtra_Temp.dat");
}

TEST_F(TempFolderTest, PrivateEvenUnderAStrictUmask) {
    const mode_t oldMask = umask(0277);
    const fs::path folder = PrivateTempFolder();
    umask(oldMask);
    EXPECT_EQ(ModeOf(folder) & 0777, 0700u);
}

TEST_F(TempFolderTest, SystemTempFolderWithoutAUsableRuntimeDir) {
    WriteBytes(runtime_ / "file", "x");
    const std::string file = (runtime_ / "file").string();
    const std::string missing = (runtime_ / "missing").string();
    for (const char* value :
         {static_cast<const char*>(nullptr), "", "relative/dir", file.c_str(), missing.c_str()}) {
        UseRuntimeDir(value);
        EXPECT_EQ(PrivateTempFolder(), FallbackFolder()) << (value ? value : "(unset)");
    }
    EXPECT_EQ(ModeOf(FallbackFolder()) & 0777, 0700u);
    EXPECT_FALSE(fs::exists(runtime_ / "missing"));
}

TEST_F(TempFolderTest, PlantedLinkIsRefused) {
    ScratchDir elsewhere;  // a perfectly private folder, but reached through a link
    fs::create_directory_symlink(elsewhere.Path(), RuntimeFolder());
    EXPECT_THROW(PrivateTempFolder(), UserError);
    EXPECT_THROW(TempOutputPath(), UserError);
    EXPECT_TRUE(fs::is_empty(elsewhere.Path()));

    // The same in the shared temporary folder, and a dangling link too.
    UseRuntimeDir(nullptr);
    fs::create_directory_symlink(tmp_ / "nowhere", FallbackFolder());
    EXPECT_THROW(PrivateTempFolder(), UserError);
    EXPECT_FALSE(fs::exists(tmp_ / "nowhere"));
}

TEST_F(TempFolderTest, FileInItsPlaceIsRefused) {
    WriteBytes(RuntimeFolder(), "not a folder");
    EXPECT_THROW(PrivateTempFolder(), UserError);
}

TEST_F(TempFolderTest, FolderOpenToOthersIsRefused) {
    fs::create_directory(RuntimeFolder());
    for (mode_t mode : {0755, 0750, 0701, 0710, 0702}) {
        chmod(RuntimeFolder().c_str(), mode);
        EXPECT_THROW(PrivateTempFolder(), UserError) << std::oct << mode;
    }
    chmod(RuntimeFolder().c_str(), 0700);
    EXPECT_EQ(PrivateTempFolder(), RuntimeFolder());
}

TEST_F(TempFolderTest, StrangersFolderIsRefused) {
    fs::create_directory(RuntimeFolder());
    chmod(RuntimeFolder().c_str(), 0700);
    if (chown(RuntimeFolder().c_str(), geteuid() + 1, static_cast<gid_t>(-1)) != 0) {
        GTEST_SKIP() << "needs the right to give a folder away";
    }
    EXPECT_THROW(PrivateTempFolder(), UserError);
}

TEST_F(TempFolderTest, StrangersRuntimeDirIsNotUsed) {
    if (chown(runtime_.Path().c_str(), geteuid() + 1, static_cast<gid_t>(-1)) != 0) {
        GTEST_SKIP() << "needs the right to give a folder away";
    }
    EXPECT_EQ(PrivateTempFolder(), FallbackFolder());
    EXPECT_FALSE(fs::exists(RuntimeFolder()));
}

TEST_F(TempFolderTest, ErrorNamesTheFolder) {
    fs::create_directory(RuntimeFolder());
    chmod(RuntimeFolder().c_str(), 0777);
    try {
        PrivateTempFolder();
        FAIL() << "an open folder was accepted";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find(RuntimeFolder().string()), std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace zemtra
