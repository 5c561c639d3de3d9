#pragma once
// The print engine: lays a grid's contents out over printer pages and draws
// them, without widgets. It owns the printer it prints on (one of a
// PrinterSource's printers, known by name); nothing else holds it, and
// whoever needs it asks CurrentPrinter() again after any call that may
// replace it.
//
// The grid is laid out in column bands across and row bands down (or in
// several sections side by side on a sheet for a narrow grid), then drawn
// page by page with a title, repeated heading rows and row captions, and a
// page-number line. The print window reads and sets the options below and
// asks the user where the engine reports a problem.
//
// Lengths are twips (1440 an inch, 56.7 a millimetre) unless said otherwise.
// Files: PrintEngine.cpp (printers, papers, margins), PrintEngineLayout.cpp
// (pagination), PrintEngineRender.cpp (drawing a page).

#include "platform/printer/Printer.h"
#include "platform/printer/PrinterList.h"
#include "printing/GridContents.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

class PrintEngine {
public:
    // One column band, row band or n-up section.
    struct BandRecord {
        int First = 0;
        int Last = -1;
        double Extent = 0;
    };
    // Heights reserved above the grid and the title's settings.
    struct TopBlockRecord {
        double FirstPageTop = 0;
        double HeadRowsHeight = 0;
        double LaterPageTop = 0;
        double TitleHeight = 0;
        double TitleWidth = 0;
        int HeadRowCount = 0;
        int TitleJustify = 0;      // 0 left, 1 centre, 2 right
        float TitleFontSize = 1.0f;
        bool TitleBold = false;
        bool TitleUnderline = false;
        bool RepeatHeads = false;
        bool HeadsInFirstTop = false;
        int TitlePlacement = 1;    // 0 omit, 1 first page, 2 all pages, 3 first row, 4 each row
    };
    // The printer's unprintable strips and printable extents, or the margins.
    struct PageArea {
        double Top = 0, Bottom = 0, Left = 0, Right = 0, Height = 0, Width = 0;
        bool IsSet = false;
    };
    struct PaperEntry {
        QString Name;
        int ID = -1;
        double Width = 0, Height = 0; // millimetres
    };
    struct PaperInfo {
        QString Name;
        double Height = 0, Width = 0;
        int Measure = 0; // 0 metric, 1 US
    };
    // A cell's text fitted into its box.
    struct CellTextFit {
        double Height = 0, Width = 0, TextHeight = 0, TextWidth = 0, FitWidth = 0;
        int LineCount = 0;
        QString Line;
        QString Text;
        QStringList Lines;
    };
    struct CellColours {
        long long Back = 0, Fore = 0, Line = 0;
    };
    // What a fit check found. The first two make the layout impossible; the
    // last two can be mended by giving up a repeat setting.
    enum class FitProblem { RowTooHigh, ColumnTooWide, HeadingsTooHigh, CaptionsTooWide };

    PrintEngine();

    // --- Printers (PrintEngine.cpp) ------------------------------------------------
    void SetPrinterSource(std::shared_ptr<printer::PrinterSource> source);
    // The printer in use; the source's default is opened on first use.
    printer::Printer &CurrentPrinter();
    bool HasPrinter() const { return m_printer != nullptr; }
    // Opens a printer of the list; the printer before ends here.
    void openPrinter(const printer::PrinterEntry &entry);
    // Reads the printer list again and finds the printer in use in it by
    // name (or the one choice names: a name, a port or a position). A printer
    // gone from the list gives way to the default; its name is returned
    // (empty when the printer is still there).
    QString refreshPrinters(const QVariant &choice);
    // The source's list as it is now (never empty).
    void readPrinterList();
    const QVector<printer::PrinterEntry> &Printers() const { return m_printers; }
    const QString &PrinterName() const { return m_printerName; }
    int PrinterIndex() const { return m_printerIndex; }
    // After the printer's own set-up chose another printer for the device.
    void followDevice();

