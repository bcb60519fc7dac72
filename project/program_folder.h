// Where the program keeps Setting.ini and the Language folder: beside the executable when that
// folder is writable (a portable install), else in the user's configuration folder.
#pragma once

#include <filesystem>

namespace zemtra {

// ZEMTRA_HOME when set; else the executable's folder (from /proc/self/exe) when it is writable;
// else $XDG_CONFIG_HOME/zemtra, or ~/.config/zemtra when that variable is unset or relative.
// The chosen folder is created when it is missing (failures show later, when it is written).
std::filesystem::path ProgramFolder();

// The same rule with its inputs given; a null or empty text counts as unset.
std::filesystem::path ChooseProgramFolder(const char* zemtraHome,
                                          const std::filesystem::path& exeFolder,
                                          bool exeFolderWritable, const char* xdgConfigHome,
                                          const char* home);

// Setting.ini in the program folder. "Setting.ini" and "setting.ini" name one file, as on the
// platform: an existing file of that name in any letter case is used.
std::filesystem::path SettingIniPath();

}  // namespace zemtra
