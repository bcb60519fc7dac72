// The command line of zemtra-cli turned into a request: which job, on which settings.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/project_settings.h"

namespace zemtra::cli {

// Bad usage or a bad value: printed as one line, exit code 2.
class UsageError : public std::runtime_error {
  public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

struct Request {
    std::string command;  // "c-source", "show", "library", "export", "project", "edit", "help", ...
    std::string subcommand;  // "new" or "save" for "project"
    std::vector<std::string> positional;
    ProjectSettings settings;
    bool settingsFromProject = false;
    std::optional<std::string> text;       // --text, UTF-8
    std::vector<std::string> pictures;     // --picture, in order
    std::optional<std::string> character;  // show --char
    std::optional<std::string> output;     // -o
    std::string encoding = "utf-8";
    std::optional<std::string> codepage;                // library --codepage
    std::optional<std::string> from, to;                // library --from/--to, hexadecimal
    std::optional<std::string> cSource;                 // decode --c-source
    std::optional<std::string> dzk;                     // decode --dzk
    std::optional<long long> index;                     // decode --index
    std::optional<std::string> code;                    // decode --code, hexadecimal
    std::optional<std::string> png;                     // decode --png
    std::optional<std::string> fontFile;                // --font-file PATH[:INDEX]
    std::optional<std::string> format;                  // export --format
    std::optional<long long> bpp;                       // export --bpp
    bool monospace = false;                             // export --monospace
    bool compress = false;                              // export --compress
    bool unicodeMap = false;                            // library --unicode-map
    bool noKerning = false;                             // export --no-kerning
    bool cArray = false;                                // export --c-array
    std::optional<std::string> name;                    // export --name
    std::optional<std::string> range;                   // export --range
    std::vector<std::string> charsFrom;                 // --chars-from, in order
    std::optional<std::string> header;                  // library --header
    std::optional<std::pair<int32_t, int32_t>> matrix;  // --matrix as given (edit's size)
    std::optional<std::string> rows;                    // edit --rows
    bool revert = false;                                // edit --revert
    bool list = false;                                  // edit --list
    // What a --project load skipped (bad [Glyphs] entries), one line each for standard error.
    std::vector<std::string> warnings;
};

// Parses argv; settings start as New's and are changed option by option, in order.
Request ParseCommandLine(const std::vector<std::string>& args);

// The --help text.
std::string HelpText();

}  // namespace zemtra::cli
