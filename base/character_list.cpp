// The list rules shared by the desktop program, the project file and zemtra-cli.
#include "base/character_list.h"

#include <set>

#include "base/unicode.h"

namespace zemtra {

void FillCharacterList(ProjectSettings& s, std::u16string_view text, bool resetPictures) {
    s.LIST.clear();
    if (resetPictures) s.PIC.clear();
    for (char16_t unit : text) s.LIST.emplace_back(1, unit);
    if (resetPictures) s.PIC.assign(s.LIST.size(), kCharacterEntry);
}

size_t AddCharactersToList(ProjectSettings& s, const std::vector<char32_t>& characters) {
    std::set<char32_t> held;
    for (size_t i = 0; i < s.LIST.size(); ++i) {
        if (IsPictureItem(s, i) || s.LIST[i].size() != 1) continue;
        const char16_t unit = s.LIST[i][0];
        // A surrogate pair stands in two items.
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < s.LIST.size() && !IsPictureItem(s, i + 1) &&
            s.LIST[i + 1].size() == 1) {
            const std::u16string pair{unit, s.LIST[i + 1][0]};
            if (IsOneCharacter(pair)) {
                held.insert(FirstCharacter(pair));
                ++i;
                continue;
            }
        }
        held.insert(unit);
    }
    // Items without a PIC entry are characters; the new ones get theirs.
    if (s.PIC.size() < s.LIST.size()) s.PIC.resize(s.LIST.size(), kCharacterEntry);
    size_t added = 0;
    for (const char32_t c : characters) {
        if (held.count(c) != 0) continue;
        held.insert(c);
        for (char16_t unit : CharacterUtf16(c)) {
            s.LIST.emplace_back(1, unit);
            s.PIC.emplace_back(kCharacterEntry);
        }
        ++added;
    }
    return added;
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

std::optional<GlyphEditKey> ItemEditKey(const ProjectSettings& s, size_t index) {
    if (index >= s.LIST.size() || IsPictureItem(s, index) || s.LIST[index].size() != 1) {
        return std::nullopt;
    }
    const int32_t w = MatrixWidth(s);
    const int32_t h = MatrixHeight(s);
    if (w < 1 || h < 1 || w > kMaxGlyphEditSide || h > kMaxGlyphEditSide) return std::nullopt;
    return GlyphEditKey{s.LIST[index][0], w, h};
}

const GlyphDots* ItemEdit(const ProjectSettings& s, size_t index) {
    const std::optional<GlyphEditKey> key = ItemEditKey(s, index);
    return key ? s.GLYPHS.Find(*key) : nullptr;
}

bool SetItemEdit(ProjectSettings& s, size_t index, const DotMatrix& dots) {
    const std::optional<GlyphEditKey> key = ItemEditKey(s, index);
    if (!key || dots.Width() != key->width || dots.Height() != key->height) return false;
    s.GLYPHS.Set(key->code, GlyphDots::FromMatrix(dots));
    return true;
}

bool RevertItemEdit(ProjectSettings& s, size_t index) {
    const std::optional<GlyphEditKey> key = ItemEditKey(s, index);
    return key && s.GLYPHS.Remove(*key);
}

std::u16string PrintableAscii() {
    std::u16string text;
    for (char16_t c = 32; c <= 126; ++c) text.push_back(c);
    return text;
}

}  // namespace zemtra
