// The rules of the web link (CHyperLink) without a window: its colours and underline modes,
// opening an address in the user's browser with the platform's outcome numbers, the browser
// command line of the fall-back and the texts of a failed open.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zemtra {

// Colours are 0x00BBGGRR.
struct LinkColours {
    uint32_t link;
    uint32_t visited;
    uint32_t hover;
};
// A fresh control: RGB(0, 0, 238), RGB(85, 26, 139), RGB(255, 0, 0).
inline constexpr LinkColours kDefaultLinkColours{0xEE0000, 0x8B1A55, 0x0000FF};
// What the main dialog sets: black in both states, RGB(0, 124, 195) under the mouse.
inline constexpr LinkColours kMainDialogLinkColours{0x000000, 0x000000, 0xC37C00};

enum class UnderlineMode : int32_t { OnHover = -1, Never = 0, Always = 1 };

// The hover timer: id and period.
inline constexpr int kLinkTimerId = 100;
inline constexpr int kLinkTimerMs = 100;

// The caption's colour: hover while the mouse is over it, else visited after a successful
// open, else the link colour.
uint32_t LinkTextColour(const LinkColours& colours, bool mouseOver, bool visited);
// Whether the caption is drawn underlined.
bool LinkUnderlined(UnderlineMode mode, bool mouseOver);

// Outcome numbers of an open, those of the platform's shell-execute function: above 32 is
// success; the failures below are the ones this platform can report.
inline constexpr int kOpenSucceeded = 42;
inline constexpr int kOpenOutOfResources = 0;
inline constexpr int kOpenFileNotFound = 2;  // also: the address is not an http(s) address
inline constexpr int kOpenAccessDenied = 5;
inline constexpr int kOpenOutOfMemory = 8;
inline constexpr int kOpenInvalidProgram = 11;
inline constexpr int kOpenAssociationIncomplete = 27;
inline constexpr int kOpenNoAssociation = 31;

inline bool OpenSucceeded(int outcome) {
    return outcome > 32;
}

// The message of a failed open: "Unable to open hyperlink:\n\n" and the outcome's text.
std::u16string OpenErrorText(int outcome);

// The platform's rule for a registered command line: cut it at "%1" with its quotes, else at
// %1, and append a blank and the address; a line without %1 gets a blank and the address.
std::u16string BuildOpenCommandLine(std::u16string_view commandLine, std::u16string_view address);

// True for an absolute http:// or https:// address with a host and no white space or control
// characters; nothing else is handed to the opener.
bool IsWebAddress(std::u16string_view address);

// The Exec line of a .desktop file's [Desktop Entry] group; nothing when there is none.
std::optional<std::string> DesktopExecLine(std::string_view desktopFile);
// The arguments of an Exec line (the desktop-entry quoting: double quotes, with \ before
// " ` $ and \); nothing when a quote is left open.
std::optional<std::vector<std::string>> SplitExecLine(std::string_view exec);
// The same rule as BuildOpenCommandLine for an Exec line, whose %u, %U, %f and %F stand for
// %1: the arguments up to the first of them, then the address as one argument. The other
// field codes are dropped and "%%" becomes "%". Nothing when the line is unusable.
std::optional<std::vector<std::string>> BrowserArguments(std::string_view exec,
                                                         std::string_view address);

// Starting a program: argv[0] is looked up in PATH; no shell is involved.
struct SpawnRequest {
    std::vector<std::string> argv;
    bool wait = true;            // wait for the exit (up to a few seconds); false: just start it
    bool captureOutput = false;  // with wait: collect its standard output
};
struct SpawnResult {
    int startError = 0;   // errno of a failed start (ENOENT: no such program), 0 if it ran
    bool exited = false;  // it ended within the wait
    int exitCode = -1;    // its exit status when it exited normally, else -1
    std::string output;   // standard output, when captured
};
using SpawnFunction = std::function<SpawnResult(const SpawnRequest&)>;

// The real one: posix_spawnp, waiting at most waitSeconds; a program still running then is
// left to run and reaped in the background.
SpawnResult SpawnProgram(const SpawnRequest& request, int waitSeconds = 5);

// Where to look for a desktop file: $XDG_DATA_HOME/applications (~/.local/share/...), then
// each $XDG_DATA_DIRS folder's applications (/usr/local/share:/usr/share).
std::vector<std::string> ApplicationFolders();

// Opens the address in the user's browser and gives the outcome number: xdg-open ADDRESS;
// when that fails, the desktop's HTML handler (xdg-mime query default text/html) is started
// directly from its Exec line. When the fall-back cannot be used, xdg-open's outcome stands.
// An address that is not a web address is refused with kOpenFileNotFound, nothing started.
int OpenTarget(std::u16string_view address, const SpawnFunction& spawn,
               const std::vector<std::string>& applicationFolders);
int OpenTarget(std::u16string_view address);

// The outcome numbers for the start and the exit of xdg-open.
int OutcomeOfStartError(int error);
int OutcomeOfXdgOpen(const SpawnResult& result);

}  // namespace zemtra
