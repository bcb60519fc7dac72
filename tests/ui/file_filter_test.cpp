// The platform's file filter lists in the GUI's form.
#include "ui/file_filter.h"

#include <gtest/gtest.h>

namespace zemtra {
namespace {

TEST(FileDialogFilter, DescriptionsKeepTheirTextAndAllFilesMatchEverything) {
    EXPECT_EQ(FileDialogFilter(u"Text File(*.txt)|*.txt|C Header File(*.h)|*.h|"
                               u"C Source File(*.c)|*.c|Other File(*.*)|*.*||"),
              u"Text File(*.txt);;C Header File(*.h);;C Source File(*.c);;Other File(*.*) (*)");
    EXPECT_EQ(FileDialogFilter(u"DZK Files(*.dzk)|*.dzk|All Files(*.*)|*.*||"),
              u"DZK Files(*.dzk);;All Files(*.*) (*)");
    EXPECT_EQ(FileDialogFilter(u"BMP JPEG JPG GIF PNG|*.BMP;*.JPEG;*.JPG;*.GIF;*.PNG|"
                               u"All Files(*.*)|*.*||"),
              u"BMP JPEG JPG GIF PNG (*.BMP *.JPEG *.JPG *.GIF *.PNG);;All Files(*.*) (*)");
    EXPECT_EQ(FileDialogFilter(u""), u"");
}

}  // namespace
}  // namespace zemtra
