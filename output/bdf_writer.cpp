// BDF 2.1: the header needs the font's bounding box, glyph count and average width, which are
// known after the last glyph, so the glyph records wait in a scratch file until then.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/error.h"
#include "output/font_export_detail.h"

namespace zemtra::font_export {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};

// A BDF string value: in double quotes, a quote doubled.
// A property's string: quotes doubled, and a control (a line end would end the property and
// start a line of its own) as '_'.
std::string Quoted(std::string_view text) {
    std::string q = "\"";
    for (char c : text) {
        if (c == '"') {
            q += "\"\"";
        } else {
            q += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '_' : c;
        }
    }
    return q + "\"";
}

// A field of the XLFD name: printable ASCII without the name's own separators.
std::string XlfdField(std::string_view text) {
    std::string field;
    for (char c : text) {
        const bool plain =
            c > 0x20 && c < 0x7F && c != '-' && c != '*' && c != '?' && c != ',' && c != '"';
        field += plain ? c : (c == ' ' ? ' ' : '_');
    }
    return field.empty() ? "Zemtra" : field;
}

class BdfWriter : public FontExportWriter {
  public:
    BdfWriter(const ExportFontInfo& info, ByteSink& out) : info_(info), out_(out) {
        spool_.reset(std::tmpfile());
        if (!spool_) {
            throw UserError(std::string("Cannot make a scratch file for the BDF font: ") +
                            std::strerror(errno));
        }
    }

    void Add(const ExportGlyph& g) override {
        // Glyph names as Adobe's list makes them: uniXXXX, and uXXXXX beyond U+FFFF.
        std::string record = std::string("STARTCHAR ") + (g.character > 0xFFFF ? "u" : "uni") +
                             CodeText(g.character).substr(2) + "\n";
        record += "ENCODING " + std::to_string(g.character) + "\n";
        const long swidth = std::lround(g.advance * 1000.0 / std::max(info_.ppem, 1));
        record += "SWIDTH " + std::to_string(swidth) + " 0\n";
        record += "DWIDTH " + std::to_string(g.advance) + " 0\n";
        const int32_t bottom = g.top - g.height;  // BDF places a box by its lower left corner
        record += "BBX " + std::to_string(g.width) + " " + std::to_string(g.height) + " " +
                  std::to_string(g.left) + " " + std::to_string(bottom) + "\nBITMAP\n";
        const size_t rowBytes = (static_cast<size_t>(g.width) + 7) / 8;
        for (int32_t y = 0; y < g.height; ++y) {
            for (size_t b = 0; b < rowBytes; ++b) {
                unsigned byte = 0;
                for (int32_t k = 0; k < 8; ++k) {
                    const auto x = static_cast<int32_t>(b * 8) + k;
                    if (x < g.width && g.Level(x, y) != 0) byte |= 0x80u >> k;
                }
                record += HexByte(static_cast<uint8_t>(byte)).substr(2);
            }
            record += "\n";
        }
        record += "ENDCHAR\n";
        if (std::fwrite(record.data(), 1, record.size(), spool_.get()) != record.size()) {
            throw UserError(std::string("Cannot write the BDF font's scratch file: ") +
                            std::strerror(errno));
        }
        ++glyphs_;
        advances_ += g.advance;
        if (g.width > 0 && g.height > 0) {
            if (!inked_) {
                left_ = g.left;
                right_ = g.left + g.width;
                bottom_ = bottom;
                top_ = g.top;
                inked_ = true;
            }
            left_ = std::min(left_, g.left);
            right_ = std::max(right_, g.left + g.width);
            bottom_ = std::min(bottom_, bottom);
            top_ = std::max(top_, g.top);
        }
    }

    void Finish() override {
        out_.Write(Header());
        std::rewind(spool_.get());
        char buffer[1 << 15];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, spool_.get())) > 0) {
            out_.Write(std::string_view(buffer, n));
        }
        if (std::ferror(spool_.get())) {
            throw UserError("Cannot read back the BDF font's scratch file.");
        }
        out_.Write("ENDFONT\n");
    }

  private:
    std::string Header() const {
        // No ink at all: the window stands for the box.
        const int32_t left = inked_ ? left_ : -info_.originColumn;
        const int32_t bottom = inked_ ? bottom_ : info_.baseline - info_.cellHeight;
        const int32_t width = inked_ ? right_ - left_ : info_.cellWidth;
        const int32_t height = inked_ ? top_ - bottom_ : info_.cellHeight;
        const bool bold = info_.weight >= 600;
        const std::string spacing = info_.monospace ? "C" : "P";
        const int64_t averageWidth = glyphs_ == 0 ? 0 : (advances_ * 10 + glyphs_ / 2) / glyphs_;
        const std::string px = std::to_string(info_.ppem);
        const std::string family = XlfdField(info_.family);
        std::string h = "STARTFONT 2.1\n";
        h += "COMMENT " + std::to_string(info_.cellWidth) + " x " +
             std::to_string(info_.cellHeight) + " dots, made by Zemtra\n";
        if (const std::string sources = SourcesText(info_); !sources.empty()) {
            h += "COMMENT glyphs: " + sources + "\n";
        }
        h += "FONT -Zemtra-" + family + "-" + (bold ? "Bold" : "Medium") + "-" +
             (info_.italic ? "I" : "R") + "-Normal--" + px + "-" + px + "0-72-72-" + spacing + "-" +
             std::to_string(averageWidth) + "-ISO10646-1\n";
        h += "SIZE " + px + " 72 72\n";
        h += "FONTBOUNDINGBOX " + std::to_string(width) + " " + std::to_string(height) + " " +
             std::to_string(left) + " " + std::to_string(bottom) + "\n";
        const std::string properties[] = {
            "FOUNDRY \"Zemtra\"",
            "FAMILY_NAME " + Quoted(info_.family.empty() ? family : info_.family),
            std::string("WEIGHT_NAME ") + (bold ? "\"Bold\"" : "\"Medium\""),
            std::string("SLANT ") + (info_.italic ? "\"I\"" : "\"R\""),
            "SETWIDTH_NAME \"Normal\"",
            "ADD_STYLE_NAME \"\"",
            "PIXEL_SIZE " + px,
            "POINT_SIZE " + px + "0",
            "RESOLUTION_X 72",
            "RESOLUTION_Y 72",
            "SPACING \"" + spacing + "\"",
            "AVERAGE_WIDTH " + std::to_string(averageWidth),
            "CHARSET_REGISTRY \"ISO10646\"",
            "CHARSET_ENCODING \"1\"",
            // The line is the window: the baseline's row above, the rest below.
            "FONT_ASCENT " + std::to_string(info_.baseline),
            "FONT_DESCENT " + std::to_string(info_.cellHeight - info_.baseline),
        };
        h += "STARTPROPERTIES " + std::to_string(std::size(properties)) + "\n";
        for (const std::string& p : properties) h += p + "\n";
        h += "ENDPROPERTIES\n";
        h += "CHARS " + std::to_string(glyphs_) + "\n";
        return h;
    }

    ExportFontInfo info_;
    ByteSink& out_;
    std::unique_ptr<std::FILE, FileCloser> spool_;
    int64_t glyphs_ = 0;
    int64_t advances_ = 0;
    bool inked_ = false;
    int32_t left_ = 0, right_ = 0, bottom_ = 0, top_ = 0;
};

}  // namespace

std::unique_ptr<FontExportWriter> MakeBdfWriter(const ExportFontInfo& info, ByteSink& out) {
    return std::make_unique<BdfWriter>(info, out);
}

}  // namespace zemtra::font_export
