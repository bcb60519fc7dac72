// Loading and saving the 28 project keys, the PIC list rule and the hex field texts.
#include "project/project_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "base/error.h"
#include "base/unicode.h"
#include "project/glyph_section.h"
#include "project/profile_detail.h"
#include "raster/new_project.h"

namespace zemtra {
namespace {

constexpr std::u16string_view kProject = u"Project";
constexpr std::u16string_view kFont = u"FONT";

// White space as the PIC split and the picture rule see it: a decoded value may hold CR and LF.
bool IsPicSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

std::u16string_view TrimPicLeft(std::u16string_view v) {
    return profile_detail::TrimLeft(v, IsPicSpace);
}

std::u16string_view TrimPic(std::u16string_view v) {
    return profile_detail::Trim(v, IsPicSpace);
}

// The stored values of one section, found in one pass over the file; Text undoes our escaping.
class SectionValues {
  public:
    SectionValues(const Profile& p, std::u16string_view section,
                  std::vector<std::u16string_view> keys)
        : keys_(std::move(keys)), values_(p.GetMany(section, keys_)) {}

    std::u16string Text(std::u16string_view key, std::u16string_view fallback) const {
        for (size_t i = 0; i < keys_.size(); ++i) {
            if (keys_[i] == key && values_[i]) return DecodeValue(*values_[i]);
        }
        return std::u16string(fallback);
    }
    int32_t Number(std::u16string_view key, std::u16string_view fallback) const {
        return Value(Text(key, fallback));
    }
    uint8_t Byte(std::u16string_view key, std::u16string_view fallback) const {
        return static_cast<uint8_t>(static_cast<uint32_t>(Number(key, fallback)) & 0xFF);
    }

  private:
    std::vector<std::u16string_view> keys_;
    std::vector<std::optional<std::u16string>> values_;
};

// The face field holds 31 units; a surrogate pair that the cut would split goes whole.
std::u16string CutFaceName(std::u16string face) {
    if (face.size() <= kMaxFaceNameLength) return face;
    size_t keep = kMaxFaceNameLength;
    if (face[keep - 1] >= 0xD800 && face[keep - 1] <= 0xDBFF) --keep;
    face.resize(keep);
    return face;
}

void ReadFont(const Profile& p, LogFont& f) {
    const SectionValues v(
        p, kFont,
        {u"FaceName", u"Weight", u"Italic", u"Underline", u"StrikeOut", u"CharSet", u"OutPrecision",
         u"ClipPrecision", u"PitchAndFamily", u"FontFile", u"FontIndex"});
    f.FaceName = CutFaceName(v.Text(u"FaceName", u"Arial"));
    f.Weight = v.Number(u"Weight", u"400");
    f.Italic = v.Byte(u"Italic", u"0");
    f.Underline = v.Byte(u"Underline", u"0");
    f.StrikeOut = v.Byte(u"StrikeOut", u"0");
    f.CharSet = v.Byte(u"CharSet", u"0");
    f.OutPrecision = v.Byte(u"OutPrecision", u"3");
    f.ClipPrecision = v.Byte(u"ClipPrecision", u"2");
    f.PitchAndFamily = v.Byte(u"PitchAndFamily", u"34");
    f.FontFile = v.Text(u"FontFile", u"");
    f.FontIndex = f.FontFile.empty() ? 0 : v.Number(u"FontIndex", u"0");
}

std::optional<Message> PicEntryProblem(const std::vector<std::u16string>& pictures, size_t i) {
    const std::u16string& entry = pictures[i];
    if (entry.empty() || entry == u"#") return std::nullopt;
    const auto problem = [&](Msg why) {
        return Message{Msg::ErrPicturePath, {entry, Message{why}}};
    };
    if (entry.find(u'|') != std::u16string::npos) return problem(Msg::WhyBar);
    if (IsPicSpace(entry.front())) return problem(Msg::WhyLeadingSpace);
    if (i + 1 == pictures.size() && IsPicSpace(entry.back())) {
        return problem(Msg::WhyTrailingSpace);
    }
    return std::nullopt;
}

void CheckListLength(const char* key, size_t length, Msg what) {
    if (length <= kMaxProjectListLength) return;
    throw UserError(Message{
        Msg::ErrListTooLong,
        {key, std::to_string(length), Message{what}, std::to_string(kMaxProjectListLength)}});
}

std::u16string ListText(const std::vector<std::u16string>& list) {
    std::u16string text;
    for (const std::u16string& item : list) text += item;
    return text;
}

}  // namespace

std::u16string JoinPictures(const std::vector<std::u16string>& pictures) {
    std::u16string value;
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (i > 0) value += u'|';
        value += pictures[i];
    }
    return value;
}

