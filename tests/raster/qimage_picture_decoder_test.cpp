// Tests of the Qt picture decoder: colours of every kind of picture, the stored colours of
// transparent pixels, and refusal of damaged, hostile and non-file paths. All pictures are made
// here, by Qt's writers or byte by byte, so no data files are needed.
#include "raster/qt/qimage_picture_decoder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include <array>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "support/test_support.h"

namespace zemtra {
namespace {

using test::ScratchDir;
using test::WriteBytes;

std::string Encode(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format, quality)) << format;
    return bytes.toStdString();
}

void Put(std::string& out, uint32_t v, int bytes, bool bigEndian) {
    for (int i = 0; i < bytes; ++i) {
        const int shift = 8 * (bigEndian ? bytes - 1 - i : i);
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
    }
}

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string PngChunk(const std::string& type, const std::string& data) {
    std::string out;
    Put(out, static_cast<uint32_t>(data.size()), 4, true);
    out += type + data;
    Put(out, Crc32(type + data), 4, true);
    return out;
}

// A PNG written byte by byte; rows are the unfiltered scanlines without their filter bytes.
std::string HandPng(uint32_t w, uint32_t h, int depth, int colourType,
                    const std::vector<std::string>& rows, const std::string& extraChunks = {}) {
    std::string ihdr;
    Put(ihdr, w, 4, true);
    Put(ihdr, h, 4, true);
    ihdr += {static_cast<char>(depth), static_cast<char>(colourType), 0, 0, 0};
    std::string raw;
    for (const auto& row : rows) raw += '\0' + row;
    const QByteArray packed = qCompress(QByteArray::fromStdString(raw)).mid(4);  // zlib stream
    return "\x89PNG\r\n\x1a\n" + PngChunk("IHDR", ihdr) + extraChunks +
           PngChunk("IDAT", packed.toStdString()) + PngChunk("IEND", "");
}

// A BMP file header and BITMAPINFOHEADER; the palette and pixel rows follow.
std::string BmpHeader(int32_t w, int32_t h, int bits, uint32_t colours, uint32_t dataSize) {
    std::string out = "BM";
    const uint32_t offset = 14 + 40 + colours * 4;
    Put(out, offset + dataSize, 4, false);
    Put(out, 0, 4, false);
    Put(out, offset, 4, false);
    Put(out, 40, 4, false);
    Put(out, static_cast<uint32_t>(w), 4, false);
    Put(out, static_cast<uint32_t>(h), 4, false);
    Put(out, 1, 2, false);
    Put(out, static_cast<uint32_t>(bits), 2, false);
    Put(out, 0, 4, false);  // uncompressed
    Put(out, dataSize, 4, false);
    Put(out, 2835, 4, false);
    Put(out, 2835, 4, false);
    Put(out, colours, 4, false);
    Put(out, 0, 4, false);
    return out;
}

// Image data for a GIF with minimum code size 2: a clear code before every pair of pixels
// keeps every code 3 bits wide, so no compressor is needed.
std::string GifPixels(const std::vector<int>& indices) {
    std::vector<int> codes;
    for (size_t i = 0; i < indices.size(); ++i) {
        if (i % 2 == 0) codes.push_back(4);
        codes.push_back(indices[i]);
    }
    codes.push_back(5);
    std::string data;
    uint32_t acc = 0;
    int bits = 0;
    for (int code : codes) {
        acc |= static_cast<uint32_t>(code) << bits;
        bits += 3;
        for (; bits >= 8; bits -= 8, acc >>= 8) data.push_back(static_cast<char>(acc & 0xFF));
    }
    if (bits > 0) data.push_back(static_cast<char>(acc & 0xFF));
    std::string out = "\x02";
    out.push_back(static_cast<char>(data.size()));
    return out + data + std::string(1, '\0');
}

// A GIF's header with a four-colour palette, then a frame descriptor of the same size.
std::string GifStart(uint32_t w, uint32_t h) {
    std::string gif = "GIF89a";
    Put(gif, w, 2, false);
    Put(gif, h, 2, false);
    gif += {'\x91', 0, 0};
    return gif + std::string("\x10\x20\x30\xC0\x00\x00\x00\xC0\x00\x40\x50\x60", 12);
}

std::string GifFrame(uint32_t w, uint32_t h) {
    std::string frame = std::string("\x2C\0\0\0\0", 5);
    Put(frame, w, 2, false);
    Put(frame, h, 2, false);
    return frame + '\0';
}

