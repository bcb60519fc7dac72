// The built-in language files: compiled-in bytes against resources/, and each file's form and
// exact table of keys and values.
#include "ui/builtin_languages.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/test_support.h"
#include "ui/special_strings.h"

namespace zemtra {
namespace {

// The files are written by scripts/make_language_files.py; after changing its table, run it
// and rebuild.
std::filesystem::path ResourcePath(int resourceId) {
    const char* names[] = {"lang_132_english.ini", "lang_133_simplified_chinese.ini",
                           "lang_134_traditional_chinese.ini"};
    return test::DataPath("../../resources") / names[resourceId - 132];
}

// Every section with its keys, in file order, and the English values.
const std::vector<std::pair<std::u16string, std::vector<std::pair<std::u16string, std::u16string>>>>
    kEnglish = {
        {u"Setting", {{u"Language", u"English"}}},
        {u"IDD_102",
         {{u"IDD_102_Title", u"Zemtra"},
          {u"IDD_102_1", u"Add"},
          {u"IDD_102_1001", u"ASCII"},
          {u"IDD_102_1004", u"Create"},
          {u"IDD_102_1040", u"Font"},
          {u"IDD_102_1041", u"Scan Mode"},
          {u"IDD_102_1044", u"Font Library"},
          {u"IDD_102_1052", u"Width:"},
          {u"IDD_102_1053", u"Height:"},
          {u"IDD_102_1063", u"From:"},
          {u"IDD_102_1064", u"To:"},
          {u"IDD_102_1009", u"Create"},
          {u"IDD_102_1016", u"U"},
          {u"IDD_102_1017", u"D"},
          {u"IDD_102_1018", u"L"},
          {u"IDD_102_1019", u"R"},
          {u"IDD_102_1020", u"C"},
          {u"IDD_102_1036", u"Size"},
          {u"IDD_102_1037", u"Position"},
          {u"IDD_102_1058", u"Show Demo"}}},
        {u"MENU_131",
         {{u"MENU_131_0", u"&Project"},
          {u"MENU_131_32781", u"&New"},
          {u"MENU_131_32772", u"&Open"},
          {u"MENU_131_32774", u"&Save"},
          {u"MENU_131_32783", u"&Load Picture"},
          {u"MENU_131_32788", u"Export..."},
          {u"MENU_131_32776", u"&Exit"},
          {u"MENU_131_1", u"&Language"},
          {u"MENU_131_2", u"&Help"},
          {u"MENU_131_32778", u"&About"}}},
        {u"IDD_100", {{u"IDD_100_Title", u"About Zemtra"}, {u"IDD_100_1", u"OK"}}},
        {u"IDD_129",
         {{u"IDD_129_Title", u"Output View"},
          {u"IDD_129_2", u"Cancel"},
          {u"IDD_129_1031", u"Copy"},
          {u"IDD_129_1032", u"Save"}}},
        {u"IDD_140",
         {{u"IDD_140_Title", u"Export Font"},
          {u"IDD_140_1080", u"Format:"},
          {u"IDD_140_1082", u"Bits per dot:"},
          {u"IDD_140_1084", u"Monospace: every glyph the whole matrix"},
          {u"IDD_140_1085", u"Compressed bitmaps (LVGL, 2 or 4 bits)"},
          {u"IDD_140_1086", u"Name:"},
          {u"IDD_140_1088", u"Characters:"},
          {u"IDD_140_1", u"OK"},
          {u"IDD_140_2", u"Cancel"}}},
        {u"SPECIAL_STRINGS",
         {{u"IDS_ORIENT_ROW", u"Row"},
          {u"IDS_ORIENT_COL", u"Column"},
          {u"IDS_ORIENT_ROWCOL", u"Row/Column"},
          {u"IDS_ORIENT_COLROW", u"Column/Row"},
          {u"IDS_DIRECT_FORWARD", u"Forward"},
          {u"IDS_DIRECT_BACKWARD", u"Backward"},
          {u"IDS_FORMAT_CATHODE", u"Cathode"},
          {u"IDS_FORMAT_ANODE", u"Anode"},
          {u"IDS_CLIP_SUCCESS", u"Data has been successfully\\ncopied to the clipboard!"},
          {u"IDS_CLIP_ERROR", u"Open Clipboard Failed!"},
          {u"IDS_EXPORT_FROM_LIST", u"The character list (%1)"},
          {u"IDS_EXPORT_FROM_RANGE", u"The code range (From..To)"},
          {u"IDS_EXPORT_NAME_FROM_FILE", u"(from the file's name)"},
          {u"IDS_EXPORT_BAD_NAME",
           u"The name \"%1\" is not a C identifier: letters, digits and _, not a digit first, no "
           u"keyword."},
          {u"IDS_EXPORT_STOP", u"Stop Export"},
          {u"IDS_EXPORT_DONE", u"Exported %1 glyphs into\\n%2\\n%3 bytes in %4 s."},
          {u"IDS_EXPORT_LACKING",
           u"%1 characters that neither the face nor a linked face has were left out: %2"},
          {u"IDS_EXPORT_PICTURES", u"The %1 picture items of the list were left out."},
          {u"IDS_EXPORT_EMPTY",
           u"There is no character to export: the list is empty, or the code range holds no "
           u"character."},
          {u"IDS_EXPORT_NO_GLYPHS", u"No face has any of the %1 characters; nothing was written."},
          {u"IDS_EXPORT_STOPPED", u"Stopped. Nothing was written."},
          {u"IDS_EXPORT_NO_DOTS", u"The matrix size must be at least 1 x 1 for an export."}}},
};

struct Parsed {
    std::vector<std::u16string> sections;
    std::vector<std::u16string> keys;  // "section/key"
    std::vector<std::u16string> values;
};

// Checks the byte form (mark, UTF-16LE, CR LF only) and splits the lines.
Parsed Parse(const std::string& bytes) {
    Parsed p;
    EXPECT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.size() % 2, 0u);
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    EXPECT_TRUE(text.ends_with(u"\r\n"));
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find(u"\r\n", pos);
        const std::u16string line = text.substr(pos, end - pos);
        pos = end + 2;
        EXPECT_EQ(line.find_first_of(u"\r\n"), line.npos) << "a lone CR or LF";
        if (line.empty()) continue;
        if (line.front() == u'[') {
            EXPECT_EQ(line.back(), u']');
            p.sections.push_back(line.substr(1, line.size() - 2));
            continue;
        }
        const size_t eq = line.find(u'=');
        EXPECT_NE(eq, line.npos);
        p.keys.push_back(p.sections.back() + u"/" + line.substr(0, eq));
        p.values.push_back(line.substr(eq + 1));
    }
    return p;
}

