// The print window's public members and the print run: decoding the options
// word, the run's steps in order, the column classification, the progress
// view and the handling of failures.
#include "printing/P001.h"

#include "platform/winsys/Twips.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/core/Pointer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabBar>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

using namespace printer;
using winsys::MsgBox;

namespace {

constexpr int ErrPassOn = -2147218505; // an inner failure already reported

// Why a file cannot be written (empty: it can). An existing file is left
// as it is; a file made for the test is removed again.
QString fileWriteProblem(const QString &path)
{
    QFile file(path);
    const bool existed = file.exists();
    if (QFileInfo(path).isDir())
        return QStringLiteral("It is a folder.");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return file.errorString();
    file.close();
    if (!existed)
        file.remove();
    return QString();
}

QString defaultOutputFile(const QString &suggested)
{
    return QFileDialog::getSaveFileName(nullptr, QStringLiteral("Print to PDF file"), suggested,
                                        QStringLiteral("PDF files (*.pdf)"));
}

} // namespace

P001::P001(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("P001"));
    setWindowTitle(QStringLiteral("Print Options"));
    m_source = std::make_shared<SystemPrinters>();
    ChooseOutputFile = defaultOutputFile;

    Form_Load();
}

P001::~P001() = default;

void P001::SetTitleFontSize(double factor)
{
    if (factor >= 1.0)
        m_titleFontSize = float(factor);
}

int P001::NumericOnly(int keyAscii, const QString &extra)
{
    if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == 8)
        return keyAscii;
    if (!extra.isEmpty() && keyAscii > 0 && keyAscii < 0x10000 && extra.contains(QChar(keyAscii)))
        return keyAscii;
    return 0;
}

void P001::CancelPrint()
{
    if (m_printer)
        m_printer->KillDoc();
}


// ---------------------------------------------------------------------------
// Failures

int P001::unexpectedError(int number, const QString &where)
{
    // The arrow while the user reads the message; the busy pointer after.
    winsys::PushPointer(winsys::PointerShape::Default);
    const int answer = MsgBox(QStringLiteral("Unexpected Error Occured.\nPlease note details.\n%1\n%2").arg(number).arg(where),
                              winsys::vbAbortRetryIgnore | winsys::vbExclamation, QStringLiteral("Unexpected Error"));
    winsys::PopPointer();
    return answer;
}

bool P001::guarded(const QString &where, const std::function<void()> &step)
{
    for (;;) {
        try {
            step();
            return true;
        } catch (const JobRefused &e) {
            // Trying again cannot help: one message, and the run ends.
            winsys::PushPointer(winsys::PointerShape::Default);
            MsgBox(QStringLiteral("The printer \"%1\" did not accept the job.\n%2").arg(m_printerName, e.Message()),
                   winsys::vbExclamation, QStringLiteral("Printing Failed"));
            winsys::PopPointer();
            return false;
        } catch (const PrintError &e) {
            if (e.Number() == ErrPassOn)
                return false;
            const int answer = unexpectedError(e.Number(), where);
            if (answer == winsys::vbRetry)
                continue;
            return answer == winsys::vbIgnore;
        }
    }
}

// ---------------------------------------------------------------------------
// Counting without printing

void P001::CountGridPages()
{
    if (!GridToPrint || m_printing)
        return;
    PageStarted = false;
    m_printComplete = false;
    winsys::BusyPointer busy;
    guarded(QStringLiteral("in Sub:CountGridPages"), [this] {
        Printer &P = CurrentPrinter();
        P.SetScaleMode(vbTwips);
        QCoreApplication::processEvents();
        m_reportFont = GridToPrint->Font();
        P.SetFontName(m_reportFont.family());
        SaveSelection();
        ReadPrintOptions();
        GridWidth = ColWidthSet();
        GridHeight = RowHeightSet();
        measureStdRowHeight();
        CountPages(false);
    });
    m_printProgress = 0;
    m_requestPagesHigh = m_pagesHigh;
    m_requestPagesWide = m_pagesWide;
    m_setPages = false;
}

// ---------------------------------------------------------------------------
// Printing

void P001::PrintGrid(flexgrid::FlexGrid *grid, long options, const QString &title, int copies)
{
    if (m_printing)
        return;
    GridToPrint = grid;
    PageStarted = false;
    m_printComplete = false;
    SetPrintFlags(options, title, copies);
    PrintGridAPI();
}

