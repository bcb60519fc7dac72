// CMultiLanguage: finding the language files, storing the choice in Setting.ini, writing out
// the built-in files and looking texts up in the chosen file.
#include "ui/multi_language.h"

#include <algorithm>
#include <exception>
#include <string>
#include <system_error>

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/unicode.h"
#include "ui/builtin_languages.h"

namespace zemtra {
namespace {

namespace fs = std::filesystem;

// Cuts a value to the room of a read, never between the two halves of a surrogate pair.
std::u16string Cut(std::u16string value, size_t room) {
    if (value.size() <= room) return value;
    value.resize(room);
    if (!value.empty() && value.back() >= 0xD800 && value.back() <= 0xDBFF) value.pop_back();
    return value;
}

char16_t UpperAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

bool HasIniExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return ext == ".ini";
}

// The platform's folder search gives names in ascending order ignoring case.
struct FolderEntry {
    std::u16string key;  // the name with a-z upper-cased
    std::string name;
    fs::path path;
};

bool FolderOrder(const FolderEntry& a, const FolderEntry& b) {
    return a.key != b.key ? a.key < b.key : a.name < b.name;
}

// The .ini files of the folder that are regular files (or links to them), in folder order.
std::vector<fs::path> IniFiles(const fs::path& folder) {
    std::vector<FolderEntry> entries;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!HasIniExtension(name) || !it->is_regular_file(typeError)) continue;
        std::u16string key = Utf8ToUtf16(name);
        std::transform(key.begin(), key.end(), key.begin(), UpperAscii);
        entries.push_back({std::move(key), name, it->path()});
    }
    std::sort(entries.begin(), entries.end(), FolderOrder);
    std::vector<fs::path> paths;
    paths.reserve(entries.size());
    for (FolderEntry& e : entries) paths.push_back(std::move(e.path));
    return paths;
}

