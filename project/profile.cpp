// The Profile class: looking keys up in a profile file's text and writing the keys set since
// into it, leaving every other line as it was.
#include "project/profile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "base/atomic_file.h"
#include "base/code_page.h"
#include "base/error.h"
#include "base/unicode.h"
#include "project/profile_detail.h"

namespace zemtra {

using namespace profile_detail;

namespace {

bool HasLineBreak(std::u16string_view s) {
    return s.find_first_of(u"\r\n") != std::u16string_view::npos;
}

bool HasEdgeSpace(std::u16string_view s) {
    return !s.empty() && (IsSpace(s.front()) || IsSpace(s.back()));
}

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    return text;
}

// The line end of the file's first line, for the lines we add.
std::u16string FirstLineEnd(std::u16string_view text) {
    LineWalker<char16_t> lines(text);
    size_t b = 0, e = 0, n = 0;
    if (lines.Next(b, e, n) && n > e) return std::u16string(text.substr(e, n - e));
    return u"\r\n";
}

bool HasLoneSurrogate(std::u16string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

bool Holds(ProfileEncoding encoding, std::u16string_view line) {
    switch (encoding) {
        case ProfileEncoding::Utf16Le:
        case ProfileEncoding::Utf16Be:
            return true;
        case ProfileEncoding::Utf8:
        case ProfileEncoding::Utf8Bom:
            return !HasLoneSurrogate(line);
        case ProfileEncoding::Ansi:
            return std::all_of(line.begin(), line.end(), [](char16_t c) { return c < 0x80; });
    }
    return false;
}

std::string ByteOrderMark(ProfileEncoding encoding) {
    switch (encoding) {
        case ProfileEncoding::Utf16Le:
            return "\xFF\xFE";
        case ProfileEncoding::Utf16Be:
            return "\xFE\xFF";
        case ProfileEncoding::Utf8Bom:
            return "\xEF\xBB\xBF";
        default:
            return {};
    }
}

void AppendEncoded(ProfileEncoding encoding, std::u16string_view text, std::string& out) {
    switch (encoding) {
        case ProfileEncoding::Utf16Le:
        case ProfileEncoding::Utf16Be:
            for (char16_t c : text) {
                const char lo = static_cast<char>(c & 0xFF);
                const char hi = static_cast<char>(c >> 8);
                out += encoding == ProfileEncoding::Utf16Le ? lo : hi;
                out += encoding == ProfileEncoding::Utf16Le ? hi : lo;
            }
            return;
        case ProfileEncoding::Utf8:
        case ProfileEncoding::Utf8Bom:
            out += Utf16ToUtf8(text);
            return;
        case ProfileEncoding::Ansi:
            // Only ASCII lines are ever written into an ANSI file (see Holds).
            for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
            return;
    }
}

void CheckName(std::u16string_view name, bool isKey) {
    const bool bad = HasLineBreak(name) || HasEdgeSpace(name) ||
                     (isKey ? name.find(u'=') != std::u16string_view::npos ||
                                  (!name.empty() && (name[0] == u'[' || name[0] == u';'))
                            : name.find(u']') != std::u16string_view::npos);
    if (bad) {
        throw std::invalid_argument(std::string("profile ") + (isKey ? "key" : "section") +
                                    " name cannot stand on one line: " + Utf16ToUtf8(name));
    }
}

}  // namespace

Profile Profile::FromBytes(std::string bytes) {
    return FromBytes(std::move(bytes), AnsiCodePage());
}

Profile Profile::FromBytes(std::string bytes, int ansiCodePage) {
    Profile p;
    if (bytes.empty()) return p;  // an empty file is written like a new one
    p.encoding_ = DetectProfileEncoding(bytes);
    switch (p.encoding_) {
        case ProfileEncoding::Utf16Le:
        case ProfileEncoding::Utf16Be:
            p.text_ = Utf16FromBytes(std::string_view(bytes).substr(2),
                                     p.encoding_ == ProfileEncoding::Utf16Be);
            break;
        case ProfileEncoding::Utf8Bom:
        case ProfileEncoding::Utf8:
            if (p.encoding_ == ProfileEncoding::Utf8Bom) bytes.erase(0, 3);
            p.text_ = Utf8ToUtf16(bytes);  // CR and LF stay single units, even among bad bytes
            p.raw_ = std::move(bytes);
            p.keepRaw_ = true;
            break;
        case ProfileEncoding::Ansi:
            p.text_ = DecodeAnsi(bytes, ansiCodePage);
            p.raw_ = std::move(bytes);
            p.keepRaw_ = true;
            break;
    }
    p.eol_ = FirstLineEnd(p.text_);
    return p;
}

Profile Profile::LoadFile(const std::filesystem::path& path) {
    std::optional<std::string> bytes = ReadFileBounded(path, kMaxProfileBytes);
    return bytes ? FromBytes(std::move(*bytes)) : Profile();
}

namespace {

// The index key of a section's key: line breaks cannot stand in names, so "\n" separates.
std::u16string EditName(std::u16string_view section, std::u16string_view key) {
    return FoldedName(section) + u'\n' + FoldedName(key);
}

}  // namespace

const Profile::Edit* Profile::FindEdit(std::u16string_view section, std::u16string_view key) const {
    if (editIndex_.empty()) return nullptr;  // a profile only read: no name to build
    const auto it = editIndex_.find(EditName(section, key));
    return it == editIndex_.end() ? nullptr : &edits_[it->second];
}

Profile::Edit& Profile::EditOf(std::u16string_view section, std::u16string_view key,
                               bool writesKey) {
    CheckName(section, false);
    if (writesKey) CheckName(key, true);
    const auto [it, added] = editIndex_.try_emplace(EditName(section, key), edits_.size());
    if (added) edits_.push_back({std::u16string(section), std::u16string(key), {}, false});
    return edits_[it->second];
}

std::optional<std::u16string> Profile::Get(std::u16string_view section,
                                           std::u16string_view key) const {
    return std::move(GetMany(section, {key}).front());
}

std::vector<std::optional<std::u16string>> Profile::GetMany(
    std::u16string_view section, const std::vector<std::u16string_view>& keys) const {
    std::vector<std::optional<std::u16string>> values(keys.size());
    std::vector<bool> settled(keys.size(), false);
    size_t open = keys.size();
    for (size_t i = 0; i < keys.size(); ++i) {
        if (const Edit* e = FindEdit(section, keys[i])) {
            if (!e->deleted) values[i] = std::u16string(StripQuotes(Trim(e->value)));
            settled[i] = true;
            --open;
        }
    }
    const std::u16string_view text = text_;
    LineWalker<char16_t> lines(text);
    size_t b = 0, e = 0, n = 0;
    bool inSection = false;
    while (open > 0 && lines.Next(b, e, n)) {
        const std::u16string_view line = text.substr(b, e - b);
        const std::u16string_view head = TrimLeft(line);
        if (!inSection && (head.empty() || head.front() != u'[')) continue;  // the fast path
        const ParsedLine parsed = ParseLine(line);
        if (parsed.kind == LineKind::Section) {
            if (inSection) break;  // only the first such section counts
            inSection = NamesEqual(parsed.name, section);
        } else if (inSection && parsed.kind == LineKind::Key) {
            for (size_t i = 0; i < keys.size(); ++i) {
                if (settled[i] || !NamesEqual(parsed.name, keys[i])) continue;
                settled[i] = true;  // the first line of a key decides, with or without value
                --open;
                if (parsed.value) values[i] = std::u16string(StripQuotes(*parsed.value));
            }
        }
    }
    return values;
}

std::u16string Profile::GetString(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view fallback) const {
    std::optional<std::u16string> value = Get(section, key);
    return value ? std::move(*value) : std::u16string(fallback);
}

void Profile::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    if (HasLineBreak(value)) {
        throw std::invalid_argument("profile value with a line break: use EncodeValue");
    }
    Edit& e = EditOf(section, key);
    e.value = TrimLeft(value);
    e.deleted = false;
}

