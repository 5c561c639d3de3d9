#include "help/HTMLHelp.h"

#include "platform/winsys/core/MsgBox.h"

#include <QFileInfo>

void HTMLHelp::HHDisplayContents(long)
{
    if (!QFileInfo(CHMFile).isFile()) {
        winsys::MsgBox(QStringLiteral("The file ") + CHMFile + QStringLiteral(" does not exist.") + QLatin1Char('\n')
                       + QStringLiteral("Please make sure the correct path and file name have been specified."));
        return;
    }
    ++m_opened;
}
