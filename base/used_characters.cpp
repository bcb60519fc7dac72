// Finding the texts of C sources, gettext catalogues, JSON, Qt and XLIFF translations and
// Android resources with small scanners: lenient on what they skip, exact on what they take.
#include "base/used_characters.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "base/error.h"
#include "base/unicode.h"

namespace zemtra {
namespace {

// Decodes one UTF-8 character at text[at]; advances at. The file is valid UTF-8, but a scanner
// may have stepped into a character (past a backslash before it): such a byte is no character,
// and gives 0, which Keep leaves out.
char32_t Decode(std::string_view text, size_t& at) {
    const auto b = static_cast<unsigned char>(text[at]);
    if (b < 0x80) return text[at++];
    const size_t extra = b < 0xC0 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
    if (extra == 0 || at + extra >= text.size()) {
        ++at;
        return 0;
    }
    char32_t c = b & (0x3F >> extra);
    for (size_t i = 1; i <= extra; ++i) {
        const auto n = static_cast<unsigned char>(text[at + i]);
        if ((n & 0xC0) != 0x80) {
            ++at;
            return 0;
        }
        c = (c << 6) | (n & 0x3F);
    }
    at += extra + 1;
    return c;
}

void Keep(std::u32string& out, char32_t c) {
    if (c >= 0x20 && (c < 0xD800 || c > 0xDFFF) && c <= 0x10FFFF) out += c;
}

// The characters of a UTF-8 stretch, controls left out.
void KeepAll(std::u32string& out, std::string_view text) {
    for (size_t at = 0; at < text.size();) Keep(out, Decode(text, at));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of `digits` hexadecimal digits at text[at], or -1.
int64_t Hex(std::string_view text, size_t at, size_t digits) {
    if (at + digits > text.size()) return -1;
    int64_t v = 0;
    for (size_t i = 0; i < digits; ++i) {
        const int d = HexDigit(text[at + i]);
        if (d < 0) return -1;
        v = std::min<int64_t>(v * 16 + d, 0x110000);  // past Unicode it is no character anyway
    }
    return v;
}

bool IsIdentifier(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The characters of bytes that should be UTF-8: each valid sequence is one, anything else (a
// byte of a binary protocol string) none.
void KeepValidUtf8(std::u32string& out, std::string_view bytes) {
    for (size_t at = 0; at < bytes.size();) {
        const size_t bad = InvalidUtf8At(bytes.substr(at, 4));
        const auto b = static_cast<unsigned char>(bytes[at]);
        const size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        if (bad == 0 || (bad != std::string_view::npos && bad < length)) {
            ++at;
            continue;
        }
        Keep(out, Decode(bytes, at));
    }
}

// The body of a C literal (between its quotes): \u and \U decoded, the escapes of printable
// characters kept, controls dropped. Byte escapes (\x, octal) are bytes of a narrow literal's
// UTF-8, as LVGL's symbols are written ("\xEF\x80\x95"), or code units of a wide one.
void CLiteralBody(std::u32string& out, std::string_view body, bool wide) {
    std::string bytes;  // the literal as UTF-8
    for (size_t at = 0; at < body.size();) {
        if (body[at] != '\\' || at + 1 >= body.size()) {
            bytes += body[at++];
            continue;
        }
        const char e = body[at + 1];
        at += 2;
        if (e == 'u' || e == 'U') {
            const size_t digits = e == 'u' ? 4 : 8;
            const int64_t v = Hex(body, at, digits);
            if (v >= 0) {
                if (v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF)) {
                    AppendUtf8(bytes, static_cast<char32_t>(v));
                }
                at += digits;
            }
        } else if (e == '"' || e == '\'' || e == '\\' || e == '?') {
            bytes += e;
        } else if (e == 'x' || (e >= '0' && e <= '7')) {
            int64_t v = e == 'x' ? 0 : e - '0';
            for (int n = 1; at < body.size(); ++n) {
                const int d = e == 'x' ? HexDigit(body[at]) : body[at] - '0';
                if (e == 'x' ? d < 0 : (d < 0 || d > 7 || n >= 3)) break;
                v = std::min<int64_t>(v * (e == 'x' ? 16 : 8) + d, 0x110000);
                ++at;
            }
            if (!wide && v <= 0xFF) {
                bytes += static_cast<char>(v);
            } else if (wide && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF)) {
                AppendUtf8(bytes, static_cast<char32_t>(v));
            }
        }
    }
    KeepValidUtf8(out, bytes);
}

std::u32string CSourceText(std::string_view t) {
    std::u32string out;
    size_t at = 0;
    bool lineStart = true;  // only white space since the last line break
    while (at < t.size()) {
        const char c = t[at];
        if (c == '\n') {
            lineStart = true;
            ++at;
            continue;
        }
        if (c == '/' && at + 1 < t.size() && t[at + 1] == '/') {
            at = t.find('\n', at);
            if (at == std::string_view::npos) break;
            continue;
        }
        if (c == '/' && at + 1 < t.size() && t[at + 1] == '*') {
            const size_t end = t.find("*/", at + 2);
            if (end == std::string_view::npos) break;
            at = end + 2;
            continue;
        }
        if (c == '#' && lineStart) {
            // A header name is no text of the firmware's.
            size_t word = at + 1;
            while (word < t.size() && (t[word] == ' ' || t[word] == '\t')) ++word;
            if (t.substr(word, 7) == "include") {
                at = t.find('\n', word);
                if (at == std::string_view::npos) break;
                continue;
            }
        }
        if (c != ' ' && c != '\t' && c != '\r') lineStart = false;
        if (c != '"' && c != '\'') {
            ++at;
            continue;
        }
        // The identifier just before the quote: a prefix, R for a raw string, or (before ')
        // a number's digit separator.
        size_t from = at;
        while (from > 0 && IsIdentifier(t[from - 1])) --from;
        const std::string_view word = t.substr(from, at - from);
        const bool prefix =
            word.empty() || word == "u8" || word == "u" || word == "U" || word == "L";
        const bool raw = c == '"' && (word == "R" || word == "u8R" || word == "uR" ||
                                      word == "UR" || word == "LR");
        if (!prefix && !raw) {
            ++at;
            continue;
        }
        if (raw) {
            const size_t open = t.find('(', at + 1);
            if (open == std::string_view::npos || open - at - 1 > 16) {
                ++at;
                continue;
            }
            const std::string close = ")" + std::string(t.substr(at + 1, open - at - 1)) + "\"";
            size_t end = t.find(close, open + 1);
            if (end == std::string_view::npos) end = t.size();
            KeepAll(out, t.substr(open + 1, end - open - 1));
            at = std::min(t.size(), end + close.size());
            continue;
        }
        // The literal ends at its unescaped quote or, unterminated, at the line's end.
        size_t end = at + 1;
        while (end < t.size() && t[end] != c && t[end] != '\n') end += t[end] == '\\' ? 2 : 1;
        end = std::min(end, t.size());
        CLiteralBody(out, t.substr(at + 1, end - at - 1),
                     word == "u" || word == "U" || word == "L");
        at = end + 1;
    }
    return out;
}

// The body of a quoted string with backslash escapes (gettext, JSON, Android): \uXXXX decoded
// (a JSON surrogate pair as one character), \" \' \\ \/ as those characters, others dropped.
void EscapedBody(std::u32string& out, std::string_view body) {
    for (size_t at = 0; at < body.size();) {
        if (body[at] != '\\' || at + 1 >= body.size()) {
            Keep(out, Decode(body, at));
            continue;
        }
        const char e = body[at + 1];
        at += 2;
        if (e == 'u') {
            int64_t v = Hex(body, at, 4);
            if (v < 0) continue;
            at += 4;
            if (v >= 0xD800 && v <= 0xDBFF && body.substr(at, 2) == "\\u") {
                const int64_t low = Hex(body, at + 2, 4);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    v = 0x10000 + ((v - 0xD800) << 10) + (low - 0xDC00);
                    at += 6;
                }
            }
            Keep(out, static_cast<char32_t>(v));
        } else if (e == '"' || e == '\'' || e == '\\' || e == '/') {
            out += static_cast<char32_t>(e);
        }
    }
}

// The end of a quoted string starting at t[at] == '"': the position of its closing quote.
size_t QuotedEnd(std::string_view t, size_t at) {
    size_t end = at + 1;
    while (end < t.size() && t[end] != '"') end += t[end] == '\\' ? 2 : 1;
    return std::min(end, t.size());
}

std::u32string GettextText(std::string_view t) {
    std::u32string out;
    std::u32string id, str;
    bool hasStr = false;
    std::string keyword;
    const auto flush = [&] {
        // The entry with an empty msgid is the catalogue's header, not a text.
        if (!id.empty()) out += str.empty() ? id : str;
        id.clear();
        str.clear();
        hasStr = false;
    };
    for (size_t at = 0; at < t.size();) {
        size_t end = t.find('\n', at);
        if (end == std::string_view::npos) end = t.size();
        std::string_view line = t.substr(at, end - at);
        at = end + 1;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty() || line.front() == '#') continue;  // comments, obsolete entries too
        if (line.front() != '"') {
            size_t space = 0;
            while (space < line.size() && line[space] != ' ' && line[space] != '\t') ++space;
            keyword = std::string(line.substr(0, space));
            line.remove_prefix(space);
            while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
                line.remove_prefix(1);
            }
            // A new entry starts with its context or its msgid after the last one's msgstr.
            if ((keyword == "msgctxt" || keyword == "msgid") && hasStr) flush();
            if (keyword.starts_with("msgstr")) hasStr = true;
        }
        if (line.empty() || line.front() != '"') continue;
        std::u32string text;
        EscapedBody(text, line.substr(1, QuotedEnd(line, 0) - 1));
        if (keyword == "msgid" || keyword == "msgid_plural") id += text;
        if (keyword.starts_with("msgstr")) str += text;
    }
    flush();
    return out;
}

