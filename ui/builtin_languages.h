// The three language files that the program carries inside itself and writes out on first
// start: their bytes as compiled in from resources/, and the names they are written under.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace zemtra {

struct BuiltinLanguage {
    int resourceId;
    std::u16string_view fileName;  // in the Language folder, without ".ini"
    std::u16string_view name;      // its [Setting] Language value
};

// In the order of extraction, which is also the order of their file names.
inline constexpr std::array<BuiltinLanguage, 3> kBuiltinLanguages = {{
    {132, u"1.English", u"English"},
    {133, u"2.Simplified Chinese", u"简体中文"},
    {134, u"3.Traditional Chinese", u"繁體中文"},
}};

// The file's bytes (UTF-16LE with byte-order mark, CR LF), exactly as in resources/; empty for
// any id but 132, 133 and 134.
std::span<const unsigned char> BuiltinLanguageFile(int resourceId);

}  // namespace zemtra
