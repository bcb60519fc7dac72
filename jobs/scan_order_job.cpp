// The scan-order job: the picture of the settings' scan order.
#include "base/scan_order.h"
#include "jobs/job_files.h"
#include "jobs/jobs.h"
#include "raster/scan_order_picture.h"

namespace zemtra {

ScanOrderResult RunJob(const ProjectSettings& s, const ScanOrderJob& job,
                       const JobContext& context) {
    ScanOrderResult result;
    const RgbRaster picture =
        ScanOrderPicture(ScanModeOf(s), MatrixWidth(s), MatrixHeight(s), job.cell);
    if (picture.width == 0) {
        result.outcome = JobOutcome::NoScanMode;
        return result;
    }
    WritePicture(context, picture, job.png);
    return result;
}

}  // namespace zemtra
