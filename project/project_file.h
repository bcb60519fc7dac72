// The project file (.fprj, and Setting.ini as the last run's memory): every stored field of
// ProjectSettings as 28 keys in the profile sections [Project] and [FONT], version "V1.0".
//
// Values that a plain profile line would not carry exactly are stored in a form that reads
// back exactly (EncodeValue in project/profile.h); every other value is written exactly as the
// platform's profile functions write it, so ordinary files stay byte-compatible:
//  - a text with a line break (TEXT and LIST can hold CR and LF) is written as the marker
//    \zemtra\ followed by the text with "\" as "\\", CR as "\r" and LF as "\n":
//        TEXT=\zemtra\first line\r\nsecond line
//    A text that itself starts with \zemtra\ is escaped the same way, so reading is unambiguous;
//  - a text with white space at either end (the "ASCII" button's text starts with a space), or
//    one wrapped in a matching pair of quotes, is wrapped in double quotes, which every profile
//    reader strips again:  TEXT=" !"#...}~"
// A file that the platform's own functions wrote with raw line breaks loads what it can: the
// value ends at the first line break and the lines after it are read as whatever they look like.
//
// PIC joins the picture entries with "|" and is split again on load, so an entry that contains
// "|", or white space that the split would remove, cannot be stored: PicturePathProblem refuses
// such a picture before it is added, and SaveProject refuses (UserError) to write a PIC that
// would load differently.
//
// Hand-edited glyphs live in a third section, [Glyphs] (project/glyph_section.h), which a save
// merges like the other keys and leaves out while the project has no edits; the font's sources
// in a fourth, [Sources], likewise.
// docs/project-file.md describes the whole format.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/messages.h"
#include "base/project_settings.h"
#include "project/profile.h"
#include "project/program_folder.h"

namespace zemtra {

inline constexpr std::u16string_view kProjectVersion = u"V1.0";
// The font's sources, in order: keys 1, 2, ... each holding a source's text (FontSourceText).
inline constexpr std::u16string_view kSourcesSection = u"Sources";

// A project whose TEXT or LIST holds more UTF-16 units than this, or whose PIC more entries, is
// refused: each list item is an object of its own, so a 50 MB list would take gigabytes. Every
// code of the basic plane fifteen times over still fits.
inline constexpr size_t kMaxProjectListLength = 1'000'000;

struct LoadedProject {
    // False when the file is not a version "V1.0" project (or does not exist).
    bool isProject = false;
    // When LoadProject found no project, why, in words for a message: no such file, an empty
    // file, UTF-16 without its byte-order mark, no Version key, or the Version it has.
    std::string whyNotAProject;
    Message notAProject;  // the same reason as data, for the window's language
    // OFFSETX and OFFSETY as read, which the offset statics show until the next change.
    std::u16string offsetXText;
    std::u16string offsetYText;
    // The entries of [Glyphs] (ReadGlyphSection) and [Sources] that were skipped, one line
    // each: the command line prints each, the window shows them in one message.
    std::vector<std::string> glyphProblems;
};

// Fills s from the keys of a profile. When its Version is not exactly "V1.0", s stays as it is
// and isProject is false. Does not derive the font size or clamp FROM and TO. Throws UserError,
// leaving s as it was, when TEXT, LIST or PIC is longer than kMaxProjectListLength.
LoadedProject ReadProject(const Profile& profile, ProjectSettings& s);

// Loads a project file into s; a missing file or one that is not a "V1.0" project applies New
// (ApplyNew) instead. Throws UserError, leaving s as it was, when the file exists but cannot be
// read or is too large.
LoadedProject LoadProject(const std::filesystem::path& path, ProjectSettings& s);

// Reads a project file into s without touching s when it is no project (isProject false, with
// the reason): Open looks at a file before it changes anything. Throws UserError, leaving s as it
// was, when the file exists but cannot be read or is too large.
LoadedProject ReadProjectFile(const std::filesystem::path& path, ProjectSettings& s);

// One key of a project as Save writes it.
struct ProjectEntry {
    std::u16string_view section;
    std::u16string key;    // an edit's key is made for it ("U+0041 8x8")
    std::u16string value;  // as it stands in the file (EncodeValue applied)
    bool operator==(const ProjectEntry&) const = default;
};
using ProjectForm = std::vector<ProjectEntry>;

// What Save writes for s, as data, in table order: the 28 keys, and FontFile with FontIndex
// while a font file is in use, then one [Glyphs] key per edit in key order. Two settings that
// save alike compare equal, which is how the window tells whether its state differs from the
// project last opened or saved; whatever a project file comes to hold is added here and so
// counts for that comparison too.
ProjectForm SavedForm(const ProjectSettings& s);

// Sets the 28 keys in table order, then the [Glyphs] section (WriteGlyphSection: an entry
// that reads as the same edit stays as it is written). Throws UserError, setting nothing, when
// the PIC entries would not load back as they are.
void WriteProject(const ProjectSettings& s, Profile& profile);

// Merges the 28 keys and the edits into the file (made when missing; other sections, keys and
// comments stay) with a single write that replaces the file whole. Throws UserError when PIC cannot
// be stored or the file cannot be read or written; the file then stays as it was.
void SaveProject(const std::filesystem::path& path, const ProjectSettings& s);

// Merges only the [Glyphs] section into the file, as WriteGlyphSection does, with the same
// single write; every other line stays byte for byte.
void SaveGlyphEdits(const std::filesystem::path& path, const GlyphEdits& edits);

// PIC's value: the entries with "|" between them.
std::u16string JoinPictures(const std::vector<std::u16string>& pictures);
// PIC's entries: the whole value trimmed (nothing left: no entries), then split at every "|",
// the white space after each bar dropped; the text after the last bar is the last entry, even
// when it is empty.
std::vector<std::u16string> SplitPictures(std::u16string_view value);

// Why a picture file of this path cannot be stored in a project (it contains "|", starts or
// ends with white space, or is empty or "#", which mean "no picture"), or nothing when it can.
// "Load Picture" and the command line ask before they add a picture.
std::optional<Message> PicturePathProblem(std::u16string_view path);

// The value of a hexadecimal field's text, as the hex edit reads it: a leading "0x" skipped,
// then like scanf's "%x" (white space, an optional sign, an optional 0x or 0X, hexadecimal
// digits up to the first other character; digits past 32 bits wrap). "a1a1" gives 0xA1A1;
// "", "0x" and "xyz" give 0.
uint32_t HexFieldValue(std::u16string_view text);
// The text a hex field shows for a code: at least four upper-case digits ("%04X").
std::u16string HexFieldText(uint32_t value);

}  // namespace zemtra
