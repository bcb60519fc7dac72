// The collect step of an export: every character of the set rendered by RenderExportGlyph on
// all cores, in the set's order, with the face that drew each glyph.
#pragma once

#include <string>
#include <vector>

#include "base/export_font.h"
#include "base/progress.h"
#include "base/project_settings.h"
#include "raster/export_glyph.h"

namespace zemtra {

struct CollectedGlyphs {
    std::vector<ExportGlyph> glyphs;    // ascending, as the set was
    std::vector<ExportSource> sources;  // most glyphs first, then by name
    std::vector<char32_t> lacking;      // characters no face has and no edit stands for
    bool stopped = false;               // the stop flag ended it; glyphs are then incomplete
};

// Renders the characters (ascending) under the settings. threads 0 takes every core. Reports
// positions 0..100 to progress from the calling thread and tests stop between glyphs; a
// failure of any glyph (UserError from the renderer) is thrown here after every thread ended.
CollectedGlyphs CollectExportGlyphs(const ProjectSettings& s, const std::vector<char32_t>& set,
                                    const ExportStyle& style, ProgressSink* progress,
                                    const StopFlag* stop, int threads = 0);

}  // namespace zemtra
