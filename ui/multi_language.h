// The language tables (CMultiLanguage without its window parts): the language files in the
// Language folder, the choice stored in Setting.ini, text lookups, and the key scheme by which
// dialogs and menus are re-texted. The GUI applies the captions these functions return.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/messages.h"
#include "project/profile.h"

namespace zemtra {

// A language's display name is read with room for 99 characters, every other value with room
// for 999; longer values are cut, as the platform's profile reads cut them.
inline constexpr size_t kLanguageNameMax = 99;
inline constexpr size_t kLanguageValueMax = 999;

// The language menu: the item at list index i has command id 60000 + i; only the first 1000
// ids are routed to the language handlers.
inline constexpr uint32_t kLanguageCommandFirst = 60000;
inline constexpr uint32_t kLanguageCommandLast = 60999;
uint32_t LanguageCommandId(size_t index);
bool IsLanguageCommand(uint32_t commandId);
// The list index of a routed language command; nothing for any other id.
std::optional<size_t> LanguageIndexOfCommand(uint32_t commandId);

inline constexpr std::u16string_view kLanguageFolderName = u"Language";
inline constexpr std::u16string_view kSettingSection = u"Setting";
inline constexpr std::u16string_view kLanguageKey = u"Language";
inline constexpr std::u16string_view kDefaultLanguage = u"English";
inline constexpr std::u16string_view kSpecialStringsSection = u"SPECIAL_STRINGS";

// The key scheme: IDD_<dialog> sections with IDD_<dialog>_Title and IDD_<dialog>_<control> keys
// (control id signed: IDD_102_-1), a control's tooltip under IDD_<dialog>_<control>_Tip,
// MENU_<menu> sections with MENU_<menu>_<command> keys
// (command id unsigned) and popup keys by position path (MENU_131_0, MENU_131_0_3).
std::u16string DialogSection(int32_t dialogId);
std::u16string DialogTitleKey(int32_t dialogId);
std::u16string ControlKey(int32_t dialogId, int32_t controlId);
std::u16string ControlTipKey(int32_t dialogId, int32_t controlId);
std::u16string MenuSection(int32_t menuId);
std::u16string MenuCommandKey(int32_t menuId, uint32_t commandId);
// prefix is the enclosing popup's key, or the menu's section at the top level.
std::u16string MenuPopupKey(std::u16string_view prefix, size_t position);

// GetText's line breaks: each "\" "n" pair becomes a line feed, left to right, without rescanning.
std::u16string ExpandLineBreaks(std::u16string_view text);

// A menu as the GUI holds it, for TranslateMenu.
struct MenuItem {
    enum class Kind { Command, Popup, Separator };
    Kind kind = Kind::Command;
    uint32_t commandId = 0;          // Command items
    std::u16string caption;          // Command and Popup items
    std::vector<MenuItem> children;  // Popup items
};

// A caption to set: the item at this position path (top-level position first).
struct MenuCaption {
    std::vector<size_t> path;
    std::u16string caption;

    bool operator==(const MenuCaption&) const = default;
};

// New captions for a dialog: the title and, per control in the order given, the control's
// caption; nothing where the language has no non-empty text (the caption stays).
struct DialogTexts {
    std::optional<std::u16string> title;
    std::vector<std::optional<std::u16string>> controls;
    std::vector<std::optional<std::u16string>> tips;  // with "\n" as line breaks
};

class CMultiLanguage {
  public:
    // On the program folder (ProgramFolder() for the running program): makes Setting.ini with
    // [Setting] Language=English when it is missing, then selects the stored language.
    explicit CMultiLanguage(std::filesystem::path programFolder);

    // The display names of the language files (Language/*.ini, regular files, in ascending
    // file-name order) that have a non-empty [Setting] Language; unreadable files are skipped.
    void ListLanguages(std::vector<std::u16string>& names) const;
    std::vector<std::u16string> ListLanguages() const;

    // Chooses the first language file in folder order whose display name equals name exactly
    // (empty: the name stored in Setting.ini, "English" when none). The name is stored in
    // Setting.ini whether or not a file was found; when none was, the previous file stays.
    bool SelectLanguage(std::u16string_view name);

    // Writes built-in language resourceId as Language/<fileName>.ini (empty fileName: the
    // stored language name), its bytes unchanged; true when the resource exists, also when the
    // file cannot be written. For an unknown id writes a file holding only [Setting]
    // Language=<fileName> and gives false. A fileName that is not a plain file name is refused
    // (false, nothing written).
    bool ExtractLanguageFile(int resourceId, std::u16string_view fileName);

    // Start-up: the list; when it is empty, the built-in files are written, listed again and
    // "English" is selected. Gives the list for the language menu.
    std::vector<std::u16string> PrepareLanguages();

    // The chosen language's value (cut to 999 characters) or defaultText when it has none,
    // with "\n" turned into line feeds.
    std::u16string GetText(std::u16string_view section, std::u16string_view key,
                           std::u16string_view defaultText) const;
    // A message in the chosen language, filled with args: its [SPECIAL_STRINGS] value (with
    // "\n" as line breaks), else English. A message among a Message's facts is worded alike.
    std::u16string Text(Msg id, std::span<const std::u16string> args = {}) const;
    std::u16string Text(const Message& message) const;
    // A caption for a dialog or menu: the value cut to 999 characters, as it stands; nothing
    // when the key is missing or empty, so a language cannot blank a caption. A key that the
    // chosen file lacks is taken from the built-in file of the same language name, if any: a
    // file written out by an older version lacks the newer keys.
    std::optional<std::u16string> Caption(std::u16string_view section,
                                          std::u16string_view key) const;

    // TranslateDialog's captions for dialog dialogId with these direct children.
    DialogTexts TranslateDialog(int32_t dialogId, std::span<const int32_t> controlIds) const;
    // TranslateMenu's captions for a menu bar (or a popup's items) of menu menuId: popups by
    // position path, commands by id at any depth; separators are skipped.
    std::vector<MenuCaption> TranslateMenu(const std::vector<MenuItem>& menu, int32_t menuId) const;

    // The name last asked for, found or not.
    const std::u16string& GetLanguageName() const { return languageName_; }
    // The chosen language file; empty while none was found.
    const std::filesystem::path& LanguageFile() const { return languageFile_; }
    const std::filesystem::path& ProgramFolderPath() const { return programFolder_; }
    // Setting.ini in whatever letter case it exists, else <folder>/Setting.ini.
    std::filesystem::path SettingsFile() const;
    std::filesystem::path LanguageFolder() const;

  private:
    // A message's text in the chosen language, its %1..%9 unfilled.
    std::u16string Template(Msg id) const;
    std::u16string StoredLanguageName() const;
    void StoreLanguageName(std::u16string_view name) const;
    void TranslateMenuItems(const std::vector<MenuItem>& items, std::u16string_view section,
                            std::u16string_view prefix, std::vector<size_t>& path,
                            std::vector<MenuCaption>& out) const;

    std::filesystem::path programFolder_;
    std::filesystem::path languageFile_;
    std::u16string languageName_;
    Profile language_;  // the chosen file as loaded when it was chosen
    Profile builtin_;   // the built-in file of the same name, or empty
};

}  // namespace zemtra
