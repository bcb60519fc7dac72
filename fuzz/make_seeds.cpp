// Writes the fuzz targets' seed corpora (fuzz/corpus/<target>/) with Zemtra's own writers and
// Qt's image writers: `zemtra_fuzz_seeds DIR` (the script scripts/fuzz.sh --seeds runs it).
#include <QBuffer>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/character_list.h"
#include "base/code_page.h"
#include "base/project_settings.h"
#include "base/unicode.h"
#include "output/font_export.h"
#include "output/font_library.h"
#include "project/profile.h"
#include "project/project_file.h"
#include "raster/export_glyph.h"
#include "raster/glyph_renderer.h"
#include "raster/new_project.h"
#include "support/font_fixtures.h"
#include "ui/builtin_languages.h"

namespace {

namespace fs = std::filesystem;
using namespace zemtra;

fs::path g_root;

void Write(const std::string& target, const std::string& name, const std::string& bytes) {
    const fs::path folder = g_root / target;
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Builtin(int id) {
    const auto bytes = BuiltinLanguageFile(id);
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string Utf16Le(std::u16string_view text, bool mark) {
    std::string out = mark ? "\xFF\xFE" : "";
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

std::string Utf16Be(std::u16string_view text) {
    std::string out = "\xFE\xFF";
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
    }
    return out;
}

// A project's bytes merged into the given file bytes.
std::string ProjectBytes(const ProjectSettings& s, const std::string& into = {}) {
    Profile p = Profile::FromBytes(into, 936);
    WriteProject(s, p);
    return p.ToBytes();
}

void ProfileSeeds() {
    ProjectSettings s;
    ApplyNew(s, false);
    Write("profile", "new_project.fprj", ProjectBytes(s));
    Profile setting;
    setting.Set(u"Setting", u"Language", u"简体中文");
    Write("profile", "setting_utf16le.ini", setting.ToBytes());
    Write("profile", "utf16be.ini",
          Utf16Be(u"[Setting]\r\nLanguage=English\r\n[Project]\r\nTEXT=\"  a \"\r\n"));
    Write("profile", "utf8_bom.ini",
          "\xEF\xBB\xBF; comment\r\n[Project]\r\nVersion = "
          "V1.0\r\nTEXT=\xE4\xB8\xAD\xE6\x96\x87\r\n");
    Write("profile", "utf8_lf.ini",
          "[project]\nversion=V1.0\nkey without value\n\n[FONT]\n"
          "FaceName='\xE5\xAE\x8B\xE4\xBD\x93'\n[Project]\nTEXT=second\n");
    Write("profile", "ansi_936.ini",
          "[Project]\r\nTEXT=" + WideToMultiByte(936, u"汉字\\zemtra\\") + "\r\nPIC=#|#\r");
    Write("profile", "escaped.ini", ProjectBytes([] {
              ProjectSettings t;
              t.TEXT = u"\\zemtra\\ line\r\nbreak \"quoted\" ";
              return t;
          }()));
    Write("profile", "language_english.ini", Builtin(132));
}

void ProjectSeeds() {
    ProjectSettings s;
    ApplyNew(s, false);
    Write("project", "new.fprj", ProjectBytes(s));
    s.BLOCKNUMX = u"24";
    s.BLOCKNUMY = u"12abc";
    s.THRESHOLD = u"-5";
    s.OFFSETX = -3;
    s.OFFSETY = 2147483647;
    s.DATABIT = 4;
    s.ORIENT = 3;
    s.CODEPAGE = 3;
    s.FROM = 0x8140;
    s.TO = 0xFEFE;
    s.FONT.FaceName = u"WenQuanYi Zen Hei";
    s.FONT.Weight = 700;
    s.FONT.Italic = 1;
    FillCharacterList(s, u"AB中\r\n", true);
    AppendPictureItem(s, u"/tmp/zemtra picture.png");
    Write("project", "list_and_picture.fprj", ProjectBytes(s));
    s.TEXT = u" !\"#$%&'()*+,-./0123456789:;<=>?@AZ[\\]^_`az{|}~";
    FillCharacterList(s, s.TEXT, true);
    Write("project", "ascii_text.fprj", ProjectBytes(s));
    // An existing Setting.ini with its language section, saved over.
    Write("project", "setting_merge.ini",
          ProjectBytes(s,
                       "[Setting]\r\nLanguage=English\r\n; kept\r\n[Project]\r\nVersion=V0.9\r\n"));
    Write(
        "project", "ansi_936.fprj",
        "[Project]\r\nVersion=V1.0\r\nBLOCKNUMX=16\r\nFROM=a1a1\r\nTO=fefe\r\nCODEPAGE=2\r\nLIST=" +
            WideToMultiByte(936, u"汉字") +
            "\r\nPIC=#|#\r\n[FONT]\r\nFaceName=" + WideToMultiByte(936, u"宋体") + "\r\n");
    Write("project", "utf16_no_mark.fprj", Utf16Le(u"[Project]\r\nVersion=V1.0\r\n", false));
    Write("project", "wrong_version.fprj", "[Project]\nVersion=V1.0 \nVersion=v1.0\n");
    // Hand-edited glyphs, good and bad entries of every kind.
    ApplyNew(s, false);
    GlyphDots dots(6, 3);
    dots.Set(0, 0, true);
    dots.Set(5, 2, true);
    s.GLYPHS.Set(u'A', dots);
    s.GLYPHS.Set(0x1F600, GlyphDots(1, 1));
    Write("project", "glyphs.fprj",
          ProjectBytes(s,
                       "[Glyphs]\r\nu+0042 8X1=ff\r\nU+43 8x1=00\r\nU+0044 0x1=0\r\n"
                       "U+0045 6x1=FE\r\nU+0046 8x2=00\r\nU+0047 8x1=G0\r\nU+0042 8x1=00\r\n"
                       "U+0048 8x1=\r\nU+0049 8x1\r\n"));
    // Font sources: a face for a range, a file at its own size and offset, and entries that do
    // not read (a gap ends the list).
    ApplyNew(s, false);
    FontSource face;
    face.face = u"WenQuanYi Zen Hei";
    face.ranges = {{0x4E00, 0x9FFF}, {0x3000, 0x303F}};
    FontSource file;
    file.file = u"/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf";
    file.ranges = {{u'0', u'9'}};
    file.height = 14;
    file.width = 7;
    file.dx = -1;
    file.dy = 2;
    s.FONT.Sources = {face, file};
    Write("project", "sources.fprj",
          ProjectBytes(s,
                       "[Sources]\r\n3=@U+41-U+5A\r\n4=x.ttf@size=0x0@offset=9999,1\r\n"
                       "6=Arial@U+10FFFF-U+0\r\n"));
}

// Font files: bitmap fonts written by Zemtra's own BDF writer from an installed face, subsets of
// installed TrueType and OpenType faces (font_seeds.py), and the smallest installed PCF file.
void FontSeeds() {
    GlyphRenderer renderer;
    for (const int size : {8, 16}) {
        const ProjectSettings s = test::SizedSettings(size, size, u"Arial");
        const ExportStyle style{1, false};
        BitmapFont font;
        font.info = ExportFontInfoOf(renderer, s, style);
        for (char32_t c : std::u32string(U" Ag0\u00E9")) {
            ExportGlyph glyph;
            if (RenderExportGlyph(renderer, s, c, style, glyph)) font.glyphs.push_back(glyph);
        }
        StringSink sink;
        WriteBitmapFont(ExportFormat::Bdf, font, sink);
        Write("font", "zemtra_" + std::to_string(size) + ".bdf", sink.text);
    }
    // Subsets of installed faces, with a VDMX table added to one, from fontTools' subsetter.
    const fs::path script = g_root.parent_path() / "font_seeds.py";
    const std::string command = "/usr/bin/python3 '" + script.string() + "' '" +
                                (g_root / "font").string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
        std::cerr
            << "zemtra_fuzz_seeds: no TrueType seeds (font_seeds.py needs python3-fonttools)\n";
    }
    // A bitmap font in PCF as X11 installs them: the smallest.
    fs::path pcf;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator("/usr/share/fonts", ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec) || !it->path().string().ends_with(".pcf.gz")) continue;
        if (pcf.empty() || it->file_size(ec) < fs::file_size(pcf, ec)) pcf = it->path();
    }
    if (!pcf.empty()) {
        std::ifstream in(pcf, std::ios::binary);
        Write("font", "installed.pcf.gz", std::string(std::istreambuf_iterator<char>(in), {}));
    }
}

