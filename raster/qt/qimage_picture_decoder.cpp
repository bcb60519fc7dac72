// Decoding picture files with Qt's image readers into the renderer's RGB raster, with the
// checks that keep damaged or hostile files from crashing it or exhausting memory.
#include "raster/qt/qimage_picture_decoder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <new>

#include <QFile>
#include <QImage>
#include <QImageReader>

namespace zemtra {
namespace {

// Qt's own ceiling for one image allocation, in megabytes: room for kMaxPixels at the widest
// format Qt decodes into (16 bits per channel, 8 bytes a pixel). Qt's default would refuse an
// ordinary 8000 x 8000 photograph.
constexpr int kAllocationLimitMb =
    static_cast<int>(QImagePictureDecoder::kMaxPixels * 8 / (1024 * 1024));

// Converted a strip at a time, so that a big picture never exists twice in full.
constexpr int64_t kStripPixels = int64_t{1} << 20;

bool WithinCap(const QSize& size) {
    return size.width() > 0 && size.height() > 0 &&
           int64_t{size.width()} * size.height() <= QImagePictureDecoder::kMaxPixels;
}

// Opens a regular file for reading; -1 for directories, devices, pipes and unreadable files.
// O_NONBLOCK keeps the open itself from waiting on a pipe; it changes nothing for files.
int OpenRegularFile(const std::filesystem::path& file, off_t* size) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    *size = st.st_size;
    return fd;
}

uint32_t ReadLe(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// Qt accepts an uncompressed BMP that ends inside its pixel rows and leaves the missing rows
// uninitialised, so such a file is checked here against the size its header gives.
bool BmpPixelsComplete(int fd, off_t fileSize) {
    std::array<uint8_t, 34> h{};
    if (::pread(fd, h.data(), h.size(), 0) != static_cast<ssize_t>(h.size())) return false;
    const int64_t dataOffset = ReadLe(&h[10], 4);
    const uint32_t headerSize = ReadLe(&h[14], 4);
    int64_t width = 0;
    int64_t height = 0;
    int64_t bits = 0;
    uint32_t compression = 0;
    if (headerSize == 12) {  // OS/2 header: 16-bit sizes, never compressed
        width = ReadLe(&h[18], 2);
        height = ReadLe(&h[20], 2);
        bits = ReadLe(&h[24], 2);
    } else {
        width = static_cast<int32_t>(ReadLe(&h[18], 4));
        height = std::abs(int64_t{static_cast<int32_t>(ReadLe(&h[22], 4))});
        bits = ReadLe(&h[28], 2);
        compression = ReadLe(&h[30], 4);
    }
    // Run-length data has no fixed size; Qt clears those pictures before decoding them.
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (!uncompressed) return true;
    if (width <= 0 || height <= 0 || width * height > QImagePictureDecoder::kMaxPixels ||
        bits <= 0 || bits > 64) {
        return false;
    }
    const int64_t rowBytes = (width * bits + 31) / 32 * 4;
    return fileSize >= dataOffset + rowBytes * height;
}

uint32_t ToBgr(QRgb argb) {
    return ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
}

// The stored colour of every pixel. Formats other than (A)RGB32 go through non-premultiplied
// ARGB32, which resolves palettes and keeps the colour of transparent pixels.
std::optional<RgbRaster> ToRgbRaster(const QImage& image) {
    const int w = image.width();
    const int h = image.height();
    const bool direct =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    const int stripRows = static_cast<int>(std::max<int64_t>(1, kStripPixels / w));
    RgbRaster out(w, h);
    for (int top = 0; top < h; top += stripRows) {
        const int rows = std::min(stripRows, h - top);
        QImage strip;
        if (!direct) {
            strip = image.copy(0, top, w, rows).convertToFormat(QImage::Format_ARGB32);
            if (strip.isNull()) return std::nullopt;
        }
        const QImage& from = direct ? image : strip;
        const int first = direct ? top : 0;
        for (int r = 0; r < rows; ++r) {
            const auto* line = reinterpret_cast<const QRgb*>(from.constScanLine(first + r));
            uint32_t* dst = out.pixels.data() + static_cast<size_t>(top + r) * w;
            for (int x = 0; x < w; ++x) dst[x] = ToBgr(line[x]);
        }
    }
    return out;
}

std::optional<RgbRaster> DecodeOpenFile(QFile& device, int fd, off_t fileSize) {
    QImageReader reader(&device);
    reader.setAutoTransform(false);  // the stored orientation, as the platform decodes it
    if (!reader.canRead()) return std::nullopt;
    // Without a size from the header, Qt's allocation limit and the check below still hold.
    const QSize claimed = reader.size();
    if (claimed.isValid() && !WithinCap(claimed)) return std::nullopt;
    if (reader.format() == "bmp" && !BmpPixelsComplete(fd, fileSize)) return std::nullopt;
    QImage image;
    // Qt hands back a partial picture along with the error for a damaged file: refuse it.
    if (!reader.read(&image) || image.isNull() || !WithinCap(image.size())) return std::nullopt;
    return ToRgbRaster(image);
}

}  // namespace

QImagePictureDecoder::QImagePictureDecoder() {
    // Qt's limit is one setting for the whole process; set it once, whatever thread comes first.
    static const bool limitSet = [] {
        QImageReader::setAllocationLimit(kAllocationLimitMb);
        return true;
    }();
    (void)limitSet;
}

std::optional<RgbRaster> QImagePictureDecoder::Decode(const std::filesystem::path& file) const {
    off_t fileSize = 0;
    const int fd = OpenRegularFile(file, &fileSize);
    if (fd < 0) return std::nullopt;
    // Reading through the descriptor: any file name works, and the file checked is the file read.
    QFile device;
    if (!device.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    try {
        return DecodeOpenFile(device, fd, fileSize);
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // a picture within the caps that still does not fit in memory
    }
}

const PictureDecoder& DefaultPictureDecoder() {
    static const QImagePictureDecoder decoder;
    return decoder;
}

}  // namespace zemtra
