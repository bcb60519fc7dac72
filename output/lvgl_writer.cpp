// The LVGL 9 font source (lv_font_fmt_txt): glyph bitmaps as the glyphs come, then the glyph
// descriptors, the character maps and the font. Per glyph only its descriptor is kept.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <span>
#include <vector>

#include "base/error.h"
#include "output/font_export_detail.h"
#include "output/lvgl_tables.h"

namespace zemtra::font_export {
namespace {

// The tables after the bitmaps reach the sink in pieces of about this size.
constexpr size_t kPiece = 1 << 16;

struct Descriptor {
    uint32_t bitmapIndex = 0;
    int32_t advance = 0, width = 0, height = 0, left = 0, bottom = 0;
    char32_t character = 0;
};

class LvglWriter : public FontExportWriter {
  public:
    LvglWriter(const ExportFontInfo& info, ByteSink& out) : info_(info), out_(out) {
        const std::string& n = info_.name;
        std::string text = "/* " + n + ": an LVGL 9 font made by Zemtra";
        if (!info_.family.empty()) text += " from " + CommentText(info_.family);
        text += ", " + std::to_string(info_.cellWidth) + " x " + std::to_string(info_.cellHeight) +
                " dots, " + std::to_string(info_.bpp) + (info_.bpp == 1 ? " bit" : " bits") +
                " per dot" + (info_.compress ? ", compressed" : "") + ".\n";
        if (const std::string sources = SourcesText(info_); !sources.empty()) {
            text += " * Glyphs: " + sources + ".\n";
        }
        text += " * Declare it with LV_FONT_DECLARE(" + n +
                ") and set it with lv_obj_set_style_text_font(obj, &" + n + ", 0). */\n\n";
        text +=
            "#ifdef __has_include\n"
            "#if __has_include(\"lvgl.h\")\n"
            "#ifndef LV_LVGL_H_INCLUDE_SIMPLE\n"
            "#define LV_LVGL_H_INCLUDE_SIMPLE\n"
            "#endif\n"
            "#endif\n"
            "#endif\n"
            "#ifdef LV_LVGL_H_INCLUDE_SIMPLE\n"
            "#include \"lvgl.h\"\n"
            "#else\n"
            "#include \"lvgl/lvgl.h\"\n"
            "#endif\n\n";
        text += "#if LVGL_VERSION_MAJOR < 9\n#error \"" + n + " is made for LVGL 9\"\n#endif\n";
        if (info_.compress) {
            text += "#if !LV_USE_FONT_COMPRESSED\n#error \"" + n +
                    " has compressed bitmaps: set LV_USE_FONT_COMPRESSED to 1 in lv_conf.h\"\n"
                    "#endif\n";
        }
        text +=
            "\n#ifndef LV_ATTRIBUTE_LARGE_CONST\n#define LV_ATTRIBUTE_LARGE_CONST\n#endif\n\n"
            "static LV_ATTRIBUTE_LARGE_CONST const uint8_t glyph_bitmap[] = {\n";
        out_.Write(text);
    }

    void Add(const ExportGlyph& g) override {
        if (offset_ > UINT32_MAX) {
            throw UserError("The glyphs' bitmaps pass the 4 GB an LVGL font can address before " +
                            CodeText(g.character) + ".");
        }
        Descriptor d;
        d.bitmapIndex = static_cast<uint32_t>(offset_);
        d.advance = std::max(g.advance, 0);
        d.width = g.width;
        d.height = g.height;
        d.left = g.left;
        d.bottom = g.top - g.height;  // LVGL places a box by its lower edge above the baseline
        d.character = g.character;
        glyphs_.push_back(d);
        const std::string bits =
            info_.compress ? LvglCompressedBitmap(g.levels.data(), g.width, g.height, info_.bpp)
                           : PackedLevels(g, info_.bpp);
        if (!bits.empty()) {
            std::string text = "    /* " + CodeText(g.character);
            const std::string shown = CommentCharacter(g.character);
            if (!shown.empty()) text += " \"" + shown + "\"";
            text += " */\n" + CByteLines(bits);
            out_.Write(text);
        }
        offset_ += bits.size();
    }

    void Kern(std::span<const KerningPair> pairs) override {
        kerning_ = MakeLvglKerning(pairs, Characters());
    }