void LanguageSeeds() {
    const std::string sep = "\n--zemtra-file--\n";
    Profile setting;
    setting.Set(u"Setting", u"Language", u"English");
    const std::string settingIni = setting.ToBytes();
    Write("language", "one_builtin", settingIni + sep + Builtin(132));
    Write("language", "three_builtins",
          settingIni + sep + Builtin(132) + sep + Builtin(133) + sep + Builtin(134));
    Profile user;
    user.Set(u"Setting", u"Language", u"Deutsch");
    user.Set(u"IDD_102", u"IDD_102_Title", u"Zemtra auf Deutsch");
    user.Set(u"MENU_131", u"MENU_131_0", u"&Projekt");
    user.Set(u"MENU_131", u"MENU_131_0_3", u"Innen");
    user.Set(u"SPECIAL_STRINGS", u"IDS_CLIP_SUCCESS", u"Zeile\\nzwei");
    Write("language", "user_and_keyless",
          "[Setting]\nLanguage=Deutsch\n" + sep + "[Other]\nx=y\n" + sep + user.ToBytes());
    Write("language", "empty_folder", "");
}

std::string Encode(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QImage Gradient(int w, int h, QImage::Format format) {
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y,
                           qRgba(x * 255 / w, y * 255 / h, (x + y) * 9 & 0xFF, x * 16 & 0xFF));
        }
    }
    return image.convertToFormat(format);
}

