// The system's ANSI code page: chosen by ZEMTRA_ANSI_CODEPAGE, else derived from the locale's
// language and territory the way Windows ties a code page to a user locale.
#include "base/code_page.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

namespace zemtra {
namespace {

constexpr int kWesternEurope = 1252;

constexpr std::array<int, 14> kSupported{874,  932,  936,  949,  950,  1250, 1251,
                                         1252, 1253, 1254, 1255, 1256, 1257, 1258};

bool IsSupported(int codePage) {
    for (int supported : kSupported) {
        if (supported == codePage) return true;
    }
    return false;
}

// Decimal digits only, naming a code page we have a table for.
int CodePageFromEnvironment() {
    const char* value = std::getenv("ZEMTRA_ANSI_CODEPAGE");
    if (value == nullptr || *value == '\0') return 0;
    const std::string_view text(value);
    if (text.size() > 5) return 0;
    int codePage = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        codePage = codePage * 10 + (c - '0');
    }
    return IsSupported(codePage) ? codePage : 0;
}

// The locale name that governs character types, found as setlocale(LC_CTYPE, "") finds it.
std::string_view LocaleName() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return {};
}

struct LanguageCodePage {
    std::string_view language;
    int codePage;
};

// Languages whose Windows locale carries a code page other than 1252. Chinese, Serbian, Azeri
// and Uzbek depend on territory or script and are decided in CodePageForLocale.
constexpr std::array<LanguageCodePage, 36> kLanguages{{
    {"ja", 932},  {"ko", 949},  {"th", 874},  {"ru", 1251}, {"uk", 1251}, {"be", 1251},
    {"bg", 1251}, {"mk", 1251}, {"kk", 1251}, {"ky", 1251}, {"mn", 1251}, {"tt", 1251},
    {"tg", 1251}, {"ba", 1251}, {"cs", 1250}, {"sk", 1250}, {"pl", 1250}, {"hu", 1250},
    {"sl", 1250}, {"hr", 1250}, {"bs", 1250}, {"ro", 1250}, {"sq", 1250}, {"el", 1253},
    {"tr", 1254}, {"he", 1255}, {"yi", 1255}, {"ar", 1256}, {"fa", 1256}, {"ur", 1256},
    {"ug", 1256}, {"lt", 1257}, {"lv", 1257}, {"et", 1257}, {"vi", 1258}, {"tk", 1250},
}};

int CodePageForLocale(std::string_view name) {
    // language[_territory][.codeset][@modifier]
    const size_t modifierAt = name.find('@');
    const std::string_view modifier =
        modifierAt == std::string_view::npos ? std::string_view() : name.substr(modifierAt + 1);
    name = name.substr(0, std::min(name.find('.'), modifierAt));
    const size_t territoryAt = name.find('_');
    const std::string_view language = name.substr(0, territoryAt);
    const std::string_view territory =
        territoryAt == std::string_view::npos ? std::string_view() : name.substr(territoryAt + 1);

    if (language == "zh") {
        return territory == "TW" || territory == "HK" || territory == "MO" ? 950 : 936;
    }
    if (language == "sr") return modifier == "latin" ? 1250 : 1251;
    if (language == "az" || language == "uz") return modifier == "cyrillic" ? 1251 : 1254;
    for (const auto& entry : kLanguages) {
        if (entry.language == language) return entry.codePage;
    }
    return kWesternEurope;  // also C and POSIX
}

}  // namespace

int AnsiCodePage() {
    // Read on every call: tests and the command line may change the variable while running.
    if (const int chosen = CodePageFromEnvironment(); chosen != 0) return chosen;
    return CodePageForLocale(LocaleName());
}

}  // namespace zemtra
