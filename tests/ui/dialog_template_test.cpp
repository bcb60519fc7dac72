// The dialog tables and the dialog-unit conversion: pixel sizes at 96 dpi and scaled, the
// up-down attachment, and the tables' own consistency.
#include "ui/dialog_template.h"

#include <gtest/gtest.h>

#include <set>

namespace zemtra {
namespace {

TEST(DialogUnits, BaseUnitsOfSixByTwelvePixels) {
    EXPECT_EQ(DluToPixelsX(300, 96), 450);
    EXPECT_EQ(DluToPixelsY(300, 96), 450);
    EXPECT_EQ(DluToPixelsX(512, 96), 768);
    EXPECT_EQ(DluToPixelsY(370, 96), 555);
    EXPECT_EQ(DluToPixelsX(7, 96), 11);  // 10.5 rounds away from zero, as MulDiv does
    EXPECT_EQ(DluToPixelsY(7, 96), 11);
    EXPECT_EQ(DluToPixelsX(300, 192), 900);
    EXPECT_EQ(DluToPixelsY(12, 144), 27);
}

TEST(DialogUnits, EdgesMapSeparatelySoNeighboursTouch) {
    const PixelRect a = DluRectToPixels({7, 7, 50, 300}, 96);
    EXPECT_EQ(a, (PixelRect{11, 11, 75, 450}));
    // 1018 "L" ends where 1020 "C" begins.
    const PixelRect l = DluRectToPixels({450, 94, 16, 15}, 96);
    const PixelRect c = DluRectToPixels({466, 94, 16, 15}, 96);
    EXPECT_EQ(l.x + l.width, c.x);
}

TEST(DialogUnits, UpDownMovesToTheRightEndOfItsBuddy) {
    PixelRect edit = DluRectToPixels({373, 39, 48, 12}, 96);
    PixelRect spin = DluRectToPixels({410, 39, 11, 12}, 96);
    const int right = edit.x + edit.width;
    AttachUpDown(edit, spin);
    EXPECT_EQ(spin.x + spin.width, right);
    EXPECT_EQ(edit.x + edit.width, spin.x);
    EXPECT_EQ(spin.y, edit.y);
    EXPECT_EQ(spin.height, edit.height);
}

TEST(DialogTemplates, MainDialogIsConsistent) {
    const DialogTemplate& d = MainDialogTemplate();
    EXPECT_EQ(d.id, 102);
    std::set<int32_t> ids;
    const ControlTemplate* previous = nullptr;
    for (const ControlTemplate& t : d.controls) {
        if (t.id != kNoControlId) {
            EXPECT_TRUE(ids.insert(t.id).second) << "duplicate " << t.id;
        }
        EXPECT_LE(t.rect.x + t.rect.width, d.width) << t.id;
        EXPECT_LE(t.rect.y + t.rect.height, d.height) << t.id;
        if (t.kind == ControlKind::UpDown) {
            ASSERT_NE(previous, nullptr);
            EXPECT_EQ(previous->kind, ControlKind::Edit) << "buddy of " << t.id;
        }
        if (t.kind == ControlKind::DropDownList) {
            EXPECT_FALSE(ComboItems(t.id).empty()) << t.id;
        }
        const bool hidden = (t.style & kStyleHidden) != 0;
        EXPECT_EQ(hidden, t.id == kThresholdId || t.id == kThresholdSpinId) << t.id;
        previous = &t;
    }
    // with "Font File...", the preset drop-down, "Add from Files...", the header check box
    EXPECT_EQ(ids.size(), 51u);
    EXPECT_EQ(ComboItems(kPolarityId), (std::vector<std::u16string_view>{u"Cathode", u"Anode"}));
    EXPECT_EQ(ComboItems(kDataBitsId).back(), u"4bit");
}

TEST(DialogTemplates, OutputViewAndMenu) {
    const DialogTemplate& d = OutputDialogTemplate();
    EXPECT_EQ(d.id, 129);
    EXPECT_EQ(d.width, 512);
    EXPECT_EQ(d.height, 383);
    ASSERT_EQ(d.controls.size(), 7u);  // with Verify and its picture and caption
    EXPECT_EQ(d.controls[0].id, kOutputTextId);
    const auto& menu = MainMenuTemplate();
    ASSERT_EQ(menu.size(), 3u);
    std::vector<int32_t> project;
    for (const MenuItemTemplate& item : menu[0].items) project.push_back(item.id);
    EXPECT_EQ(project, (std::vector<int32_t>{32781, 32772, 0, 32774, kCmdSaveAs, 0, 32783,
                                             kCmdSpecimen, kCmdExport, kCmdFontSources, 0, 32776}));
    EXPECT_EQ(menu[1].items.at(0).id, 32778);
    // Recent stays at position 2 of Project, where its language key MENU_131_0_2 points.
    EXPECT_TRUE(menu[0].items[2].popup);
    std::vector<std::u16string_view> keys;
    for (const MenuItemTemplate& item : menu[0].items) {
        if (!item.shortcut.empty()) keys.push_back(item.shortcut);
    }
    EXPECT_EQ(keys, (std::vector<std::u16string_view>{u"Ctrl+N", u"Ctrl+O", u"Ctrl+S",
                                                      u"Ctrl+Shift+S", u"Ctrl+Q"}));
    // Edit comes last, so Language (inserted at 1) and Help keep MENU_131_1 and MENU_131_2.
    EXPECT_EQ(menu[2].caption, u"&Edit");
    std::vector<int32_t> edit;
    for (const MenuItemTemplate& item : menu[2].items) edit.push_back(item.id);
    EXPECT_EQ(edit, (std::vector<int32_t>{kCmdUndo, kCmdRedo, 0, kCmdClearGlyph, kCmdInvertGlyph, 0,
                                          kCmdShiftUp, kCmdShiftDown, kCmdShiftLeft, kCmdShiftRight,
                                          0, kCmdRevertGlyph}));
    EXPECT_EQ(menu[2].items[0].shortcut, u"Ctrl+Z");
    EXPECT_EQ(menu[2].items[1].shortcut, u"Ctrl+Shift+Z; Ctrl+Y");
    // No command id is used twice in the menu, nor by Recent's range.
    std::set<int32_t> seen;
    for (const MenuPopupTemplate& popup : menu) {
        for (const MenuItemTemplate& item : popup.items) {
            if (item.id == 0) continue;
            EXPECT_TRUE(seen.insert(item.id).second) << item.id;
            EXPECT_FALSE(item.id >= kCmdRecentNone && item.id < kCmdRecentFirst + 8) << item.id;
        }
    }
}

// As the window grows, the list and preview grow, the row under them follows the bottom, the
// right-hand groups the right edge, and no control ever leaves the template's rectangle when the
// window is at the template's size.
TEST(DialogTemplates, AnchorsFollowTheGrowingWindow) {
    const PixelRect base{10, 20, 30, 40};
    EXPECT_EQ(AnchoredRect(base, kStyleNone, 50, 60), base);
    EXPECT_EQ(AnchoredRect(base, kStyleMoveX | kStyleMoveY, 50, 60), (PixelRect{60, 80, 30, 40}));
    EXPECT_EQ(AnchoredRect(base, kStyleGrowX | kStyleGrowY, 50, 60), (PixelRect{10, 20, 80, 100}));
    EXPECT_EQ(AnchoredRect(base, kStyleGrowX | kStyleMoveY, -5, -5), base);  // never shrinks
    const auto style = [](int32_t id) {
        for (const ControlTemplate& t : MainDialogTemplate().controls) {
            if (t.id == id)
                return t.style & (kStyleMoveX | kStyleMoveY | kStyleGrowX | kStyleGrowY);
        }
        return ~0u;
    };
    EXPECT_EQ(style(kPreviewId), kStyleGrowX | kStyleGrowY);
    EXPECT_EQ(style(kCharacterListId), kStyleGrowY);
    EXPECT_EQ(style(kTextEditId), kStyleMoveY | kStyleGrowX);
    EXPECT_EQ(style(kCreateListId), kStyleMoveX | kStyleMoveY);
    EXPECT_EQ(style(kFontGroupId), kStyleMoveX);
    EXPECT_EQ(style(kCreateLibraryId), kStyleMoveX | kStyleMoveY);
    // The two "Create" buttons stay level: both follow the bottom edge.
    const PixelRect list =
        AnchoredRect(DluRectToPixels({311, 311, 50, 30}, 96), style(kCreateListId), 200, 100);
    const PixelRect library =
        AnchoredRect(DluRectToPixels({376, 311, 120, 30}, 96), style(kCreateLibraryId), 200, 100);
    EXPECT_EQ(list.y, library.y);
}

TEST(DialogTemplates, ExportAndSourcesDialogControlsLieInsideApartWithTheirItems) {
    EXPECT_EQ(ExportDialogTemplate().id, kExportDialogId);
    EXPECT_EQ(FontSourcesDialogTemplate().id, kFontSourcesDialogId);
    for (const DialogTemplate* dialog : {&ExportDialogTemplate(), &FontSourcesDialogTemplate()}) {
        const DialogTemplate& d = *dialog;
        for (size_t i = 0; i < d.controls.size(); ++i) {
            const DluRect& a = d.controls[i].rect;
            EXPECT_GE(a.x, 0);
            EXPECT_GE(a.y, 0);
            EXPECT_LE(a.x + a.width, d.width) << d.controls[i].id;
            // A drop-down list's rectangle includes its open list.
            if (d.controls[i].kind != ControlKind::DropDownList) {
                EXPECT_LE(a.y + a.height, d.height) << d.controls[i].id;
            }
            for (size_t k = i + 1; k < d.controls.size(); ++k) {
                EXPECT_NE(d.controls[i].id, d.controls[k].id);
                const DluRect& b = d.controls[k].rect;
                const int32_t aBottom =
                    a.y + (d.controls[i].kind == ControlKind::DropDownList ? 12 : a.height);
                const int32_t bBottom =
                    b.y + (d.controls[k].kind == ControlKind::DropDownList ? 12 : b.height);
                const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || aBottom <= b.y ||
                                   bBottom <= a.y;
                EXPECT_TRUE(apart) << d.controls[i].id << " and " << d.controls[k].id;
            }
        }
    }
    EXPECT_EQ(ComboItems(kExportBppId).size(), 4u);
    EXPECT_EQ(ComboItems(kExportCharactersId).size(), 2u);
}

}  // namespace
}  // namespace zemtra
