// Profile (INI) files read and written with the rules of the platform's private-profile
// functions, plus the escaping that lets a one-line value carry any text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zemtra {

// How a profile file's bytes are read and written back.
//  - FF FE: UTF-16LE; FE FF: UTF-16BE; EF BB BF: UTF-8 (the mark is kept on writing).
//  - No mark: UTF-8 when the bytes hold at least one non-ASCII byte and are valid UTF-8 as a
//    whole, else the ANSI code page. UTF-8 is tried first because text in a double-byte code page
//    almost never forms valid UTF-8, while UTF-8 read as ANSI would always be garbled. A pure
//    ASCII file reads the same either way and counts as ANSI, so it is written back as ANSI
//    while it stays ASCII.
enum class ProfileEncoding { Utf16Le, Utf16Be, Utf8Bom, Utf8, Ansi };

ProfileEncoding DetectProfileEncoding(std::string_view bytes);

// Bigger files are refused rather than read, so memory stays bounded.
inline constexpr std::uintmax_t kMaxProfileBytes = 64u << 20;

// One profile file in memory: the text as it was read plus the keys set since. Lookups and
// writes follow the platform's rules:
//  - lines end at CR, LF or CR LF; white space (space, tab, VT, FF) is trimmed at both ends of
//    a line, around section names and around the first "=";
//  - a line starting with ";" is a comment; "[name]" (up to the last "]") starts a section;
//    any other line is a key: "key=value", or a key without value when there is no "=";
//  - section and key names match ignoring ASCII case (other letters must match exactly); only
//    the first section of a name counts, and in it the first key of a name; keys before the
//    first section belong to none;
//  - a value wrapped in a matching pair of ' or " loses the pair. Values are read whole: there
//    is no 999-character limit, which silently cut long lists.
// Writing keeps every line it does not change, byte for byte, with its own line end:
//  - a key that exists is rewritten in place as its own name, "=" and the value;
//  - a deleted key loses every line of its name in the first section of its name (a key that
//    is written once and repeated by hand must not come back from its copy);
//  - a new key goes right after the last key line of its section (so comments and blank lines
//    that follow the section's keys stay after them), or after the section line when the section
//    has no keys; a new section goes at the end of the file;
//  - new lines end like the file's first line (CR LF in a new file);
//  - a new file is UTF-16LE with a byte-order mark; a file keeps its encoding while every
//    written line fits it (UTF-8 cannot hold a lone surrogate; an ANSI file takes only ASCII,
//    since its other bytes mean different things under different locales); otherwise the whole
//    file is rewritten as UTF-16LE with a mark, which the platform's functions read too. So is
//    an ANSI file whose new bytes would read as UTF-8 (the line that was not valid UTF-8 gone).
//    A UTF-16 file of odd length loses its last, incomplete byte when it is rewritten.
class Profile {
  public:
    // An empty profile that is written as a new file.
    Profile() = default;

    // The profile in these bytes; files without a mark that are not UTF-8 are read in
    // ansiCodePage.
    static Profile FromBytes(std::string bytes, int ansiCodePage);
    // As above in the system's ANSI code page.
    static Profile FromBytes(std::string bytes);
    // The file's profile; a missing file gives an empty profile. Throws UserError when the file
    // cannot be read, is not a regular file or is larger than kMaxProfileBytes.
    static Profile LoadFile(const std::filesystem::path& path);

