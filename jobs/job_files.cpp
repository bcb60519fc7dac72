// Picture files of the jobs, encoded in memory and written in one go.
#include "jobs/job_files.h"

#include "base/atomic_file.h"
#include "base/error.h"

namespace zemtra {

void WritePicture(const JobContext& context, const RgbRaster& picture,
                  const std::filesystem::path& file) {
    if (context.png == nullptr) throw UserError(Message{Msg::ErrNoPngWriter});
    const std::string bytes = context.png->Encode(picture);
    try {
        WriteFileAtomically(file, bytes);
    } catch (const UserError&) {
        throw UserError(Message{Msg::ErrWritePicture, {file.string()}});
    }
}

}  // namespace zemtra
