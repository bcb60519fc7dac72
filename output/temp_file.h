// The temporary output file "Zemtra_Temp.dat", kept in a folder private to the user so that no
// other user can plant a link under its fixed name.
#pragma once

#include <filesystem>

namespace zemtra {

// $XDG_RUNTIME_DIR/zemtra, or a 0700 folder of this user's under the system temporary folder;
// made when missing, refused (UserError) when it is a link, not ours, or open to others.
std::filesystem::path PrivateTempFolder();

// PrivateTempFolder() / "Zemtra_Temp.dat".
std::filesystem::path TempOutputPath();

}  // namespace zemtra
