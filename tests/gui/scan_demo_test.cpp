// The scan demo in the window: timer 0 lights one dot per tick in the scan order, a pause
// freezes the picture and the step goes on afterwards, repaints copy the cached image
// stretched to the control, and the order follows the scan mode from the next tick.
#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>

#include "gui/gui_test_support.h"
#include "project/project_file.h"
#include "raster/qt/scan_demo_widget.h"
#include "raster/scan_demo.h"

namespace zemtra::test {
namespace {

constexpr uint32_t kLight = 0xEFE09C;
constexpr uint32_t kDark = 0x285049;

uint32_t Dot(const ScanDemoWidget& demo, int x, int y) {
    return demo.Image().GetPixel(3 * x + 1, 3 * y + 1);
}

// The dots that are light, in the order 0..255 of row-major positions.
int LightDots(const ScanDemoWidget& demo) {
    int light = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) light += Dot(demo, x, y) == kLight ? 1 : 0;
    }
    return light;
}

class ScanDemo : public ::testing::Test {
  protected:
    ScanDemoWidget& Demo() { return *Ctl<ScanDemoWidget>(dialog, kDemoAreaId); }
    QCheckBox* Box() { return Ctl<QCheckBox>(dialog, kShowDemoId); }

    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
};

TEST_F(ScanDemo, RowForwardLightsTheTopRowLeftToRight) {
    EXPECT_EQ(Demo().Image().width, 49);
    EXPECT_EQ(LightDots(Demo()), 0);  // black before the first tick
    EXPECT_EQ(Demo().Image().GetPixel(1, 1), 0u);
    Box()->click();
    ASSERT_TRUE(ProcessUntil([this] { return dialog.Panel().DemoStep() >= 4; }, 5000));
    Box()->click();
    const int drawn = dialog.Panel().DemoStep() - 1;  // the step the last tick drew
    EXPECT_EQ(LightDots(Demo()), drawn + 1);
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(Dot(Demo(), x, 0), x <= drawn ? kLight : kDark) << x;
    }
    EXPECT_EQ(Dot(Demo(), 0, 1), kDark);
    // Black gaps and border around the 2 x 2 dots.
    EXPECT_EQ(Demo().Image().GetPixel(0, 0), 0u);
    EXPECT_EQ(Demo().Image().GetPixel(3, 1), 0u);
    EXPECT_EQ(Demo().Image().GetPixel(2, 2), kLight);
}

TEST_F(ScanDemo, APauseFreezesThePictureAndTheStepGoesOn) {
    Box()->click();
    ASSERT_TRUE(ProcessUntil([this] { return dialog.Panel().DemoStep() >= 3; }, 5000));
    Box()->click();
    EXPECT_FALSE(dialog.Panel().DemoTimerActive());
    const int frozen = dialog.Panel().DemoStep();
    const int lit = LightDots(Demo());
    const QImage shown = Demo().Cached();
    ProcessUntil([] { return false; }, 200);
    EXPECT_EQ(dialog.Panel().DemoStep(), frozen);
    EXPECT_EQ(LightDots(Demo()), lit);
    // A repaint between ticks shows the same state, stretched to the control.
    EXPECT_EQ(shown.size(), Demo().size());
    EXPECT_EQ(Demo().grab().toImage().convertToFormat(QImage::Format_RGB32),
              shown.convertToFormat(QImage::Format_RGB32));
    Box()->click();
    ASSERT_TRUE(ProcessUntil([&] { return dialog.Panel().DemoStep() > frozen; }, 5000));
    EXPECT_GT(LightDots(Demo()), lit);  // continued, not started again
}

TEST_F(ScanDemo, TheOrderFollowsTheScanModeAndTheControlsSize) {
    auto* orient = Ctl<QComboBox>(dialog, kOrientationId);
    orient->setCurrentIndex(1);  // Column
    emit orient->activated(1);
    Box()->click();
    ASSERT_TRUE(ProcessUntil([this] { return dialog.Panel().DemoStep() >= 3; }, 5000));
    Box()->click();
    EXPECT_EQ(Dot(Demo(), 0, 1), kLight);  // down the first column
    EXPECT_EQ(Dot(Demo(), 1, 0), kDark);
    // An orientation that is none of the items (a project edited by hand): no dot at all,
    // the picture stays black.
    ProjectSettings odd = dialog.Settings();
    odd.ORIENT = 9;
    SaveProject(home / "odd.fprj", odd);
    answers.openNames.push_back({QString::fromStdString((home / "odd.fprj").string())});
    FindCommand(dialog.MenuBar(), kCmdOpen)->trigger();
    ASSERT_EQ(orient->currentIndex(), -1);
    Box()->click();
    const int step = dialog.Panel().DemoStep();
    ASSERT_TRUE(ProcessUntil([&] { return dialog.Panel().DemoStep() != step; }, 5000));
    Box()->click();
    EXPECT_EQ(LightDots(Demo()), 0);
    EXPECT_EQ(Dot(Demo(), 0, 0), 0u);
    // A larger control shows the image stretched: each pixel doubled.
    Demo().resize(98, 98);
    RgbRaster image(kScanDemoImageSize, kScanDemoImageSize, kBlack);
    image.SetPixel(1, 1, kLight);
    Demo().Show(image);
    EXPECT_EQ(Demo().Cached().size(), QSize(98, 98));
    EXPECT_EQ(Demo().Cached().pixel(2, 3), qRgb(156, 224, 239));
    EXPECT_EQ(Demo().Cached().pixel(4, 4), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace zemtra::test
