// Choosing a font file and keeping the size fields true to a bitmap font.
#include "raster/font_file.h"

#include <filesystem>

#include "base/error.h"
#include "base/unicode.h"
#include "raster/font_engine.h"

namespace zemtra {
namespace {

void UseBitmapSize(ProjectSettings& s, FontEngine& fonts) {
    const FontCellMetrics cell = fonts.Metrics(s.FONT);
    s.FONT.Width = cell.averageWidth;
    s.FONT.Height = cell.ascent + cell.descent;
    s.WIDTH = DecimalText(s.FONT.Width);
    s.HEIGHT = DecimalText(s.FONT.Height);
}

}  // namespace

void ChooseFontFile(ProjectSettings& s, std::u16string_view path, int32_t index,
                    FontEngine& fonts) {
    std::error_code ec;
    const std::filesystem::path file(Utf16ToUtf8(path));
    if (!std::filesystem::is_regular_file(file, ec)) {
        throw UserError(Message{Msg::ErrLoadFont, {file.string(), Message{Msg::WhyNoSuchFile}}});
    }
    ProjectSettings chosen = s;
    chosen.FONT.FontFile = std::u16string(path);
    chosen.FONT.FontIndex = index;
    DeriveFontSize(chosen);
    if (!fonts.HasOutlines(chosen.FONT)) UseBitmapSize(chosen, fonts);  // throws if unusable
    s = chosen;
}

void DeriveFontSizeFor(ProjectSettings& s, FontEngine& fonts) {
    DeriveFontSize(s);
    if (!s.FONT.FontFile.empty() && !fonts.HasOutlines(s.FONT)) UseBitmapSize(s, fonts);
}

}  // namespace zemtra
