// The character list's picture entries: what names a picture and what an item renders.
#include "base/character_list.h"

#include <gtest/gtest.h>

namespace zemtra {
namespace {

TEST(CharacterList, OnlyAPathNamesAPicture) {
    EXPECT_FALSE(IsPictureEntry(u""));
    EXPECT_FALSE(IsPictureEntry(kCharacterEntry));
    EXPECT_TRUE(IsPictureEntry(u"/pics/a.png"));
    EXPECT_TRUE(IsPictureEntry(u"##"));  // a file may be called that

    ProjectSettings s;
    FillCharacterList(s, u"AB", true);
    AppendPictureItem(s, u"/pics/a.png");
    s.PIC[1].clear();  // an empty entry is a character too
    EXPECT_FALSE(IsPictureItem(s, 0));
    EXPECT_FALSE(IsPictureItem(s, 1));
    EXPECT_TRUE(IsPictureItem(s, 2));
    EXPECT_FALSE(IsPictureItem(s, 3));  // past the list
    EXPECT_EQ(ItemSource(s, 1), u"B");
    EXPECT_EQ(ItemSource(s, 2), u"/pics/a.png");
}

}  // namespace
}  // namespace zemtra