// A GIF of four colours whose LZW data restarts with a clear code before every pixel, so every
// code is three bits wide; frames after the first are drawn over it.
std::string Gif(int w, int h, int frames) {
    const auto put16 = [](std::string& s, int v) {
        s.push_back(static_cast<char>(v & 0xFF));
        s.push_back(static_cast<char>(v >> 8));
    };
    std::string gif = "GIF89a";
    put16(gif, w);
    put16(gif, h);
    gif += std::string("\x91\x00\x00", 3) +
           std::string("\x10\x20\x30\xC0\x00\x00\x00\xC0\x00\x40\x50\x60", 12);
    for (int f = 0; f < frames; ++f) {
        gif += std::string("\x21\xF9\x04\x05\x0A\x00\x03\x00", 8);
        gif += std::string("\x2C\0\0\0\0", 5);
        put16(gif, w);
        put16(gif, h);
        gif += '\0';
        std::string data;
        uint32_t acc = 0;
        int bits = 0;
        const auto code = [&](int c) {
            acc |= static_cast<uint32_t>(c) << bits;
            for (bits += 3; bits >= 8; bits -= 8, acc >>= 8)
                data.push_back(static_cast<char>(acc & 0xFF));
        };
        for (int i = 0; i < w * h; ++i) {
            code(4);
            code((i + f) % 4);
        }
        code(5);
        if (bits > 0) data.push_back(static_cast<char>(acc & 0xFF));
        gif += '\x02';
        for (size_t at = 0; at < data.size(); at += 255) {
            const std::string block = data.substr(at, 255);
            gif.push_back(static_cast<char>(block.size()));
            gif += block;
        }
        gif += '\0';
    }
    return gif + ";";
}

void PictureSeeds() {
    Write("picture", "rgb24.bmp", Encode(Gradient(16, 12, QImage::Format_RGB32), "BMP"));
    Write("picture", "mono.bmp", Encode(Gradient(16, 12, QImage::Format_Mono), "BMP"));
    Write("picture", "indexed8.bmp", Encode(Gradient(9, 7, QImage::Format_Indexed8), "BMP"));
    Write("picture", "argb32.bmp", Encode(Gradient(5, 4, QImage::Format_ARGB32), "BMP"));
    Write("picture", "photo.jpg", Encode(Gradient(24, 16, QImage::Format_RGB32), "JPEG", 80));
    Write("picture", "grey.jpg", Encode(Gradient(8, 8, QImage::Format_Grayscale8), "JPEG", 50));
    Write("picture", "alpha.png", Encode(Gradient(16, 12, QImage::Format_ARGB32), "PNG"));
    Write("picture", "palette.png", Encode(Gradient(16, 12, QImage::Format_Indexed8), "PNG"));
    Write("picture", "grey16.png", Encode(Gradient(6, 5, QImage::Format_Grayscale16), "PNG"));
    Write("picture", "mono.png", Encode(Gradient(17, 3, QImage::Format_Mono), "PNG"));
    Write("picture", "one.gif", Gif(4, 2, 1));
    Write("picture", "two_frames.gif", Gif(6, 5, 2));
}

std::string Hex(uint8_t a, uint8_t b, std::u16string_view units) {
    return std::string{static_cast<char>(a), static_cast<char>(b)} + Utf16Le(units, false);
}

