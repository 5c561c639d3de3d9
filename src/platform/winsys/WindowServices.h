#pragma once
// Installs the window-system implementations of the services that code
// without widgets calls: the message box (MsgBox.h) and the pointer shapes
// (Pointer.h). The program calls InstallWindowServices() once at start, after
// the QApplication exists.

#include "platform/winsys/core/Pointer.h"

#include <QCursor>

namespace winsys {

void InstallWindowServices();
// Puts the services back to their defaults (no dialog, no pointer change);
// for tests that installed them.
void UninstallWindowServices();

// The Qt cursor of a pointer shape: the arrow-and-hourglass is Qt's busy
// cursor, the hourglass its wait cursor.
Qt::CursorShape CursorFor(PointerShape shape);

} // namespace winsys
