// The folder of "Zemtra_Temp.dat": one only this user can write, so that nobody can plant a link
// or a file of their own under the fixed name.
#include "output/temp_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

#include "base/error.h"

namespace zemtra {
namespace {

// why: the reason as a message, or the system's words.
[[noreturn]] void Refuse(const std::filesystem::path& folder, MessageArg why) {
    throw UserError(Message{Msg::ErrTempFolder, {folder.string(), std::move(why)}});
}

// $XDG_RUNTIME_DIR when it names an existing folder of ours by an absolute path.
bool UsableRuntimeDir(const char* value) {
    if (value == nullptr || value[0] != '/') return false;
    struct stat info {};
    return ::stat(value, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

std::filesystem::path FolderLocation() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (UsableRuntimeDir(runtime)) return std::filesystem::path(runtime) / "zemtra";
    std::error_code error;
    const std::filesystem::path system = std::filesystem::temp_directory_path(error);
    if (error) {
        throw UserError(Message{Msg::ErrNoTempFolder, {error.message()}});
    }
    return system / ("zemtra-" + std::to_string(::geteuid()));
}

// lstat, so that a link in the folder's place is seen as the link.
bool Inspect(const std::filesystem::path& folder, struct stat& info) {
    if (::lstat(folder.c_str(), &info) == 0) return true;
    if (errno != ENOENT) Refuse(folder, std::strerror(errno));
    return false;
}

void Create(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), 0700) == 0) {
        // A restrictive umask might leave the folder unusable to us.
        ::chmod(folder.c_str(), 0700);
        return;
    }
    if (errno != EEXIST) {
        throw UserError(Message{Msg::ErrTempFolderCreate, {folder.string(), std::strerror(errno)}});
    }
    // Someone made it between our look and our mkdir: the checks that follow judge it.
}

void Check(const std::filesystem::path& folder, const struct stat& info) {
    if (S_ISLNK(info.st_mode)) Refuse(folder, Message{Msg::WhySymbolicLink});
    if (!S_ISDIR(info.st_mode)) Refuse(folder, Message{Msg::WhyNotAFolder});
    if (info.st_uid != ::geteuid()) Refuse(folder, Message{Msg::WhyOtherOwner});
    if ((info.st_mode & 077) != 0) Refuse(folder, Message{Msg::WhyOthersHaveAccess});
}

}  // namespace

std::filesystem::path PrivateTempFolder() {
    const std::filesystem::path folder = FolderLocation();
    struct stat info {};
    if (!Inspect(folder, info)) {
        Create(folder);
        if (!Inspect(folder, info)) Refuse(folder, Message{Msg::WhyVanished});
    }
    Check(folder, info);
    return folder;
}

std::filesystem::path TempOutputPath() {
    return PrivateTempFolder() / "Zemtra_Temp.dat";
}

}  // namespace zemtra
