// The web link without a window: the command-line rule, the error texts, the address check,
// desktop Exec lines, and OpenTarget's two ways of opening with a recorded spawner.
#include "ui/hyperlink_rules.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "base/about.h"
#include "project/project_test_util.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

constexpr std::u16string_view kAddress = kMakerWebAddress;

TEST(HyperlinkCommandLineTest, CutAtPercentOneThenTheAddress) {
    EXPECT_EQ(BuildOpenCommandLine(u"C:\\Program Files\\Web\\browser.exe -nohome \"%1\"", kAddress),
              u"C:\\Program Files\\Web\\browser.exe -nohome  https://zemtra.org");
    EXPECT_EQ(BuildOpenCommandLine(u"browser.exe %1 -extra", u"http://a"),
              u"browser.exe  http://a");
    EXPECT_EQ(BuildOpenCommandLine(u"browser.exe", u"http://a"), u"browser.exe http://a");
    // The quoted form wins even when a bare %1 comes first.
    EXPECT_EQ(BuildOpenCommandLine(u"b.exe -x%1 \"%1\"", u"http://a"), u"b.exe -x%1  http://a");
}

TEST(HyperlinkCommandLineTest, ExecLinesFollowTheSameRule) {
    const std::string a = "https://zemtra.org";
    using Args = std::vector<std::string>;
    EXPECT_EQ(BrowserArguments("firefox-esr %u", a), (Args{"firefox-esr", a}));
    EXPECT_EQ(BrowserArguments("\"/opt/My Browser/run\" --new-window %U --later", a),
              (Args{"/opt/My Browser/run", "--new-window", a}));
    EXPECT_EQ(BrowserArguments("browser --app=%u", a), (Args{"browser", "--app=", a}));
    EXPECT_EQ(BrowserArguments("browser %i --name %c -z 100%% %F", a),
              (Args{"browser", "--name", "-z", "100%", a}));
    EXPECT_EQ(BrowserArguments("browser -nohome", a), (Args{"browser", "-nohome", a}));
    EXPECT_EQ(BrowserArguments("\"b \\\"q\\\" \\$x\"", a), (Args{"b \"q\" $x", a}));
    EXPECT_EQ(BrowserArguments("\"open", a), std::nullopt);
    EXPECT_EQ(BrowserArguments("%u", a), std::nullopt);
    EXPECT_EQ(BrowserArguments("   ", a), std::nullopt);
}

TEST(HyperlinkCommandLineTest, DesktopFileExecOfTheMainEntry) {
    EXPECT_EQ(DesktopExecLine("[Desktop Action new]\nExec=wrong %u\n[Desktop Entry]\r\n"
                              "Name=Web\r\nExec = web\\s--x %u\r\nTryExec=web\n"),
              "web --x %u");
    EXPECT_EQ(DesktopExecLine("[Desktop Entry]\nName=NoExec\n"), std::nullopt);
    EXPECT_EQ(DesktopExecLine("Exec=orphan\n"), std::nullopt);
}