void HexSeeds() {
    Write("hex_edit", "paste_digits", Hex(0, 0, u"|12ab"));
    Write("hex_edit", "paste_prefix", Hex(0, 4, u"0x12|0x7F"));
    Write("hex_edit", "paste_x", Hex(1, 1, u"0|x5"));
    Write("hex_edit", "prefix_caret", Hex(1, 1, u"0x12|G\b"));
    Write("hex_edit", "value_only", Hex(2, 3, u" -0X1A|"));
}

void CodePageSeeds() {
    // The first byte picks the code page: index into 874, 932, 936, 949, 950, 1250 ... 1258.
    Write("code_page", "gbk", std::string(1, 2) + WideToMultiByte(936, u"汉字ABC\u20AC") + "\x81");
    Write("code_page", "big5",
          std::string(1, 4) + WideToMultiByte(950, u"中文字") + std::string("\xA1\0", 2));
    Write("code_page", "shift_jis", std::string(1, 1) + WideToMultiByte(932, u"ｱｲ日本\\"));
    Write("code_page", "korean", std::string(1, 3) + WideToMultiByte(949, u"한국어"));
    Write("code_page", "western", std::string(1, 7) + WideToMultiByte(1252, u"Àé€\u2019"));
    Write("code_page", "utf16_units",
          std::string(1, 2) + Utf16Le(u"\xD800\x41\xDC00\uFFFD", false));
}

void UsedTextSeeds() {
    // The first byte picks the kind: C, gettext, JSON, Qt, XLIFF, Android, plain.
    Write("used_text", "c_source",
          std::string(1, 0) +
              "#include \"x.h\"\n/* \"no\" */ s = u8R\"d(raw)d\" L'\\x4E2D' \"\\u00E9\";");
    Write("used_text", "gettext", std::string(1, 1) + "msgid \"a\"\nmsgstr \"\xE6\x96\x87\"\n");
    Write("used_text", "json", std::string(1, 2) + "{\"k\": [\"v\\ud83d\\ude00\", 1]}");
    Write(
        "used_text", "android",
        std::string(1, 5) + "<resources><string>It\\'s &amp;<![CDATA[<b>]]></string></resources>");
    Write("used_text", "font_source",
          std::string(1, 6) + "FontAwesome@U+F000-U+F2E0@size=8x14@offset=-1,2");
}

// A library the library job made, with the description the runtime gets from its header, the
// map, a text and a code, laid out as FuzzRuntime reads them.
void RuntimeSeed(const std::string& name, ProjectSettings s, uint16_t code,
                 const std::vector<std::pair<uint16_t, uint16_t>>& map, const std::string& text) {
    const fs::path file = fs::temp_directory_path() / ("zemtra_seed_" + name + ".dzk");
    BuildFontLibrary(s, file, LibraryOptions{});
    std::ifstream in(file, std::ios::binary);
    const std::string library((std::istreambuf_iterator<char>(in)), {});
    fs::remove(file);
    const auto u16 = [](std::string& out, uint32_t v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>(v >> 8 & 0xFF);
    };
    const int64_t record = LibraryRecordLength(s);
    std::string bytes;
    const int32_t w = MatrixWidth(s), h = MatrixHeight(s);
    bytes += static_cast<char>(w);
    bytes += static_cast<char>(h);
    u16(bytes, static_cast<uint32_t>(record));
    bytes += static_cast<char>(s.CODEPAGE);
    u16(bytes, s.FROM);
    u16(bytes, s.TO);
    bytes += static_cast<char>(s.ORIENT);
    bytes += static_cast<char>((s.DIRECT == 1 ? 1 : 0) | (s.FORMAT == 1 ? 2 : 0));
    bytes += static_cast<char>(LibraryPackingBits(s) == 4 ? 1 : 0);
    u16(bytes, code);
    u16(bytes, static_cast<uint32_t>((w + 7) / 8 * h + record));
    u16(bytes, map.empty() ? code : map[0].first);
    bytes += std::string(1, 0);
    bytes += static_cast<char>(map.size());
    bytes += std::string(4, 0);
    for (const auto& [character, c] : map) {
        u16(bytes, character);
        u16(bytes, c);
    }
    Write("runtime", name, bytes + text + std::string(1, 0) + library);
}