void Profile::Delete(std::u16string_view section, std::u16string_view key) {
    Edit& e = EditOf(section, key, false);
    e.value.clear();
    e.deleted = true;
}

void Profile::VisitKeys(std::u16string_view section, const KeyVisitor& visit) const {
    std::vector<bool> shown(edits_.size(), false);
    const std::u16string_view text = text_;
    LineWalker<char16_t> lines(text);
    size_t b = 0, e = 0, n = 0;
    bool inSection = false;
    while (lines.Next(b, e, n)) {
        const std::u16string_view line = text.substr(b, e - b);
        const std::u16string_view head = TrimLeft(line);
        if (!inSection && (head.empty() || head.front() != u'[')) continue;
        const ParsedLine parsed = ParseLine(line);
        if (parsed.kind == LineKind::Section) {
            if (inSection) break;
            inSection = NamesEqual(parsed.name, section);
            continue;
        }
        if (!inSection || parsed.kind != LineKind::Key) continue;
        const Edit* edit = FindEdit(section, parsed.name);
        if (edit == nullptr) {
            visit(parsed.name,
                  parsed.value ? std::optional(StripQuotes(*parsed.value)) : std::nullopt);
            continue;
        }
        if (edit->deleted) continue;
        const size_t i = static_cast<size_t>(edit - edits_.data());
        if (shown[i]) {
            // A later line of the name stays as it is.
            visit(parsed.name,
                  parsed.value ? std::optional(StripQuotes(*parsed.value)) : std::nullopt);
        } else {
            shown[i] = true;
            visit(parsed.name, StripQuotes(Trim(edit->value)));
        }
    }
    for (size_t i = 0; i < edits_.size(); ++i) {
        const Edit& edit = edits_[i];
        if (shown[i] || edit.deleted || !NamesEqual(edit.section, section)) continue;
        visit(edit.key, StripQuotes(Trim(edit.value)));
    }
}

