#include "platform/winsys/WindowServices.h"

#include "platform/winsys/QtMessageService.h"
#include "platform/winsys/core/MsgBox.h"

#include <QApplication>

namespace winsys {

namespace {
QtMessageService g_messages;
} // namespace

Qt::CursorShape CursorFor(PointerShape shape)
{
    switch (shape) {
    case PointerShape::ArrowHourglass: return Qt::BusyCursor;
    case PointerShape::Hourglass: return Qt::WaitCursor;
    case PointerShape::Default: break;
    }
    return Qt::ArrowCursor;
}

void InstallWindowServices()
{
    SetMessageService(&g_messages);
    // Every push is one entry on Qt's override-cursor stack and every pop
    // removes exactly one, so a balanced BusyPointer leaves the stack as it
    // found it.
    SetPointerHooks({
        [](PointerShape shape) { QApplication::setOverrideCursor(QCursor(CursorFor(shape))); },
        [] { QApplication::restoreOverrideCursor(); },
    });
}

void UninstallWindowServices()
{
    if (CurrentMessageService() == &g_messages)
        SetMessageService(nullptr);
    SetPointerHooks({});
}

} // namespace winsys
