// The program folder rule and the Setting.ini lookup.
#include "project/program_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "project/profile.h"

namespace zemtra {
namespace {

bool IsSet(const char* text) {
    return text != nullptr && *text != '\0';
}

}  // namespace

std::filesystem::path ChooseProgramFolder(const char* zemtraHome,
                                          const std::filesystem::path& exeFolder,
                                          bool exeFolderWritable, const char* xdgConfigHome,
                                          const char* home) {
    if (IsSet(zemtraHome)) return zemtraHome;
    if (!exeFolder.empty() && exeFolderWritable) return exeFolder;
    if (IsSet(xdgConfigHome) && xdgConfigHome[0] == '/') {
        return std::filesystem::path(xdgConfigHome) / "zemtra";
    }
    const std::filesystem::path base = IsSet(home) ? home : "/";
    return base / ".config" / "zemtra";
}

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path exeFolder = ec ? std::filesystem::path() : exe.parent_path();
    const bool writable = !exeFolder.empty() && ::access(exeFolder.c_str(), W_OK) == 0;
    const char* home = std::getenv("HOME");
    if (!IsSet(home)) {
        if (const passwd* pw = ::getpwuid(::getuid())) home = pw->pw_dir;
    }
    std::filesystem::path folder = ChooseProgramFolder(
        std::getenv("ZEMTRA_HOME"), exeFolder, writable, std::getenv("XDG_CONFIG_HOME"), home);
    std::filesystem::create_directories(folder, ec);
    return folder;
}

std::filesystem::path SettingIniPath() {
    return FindIgnoringCase(ProgramFolder(), "Setting.ini");
}

}  // namespace zemtra
