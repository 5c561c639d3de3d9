// The engine's printer and papers: the printer list and the printer in use,
// its papers with their names and sizes, the current paper, the printable
// area and the margins kept inside it, and the user's measurement system.
#include "printing/PrintEngine.h"

#include <QVariant>

#include <cmath>

using namespace printer;

PrintEngine::PrintEngine() : m_source(std::make_shared<SystemPrinters>()) {}

void PrintEngine::SetPrinterSource(std::shared_ptr<PrinterSource> source)
{
    m_source = std::move(source);
    m_printer.reset();
    m_printerName.clear();
    m_printerIndex = -1;
    Unprintable = PageArea{};
}

void PrintEngine::openPrinter(const PrinterEntry &entry)
{
    // The print window is the printer's one owner: the printer it held goes
    // here, so nothing may keep a reference to it across this call.
    m_printer = std::make_unique<Printer>(m_source->Open(entry));
    // A printer chosen starts on its own paper, not on the one used before,
    // turned as the paper was.
    const int paper = m_printer->Device().DefaultPaperSize();
    if (paper > 0 && paper != m_printer->PaperSize())
        m_printer->SetPaperSize(paper);
    m_printer->SetOrientation(PaperOrientation);
    m_printerName = entry.name;
    m_printerIndex = IndexOfPrinter(m_printers, entry.name);
    Unprintable = PageArea{};
    if (!m_reportFont.family().isEmpty()) {
        m_printer->SetFontName(m_reportFont.family());
        m_printer->SetFontSize(m_reportFont.pointSizeF());
    }
}

void PrintEngine::readPrinterList()
{
    m_printers = m_source->List();
    if (m_printers.isEmpty())
        m_printers.append({PdfFileName, QStringLiteral("FILE:")});
}

Printer &PrintEngine::CurrentPrinter()
{
    if (!m_printer) {
        readPrinterList();
        openPrinter(m_printers[DefaultPrinterIndex(*m_source, m_printers)]);
    }
    return *m_printer;
}

QString PrintEngine::refreshPrinters(const QVariant &PrinterChoice)
{
    CurrentPrinter();
    readPrinterList();
    // The printer in use is looked up by its name in the list as it is now;
    // a printer the caller names wins.
    int chosen = IndexOfPrinter(m_printers, m_printerName);
    if (PrinterChoice.typeId() == QMetaType::QString) {
        const QString wanted = PrinterChoice.toString().trimmed().toUpper();
        for (int i = 0; i < m_printers.size(); ++i)
            if (m_printers[i].name.trimmed().toUpper() == wanted || m_printers[i].port.trimmed().toUpper() == wanted)
                chosen = i;
    } else if (PrinterChoice.isValid()) {
        bool ok = false;
        const int n = PrinterChoice.toInt(&ok);
        if (ok && n >= 0 && n < m_printers.size())
            chosen = n;
    }
    QString gone;
    if (chosen < 0) {
        gone = m_printerName;
        openPrinter(m_printers[DefaultPrinterIndex(*m_source, m_printers)]);
    } else if (m_printers[chosen].name != m_printerName) {
        openPrinter(m_printers[chosen]);
    }
    m_printerIndex = IndexOfPrinter(m_printers, m_printerName);
    return gone;
}

int PrintEngine::GetMeasureSystem()
{
    const int measure = MeasureSystem();
    MarginStep = measure == 1 ? 144.0 : 56.7;
    return measure;
}

PrintEngine::PaperInfo PrintEngine::GetPaperName()
{
    Printer &P = CurrentPrinter();
    PaperInfo info;
    const int code = P.PaperSize();
    switch (code) {
    case 1: case 2: info.Name = QStringLiteral("Letter"); break;
    case 3: info.Name = QStringLiteral("Tabloid"); break;
    case 4: info.Name = QStringLiteral("Ledger"); break;
    case 5: info.Name = QStringLiteral("Legal"); break;
    case 6: info.Name = QStringLiteral("Statmnt"); break;
    case 7: info.Name = QStringLiteral("Exec"); break;
    case 8: info.Name = QStringLiteral("A3"); break;
    case 9: case 10: info.Name = QStringLiteral("A4"); break;
    case 11: info.Name = QStringLiteral("A5"); break;
    case 12: info.Name = QStringLiteral("B4"); break;
    case 13: info.Name = QStringLiteral("B5"); break;
    case 14: info.Name = QStringLiteral("Folio"); break;
    case 15: info.Name = QStringLiteral("Quarto"); break;
    case 16: info.Name = QStringLiteral("10x14"); break;
    case 17: info.Name = QStringLiteral("11x17"); break;
    case 18: info.Name = QStringLiteral("Note"); break;
    case 39: info.Name = QStringLiteral("US Fan"); break;
    case 40: info.Name = QStringLiteral("GS Fan"); break;
    case 41: info.Name = QStringLiteral("GL Fan"); break;
    case 256: info.Name = QStringLiteral("Custom"); break;
    default:
        if ((code >= 19 && code <= 23) || (code >= 27 && code <= 38))
            info.Name = QStringLiteral("Envelope");
        else
            info.Name = CurrentPaperName();
    }
    // The paper list's name, where it has the paper: the picture names the
    // paper as the list beside it does.
    for (int i = 1; i < PaperList.size(); ++i)
        if (PaperList[i].ID == code && !PaperList[i].Name.isEmpty())
            info.Name = PaperList[i].Name;
    // The portrait size, read without turning the printer.
    double w = std::round(P.Width()), h = std::round(P.Height());
    if (P.Orientation() == Landscape)
        std::swap(w, h);
    info.Measure = GetMeasureSystem();
    const double per = info.Measure == 1 ? TwipsPerInch : TwipsPerMM;
    info.Height = h / per;
    info.Width = w / per;
    return info;
}

