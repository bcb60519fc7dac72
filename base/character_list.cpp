// The list rules shared by the desktop program, the project file and zemtra-cli.
#include "base/character_list.h"

namespace zemtra {

void FillCharacterList(ProjectSettings& s, std::u16string_view text, bool resetPictures) {
    s.LIST.clear();
    if (resetPictures) s.PIC.clear();
    for (char16_t unit : text) s.LIST.emplace_back(1, unit);
    if (resetPictures) s.PIC.assign(s.LIST.size(), kCharacterEntry);
}

void AppendPictureItem(ProjectSettings& s, std::u16string_view path) {
    // PIC may be shorter than the list; items without an entry are characters.
    if (s.PIC.size() < s.LIST.size()) s.PIC.resize(s.LIST.size(), kCharacterEntry);
    s.LIST.emplace_back(kPictureItem);
    s.PIC.emplace_back(path);
}

bool IsPictureEntry(std::u16string_view entry) {
    return !entry.empty() && entry != kCharacterEntry;
}

bool IsPictureItem(const ProjectSettings& s, size_t index) {
    return index < s.PIC.size() && IsPictureEntry(s.PIC[index]);
}

std::u16string ItemSource(const ProjectSettings& s, size_t index) {
    if (IsPictureItem(s, index)) return s.PIC[index];
    return index < s.LIST.size() ? s.LIST[index] : std::u16string();
}

std::u16string PrintableAscii() {
    std::u16string text;
    for (char16_t c = 32; c <= 126; ++c) text.push_back(c);
    return text;
}

}  // namespace zemtra
