// New's face follows the installed fonts, as fontconfig lists them.
#include "raster/new_project.h"

#include <gtest/gtest.h>

namespace zemtra {
namespace {

TEST(ApplyNew, FaceFollowsTheInstalledFonts) {
    // The test machines have no font of the family 宋体 installed. Zemtra's fontconfig rules
    // draw the name with WenQuanYi Bitmap Song or AR PL UMing, but New asks for the family.
    ProjectSettings s;
    ApplyNew(s);
    EXPECT_EQ(s.FONT.FaceName, u"Arial");
}

}  // namespace
}  // namespace zemtra
