// The tables of dialog 102, dialog 129 and menu 131, and the dialog-unit conversion.
#include "ui/dialog_template.h"

#include <algorithm>
#include <string>

#include "base/about.h"
#include "base/presets.h"
#include "base/unicode.h"

namespace zemtra {
namespace {

using K = ControlKind;
constexpr uint32_t kC = kStyleCentred;
constexpr uint32_t kH = kStyleHidden;
constexpr uint32_t kS = kStyleSunken;
constexpr uint32_t kV = kStyleVScroll;
// Anchors: the list and the preview grow; the row under them follows the bottom edge, its text
// field and progress bar growing with the width; the right-hand groups follow the right edge,
// the code-range group and the link the bottom edge too, level with the row of "Create".
constexpr uint32_t kR = kStyleMoveX;
constexpr uint32_t kRB = kStyleMoveX | kStyleMoveY;
constexpr uint32_t kB = kStyleMoveY;

DialogTemplate BuildMainDialog() {
    DialogTemplate d{kMainDialogId, u"Zemtra", 512, 370, {}};
    d.controls = {
        {kCharacterListId, K::ListBox, u"", {7, 7, 50, 300}, kV | kStyleGrowY},
        {kPreviewId, K::Preview, u"", {61, 7, 300, 300}, kS | kStyleGrowX | kStyleGrowY},
        {kAsciiButtonId, K::PushButton, u"ASCII", {7, 311, 50, 30}, kB},
        {kTextEditId, K::MultiLineEdit, u"", {61, 311, 131, 30}, kV | kB | kStyleGrowX},
        {kAddFromFilesId, K::PushButton, u"Add from Files...", {196, 311, 62, 30}, kRB},
        {kIdOk, K::DefaultPushButton, u"Add", {260, 311, 50, 30}, kRB},
        {kCreateListId, K::PushButton, u"Create", {311, 311, 50, 30}, kRB},
        {kProgressBarId, K::ProgressBar, u"", {7, 347, 353, 15}, kB | kStyleGrowX},
        {kFontGroupId, K::GroupBox, u"Font", {365, 7, 140, 133}, kR},
        {kFontButtonId, K::PushButton, u"Font", {373, 18, 74, 17}, kR},
        {kFontFileButtonId, K::PushButton, u"Font File...", {449, 18, 50, 17}, kR},
        {kMatrixWidthId, K::Edit, u"", {373, 39, 48, 12}, kR},
        {kMatrixWidthSpinId, K::UpDown, u"", {410, 39, 11, 12}, kR},
        {kNoControlId, K::Label, u"x", {432, 39, 8, 12}, kC | kR},
        {kMatrixHeightId, K::Edit, u"", {451, 39, 48, 12}, kR},
        {kMatrixHeightSpinId, K::UpDown, u"", {488, 39, 11, 12}, kR},
        {kDataBitsId, K::DropDownList, u"", {373, 57, 126, 40}, kR},
        {kFontWidthLabelId, K::Label, u"Width:", {373, 88, 30, 12}, kR},
        {kFontWidthId, K::Edit, u"", {404, 88, 36, 12}, kR},
        {kFontWidthSpinId, K::UpDown, u"", {428, 88, 10, 12}, kR},
        {kFontHeightLabelId, K::Label, u"Height:", {373, 103, 30, 12}, kR},
        {kFontHeightId, K::Edit, u"", {404, 103, 36, 12}, kR},
        {kFontHeightSpinId, K::UpDown, u"", {428, 103, 11, 12}, kR},
        {kNoControlId, K::Separator, u"", {444, 77, 1, 58}, kS | kR},
        {kMoveUpId, K::PushButton, u"U", {466, 79, 16, 15}, kR},
        {kMoveDownId, K::PushButton, u"D", {466, 109, 16, 15}, kR},
        {kMoveLeftId, K::PushButton, u"L", {450, 94, 16, 15}, kR},
        {kMoveRightId, K::PushButton, u"R", {482, 94, 16, 15}, kR},
        {kCentreId, K::PushButton, u"C", {466, 94, 16, 15}, kR},
        {kOffsetXId, K::Label, u"0", {454, 80, 8, 12}, kC | kR},
        {kOffsetYId, K::Label, u"0", {486, 80, 8, 12}, kC | kR},
        {kSizeLabelId, K::Label, u"Size", {388, 127, 40, 8}, kC | kR},
        {kPositionLabelId, K::Label, u"Position", {454, 127, 40, 8}, kC | kR},
        {kScanModeGroupId, K::GroupBox, u"Scan Mode", {365, 143, 140, 100}, kR},
        // The preset first, over the three boxes it sets; the demo beside them, and the
        // picture's threshold beside "Show Demo", all inside the group's frame.
        {kPresetComboId, K::DropDownList, u"", {376, 155, 120, 80}, kR},
        {kOrientationId, K::DropDownList, u"", {376, 171, 80, 60}, kR},
        {kDirectionId, K::DropDownList, u"", {376, 187, 80, 60}, kR},
        {kPolarityId, K::DropDownList, u"", {376, 203, 80, 60}, kR},
        {kShowDemoId, K::CheckBox, u"Show Demo", {376, 222, 64, 12}, kR},
        {kDemoAreaId, K::DemoArea, u"", {463, 171, 33, 33}, kR},
        {kThresholdId, K::Edit, u"", {448, 222, 48, 12}, kH | kR},
        {kThresholdSpinId, K::UpDown, u"", {485, 222, 11, 12}, kH | kR},
        {kLibraryGroupId, K::GroupBox, u"Font Library", {365, 246, 140, 98}, kRB},
        {kCodePageId, K::DropDownList, u"", {376, 258, 120, 75}, kRB},
        {kFromLabelId, K::Label, u"From:", {376, 278, 30, 12}, kRB},
        {kFromId, K::HexEdit, u"", {416, 276, 60, 14}, kRB},
        {kFromCharacterId, K::CodeCharacter, u"", {482, 276, 14, 14}, kS | kRB},
        {kToLabelId, K::Label, u"To:", {375, 296, 30, 12}, kRB},
        {kToId, K::HexEdit, u"", {416, 294, 60, 14}, kRB},
        {kToCharacterId, K::CodeCharacter, u"", {482, 294, 14, 14}, kS | kRB},
        {kLibraryHeaderId, K::CheckBox, u"Header for firmware (.h)", {376, 310, 120, 11}, kRB},
        {kCreateLibraryId, K::PushButton, u"Create", {376, 323, 120, 18}, kRB},
        {kNoControlId, K::GroupBox, u"", {365, 343, 140, 19}, kRB},
        {kWebLinkId, K::HyperLink, kMakerWebName, {406, 351, 60, 8}, kC | kRB},
    };
    return d;
}

DialogTemplate BuildOutputDialog() {
    DialogTemplate d{kOutputDialogId, u"Output View", 512, 383, {}};
    d.controls = {
        {kOutputTextId,
         K::MultiLineEdit,
         u"",
         {7, 7, 444, 369},
         kV | kStyleHScroll | kStyleGrowX | kStyleGrowY},
        {kCopyButtonId, K::PushButton, u"Copy", {455, 7, 50, 14}, kR},
        {kSaveButtonId, K::PushButton, u"Save", {455, 35, 50, 14}, kR},
        {kVerifyButtonId, K::PushButton, u"Verify", {455, 63, 50, 14}, kR},
        {kVerifyPictureId, K::Label, u"", {455, 81, 50, 110}, kC | kR},
        {kVerifyCaptionId, K::Label, u"", {455, 195, 50, 24}, kC | kR},
        {kIdCancel, K::PushButton, u"Cancel", {455, 362, 50, 14}, kRB},
    };
    return d;
}

DialogTemplate BuildAboutDialog() {
    static const std::u16string version = u"Zemtra Version " + Utf8ToUtf16(ZEMTRA_VERSION);
    DialogTemplate d{kAboutDialogId, u"About Zemtra", 235, 55, {}};
    d.controls = {
        {kNoControlId, K::Icon, u"", {11, 17, 20, 20}},
        {kNoControlId, K::Label, version, {40, 10, 119, 8}},
        {kIdOk, K::DefaultPushButton, u"OK", {178, 7, 50, 16}},
    };
    return d;
}

DialogTemplate BuildExportDialog() {
    DialogTemplate d{kExportDialogId, u"Export Font", 250, 132, {}};
    d.controls = {
        {kExportFormatLabelId, K::Label, u"Format:", {7, 9, 70, 8}},
        {kExportFormatId, K::DropDownList, u"", {80, 7, 163, 60}},
        {kExportBppLabelId, K::Label, u"Bits per dot:", {7, 27, 70, 8}},
        {kExportBppId, K::DropDownList, u"", {80, 25, 60, 60}},
        {kExportMonospaceId,
         K::CheckBox,
         u"Monospace: every glyph the whole matrix",
         {7, 43, 236, 12}},
        {kExportCompressId,
         K::CheckBox,
         u"Compressed bitmaps (LVGL, 2 or 4 bits)",
         {7, 57, 236, 12}},
        {kExportNameLabelId, K::Label, u"Name:", {7, 75, 70, 8}},
        {kExportNameId, K::Edit, u"", {80, 73, 163, 12}},
        {kExportCharactersLabelId, K::Label, u"Characters:", {7, 93, 70, 8}},
        {kExportCharactersId, K::DropDownList, u"", {80, 91, 163, 60}},
        {kIdOk, K::DefaultPushButton, u"OK", {139, 111, 50, 14}},
        {kIdCancel, K::PushButton, u"Cancel", {193, 111, 50, 14}},
    };
    return d;
}

DialogTemplate BuildFontSourcesDialog() {
    DialogTemplate d{kFontSourcesDialogId, u"Font Sources", 400, 190, {}};
    d.controls = {
        {kSourcesTableId, K::Table, u"", {7, 7, 328, 130}},
        {kSourcesAddFaceId, K::PushButton, u"Add Face...", {341, 7, 52, 14}},
        {kSourcesAddFileId, K::PushButton, u"Add File...", {341, 25, 52, 14}},
        {kSourcesUpId, K::PushButton, u"Move Up", {341, 49, 52, 14}},
        {kSourcesDownId, K::PushButton, u"Move Down", {341, 67, 52, 14}},
        {kSourcesRemoveId, K::PushButton, u"Remove", {341, 91, 52, 14}},
        {kSourcesNoteId,
         K::Label,
         u"A character is drawn by the first source whose ranges hold it and whose face has it, "
         u"then by the project's face. Each source stands on the project's baseline, moved by "
         u"its offset.",
         {7, 142, 386, 24}},
        {kIdOk, K::DefaultPushButton, u"OK", {289, 169, 50, 14}},
        {kIdCancel, K::PushButton, u"Cancel", {343, 169, 50, 14}},
    };
    return d;
}

// "(none)" and the presets' titles; built once, as the views point into it.
std::vector<std::u16string_view> PresetComboItems() {
    static const std::vector<std::u16string> titles = [] {
        std::vector<std::u16string> t{u"(none)"};
        for (const ControllerPreset& p : ControllerPresets()) {
            t.push_back(Utf8ToUtf16(p.shortTitle));
        }
        return t;
    }();
    return {titles.begin(), titles.end()};
}

// MulDiv: a * b / c rounded half away from zero.
int32_t MulDiv(int64_t a, int64_t b, int64_t c) {
    const int64_t p = a * b;
    const int64_t q = (p >= 0 ? p + c / 2 : p - c / 2) / c;
    return static_cast<int32_t>(q);
}

}  // namespace

const DialogTemplate& MainDialogTemplate() {
    static const DialogTemplate d = BuildMainDialog();
    return d;
}

const DialogTemplate& OutputDialogTemplate() {
    static const DialogTemplate d = BuildOutputDialog();
    return d;
}

const DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate d = BuildAboutDialog();
    return d;
}