std::u32string JsonText(std::string_view t) {
    std::u32string out;
    for (size_t at = 0; at < t.size(); ++at) {
        if (t[at] != '"') continue;
        const size_t end = QuotedEnd(t, at);
        size_t next = end + 1;
        while (next < t.size() &&
               (t[next] == ' ' || t[next] == '\t' || t[next] == '\r' || t[next] == '\n')) {
            ++next;
        }
        // A string followed by a colon is a key.
        if (next >= t.size() || t[next] != ':') EscapedBody(out, t.substr(at + 1, end - at - 1));
        at = end;
    }
    return out;
}

// XML character data: entities decoded, CDATA sections as they stand, tags skipped.
void XmlContent(std::u32string& out, std::string_view t, bool androidEscapes) {
    std::string plain;
    for (size_t at = 0; at < t.size();) {
        if (t.substr(at, 9) == "<![CDATA[") {
            const size_t end = std::min(t.find("]]>", at + 9), t.size());
            plain += t.substr(at + 9, end - at - 9);
            at = end + 3;
        } else if (t[at] == '<') {
            at = std::min(t.find('>', at), t.size()) + 1;
        } else if (t[at] == '&') {
            const size_t semi = t.find(';', at);
            const std::string_view name =
                t.substr(at + 1, semi == std::string_view::npos ? 0 : semi - at - 1);
            char32_t c = 0;
            if (name == "lt") c = '<';
            if (name == "gt") c = '>';
            if (name == "amp") c = '&';
            if (name == "quot") c = '"';
            if (name == "apos") c = '\'';
            if (name.starts_with("#x") || name.starts_with("#X")) {
                const int64_t v = Hex(name, 2, name.size() - 2);
                c = v > 0 && v <= 0x10FFFF ? static_cast<char32_t>(v) : 0;
            } else if (name.starts_with("#") && name.size() > 1 && name.size() <= 8) {
                int64_t v = 0;
                for (char d : name.substr(1))
                    v = d >= '0' && d <= '9' ? v * 10 + (d - '0') : -1 << 30;
                c = v > 0 && v <= 0x10FFFF ? static_cast<char32_t>(v) : 0;
            }
            if (c == 0 || semi == std::string_view::npos || name.size() > 10) {
                plain += '&';
                ++at;
                continue;
            }
            // As UTF-8 again, so that escapes after it still read in one pass.
            AppendUtf8(plain, c);
            at = semi + 1;
        } else {
            plain += t[at++];
        }
    }
    if (androidEscapes) {
        EscapedBody(out, plain);
    } else {
        KeepAll(out, plain);
    }
}