void PrintEngine::GetPrintableArea()
{
    Printer &P = CurrentPrinter();
    const QRectF printable = P.Device().PrintableTwips();
    Unprintable.Left = printable.left();
    Unprintable.Top = printable.top();
    PageWidthMM = P.Width() / TwipsPerMM;
    PageHeightMM = P.Height() / TwipsPerMM;
    Unprintable.Width = printable.width();
    Unprintable.Height = printable.height();
    Unprintable.Right = P.Width() - (Unprintable.Width + Unprintable.Left);
    Unprintable.Bottom = P.Height() - (Unprintable.Height + Unprintable.Top);
    if (!m_marginsSet) {
        Margins = Unprintable;
        return;
    }
    // The margins are the sides of the page as it is read: a turn of the
    // paper keeps each where it was (the title keeps its room above and to
    // its left), and the printer's strips only bound what prints.
    Margins = m_setMargins;
    Margins.IsSet = true;
    Margins.Top = std::max(Margins.Top, Unprintable.Top);
    Margins.Bottom = std::max(Margins.Bottom, Unprintable.Bottom);
    Margins.Left = std::max(Margins.Left, Unprintable.Left);
    Margins.Right = std::max(Margins.Right, Unprintable.Right);
}

double PrintEngine::betweenMarginsWidth() const
{
    return Unprintable.Width - ((Margins.Left - Unprintable.Left) + (Margins.Right - Unprintable.Right));
}

double PrintEngine::betweenMarginsHeight() const
{
    return Unprintable.Height - ((Margins.Top - Unprintable.Top) + (Margins.Bottom - Unprintable.Bottom));
}

void PrintEngine::forgetMargins()
{
    Margins = Unprintable;
    m_marginsSet = false;
}

void PrintEngine::followDevice()
{
    readPrinterList();
    m_printerName = CurrentPrinter().DeviceName();
    m_printerIndex = IndexOfPrinter(m_printers, m_printerName);
    Unprintable = PageArea{};
}

PrintEngine::MarginState PrintEngine::marginState() const { return {m_setMargins, m_marginsSet}; }

void PrintEngine::setMarginState(const MarginState &state)
{
    m_setMargins = state.margins;
    m_marginsSet = state.set;
}

void PrintEngine::rememberMargins()
{
    Margins.IsSet = true;
    m_marginsSet = true;
    m_setMargins = Margins;
}

void PrintEngine::GetPrinterPapers()
{
    // A printer that names no paper leaves an empty list, never the last
    // printer's papers.
    const QVector<PaperDesc> papers = CurrentPrinter().Device().Papers();
    PaperList = QVector<PaperEntry>(papers.size() + 1);
    for (int i = 1; i <= papers.size(); ++i) {
        const PaperDesc &d = papers[i - 1];
        PaperList[i].Width = d.widthMM;
        PaperList[i].Height = d.heightMM;
        PaperList[i].ID = d.id;
        PaperList[i].Name = d.name.isEmpty() ? (d.id == 256 ? QStringLiteral("Custom") : FormatPaperSize(i)) : d.name;
    }
}

QString PrintEngine::FormatPaperSize(int index)
{
    if (index < 1 || index >= PaperList.size())
        return QString();
    const PaperEntry &e = PaperList[index];
    // Halves round to the even digit; the point is the decimal separator.
    auto text = [](double v, int places) {
        const double f = std::pow(10.0, places);
        return QString::number(std::nearbyint(v * f) / f, 'g', 12);
    };
    if (GetMeasureSystem() == 1)
        return text(e.Width * TwipsPerMM / TwipsPerInch, 2) + QStringLiteral("in x ")
               + text(e.Height * TwipsPerMM / TwipsPerInch, 2) + QStringLiteral("in");
    return text(e.Width, 1) + QStringLiteral("mm x ") + text(e.Height, 1) + QStringLiteral("mm");
}

QString PrintEngine::CurrentPaperName()
{
    const int code = CurrentPrinter().PaperSize();
    for (int i = 1; i < PaperList.size(); ++i)
        if (PaperList[i].ID == code)
            return PaperList[i].Name;
    return QStringLiteral("Unknown");
}

namespace {

// The side a margin box index stands for (4 top, 5 bottom, 6 left, 7 right).
double PrintEngine::PageArea::*sideOf(int Index)
{
    switch (Index) {
    case 4: return &PrintEngine::PageArea::Top;
    case 5: return &PrintEngine::PageArea::Bottom;
    case 6: return &PrintEngine::PageArea::Left;
    default: return &PrintEngine::PageArea::Right;
    }
}

} // namespace

double PrintEngine::marginOf(int Index) const { return Margins.*sideOf(Index); }

void PrintEngine::setMarginOf(int Index, double twips) { marginRef(Index) = twips; }

double &PrintEngine::marginRef(int Index) { return Margins.*sideOf(Index); }

double PrintEngine::stripOf(int Index) const { return Unprintable.*sideOf(Index); }
