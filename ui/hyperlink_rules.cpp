// The web link's pure rules: colours, error texts, the platform's command-line rule and its
// counterpart for a desktop file's Exec line.
#include "ui/hyperlink_rules.h"

#include <array>
#include <utility>

#include "base/unicode.h"

namespace zemtra {
namespace {

constexpr std::array<std::pair<int, std::u16string_view>, 13> kOpenErrorTexts = {{
    {0, u"The operating system is out\nof memory or resources."},
    {2, u"The specified file was not found."},
    {3, u"The specified path was not found."},
    {5, u"The operating system denied\naccess to the specified file."},
    {8, u"There was not enough memory to complete the operation."},
    {11, u"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, u"A sharing violation occurred. "},
    {27, u"The filename association is\nincomplete or invalid."},
    {28, u"The DDE transaction could not\nbe completed because the request timed out."},
    {29, u"The DDE transaction failed."},
    {30,
     u"The DDE transaction could not\nbe completed because other DDE transactions\nwere "
     u"being processed."},
    {31, u"There is no application associated\nwith the given filename extension."},
    {32, u"The specified dynamic-link library was not found."},
}};

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        if (c != prefix[i]) return false;
    }
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The escapes of a desktop file's string values: \s \n \t \r \\.
std::string UnescapeDesktopValue(std::string_view v) {
    std::string out;
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 == v.size()) {
            out += v[i];
            continue;
        }
        const char next = v[++i];
        switch (next) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                out += '\\';
                out += next;
                break;
        }
    }
    return out;
}

bool IsUrlFieldCode(char c) {
    return c == 'u' || c == 'U' || c == 'f' || c == 'F';
}

}  // namespace

uint32_t LinkTextColour(const LinkColours& colours, bool mouseOver, bool visited) {
    if (mouseOver) return colours.hover;
    return visited ? colours.visited : colours.link;
}

bool LinkUnderlined(UnderlineMode mode, bool mouseOver) {
    return mode == UnderlineMode::Always || (mode == UnderlineMode::OnHover && mouseOver);
}

std::u16string OpenErrorText(int outcome) {
    std::u16string text = u"Unable to open hyperlink:\n\n";
    for (const auto& [number, reason] : kOpenErrorTexts) {
        if (number == outcome) return text + std::u16string(reason);
    }
    return text + u"Unknown Error (" + Utf8ToUtf16(std::to_string(outcome)) + u") occurred.";
}

std::u16string BuildOpenCommandLine(std::u16string_view commandLine, std::u16string_view address) {
    size_t cut = commandLine.find(u"\"%1\"");
    if (cut == commandLine.npos) cut = commandLine.find(u"%1");
    std::u16string line(commandLine.substr(0, cut));  // npos keeps the whole line
    line += u' ';
    line += address;
    return line;
}

bool IsWebAddress(std::u16string_view address) {
    size_t rest = 0;
    if (StartsWithIgnoringCase(address, u"https://")) {
        rest = 8;
    } else if (StartsWithIgnoringCase(address, u"http://")) {
        rest = 7;
    } else {
        return false;
    }
    for (char16_t c : address) {
        if (c <= 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
    }
    const size_t hostEnd = address.find_first_of(u"/?#", rest);
    return (hostEnd == address.npos ? address.size() : hostEnd) > rest;
}

std::optional<std::string> DesktopExecLine(std::string_view desktopFile) {
    bool inEntry = false;
    size_t pos = 0;
    while (pos <= desktopFile.size()) {
        size_t end = desktopFile.find('\n', pos);
        if (end == desktopFile.npos) end = desktopFile.size();
        const std::string_view line = Trim(desktopFile.substr(pos, end - pos));
        pos = end + 1;
        if (!line.empty() && line.front() == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const size_t eq = line.find('=');
        if (!inEntry || eq == line.npos || Trim(line.substr(0, eq)) != "Exec") continue;
        return UnescapeDesktopValue(Trim(line.substr(eq + 1)));
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> SplitExecLine(std::string_view exec) {
    std::vector<std::string> args;
    size_t i = 0;
    while (true) {
        while (i < exec.size() && IsBlank(exec[i])) ++i;
        if (i == exec.size()) return args;
        std::string arg;
        while (i < exec.size() && !IsBlank(exec[i])) {
            if (exec[i] != '"') {
                arg += exec[i++];
                continue;
            }
            for (++i;; ++i) {  // a quoted part, with \ before " ` $ and \ taken literally
                if (i == exec.size()) return std::nullopt;
                if (exec[i] == '"') break;
                if (exec[i] == '\\' && i + 1 < exec.size() &&
                    std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
                    ++i;
                }
                arg += exec[i];
            }
            ++i;
        }
        args.push_back(std::move(arg));
    }
}

std::optional<std::vector<std::string>> BrowserArguments(std::string_view exec,
                                                         std::string_view address) {
    const std::optional<std::vector<std::string>> tokens = SplitExecLine(exec);
    if (!tokens) return std::nullopt;
    std::vector<std::string> args;
    bool cut = false;
    for (const std::string& token : *tokens) {
        std::string arg;
        bool dropped = false;
        for (size_t i = 0; i < token.size() && !cut; ++i) {
            if (token[i] != '%' || i + 1 == token.size()) {
                arg += token[i];
            } else if (token[i + 1] == '%') {
                arg += token[++i];
            } else if (IsUrlFieldCode(token[i + 1])) {
                cut = true;  // the place of %1: the line ends here
            } else {
                ++i;  // another field code (%i, %c, %k, ...): not ours to fill
                dropped = true;
            }
        }
        if (!arg.empty() || (!dropped && !cut)) args.push_back(std::move(arg));
        if (cut) break;
    }
    if (args.empty() || args.front().empty()) return std::nullopt;  // no program to start
    args.emplace_back(address);
    return args;
}

}  // namespace zemtra
