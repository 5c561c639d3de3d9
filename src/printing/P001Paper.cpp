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

bool P001::refreshPrinters(const QVariant &choice)
{
    const QString gone = m_engine.refreshPrinters(choice);
    if (gone.isEmpty())
        return true;
    MsgBox(QStringLiteral("The printer \"%1\" is no longer available.\nThe default printer \"%2\" is used instead.")
               .arg(gone, m_engine.PrinterName()),
           winsys::vbExclamation, QStringLiteral("Printer Not Available"));
    return false;
}

P001::OpeningState P001::openingState()
{
    Printer &P = CurrentPrinter();
    return {m_engine.PrinterName(), P.PaperSize(), P.Orientation(), m_engine.marginState(), m_printCopies,
            m_showProgress, m_engine.titleFontSize(), m_reportTitle};
}

void P001::restoreOpening(const OpeningState &state)
{
    if (m_engine.PrinterName() != state.printer) {
        m_engine.readPrinterList();
        const int i = IndexOfPrinter(m_engine.Printers(), state.printer);
        if (i >= 0)
            m_engine.openPrinter(m_engine.Printers()[i]);
    }
    Printer &P = CurrentPrinter();
    if (m_engine.PrinterName() == state.printer && state.paper > 0)
        P.SetPaperSize(state.paper);
    P.SetOrientation(state.orientation);
    m_engine.setPaperOrientation(P.Orientation());
    m_engine.setMarginState(state.margins);
    m_engine.GetPrintableArea();
    m_printCopies = state.copies;
    m_showProgress = state.showProgress;
    m_engine.setTitleFontSize(state.titleSize);
    m_reportTitle = state.title;
}

void P001::ListPrinters()
{
    refreshPrinters(PrinterChoice);
    ListPaperSizes();
    m_engine.setPaperOrientation(CurrentPrinter().Orientation());
    showPrinterName();
}

void P001::ListPaperSizes()
{
    m_engine.GetPrinterPapers();
    showPaperList();
}

