// Every conversion between UTF-16 and the Windows code pages, through ICU, with the results the
// platform's MultiByteToWideChar and WideCharToMultiByte (flags 0) give.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zemtra {

// The system's ANSI code page: ZEMTRA_ANSI_CODEPAGE when set, else the Windows code page of the
// locale's language and territory (zh_CN 936, zh_TW 950, ja 932, ..., otherwise 1252).
int AnsiCodePage();

// UTF-16 to the code page, best-fit mappings included; what cannot be mapped becomes the code
// page's default character "?". Each UTF-16 unit converts on its own.
std::string WideToMultiByte(int codePage, std::u16string_view text);

// The code page's bytes to UTF-16: a lead byte and any nonzero byte form one character (a pair
// the table lacks gives "?"); a lead byte at the end or before 00 gives "?".
std::u16string MultiByteToWide(int codePage, std::string_view bytes);

// The characters of text that the code page has no code of their own for (their bytes read back
// as another character: the default "?" or a best-fit look-alike), each once, in order of first
// appearance. Each UTF-16 unit counts on its own, as WideToMultiByte converts it.
std::u16string CharactersLackingIn(int codePage, std::u16string_view text);

// The code pages a font library can walk; the index of the code page combo box.
enum class CodePageKind : int32_t { Unicode = 0, Mbcs = 1, Gb2312 = 2, Gbk = 3, Big5 = 4 };

// The character of a library code in a code page kind: at most one UTF-16 unit, empty when the
// first byte is 0 or the conversion fails. Unknown kinds act as UNICODE.
std::u16string CodeToCharacter(uint16_t code, int32_t kind);

// The record slot of a GBK or BIG5 code; nothing for a code without a record (GBK lo 0x7F, BIG5
// lo 0x7F..0xA0) and for the other kinds, which append their records.
std::optional<int64_t> LibrarySlot(int32_t kind, uint16_t code);

}  // namespace zemtra