std::vector<std::u16string> SplitPictures(std::u16string_view value) {
    std::vector<std::u16string> entries;
    value = TrimPic(value);
    if (value.empty()) return entries;
    for (size_t bar; (bar = value.find(u'|')) != std::u16string_view::npos;) {
        entries.emplace_back(value.substr(0, bar));
        value = TrimPicLeft(value.substr(bar + 1));
    }
    entries.emplace_back(value);
    return entries;
}

std::optional<Message> PicturePathProblem(std::u16string_view path) {
    if (path.empty()) return Message{Msg::ErrPicturePathEmpty};
    if (path == u"#") return Message{Msg::ErrPicturePathHash};
    // Anywhere in the list: neither the first nor the last place may lose white space.
    const std::vector<std::u16string> alone{std::u16string(path)};
    if (auto problem = PicEntryProblem(alone, 0)) return problem;
    const std::vector<std::u16string> second{u"#", std::u16string(path), u"#"};
    return PicEntryProblem(second, 1);
}

uint32_t HexFieldValue(std::u16string_view text) {
    if (text.substr(0, 2) == u"0x") text.remove_prefix(2);
    size_t i = 0;
    while (i < text.size() && IsPicSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    const auto digit = [&](size_t at) -> int {
        if (at >= text.size()) return -1;
        const char16_t c = text[at];
        if (c >= u'0' && c <= u'9') return c - u'0';
        if (c >= u'a' && c <= u'f') return c - u'a' + 10;
        if (c >= u'A' && c <= u'F') return c - u'A' + 10;
        return -1;
    };
    if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
        digit(i + 2) >= 0) {
        i += 2;
    }
    uint32_t value = 0;
    for (int d; (d = digit(i)) >= 0; ++i) value = value * 16u + static_cast<uint32_t>(d);
    return negative ? 0u - value : value;
}

std::u16string HexFieldText(uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04X", value);
    const std::string s(buffer);
    return std::u16string(s.begin(), s.end());
}

namespace {

// The sources of [Sources] 1, 2, ... up to the first missing number. An entry that does not read
// is skipped and named; the project still loads.
std::vector<FontSource> ReadSources(const Profile& p, std::vector<std::string>& problems) {
    std::vector<FontSource> sources;
    for (size_t n = 1; n <= kMaxFontSources; ++n) {
        const std::u16string key = DecimalText(static_cast<int64_t>(n));
        const std::optional<std::u16string> value = p.Get(kSourcesSection, key);
        if (!value) break;
        try {
            sources.push_back(ParseFontSource(Utf16ToUtf8(*value)));
        } catch (const UserError& e) {
            problems.push_back("[Sources] " + Utf16ToUtf8(key) + ": " + e.what());
        }
    }
    return sources;
}

}  // namespace

