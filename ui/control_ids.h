// Every dialog, control, menu and command id of the program, by name: the dialog templates,
// the window's handlers and the tests use these names. The numbers are those of the original
// resources; the language files key their texts by them (IDD_102_1006 and the like).
#pragma once

#include <cstdint>

namespace zemtra {

// A control without an id of its own (the platform's IDC_STATIC).
inline constexpr int32_t kNoControlId = -1;
// The platform's IDOK and IDCANCEL: "Add" in the main window, "OK" in the About box; "Cancel".
inline constexpr int32_t kIdOk = 1;
inline constexpr int32_t kIdCancel = 2;

// Dialogs and the menu.
inline constexpr int32_t kAboutDialogId = 100;
inline constexpr int32_t kMainDialogId = 102;
inline constexpr int32_t kOutputDialogId = 129;
inline constexpr int32_t kMainMenuId = 131;
// Ours: the export dialog ("Export..." in the Project menu).
inline constexpr int32_t kExportDialogId = 140;
// Ours: the font sources dialog ("Font Sources..." in the Project menu).
inline constexpr int32_t kFontSourcesDialogId = 141;

// Dialog 102, the main window: the list, the preview and the text.
inline constexpr int32_t kPreviewId = 1000;
inline constexpr int32_t kAsciiButtonId = 1001;
inline constexpr int32_t kCharacterListId = 1002;
inline constexpr int32_t kTextEditId = 1003;
inline constexpr int32_t kCreateListId = 1004;
inline constexpr int32_t kProgressBarId = 1029;
// The "Font" group.
inline constexpr int32_t kFontButtonId = 1005;
inline constexpr int32_t kMatrixWidthId = 1006;
inline constexpr int32_t kMatrixHeightId = 1007;
inline constexpr int32_t kDataBitsId = 1008;
inline constexpr int32_t kMoveUpId = 1016;
inline constexpr int32_t kMoveDownId = 1017;
inline constexpr int32_t kMoveLeftId = 1018;
inline constexpr int32_t kMoveRightId = 1019;
inline constexpr int32_t kCentreId = 1020;
inline constexpr int32_t kOffsetXId = 1021;
inline constexpr int32_t kOffsetYId = 1022;
inline constexpr int32_t kSizeLabelId = 1036;
inline constexpr int32_t kPositionLabelId = 1037;
inline constexpr int32_t kFontGroupId = 1040;
inline constexpr int32_t kFontWidthId = 1045;
inline constexpr int32_t kFontWidthSpinId = 1046;
inline constexpr int32_t kMatrixWidthSpinId = 1047;
inline constexpr int32_t kMatrixHeightSpinId = 1048;
inline constexpr int32_t kFontHeightId = 1049;
inline constexpr int32_t kFontHeightSpinId = 1050;
inline constexpr int32_t kFontWidthLabelId = 1052;
inline constexpr int32_t kFontHeightLabelId = 1053;
// Ours: "Font File..." right of the narrowed "Font" button.
inline constexpr int32_t kFontFileButtonId = 1070;
// Ours: "Add from Files..." beside "Add": the characters of chosen files into the list.
inline constexpr int32_t kAddFromFilesId = 1072;
// The "Scan Mode" group.
inline constexpr int32_t kThresholdId = 1010;
inline constexpr int32_t kScanModeGroupId = 1041;
inline constexpr int32_t kOrientationId = 1054;
inline constexpr int32_t kDirectionId = 1055;
inline constexpr int32_t kPolarityId = 1056;
inline constexpr int32_t kDemoAreaId = 1057;
inline constexpr int32_t kShowDemoId = 1058;
inline constexpr int32_t kThresholdSpinId = 1062;
// Ours: the controller-preset drop-down on the group's title line.
inline constexpr int32_t kPresetComboId = 1071;
// The "Font Library" group and the link.
inline constexpr int32_t kCreateLibraryId = 1009;
inline constexpr int32_t kLibraryGroupId = 1044;
inline constexpr int32_t kCodePageId = 1051;
inline constexpr int32_t kWebLinkId = 1059;
inline constexpr int32_t kFromId = 1060;
inline constexpr int32_t kToId = 1061;
inline constexpr int32_t kFromLabelId = 1063;
inline constexpr int32_t kToLabelId = 1064;
inline constexpr int32_t kFromCharacterId = 1065;
inline constexpr int32_t kToCharacterId = 1066;
// Ours: write the firmware's header beside the library.
inline constexpr int32_t kLibraryHeaderId = 1073;

// Dialog 129, the Output View.
inline constexpr int32_t kOutputTextId = 1030;
inline constexpr int32_t kCopyButtonId = 1031;
inline constexpr int32_t kSaveButtonId = 1032;
// Ours: "Verify" under "Save", with the decoded glyph's picture and its character below it.
inline constexpr int32_t kVerifyButtonId = 1033;
inline constexpr int32_t kVerifyPictureId = 1034;
inline constexpr int32_t kVerifyCaptionId = 1035;

// Dialog 140, the export dialog: format, bits per dot, monospace, compression, name, characters.
inline constexpr int32_t kExportFormatLabelId = 1080;
inline constexpr int32_t kExportFormatId = 1081;
inline constexpr int32_t kExportBppLabelId = 1082;
inline constexpr int32_t kExportBppId = 1083;
inline constexpr int32_t kExportMonospaceId = 1084;
inline constexpr int32_t kExportCompressId = 1085;
inline constexpr int32_t kExportNameLabelId = 1086;
inline constexpr int32_t kExportNameId = 1087;
inline constexpr int32_t kExportCharactersLabelId = 1088;
inline constexpr int32_t kExportCharactersId = 1089;

// Dialog 141, the font sources: a table of sources and the buttons that change it.
inline constexpr int32_t kSourcesTableId = 1090;
inline constexpr int32_t kSourcesAddFaceId = 1091;
inline constexpr int32_t kSourcesAddFileId = 1092;
inline constexpr int32_t kSourcesUpId = 1093;
inline constexpr int32_t kSourcesDownId = 1094;
inline constexpr int32_t kSourcesRemoveId = 1095;
inline constexpr int32_t kSourcesNoteId = 1096;

// Commands of menu 131.
inline constexpr int32_t kCmdOpen = 32772;
inline constexpr int32_t kCmdSave = 32774;
inline constexpr int32_t kCmdExit = 32776;
inline constexpr int32_t kCmdAbout = 32778;
inline constexpr int32_t kCmdNew = 32781;
inline constexpr int32_t kCmdLoadPicture = 32783;
// Ours: "Specimen Sheet...", after "Load Picture": PNG pages of the list's glyphs, or of the
// code range when the list is empty.
inline constexpr int32_t kCmdSpecimen = 32785;
// Ours: "Export...", after "Specimen Sheet...": a font for LVGL, Adafruit GFX or as BDF; while an
// export runs the same command stops it.
inline constexpr int32_t kCmdExport = 32788;
// Ours: "Save As...", beside "Save", which saves into the project's own file once it has one.
inline constexpr int32_t kCmdSaveAs = 32786;
// Ours: the files of Project > Recent carry these ids, newest first (up to eight), and its
// "(none)" item the one before; no language file names them, so they keep their captions.
inline constexpr int32_t kCmdRecentNone = 32799;
inline constexpr int32_t kCmdRecentFirst = 32800;
// Ours: the Edit menu, the glyph editor's commands on the selected character at the matrix size.
inline constexpr int32_t kCmdUndo = 32810;
inline constexpr int32_t kCmdRedo = 32811;
inline constexpr int32_t kCmdClearGlyph = 32812;
inline constexpr int32_t kCmdInvertGlyph = 32813;
inline constexpr int32_t kCmdShiftUp = 32814;
inline constexpr int32_t kCmdShiftDown = 32815;
inline constexpr int32_t kCmdShiftLeft = 32816;
inline constexpr int32_t kCmdShiftRight = 32817;
inline constexpr int32_t kCmdRevertGlyph = 32818;
// Ours: "Font Sources...", after "Export...": the faces that draw ranges of the font.
inline constexpr int32_t kCmdFontSources = 32819;

}  // namespace zemtra