TEST(HyperlinkErrorTest, TextsByOutcome) {
    EXPECT_EQ(OpenErrorText(31),
              u"Unable to open hyperlink:\n\nThere is no application associated\nwith the "
              u"given filename extension.");
    EXPECT_EQ(OpenErrorText(26), u"Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(OpenErrorText(0),
              u"Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(OpenErrorText(2), u"Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(OpenErrorText(1), u"Unable to open hyperlink:\n\nUnknown Error (1) occurred.");
    EXPECT_EQ(OpenErrorText(-7), u"Unable to open hyperlink:\n\nUnknown Error (-7) occurred.");
    EXPECT_FALSE(OpenSucceeded(32));
    EXPECT_TRUE(OpenSucceeded(kOpenSucceeded));
}

TEST(HyperlinkLookTest, ColoursAndUnderline) {
    const LinkColours& c = kMainDialogLinkColours;
    EXPECT_EQ(LinkTextColour(c, true, false), 0u | 124u << 8 | 195u << 16);
    EXPECT_EQ(LinkTextColour(c, false, true), 0u);
    EXPECT_EQ(LinkTextColour(kDefaultLinkColours, false, false), 238u << 16);
    EXPECT_EQ(LinkTextColour(kDefaultLinkColours, false, true), 85u | 26u << 8 | 139u << 16);
    EXPECT_EQ(LinkTextColour(kDefaultLinkColours, true, true), 255u);
    EXPECT_FALSE(LinkUnderlined(UnderlineMode::Never, true));
    EXPECT_TRUE(LinkUnderlined(UnderlineMode::OnHover, true));
    EXPECT_FALSE(LinkUnderlined(UnderlineMode::OnHover, false));
    EXPECT_TRUE(LinkUnderlined(UnderlineMode::Always, false));
}

TEST(HyperlinkOpenTest, OnlyWebAddressesAreOpened) {
    EXPECT_TRUE(IsWebAddress(kAddress));
    EXPECT_TRUE(IsWebAddress(u"HTTP://Example.org:8080/a?b=c#d"));
    for (std::u16string_view bad :
         {u"", u"zemtra.org", u"file:///etc/passwd", u"javascript:alert(1)", u"http://",
          u"https:///path", u"http://a b", u"http://a\nb", u"-http://a", u"ftp://a"}) {
        EXPECT_FALSE(IsWebAddress(bad)) << std::string(bad.begin(), bad.end());
    }
}

// Answers each spawn from a script of results and keeps the requests.
struct Recorder {
    std::vector<SpawnRequest> requests;
    std::vector<SpawnResult> results;
    SpawnFunction Function() {
        return [this](const SpawnRequest& r) {
            requests.push_back(r);
            if (requests.size() > results.size()) return SpawnResult{ENOENT, false, -1, ""};
            return results[requests.size() - 1];
        };
    }
};

SpawnResult Exited(int code, std::string output = "") {
    return SpawnResult{0, true, code, std::move(output)};
}

TEST(HyperlinkOpenTest, XdgOpenFirst) {
    Recorder rec;
    rec.results = {Exited(0)};
    EXPECT_EQ(OpenTarget(kAddress, rec.Function(), {}), kOpenSucceeded);
    ASSERT_EQ(rec.requests.size(), 1u);
    EXPECT_EQ(rec.requests[0].argv, (std::vector<std::string>{"xdg-open", "https://zemtra.org"}));

    Recorder refused;
    EXPECT_EQ(OpenTarget(u"file:///etc/passwd", refused.Function(), {}), kOpenFileNotFound);
    EXPECT_TRUE(refused.requests.empty());
}

TEST(HyperlinkOpenTest, FailuresKeepXdgOpensOutcome) {
    Recorder missing;  // neither xdg-open nor xdg-mime: no way to open a browser
    EXPECT_EQ(OpenTarget(kAddress, missing.Function(), {}), kOpenNoAssociation);
    EXPECT_EQ(missing.requests.size(), 2u);

    Recorder noHandler;
    noHandler.results = {Exited(3), Exited(0, "\n")};
    EXPECT_EQ(OpenTarget(kAddress, noHandler.Function(), {}), kOpenNoAssociation);

    test::ScratchDir apps;
    test::WriteBytes(apps / "broken.desktop", "[Desktop Entry]\nExec=\"unclosed %u\n");
    Recorder badExec;
    badExec.results = {Exited(4), Exited(0, "broken.desktop\n")};
    EXPECT_EQ(OpenTarget(kAddress, badExec.Function(), {apps.Path().string()}),
              kOpenAssociationIncomplete);
    EXPECT_EQ(badExec.requests.size(), 2u);
}

TEST(HyperlinkOpenTest, FallBackOnTheHtmlHandlersDesktopFile) {
    test::ScratchDir home, system;
    std::filesystem::create_directories(system / "vendor");
    test::WriteBytes(system / "vendor" / "web.desktop",
                     "[Desktop Entry]\nType=Application\nExec=/opt/web/bin/web -nohome \"%u\"\n");
    Recorder rec;
    rec.results = {Exited(3), Exited(0, "vendor-web.desktop\n"), SpawnResult{}};
    const std::vector<std::string> folders = {home.Path().string(), system.Path().string()};
    EXPECT_EQ(OpenTarget(kAddress, rec.Function(), folders), kOpenSucceeded);
    ASSERT_EQ(rec.requests.size(), 3u);
    EXPECT_EQ(rec.requests[1].argv,
              (std::vector<std::string>{"xdg-mime", "query", "default", "text/html"}));
    EXPECT_TRUE(rec.requests[1].captureOutput);
    EXPECT_EQ(rec.requests[2].argv,
              (std::vector<std::string>{"/opt/web/bin/web", "-nohome", "https://zemtra.org"}));
    EXPECT_FALSE(rec.requests[2].wait);  // the browser is started, not waited for

    Recorder gone;  // the handler's program is missing: its start error is the outcome
    gone.results = {Exited(3), Exited(0, "vendor-web.desktop"), SpawnResult{EACCES, false, -1, ""}};
    EXPECT_EQ(OpenTarget(kAddress, gone.Function(), folders), kOpenAccessDenied);
}

TEST(HyperlinkOpenTest, OutcomeNumbers) {
    EXPECT_EQ(OutcomeOfStartError(ENOENT), kOpenFileNotFound);
    EXPECT_EQ(OutcomeOfStartError(EACCES), kOpenAccessDenied);
    EXPECT_EQ(OutcomeOfStartError(ENOMEM), kOpenOutOfMemory);
    EXPECT_EQ(OutcomeOfStartError(ENOEXEC), kOpenInvalidProgram);
    EXPECT_EQ(OutcomeOfXdgOpen(SpawnResult{0, false, -1, ""}), kOpenSucceeded);  // still running
    EXPECT_EQ(OutcomeOfXdgOpen(Exited(2)), kOpenFileNotFound);
    EXPECT_EQ(OutcomeOfXdgOpen(Exited(3)), kOpenNoAssociation);
    EXPECT_EQ(OutcomeOfXdgOpen(Exited(4)), kOpenAssociationIncomplete);
    EXPECT_EQ(OutcomeOfXdgOpen(SpawnResult{0, true, -1, ""}), kOpenAssociationIncomplete);
}

TEST(HyperlinkSpawnTest, RealProcessesWithoutAShell) {
    SpawnResult r = SpawnProgram({{"sh", "-c", "echo out; exit 3"}, true, true});
    EXPECT_EQ(r.startError, 0);
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.output, "out\n");
    // Arguments reach the program as they are, with no shell to read them.
    r = SpawnProgram({{"printf", "%s", "a b; $(echo no)"}, true, true});
    EXPECT_EQ(r.output, "a b; $(echo no)");
    r = SpawnProgram({{"zemtra-no-such-program-here"}, true, false});
    EXPECT_EQ(r.startError, ENOENT);
    // A missing xdg-open means nothing here opens web pages, not a missing file.
    EXPECT_EQ(OutcomeOfXdgOpen(r), kOpenNoAssociation);

    const auto begin = std::chrono::steady_clock::now();
    r = SpawnProgram({{"sleep", "3"}, true, false}, 1);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    EXPECT_FALSE(r.exited);
    EXPECT_LT(seconds, 2.5);
}