const DialogTemplate& FontSourcesDialogTemplate() {
    static const DialogTemplate d = BuildFontSourcesDialog();
    return d;
}

const DialogTemplate& ExportDialogTemplate() {
    static const DialogTemplate d = BuildExportDialog();
    return d;
}

std::vector<std::u16string_view> ComboItems(int32_t controlId) {
    switch (controlId) {
        case kDataBitsId:
            return {u"8bit", u"16bit", u"24bit", u"32bit", u"4bit"};
        case kCodePageId:
            return {u"UNICODE", u"MBCS", u"GB2312", u"GBK", u"BIG5"};
        case kOrientationId:
            return {u"Row", u"Column", u"Row/Column", u"Column/Row"};
        case kDirectionId:
            return {u"Forward", u"Backward"};
        case kPolarityId:
            return {u"Cathode", u"Anode"};
        case kPresetComboId:
            return PresetComboItems();
        case kExportFormatId:
            return {};  // the Export dialog lists the format table's rows
        case kExportBppId:
            return {u"1", u"2", u"4", u"8"};
        case kExportCharactersId:
            return {u"The character list", u"The code range (From..To)"};
        default:
            return {};
    }
}

const std::vector<MenuPopupTemplate>& MainMenuTemplate() {
    static const std::vector<MenuPopupTemplate> menu = {
        {u"&Project",
         {{kCmdNew, u"&New", u"Ctrl+N"},
          {kCmdOpen, u"&Open", u"Ctrl+O"},
          // Position 2, before anything a later command adds, so its key stays MENU_131_0_2.
          {0, u"&Recent", {}, true},
          {kCmdSave, u"&Save", u"Ctrl+S"},
          {kCmdSaveAs, u"Save &As...", u"Ctrl+Shift+S"},
          {0, u""},
          {kCmdLoadPicture, u"Load Picture"},
          {kCmdSpecimen, u"Specimen Sheet..."},
          {kCmdExport, u"E&xport..."},
          {kCmdFontSources, u"Font So&urces..."},
          {0, u""},
          {kCmdExit, u"&Exit", u"Ctrl+Q"}}},
        {u"&Help", {{kCmdAbout, u"&About"}}},
        // Last, so that the popups before it keep their position keys (MENU_131_1 is the
        // language popup inserted at position 1, MENU_131_2 Help): Edit's key is MENU_131_3.
        {u"&Edit",
         {{kCmdUndo, u"&Undo", u"Ctrl+Z"},
          {kCmdRedo, u"&Redo", u"Ctrl+Shift+Z; Ctrl+Y"},
          {0, u""},
          {kCmdClearGlyph, u"&Clear"},
          {kCmdInvertGlyph, u"&Invert"},
          {0, u""},
          {kCmdShiftUp, u"Shift &Up"},
          {kCmdShiftDown, u"Shift &Down"},
          {kCmdShiftLeft, u"Shift &Left"},
          {kCmdShiftRight, u"Shift &Right"},
          {0, u""},
          {kCmdRevertGlyph, u"Revert to &Font"}}},
    };
    return menu;
}