// Two 4 x 2 frames; index 3 is transparent in the first frame.
std::string TwoFrameGif() {
    std::string gif = GifStart(4, 2);
    const std::string frame = GifFrame(4, 2);
    gif += std::string("\x21\xF9\x04\x05\x0A\x00\x03\x00", 8);  // keep frame, transparent 3
    gif += frame + GifPixels({0, 1, 2, 3, 3, 2, 1, 0});
    gif += std::string("\x21\xF9\x04\x04\x0A\x00\x00\x00", 8);
    gif += frame + GifPixels({1, 1, 1, 1, 1, 1, 1, 1});
    return gif + ";";
}

long PeakMemoryKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class PictureDecoderTest : public ::testing::Test {
  protected:
    std::filesystem::path Write(const std::string& name, const std::string& bytes) {
        const auto path = dir_ / name;
        WriteBytes(path, bytes);
        return path;
    }
    std::optional<RgbRaster> Decode(const std::filesystem::path& path) const {
        return decoder_.Decode(path);
    }
    ScratchDir dir_;
    QImagePictureDecoder decoder_;
};

TEST_F(PictureDecoderTest, TrueColourPngGivesEveryPixelRedLowest) {
    QImage image(5, 3, QImage::Format_RGB888);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) image.setPixel(x, y, qRgb(x * 50, y * 100, 7 + x + y));
    }
    const auto raster = Decode(Write("true.png", Encode(image, "PNG")));
    ASSERT_TRUE(raster);
    ASSERT_EQ(raster->width, 5);
    ASSERT_EQ(raster->height, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const uint32_t expected =
                uint32_t(x * 50) | uint32_t(y * 100) << 8 | uint32_t(7 + x + y) << 16;
            EXPECT_EQ(raster->GetPixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(PictureDecoderTest, TransparentPixelsKeepTheirStoredColour) {
    // RGBA rows: fully transparent, half transparent, opaque; none composited.
    const std::string row = std::string("\x12\x34\x56\x00\xAB\xCD\xEF\x80\x01\x02\x03\xFF", 12);
    const auto raster = Decode(Write("alpha.png", HandPng(3, 1, 8, 6, {row})));
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->pixels, (std::vector<uint32_t>{0x563412, 0xEFCDAB, 0x030201}));
}

TEST_F(PictureDecoderTest, QtWrittenAlphaPngKeepsTransparentColoursToo) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0x11, 0x22, 0x33, 0));
    image.setPixel(1, 0, qRgba(0x44, 0x55, 0x66, 0x7F));
    const auto raster = Decode(Write("qt-alpha.png", Encode(image, "PNG")));
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->pixels, (std::vector<uint32_t>{0x332211, 0x665544}));
}

TEST_F(PictureDecoderTest, PalettePicturesGiveTheirPaletteColours) {
    QImage mono(9, 2, QImage::Format_Mono);
    mono.setColorTable({qRgb(0x10, 0x20, 0x30), qRgb(0xA0, 0xB0, 0xC0)});
    mono.fill(0);
    mono.setPixel(8, 1, 1);
    const std::string bmp = Encode(mono, "BMP");
    ASSERT_EQ(bmp[28], 1) << "Qt no longer writes a 1-bit BMP";
    auto raster = Decode(Write("mono.bmp", bmp));
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->GetPixel(0, 0), 0x302010u);
    EXPECT_EQ(raster->GetPixel(8, 1), 0xC0B0A0u);

    // 8-bit palette PNG whose entry 2 is transparent (tRNS): still its palette colour.
    QImage indexed(3, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50), qRgba(9, 8, 7, 0)});
    for (int x = 0; x < 3; ++x) indexed.setPixel(x, 0, static_cast<uint>(2 - x));
    const std::string png = Encode(indexed, "PNG");
    ASSERT_EQ(png[25], 3) << "not a palette PNG";
    raster = Decode(Write("indexed.png", png));
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->pixels, (std::vector<uint32_t>{0x070809, 0x3264C8, 0x030201}));
}

TEST_F(PictureDecoderTest, FourBitBottomUpBmpComesOutUpright) {
    // 3 x 2, bottom row stored first; each row is 2 bytes of nibbles padded to 4.
    std::string bmp = BmpHeader(3, 2, 4, 16, 8);
    for (uint32_t i = 0; i < 16; ++i) Put(bmp, i * 0x100F01u, 4, false);  // 0x00RRGGBB entries
    bmp += std::string("\x45\x60\0\0\x12\x30\0\0", 8);
    const auto raster = Decode(Write("four.bmp", bmp));
    ASSERT_TRUE(raster);
    const auto colour = [](uint32_t i) {  // entry i as 0x00BBGGRR
        const uint32_t rgb = i * 0x100F01u;
        return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    };
    EXPECT_EQ(raster->pixels, (std::vector<uint32_t>{colour(1), colour(2), colour(3), colour(4),
                                                     colour(5), colour(6)}));
}