void WriteScript(const std::filesystem::path& path, const std::string& body) {
    test::WriteBytes(path, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

std::string WaitForFile(const std::filesystem::path& path) {
    for (int i = 0; i < 300 && !std::filesystem::exists(path); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let the writer finish
    return test::ReadBytes(path);
}

// The real runner against stand-ins for xdg-open, xdg-mime and a browser on PATH.
TEST(HyperlinkSpawnTest, OpenTargetEndToEnd) {
    test::ScratchDir bin, data;
    const std::string out = (bin / "opened").string();
    WriteScript(bin / "xdg-open", "printf '%s' \"$1\" > '" + out + "'; exit 0");
    const test::EnvGuard path("PATH", bin.Path().c_str());
    EXPECT_EQ(OpenTarget(kAddress), kOpenSucceeded);
    EXPECT_EQ(test::ReadBytes(out), "https://zemtra.org");
    std::filesystem::remove(out);

    WriteScript(bin / "xdg-open", "exit 3");
    WriteScript(bin / "xdg-mime", "echo web.desktop");
    WriteScript(bin / "web", "printf '%s|' \"$@\" > '" + out + "'");
    std::filesystem::create_directories(data / "applications");
    test::WriteBytes(data / "applications" / "web.desktop",
                     "[Desktop Entry]\nExec=web --new-tab %u --ignored\n");
    const test::EnvGuard dataHome("XDG_DATA_HOME", data.Path().c_str());
    EXPECT_EQ(OpenTarget(kAddress), kOpenSucceeded);
    EXPECT_EQ(WaitForFile(out), "--new-tab|https://zemtra.org|");

    std::filesystem::remove(bin / "xdg-mime");
    EXPECT_EQ(OpenTarget(kAddress), kOpenNoAssociation);
}

}  // namespace
}  // namespace zemtra
