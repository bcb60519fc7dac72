// TFT_eSPI's smooth font (.vlw, as Processing's createFont writes it): a big-endian header, seven
// 32-bit values per glyph, the glyphs' 8-bit coverage one after the other, then the names and
// the anti-aliased flag. The records come before all bitmaps, so the glyphs wait until Finish.
#include <vector>

#include "base/error.h"
#include "output/font_export_detail.h"

namespace zemtra::font_export {
namespace {

constexpr int32_t kVlwVersion = 11;

void PutInt32(std::string& out, int64_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

// Java's writeUTF: a 16-bit big-endian length, then the text (ASCII and UTF-8 alike for the
// names written here).
void PutUtf(std::string& out, std::string_view text) {
    const size_t length = std::min<size_t>(text.size(), 0xFFFF);
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(length & 0xFF);
    out.append(text.substr(0, length));
}

class VlwWriter : public FontExportWriter {
  public:
    VlwWriter(const ExportFontInfo& info, ByteSink& out) : info_(info), out_(out) {}

    void Add(const ExportGlyph& g) override {
        // TFT_eSPI keeps the code in 16 bits, the box and the advance in 8, the left offset in
        // 8 signed bits and the top in 16.
        const auto beyond = [&](const char* what, int64_t value, int64_t low, int64_t high) {
            if (value >= low && value <= high) return;
            throw UserError("The " + std::string(what) + " of " + CodeText(g.character) + " is " +
                            std::to_string(value) + " dots; a TFT_eSPI smooth font takes " +
                            std::to_string(low) + " to " + std::to_string(high) + ".");
        };
        beyond("width", g.width, 0, 255);
        beyond("height", g.height, 0, 255);
        beyond("advance", g.advance, 0, 255);
        beyond("left offset", g.left, -128, 127);
        beyond("top", g.top, -32768, 32767);
        glyphs_.push_back(g);
    }

    void Finish() override {
        std::string bytes;
        PutInt32(bytes, static_cast<int64_t>(glyphs_.size()));
        PutInt32(bytes, kVlwVersion);
        PutInt32(bytes, info_.cellHeight);  // the size; TFT_eSPI spaces lines by the next two
        PutInt32(bytes, 0);
        PutInt32(bytes, info_.baseline);
        PutInt32(bytes, int64_t{info_.cellHeight} - info_.baseline);
        for (const ExportGlyph& g : glyphs_) {
            PutInt32(bytes, g.character);
            PutInt32(bytes, g.height);
            PutInt32(bytes, g.width);
            PutInt32(bytes, g.advance);
            PutInt32(bytes, g.top);
            PutInt32(bytes, g.left);
            PutInt32(bytes, 0);
        }
        out_.Write(bytes);
        // Coverage in bytes, a glyph's rows one after the other; 8 bits a dot already.
        for (const ExportGlyph& g : glyphs_) {
            out_.Write(
                std::string_view(reinterpret_cast<const char*>(g.levels.data()), g.levels.size()));
        }
        bytes.clear();
        PutUtf(bytes, info_.family);
        PutUtf(bytes, info_.name);
        bytes += static_cast<char>(info_.bpp > 1 ? 1 : 0);  // smooth: anti-aliased
        out_.Write(bytes);
    }

  private:
    ExportFontInfo info_;
    ByteSink& out_;
    std::vector<ExportGlyph> glyphs_;
};

}  // namespace

std::unique_ptr<FontExportWriter> MakeVlwWriter(const ExportFontInfo& info, ByteSink& out) {
    return std::make_unique<VlwWriter>(info, out);
}

std::optional<std::string> VlwProblem(const ExportFontInfo& info) {
    if (info.baseline < 0 || info.baseline > info.cellHeight) {
        return "A TFT_eSPI smooth font counts its ascent and descent from a baseline inside the "
               "line; the offsets put the baseline " +
               std::to_string(info.baseline) + " rows below the top of a " +
               std::to_string(info.cellHeight) + "-row line.";
    }
    return std::nullopt;
}

}  // namespace zemtra::font_export