TEST(BuiltinLanguagesTest, CompiledBytesAreTheResourceFiles) {
    for (int id : {132, 133, 134}) {
        const std::span<const unsigned char> bytes = BuiltinLanguageFile(id);
        const std::string onDisk = test::ReadBytes(ResourcePath(id));
        ASSERT_FALSE(onDisk.empty()) << ResourcePath(id);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), onDisk) << id;
    }
    EXPECT_TRUE(BuiltinLanguageFile(131).empty());
    EXPECT_TRUE(BuiltinLanguageFile(135).empty());
    EXPECT_TRUE(BuiltinLanguageFile(-1).empty());
}

TEST(BuiltinLanguagesTest, EachFileHoldsExactlyTheTable) {
    Parsed expected;
    for (const auto& [section, pairs] : kEnglish) {
        expected.sections.push_back(section);
        for (const auto& [key, value] : pairs) {
            expected.keys.push_back(section + u"/" + key);
            expected.values.push_back(value);
        }
    }
    ASSERT_EQ(expected.keys.size(), 68u);
    std::vector<Parsed> files;
    for (int id : {132, 133, 134}) {
        const std::span<const unsigned char> bytes = BuiltinLanguageFile(id);
        files.push_back(Parse(std::string(bytes.begin(), bytes.end())));
        EXPECT_EQ(files.back().sections, expected.sections) << id;
        EXPECT_EQ(files.back().keys, expected.keys) << id;
    }
    EXPECT_EQ(files[0].values, expected.values);
    const auto value = [&](size_t file, std::u16string_view key) {
        for (size_t i = 0; i < expected.keys.size(); ++i) {
            if (files[file].keys[i].ends_with(u"/" + std::u16string(key)))
                return files[file].values[i];
        }
        return std::u16string(u"<missing>");
    };
    for (size_t i = 0; i < kBuiltinLanguages.size(); ++i) {
        EXPECT_EQ(value(i, u"Language"), kBuiltinLanguages[i].name);
        EXPECT_EQ(value(i, u"IDD_102_Title"), u"Zemtra");
    }
    EXPECT_EQ(value(1, u"IDD_100_Title"), u"关于 Zemtra");
    EXPECT_EQ(value(1, u"IDD_100_1"), u"确定");
    EXPECT_EQ(value(1, u"MENU_131_1"), u"语言(&L)");
    EXPECT_EQ(value(1, u"IDD_102_1052"), u"宽度:");
    EXPECT_EQ(value(1, u"IDS_CLIP_SUCCESS"), u"数据已成功复制到剪切板!");
    EXPECT_EQ(value(2, u"IDD_100_Title"), u"關於 Zemtra");
    EXPECT_EQ(value(2, u"IDS_FORMAT_CATHODE"), u"陰碼");
    EXPECT_EQ(value(2, u"IDS_CLIP_ERROR"), u"打開剪切板失敗!");
}

// The export's messages: the program's English is the English file's, and both Chinese files
// say each in their own words.
TEST(BuiltinLanguagesTest, ExportTextsAreTheProgramsEnglishAndTranslated) {
    std::vector<Parsed> files;
    for (int id : {132, 133, 134}) {
        const std::span<const unsigned char> bytes = BuiltinLanguageFile(id);
        files.push_back(Parse(std::string(bytes.begin(), bytes.end())));
    }
    int checked = 0;
    for (size_t i = 0; i < files[0].keys.size(); ++i) {
        const std::u16string& key = files[0].keys[i];
        const std::u16string prefix = u"SPECIAL_STRINGS/IDS_EXPORT_";
        if (!key.starts_with(prefix)) continue;
        ++checked;
        std::u16string english = files[0].values[i];
        for (size_t at = english.find(u"\\n"); at != english.npos; at = english.find(u"\\n"))
            english.replace(at, 2, u"\n");
        const std::string name(key.begin() + 16, key.end());
        EXPECT_EQ(DefaultSpecialString(name), english) << name;
        EXPECT_NE(files[1].values[i], files[0].values[i]) << name;
        EXPECT_NE(files[2].values[i], files[0].values[i]) << name;
        EXPECT_NE(files[1].values[i], files[2].values[i]) << name;
    }
    EXPECT_EQ(checked, 12);
}

}  // namespace
}  // namespace zemtra
