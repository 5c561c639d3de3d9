#include "platform/help/HelpControl.h"

#include "platform/help/QtHelpControl.h"

#include <QCoreApplication>
#include <QPointer>

namespace helpctl {

namespace {
HelpControl *g_installed = nullptr;
QPointer<QtHelpControl> g_viewer;
} // namespace

void SetHelpControl(HelpControl *control) { g_installed = control; }

HelpControl &CurrentHelpControl()
{
    if (g_installed)
        return *g_installed;
    // Made on first use and gone with the application, which closes its
    // windows before the widgets go.
    if (!g_viewer)
        g_viewer = new QtHelpControl(QString(), QCoreApplication::instance());
    return *g_viewer;
}

void SplitTarget(const QString &target, QString *file, QString *window)
{
    const qsizetype mark = target.lastIndexOf(QLatin1Char('>'));
    if (mark >= 0 && !target.mid(mark + 1).contains(QLatin1Char('/'))) {
        *file = target.left(mark);
        *window = target.mid(mark + 1);
    } else {
        *file = target;
        window->clear();
    }
}

} // namespace helpctl
