// The built-in language files by resource id, over the arrays that the build generates from
// resources/ (cmake/EmbedResources.cmake).
#include "ui/builtin_languages.h"

#include <cstddef>

namespace zemtra::resources {
extern const unsigned char lang_132_english_ini[];
extern const std::size_t lang_132_english_ini_size;
extern const unsigned char lang_133_simplified_chinese_ini[];
extern const std::size_t lang_133_simplified_chinese_ini_size;
extern const unsigned char lang_134_traditional_chinese_ini[];
extern const std::size_t lang_134_traditional_chinese_ini_size;
}  // namespace zemtra::resources

namespace zemtra {

std::span<const unsigned char> BuiltinLanguageFile(int resourceId) {
    using namespace resources;
    switch (resourceId) {
        case 132:
            return {lang_132_english_ini, lang_132_english_ini_size};
        case 133:
            return {lang_133_simplified_chinese_ini, lang_133_simplified_chinese_ini_size};
        case 134:
            return {lang_134_traditional_chinese_ini, lang_134_traditional_chinese_ini_size};
        default:
            return {};
    }
}

}  // namespace zemtra
