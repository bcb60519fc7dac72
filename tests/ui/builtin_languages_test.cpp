// The built-in language files: compiled-in bytes against resources/, and each file's form and
// exact table of keys and values.
#include "ui/builtin_languages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/messages.h"
#include "base/unicode.h"
#include "support/test_support.h"
#include "ui/control_ids.h"
#include "ui/dialog_template.h"
#include "ui/multi_language.h"

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
        // Ours: the export dialog, whose keys are all among OurKeys().
        {u"IDD_140", {}},
        // Ours: the font sources dialog, likewise.
        {u"IDD_141", {}},
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
          {u"IDS_CLIP_ERROR", u"Open Clipboard Failed!"}}},
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

// Our keys beyond the original table: captions of our controls and commands, and every text of
// base/messages.h.
std::vector<std::u16string> OurKeys() {
    std::vector<std::u16string> keys = {u"IDD_102/IDD_102_1070",    u"MENU_131/MENU_131_0_2",
                                        u"MENU_131/MENU_131_32786", u"MENU_131/MENU_131_32785",
                                        u"MENU_131/MENU_131_32788", u"IDD_129/IDD_129_1033",
                                        u"MENU_131/MENU_131_3",     u"IDD_102/IDD_102_1072",
                                        u"MENU_131/MENU_131_32819", u"IDD_102/IDD_102_1073"};
    for (const char16_t* control :
         {u"Title", u"1080", u"1082", u"1084", u"1085", u"1086", u"1088", u"1", u"2"}) {
        keys.push_back(u"IDD_140/IDD_140_" + std::u16string(control));
    }
    for (const char16_t* control :
         {u"Title", u"1091", u"1092", u"1093", u"1094", u"1095", u"1096", u"1", u"2"}) {
        keys.push_back(u"IDD_141/IDD_141_" + std::u16string(control));
    }
    // The Edit menu's commands.
    for (int32_t id = kCmdUndo; id <= kCmdRevertGlyph; ++id) {
        keys.push_back(u"MENU_131/" + MenuCommandKey(kMainMenuId, static_cast<uint32_t>(id)));
    }
    for (const MessageText& t : MessageTexts()) {
        keys.push_back(u"SPECIAL_STRINGS/" + std::u16string(t.key));
    }
    // A tooltip for every control of the main window and the Output View that has an id; the
    // link's tooltip is its address.
    for (const DialogTemplate* d : {&MainDialogTemplate(), &OutputDialogTemplate()}) {
        for (const ControlTemplate& c : d->controls) {
            if (c.id == kNoControlId || c.id == kWebLinkId) continue;
            keys.push_back(DialogSection(d->id) + u"/" + ControlTipKey(d->id, c.id));
        }
    }
    return keys;
}

// The %1..%9 a text uses.
std::set<char16_t> Placeholders(std::u16string_view text) {
    std::set<char16_t> used;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'%' && text[i + 1] >= u'1' && text[i + 1] <= u'9') used.insert(text[i + 1]);
    }
    return used;
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
    ASSERT_EQ(expected.keys.size(), 46u);
    const std::vector<std::u16string> ours = OurKeys();
    const auto isOurs = [&](const std::u16string& key) {
        return std::find(ours.begin(), ours.end(), key) != ours.end();
    };
    std::vector<Parsed> files;
    for (int id : {132, 133, 134}) {
        const std::span<const unsigned char> bytes = BuiltinLanguageFile(id);
        files.push_back(Parse(std::string(bytes.begin(), bytes.end())));
        const Parsed& f = files.back();
        EXPECT_EQ(f.sections, expected.sections) << id;
        // The original keys in their order, ours after them in their sections, each once.
        Parsed original;
        std::vector<std::u16string> added;
        for (size_t i = 0; i < f.keys.size(); ++i) {
            if (isOurs(f.keys[i])) {
                added.push_back(f.keys[i]);
            } else {
                original.keys.push_back(f.keys[i]);
                original.values.push_back(f.values[i]);
            }
            EXPECT_FALSE(f.values[i].empty()) << id;
        }
        EXPECT_EQ(original.keys, expected.keys) << id;
        if (id == 132) {
            EXPECT_EQ(original.values, expected.values);
        }
        std::sort(added.begin(), added.end());
        std::vector<std::u16string> sortedOurs = ours;
        std::sort(sortedOurs.begin(), sortedOurs.end());
        EXPECT_EQ(added, sortedOurs) << id;
    }
    // Every language names the same keys in the same order and fills in the same facts.
    for (size_t i = 1; i < files.size(); ++i) {
        ASSERT_EQ(files[i].keys, files[0].keys);
        for (size_t k = 0; k < files[0].keys.size(); ++k) {
            EXPECT_EQ(Placeholders(files[i].values[k]), Placeholders(files[0].values[k]))
                << Utf16ToUtf8(files[0].keys[k]);
        }
    }
    // The English file says what the program's own table says.
    for (const MessageText& t : MessageTexts()) {
        const std::u16string key = u"SPECIAL_STRINGS/" + std::u16string(t.key);
        const auto at = std::find(files[0].keys.begin(), files[0].keys.end(), key);
        ASSERT_NE(at, files[0].keys.end());
        EXPECT_EQ(
            ExpandLineBreaks(files[0].values[static_cast<size_t>(at - files[0].keys.begin())]),
            t.english)
            << Utf16ToUtf8(t.key);
    }
    const auto value = [&](size_t file, std::u16string_view key) {
        for (size_t i = 0; i < files[file].keys.size(); ++i) {
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
    EXPECT_EQ(value(1, u"IDD_102_1070"), u"字体文件...");
    EXPECT_EQ(value(1, u"IDS_BUTTON_OK"), u"确定");
    EXPECT_EQ(value(2, u"IDS_PRESET_NONE"), u"(無)");
    EXPECT_EQ(value(2, u"IDD_100_Title"), u"關於 Zemtra");
    EXPECT_EQ(value(2, u"IDS_FORMAT_CATHODE"), u"陰碼");
    EXPECT_EQ(value(2, u"IDS_CLIP_ERROR"), u"打開剪切板失敗!");
}

}  // namespace
}  // namespace zemtra