// Where each set key goes, found in one pass over the lines.
struct Profile::Plan {
    struct Spot {
        size_t line;
        size_t edit;
        std::u16string key;  // the key's own spelling in the file, for replaced lines
    };
    std::vector<Spot> replace;                  // by line
    std::vector<size_t> remove;                 // lines of deleted keys, in order
    std::vector<Spot> insertAfter;              // by line, then in the order of setting
    std::vector<std::vector<size_t>> sections;  // new sections with their edits
    std::vector<std::u16string> sectionNames;
};

Profile::Plan Profile::MakePlan() const {
    // The distinct sections of the edits, and for each its first header and last key line.
    std::vector<std::u16string_view> names;
    std::vector<size_t> sectionOf(edits_.size());
    for (size_t i = 0; i < edits_.size(); ++i) {
        auto it = std::find_if(names.begin(), names.end(), [&](std::u16string_view s) {
            return NamesEqual(s, edits_[i].section);
        });
        sectionOf[i] = static_cast<size_t>(it - names.begin());
        if (it == names.end()) names.push_back(edits_[i].section);
    }
    constexpr size_t kNone = static_cast<size_t>(-1);
    std::vector<size_t> header(names.size(), kNone), lastKey(names.size(), kNone);
    std::vector<size_t> target(edits_.size(), kNone);
    Plan plan;

    const std::u16string_view text = text_;
    LineWalker<char16_t> lines(text);
    size_t b = 0, e = 0, n = 0, line = 0, active = kNone;
    for (; lines.Next(b, e, n); ++line) {
        const ParsedLine parsed = ParseLine(text.substr(b, e - b));
        if (parsed.kind == LineKind::Section) {
            active = kNone;
            for (size_t s = 0; s < names.size(); ++s) {
                if (!NamesEqual(parsed.name, names[s])) continue;
                if (header[s] == kNone) {
                    header[s] = line;
                    active = s;
                }
                break;
            }
        } else if (parsed.kind == LineKind::Key && active != kNone) {
            lastKey[active] = line;
            const Edit* edit = FindEdit(names[active], parsed.name);
            if (edit == nullptr) continue;
            const size_t i = static_cast<size_t>(edit - edits_.data());
            if (edit->deleted) {
                plan.remove.push_back(line);
            } else if (target[i] == kNone) {
                target[i] = line;
                plan.replace.push_back({line, i, std::u16string(parsed.name)});
            }
        }
    }
    plan.sections.resize(names.size());
    for (size_t i = 0; i < edits_.size(); ++i) {
        if (target[i] != kNone || edits_[i].deleted) continue;
        const size_t s = sectionOf[i];
        if (header[s] == kNone) {
            plan.sections[s].push_back(i);
        } else {
            plan.insertAfter.push_back({lastKey[s] != kNone ? lastKey[s] : header[s], i, {}});
        }
    }
    std::stable_sort(plan.insertAfter.begin(), plan.insertAfter.end(),
                     [](const Plan::Spot& x, const Plan::Spot& y) { return x.line < y.line; });
    for (size_t s = 0; s < names.size(); ++s) {
        plan.sectionNames.emplace_back(plan.sections[s].empty() ? u"" : names[s]);
    }
    return plan;
}

