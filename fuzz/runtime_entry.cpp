// Fuzzing the firmware's reader (runtime/zemtra_font.c) as a device would meet bad input: any
// library description, a library shorter than it claims, a tiny glyph buffer, codes outside the
// range, an unsorted map and broken UTF-8. Every buffer is allocated at exactly the size given,
// so AddressSanitizer sees any access beyond it; the reader must answer with an error code.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_entries.h"
#include "runtime/zemtra_font.h"

namespace zemtra::fuzz {
namespace {

struct Flash {
    const uint8_t* bytes;
    uint32_t size;
    int reads;
};

int ReadFlash(void* ctx, uint32_t offset, void* buffer, uint32_t length) {
    auto* flash = static_cast<Flash*>(ctx);
    ++flash->reads;
    if (offset > flash->size || length > flash->size - offset) return -1;  // a short library
    if (length > 0) std::memcpy(buffer, flash->bytes + offset, length);
    return 0;
}

struct Canvas {
    int left, right, top, bottom;  // where the text may draw
    int dots;
};

void Pixel(void* ctx, int x, int y) {
    auto* c = static_cast<Canvas*>(ctx);
    Check(x >= c->left && x < c->right && y >= c->top && y < c->bottom, "a dot inside the text");
    ++c->dots;
}

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

// Input: 24 bytes of description and sizes, a map of N entries, the text up to a 0 byte, then
// the library's bytes.
void FuzzRuntime(std::string_view data) {
    if (data.size() < 24) return;
    const auto* d = reinterpret_cast<const uint8_t*>(data.data());
    zf_library_info info{};
    info.width = static_cast<uint16_t>(d[0] % 70);
    info.height = static_cast<uint16_t>(d[1] % 70);
    info.record_size = d[2] | (d[3] & 0x03) << 8;
    info.code_page = static_cast<uint8_t>(d[4] % 6);
    info.first_code = U16(d + 5);
    info.last_code = U16(d + 7);
    info.orientation = static_cast<uint8_t>(d[9] % 5);
    info.backward = d[10] & 1;
    info.anode = d[10] >> 1 & 1;
    info.word_bits = d[11] & 1 ? 4 : 8;
    const uint32_t code = U16(d + 12);
    const uint32_t bufferSize = U16(d + 14) % 2048;
    const uint32_t character = d[16] | d[17] << 8 | (d[18] & 0x1F) << 16;
    const size_t entries = d[19] % 16;
    data.remove_prefix(24);

    std::vector<zf_map_entry> mapEntries;
    for (size_t i = 0; i < entries && data.size() >= 4; ++i, data.remove_prefix(4)) {
        const auto* e = reinterpret_cast<const uint8_t*>(data.data());
        mapEntries.push_back({U16(e), U16(e + 2)});
    }
    const zf_unicode_map map{mapEntries.empty() ? nullptr : mapEntries.data(),
                             static_cast<uint32_t>(mapEntries.size())};
    const size_t end = data.find('\0');
    const std::string text(data.substr(0, end));
    data.remove_prefix(end == std::string_view::npos ? data.size() : end + 1);
    // The library in a buffer of its own size: a read past it is ASan's to see.
    std::vector<uint8_t> library(data.begin(), data.end());
    Flash flash{library.data(), static_cast<uint32_t>(library.size()), 0};
    std::vector<uint8_t> buffer(bufferSize);

    uint32_t offset = 0;
    const int placed = zf_record_offset(&info, code, &offset);
    const int got = zf_glyph_dots(&info, ReadFlash, &flash, code, buffer.data(), bufferSize);
    Check(got == ZF_OK || got == ZF_ERR_CODE || got == ZF_ERR_BUFFER || got == ZF_ERR_READ ||
              got == ZF_ERR_INFO,
          "an error code");
    Check(flash.reads <= 1, "one read a glyph");
    if (got == ZF_OK) {
        Check(placed == ZF_OK, "a glyph read has a record");
        Check(offset + info.record_size <= library.size(), "the record lies in the library");
    }
    uint32_t found = 0;
    const int mapped = zf_code_of(&info, character, entries > 0 ? &map : nullptr, &found);
    Check(mapped <= 0, "an error code");
    if (mapped == ZF_OK) Check(zf_record_offset(&info, found, &offset) == ZF_OK, "a found code");

    const char* walk = text.c_str();
    size_t characters = 0;
    for (uint32_t c = zf_next_utf8(&walk); c != 0; c = zf_next_utf8(&walk)) {
        Check(c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF), "a character");
        Check(walk <= text.c_str() + text.size(), "the walk stays in the text");
        ++characters;
    }
    Canvas canvas{-5, -5 + static_cast<int>(characters) * info.width, 7, 7 + info.height, 0};
    flash.reads = 0;
    const int drawn = zf_draw_text(&info, ReadFlash, &flash, entries > 0 ? &map : nullptr,
                                   text.c_str(), -5, 7, Pixel, &canvas, buffer.data(), bufferSize);
    Check(drawn <= 0, "an error code");
    Check(static_cast<size_t>(flash.reads) <= characters, "one read a character at most");
}

}  // namespace zemtra::fuzz