TEST_F(PictureDecoderTest, AnimatedGifGivesItsFirstFrameWithStoredColours) {
    const auto raster = Decode(Write("two.gif", TwoFrameGif()));
    ASSERT_TRUE(raster);
    ASSERT_EQ(raster->width, 4);
    ASSERT_EQ(raster->height, 2);
    // Index 3 is the frame's transparent colour: it keeps its palette entry 0x405060.
    EXPECT_EQ(raster->pixels, (std::vector<uint32_t>{0x302010, 0x0000C0, 0x00C000, 0x605040,
                                                     0x605040, 0x00C000, 0x0000C0, 0x302010}));
}

TEST_F(PictureDecoderTest, JpegComesBackCloseToItsColours) {
    QImage image(32, 16, QImage::Format_RGB32);
    image.fill(qRgb(200, 40, 90));
    for (int y = 0; y < 16; ++y) {
        for (int x = 16; x < 32; ++x) image.setPixel(x, y, qRgb(30, 160, 220));
    }
    const auto raster = Decode(Write("photo.jpg", Encode(image, "JPEG", 100)));
    ASSERT_TRUE(raster);
    ASSERT_EQ(raster->width, 32);
    ASSERT_EQ(raster->height, 16);
    const auto near = [](uint32_t got, int r, int g, int b) {
        return std::abs(int(got & 0xFF) - r) <= 6 && std::abs(int((got >> 8) & 0xFF) - g) <= 6 &&
               std::abs(int((got >> 16) & 0xFF) - b) <= 6;
    };
    EXPECT_TRUE(near(raster->GetPixel(4, 8), 200, 40, 90)) << std::hex << raster->GetPixel(4, 8);
    EXPECT_TRUE(near(raster->GetPixel(27, 8), 30, 160, 220)) << std::hex << raster->GetPixel(27, 8);
}

TEST_F(PictureDecoderTest, ExifOrientationIsNotApplied) {
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    std::string jpeg = Encode(image, "JPEG", 95);
    // APP1 Exif segment with one tag, Orientation = 6 (rotate 90 degrees clockwise).
    const std::string exif = std::string(
        "\xFF\xE1\x00\x22"
        "Exif\0\0II\x2A\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0",
        36);
    jpeg.insert(2, exif);
    const auto path = Write("turned.jpg", jpeg);
    QImageReader rotating(QString::fromStdString(path.string()));
    rotating.setAutoTransform(true);
    ASSERT_EQ(rotating.read().size(), QSize(8, 16)) << "the Exif tag was not recognised";
    const auto raster = Decode(path);
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->width, 16);
    EXPECT_EQ(raster->height, 8);
}

TEST_F(PictureDecoderTest, FormatIsToldByContentNotByName) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    EXPECT_TRUE(Decode(Write("really-png.bmp", Encode(image, "PNG"))));
    EXPECT_TRUE(Decode(Write("really-bmp.jpg", Encode(image, "BMP"))));
    EXPECT_TRUE(Decode(Write("no-extension", Encode(image, "JPEG"))));
    EXPECT_FALSE(Decode(Write("text.png", "this is not a picture\n")));
    EXPECT_FALSE(Decode(Write("empty.png", "")));
}

TEST_F(PictureDecoderTest, TruncatedFilesThatQtFlagsAreRefused) {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(qRgb(90, 80, 70));
    const std::string png = Encode(image, "PNG");
    const std::string bmp = Encode(image, "BMP");
    EXPECT_FALSE(Decode(Write("cut.png", png.substr(0, png.size() * 2 / 3))));
    // Qt itself would give this BMP with its missing rows uninitialised.
    EXPECT_FALSE(Decode(Write("cut.bmp", bmp.substr(0, bmp.size() * 2 / 3))));
    EXPECT_FALSE(Decode(Write("cut-header.bmp", bmp.substr(0, 20))));
}