ProfileEncoding Profile::OutputEncoding() const {
    const ProfileEncoding out = LineEncoding();
    if (out != ProfileEncoding::Ansi) return out;
    // A file without a mark is told apart by its bytes alone: replacing the one line that was
    // not valid UTF-8 can make the rest of an ANSI file read as UTF-8 next time. Such a file is
    // written as UTF-16LE with a mark instead, which keeps every line's text.
    std::string bytes;
    WriteLines(MakePlan(), out, bytes);
    return DetectProfileEncoding(bytes) == out ? out : ProfileEncoding::Utf16Le;
}

ProfileEncoding Profile::LineEncoding() const {
    if (encoding_ == ProfileEncoding::Utf16Le || encoding_ == ProfileEncoding::Utf16Be) {
        return encoding_;
    }
    const Plan plan = MakePlan();
    bool fits = true;
    for (const auto& spot : plan.replace) fits = fits && Holds(encoding_, spot.key);
    for (size_t s = 0; s < plan.sections.size(); ++s) {
        if (!plan.sections[s].empty()) fits = fits && Holds(encoding_, plan.sectionNames[s]);
    }
    for (const Edit& edit : edits_) {
        if (edit.deleted) continue;
        fits = fits && Holds(encoding_, edit.key) && Holds(encoding_, edit.value);
    }
    return fits ? encoding_ : ProfileEncoding::Utf16Le;
}

void Profile::WriteLines(const Plan& plan, ProfileEncoding out, std::string& bytes) const {
    const bool copyRaw = keepRaw_ && out == encoding_;
    const std::u16string_view text = text_;
    LineWalker<char16_t> lines(text);
    LineWalker<char> rawLines(raw_);
    bool atLineStart = true;
    const auto emitNew = [&](std::u16string_view content) {
        if (!atLineStart) AppendEncoded(out, eol_, bytes);
        AppendEncoded(out, content, bytes);
        AppendEncoded(out, eol_, bytes);
        atLineStart = true;
    };
    size_t b = 0, e = 0, n = 0, rb = 0, re = 0, rn = 0, line = 0;
    auto replace = plan.replace.begin();
    auto remove = plan.remove.begin();
    auto insert = plan.insertAfter.begin();
    for (; lines.Next(b, e, n); ++line) {
        if (copyRaw) rawLines.Next(rb, re, rn);
        if (remove != plan.remove.end() && *remove == line) {
            ++remove;  // the line and its line end go; the line before ended with one
        } else {
            if (replace != plan.replace.end() && replace->line == line) {
                AppendEncoded(out, replace->key + u"=" + edits_[replace->edit].value, bytes);
                ++replace;
                if (copyRaw) {
                    bytes.append(raw_, re, rn - re);
                } else {
                    AppendEncoded(out, text.substr(e, n - e), bytes);
                }
            } else if (copyRaw) {
                bytes.append(raw_, rb, rn - rb);
            } else {
                AppendEncoded(out, text.substr(b, n - b), bytes);
            }
            atLineStart = n > e;
        }
        for (; insert != plan.insertAfter.end() && insert->line == line; ++insert) {
            const Edit& edit = edits_[insert->edit];
            emitNew(edit.key + u"=" + edit.value);
        }
    }
    for (size_t s = 0; s < plan.sections.size(); ++s) {
        if (plan.sections[s].empty()) continue;
        emitNew(u"[" + plan.sectionNames[s] + u"]");
        for (size_t i : plan.sections[s]) emitNew(edits_[i].key + u"=" + edits_[i].value);
    }
}

std::string Profile::ToBytes() const {
    const ProfileEncoding out = OutputEncoding();
    std::string bytes = ByteOrderMark(out);
    bytes.reserve(bytes.size() + (keepRaw_ ? raw_.size() : text_.size() * 2) + 4096);
    WriteLines(MakePlan(), out, bytes);
    return bytes;
}

void Profile::SaveFile(const std::filesystem::path& path) const {
    WriteFileAtomically(path, ToBytes());
}

}  // namespace zemtra