// The file's profile, or nothing when it cannot be read (too large, not a file, no access).
std::optional<Profile> LoadReadable(const fs::path& path) {
    try {
        return Profile::LoadFile(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The display name of a language file: [Setting] Language with room for 99 characters.
std::u16string DisplayName(const Profile& profile) {
    return Cut(profile.GetString(kSettingSection, kLanguageKey, u""), kLanguageNameMax);
}

// Visits each readable language file with a display name, in folder order, until visit
// returns false.
template <typename Visit>
void ForEachLanguageFile(const fs::path& folder, Visit visit) {
    for (const fs::path& path : IniFiles(folder)) {
        std::optional<Profile> profile = LoadReadable(path);
        if (!profile) continue;
        std::u16string name = DisplayName(*profile);
        if (name.empty()) continue;
        if (!visit(path, std::move(name), std::move(*profile))) return;
    }
}

// Sets one key in a profile file, keeping the rest; a file that cannot be read is not
// overwritten, and a failed write is ignored, as the platform's profile writes are.
void WriteKey(const fs::path& path, std::u16string_view section, std::u16string_view key,
              std::u16string_view value) {
    std::optional<Profile> profile = LoadReadable(path);
    if (!profile) return;
    try {
        profile->Set(section, key, value);
        profile->SaveFile(path);
    } catch (const std::exception&) {
    }
}

// The built-in language file whose display name is name, or an empty profile.
Profile BuiltinProfileNamed(std::u16string_view name) {
    for (const BuiltinLanguage& builtin : kBuiltinLanguages) {
        if (builtin.name != name) continue;
        const std::span<const unsigned char> bytes = BuiltinLanguageFile(builtin.resourceId);
        return Profile::FromBytes(std::string(bytes.begin(), bytes.end()));
    }
    return {};
}

// A name that stays inside the Language folder when ".ini" is appended.
bool IsPlainFileName(std::u16string_view name) {
    return !name.empty() && name.find_first_of(std::u16string_view(u"/\0", 2)) == name.npos;
}

}  // namespace

CMultiLanguage::CMultiLanguage(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)) {
    const fs::path settings = SettingsFile();
    std::error_code ec;
    if (fs::status(settings, ec).type() == fs::file_type::not_found) {
        try {
            Profile fresh;
            fresh.Set(kSettingSection, kLanguageKey, kDefaultLanguage);
            fresh.SaveFile(settings);
        } catch (const std::exception&) {
        }
    }
    SelectLanguage(u"");
}

fs::path CMultiLanguage::SettingsFile() const {
    return FindIgnoringCase(programFolder_, "Setting.ini");
}

fs::path CMultiLanguage::LanguageFolder() const {
    return programFolder_ / Utf16ToUtf8(kLanguageFolderName);
}

void CMultiLanguage::ListLanguages(std::vector<std::u16string>& names) const {
    names.clear();
    ForEachLanguageFile(LanguageFolder(), [&](const fs::path&, std::u16string name, Profile&&) {
        names.push_back(std::move(name));
        return true;
    });
}

std::vector<std::u16string> CMultiLanguage::ListLanguages() const {
    std::vector<std::u16string> names;
    ListLanguages(names);
    return names;
}

std::u16string CMultiLanguage::StoredLanguageName() const {
    std::optional<Profile> settings = LoadReadable(SettingsFile());
    if (!settings) return std::u16string(kDefaultLanguage);
    // No language has an empty name, so an empty value means the default as a missing one does.
    std::u16string stored = DecodeValue(
        Cut(settings->GetString(kSettingSection, kLanguageKey, u""), kLanguageValueMax));
    return stored.empty() ? std::u16string(kDefaultLanguage) : stored;
}

void CMultiLanguage::StoreLanguageName(std::u16string_view name) const {
    // Escaped where needed, so that any name reads back exactly.
    WriteKey(SettingsFile(), kSettingSection, kLanguageKey, EncodeValue(name));
}

bool CMultiLanguage::SelectLanguage(std::u16string_view name) {
    languageName_ = name.empty() ? StoredLanguageName() : std::u16string(name);
    bool found = false;
    ForEachLanguageFile(LanguageFolder(),
                        [&](const fs::path& path, std::u16string fileName, Profile&& profile) {
                            if (fileName != languageName_) return true;
                            languageFile_ = path;
                            language_ = std::move(profile);
                            builtin_ = BuiltinProfileNamed(languageName_);
                            found = true;
                            return false;
                        });
    StoreLanguageName(languageName_);
    return found;
}

bool CMultiLanguage::ExtractLanguageFile(int resourceId, std::u16string_view fileName) {
    std::error_code ec;
    fs::create_directories(LanguageFolder(), ec);
    const std::u16string name = fileName.empty() ? StoredLanguageName() : std::u16string(fileName);
    if (!IsPlainFileName(name)) return false;
    const fs::path target = FindIgnoringCase(LanguageFolder(), Utf16ToUtf8(name + u".ini"));
    const std::span<const unsigned char> bytes = BuiltinLanguageFile(resourceId);
    if (bytes.empty()) {
        WriteKey(target, kSettingSection, kLanguageKey, name);  // a language with no texts
        return false;
    }
    try {
        WriteFileAtomically(
            target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const std::exception&) {
    }
    return true;
}

std::vector<std::u16string> CMultiLanguage::PrepareLanguages() {
    std::vector<std::u16string> names = ListLanguages();
    if (!names.empty()) return names;
    for (const BuiltinLanguage& builtin : kBuiltinLanguages) {
        ExtractLanguageFile(builtin.resourceId, builtin.fileName);
    }
    ListLanguages(names);
    SelectLanguage(kDefaultLanguage);
    return names;
}

std::u16string CMultiLanguage::GetText(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultText) const {
    std::u16string text = language_.GetString(section, key, defaultText);
    return ExpandLineBreaks(Cut(std::move(text), kLanguageValueMax));
}

std::u16string CMultiLanguage::Text(Msg id, std::span<const std::u16string> args) const {
    return FillText(Template(id), args);
}

std::u16string CMultiLanguage::Text(const Message& message) const {
    return WordMessage(message, [this](Msg id) { return Template(id); });
}

std::u16string CMultiLanguage::Template(Msg id) const {
    const MessageText& t = MessageTextOf(id);
    std::optional<std::u16string> value = Caption(kSpecialStringsSection, t.key);
    return value ? ExpandLineBreaks(*value) : std::u16string(t.english);
}

std::optional<std::u16string> CMultiLanguage::Caption(std::u16string_view section,
                                                      std::u16string_view key) const {
    std::optional<std::u16string> value = language_.Get(section, key);
    // A file written out by an older Zemtra lacks the newer keys; its built-in namesake has them.
    if (!value || value->empty()) value = builtin_.Get(section, key);
    if (!value) return std::nullopt;
    std::u16string caption = Cut(std::move(*value), kLanguageValueMax);
    if (caption.empty()) return std::nullopt;
    return caption;
}

DialogTexts CMultiLanguage::TranslateDialog(int32_t dialogId,
                                            std::span<const int32_t> controlIds) const {
    const std::u16string section = DialogSection(dialogId);
    DialogTexts texts;
    texts.title = Caption(section, DialogTitleKey(dialogId));
    texts.controls.reserve(controlIds.size());
    texts.tips.reserve(controlIds.size());
    for (int32_t id : controlIds) {
        texts.controls.push_back(Caption(section, ControlKey(dialogId, id)));
        std::optional<std::u16string> tip = Caption(section, ControlTipKey(dialogId, id));
        texts.tips.push_back(tip ? std::optional(ExpandLineBreaks(*tip)) : std::nullopt);
    }
    return texts;
}

std::vector<MenuCaption> CMultiLanguage::TranslateMenu(const std::vector<MenuItem>& menu,
                                                       int32_t menuId) const {
    std::vector<MenuCaption> out;
    std::vector<size_t> path;
    const std::u16string section = MenuSection(menuId);
    TranslateMenuItems(menu, section, section, path, out);
    return out;
}

void CMultiLanguage::TranslateMenuItems(const std::vector<MenuItem>& items,
                                        std::u16string_view section, std::u16string_view prefix,
                                        std::vector<size_t>& path,
                                        std::vector<MenuCaption>& out) const {
    for (size_t p = 0; p < items.size(); ++p) {
        const MenuItem& item = items[p];
        path.push_back(p);
        if (item.kind == MenuItem::Kind::Popup) {
            const std::u16string key = MenuPopupKey(prefix, p);
            if (std::optional<std::u16string> caption = Caption(section, key)) {
                out.push_back({path, std::move(*caption)});
            }
            TranslateMenuItems(item.children, section, key, path, out);
        } else if (item.kind == MenuItem::Kind::Command) {
            // Keyed by the section's own name and the command id, at any depth.
            const std::u16string key =
                std::u16string(section) + u"_" + Utf8ToUtf16(std::to_string(item.commandId));
            if (std::optional<std::u16string> caption = Caption(section, key)) {
                out.push_back({path, std::move(*caption)});
            }
        }
        path.pop_back();
    }
}

}  // namespace zemtra
