// Fuzzing picture files: the input is written as a file, decoded with Qt's readers and drawn
// through the renderer's picture path at a matrix size and threshold the input also picks.
#include <QThreadPool>

#include <cstdlib>
#include <string>

#include "base/unicode.h"
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_support.h"
#include "raster/glyph_renderer.h"
#include "raster/qt/qimage_picture_decoder.h"

namespace zemtra::fuzz {
namespace {

// Qt converts big pictures on its thread pool. LeakSanitizer's check at exit cannot always
// stop those idle threads (it crashes in its tracer), so they are ended first.
void EndQtThreadsAtExit() {
    static const bool registered = [] {
        std::atexit([] { QThreadPool::globalInstance()->waitForDone(); });
        return true;
    }();
    (void)registered;
}

}  // namespace

void FuzzPicture(std::string_view data) {
    // Damaged files are the point here; Qt's warnings about them are noise.
    static const bool quiet = ::setenv("QT_LOGGING_RULES", "qt.gui.imageio*=false", 0) == 0;
    (void)quiet;
    static const std::filesystem::path file = FreshScratchFolder("picture") / "input.picture";
    WriteWholeFile(file, data);

    static const QImagePictureDecoder decoder;
    const std::optional<RgbRaster> raster = decoder.Decode(file);
    EndQtThreadsAtExit();
    if (raster) {
        Check(raster->width > 0 && raster->height > 0, "a decoded picture has pixels");
        Check(int64_t{raster->width} * raster->height <= QImagePictureDecoder::kMaxPixels,
              "a decoded picture stays within the cap");
        Check(raster->pixels.size() == static_cast<size_t>(raster->width) * raster->height,
              "one value per pixel");
        for (uint32_t c : raster->pixels) Check(c <= 0xFFFFFF, "pixels are 0x00BBGGRR");
    }

    // The matrix and threshold come from the input's size and last byte, so seeds stay files.
    ProjectSettings s;
    s.BLOCKNUMX = DecimalText(1 + static_cast<long long>(data.size() % 40));
    s.BLOCKNUMY = DecimalText(1 + static_cast<long long>(data.size() / 40 % 40));
    const int last = data.empty() ? 128 : static_cast<unsigned char>(data.back());
    s.THRESHOLD = DecimalText(last - 1);
    s.OFFSETX = static_cast<int32_t>(data.size() % 7) - 3;
    s.OFFSETY = -static_cast<int32_t>(data.size() % 5);
    static GlyphRenderer renderer(&decoder);  // its font engine is made once
    DotMatrix matrix;
    const std::u16string source = file.u16string();
    Check(renderer.RenderDotMatrix(s, source, &matrix), "the picture renders");
    Check(matrix.Width() == Value(s.BLOCKNUMX) && matrix.Height() == Value(s.BLOCKNUMY),
          "the matrix has the settings' size");
    if (!raster) {
        for (int32_t y = 0; y < matrix.Height(); ++y) {
            for (int32_t x = 0; x < matrix.Width(); ++x) {
                Check(!matrix.Lit(x, y), "a file that is no picture draws nothing");
            }
        }
    }
}

}  // namespace zemtra::fuzz