    // --- Papers and margins ------------------------------------------------------------
    int GetMeasureSystem();
    PaperInfo GetPaperName();
    void GetPrintableArea();
    // The margins shown are the user's (or the caller's) from now on.
    void rememberMargins();
    // The margins follow the printer's strips again.
    void forgetMargins();
    // The margins as set, to be put back when the user cancels the dialog.
    struct MarginState {
        PageArea margins;
        bool set = false;
    };
    MarginState marginState() const;
    void setMarginState(const MarginState &state);
    void GetPrinterPapers();
    QString FormatPaperSize(int index);
    QString CurrentPaperName();
    // A margin by the print window's box index (4 top, 5 bottom, 6 left, 7
    // right), and the strip the printer cannot reach on that side.
    double &marginOf(int Index);
    double stripOf(int Index) const;
    // The room between the margins (twips). The margins count from the
    // paper's edge and hold the printer's strips, so they are taken from
    // the paper, not from the printable area.
    double betweenMarginsWidth() const;
    double betweenMarginsHeight() const;

    // --- Pagination (PrintEngineLayout.cpp) ------------------------------------------
    // Lays the counted range out. interactive: the fit problems are told to
    // OnFitProblem, which answers the mendable ones (true: give up the
    // repeat setting). False when the range has no pages.
    bool CountPages(bool interactive);
    double ColWidthSet();
    double RowHeightSet();
    double SelectionHeight();
    double SelectionWidth();
    void CalcHeaderHeight();
    TopBlockRecord ReadHeadings(TopBlockRecord top, int headRows);
    void CalcRowCaptionWidth();
    bool CheckGridFits(bool interactive);
    // Whether the page holds the title, the heading rows, the page-number
    // line and the tallest row in its height and the widest column (with
    // repeated captions) in its width, with the settings as they are.
    bool roomOnPage();
    // The same with one margin (box index 4..7) at a value in twips, or with
    // the title at a size factor.
    bool marginFits(int Index, double twips);
    bool titleSizeFits(double factor);
    // The largest whole number from fitting up to (not including) tooMuch
    // for which fits holds, given that it holds for fitting.
    static int largestFitting(int fitting, int tooMuch, const std::function<bool(int)> &fits);
    double CalcScaleFactor(bool apply);
    float CalcFontFactor(double scaleWidth, double scaleHeight, std::optional<double> size = std::nullopt);
    bool ScaledFontReadable();
    void cutSections(int firstRow, int lastRow, double H);
    void cutRowBands(int firstRow, int lastRow, double H);
    void cutColBands(int firstCol, int lastCol, double W);
    // The height a row prints at: a repeated heading row takes StdRowHeight.
    double rowPrintHeight(int row) const;
    void measureStdRowHeight();
    // Parses a typed page list ("1-3,5") into page numbers 1..total, sorted,
    // each once; an empty result when the text is invalid.
    static QVector<int> ParsePageList(const QString &text, int total);

    // --- Page rendering (PrintEngineRender.cpp) ------------------------------------------
    // Classifies the columns' alignment for the run (text left, numbers right).
    void ClassifyColumns();
    // Prints one page of the job (a page the page list leaves out prints
    // nothing). A failure of the printer throws.
    void PrintPage(int page);
    void printSection(int sheet, int section, double sectionTop);
    bool StartNewPage(int page);
    void PrintRowOnPage(int row, int colBand, double xOffset);
    void PrintHeadingRows(int colBand, double bodyTop, double xOffset);
    void FindMergedCols(int firstRow, int lastRow, int firstCol, int lastCol);
    void FindMergedRow(int row, int firstCol, int lastCol);
    void PrintMergedCols(double top, double xOffset);
    CellTextFit TruncateAndWrapC(CellTextFit fit);
    int GetCellAlignment(int row, int col) const;
    CellColours GetColours(int row, int col) const;
    int GetGridFont(int row, int col);
    void drawCellBox(double x, double y, double w, double h, const CellColours &colours);
    void printFitted(const CellTextFit &fit, double tx, double y);
    // The x of a cell's text by its alignment code.
    double textX(int align, double x, double w, double textWidth) const;
    // The width of the row captions a column band repeats at its left.
    double captionShift(int colBand) const;
    // The column band and row band a page of the job prints.
    void bandsOfPage(int page, int &cb, int &rb) const;
    static bool sameRun(long a, long b) { return a / 1000 == b / 1000; }
    long vRunCode(int row, int col) const;
    QString pageNumberText(int page) const;
    void setReportFont();

