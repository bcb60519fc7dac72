// Fuzzing the language tables: a program folder whose Setting.ini and Language files are the
// input's pieces, read as the program reads them at start-up and on a language change.
#include <array>
#include <string>
#include <vector>

#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_support.h"
#include "ui/multi_language.h"

namespace zemtra::fuzz {
namespace {

// Pieces of the input: Setting.ini first, then one language file each.
constexpr std::string_view kFileSeparator = "\n--zemtra-file--\n";
constexpr size_t kMaxFiles = 8;
// File names that sort in different orders with and without case folding.
constexpr std::array<std::string_view, kMaxFiles - 1> kNames{
    "1.English.ini", "b.ini", "A.INI", "z.Ini", "0.ini", "_.ini", "Zz.ini"};

const std::vector<MenuItem>& MainMenu() {
    static const std::vector<MenuItem> menu = [] {
        MenuItem project{MenuItem::Kind::Popup, 0, u"&Project", {}};
        project.children = {{MenuItem::Kind::Command, 32781, u"&New", {}},
                            {MenuItem::Kind::Separator, 0, u"", {}},
                            {MenuItem::Kind::Command, 32776, u"&Exit", {}}};
        MenuItem inner{MenuItem::Kind::Popup, 0, u"Inner", {}};
        inner.children = {{MenuItem::Kind::Command, 32772, u"&Open", {}}};
        project.children.push_back(inner);
        return std::vector<MenuItem>{project, {MenuItem::Kind::Popup, 0, u"&Help", {}}};
    }();
    return menu;
}

void Exercise(CMultiLanguage& languages) {
    const std::vector<std::u16string> names = languages.PrepareLanguages();
    for (const std::u16string& name : names) {
        Check(!name.empty() && name.size() <= kLanguageNameMax, "listed names are 1..99 units");
    }
    for (size_t i = 0; i < names.size() && i < 4; ++i) {
        Check(languages.SelectLanguage(names[i]), "a listed language can be chosen");
        Check(languages.GetLanguageName() == names[i], "the chosen name is kept");
        const std::u16string text =
            languages.GetText(kSpecialStringsSection, u"IDS_CLIP_SUCCESS", u"default");
        Check(text.size() <= kLanguageValueMax, "texts are cut to 999 units");
        const std::array<int32_t, 4> controls{1, -1, 1004, 2147483647};
        const DialogTexts dialog = languages.TranslateDialog(102, controls);
        Check(dialog.controls.size() == controls.size(), "one caption slot per control");
        for (const auto& caption : languages.TranslateMenu(MainMenu(), 131)) {
            Check(!caption.caption.empty(), "a language cannot blank a caption");
        }
    }
    // A stored name that no file carries is kept, and the next start reads it back.
    languages.SelectLanguage(u"No Such Language \\n\r\n[x]");
    CMultiLanguage restarted(languages.ProgramFolderPath());
    Check(restarted.GetLanguageName() == u"No Such Language \\n\r\n[x]",
          "any stored language name reads back exactly");
}

}  // namespace

void FuzzLanguage(std::string_view data) {
    const std::filesystem::path folder = FreshScratchFolder("language");
    const std::vector<std::string_view> pieces = SplitInput(data, kFileSeparator, kMaxFiles);
    WriteWholeFile(folder / "Setting.ini", pieces[0]);
    std::filesystem::create_directories(folder / "Language");
    for (size_t i = 1; i < pieces.size(); ++i) {
        WriteWholeFile(folder / "Language" / kNames[i - 1], pieces[i]);
    }
    CMultiLanguage languages(folder);
    Exercise(languages);
    // A fileName taken from the input names a file inside the Language folder or nothing.
    const std::u16string fileName = Utf16Units(pieces.back().substr(0, 64));
    languages.ExtractLanguageFile(0, fileName);
}

}  // namespace zemtra::fuzz
