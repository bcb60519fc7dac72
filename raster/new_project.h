// New with the face the installed fonts allow: the one part of New that asks the system.
#pragma once

#include "base/project_settings.h"

namespace zemtra {

// ApplyNew(s, simSunInstalled) with fontconfig asked whether a family "宋体" is installed.
void ApplyNew(ProjectSettings& s);

}  // namespace zemtra
