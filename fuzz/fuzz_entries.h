// The fuzz targets' bodies, one function per target. The libFuzzer programs call them, and the
// regression test replays every saved finding through the same function.
#pragma once

#include <string_view>

namespace zemtra::fuzz {

// Profile::FromBytes in every encoding, lookups, Set and a ToBytes round trip.
void FuzzProfile(std::string_view data);
// ReadProject over Profile::FromBytes, then saving and loading again gives the same settings.
void FuzzProject(std::string_view data);
// A Language folder of fuzzed files (and Setting.ini) read through CMultiLanguage.
void FuzzLanguage(std::string_view data);
// The bytes as a picture file, decoded and rendered through the renderer's picture path.
void FuzzPicture(std::string_view data);
// The hex field's key, character and paste rules and its value conversions.
void FuzzHexEdit(std::string_view data);
// CodeToCharacter and the ANSI conversions in every code page.
void FuzzCodePage(std::string_view data);
// UsedText of every kind of file, ParseFontSource and ParseCodeSpans with their round trips.
void FuzzUsedText(std::string_view data);
// runtime/zemtra_font.c: any library description, short libraries and buffers, maps, UTF-8.
void FuzzRuntime(std::string_view data);
// The bytes as a font file, chosen, sized and drawn at one bit and in grey, linked and as a
// source of its own, through the renderer the jobs use.
void FuzzFont(std::string_view data);
// A font model from the bytes written in every export format, each refused with a message or
// read back by the tests' decoder of its format with the same glyphs.
void FuzzWriters(std::string_view data);

struct FuzzTarget {
    std::string_view name;  // also the folder under fuzz/corpus and fuzz/regressions
    void (*entry)(std::string_view);
};

// Every target, made from the list in fuzz/CMakeLists.txt.
inline constexpr FuzzTarget kFuzzTargets[] = {
#include "fuzz/fuzz_targets.inc"
};

// Stops the program with the message when an invariant does not hold, so that the fuzzer
// keeps the input and a replaying test fails.
void Check(bool condition, const char* what);

}  // namespace zemtra::fuzz
