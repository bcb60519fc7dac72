// The font library job: every code of a rectangle of codes in a code page becomes one
// fixed-size glyph record of a headerless .dzk file.
//
// Layout: R = WordCount at the data width capped at 8 bits, one byte per word. UNICODE, MBCS and
// GB2312 append one record per visited code in walk order (hi outer, lo inner). GBK and BIG5
// place the record of a code at (slot(code) - base) x R, where base is the slot of From; a From
// without a slot (GBK lo 0x7F, BIG5 lo 0x7F..0xA0) takes the slot of the next trail byte that has
// one, so the first record of its row still lands at offset 0. A code without a character repeats
// the previous record; when the very first code has none, its record is that of an all-unlit
// matrix (polarity applied).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "base/progress.h"
#include "base/project_settings.h"
#include "raster/picture_decoder.h"

namespace zemtra {

// R: the bytes of one record for the settings' matrix and scan mode.
int64_t LibraryRecordLength(const ProjectSettings& s);

// The base slot of a GBK or BIG5 build starting at from.
int64_t LibraryBaseSlot(int32_t kind, uint16_t from);

struct LibraryResult {
    int64_t codesVisited = 0;  // codes of the rectangle walked before the end or the stop
    int64_t recordsWritten = 0;
    bool stopped = false;
};

struct LibraryOptions {
    int threads = 0;  // 0: one per core
    ProgressSink* progress = nullptr;
    const StopFlag* stop = nullptr;
};

// The library packs bytes: the data width capped at 8 bits (4 stays 4).
int LibraryPackingBits(const ProjectSettings& s);

// Where the record of a code lies in a library of these settings, in records: its walk
// position for the kinds that append, its slot less the base slot for GBK and BIG5. Nothing for
// a code outside the rectangle FROM..TO or without a slot.
std::optional<int64_t> LibraryRecordIndex(const ProjectSettings& s, uint16_t code);

// A C header for runtime/zemtra_font.h that tells the firmware what a library of these settings
// is: `static const zf_library_info NAME_info = {...};` (matrix, record size, code page, code
// range, scan mode). NAME must be a C identifier. With unicodeMap (a code-page library), also
// `static const zf_unicode_map NAME_unicode_map`: the characters of the library's codes sorted by
// character, each once with its lowest code; characters beyond U+FFFF are left out and counted
// in a comment.
std::string LibraryHeaderText(const ProjectSettings& s, std::string_view name,
                              bool unicodeMap = false);

// Why these settings make no library (sizes above the limits, no scan mode selected), as a
// message; nothing when they can.
std::optional<Message> LibrarySettingsProblem(const ProjectSettings& s);

// Builds the library of settings.FROM..TO in settings.CODEPAGE into target (created or
// emptied). Reports percentages, tests the stop flag before every code and keeps what was
// written when stopped. Throws UserError when the file cannot be created or written or for a
// LibrarySettingsProblem; does nothing for a matrix below 1 x 1.
LibraryResult BuildFontLibrary(const ProjectSettings& settings, const std::filesystem::path& target,
                               const LibraryOptions& options = {});

}  // namespace zemtra
