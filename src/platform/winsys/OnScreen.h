#pragma once
// Every window of the program lies whole on its screen's work area, title bar
// included: a dialog is placed by the program or by Qt before its final size
// is known and before the window manager has framed it (the frame is known
// only afterwards, and on a loaded machine the window manager may put the
// window anywhere). So each top-level window is checked again once it is
// shown, whenever its size changes, and whenever it moves before it has
// first become active; one that is not whole is moved (and, where larger than
// the work area, made smaller) so that it is.

#include <QRect>

class QWidget;

namespace winsys {

// The frame rectangle moved as little as possible to lie inside area; a
// frame larger than area keeps its top-left corner (and so its title bar)
// at area's top-left.
QRect FrameKeptInside(const QRect &frame, const QRect &area);

// Moves (and where needed shrinks) the window so that its frame lies whole
// on its screen's work area. Does nothing to a hidden, minimised, maximised
// or full-screen window.
void KeepWholeOnScreen(QWidget *window);

// Keeps every top-level window of the application whole on the screen, as
// above; the main window turns this on.
void KeepWindowsOnScreen(bool on);
// Leaves a window that places itself (the main window fits its frame to the
// work area) out of the above.
void PlacesItself(QWidget *window);

} // namespace winsys
