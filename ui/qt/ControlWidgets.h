#pragma once
// Widgets for template entries: the kind and style bits of an entry decide the
// Qt widget and its settings; the placement maps the entry's dialog-unit
// rectangle to pixels. Shared by the main dialog and the About box.

#include <QWidget>

#include "dialog/DialogTemplate.h"
#include "dialog/DialogUnits.h"

namespace zqk {

// The widget for `control`, with its template caption, or nullptr for a list
// box (the log view needs the log and is made by its owner).
QWidget* CreateControlWidget(const ControlTemplate& control, QWidget* parent);
// Moves `widget` to the pixel rectangle of `control`. A drop-down list keeps
// its own height: the template's height is that of the open list.
void PlaceControl(QWidget* widget, const ControlTemplate& control, DialogBaseUnits units);
// The client size of a dialog built from `dialog`.
QSize DialogPixelSize(const DialogTemplate& dialog, DialogBaseUnits units);
// A window with a title, a system menu and a close box, nothing else.
Qt::WindowFlags DialogWindowFlags();

}  // namespace zqk
