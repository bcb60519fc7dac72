// Picture files of the jobs, encoded in memory and written in one go.
#include "jobs/job_files.h"

#include "base/atomic_file.h"
#include "base/error.h"

namespace zemtra {

void WritePicture(const JobContext& context, const RgbRaster& picture,
                  const std::filesystem::path& file) {
    if (context.png == nullptr) throw UserError("No picture writer is available.");
    const std::string bytes = context.png->Encode(picture);
    try {
        WriteFileAtomically(file, bytes);
    } catch (const UserError&) {
        throw UserError("Cannot write the picture \"" + file.string() + "\".");
    }
}

}  // namespace zemtra