    void Finish() override {
        // LVGL's bit reader may look one byte past a compressed glyph; C wants one element too.
        Put("    0x00  /* end */\n};\n\n");
        // Said before the descriptors, so that it is the first complaint a compiler makes.
        if (NeedsLargeLayout()) {
            Put("#if !LV_FONT_FMT_TXT_LARGE\n#error \"" + info_.name +
                " is larger than LVGL's small glyph descriptors hold: set "
                "LV_FONT_FMT_TXT_LARGE to 1 in lv_conf.h\"\n#endif\n\n");
        }
        PutDescriptors();
        const std::vector<CharacterMap> maps = CharacterMaps(Characters());
        PutMaps(maps);
        const bool classes = PutKerning();
        Put(Font(maps.size(), classes));
        out_.Write(pending_);
        pending_.clear();
    }

  private:
    // The tables after the bitmaps go to the sink in pieces, so that a large font never
    // becomes one large text.
    void Put(std::string_view text) {
        pending_ += text;
        if (pending_.size() >= kPiece) {
            out_.Write(pending_);
            pending_.clear();
        }
    }

    // The small layout of lv_font_fmt_txt_glyph_dsc_t holds a 20-bit bitmap index, a 12-bit
    // advance in 1/16 dots, byte-sized boxes and offsets; beyond those the font needs LVGL's
    // large layout.
    bool NeedsLargeLayout() const {
        if (offset_ >= (1u << 20)) return true;
        for (const Descriptor& d : glyphs_) {
            if (d.advance * 16 >= 4096 || d.width > 255 || d.height > 255 || d.left < -128 ||
                d.left > 127 || d.bottom < -128 || d.bottom > 127) {
                return true;
            }
        }
        return false;
    }

    void PutDescriptors() {
        Put("static const lv_font_fmt_txt_glyph_dsc_t glyph_dsc[] = {\n"
            "    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0},"
            "  /* id 0: no glyph */\n");
        for (const Descriptor& d : glyphs_) {
            Put("    {.bitmap_index = " + std::to_string(d.bitmapIndex) +
                ", .adv_w = " + std::to_string(int64_t{d.advance} * 16) +
                ", .box_w = " + std::to_string(d.width) + ", .box_h = " + std::to_string(d.height) +
                ", .ofs_x = " + std::to_string(d.left) + ", .ofs_y = " + std::to_string(d.bottom) +
                "},  /* " + CodeText(d.character) + " */\n");
        }
        Put("};\n\n");
    }

    // A C array's numbers, perLine a line, after its head and before its end.
    template <typename T>
    void PutArray(const std::string& head, const std::vector<T>& values, size_t perLine) {
        Put(head);
        for (size_t i = 0; i < values.size(); i += perLine) {
            std::string line = "   ";
            for (size_t j = i; j < std::min(values.size(), i + perLine); ++j) {
                line += " " + std::to_string(values[j]) + ",";
            }
            Put(line + "\n");
        }
        Put("};\n\n");
    }

    // The sparse lists first, then the table of maps.
    void PutMaps(const std::vector<CharacterMap>& maps) {
        for (size_t m = 0; m < maps.size(); ++m) {
            const std::vector<uint16_t>& list = maps[m].sparse;
            if (list.empty()) continue;
            PutArray("static const uint16_t unicode_list_" + std::to_string(m) + "[] = {\n", list,
                     12);
        }
        Put("static const lv_font_fmt_txt_cmap_t cmaps[] = {\n");
        for (size_t m = 0; m < maps.size(); ++m) {
            const CharacterMap& map = maps[m];
            const bool sparse = !map.sparse.empty();
            Put("    {.range_start = " + std::to_string(map.start) +
                ", .range_length = " + std::to_string(map.length) +
                ", .glyph_id_start = " + std::to_string(map.firstGlyph) + ", .unicode_list = " +
                (sparse ? "unicode_list_" + std::to_string(m) : std::string("NULL")) +
                ", .glyph_id_ofs_list = NULL, .list_length = " + std::to_string(map.sparse.size()) +
                ", .type = " +
                (sparse ? "LV_FONT_FMT_TXT_CMAP_SPARSE_TINY"
                        : "LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY") +
                "},\n");
        }
        if (maps.empty()) {
            // No glyph: one map that holds nothing, as C wants an element.
            Put("    {.range_start = 0, .range_length = 0, .glyph_id_start = 0, "
                ".unicode_list = NULL, .glyph_id_ofs_list = NULL, .list_length = 0, "
                ".type = LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY},\n");
        }
        Put("};\n\n");
    }

