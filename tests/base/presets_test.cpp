// Controller presets set exactly the four scan-mode fields and are found by name.
#include "base/presets.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/scan_order.h"

namespace zemtra {
namespace {

TEST(Presets, EachFitsTheSettingsItMakesAndNoOtherField) {
    for (const ControllerPreset& p : ControllerPresets()) {
        ProjectSettings s;
        ApplyPreset(s, p);
        EXPECT_TRUE(PresetFits(s, p)) << p.name;
        for (int32_t ProjectSettings::*field :
             {&ProjectSettings::ORIENT, &ProjectSettings::DIRECT, &ProjectSettings::FORMAT,
              &ProjectSettings::DATABIT}) {
            ProjectSettings changed = s;
            changed.*field += 1;
            EXPECT_FALSE(PresetFits(changed, p)) << p.name;
        }
    }
}

TEST(Presets, PageControllersPutTheTopDotInBitZeroOfAColumnByte) {
    for (const char* name : {"ssd1306", "SH1106", "ks0108", "pcd8544"}) {
        const ControllerPreset* p = FindPreset(name);
        ASSERT_NE(p, nullptr) << name;
        ProjectSettings s;
        ApplyPreset(s, *p);
        const ScanMode mode{s.ORIENT, s.DIRECT, s.FORMAT, s.DATABIT};
        // The first word is column 0 of the top page: its top dot is bit 0.
        const auto top = MapScanIndex(mode, 7, 16, 16, 0);  // Backward starts at the high bit
        EXPECT_EQ(top->y, 0) << name;
        EXPECT_EQ(top->bit, 0) << name;
        EXPECT_EQ(top->word, 0) << name;
        EXPECT_EQ(MapScanIndex(mode, 8, 16, 16, 0)->x, 1) << name;
    }
}

TEST(Presets, RowControllersPutTheLeftDotInTheTopBit) {
    for (const char* name : {"max7219", "hub75", "row-msb", "st7920"}) {
        const ControllerPreset* p = FindPreset(name);
        ASSERT_NE(p, nullptr) << name;
        ProjectSettings s;
        ApplyPreset(s, *p);
        const ScanMode mode{s.ORIENT, s.DIRECT, s.FORMAT, s.DATABIT};
        const auto first = MapScanIndex(mode, 0, 16, 16, 0);
        EXPECT_EQ(first->x, 0);
        EXPECT_EQ(first->y, 0);
        EXPECT_EQ(first->bit, UnitBits(s.DATABIT) - 1) << name;
    }
}

TEST(Presets, OnlyTheScanFieldsChangeAndNamesAreUnique) {
    ProjectSettings s;
    ApplyNew(s, false);
    s.BLOCKNUMX = u"12";
    const ProjectSettings before = s;
    ApplyPreset(s, *FindPreset("st7920"));
    ProjectSettings expect = before;
    expect.ORIENT = 0;
    expect.DIRECT = 0;
    expect.FORMAT = 0;
    expect.DATABIT = 1;
    EXPECT_EQ(s, expect);
    EXPECT_EQ(MatchingPreset(s)->name, "st7920");
    std::set<std::string> names;
    for (const auto& p : ControllerPresets()) EXPECT_TRUE(names.insert(std::string(p.name)).second);
    EXPECT_EQ(FindPreset("no-such-controller"), nullptr);
}

}  // namespace
}  // namespace zemtra