LoadedProject ReadProject(const Profile& p, ProjectSettings& s) {
    const SectionValues v(
        p, kProject,
        {u"Version", u"BLOCKNUMX", u"BLOCKNUMY", u"THRESHOLD", u"DATABIT", u"WIDTH", u"HEIGHT",
         u"OFFSETX", u"OFFSETY", u"ORIENT", u"DIRECT", u"FORMAT", u"ENDEMO", u"CODEPAGE", u"FROM",
         u"TO", u"TEXT", u"LIST", u"PIC"});
    LoadedProject loaded;
    if (v.Text(u"Version", u"") != kProjectVersion) return loaded;
    loaded.isProject = true;
    ProjectSettings r = s;  // filled whole, then taken: s changes all at once or not at all
    r.BLOCKNUMX = v.Text(u"BLOCKNUMX", u"16");
    r.BLOCKNUMY = v.Text(u"BLOCKNUMY", u"16");
    r.THRESHOLD = v.Text(u"THRESHOLD", u"128");
    r.DATABIT = v.Number(u"DATABIT", u"0");
    r.WIDTH = v.Text(u"WIDTH", u"0");
    r.FONT.Width = Value(r.WIDTH);
    r.HEIGHT = v.Text(u"HEIGHT", u"0");
    r.FONT.Height = Value(r.HEIGHT);
    loaded.offsetXText = v.Text(u"OFFSETX", u"0");
    r.OFFSETX = Value(loaded.offsetXText);
    loaded.offsetYText = v.Text(u"OFFSETY", u"0");
    r.OFFSETY = Value(loaded.offsetYText);
    r.ORIENT = v.Number(u"ORIENT", u"0");
    r.DIRECT = v.Number(u"DIRECT", u"0");
    r.FORMAT = v.Number(u"FORMAT", u"0");
    r.ENDEMO = v.Number(u"ENDEMO", u"0");
    r.CODEPAGE = v.Number(u"CODEPAGE", u"0");
    // Only the low 16 bits of a hex field's value count.
    r.FROM = static_cast<uint16_t>(HexFieldValue(v.Text(u"FROM", u"0000")));
    r.TO = static_cast<uint16_t>(HexFieldValue(v.Text(u"TO", u"FFFF")));
    r.TEXT = v.Text(u"TEXT", u"");
    const std::u16string list = v.Text(u"LIST", u"");
    CheckListLength("TEXT", r.TEXT.size(), Msg::WhyCharacters);
    CheckListLength("LIST", list.size(), Msg::WhyCharacters);
    r.LIST.clear();
    r.LIST.reserve(list.size());
    for (char16_t unit : list) r.LIST.emplace_back(1, unit);
    ReadFont(p, r.FONT);
    const std::u16string pic = v.Text(u"PIC", u"");
    // Counted before splitting, so that a file of bars never becomes millions of entries.
    CheckListLength("PIC", static_cast<size_t>(std::count(pic.begin(), pic.end(), u'|')),
                    Msg::WhyPictureSeparators);
    r.PIC = SplitPictures(pic);
    GlyphSection glyphs = ReadGlyphSection(p);
    r.GLYPHS = std::move(glyphs.edits);
    loaded.glyphProblems = std::move(glyphs.problems);
    r.FONT.Sources = ReadSources(p, loaded.glyphProblems);
    s = std::move(r);
    return loaded;
}

namespace {

// Why the file at path, read as profile, is no project. Only its first 4 KiB are read again,
// for the byte-level reasons.
Message WhyNotAProject(const std::filesystem::path& path, const Profile& profile) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {Msg::WhyNoFile, {}};
    std::ifstream in(path, std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    if (head.empty()) return {Msg::WhyEmptyFile, {}};
    // Text in UTF-16 has a zero byte in every other place; without FF FE it reads as ANSI.
    size_t oddZeros = 0;
    for (size_t i = 1; i < head.size(); i += 2) oddZeros += head[i] == '\0';
    const bool marked = head.rfind("\xFF\xFE", 0) == 0 || head.rfind("\xFE\xFF", 0) == 0;
    if (!marked && head.size() >= 8 && oddZeros * 4 >= head.size()) {
        return {Msg::WhyUtf16NoMark, {}};
    }
    const std::optional<std::u16string> version = profile.Get(u"Project", u"Version");
    if (!version) return {Msg::WhyNoVersion, {}};
    return {Msg::WhyOtherVersion, {*version}};
}

}  // namespace

LoadedProject ReadProjectFile(const std::filesystem::path& path, ProjectSettings& s) {
    const Profile profile = Profile::LoadFile(path);
    LoadedProject loaded = ReadProject(profile, s);
    if (!loaded.isProject) {
        loaded.notAProject = WhyNotAProject(path, profile);
        loaded.whyNotAProject = Utf16ToUtf8(EnglishText(loaded.notAProject));
    }
    return loaded;
}

LoadedProject LoadProject(const std::filesystem::path& path, ProjectSettings& s) {
    LoadedProject loaded = ReadProjectFile(path, s);
    if (!loaded.isProject) {
        ApplyNew(s);
        loaded.offsetXText = loaded.offsetYText = u"0";
    }
    return loaded;
}

