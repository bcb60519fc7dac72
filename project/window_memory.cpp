// Reading and writing the window's sections of Setting.ini.
#include "project/window_memory.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/project_settings.h"
#include "base/unicode.h"
#include "project/project_file.h"

namespace zemtra {
namespace {

constexpr std::u16string_view kWindow = u"Window";
constexpr std::u16string_view kRecent = u"Recent";
constexpr std::u16string_view kFolders = u"Folders";

constexpr std::array<std::pair<FileKind, std::u16string_view>, 7> kFolderKeys = {{
    {FileKind::Project, u"Project"},
    {FileKind::Picture, u"Picture"},
    {FileKind::Font, u"Font"},
    {FileKind::Output, u"Output"},
    {FileKind::Library, u"Library"},
    {FileKind::Specimen, u"Specimen"},
    {FileKind::Export, u"Export"},
}};

std::u16string RecentKey(size_t i) {
    return u"File" + DecimalText(static_cast<int64_t>(i + 1));
}

std::u16string Text(const Profile& p, std::u16string_view section, std::u16string_view key) {
    const std::optional<std::u16string> v = p.Get(section, key);
    return v ? DecodeValue(*v) : std::u16string();
}

// A size is kept only within what a screen can show.
int Size(const Profile& p, std::u16string_view key) {
    const int32_t v = Value(Text(p, kWindow, key));
    return v >= 100 && v <= 20000 ? v : 0;
}

}  // namespace

WindowMemory ReadWindowMemory(const Profile& profile) {
    WindowMemory m;
    m.width = Size(profile, u"Width");
    m.height = Size(profile, u"Height");
    m.maximized = Value(Text(profile, kWindow, u"Maximized")) != 0;
    m.project = Text(profile, kWindow, u"Project");
    for (size_t i = kMaxRecentProjects; i-- > 0;) {
        const std::u16string path = Text(profile, kRecent, RecentKey(i));
        if (!path.empty()) AddRecentProject(m.recent, path);
    }
    for (const auto& [kind, key] : kFolderKeys) {
        std::u16string folder = Text(profile, kFolders, key);
        if (!folder.empty()) m.folders[kind] = std::move(folder);
    }
    return m;
}

void WriteWindowMemory(const WindowMemory& m, Profile& profile) {
    profile.Set(kWindow, u"Width", DecimalText(m.width));
    profile.Set(kWindow, u"Height", DecimalText(m.height));
    profile.Set(kWindow, u"Maximized", m.maximized ? u"1" : u"0");
    profile.Set(kWindow, u"Project", EncodeValue(m.project));
    for (size_t i = 0; i < kMaxRecentProjects; ++i) {
        profile.Set(kRecent, RecentKey(i), i < m.recent.size() ? EncodeValue(m.recent[i]) : u"");
    }
    for (const auto& [kind, key] : kFolderKeys) {
        const auto it = m.folders.find(kind);
        if (it != m.folders.end()) profile.Set(kFolders, key, EncodeValue(it->second));
    }
}

void AddRecentProject(std::vector<std::u16string>& recent, std::u16string_view path) {
    if (path.empty()) return;
    RemoveRecentProject(recent, path);
    recent.insert(recent.begin(), std::u16string(path));
    if (recent.size() > kMaxRecentProjects) recent.resize(kMaxRecentProjects);
}

void RemoveRecentProject(std::vector<std::u16string>& recent, std::u16string_view path) {
    recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
}

void SaveSettingIni(const std::filesystem::path& path, const ProjectSettings& s,
                    const WindowMemory& memory) {
    Profile profile = Profile::LoadFile(path);
    WriteProject(s, profile);
    WriteWindowMemory(memory, profile);
    profile.SaveFile(path);
}

}  // namespace zemtra
