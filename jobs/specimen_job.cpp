// The specimen job: the glyphs of the list or of the code range, rendered, then laid out on
// pages and written page by page. Rendering fills the progress to 80, writing the rest.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "jobs/job_files.h"
#include "jobs/jobs.h"
#include "raster/glyph_renderer.h"
#include "raster/specimen.h"

namespace zemtra {
namespace {

constexpr int kRenderShare = 80;

// Passes positions on scaled to 0..share.
class ScaledProgress : public ProgressSink {
  public:
    ScaledProgress(ProgressSink& to, int share) : to_(to), share_(share) {}
    void SetRange(int minimum, int maximum) override { to_.SetRange(minimum, maximum); }
    void SetPosition(int position) override { to_.SetPosition(position * share_ / 100); }

  private:
    ProgressSink& to_;
    int share_;
};

bool Stopped(const JobContext& context) {
    return context.stop != nullptr && context.stop->Requested();
}

}  // namespace

SpecimenResult RunJob(const ProjectSettings& s, const SpecimenJob& job, const JobContext& context) {
    SpecimenResult result;
    if (!HasDots(s)) {
        result.outcome = JobOutcome::NoDots;
        return result;
    }
    result.ofList = job.glyphs == SpecimenGlyphs::List ||
                    (job.glyphs == SpecimenGlyphs::ListElseCodeRange && !s.LIST.empty());
    GlyphRenderer renderer(context.pictures);
    std::optional<ScaledProgress> rendering;
    if (context.progress != nullptr) rendering.emplace(*context.progress, kRenderShare);
    const SpecimenRun run{rendering ? &*rendering : nullptr, context.stop};
    const std::vector<SpecimenGlyph> glyphs = result.ofList
                                                  ? SpecimenGlyphsOfList(s, renderer, run)
                                                  : SpecimenGlyphsOfRange(s, renderer, run);
    if (Stopped(context)) {
        result.outcome = JobOutcome::Stopped;
        return result;
    }
    result.glyphs = glyphs.size();
    if (glyphs.empty()) {
        result.outcome = result.ofList ? JobOutcome::EmptyList : JobOutcome::EmptyCodeRange;
        return result;
    }
    result.pages = SpecimenPageCount(glyphs.size());
    result.firstPage = SpecimenPageFile(job.target, 0, result.pages);
    result.lastPage = SpecimenPageFile(job.target, result.pages - 1, result.pages);
    for (size_t page = 0; page < result.pages; ++page) {
        if (Stopped(context)) {
            result.outcome = JobOutcome::Stopped;
            return result;
        }
        const auto first = glyphs.begin() + static_cast<std::ptrdiff_t>(page * kSpecimenPerPage);
        const auto last = glyphs.begin() + static_cast<std::ptrdiff_t>(std::min(
                                               glyphs.size(), (page + 1) * kSpecimenPerPage));
        const std::filesystem::path file = SpecimenPageFile(job.target, page, result.pages);
        WritePicture(context,
                     SpecimenPage(std::vector<SpecimenGlyph>(first, last), renderer.Fonts()), file);
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(file, ec);
        if (!ec) result.bytes += size;
        if (context.progress != nullptr) {
            context.progress->SetPosition(
                kRenderShare + static_cast<int>((page + 1) * (100 - kRenderShare) / result.pages));
        }
    }
    return result;
}

}  // namespace zemtra
