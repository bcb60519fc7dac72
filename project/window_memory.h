// What the window keeps in Setting.ini beside the last run's project keys: its size, the
// projects opened lately, the folder last used for each kind of file, and which project file
// was open at exit. Each lives in a section of its own, so the project keys stay as they are.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/project_settings.h"
#include "project/profile.h"

namespace zemtra {

// Project > Recent holds this many files, newest first.
inline constexpr size_t kMaxRecentProjects = 8;

// The kinds of file whose dialogs remember their own folder.
enum class FileKind { Project, Picture, Font, Output, Library, Specimen, Export };

struct WindowMemory {
    // The main window's size in pixels at 1x scale when it was last closed; 0 when unknown.
    int width = 0;
    int height = 0;
    bool maximized = false;
    std::vector<std::u16string> recent;  // newest first, at most kMaxRecentProjects
    std::map<FileKind, std::u16string> folders;
    // The project file the window had open at exit (empty: none), so the next start knows what
    // the restored settings belong to.
    std::u16string project;
};

// [Window] Width, Height, Maximized; [Recent] File1..File8; [Folders] Project, Picture, Font,
// Output, Library, Specimen, Export; [Window] Project. Missing or bad values give the defaults;
// empty and duplicate recent entries are dropped.
WindowMemory ReadWindowMemory(const Profile& profile);
void WriteWindowMemory(const WindowMemory& memory, Profile& profile);

// Puts path first in the list, once, dropping the oldest beyond kMaxRecentProjects.
void AddRecentProject(std::vector<std::u16string>& recent, std::u16string_view path);
// Takes path out of the list (a recent file that no longer opens).
void RemoveRecentProject(std::vector<std::u16string>& recent, std::u16string_view path);

// Setting.ini at exit in one write: the project keys of s and the window's memory, every other
// line kept. Throws UserError as SaveProject does.
void SaveSettingIni(const std::filesystem::path& path, const ProjectSettings& s,
                    const WindowMemory& memory);

}  // namespace zemtra
