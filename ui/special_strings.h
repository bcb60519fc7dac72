// The few message texts that the program shows, in English, until the language tables supply
// their own for the chosen language.
#pragma once

#include <string>
#include <string_view>

namespace zemtra {

// The English text of a [SPECIAL_STRINGS] key (IDS_CLIP_SUCCESS, IDS_CLIP_ERROR); empty for
// an unknown key, as the language lookup gives with an empty default.
std::u16string DefaultSpecialString(std::string_view key);

// The library job's message for a target it cannot create; the same in every language.
inline constexpr char16_t kOpenFileError[] = u"Open file error!";

}  // namespace zemtra
