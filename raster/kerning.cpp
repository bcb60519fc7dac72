// Kerning through HarfBuzz: candidates from the kerning lookups' glyph sets, then each pair
// shaped with kerning alone.
#include "raster/kerning.h"

#include <hb-ft.h>
#include <hb-ot.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace zemtra {
namespace {

struct HbDelete {
    void operator()(hb_face_t* p) const { hb_face_destroy(p); }
    void operator()(hb_font_t* p) const { hb_font_destroy(p); }
    void operator()(hb_buffer_t* p) const { hb_buffer_destroy(p); }
    void operator()(hb_set_t* p) const { hb_set_destroy(p); }
};
template <typename T>
using HbPtr = std::unique_ptr<T, HbDelete>;

constexpr hb_tag_t kKern = HB_TAG('k', 'e', 'r', 'n');

// Big-endian reads inside a table's bytes; 0 beyond its end.
uint32_t Read(const char* data, unsigned length, unsigned at, unsigned bytes) {
    if (at + bytes > length) return 0;
    uint32_t v = 0;
    for (unsigned i = 0; i < bytes; ++i) v = (v << 8) | static_cast<uint8_t>(data[at + i]);
    return v;
}

// The glyphs of the legacy 'kern' table's format-0 pairs (the Microsoft and the Apple header);
// false when it has another format, whose glyphs cannot be listed.
bool KernTableGlyphs(hb_face_t* face, hb_set_t* glyphs) {
    hb_blob_t* raw = hb_face_reference_table(face, kKern);
    unsigned length = 0;
    const char* data = hb_blob_get_data(raw, &length);
    bool listed = true;
    const bool apple = Read(data, length, 0, 4) == 0x00010000;
    const unsigned tables = apple ? Read(data, length, 4, 4) : Read(data, length, 2, 2);
    unsigned at = apple ? 8 : 4;
    for (unsigned t = 0; t < tables && at < length; ++t) {
        const unsigned size = apple ? Read(data, length, at, 4) : Read(data, length, at + 2, 2);
        const unsigned format =
            apple ? Read(data, length, at + 4, 2) & 0xFF : Read(data, length, at + 4, 2) >> 8;
        const unsigned header = apple ? 8 : 6;
        if (format == 0) {
            const unsigned pairs = Read(data, length, at + header, 2);
            for (unsigned p = 0; p < pairs; ++p) {
                const unsigned pair = at + header + 8 + p * 6;
                if (pair + 6 > length) break;
                hb_set_add(glyphs, Read(data, length, pair, 2));
                hb_set_add(glyphs, Read(data, length, pair + 2, 2));
            }
        } else {
            listed = false;
        }
        if (size < header) break;
        at += size;
    }
    hb_blob_destroy(raw);
    return listed;
}

// The glyphs kerning can touch: those of the GPOS lookups of the 'kern' feature or, in a face
// whose GPOS has no such lookup, of the 'kern' table (as HarfBuzz applies one or the other).
// False when it cannot tell (a 'kern' subtable of another format): then every glyph may be.
bool KerningGlyphs(hb_face_t* face, hb_set_t* glyphs) {
    const HbPtr<hb_set_t> lookups(hb_set_create());
    const hb_tag_t features[] = {kKern, HB_TAG_NONE};
    hb_ot_layout_collect_lookups(face, HB_OT_TAG_GPOS, nullptr, nullptr, features, lookups.get());
    if (!hb_set_is_empty(lookups.get())) {
        hb_codepoint_t lookup = HB_SET_VALUE_INVALID;
        while (hb_set_next(lookups.get(), &lookup)) {
            hb_ot_layout_lookup_collect_glyphs(face, HB_OT_TAG_GPOS, lookup, nullptr, glyphs,
                                               nullptr, nullptr);
        }
        return true;
    }
    return KernTableGlyphs(face, glyphs);
}

// Kerning and nothing else: the features HarfBuzz applies by default, off.
constexpr const char* kFeatures[] = {"kern",  "-liga", "-clig", "-calt", "-rlig",
                                     "-ccmp", "-locl", "-mark", "-mkmk", "-rclt",
                                     "-dist", "-curs", "-abvm", "-blwm", "-rvrn"};

}  // namespace

std::vector<KerningPair> FaceKerning(FT_Face face, std::span<const CharacterGlyph> characters) {
    std::vector<KerningPair> pairs;
    if (!FT_IS_SCALABLE(face) || face->size == nullptr || characters.size() < 2) return pairs;
    const HbPtr<hb_face_t> hbFace(hb_ft_face_create_referenced(face));
    const HbPtr<hb_set_t> touched(hb_set_create());
    const bool listed = KerningGlyphs(hbFace.get(), touched.get());
    if (listed && hb_set_is_empty(touched.get())) return pairs;
    std::vector<CharacterGlyph> candidates;
    for (const CharacterGlyph& c : characters) {
        if (c.second != 0 && (!listed || hb_set_has(touched.get(), c.second))) {
            candidates.push_back(c);
        }
    }
    if (candidates.size() < 2) return pairs;

    // Positions in font units, turned into 1/16 pixel by the face's horizontal scale.
    const HbPtr<hb_font_t> font(hb_font_create(hbFace.get()));
    const int upem = static_cast<int>(hb_face_get_upem(hbFace.get()));
    hb_font_set_scale(font.get(), upem, upem);
    const double sixteenthsPerUnit =
        static_cast<double>(face->size->metrics.x_scale) / 65536.0 / 64.0 * 16.0;
    std::vector<hb_feature_t> features(std::size(kFeatures));
    for (size_t i = 0; i < features.size(); ++i) {
        hb_feature_from_string(kFeatures[i], -1, &features[i]);
    }
    const HbPtr<hb_buffer_t> buffer(hb_buffer_create());
    std::vector<hb_position_t> advance(candidates.size());
    for (size_t i = 0; i < candidates.size(); ++i) {
        advance[i] = hb_font_get_glyph_h_advance(font.get(), candidates[i].second);
    }
    for (size_t a = 0; a < candidates.size(); ++a) {
        for (size_t b = 0; b < candidates.size(); ++b) {
            hb_buffer_clear_contents(buffer.get());
            const uint32_t text[2] = {candidates[a].first, candidates[b].first};
            hb_buffer_add_utf32(buffer.get(), text, 2, 0, 2);
            hb_buffer_guess_segment_properties(buffer.get());
            hb_buffer_set_direction(buffer.get(), HB_DIRECTION_LTR);
            hb_shape(font.get(), buffer.get(), features.data(),
                     static_cast<unsigned>(features.size()));
            unsigned count = 0;
            const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer.get(), &count);
            const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer.get(), &count);
            // A pair that shapes into other glyphs than the two drawn has no kerning of theirs.
            if (count != 2 || info[0].codepoint != candidates[a].second ||
                info[1].codepoint != candidates[b].second) {
                continue;
            }
            const int64_t units =
                int64_t{pos[0].x_advance} + pos[1].x_advance - advance[a] - advance[b];
            if (units == 0) continue;
            const auto sixteenths =
                static_cast<int32_t>(std::lround(static_cast<double>(units) * sixteenthsPerUnit));
            if (sixteenths != 0) {
                pairs.push_back({candidates[a].first, candidates[b].first, sixteenths});
            }
        }
    }
    return pairs;
}

}  // namespace zemtra
