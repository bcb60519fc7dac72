// Conversions between UTF-16 and the Windows code pages through ICU's Windows tables, with the
// byte-pair rules of MultiByteToWideChar and WideCharToMultiByte rather than ICU's own.
#include "base/code_page.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <array>
#include <map>
#include <memory>
#include <vector>

namespace zemtra {
namespace {

// The exact ICU table of each Windows code page; aliases such as "windows-936" may resolve to an
// IBM table whose single bytes and pairs differ from Windows'.
struct CodePageTable {
    int codePage;
    const char* icuName;
};
constexpr std::array<CodePageTable, 14> kTables{{
    {874, "windows-874-2000"},
    {932, "ibm-943_P15A-2003"},
    {936, "windows-936-2000"},
    {949, "windows-949-2000"},
    {950, "windows-950-2000"},
    {1250, "ibm-5346_P100-1998"},
    {1251, "ibm-5347_P100-1998"},
    {1252, "ibm-5348_P100-1997"},
    {1253, "ibm-5349_P100-1998"},
    {1254, "ibm-5350_P100-1998"},
    {1255, "ibm-9447_P100-2002"},
    {1256, "ibm-9448_X100-2005"},
    {1257, "ibm-9449_P100-2002"},
    {1258, "ibm-5354_P100-1998"},
}};

const char* IcuName(int codePage) {
    for (const auto& table : kTables) {
        if (table.codePage == codePage) return table.icuName;
    }
    return nullptr;
}

constexpr char16_t kDefaultWide = u'?';
constexpr char kDefaultByte = '?';

// Stops at every unmappable unit. ICU's own stop callback lets unmappable default-ignorable
// characters (U+200B and the like) vanish, where Windows writes the default character.
void StopAtEveryUnit(const void*, UConverterFromUnicodeArgs*, const UChar*, int32_t, UChar32,
                     UConverterCallbackReason, UErrorCode*) {}

// One opened converter with the lead bytes of its table. Both directions stop at the first
// unmappable or invalid sequence, so that the caller decides what replaces it.
struct Converter {
    struct Closer {
        void operator()(UConverter* opened) const noexcept { ucnv_close(opened); }
    };
    std::unique_ptr<UConverter, Closer> cnv;
    std::array<bool, 256> lead{};
};

std::unique_ptr<Converter> OpenConverter(int codePage) {
    const char* name = IcuName(codePage);
    if (name == nullptr) return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    auto converter = std::make_unique<Converter>();
    converter->cnv.reset(ucnv_open(name, &status));
    if (U_FAILURE(status) || !converter->cnv) return nullptr;
    UConverter* cnv = converter->cnv.get();
    ucnv_setFallback(cnv, true);  // the best-fit mappings of the Windows tables
    ucnv_setSubstChars(cnv, &kDefaultByte, 1, &status);
    ucnv_setToUCallBack(cnv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(cnv, StopAtEveryUnit, nullptr, nullptr, nullptr, &status);
    UBool starters[256] = {};
    if (ucnv_getType(cnv) != UCNV_SBCS) ucnv_getStarters(cnv, starters, &status);
    if (U_FAILURE(status)) return nullptr;
    for (size_t i = 0; i < 256; ++i) converter->lead[i] = starters[i] != 0;
    return converter;
}

// ICU converters are not thread-safe and slow to open, so every thread keeps its own, one per
// code page, for the life of the thread. A code page without a table caches as null.
Converter* ConverterFor(int codePage) {
    thread_local std::map<int, std::unique_ptr<Converter>> cache;
    auto it = cache.find(codePage);
    if (it == cache.end()) it = cache.emplace(codePage, OpenConverter(codePage)).first;
    return it->second.get();
}

// One character's bytes to UTF-16; the default character when the table lacks them.
void DecodeOne(Converter& converter, const char* bytes, int32_t length, std::u16string& out) {
    UChar units[8];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t count = ucnv_toUChars(converter.cnv.get(), units, 8, bytes, length, &status);
    if (U_FAILURE(status) || count <= 0) {
        out.push_back(kDefaultWide);
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        // A substitution that slipped through the stop callback still means "not in the table".
        const char16_t unit = units[i];
        out.push_back(unit == u'\uFFFD' ? kDefaultWide : unit);
    }
}

// A run of UTF-16 without surrogates to bytes; on an unmappable unit, "?" and go on after it.
void EncodeRun(UConverter* cnv, std::u16string_view run, std::string& out) {
    const UChar* source = run.data();
    const UChar* const sourceEnd = run.data() + run.size();
    ucnv_resetFromUnicode(cnv);
    while (source < sourceEnd) {
        char buffer[512];
        char* target = buffer;
        const UChar* const before = source;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_fromUnicode(cnv, &target, buffer + sizeof buffer, &source, sourceEnd, nullptr, true,
                         &status);
        out.append(buffer, static_cast<size_t>(target - buffer));
        // A full buffer keeps the rest of a split character in the converter for the next call.
        if (status == U_BUFFER_OVERFLOW_ERROR) continue;
        if (U_FAILURE(status)) {
            out.push_back(kDefaultByte);  // ICU has consumed the offending unit
            if (source == before) ++source;
            ucnv_resetFromUnicode(cnv);
        }
    }
    // A buffer that overflowed on the last character leaves its tail behind.
    char tail[8];
    char* target = tail;
    const UChar* none = sourceEnd;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_fromUnicode(cnv, &target, tail + sizeof tail, &none, sourceEnd, nullptr, true, &status);
    out.append(tail, static_cast<size_t>(target - tail));
}

bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Every Windows ANSI code page maps 00..7F to U+0000..U+007F. ICU's table for 932 (IBM-943)
// swaps the controls 1A, 1C and 7F instead, so ASCII never goes through the tables.
bool IsAscii(char16_t unit) {
    return unit < 0x80;
}

}  // namespace

std::string WideToMultiByte(int codePage, std::u16string_view text) {
    Converter* converter = ConverterFor(codePage);
    if (converter == nullptr) return {};
    std::string out;
    out.reserve(text.size());
    // Surrogates never pair up here: each is a unit of its own that no table maps. ASCII is
    // written as it is (see IsAscii).
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !IsSurrogate(text[i]) && !IsAscii(text[i])) continue;
        if (i > start) EncodeRun(converter->cnv.get(), text.substr(start, i - start), out);
        if (i < text.size()) {
            out.push_back(IsSurrogate(text[i]) ? kDefaultByte : static_cast<char>(text[i]));
        }
        start = i + 1;
    }
    return out;
}