void P001::SetPrintFlags(long options, const QString &title, int copies)
{
    ReportTitle = title;
    AllowDialogue = options & 0x1;
    m_printCopies = copies >= 1 ? copies : 1;
    TitlePages = ((options & 0x8) ? 0x1 : 0) + ((options & 0x40) ? 0x4 : 0) + ((options & 0x80) ? 0x8 : 0)
                 + ((options & 0x100) ? 0x200 : 0) + 0x400 + 0x800;
    m_titleFontSize = 1.0f;
    SetEffects = (options & 0x6) ? 0x21 : 0x20;
    if (options & 0x10)
        SetEffects += 0x2;
    if (options & 0x200)
        SetEffects += 0x40;
    PageNumbering = 0x13;
}

void P001::PrintGridAPI()
{
    // One run at a time: a request during a run is refused.
    if (m_printing)
        return;
    if (!GridToPrint) {
        m_printComplete = true;
        return;
    }
    m_printing = true;
    emit PrintingChanged(true);
    PageStarted = false;
    m_printComplete = false;
    m_printProgress = 0;

    bool printerOk = true;
    try {
        refreshPrinters();
        Printer &P = CurrentPrinter();
        if (!P.Device().IsValid())
            throw PrintError(484, QStringLiteral("The printer %1 is not available.").arg(P.DeviceName()));
        P.SetScaleMode(vbTwips);
    } catch (const PrintError &e) {
        printerOk = false;
        MsgBox(QStringLiteral("This program encountered a problem when checking\non the default printer for your system.\n"
                              "The Error Code was: %1\n%2\n\nThis problem must be corrected before printing can continue.")
                   .arg(e.Number())
                   .arg(e.Message()),
               winsys::vbCritical, QStringLiteral("Printer Problems"));
    }
    if (printerOk) {
        QCoreApplication::processEvents();
        runPrint();
    }
    // Every end leaves the run complete and the pointer as it was.
    m_printing = false;
    m_printComplete = true;
    emit PrintingChanged(false);
}

void P001::restorePrinterFont()
{
    if (!m_printer)
        return;
    m_printer->SetScaleMode(vbTwips);
    m_printer->SetFontName(m_reportFont.family());
    m_printer->SetFontSize(m_reportFont.pointSizeF());
    m_printer->SetFontBold(false);
}

void P001::runPrint()
{
    // The printer may be replaced during the run (a printer the caller
    // names, one chosen in the dialog): it is looked up each time, never
    // kept across a step.
    auto P = [this]() -> Printer & { return CurrentPrinter(); };
    std::optional<winsys::BusyPointer> busy(std::in_place);
    m_reportFont = GridToPrint->Font();
    const QFont savedFont = P().Font();
    P().SetFontName(m_reportFont.family());
    P().SetFontSize(m_reportFont.pointSizeF());
    P().SetFontTransparent(true);

    SaveSelection();
    ReadPrintOptions();
    GridWidth = ColWidthSet();
    GridHeight = RowHeightSet();
    measureStdRowHeight();
    AbortPrint = false;

    if (AllowDialogue) {
        // The dialog is about to show: the count may ask about the fit.
        m_dialogOpen = true;
        CountPages(true);
        busy.reset();
        m_setPages = false;
        if (!runDialog())
            AbortPrint = true;
        busy.emplace();
    } else {
        CountPages(false);
        if (m_setPages) {
            SheetsWide = m_requestPagesWide;
            SheetsHigh = m_requestPagesHigh;
            ScaleToFit = true;
            if (!ScaledFontReadable()) {
                AbortPrint = true;
                m_setPages = false;
            }
        } else {
            SheetsWide = m_pagesWide;
            SheetsHigh = m_pagesHigh;
        }
    }
    if (!AbortPrint && long(m_pagesWide) * m_pagesHigh == 0)
        AbortPrint = true;
    if (!AbortPrint && P().Device().PrintsToFile() && !chooseOutputFile())
        AbortPrint = true;
    if (AbortPrint) {
        QCoreApplication::processEvents();
        RestoreSelection();
        GridToPrint = nullptr;
        restorePrinterFont();
        return;
    }

    P().SetCopies(m_printCopies);
    P().Device().SetDocName(ReportTitle.trimmed().isEmpty() ? QStringLiteral("Tavrinel") : ReportTitle.trimmed());
    HideLines = false;
    const bool gridLines = ShowGridLines;
    if (ShadeHeadings && !ShowGridLines) {
        ShowGridLines = true;
        HideLines = true;
    }
    CellInset = 56.7;

    double fontSize = m_reportFont.pointSizeF();
    if (ScaleToFit) {
        fontSize = CalcScaleFactor(true);
        // The recount under the new scale decides the pages.
        SheetsWide = m_pagesWide;
        SheetsHigh = m_pagesHigh;
    }
    long total = SheetsWide * SheetsHigh;
    if (MultiUp) {
        if (m_requestSectionsHigh > 0)
            total = m_requestSectionsHigh;
        else
            MultiUp = false;
    }
    ClassifyColumns();
    if (ScaleToFit) {
        P().SetFontName(m_reportFont.family());
        P().SetFontSize(fontSize);
    }
    GridToPrint->SetRedraw(false);
    if (ShowProgress) {
        ProgressView = 1;
        Form_Resize();
        ProgressBar1->setMaximum(int(total));
        setAttribute(Qt::WA_ShowWithoutActivating);
        show();
    }
    QCoreApplication::processEvents();

    printPages(int(total));

    if (P().DocOpen() && guarded(QStringLiteral("in Sub:PrintGrid"), [&P] { P().EndDoc(); })) {
        const QString waiting = P().Device().JobWaiting();
        if (!waiting.isEmpty())
            MsgBox(QStringLiteral("The job was sent to the printer \"%1\" and waits there.\n%2").arg(m_printerName, waiting),
                   winsys::vbInformation, QStringLiteral("Print Job Waiting"));
    }
    P().KillDoc(); // only a job that could not be finished is still open
    RestoreSelection();
    if (GridToPrint)
        GridToPrint->SetRedraw(true);
    GridToPrint = nullptr;
    P().SetScaleMode(vbTwips);
    P().SetFontName(savedFont.family());
    P().SetFontSize(savedFont.pointSizeF());
    P().SetFontBold(savedFont.bold());
    ShowGridLines = gridLines;
    if (ShowProgress) {
        hide();
        ProgressView = 0;
        Form_Resize();
    }
}

