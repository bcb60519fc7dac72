// WriteCSource: the fontlib_WxH and fonttab_WxH arrays for a text of characters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/dot_matrix.h"
#include "base/progress.h"
#include "base/project_settings.h"
#include "output/text_writer.h"

namespace zemtra {

class GlyphRenderer;

// What the writers render a source with; tests feed known matrices through it.
class GlyphSource {
  public:
    virtual ~GlyphSource() = default;
    // Fills matrix (already W x H) for a one-character text or a picture path.
    virtual void Render(std::u16string_view source, DotMatrix& matrix) = 0;
};

// A GlyphSource that renders through a GlyphRenderer under fixed settings.
class RendererGlyphSource : public GlyphSource {
  public:
    RendererGlyphSource(GlyphRenderer& renderer, const ProjectSettings& settings)
        : renderer_(renderer), settings_(settings) {}
    void Render(std::u16string_view source, DotMatrix& matrix) override;

  private:
    GlyphRenderer& renderer_;
    const ProjectSettings& settings_;
};

// The list items joined in list order, an empty item counting as one space.
std::u16string CharacterText(const std::vector<std::u16string>& list);

// The C source is kept whole in memory (Output View, command line), so a job whose text would
// hold more UTF-16 units than this is refused before anything is rendered.
inline constexpr int64_t kMaxCSourceUnits = int64_t{1} << 28;

// A lower bound of the length of the C source for this many characters under the settings
// (0 when no scan mode is selected).
int64_t CSourceLengthBound(const ProjectSettings& settings, size_t characters);

// Writes the C source for text (one character per UTF-16 unit) with settings.PIC naming the
// pictures. Returns false, writing nothing, when W or H is below 1. Throws UserError for sizes
// above the limits (kMaxCSourceUnits included) and when the writer fails.
bool WriteCSource(const ProjectSettings& settings, std::u16string_view text, GlyphSource& glyphs,
                  TextWriter& out, ProgressSink* progress = nullptr);

// WriteCSource into the temporary file "Zemtra_Temp.dat" through CStdioFileEx, as the list
// worker does. False when W or H is below 1 or the file cannot be created.
bool WriteCSourceToTempFile(const ProjectSettings& settings, std::u16string_view text,
                            GlyphSource& glyphs, ProgressSink* progress = nullptr);

}  // namespace zemtra
