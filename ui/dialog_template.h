// The dialogs and the menu as data: every control's id, kind, caption and rectangle in dialog
// units, from which the GUI builds the windows, plus the rule that turns dialog units into
// pixels.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/control_ids.h"

namespace zemtra {

enum class ControlKind {
    ListBox,
    Preview,  // the preview grid's area
    PushButton,
    DefaultPushButton,
    Edit,
    MultiLineEdit,
    HexEdit,
    ProgressBar,
    GroupBox,
    UpDown,  // attached to the control before it
    Label,
    Separator,      // a sunken one-unit-wide frame line
    CodeCharacter,  // a sunken static showing one character
    DropDownList,
    CheckBox,
    DemoArea,  // the scan demonstration's area
    HyperLink,
    Icon,   // the program's icon
    Table,  // rows of cells with a header line
};

// Style bits of our own; only what the GUI needs to tell controls of one kind apart.
enum ControlStyle : uint32_t {
    kStyleNone = 0,
    kStyleCentred = 1u << 0,
    kStyleHidden = 1u << 1,  // created invisible
    kStyleSunken = 1u << 2,
    kStyleVScroll = 1u << 3,
    kStyleHScroll = 1u << 4,
    // How a control follows its window as the window grows beyond the template's size: moved
    // with the right or bottom edge, or stretched with it. A control with none stays put.
    kStyleMoveX = 1u << 5,
    kStyleMoveY = 1u << 6,
    kStyleGrowX = 1u << 7,
    kStyleGrowY = 1u << 8,
};

struct DluRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct PixelRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PixelRect&) const = default;
};

struct ControlTemplate {
    int32_t id = kNoControlId;
    ControlKind kind = ControlKind::Label;
    std::u16string_view caption;
    DluRect rect;
    uint32_t style = kStyleNone;
};

struct DialogTemplate {
    int32_t id = 0;
    std::u16string_view caption;
    int32_t width = 0;  // client size in dialog units
    int32_t height = 0;
    std::vector<ControlTemplate> controls;  // in window order (creation and tab order)
};

// Dialog 102, the main window.
const DialogTemplate& MainDialogTemplate();
// Dialog 129, the Output View.
const DialogTemplate& OutputDialogTemplate();
// Dialog 100, the About box; its version line carries ZEMTRA_VERSION.
const DialogTemplate& AboutDialogTemplate();
// Dialog 140, the export dialog.
const DialogTemplate& ExportDialogTemplate();
// Ours: the font sources dialog.
const DialogTemplate& FontSourcesDialogTemplate();

// The items of a drop-down list of dialog 102 or 140, in order; empty for any other id.
std::vector<std::u16string_view> ComboItems(int32_t controlId);

struct MenuItemTemplate {
    int32_t id = 0;  // 0: a separator
    std::u16string_view caption;
    // Key sequences in their portable text form ("Ctrl+N"), several separated by "; ".
    std::u16string_view shortcut = {};
    bool popup = false;  // a popup the window fills (Recent), keyed by position
};
struct MenuPopupTemplate {
    std::u16string_view caption;
    std::vector<MenuItemTemplate> items;
};
// Menu 131, before the language menu is inserted.
const std::vector<MenuPopupTemplate>& MainMenuTemplate();

// Where a control of the template at base goes when its window's client area is dx wider and
// dy taller than the template's (never less than the template's size).
PixelRect AnchoredRect(const PixelRect& base, uint32_t style, int32_t dx, int32_t dy);

// Dialog units to pixels with the dialog font's base units of 6 x 12 pixels at 96 dpi, scaled
// with the logical dpi and rounded as the platform's MulDiv rounds: x = dlu * 6 / 4,
// y = dlu * 12 / 8 at 96 dpi.
int32_t DluToPixelsX(int32_t dlu, int32_t dpi);
int32_t DluToPixelsY(int32_t dlu, int32_t dpi);
// Each edge mapped on its own, so controls that touch in dialog units touch in pixels.
PixelRect DluRectToPixels(const DluRect& rect, int32_t dpi);

// A right-aligned up-down control moves to the right end of its buddy, takes the buddy's
// height, and the buddy gives up the up-down's width.
void AttachUpDown(PixelRect& buddy, PixelRect& upDown);

}  // namespace zemtra