std::u16string CharactersLackingIn(int codePage, std::u16string_view text) {
    std::u16string lacking;
    std::vector<bool> seen(0x10000, false);
    for (char16_t c : text) {
        if (c < 0x80 || seen[c]) continue;
        seen[c] = true;
        const std::u16string_view one(&c, 1);
        if (MultiByteToWide(codePage, WideToMultiByte(codePage, one)) != one) lacking.push_back(c);
    }
    return lacking;
}

std::u16string MultiByteToWide(int codePage, std::string_view bytes) {
    Converter* converter = ConverterFor(codePage);
    if (converter == nullptr) return {};
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (IsAscii(byte)) {
            out.push_back(static_cast<char16_t>(byte));
        } else if (!converter->lead[byte]) {
            DecodeOne(*converter, bytes.data() + i, 1, out);
        } else if (i + 1 < bytes.size() && bytes[i + 1] != '\0') {
            // A lead byte takes any nonzero byte after it, whether the table holds the pair or not.
            DecodeOne(*converter, bytes.data() + i, 2, out);
            ++i;
        } else {
            out.push_back(kDefaultWide);  // a 00 after it converts on its own
        }
    }
    return out;
}

std::u16string CodeToCharacter(uint16_t code, int32_t kind) {
    const auto hi = static_cast<char>(code >> 8);
    const auto lo = static_cast<char>(code & 0xFF);
    int codePage = 0;
    std::array<char, 3> bytes{hi, lo, '\0'};
    switch (static_cast<CodePageKind>(kind)) {
        case CodePageKind::Mbcs:
            codePage = AnsiCodePage();
            bytes = {lo, hi, '\0'};
            break;
        case CodePageKind::Gb2312:
        case CodePageKind::Gbk:
            codePage = 936;
            break;
        case CodePageKind::Big5:
            codePage = 950;
            break;
        default:
            return std::u16string(1, static_cast<char16_t>(code));
    }
    if (bytes[0] == '\0') return {};
    std::u16string text = MultiByteToWide(codePage, std::string_view(bytes.data(), bytes.size()));
    if (text.size() > 1) text.resize(1);
    return text;
}

std::optional<int64_t> LibrarySlot(int32_t kind, uint16_t code) {
    // Codes outside the tables' lead and trail ranges keep the formula's value, which may be
    // negative or fall on a neighbouring row's slot: a build subtracts the slot of its From code.
    const int64_t hi = code >> 8;
    const int64_t lo = code & 0xFF;
    if (kind == static_cast<int32_t>(CodePageKind::Gbk)) {
        if (lo == 0x7F) return std::nullopt;
        return (hi - 0x81) * 190 + (lo <= 0x7E ? lo - 0x40 : lo - 0x41);
    }
    if (kind == static_cast<int32_t>(CodePageKind::Big5)) {
        if (lo >= 0x7F && lo <= 0xA0) return std::nullopt;
        return (hi - 0xA1) * 157 + (lo <= 0x7E ? lo - 0x40 : lo - 0x62);
    }
    return std::nullopt;
}

}  // namespace zemtra
