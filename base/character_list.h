// The character list and its parallel picture list PIC: how "Add", project load and "Load
// Picture" fill them, and what each item renders.
#pragma once

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
void AppendPictureItem(ProjectSettings& s, std::u16string_view path);

// True for a PIC entry that names a picture: neither empty nor "#".
bool IsPictureEntry(std::u16string_view entry);

// True when item i has a picture: its PIC entry exists and names one.
bool IsPictureItem(const ProjectSettings& s, size_t index);

// What item i renders: its picture path for a picture item, else its character.
std::u16string ItemSource(const ProjectSettings& s, size_t index);

// The 95 printable ASCII characters, space to "~", as the "ASCII" button fills the text.
std::u16string PrintableAscii();

}  // namespace zemtra
