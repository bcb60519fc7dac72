// Fuzzing project loading: any file loads into sound settings, and saving them (into a new file
// or merged into the same file) and loading again gives the same settings.
#include <array>
#include <string>

#include "base/error.h"
#include "fuzz/fuzz_entries.h"
#include "project/project_file.h"

namespace zemtra::fuzz {
namespace {

constexpr std::array<int, 3> kProjectCodePages{1252, 936, 950};

void CheckSound(const ProjectSettings& s) {
    Check(s.FONT.FaceName.size() <= kMaxFaceNameLength, "the face name fits its field");
    for (const std::u16string& item : s.LIST) Check(item.size() == 1, "one unit per list item");
    Check(s.FONT.Width == Value(s.WIDTH) && s.FONT.Height == Value(s.HEIGHT),
          "the font size follows its texts");
}

// Saves s into profile, loads it back and compares; a PIC that cannot be stored is refused.
void CheckRoundTrip(const ProjectSettings& s, Profile profile, int codePage, const char* what) {
    try {
        WriteProject(s, profile);
    } catch (const UserError&) {
        return;
    }
    ProjectSettings back;
    const LoadedProject loaded = ReadProject(Profile::FromBytes(profile.ToBytes(), codePage), back);
    Check(loaded.isProject, what);
    Check(back == s, what);
}

}  // namespace

void FuzzProject(std::string_view data) {
    const int codePage = kProjectCodePages[data.size() % kProjectCodePages.size()];
    const Profile profile = Profile::FromBytes(std::string(data), codePage);
    ProjectSettings s;
    const ProjectSettings untouched = s;
    LoadedProject loaded;
    try {
        loaded = ReadProject(profile, s);
    } catch (const UserError&) {
        Check(s == untouched, "a refused project leaves the settings alone");
        return;
    }
    if (!loaded.isProject) {
        Check(s == untouched, "a file that is no project leaves the settings alone");
        return;
    }
    CheckSound(s);
    Check(s.OFFSETX == Value(loaded.offsetXText) && s.OFFSETY == Value(loaded.offsetYText),
          "the offsets follow their texts");
    // Whatever was read is shown again by the hex fields, and their value is the code.
    Check(HexFieldValue(HexFieldText(s.FROM)) == s.FROM, "FROM survives its field");
    CheckRoundTrip(s, Profile(), codePage, "a saved project loads back the same");
    CheckRoundTrip(s, profile, codePage, "a project saved over its own file loads back the same");
}

}  // namespace zemtra::fuzz
