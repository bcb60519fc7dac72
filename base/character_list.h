// The character list and its parallel picture list PIC: how "Add", project load and "Load
// Picture" fill them, and what each item renders.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/project_settings.h"

namespace zemtra {

// The text a picture item shows in the list.
inline constexpr char16_t kPictureItem[] = u"☆";
// The PIC entry of a character item.
inline constexpr char16_t kCharacterEntry[] = u"#";

// Rebuilds LIST from text, one item per UTF-16 unit, nothing skipped or merged. With
// resetPictures, PIC becomes one "#" per item (an empty list leaves PIC empty); without, PIC
// stays as it is.
void FillCharacterList(ProjectSettings& s, std::u16string_view text, bool resetPictures);

// Appends a picture item ("☆" and its path), as "Load Picture" does for each chosen file.
// Appends the characters (ascending, each once) that the list does not hold yet as character
// items, one per UTF-16 unit as FillCharacterList makes them (a character beyond U+FFFF as its
// surrogate pair); the text stays as it is. Returns how many characters it added.
size_t AddCharactersToList(ProjectSettings& s, const std::vector<char32_t>& characters);

void AppendPictureItem(ProjectSettings& s, std::u16string_view path);

// True for a PIC entry that names a picture: neither empty nor "#".
bool IsPictureEntry(std::u16string_view entry);

// True when item i has a picture: its PIC entry exists and names one.
bool IsPictureItem(const ProjectSettings& s, size_t index);

// What item i renders: its picture path for a picture item, else its character.
std::u16string ItemSource(const ProjectSettings& s, size_t index);

// The hand edit of item i at the settings' matrix size. Only a character item (one UTF-16
// unit, no picture) can be edited, and only at a matrix that renders: otherwise no key.
std::optional<GlyphEditKey> ItemEditKey(const ProjectSettings& s, size_t index);
// Item i's edit at the matrix size, or null.
const GlyphDots* ItemEdit(const ProjectSettings& s, size_t index);
// Sets item i's edit to the lit dots of a W x H matrix; false, changing nothing, when the item
// cannot be edited or the dots are of another size.
bool SetItemEdit(ProjectSettings& s, size_t index, const DotMatrix& dots);
// Removes item i's edit at the matrix size; false when it had none.
bool RevertItemEdit(ProjectSettings& s, size_t index);

// The 95 printable ASCII characters, space to "~", as the "ASCII" button fills the text.
std::u16string PrintableAscii();

}  // namespace zemtra
