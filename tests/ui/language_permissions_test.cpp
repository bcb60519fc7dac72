// Language files that the user may not read: skipped like any other unusable file. Root reads
// everything, so there the check runs in a child process that has become the user "nobody".
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "project/project_test_util.h"
#include "support/test_support.h"
#include "ui/multi_language.h"

namespace zemtra {
namespace {

namespace fs = std::filesystem;

// Runs check as an unprivileged user (in a child when the tests run as root); its result.
bool AsUnprivilegedUser(const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped ? (check() ? 0 : 1) : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_NE(WEXITSTATUS(status), 2) << "could not become another user";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(LanguagePermissions, UnreadableFilesAreSkippedAndTheReadableOnesServe) {
    test::ScratchDir dir;
    fs::permissions(dir.Path(),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::create_directories(dir / "Language");
    test::WriteBytes(dir / "Language" / "1.locked.ini",
                     test::Utf16LeBytes(u"[Setting]\r\nLanguage=Locked\r\n"));
    test::WriteBytes(dir / "Language" / "2.open.ini",
                     test::Utf16LeBytes(u"[Setting]\r\nLanguage=Open\r\n[S]\r\nK=open text\r\n"));
    fs::permissions(dir / "Language" / "1.locked.ini", fs::perms::none);
    // Setting.ini names the locked language; it cannot be had, so lookups use the defaults.
    test::WriteBytes(dir / "Setting.ini", "[Setting]\r\nLanguage=Locked\r\n");
    EXPECT_TRUE(AsUnprivilegedUser([&] {
        CMultiLanguage lang(dir.Path());
        const bool listed = lang.ListLanguages() == std::vector<std::u16string>{u"Open"};
        const bool defaulted = lang.GetText(u"S", u"K", u"default") == u"default";
        const bool lockedRefused = !lang.SelectLanguage(u"Locked");
        const bool openChosen =
            lang.SelectLanguage(u"Open") && lang.GetText(u"S", u"K", u"default") == u"open text";
        return listed && defaulted && lockedRefused && openChosen;
    }));
}

}  // namespace
}  // namespace zemtra