ProjectForm SavedForm(const ProjectSettings& s) {
    ProjectForm form;
    form.reserve(30);
    const auto text = [&](std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
        form.push_back({section, std::u16string(key), EncodeValue(value)});
    };
    const auto number = [&](std::u16string_view section, std::u16string_view key, int64_t v) {
        form.push_back({section, std::u16string(key), DecimalText(v)});
    };
    text(kProject, u"Version", kProjectVersion);
    text(kProject, u"BLOCKNUMX", s.BLOCKNUMX);
    text(kProject, u"BLOCKNUMY", s.BLOCKNUMY);
    text(kProject, u"THRESHOLD", s.THRESHOLD);
    number(kProject, u"DATABIT", s.DATABIT);
    text(kProject, u"WIDTH", s.WIDTH);
    text(kProject, u"HEIGHT", s.HEIGHT);
    number(kProject, u"OFFSETX", s.OFFSETX);
    number(kProject, u"OFFSETY", s.OFFSETY);
    number(kProject, u"ORIENT", s.ORIENT);
    number(kProject, u"DIRECT", s.DIRECT);
    number(kProject, u"FORMAT", s.FORMAT);
    number(kProject, u"ENDEMO", s.ENDEMO);
    number(kProject, u"CODEPAGE", s.CODEPAGE);
    text(kProject, u"FROM", HexFieldText(s.FROM));
    text(kProject, u"TO", HexFieldText(s.TO));
    text(kProject, u"TEXT", s.TEXT);
    text(kProject, u"LIST", ListText(s.LIST));
    text(kProject, u"PIC", JoinPictures(s.PIC));
    const LogFont& f = s.FONT;
    text(kFont, u"FaceName", f.FaceName);
    number(kFont, u"Weight", f.Weight);
    number(kFont, u"Italic", f.Italic);
    number(kFont, u"Underline", f.Underline);
    number(kFont, u"StrikeOut", f.StrikeOut);
    number(kFont, u"CharSet", f.CharSet);
    number(kFont, u"OutPrecision", f.OutPrecision);
    number(kFont, u"ClipPrecision", f.ClipPrecision);
    number(kFont, u"PitchAndFamily", f.PitchAndFamily);
    if (!f.FontFile.empty()) {
        text(kFont, u"FontFile", f.FontFile);
        number(kFont, u"FontIndex", f.FontIndex);
    }
    for (size_t i = 0; i < f.Sources.size(); ++i) {
        text(kSourcesSection, DecimalText(static_cast<int64_t>(i + 1)),
             Utf8ToUtf16(FontSourceText(f.Sources[i])));
    }
    for (const GlyphEditKey& key : s.GLYPHS.Keys()) {
        form.push_back({kGlyphsSection, GlyphKeyText(key), GlyphRowsText(*s.GLYPHS.Find(key))});
    }
    return form;
}

void WriteProject(const ProjectSettings& s, Profile& profile) {
    for (size_t i = 0; i < s.PIC.size(); ++i) {
        if (auto problem = PicEntryProblem(s.PIC, i)) throw UserError(*problem);
    }
    for (const ProjectEntry& e : SavedForm(s)) {
        if (e.section != kGlyphsSection) profile.Set(e.section, e.key, e.value);
    }
    // A font file adds two keys; a project that never used one stays as it was, and one that
    // did has them emptied rather than left behind.
    if (s.FONT.FontFile.empty() && profile.Get(kFont, u"FontFile")) {
        profile.Set(kFont, u"FontFile", u"");
        profile.Set(kFont, u"FontIndex", u"0");
    }
    // Sources are numbered from 1 without gaps; the numbers past the last are a longer list's
    // remains, which would come back on the next load.
    std::vector<std::u16string> stale;
    profile.VisitKeys(kSourcesSection, [&](std::u16string_view key, auto) {
        const int32_t n = Value(key);
        if (n < 1 || static_cast<size_t>(n) > s.FONT.Sources.size() || key != DecimalText(n)) {
            stale.emplace_back(key);
        }
    });
    for (const std::u16string& key : stale) profile.Delete(kSourcesSection, key);
    WriteGlyphSection(s.GLYPHS, profile);
}

void SaveProject(const std::filesystem::path& path, const ProjectSettings& s) {
    Profile profile = Profile::LoadFile(path);
    WriteProject(s, profile);
    profile.SaveFile(path);
}

void SaveGlyphEdits(const std::filesystem::path& path, const GlyphEdits& edits) {
    Profile profile = Profile::LoadFile(path);
    WriteGlyphSection(edits, profile);
    profile.SaveFile(path);
}

}  // namespace zemtra