// The contents of every element named one of `names` (outer ones only; comments skipped).
std::u32string XmlElementsText(std::string_view t, std::initializer_list<std::string_view> names,
                               bool androidEscapes) {
    std::u32string out;
    size_t at = 0;
    while ((at = t.find('<', at)) != std::string_view::npos) {
        if (t.substr(at, 4) == "<!--") {
            at = t.find("-->", at);
            if (at == std::string_view::npos) break;
            continue;
        }
        size_t nameEnd = at + 1;
        while (nameEnd < t.size() && (IsIdentifier(t[nameEnd]) || t[nameEnd] == ':' ||
                                      t[nameEnd] == '-' || t[nameEnd] == '.')) {
            ++nameEnd;
        }
        const std::string_view name = t.substr(at + 1, nameEnd - at - 1);
        const size_t tagEnd = t.find('>', at);
        if (tagEnd == std::string_view::npos) break;
        if (std::find(names.begin(), names.end(), name) == names.end() || t[tagEnd - 1] == '/') {
            at = tagEnd + 1;
            continue;
        }
        const std::string close = "</" + std::string(name);
        size_t end = t.find(close, tagEnd + 1);
        if (end == std::string_view::npos) end = t.size();
        XmlContent(out, t.substr(tagEnd + 1, end - tagEnd - 1), androidEscapes);
        at = end;
    }
    return out;
}