QString P001::PdfFolder() const
{
    if (!m_pdfFolder.isEmpty() && QDir(m_pdfFolder).exists())
        return m_pdfFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

bool P001::chooseOutputFile()
{
    QString name = ReportTitle.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[^\\w .-]+")), QStringLiteral(" "));
    if (name.isEmpty())
        name = QStringLiteral("Tavrinel");
    const QString suggested = QDir(PdfFolder()).filePath(name.simplified() + QStringLiteral(".pdf"));
    const QString path = ChooseOutputFile ? ChooseOutputFile(suggested) : QString();
    if (path.isEmpty())
        return false;
    m_pdfFolder = QFileInfo(path).absolutePath();
    // The file is tried before the run: a run that cannot write it prints
    // nothing and says so once.
    const QString problem = fileWriteProblem(path);
    if (!problem.isEmpty()) {
        winsys::PushPointer(winsys::PointerShape::Default);
        MsgBox(QStringLiteral("The file %1 cannot be written:\n%2\n\nNothing was printed.")
                   .arg(QDir::toNativeSeparators(path), problem),
               winsys::vbExclamation, QStringLiteral("Print to PDF file"));
        winsys::PopPointer();
        return false;
    }
    CurrentPrinter().Device().SetOutputFile(path);
    return true;
}

void P001::printPages(int total)
{
    Printer &P = CurrentPrinter();
    for (int p = 1; p <= total; ++p) {
        bool started = false;
        const bool goOn = guarded(QStringLiteral("in Sub:PrintGrid"), [&] {
            started = StartNewPage(p);
            if (!started)
                return;
            if (ShowProgress) {
                ProgressBar1->setValue(p);
                Label2->setText(QStringLiteral("Printing Page %1 of %2").arg(p).arg(total));
                Label2->repaint();
            }
            if (MultiUp) {
                for (int s = 1; s <= m_requestSectionsWide && p < Sections.size(); ++s) {
                    const BandRecord &section = Sections[p][s];
                    if (section.Last < section.First || section.Last < 1)
                        continue;
                    printSection(p, s, (s - 1) * (GridWidth + 373.0 + FirstCaptionWidth));
                }
                return;
            }
            int cb = 1, rb = 1;
            bandsOfPage(p, cb, rb);
            if (rb >= m_rowBands.size() || cb >= m_colBands.size())
                return;
            for (int r = m_rowBands[rb].First; r <= m_rowBands[rb].Last; ++r) {
                const double h = rowPrintHeight(r);
                if (h <= 0)
                    continue;
                PrintRowOnPage(r, cb, 0);
                P.SetCurrentY(P.CurrentY() + h);
            }
        });
        if (!goOn) {
            if (PageStarted)
                P.KillDoc();
            return;
        }
    }
}

void P001::printSection(int sheet, int section, double xOffset)
{
    Printer &P = CurrentPrinter();
    const BandRecord &s = Sections[sheet][section];
    double top = P.ScaleY(Margins.Top - Unprintable.Top) + m_top.TitleHeight;
    // Each section carries its heading rows, except the first section of
    // the first sheet, which starts with them.
    const bool heads = (m_top.RepeatHeads && !(sheet == 1 && section == 1)) || HeadsAboveSelection;
    if (heads && m_top.HeadRowCount > 0) {
        PrintHeadingRows(1, top, xOffset);
        top += m_top.HeadRowsHeight;
    }
    if (MergeDown) {
        FindMergedCols(s.First, s.Last, m_colBands[1].First, m_colBands[1].Last);
        PrintMergedCols(top, xOffset + captionShift(1));
    }
    P.SetCurrentY(top);
    for (int r = s.First; r <= s.Last; ++r) {
        const double h = rowPrintHeight(r);
        if (h <= 0)
            continue;
        PrintRowOnPage(r, 1, xOffset);
        P.SetCurrentY(P.CurrentY() + h);
    }
}

void P001::ClassifyColumns()
{
    const flexgrid::FlexGrid &g = *GridToPrint;
    static const int codes[] = {0x12, 0x22, 0x42, 0x14, 0x24, 0x44, 0x18, 0x28, 0x48};
    static const QRegularExpression date(QStringLiteral("^\\d{1,4}[-/.]\\d{1,2}[-/.]\\d{1,4}( \\d{1,2}:\\d{2}(:\\d{2})?)?$"));
    ColAlignCodes.fill(0x12, g.Cols());
    const int last = g.Rows() - 1;
    for (int c = 0; c < g.Cols(); ++c) {
        const int alignment = g.ColAlignment(c);
        if (alignment >= 0 && alignment <= 8) {
            ColAlignCodes[c] = codes[alignment];
            continue;
        }
        // General: text on the left, numbers and dates on the right.
        int code = 0x18;
        for (int r = g.FixedRows(); r <= last; ++r) {
            if (r >= 51 && r <= last - 51) {
                r = last - 51;
                continue;
            }
            const QString t = g.TextMatrix(r, c).trimmed();
            bool number = false;
            QLocale::c().toDouble(t, &number);
            if (!t.isEmpty() && !number && !date.match(t).hasMatch()) {
                code = 0x12;
                break;
            }
        }
        ColAlignCodes[c] = code;
    }
}

bool P001::runDialog()
{
    Form_Activate();
    ProgressView = 0;
    Form_Resize();
    const int result = exec();
    m_dialogOpen = false;
    return result == QDialog::Accepted && !AbortPrint;
}

// ---------------------------------------------------------------------------
// The two faces

void P001::Form_Resize()
{
    const bool progress = ProgressView == 1;
    for (QWidget *w : {static_cast<QWidget *>(TabStrip1), m_pages, m_buttonRow, static_cast<QWidget *>(StatusBar1)})
        w->setVisible(!progress);
    if (progress) {
        setWindowTitle(QStringLiteral("Print Progress"));
        setFixedSize(winsys::TwipsToPixels(QSize(2500, 1200)));
        Label2->setText(QString());
        ProgressBar1->setValue(0);
        Frame1_1->move((width() - Frame1_1->width()) / 2, (height() - Frame1_1->height()) / 2);
        Frame1_1->show();
        Frame1_1->raise();
    } else {
        Frame1_1->hide();
        setWindowTitle(QStringLiteral("Print Options"));
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        // The size follows the texts the pages hold now (paper, sheets), once
        // the layouts have taken them in; the pages were first sized on the
        // texts the form starts with.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        m_pages->setMinimumSize(m_pages->minimumSize().expandedTo(m_pages->sizeHint()));
        adjustSize();
        setFixedSize(sizeHint());
    }
}

void P001::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (ProgressView == 1)
        Frame1_1->move((width() - Frame1_1->width()) / 2, (height() - Frame1_1->height()) / 2);
}

void P001::closeEvent(QCloseEvent *event)
{
    // The progress view stays until its run ends; closing the dialog cancels.
    if (ProgressView == 1) {
        event->ignore();
        return;
    }
    AbortPrint = true;
    QDialog::closeEvent(event);
}
