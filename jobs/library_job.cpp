// The font library job: the checks that come before the target is touched, then the build.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/atomic_file.h"
#include "base/code_rectangle.h"
#include "base/error.h"
#include "jobs/jobs.h"
#include "output/font_library.h"
#include "output/output_text.h"

namespace zemtra {

LibraryJobResult RunJob(const ProjectSettings& s, const LibraryJob& job,
                        const JobContext& context) {
    LibraryJobResult result;
    result.codes = CodeRectangle(s).Size();
    result.emptyRange = EmptyCodeRectangle(s);
    if (!HasDots(s)) {
        result.outcome = JobOutcome::NoDots;
        return result;
    }
    if (result.emptyRange && job.refuseEmptyRange) {
        result.outcome = JobOutcome::EmptyCodeRange;
        return result;
    }
    // Refused settings leave the target as it was.
    if (auto why = LibrarySettingsProblem(s)) throw UserError(*why);
    if (!CreateOrEmptyFile(job.target)) {
        throw CannotCreateFile(
            Message{Msg::ErrWriteLibrary,
                    {job.target.string(), Message{Msg::WhyCannotCreateIt}, std::strerror(errno)}});
    }
    LibraryOptions options;
    options.threads = job.threads;
    options.progress = context.progress;
    options.stop = context.stop;
    result.counts = BuildFontLibrary(s, job.target, options);
    if (result.counts.stopped) result.outcome = JobOutcome::Stopped;
    // A stopped run's header would describe records that are not there.
    if (job.header && result.outcome == JobOutcome::Done) {
        AtomicFileWriter header(*job.header);
        header.Write(LibraryHeaderText(s, job.headerName, job.unicodeMap));
        header.Commit();
    }
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(job.target, ec);
    if (!ec) result.bytes = size;
    return result;
}

}  // namespace zemtra
