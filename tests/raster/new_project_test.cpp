// New's face follows the installed fonts, as fontconfig lists them.
#include "raster/new_project.h"

#include <gtest/gtest.h>

namespace zemtra {
namespace {

TEST(ApplyNew, FaceFollowsTheInstalledFonts) {
    // The test machines have no font of the family 宋体 installed.
    ProjectSettings s;
    ApplyNew(s);
    EXPECT_EQ(s.FONT.FaceName, u"Arial");
}

}  // namespace
}  // namespace zemtra
