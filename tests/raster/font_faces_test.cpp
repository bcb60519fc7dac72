// The faces of a font file: a collection lists each, a single font one, anything else none.
#include "raster/font_faces.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace zemtra {
namespace {

TEST(FontFileFaces, CollectionsListEveryFaceAndNonFontsNone) {
    const auto faces = FontFileFaces("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc");
    ASSERT_GE(faces.size(), 2u);
    EXPECT_NE(faces[0].find("WenQuanYi Zen Hei"), std::string::npos) << faces[0];
    EXPECT_NE(faces[0], faces[1]);  // the Mono face and the proportional one
    EXPECT_EQ(FontFileFaces("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"),
              std::vector<std::string>{"Liberation Sans Regular"});
    test::ScratchDir dir;
    test::WriteBytes(dir / "junk.ttc", "ttcf but not really a collection");
    EXPECT_TRUE(FontFileFaces(dir / "junk.ttc").empty());
    EXPECT_TRUE(FontFileFaces(dir / "missing.ttf").empty());
}

}  // namespace
}  // namespace zemtra
