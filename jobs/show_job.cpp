// The show job: one item rendered under the settings.
#include "jobs/jobs.h"
#include "raster/glyph_renderer.h"

namespace zemtra {

ShowResult RunJob(const ProjectSettings& s, const ShowJob& job, const JobContext& context) {
    ShowResult result;
    GlyphRenderer renderer(context.pictures);
    if (!renderer.RenderDotMatrix(s, job.source, &result.matrix))
        result.outcome = JobOutcome::NoDots;
    return result;
}

}  // namespace zemtra
