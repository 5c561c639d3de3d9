// Printers and papers: the printer list and the current printer, its
// papers with their names and sizes, the current paper, the printable area
// and the margins kept inside it, and the user's measurement system.
#include "printing/P001.h"

#include "platform/winsys/core/MsgBox.h"

#include <cmath>

using namespace printer;
using winsys::MsgBox;

void P001::SetPrinterSource(std::shared_ptr<PrinterSource> source) { m_engine.SetPrinterSource(std::move(source)); }

Printer &P001::CurrentPrinter() { return m_engine.CurrentPrinter(); }

void P001::refreshPrinters()
{
    const QString gone = m_engine.refreshPrinters(PrinterChoice);
    if (!gone.isEmpty())
        MsgBox(QStringLiteral("The printer \"%1\" is no longer available.\nThe default printer \"%2\" is used instead.")
                   .arg(gone, m_engine.PrinterName()),
               winsys::vbExclamation, QStringLiteral("Printer Not Available"));
}

void P001::ListPrinters()
{
    refreshPrinters();
    ListPaperSizes();
    m_engine.PaperOrientation = CurrentPrinter().Orientation();
    showPrinterName();
}

void P001::ListPaperSizes()
{
    m_engine.GetPrinterPapers();
    showPaperList();
}