    // The value as the platform reads it, or nothing when the section or key is missing or the
    // key line has no "=".
    std::optional<std::u16string> Get(std::u16string_view section, std::u16string_view key) const;
    // Get for several keys of one section, in one pass over the text.
    std::vector<std::optional<std::u16string>> GetMany(
        std::u16string_view section, const std::vector<std::u16string_view>& keys) const;
    // Every key line of the first section of a name, in file order, duplicates too, as a read
    // of ToBytes() would see them: the name as the file spells it and the value as Get reads
    // it (nothing for a line without "="). Keys set since replace the first line of their name
    // or follow the section's lines; deleted keys are left out.
    using KeyVisitor =
        std::function<void(std::u16string_view key, std::optional<std::u16string_view> value)>;
    void VisitKeys(std::u16string_view section, const KeyVisitor& visit) const;
    // Get, or fallback when it gives nothing.
    std::u16string GetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view fallback) const;

    // Sets a key as the platform writes it: the value's leading white space is dropped. Names
    // and values that cannot stand on one line (line breaks; "=" or a leading "[" or ";" in a
    // key; "]" in a section) throw std::invalid_argument: use EncodeValue for free text.
    void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    // Deletes a key, as the platform's write of a null value does; Set brings it back. The
    // section name is checked as for Set. Any key the file holds can go, even one Set could not
    // write (a line that starts with "[" but names no section): deleting writes no name.
    void Delete(std::u16string_view section, std::u16string_view key);

    // The bytes of the file with every key set so far.
    std::string ToBytes() const;
    // Writes ToBytes() to the file in one go (temporary file in the same folder, flushed, then
    // renamed over the old one; through a symbolic link to its target). Throws UserError naming
    // the path and the reason when it cannot; the old file then stays as it was. A file without
    // write permission is refused, even for root, as the platform refuses a read-only file.
    void SaveFile(const std::filesystem::path& path) const;

    // The encoding the text was read in (Utf16Le for a new profile).
    ProfileEncoding Encoding() const { return encoding_; }
    // The encoding ToBytes() writes.
    ProfileEncoding OutputEncoding() const;

  private:
    struct Edit {
        std::u16string section;
        std::u16string key;
        std::u16string value;  // as written, leading white space already dropped
        bool deleted = false;
    };
    struct Plan;

    // The edit of a key; O(1), so that thousands of keys in one section save quickly.
    const Edit* FindEdit(std::u16string_view section, std::u16string_view key) const;
    Edit& EditOf(std::u16string_view section, std::u16string_view key, bool writesKey = true);
    // The file's encoding if every written line fits it, else UTF-16LE.
    ProfileEncoding LineEncoding() const;
    Plan MakePlan() const;
    void WriteLines(const Plan& plan, ProfileEncoding out, std::string& bytes) const;

    ProfileEncoding encoding_ = ProfileEncoding::Utf16Le;
    bool keepRaw_ = false;  // raw_ holds the original bytes (byte encodings)
    std::string raw_;       // the original bytes after the mark, line for line like text_
    std::u16string text_;   // the decoded text after the mark
    std::u16string eol_ = u"\r\n";
    std::vector<Edit> edits_;
    std::unordered_map<std::u16string, size_t> editIndex_;  // folded "section\nkey" -> edit
};

// The one-line form of a free text such as TEXT, LIST or PIC, chosen so that a profile read
// gives the text back exactly:
//  - a text with a CR or LF, or one that starts with kEscapeMarker, becomes kEscapeMarker
//    followed by the text with "\" written as "\\", CR as "\r" and LF as "\n";
//  - a text (escaped or not) with white space at either end, or wrapped in a matching pair of
//    quotes, is wrapped in double quotes, which reading strips again;
//  - any other text stays as it is, so ordinary values are written exactly as the platform
//    writes them.
std::u16string EncodeValue(std::u16string_view text);
// The text of a value as read: undoes the escaping of a value that starts with kEscapeMarker
// ("\" before anything but "\", "r" or "n" stays as it is); any other value is returned as it is.
std::u16string DecodeValue(std::u16string_view value);

// Starts every escaped value; no ordinary text is expected to start with it.
inline constexpr std::u16string_view kEscapeMarker = u"\\zemtra\\";

// The file in folder whose name equals name ignoring ASCII case ("Setting.ini" and
// "setting.ini" name one file, as on the platform): the exact spelling when it exists, else the
// first match in name order, else folder / name.
std::filesystem::path FindIgnoringCase(const std::filesystem::path& folder, std::string_view name);

}  // namespace zemtra
