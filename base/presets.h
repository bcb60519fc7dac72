// Controller presets: named scan modes of common display controllers and LED modules. A preset
// only sets the four scan-mode fields; projects store those fields as always.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/project_settings.h"

namespace zemtra {

struct ControllerPreset {
    std::string_view name;   // as --preset takes it
    std::string_view title;  // as the Preset drop-down shows it
    int32_t orient;
    int32_t direct;
    int32_t format;
    int32_t databit;
    std::string_view layout;      // one line on the controller's byte layout
    std::string_view shortTitle;  // the controller's name, as the closed drop-down shows it
};

std::span<const ControllerPreset> ControllerPresets();

// The preset of that name (ASCII case ignored), or nothing.
const ControllerPreset* FindPreset(std::string_view name);

void ApplyPreset(ProjectSettings& s, const ControllerPreset& preset);

// True when the settings' four scan-mode fields are the preset's.
bool PresetFits(const ProjectSettings& s, const ControllerPreset& preset);

// The first preset whose four fields equal the settings', or nothing.
const ControllerPreset* MatchingPreset(const ProjectSettings& s);

}  // namespace zemtra