TEST_F(PictureDecoderTest, TruncatedJpegAndGifDecodeWithTheMissingPartFilled) {
    // Qt reports success for these, as the platform's decoder shows such pictures too: the
    // picture keeps its full size, libjpeg fills the rest of a JPEG grey, Qt clears a GIF black.
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb(x * 4, y * 4, 255 - x * 2));
    }
    const std::string jpeg = Encode(image, "JPEG", 90);
    const auto raster = Decode(Write("cut.jpg", jpeg.substr(0, jpeg.size() * 8 / 10)));
    ASSERT_TRUE(raster);
    EXPECT_EQ(raster->width, 64);
    EXPECT_EQ(raster->height, 64);
    EXPECT_EQ(raster->GetPixel(63, 63), 0x808080u);

    const auto gif = Decode(Write("cut.gif", TwoFrameGif().substr(0, 47)));  // inside frame 1
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->pixels.size(), 8u);
    EXPECT_EQ(gif->pixels.front(), 0x302010u);
    EXPECT_EQ(gif->pixels.back(), kBlack);
}

TEST_F(PictureDecoderTest, PathsThatAreNoReadableFileAreRefused) {
    std::filesystem::create_directory(dir_ / "x.png");
    EXPECT_FALSE(Decode(dir_ / "x.png"));
    EXPECT_FALSE(Decode(dir_ / "missing.png"));
    EXPECT_FALSE(Decode(""));
    // A pipe would block a reader forever; it is refused at once.
    ASSERT_EQ(::mkfifo((dir_ / "pipe.png").c_str(), 0600), 0);
    EXPECT_FALSE(Decode(dir_ / "pipe.png"));
}

TEST_F(PictureDecoderTest, FileWithoutReadPermissionIsRefused) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    const auto path = Write("locked.png", Encode(image, "PNG"));
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_FALSE(Decode(path));
}

TEST_F(PictureDecoderTest, HeadersClaimingHugePicturesAreRefused) {
    std::string bmp = BmpHeader(30000, 30000, 24, 0, 0);
    bmp += std::string(64, '\x7F');
    EXPECT_FALSE(Decode(Write("huge.bmp", bmp)));
    EXPECT_FALSE(
        Decode(Write("huge.png", HandPng(30000, 30000, 8, 2, {std::string(90000, '\0')}))));
    // Complete and valid, a little over the cap: refused by the cap, not by a reading error.
    const uint32_t w = 8193;
    const std::vector<std::string> rows(8192, std::string((w + 7) / 8, '\0'));
    const std::string overCap = HandPng(w, 8192, 1, 0, rows);
    ASSERT_EQ(QImage::fromData(QByteArray::fromStdString(overCap)).width(), int(w));
    EXPECT_FALSE(Decode(Write("over-cap.png", overCap)));
    // Qt would clear a 9000 x 9000 GIF (324 MB) before finding its data cut short: refused
    // before any of that memory is taken.
    const long peakBefore = PeakMemoryKb();
    EXPECT_FALSE(Decode(Write(
        "over-cap.gif", GifStart(9000, 9000) + GifFrame(9000, 9000) + GifPixels({1, 2, 3, 0}))));
    EXPECT_LT(PeakMemoryKb() - peakBefore, 64 * 1024);
}

TEST_F(PictureDecoderTest, ZeroSizedPicturesAreRefused) {
    EXPECT_FALSE(Decode(Write("zero-wide.bmp", BmpHeader(0, 4, 24, 0, 0))));
    EXPECT_FALSE(Decode(Write("zero-high.bmp", BmpHeader(4, 0, 24, 0, 0))));
    EXPECT_FALSE(Decode(Write("zero.png", HandPng(0, 0, 8, 2, {}))));
}

TEST_F(PictureDecoderTest, DecodesOnSeveralThreadsAtOnceWithoutAnApplication) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);  // decoding must not need one
    QImage image(48, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 48; ++x) image.setPixel(x, y, qRgb(x * 5, y * 12, 128));
    }
    const std::array<std::filesystem::path, 3> files = {Write("t.png", Encode(image, "PNG")),
                                                        Write("t.jpg", Encode(image, "JPEG", 80)),
                                                        Write("t.gif", TwoFrameGif())};
    std::array<std::optional<RgbRaster>, 3> expected;
    for (size_t i = 0; i < files.size(); ++i) {
        expected[i] = Decode(files[i]);
        ASSERT_TRUE(expected[i]) << files[i];
    }
    const PictureDecoder& shared = DefaultPictureDecoder();
    std::array<int, 4> mismatches{};
    std::vector<std::thread> threads;
    for (size_t t = 0; t < mismatches.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 30; ++round) {
                const size_t i = (t + static_cast<size_t>(round)) % files.size();
                const auto got = shared.Decode(files[i]);
                if (!got || got->pixels != expected[i]->pixels) ++mismatches[t];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(mismatches, (std::array<int, 4>{}));
}

}  // namespace
}  // namespace zemtra
