// The print window's print run: decoding the options
// word, the run's steps in order, the column classification, the progress
// view and the handling of failures.
#include "printing/P001.h"

#include "platform/font/GreekKeys.h"
#include "platform/winsys/Twips.h"
#include "printing/FlexGridContents.h"
#include "store/SharedState.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/core/Pointer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QApplication>
#include <QDate>
#include <QDateTime>
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
    // A dialog of the print window (of the main window): minimised, it does
    // not leave the program's windows blocked behind it. It adds ".pdf" to a
    // name typed without a suffix before it asks about replacing a file of
    // that name; a name with another suffix ("x.v1") is asked about after.
    QFileDialog dialog(QApplication::activeModalWidget(), QStringLiteral("Print to PDF file"), QFileInfo(suggested).absolutePath(),
                       QStringLiteral("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QFileInfo(suggested).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

P001::P001(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("P001"));
    setWindowTitle(QStringLiteral("Print Options"));
    m_chooseOutputFile = defaultOutputFile;
    m_engine.setOnFitProblem([this](PrintEngine::FitProblem problem) { return askAboutFit(problem); });

    Form_Load();
}

P001::~P001() = default;

void P001::SetTitleFontSize(double factor)
{
    if (factor >= 1.0)
        m_engine.setTitleFontSize(float(factor));
}

void P001::bindGrid()
{
    if (!m_gridToPrint) {
        m_engine.setGrid(nullptr);
        m_gridContents.reset();
        m_listToPrint = {};
        m_engine.setListHeadings({});
        return;
    }
    m_engine.setListHeadings(m_listToPrint.Headings);
    m_gridContents = std::make_unique<FlexGridContents>(*m_gridToPrint);
    m_engine.setGrid(m_gridContents.get());
    m_engine.setReportTitle(m_reportTitle);
    m_engine.setPixelTwips(winsys::TwipsPerPixelX(), winsys::TwipsPerPixelY());
    // A simple list's third column is headed "Lat" on screen: the page names
    // the language it shows.
    m_engine.setHeadingForLat({});
    if (m_listToPrint.Kind == ListKind::Simple) {
        if (tav::SearchLang == 5)
            m_engine.setHeadingForLat(QStringLiteral("English"));
        else if (tav::SearchLang == 6)
            m_engine.setHeadingForLat(tav::Opt3rdLang);
    }
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
    if (m_engine.HasPrinter())
        CurrentPrinter().KillDoc();
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
            MsgBox(QStringLiteral("The printer \"%1\" did not accept the job.\n%2").arg(m_engine.PrinterName(), e.Message()),
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
    if (!m_gridToPrint || m_printing)
        return;
    m_engine.setPageStarted(false);
    m_printComplete = false;
    winsys::BusyPointer busy;
    guarded(QStringLiteral("in Sub:CountGridPages"), [this] {
        Printer &P = CurrentPrinter();
        P.SetScaleMode(vbTwips);
        QCoreApplication::processEvents();
        m_engine.setReportFont(m_gridToPrint->Font());
        P.SetFontName(m_engine.reportFont().family());
        SaveSelection();
        ReadPrintOptions();
        m_engine.measureGrid();
        m_engine.measureStdRowHeight();
        CountPages(false);
    });
    m_engine.resetPrintProgress();
    m_requestPagesHigh = m_engine.pagesHigh();
    m_requestPagesWide = m_engine.pagesWide();
    m_setPages = false;
}

// ---------------------------------------------------------------------------
// Printing

void P001::PrintGrid(flexgrid::FlexGrid *grid, long options, const QString &title, int copies)
{
    if (m_printing)
        return;
    m_gridToPrint = grid;
    m_engine.setPageStarted(false);
    m_printComplete = false;
    SetPrintFlags(options, title, copies);
    PrintGridAPI();
}

void P001::SetPrintFlags(long options, const QString &title, int copies)
{
    m_reportTitle = title;
    m_allowDialogue = options & 0x1;
    m_printCopies = copies >= 1 ? copies : 1;
    m_titlePages = ((options & 0x8) ? 0x1 : 0) + ((options & 0x40) ? 0x4 : 0) + ((options & 0x80) ? 0x8 : 0)
                 + ((options & 0x100) ? 0x200 : 0) + 0x400 + 0x800;
    m_engine.setTitleFontSize(1.0f);
    m_setEffects = (options & 0x6) ? 0x21 : 0x20;
    if (options & 0x10)
        m_setEffects += 0x2;
    if (options & 0x200)
        m_setEffects += 0x40;
    m_pageNumbering = 0x13;
}

void P001::PrintGridAPI()
{
    // One run at a time: a request during a run is refused.
    if (m_printing)
        return;
    if (!m_gridToPrint) {
        m_printComplete = true;
        return;
    }
    m_printing = true;
    emit PrintingChanged(true);
    m_engine.setPageStarted(false);
    m_printComplete = false;
    m_engine.resetPrintProgress();

    bool printerOk = true;
    try {
        refreshPrinters(PrinterChoice);
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
    if (!m_engine.HasPrinter())
        return;
    Printer &P = CurrentPrinter();
    P.SetScaleMode(vbTwips);
    P.SetFontName(m_engine.reportFont().family());
    P.SetFontSize(m_engine.reportFont().pointSizeF());
    P.SetFontBold(false);
}

void P001::runPrint()
{
    // The printer may be replaced during the run (a printer the caller
    // names, one chosen in the dialog): it is looked up each time, never
    // kept across a step.
    auto P = [this]() -> Printer & { return CurrentPrinter(); };
    std::optional<winsys::BusyPointer> busy(std::in_place);
    m_engine.setReportFont(m_gridToPrint->Font());
    const QFont savedFont = P().Font();
    P().SetFontName(m_engine.reportFont().family());
    P().SetFontSize(m_engine.reportFont().pointSizeF());
    P().SetFontTransparent(true);

    SaveSelection();
    ReadPrintOptions();
    m_engine.measureGrid();
    m_engine.measureStdRowHeight();
    AbortPrint = false;
    m_fileChosen = false;
    settlePages(busy);
    if (!AbortPrint && long(m_engine.pagesWide()) * m_engine.pagesHigh() == 0)
        AbortPrint = true;
    // The dialog asks for the file before it closes; a run without it asks here.
    if (!AbortPrint && P().Device().PrintsToFile() && !m_fileChosen && !chooseOutputFile())
        AbortPrint = true;
    m_fileChosen = false;
    if (AbortPrint) {
        QCoreApplication::processEvents();
        RestoreSelection();
        m_gridToPrint = nullptr;
        bindGrid();
        restorePrinterFont();
        return;
    }

    // A printer that cannot make copies (a file) prints one, as the dialog said.
    P().SetCopies(P().Device().PrintsCopies() ? m_printCopies : 1);
    const QString docName = readableTitle();
    P().Device().SetDocName(docName.isEmpty() ? QStringLiteral("Tavrinel") : docName);
    const bool gridLines = prepareDrawing();
    const long total = pagesOfRun();
    m_gridToPrint->SetRedraw(false);
    if (m_showProgress) {
        // The face is sized for the longest text of this run's pages.
        ProgressBar1->setMaximum(int(total));
        ProgressView = 1;
        Form_Resize();
        setAttribute(Qt::WA_ShowWithoutActivating);
        show();
    }
    QCoreApplication::processEvents();

    printPages(int(total));
    endJob();
    RestoreSelection();
    if (m_gridToPrint)
        m_gridToPrint->SetRedraw(true);
    m_gridToPrint = nullptr;
    bindGrid();
    P().SetScaleMode(vbTwips);
    P().SetFontName(savedFont.family());
    P().SetFontSize(savedFont.pointSizeF());
    P().SetFontBold(savedFont.bold());
    PrintEngine::Effects after = m_engine.effects();
    after.ShowGridLines = gridLines;
    m_engine.setEffects(after);
    if (m_showProgress) {
        hide();
        ProgressView = 0;
        Form_Resize();
    }
}

void P001::settlePages(std::optional<winsys::BusyPointer> &busy)
{
    if (m_allowDialogue) {
        // The dialog is about to show: the count may ask about the fit.
        m_dialogOpen = true;
        CountPages(true);
        busy.reset();
        m_setPages = false;
        const OpeningState opening = openingState();
        if (!runDialog()) {
            // Nothing the user changed in a cancelled dialog stays.
            AbortPrint = true;
            restoreOpening(opening);
        }
        busy.emplace();
    } else {
        CountPages(false);
        if (m_setPages) {
            m_engine.setSheetsWide(m_requestPagesWide);
            m_engine.setSheetsHigh(m_requestPagesHigh);
            m_engine.setScaleToFit(true);
            if (!m_engine.ScaledFontReadable()) {
                AbortPrint = true;
                m_setPages = false;
            }
        } else {
            m_engine.setSheetsWide(m_engine.pagesWide());
            m_engine.setSheetsHigh(m_engine.pagesHigh());
        }
    }
}

bool P001::prepareDrawing()
{
    m_engine.setHideLines(false);
    const PrintEngine::Effects chosen = m_engine.effects();
    if (chosen.ShadeHeadings && !chosen.ShowGridLines) {
        // Shaded headings are drawn as boxes whose lines stay invisible.
        PrintEngine::Effects shading = chosen;
        shading.ShowGridLines = true;
        m_engine.setEffects(shading);
        m_engine.setHideLines(true);
    }
    m_engine.setCellInset(56.7);
    return chosen.ShowGridLines;
}

long P001::pagesOfRun()
{
    double fontSize = m_engine.reportFont().pointSizeF();
    if (m_engine.scaleToFit()) {
        fontSize = m_engine.CalcScaleFactor(true);
        // The recount under the new scale decides the pages.
        m_engine.setSheetsWide(m_engine.pagesWide());
        m_engine.setSheetsHigh(m_engine.pagesHigh());
    }
    long total = m_engine.sheetsWide() * m_engine.sheetsHigh();
    if (m_engine.multiUp()) {
        if (m_engine.requestSectionsHigh() > 0)
            total = m_engine.requestSectionsHigh();
        else
            m_engine.setMultiUp(false);
    }
    m_engine.ClassifyColumns();
    if (m_engine.scaleToFit()) {
        CurrentPrinter().SetFontName(m_engine.reportFont().family());
        CurrentPrinter().SetFontSize(fontSize);
    }
    return total;
}

void P001::endJob()
{
    auto P = [this]() -> Printer & { return CurrentPrinter(); };
    if (P().DocOpen() && guarded(QStringLiteral("in Sub:PrintGrid"), [&P] { P().EndDoc(); })) {
        const QString waiting = P().Device().JobWaiting();
        if (!waiting.isEmpty())
            MsgBox(QStringLiteral("The job was sent to the printer \"%1\" and waits there.\n%2").arg(m_engine.PrinterName(), waiting),
                   winsys::vbInformation, QStringLiteral("Print Job Waiting"));
    }
    P().KillDoc(); // only a job that could not be finished is still open
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

QString P001::readableTitle() const
{
    // A standard list found by a search names its Greek search text in
    // quotes after "on:" (other titles quote category, letter or English
    // words, which stay as they are).
    QString title = m_reportTitle.trimmed();
    if (m_listToPrint.Kind != ListKind::Standard)
        return title;
    static const QRegularExpression searched(QStringLiteral("on: ?\"([^\"]+)\""));
    const QRegularExpressionMatch m = searched.match(title);
    if (m.hasMatch())
        title.replace(m.capturedStart(1), m.capturedLength(1), winsys::GreekKeysToUnicode(m.captured(1)));
    return title;
}

bool P001::chooseOutputFile()
{
    QString name = readableTitle();
    // Letters of any script stay (Greek too); marks, quotes and slashes give way to blanks.
    static const QRegularExpression unsafe(QStringLiteral("[^\\w .-]+"), QRegularExpression::UseUnicodePropertiesOption);
    name.replace(unsafe, QStringLiteral(" "));
    if (name.isEmpty())
        name = QStringLiteral("Tavrinel");
    QString offered = QDir(PdfFolder()).filePath(name.simplified() + QStringLiteral(".pdf"));
    QString path;
    for (;;) {
        path = m_chooseOutputFile ? m_chooseOutputFile(offered) : QString();
        if (path.isEmpty())
            return false;
        // The file is a PDF whatever name was typed: it carries the suffix.
        // The save dialog asked about replacing the name typed ("x.v1"), not
        // the one written ("x.v1.pdf"): that one is asked about here. No
        // (Esc, the close box) keeps the file and offers the dialog again.
        if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
            break;
        path += QStringLiteral(".pdf");
        if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink())
            break;
        winsys::PushPointer(winsys::PointerShape::Default);
        const int answer = MsgBox(QStringLiteral("The file %1 already exists.\nDo you want to replace it?")
                                      .arg(QDir::toNativeSeparators(path)),
                                  winsys::vbYesNo | winsys::vbExclamation | winsys::vbDefaultButton2,
                                  QStringLiteral("Print to PDF file"));
        winsys::PopPointer();
        if (answer == winsys::vbYes)
            break;
        if (winsys::EndingProgram())
            return false;
        offered = path;
    }
    // The file is tried before the run: a run that cannot write it prints
    // nothing and says so once. The next save offers the last folder that
    // was written to, not this one.
    const QString problem = fileWriteProblem(path);
    if (!problem.isEmpty()) {
        winsys::PushPointer(winsys::PointerShape::Default);
        MsgBox(QStringLiteral("The file %1 cannot be written:\n%2\n\nNothing was printed.")
                   .arg(QDir::toNativeSeparators(path), problem),
               winsys::vbExclamation, QStringLiteral("Print to PDF file"));
        winsys::PopPointer();
        return false;
    }
    m_pdfFolder = QFileInfo(path).absolutePath();
    CurrentPrinter().Device().SetOutputFile(path);
    return true;
}

void P001::printPages(int total)
{
    for (int p = 1; p <= total; ++p) {
        const bool goOn = guarded(QStringLiteral("in Sub:PrintGrid"), [&] {
            m_engine.setOnPageStarted([this, total](int page) {
                if (m_showProgress)
                    showProgress(page, total);
                else
                    takeEvents(false);
                // A signal to end the program stops the run at once: what
                // it wrote goes, and a file of the name chosen stays.
                if (winsys::EndingProgram())
                    throw PrintError(ErrPassOn, QStringLiteral("The program ends."));
            });
            m_engine.PrintPage(p);
        });
        if (!goOn) {
            if (m_engine.pageStarted())
                CurrentPrinter().KillDoc();
            return;
        }
    }
}

void P001::showProgress(int page, int total)
{
    ProgressBar1->setValue(page);
    Label2->setText(QStringLiteral("Printing Page %1 of %2").arg(page).arg(total));
    takeEvents(page == 1 || page == total);
}

void P001::takeEvents(bool now)
{
    // The view is painted by the window system's events, which the run
    // takes a few times a second (each costs a little) and at the last page;
    // the user's input waits until the run ends.
    const qint64 at = QDateTime::currentMSecsSinceEpoch();
    if (now || at - m_progressShownAt >= 100) {
        m_progressShownAt = at;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
        // The frame holds the longest "Printing Page n of m" of the run in the
        // label's font, whatever the screen's size and scale; the window holds
        // the frame and is wide enough for its whole title beside the frame's
        // buttons.
        const int most = std::max(ProgressBar1->maximum(), 99);
        const QString longest = QStringLiteral("Printing Page %1 of %1").arg(most);
        Label2->setMinimumWidth(Label2->fontMetrics().horizontalAdvance(longest) + 2 * Label2->margin() + 4);
        Frame1_1->resize(Frame1_1->sizeHint().expandedTo(winsys::TwipsToPixels(QSize(2220, 840))));
        QSize size = winsys::TwipsToPixels(QSize(2500, 1200)).expandedTo(Frame1_1->size() + QSize(16, 16));
        const QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
        size.setWidth(std::max(size.width(), QFontMetrics(titleFont).horizontalAdvance(windowTitle()) * 3 / 2 + 120));
        setFixedSize(size);
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
