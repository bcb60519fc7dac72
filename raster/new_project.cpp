// New's question to the installed fonts, beside the font layer that answers it.
#include "raster/new_project.h"

#include "raster/font_engine.h"

namespace zemtra {

void ApplyNew(ProjectSettings& s) {
    ApplyNew(s, FontFamilyInstalled(u"宋体"));
}

}  // namespace zemtra