void RuntimeSeeds() {
    ProjectSettings s;
    s.BLOCKNUMX = s.BLOCKNUMY = u"8";
    s.CODEPAGE = 0;
    s.FROM = 0x0041;
    s.TO = 0x0043;
    RuntimeSeed("unicode_row", s, 0x42, {},
                "A\xFF"
                "C");
    s.BLOCKNUMX = s.BLOCKNUMY = u"16";
    s.CODEPAGE = 2;
    s.FROM = 0xB0A1;
    s.TO = 0xB0A3;
    s.ORIENT = 2;
    RuntimeSeed("gb2312_row_column", s, 0xB0A2,
                {{0x554A, 0xB0A1}, {0x57C3, 0xB0A3}, {0x963F, 0xB0A2}},
                "\xE5\x95\x8A\xE9\x98\xBF\xE5\x9F\x83");
    s.BLOCKNUMX = s.BLOCKNUMY = u"12";
    s.CODEPAGE = 4;
    s.FROM = 0xA440;
    s.TO = 0xA442;
    s.ORIENT = 1;
    s.DIRECT = 1;
    s.FORMAT = 1;
    s.DATABIT = 4;
    RuntimeSeed("big5_column_backward_anode", s, 0xA441, {{0x4E00, 0xA440}, {0x4E59, 0xA441}},
                "\xE4\xB8\x80\xE4\xB9\x99");
}

// The writers' target reads a font model from its input (fuzz/writers_entry.cpp); these seeds
// encode real exports the same way: a face's glyphs at 8 bits per dot, so every format's depth
// cuts them down from the face's own coverage.
class ModelBytes {
  public:
    void Byte(unsigned v) { bytes_ += static_cast<char>(v & 0xFF); }
    void In(int32_t value, int32_t low) {
        const auto v = static_cast<unsigned>(value - low);
        Byte(v);
        Byte(v >> 8);
    }
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

void WritersSeed(const std::string& name, int w, int h, std::u32string_view text, int depth) {
    GlyphRenderer renderer;
    const ProjectSettings s = test::SizedSettings(w, h, u"Arial");
    const ExportStyle style{8, false};
    const ExportFontInfo info = ExportFontInfoOf(renderer, s, style);
    ModelBytes m;
    m.In(info.cellWidth, 1);
    m.In(info.cellHeight, 1);
    m.In(info.baseline, 0);
    m.In(info.originColumn, 0);
    m.In(info.ppem, 1);
    m.Byte(info.weight > 400 ? 1 : 0);
    m.Byte(info.italic ? 1 : 0);
    m.Byte(0);  // no family text
    m.Byte(0);  // no source name
    m.In(static_cast<int32_t>(text.size()), 0);
    m.In(static_cast<int32_t>(text.front()), 0x20);
    for (size_t i = 0; i < text.size(); ++i) {
        ExportGlyph g;
        if (!RenderExportGlyph(renderer, s, text[i], style, g)) g = ExportGlyph{};
        const bool ink = g.width > 0 && g.height > 0;
        m.Byte(ink ? 1 : 0);
        if (ink) {
            m.In(g.width, 1);
            m.In(g.height, 1);
            m.In(g.left, -info.cellWidth);
            m.In(g.top, -info.cellHeight);
        }
        m.In(g.advance, 0);
        for (uint8_t level : g.levels) m.Byte(level);
        // The step to the next character: a neighbour (step 0..2 by 1..3), or a jump.
        if (i + 1 < text.size()) {
            const char32_t gap = text[i + 1] - text[i];
            if (gap >= 1 && gap <= 3) {
                m.Byte(gap - 1);
            } else {
                m.Byte(200);
                m.In(static_cast<int32_t>(gap - 1), 0);
            }
        }
    }
    m.In(1, 0);  // one kerning pair: the first two glyphs
    m.In(0, 0);
    m.In(text.size() > 1 ? 1 : 0, 0);
    m.In(-16, -128);
    m.Byte(static_cast<unsigned>(depth));
    Write("writers", name, m.Bytes());
}

void WritersSeeds() {
    WritersSeed("ascii_8x8_1bit", 8, 8, U"ABCgj", 0);
    WritersSeed("latin_16x16_4bit", 16, 16, U"AVWXYZ", 2);
    WritersSeed("cjk_24x24_8bit", 24, 24, U"Ag\u4F60", 3);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zemtra_fuzz_seeds CORPUS_DIR\n";
        return 2;
    }
    g_root = argv[1];
    ProfileSeeds();
    ProjectSeeds();
    LanguageSeeds();
    PictureSeeds();
    HexSeeds();
    CodePageSeeds();
    UsedTextSeeds();
    RuntimeSeeds();
    FontSeeds();
    WritersSeeds();
    return 0;
}