    // Pairs, or classes where their tables are smaller; true for classes.
    bool PutKerning() {
        const std::vector<KernEntry>& pairs = kerning_.pairs;
        if (pairs.empty()) return false;
        const auto list = [&](const std::string& head, const auto& values) {
            PutArray(head, values, 16);
        };
        if (!kerning_.useClasses) {
            std::vector<uint32_t> ids;
            std::vector<int32_t> values;
            for (const KernEntry& e : pairs) {
                ids.push_back(e.left);
                ids.push_back(e.right);
                values.push_back(e.value);
            }
            list(std::string("static const ") + (kerning_.wideIds ? "uint16_t" : "uint8_t") +
                     " kern_pair_glyph_ids[] = {\n",
                 ids);
            list("static const int8_t kern_pair_values[] = {\n", values);
            Put("static const lv_font_fmt_txt_kern_pair_t kern_pairs = {\n"
                "    .glyph_ids = kern_pair_glyph_ids,\n"
                "    .values = kern_pair_values,\n"
                "    .pair_cnt = " +
                std::to_string(pairs.size()) +
                ",\n"
                "    .glyph_ids_size = " +
                (kerning_.wideIds ? "1" : "0") + ",\n};\n\n");
            return false;
        }
        const KernClasses& k = kerning_.classes;
        list("static const int8_t kern_class_values[] = {\n", k.values);
        list("static const uint8_t kern_left_class_mapping[] = {\n", k.left);
        list("static const uint8_t kern_right_class_mapping[] = {\n", k.right);
        Put("static const lv_font_fmt_txt_kern_classes_t kern_classes = {\n"
            "    .class_pair_values = kern_class_values,\n"
            "    .left_class_mapping = kern_left_class_mapping,\n"
            "    .right_class_mapping = kern_right_class_mapping,\n"
            "    .left_class_cnt = " +
            std::to_string(k.leftCount) +
            ",\n"
            "    .right_class_cnt = " +
            std::to_string(k.rightCount) + ",\n};\n\n");
        return true;
    }

    std::vector<char32_t> Characters() const {
        std::vector<char32_t> characters;
        characters.reserve(glyphs_.size());
        for (const Descriptor& d : glyphs_) characters.push_back(d.character);
        return characters;
    }

    std::string Font(size_t mapCount, bool classes) const {
        const std::string& n = info_.name;
        // The newest LVGL keeps font descriptors writable where fonts may live in video
        // memory, and says so with LV_FONT_DSC_CONST.
        std::string text =
            "#ifndef LV_FONT_DSC_CONST\n#define LV_FONT_DSC_CONST const\n#endif\n\n"
            "static LV_FONT_DSC_CONST lv_font_fmt_txt_dsc_t font_dsc = {\n";
        text += "    .glyph_bitmap = glyph_bitmap,\n";
        text += "    .glyph_dsc = glyph_dsc,\n";
        text += "    .cmaps = cmaps,\n";
        if (kerning_.pairs.empty()) {
            text += "    .kern_dsc = NULL,\n";
            text += "    .kern_scale = 0,\n";
        } else {
            text += std::string("    .kern_dsc = ") + (classes ? "&kern_classes" : "&kern_pairs") +
                    ",\n";
            text += "    .kern_scale = " + std::to_string(kerning_.scale) + ",\n";
        }
        text += "    .cmap_num = " + std::to_string(mapCount) + ",\n";
        text += "    .bpp = " + std::to_string(info_.bpp) + ",\n";
        text += std::string("    .kern_classes = ") + (classes ? "1" : "0") + ",\n";
        text += std::string("    .bitmap_format = ") + (info_.compress ? "1" : "0") + ",\n};\n\n";
        text += "const lv_font_t " + n + " = {\n";
        text += "    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,\n";
        text += "    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,\n";
        text += "    .line_height = " + std::to_string(info_.cellHeight) + ",\n";
        text += "    .base_line = " + std::to_string(info_.cellHeight - info_.baseline) +
                ",  /* rows below the baseline */\n";
        text += "    .subpx = LV_FONT_SUBPX_NONE,\n";
        text += "    .underline_position = -1,\n";
        text += "    .underline_thickness = 1,\n";
        text += "    .dsc = &font_dsc,\n";
        text += "    .fallback = NULL,\n";
        text += "    .user_data = NULL,\n};\n";
        return text;
    }

    ExportFontInfo info_;
    ByteSink& out_;
    std::vector<Descriptor> glyphs_;
    uint64_t offset_ = 0;
    std::string pending_;
    LvglKerning kerning_;
};

}  // namespace

std::unique_ptr<FontExportWriter> MakeLvglWriter(const ExportFontInfo& info, ByteSink& out) {
    return std::make_unique<LvglWriter>(info, out);
}

}  // namespace zemtra::font_export