    // --- What the engine prints, set by the print window -------------------------------
    const GridContents *Grid = nullptr;
    QString ReportTitle;
    QString HeadingForLat;       // not empty: printed for a "Lat" heading in the third column
    QFont m_reportFont;          // the grid's font, the report's own
    double PixelTwipsX = 15;     // a screen pixel: narrower columns and rows are hidden
    double PixelTwipsY = 15;
    // Told each fit problem of an interactive count; the answer mends the
    // last two (true: give up the repeat setting).
    std::function<bool(FitProblem)> OnFitProblem;
    // Told each page of the job as it starts (for a progress view).
    std::function<void(int page)> OnPageStarted;

    // --- Options --------------------------------------------------------------------
    float m_titleFontSize = 1.0f;
    bool SelectionOnly = false;
    int SavedSel[4] = {0, 0, 0, 0}; // the selection: first row, first col, last row, last col
    bool RepeatCaptions = false;
    int NumberingMode = 1;
    int NumberPosition = 0;
    bool NumberAboveMargin = false;
    bool NumberBelowMargin = false;
    bool ScaleToFit = false;
    bool MultiUp = false;
    bool HideLines = false;
    double CellInset = 56.7;
    bool ShowGridLines = true;
    bool ShowGridLineColours = false;
    bool ShowTextColours = false;
    bool ShowBackColours = true;
    bool ShadeHeadings = false;
    bool UseCellFonts = true;
    bool PageOfPages = true;
    bool IncludeDateTime = true;
    bool MergeAcross = false;
    bool MergeDown = false;
    int MergedCellRule = 0;
    QVector<int> PageList;
    int PaperOrientation = printer::Portrait;
    double MarginStep = 56.7;
    long SheetsWide = 0;
    long SheetsHigh = 0;
    TopBlockRecord m_top;
    PageArea Margins;

    // --- Layout ---------------------------------------------------------------------
    QVector<double> ColWidths;
    QVector<double> RowHeights;
    double GridWidth = 0;
    double GridHeight = 0;
    double WidestCol = 0;
    double TallestRow = 0;
    long VisibleRows = 0;
    QVector<BandRecord> m_colBands;  // entry 0 unused
    QVector<BandRecord> m_rowBands;  // entry 0 unused
    QVector<QVector<BandRecord>> Sections; // [sheet][section], index 0 unused in both
    int m_pagesWide = 0;
    int m_pagesHigh = 0;
    long m_requestSectionsWide = 0;
    long m_requestSectionsHigh = 0;
    double m_stdRowHeight = 0;
    int LastFixedCol = -1;
    double CaptionWidth = 0;
    double FirstCaptionWidth = 0;
    double TopLineHeight = 0;
    double BottomLineHeight = 0;
    double m_titleLineHeight = 0; // the title's own line, above a top page number
    bool HeadsAboveSelection = false;
    int m_firstRow = 0, m_lastRow = -1, m_firstCol = 0, m_lastCol = -1; // the counted range
    PageArea Unprintable;
    double PageWidthMM = 0;
    double PageHeightMM = 0;
    QVector<PaperEntry> PaperList; // index 0 unused
    PaperInfo CurrentPaper;

    // --- The run --------------------------------------------------------------------
    QVector<int> ColAlignCodes;
    bool PageStarted = false;
    long m_printProgress = 0;
    long long LastLineColour = -1;
    long BodyTop = 0;
    QVector<long> HRunCodes;
    QVector<QVector<long>> VRunCodes;
    int m_vFirstRow = 0, m_vFirstCol = 0;

private:
    std::shared_ptr<printer::PrinterSource> m_source;
    std::unique_ptr<printer::Printer> m_printer;
    QString m_printerName;  // the printer in use, as the list names it
    int m_printerIndex = -1; // its position in m_printers
    QVector<printer::PrinterEntry> m_printers;
    PageArea m_setMargins;          // the margins as last set
    bool m_marginsSet = false;      // false: the margins are the printer's strips
};
