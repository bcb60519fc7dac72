// zemtra-cli's jobs, calling the same core functions as the desktop program.
#include "cli/cli_jobs.h"

#include <ostream>

#include "app/atomic_file.h"
#include "app/unicode.h"
#include "output/c_source_writer.h"
#include "raster/glyph_renderer.h"

namespace zemtra::cli {
namespace {

// The list as "Add" builds it: one item per UTF-16 unit, each a character item.
void ReplaceList(ProjectSettings& s, const std::u16string& text) {
    s.TEXT = text;
    s.LIST.clear();
    s.PIC.clear();
    for (char16_t c : text) {
        s.LIST.emplace_back(1, c);
        s.PIC.emplace_back(u"#");
    }
}

std::string Utf16LeWithMark(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

void Emit(const Request& r, std::ostream& out, const std::string& bytes) {
    if (r.output) {
        WriteFileAtomically(*r.output, bytes);
    } else {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
    }
}

}  // namespace

int RunCSource(const Request& r, std::ostream& out) {
    ProjectSettings s = r.settings;
    if (r.text) ReplaceList(s, Utf8ToUtf16(*r.text));
    if (s.LIST.empty()) throw UsageError("c-source: the character list is empty (use --text)");
    GlyphRenderer renderer;
    RendererGlyphSource glyphs(renderer, s);
    StringTextWriter text;
    if (!WriteCSource(s, CharacterText(s.LIST), glyphs, text)) {
        throw UsageError("c-source: the matrix size must be at least 1 x 1");
    }
    Emit(r, out, r.encoding == "utf-16le" ? Utf16LeWithMark(text.Text())
                                          : Utf16ToUtf8(text.Text()));
    return 0;
}

int RunShow(const Request& r, std::ostream& out) {
    if (!r.character) throw UsageError("show: give --char C");
    const std::u16string source = Utf8ToUtf16(*r.character);
    if (source.size() != 1) {
        throw UsageError("show: --char takes exactly one character of the basic plane");
    }
    GlyphRenderer renderer;
    DotMatrix matrix;
    if (!renderer.RenderDotMatrix(r.settings, source, &matrix)) {
        throw UsageError("show: the matrix size must be at least 1 x 1");
    }
    std::string text;
    for (int32_t y = 0; y < matrix.Height(); ++y) {
        for (int32_t x = 0; x < matrix.Width(); ++x) text += matrix.Lit(x, y) ? '#' : '.';
        text += '\n';
    }
    Emit(r, out, text);
    return 0;
}

}  // namespace zemtra::cli
