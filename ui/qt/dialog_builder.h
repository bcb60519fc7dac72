// Dialogs built from their tables: each control of a template created as its Qt widget, at
// its pixel rectangle, carrying its id.
#pragma once

#include <QFont>
#include <map>

#include "ui/dialog_template.h"

class QWidget;

namespace zemtra {

// The widget for one control of a template.
QWidget* CreateTemplateControl(const ControlTemplate& t, QWidget* parent);

// Creates a template's controls on parent in window order, placed at their rectangles
// (up-down controls attached to the control before them); gives them by id.
std::map<int, QWidget*> PlaceTemplateControls(const DialogTemplate& d, QWidget* parent, int dpi);

// Moves and stretches the template controls on parent (placed by PlaceTemplateControls for a
// client area of base) to follow parent's present size, as their anchor styles say.
void FollowParentSize(QWidget* parent, QSize base);

// The dialog font: 9-point SimSun where it is installed, else a face with the same coverage.
QFont DialogFont();

// The logical dpi of the screen a widget is on (96 without a screen).
int LogicalDpi(const QWidget* w);

}  // namespace zemtra