bool EndsWith(const std::string& s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

UsedTextKind UsedTextKindOf(const std::filesystem::path& file, std::string_view text) {
    std::string name = file.filename().string();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    for (const char* s : {".c", ".h", ".cc", ".cpp", ".cxx", ".hpp", ".hh", ".ino"}) {
        if (EndsWith(name, s)) return UsedTextKind::CSource;
    }
    if (EndsWith(name, ".po") || EndsWith(name, ".pot")) return UsedTextKind::Gettext;
    if (EndsWith(name, ".json")) return UsedTextKind::Json;
    if (EndsWith(name, ".ts")) return UsedTextKind::QtTs;
    if (EndsWith(name, ".xlf") || EndsWith(name, ".xliff")) return UsedTextKind::Xliff;
    if (EndsWith(name, ".xml") && text.find("<resources") != std::string_view::npos) {
        return UsedTextKind::AndroidStrings;
    }
    return UsedTextKind::Plain;
}

size_t InvalidUtf8At(std::string_view t) {
    size_t at = 0;
    while (at < t.size()) {
        const auto b = static_cast<unsigned char>(t[at]);
        if (b < 0x80) {
            ++at;
            continue;
        }
        int extra = 0;
        char32_t lowest = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, lowest = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, lowest = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, lowest = 0x10000;
        } else {
            return at;
        }
        char32_t c = b & (0x3F >> extra);
        for (int i = 1; i <= extra; ++i) {
            if (at + i >= t.size()) return at;
            const auto n = static_cast<unsigned char>(t[at + i]);
            if ((n & 0xC0) != 0x80) return at;
            c = (c << 6) | (n & 0x3F);
        }
        // Overlong forms, surrogates and codes past U+10FFFF are no characters.
        if (c < lowest || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return at;
        at += static_cast<size_t>(extra) + 1;
    }
    return std::string_view::npos;
}

std::u32string UsedText(std::string_view text, UsedTextKind kind) {
    switch (kind) {
        case UsedTextKind::CSource:
            return CSourceText(text);
        case UsedTextKind::Gettext:
            return GettextText(text);
        case UsedTextKind::Json:
            return JsonText(text);
        case UsedTextKind::QtTs:
            return XmlElementsText(text, {"translation"}, false);
        case UsedTextKind::Xliff:
            return XmlElementsText(text, {"target"}, false);
        case UsedTextKind::AndroidStrings:
            return XmlElementsText(text, {"string", "item"}, true);
        case UsedTextKind::Plain:
            break;
    }
    std::u32string out;
    KeepAll(out, text);
    return out;
}

std::vector<char32_t> CharactersFromFiles(const std::vector<std::filesystem::path>& files) {
    std::vector<bool> used(0x110000, false);
    for (const std::filesystem::path& file : files) {
        RefuseFolder(file);
        const auto fail = [&](const std::string& why) {
            return UserError(Message{Msg::ErrReadFile, {file.string(), why}});
        };
        std::error_code ec;
        const uintmax_t size = std::filesystem::file_size(file, ec);
        if (ec) throw fail(ec.message());
        if (size > kMaxUsedTextFile) {
            throw fail("it is larger than " + std::to_string(kMaxUsedTextFile >> 20) +
                       " MB, too large for a file of texts");
        }
        std::ifstream in(file, std::ios::binary);
        std::string text(static_cast<size_t>(size), '\0');
        in.read(text.data(), static_cast<std::streamsize>(size));
        if (!in) throw fail("the file cannot be read");
        const size_t bad = InvalidUtf8At(text);
        if (bad != std::string::npos) {
            throw fail("it is not UTF-8 text: byte " + std::to_string(bad) +
                       " (counted from 0) is no part of a character");
        }
        std::string_view body(text);
        if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
        for (char32_t c : UsedText(body, UsedTextKindOf(file, body))) used[c] = true;
    }
    std::vector<char32_t> set;
    for (char32_t c = 0; c < used.size(); ++c) {
        if (used[c]) set.push_back(c);
    }
    return set;
}

}  // namespace zemtra
