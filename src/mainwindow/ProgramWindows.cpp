#include "mainwindow/ProgramWindows.h"

#include "mainwindow/MDI.h"

namespace tav {

StdGridWindowLink *ProgramWindows::NewStdGrid() { return MakeStdGrid ? MakeStdGrid(m_mdi) : nullptr; }

void ProgramWindows::ShowSorry(const QString &Message, const QString &Text, bool GreekFont)
{
    m_mdi.ShowSorry(Message, Text, GreekFont);
}

} // namespace tav