int32_t DluToPixelsX(int32_t dlu, int32_t dpi) {
    return MulDiv(int64_t{dlu} * 6, dpi, 4 * 96);
}
int32_t DluToPixelsY(int32_t dlu, int32_t dpi) {
    return MulDiv(int64_t{dlu} * 12, dpi, 8 * 96);
}

PixelRect DluRectToPixels(const DluRect& r, int32_t dpi) {
    const int32_t left = DluToPixelsX(r.x, dpi);
    const int32_t top = DluToPixelsY(r.y, dpi);
    return {left, top, DluToPixelsX(r.x + r.width, dpi) - left,
            DluToPixelsY(r.y + r.height, dpi) - top};
}

PixelRect AnchoredRect(const PixelRect& base, uint32_t style, int32_t dx, int32_t dy) {
    dx = std::max(dx, 0);
    dy = std::max(dy, 0);
    PixelRect r = base;
    if (style & kStyleMoveX) r.x += dx;
    if (style & kStyleMoveY) r.y += dy;
    if (style & kStyleGrowX) r.width += dx;
    if (style & kStyleGrowY) r.height += dy;
    return r;
}

void AttachUpDown(PixelRect& buddy, PixelRect& upDown) {
    upDown.x = buddy.x + buddy.width - upDown.width;
    upDown.y = buddy.y;
    upDown.height = buddy.height;
    buddy.width -= upDown.width;
}

}  // namespace zemtra
