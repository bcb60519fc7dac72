// The decode jobs: a generated C source or one .dzk record read back under the settings' scan
// mode, independently of the writers' own idea of the order.
#include <fstream>
#include <iterator>

#include "base/error.h"
#include "base/scan_order.h"
#include "jobs/job_files.h"
#include "jobs/jobs.h"
#include "output/scan_decode.h"
#include "raster/matrix_picture.h"

namespace zemtra {
namespace {

// Writes the one glyph as a picture when asked; more than one cannot be one picture.
void Finish(DecodeResult& result, const std::filesystem::path& png, const JobContext& context) {
    if (result.glyphs.empty()) {
        result.outcome = JobOutcome::NoSuchGlyph;
    } else if (!png.empty() && result.glyphs.size() != 1) {
        result.outcome = JobOutcome::NotOneGlyph;
    } else if (!png.empty()) {
        WritePicture(context, MatrixPicture(result.glyphs.front()), png);
    }
}

}  // namespace

DecodeResult RunJob(const ProjectSettings& s, const DecodeCSourceJob& job,
                    const JobContext& context) {
    RefuseFolder(job.file);
    std::ifstream in(job.file, std::ios::binary);
    if (!in) throw UserError(Message{Msg::ErrReadFileShort, {job.file.string()}});
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const ParsedCSource parsed = ParseCSource(DecodeCSourceBytes(bytes));
    DecodeResult result;
    for (size_t i = 0; i < parsed.glyphs.size(); ++i) {
        if (job.index && i != *job.index) continue;
        if (job.character && parsed.glyphs[i].character != *job.character) continue;
        result.glyphs.push_back(UnpackGlyph(parsed.glyphs[i].words, ScanModeOf(s), parsed.width,
                                            parsed.height, parsed.bits));
    }
    Finish(result, job.png, context);
    return result;
}

DecodeResult RunJob(const ProjectSettings& s, const DecodeLibraryJob& job,
                    const JobContext& context) {
    DecodeResult result;
    result.glyphs.push_back(ReadLibraryGlyph(job.file, s, job.code));
    Finish(result, job.png, context);
    return result;
}

}  // namespace zemtra
