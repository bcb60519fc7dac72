// The characters a firmware's files use: one small file of each kind, with the escapes,
// comments, raw strings, keys and headers that must not count, and files that are not UTF-8.
#include "base/used_characters.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

struct Case {
    const char* file;
    const char* text;
    std::u32string used;  // in the order the texts hold them
};

const Case kCases[] = {
    {"ui.c",
     "#include \"inc.h\"\n"
     "// \"comment\"\n"
     "/* \"block\" 'x' */\n"
     "const char *a = \"Hi\\n\\\"x\\\"\";\n"
     "const char16_t *b = u\"\\u00E9\\U0001F600\";\n"
     "wchar_t c = L'\\u20AC';\n"
     "auto r = u8R\"d(raw \"q\" \\n)d\";\n"
     "int n = 1'000'000;\n"
     "char e[] = \"\\x41\\101\\t!\" U\"\\uD800\";\n"
     "puts(\"unterminated\n",
     U"Hi\"x\"\u00E9\U0001F600\u20ACraw \"q\" \\nAA!unterminated"},
    // Byte escapes spell UTF-8 in a narrow literal, as LVGL writes its symbols; a byte that is
    // no part of a character is none. In a wide literal they are code units.
    {"symbols.h",
     "#define LV_SYMBOL_HOME \"\\xEF\\x80\\x95\"\n"
     "const char bin[] = \"\\xFF\\x01\\303\\244\";\n"
     "wchar_t w = L'\\x4E2D'; char16_t d = u'\\xD800';\n",
     U"\uF015\u00E4\u4E2D"},
    {"main.ino", "Serial.print(F(\"°C\")); // \"x\"", U"°C"},
    {"de.po",
     "# \"comment\"\n"
     "msgid \"\"\n"
     "msgstr \"\"\n"
     "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
     "\n"
     "msgid \"Open\"\n"
     "msgstr \"打开\"\n"
     "\n"
     "msgid \"Close\"\n"
     "msgstr \"\"\n"
     "\n"
     "msgctxt \"menu\"\n"
     "msgid \"File\"\n"
     "msgid_plural \"Files\"\n"
     "msgstr[0] \"文件\"\n"
     "msgstr[1] \"\"\n"
     "\"s\\\"\"\n"
     "#~ msgid \"Old\"\n"
     "#~ msgstr \"旧\"\n",
     U"打开Close文件s\""},
    {"strings.json",
     "{\"title\": \"Grüße\", \"list\": [\"a\\u00e9\", {\"k\" : \"v\\ud83d\\ude00\"}],\n"
     " \"n\": 1, \"t\": true, \"esc\": \"q\\\"\\\\\\/\\n\"}",
     U"Grüßeaév\U0001F600q\"\\/"},
    {"app_de.ts",
     "<TS><context><message><source>Open</source>"
     "<translation>打开 &amp; 关</translation></message>"
     "<message><source>x</source><translation type=\"unfinished\"/></message>"
     "<message numerus=\"yes\"><translation><numerusform>%n 项</numerusform>"
     "</translation></message></context></TS>",
     U"打开 & 关%n 项"},
    {"ui.xliff",
     "<xliff><file><body><trans-unit id=\"1\"><source>Hello</source>"
     "<target xml:lang=\"de\">Hallo &#x263A;&#65;</target></trans-unit></body></file></xliff>",
     U"Hallo \u263AA"},
    {"strings.xml",
     "<resources><string name=\"a\">It\\'s &lt;b&gt;</string>"
     "<!-- <string>no</string> --><string-array name=\"s\"><item>Ä</item></string-array>"
     "<string name=\"c\"><![CDATA[<i>x</i>]]></string><string name=\"e\"/></resources>",
     U"It's <b>Ä<i>x</i>"},
    {"notes.txt", "a\tb\nc ü\r\n", U"abc ü"},
    {"layout.xml", "<LinearLayout>x</LinearLayout>", U"<LinearLayout>x</LinearLayout>"},
};

TEST(UsedCharacters, EachKindOfFileGivesItsTexts) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.file);
        const UsedTextKind kind = UsedTextKindOf(c.file, c.text);
        ASSERT_EQ(InvalidUtf8At(c.text), std::string::npos);
        const std::u32string used = UsedText(c.text, kind);
        EXPECT_EQ(used, c.used) << "got " << used.size() << " characters";
    }
}

TEST(UsedCharacters, FilesGiveTheirDistinctCharactersAscending) {
    const test::ScratchDir dir;
    test::WriteBytes(dir / "a.c", "x = \"baC\"; y = 'a';");
    test::WriteBytes(dir / "b.txt",
                     "\xEF\xBB\xBF"
                     "C \xE4\xB8\xAD");  // a byte-order mark first
    EXPECT_EQ(CharactersFromFiles({dir / "a.c", dir / "b.txt"}),
              (std::vector<char32_t>{U' ', U'C', U'a', U'b', U'\u4E2D'}));
    EXPECT_TRUE(CharactersFromFiles({}).empty());
}

TEST(UsedCharacters, AFileThatIsNotUtf8IsNamedWithItsOffset) {
    const test::ScratchDir dir;
    const struct {
        const char* bytes;
        size_t length;
        const char* offset;
    } bad[] = {
        {"ab\xC3(", 4, "byte 2 "},              // a lead byte without its continuation
        {"\xC0\xAF", 2, "byte 0 "},             // an overlong slash
        {"ok\xED\xA0\x80", 5, "byte 2 "},       // a surrogate
        {"abc\xF4\x90\x80\x80", 7, "byte 3 "},  // beyond U+10FFFF
        {"\xE4\xB8", 2, "byte 0 "},             // cut short at the end
    };
    for (const auto& b : bad) {
        test::WriteBytes(dir / "bad.c", std::string_view(b.bytes, b.length));
        try {
            CharactersFromFiles({dir / "bad.c"});
            ADD_FAILURE() << "accepted " << b.offset;
        } catch (const UserError& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find((dir / "bad.c").string()), std::string::npos) << what;
            EXPECT_NE(what.find(b.offset), std::string::npos) << what;
        }
    }
    EXPECT_THROW(CharactersFromFiles({dir / "missing.c"}), UserError);
    EXPECT_THROW(CharactersFromFiles({dir.Path()}), UserError);
}

}  // namespace
}  // namespace zemtra
