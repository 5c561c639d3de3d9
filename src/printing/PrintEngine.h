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

#include <array>
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
    double marginOf(int Index) const;
    void setMarginOf(int Index, double twips);
    double stripOf(int Index) const;
    // The room between the margins (twips). The margins count from the
    // paper's edge and hold the printer's strips, so they are taken from
    // the paper, not from the printable area.
    double betweenMarginsWidth() const;
    double betweenMarginsHeight() const;

    // --- What the engine prints, set by the print window -------------------------------
    void setGrid(const GridContents *grid) { Grid = grid; }
    void setReportTitle(const QString &title) { ReportTitle = title; }
    // Not empty: printed for a "Lat" heading in the third column.
    void setHeadingForLat(const QString &heading) { HeadingForLat = heading; }
    // What a list window shows over a column in place of its hidden heading
    // row: the words, and the font family they are shown in (empty: the
    // report's).
    struct ColumnHeading {
        QString Text;
        QString Family;
    };
    // The headings of a list window's columns, by column (none: the grid's
    // own heading row prints). A list's columns are fitted to their texts on
    // the screen; given its headings, its columns and rows are fitted to
    // their texts on the paper, whatever the screen.
    void setListHeadings(const QVector<ColumnHeading> &headings) { ListHeadings = headings; }
    // The grid's font, the report's own.
    const QFont &reportFont() const { return m_reportFont; }
    void setReportFont(const QFont &font) { m_reportFont = font; }
    // The size of a screen pixel: narrower columns and rows are hidden.
    void setPixelTwips(double x, double y) { PixelTwipsX = x; PixelTwipsY = y; }
    // Told each fit problem of an interactive count; the answer mends the
    // last two (true: give up the repeat setting).
    void setOnFitProblem(std::function<bool(FitProblem)> told) { OnFitProblem = std::move(told); }
    // Told each page of the job as it starts (for a progress view).
    void setOnPageStarted(std::function<void(int page)> told) { OnPageStarted = std::move(told); }

    // --- Options --------------------------------------------------------------------
    // The page-number line.
    struct PageNumbering {
        int NumberingMode = 1;          // 0 none, 1 pages after the first, 2 every page
        int NumberPosition = 0;         // 0 top right, 1 top centre, 2 top left, 3 bottom left, 4 bottom centre, 5 bottom right
        bool NumberAboveMargin = false; // printed in the top margin
        bool NumberBelowMargin = false; // printed in the bottom margin
        bool PageOfPages = true;        // "Page n of m"
        bool IncludeDateTime = true;    // the date and time before the number
    };
    const PageNumbering &numbering() const { return m_numbering; }
    void setNumbering(const PageNumbering &numbering) { m_numbering = numbering; }
    // What the cells show of the grid's looks.
    struct Effects {
        bool ShowGridLines = true;
        bool ShowGridLineColours = false;
        bool ShowTextColours = false;
        bool ShowBackColours = true;
        bool ShadeHeadings = false;
        bool UseCellFonts = true;
    };
    const Effects &effects() const { return m_effects; }
    void setEffects(const Effects &effects) { m_effects = effects; }
    // Merged cells: along a row, down a column, and where a run along a row
    // is looked for: within each page's columns (rule 0) or over the whole
    // row, across the breaks between pages side by side (rule 1).
    struct Merging {
        bool MergeAcross = false;
        bool MergeDown = false;
        int MergedCellRule = 0;
    };
    const Merging &merging() const { return m_merging; }
    void setMerging(const Merging &merging) { m_merging = merging; }
    // The title's settings; the heights of the block above the grid are the
    // last count's.
    const TopBlockRecord &topBlock() const { return m_top; }
    void setTitlePlacement(int placement) { m_top.TitlePlacement = placement; }
    void setTitleJustify(int justify) { m_top.TitleJustify = justify; }
    void setTitleBold(bool on) { m_top.TitleBold = on; }
    void setTitleUnderline(bool on) { m_top.TitleUnderline = on; }
    void setRepeatHeads(bool on) { m_top.RepeatHeads = on; }
    // The factor the title prints at; the count takes it on with
    // countTitleAtSetSize().
    float titleFontSize() const { return m_titleFontSize; }
    void setTitleFontSize(float factor) { m_titleFontSize = factor; }
    void countTitleAtSetSize() { m_top.TitleFontSize = m_titleFontSize; }
    // The list's selection, normalised: 0 top row, 1 left column, 2 bottom
    // row, 3 right column; and whether only it prints.
    using Selection = std::array<int, 4>;
    const Selection &savedSel() const { return SavedSel; }
    void setSavedSel(const Selection &selection) { SavedSel = selection; }
    bool selectionOnly() const { return SelectionOnly; }
    void setSelectionOnly(bool on) { SelectionOnly = on; }
    bool repeatCaptions() const { return RepeatCaptions; }
    void setRepeatCaptions(bool on) { RepeatCaptions = on; }
    // Scaled to a number of sheets, or several sections side by side.
    bool scaleToFit() const { return ScaleToFit; }
    void setScaleToFit(bool on) { ScaleToFit = on; }
    bool multiUp() const { return MultiUp; }
    void setMultiUp(bool on) { MultiUp = on; }
    long sheetsWide() const { return SheetsWide; }
    long sheetsHigh() const { return SheetsHigh; }
    void setSheetsWide(long n) { SheetsWide = n; }
    void setSheetsHigh(long n) { SheetsHigh = n; }
    // The pages the "Pages" range prints; empty: every page.
    const QVector<int> &pageList() const { return PageList; }
    void setPageList(const QVector<int> &pages) { PageList = pages; }
    int paperOrientation() const { return PaperOrientation; }
    void setPaperOrientation(int orientation) { PaperOrientation = orientation; }
    // A run's drawing: lines drawn invisible (shading without grid lines),
    // and the room between a cell's edge and its text.
    void setHideLines(bool on) { HideLines = on; }
    void setCellInset(double twips) { CellInset = twips; }
    // The margins (twips from the paper's edge) and the printer's strips.
    const PageArea &margins() const { return Margins; }
    void setMargins(const PageArea &margins) { Margins = margins; }
    const PageArea &unprintable() const { return Unprintable; }
    // One step of a margin's spinner: a millimetre, or a tenth of an inch.
    double marginStep() const { return MarginStep; }
    // The paper in use (read again with refreshCurrentPaper), its size in
    // millimetres as the printer is turned, and the printer's papers.
    const PaperInfo &currentPaper() const { return CurrentPaper; }
    void refreshCurrentPaper() { CurrentPaper = GetPaperName(); }
    double pageWidthMM() const { return PageWidthMM; }
    double pageHeightMM() const { return PageHeightMM; }
    const QVector<PaperEntry> &paperList() const { return PaperList; } // index 0 unused

    // --- The last count ---------------------------------------------------------------
    // Measures the grid's visible columns and rows (before a count).
    void measureGrid()
    {
        GridWidth = ColWidthSet();
        GridHeight = RowHeightSet();
    }
    const QVector<double> &rowHeights() const { return RowHeights; }
    int pagesWide() const { return m_pagesWide; }
    int pagesHigh() const { return m_pagesHigh; }
    long requestSectionsWide() const { return m_requestSectionsWide; }
    long requestSectionsHigh() const { return m_requestSectionsHigh; }
    const QVector<BandRecord> &colBands() const { return m_colBands; } // entry 0 unused
    const QVector<BandRecord> &rowBands() const { return m_rowBands; } // entry 0 unused
    const QVector<QVector<BandRecord>> &sections() const { return Sections; } // [sheet][section], index 0 unused in both
    double stdRowHeight() const { return m_stdRowHeight; }

    // --- The run ----------------------------------------------------------------------
    // Whether a page of the job has been started (a new job starts with none).
    bool pageStarted() const { return PageStarted; }
    void setPageStarted(bool on) { PageStarted = on; }
    long printProgress() const { return m_printProgress; }
    void resetPrintProgress() { m_printProgress = 0; }

    // --- Pagination (PrintEngineLayout.cpp) ------------------------------------------
    // Lays the counted range out. interactive: the fit problems are told to
    // OnFitProblem, which answers the mendable ones (true: give up the
    // repeat setting). False when the range has no pages.
    bool CountPages(bool interactive);
    // The same with one margin (box index 4..7) at a value in twips, or with
    // the title at a size factor: whether the page still holds the title,
    // the heading rows, the page-number line and the tallest row (and the
    // title fits across it).
    bool marginFits(int Index, double twips);
    bool titleSizeFits(double factor);
    // Whether the title at a size factor fits between the side margins.
    bool titleFitsAcross(double factor);
    // The largest whole number from fitting up to (not including) tooMuch
    // for which fits holds, given that it holds for fitting.
    static int largestFitting(int fitting, int tooMuch, const std::function<bool(int)> &fits);
    double CalcScaleFactor(bool apply);
    bool ScaledFontReadable();
    void measureStdRowHeight();
    // Parses a typed page list ("1-3,5") into the page numbers it names, in
    // the order named; empty when it names none.
    static QVector<int> ParsePageList(const QString &text);
    // How many pages of a job of total pages a page list prints: each page
    // once, in the job's order, pages past the job left out.
    static int pagesListed(const QVector<int> &list, long total);

    // --- Page rendering (PrintEngineRender.cpp) ------------------------------------------
    // Classifies the columns' alignment for the run (text left, numbers right).
    void ClassifyColumns();
    // Prints one page of the job (a page the page list leaves out prints
    // nothing). A failure of the printer throws.
    void PrintPage(int page);
    // A cell's text fitted into its box: wrapped, or cut with an ellipsis.
    CellTextFit TruncateAndWrapC(CellTextFit fit);

private:
    // The margin of a box index, to be changed in place.
    double &marginRef(int Index);

    // --- Pagination's steps -----------------------------------------------------------
    double ColWidthSet();
    double RowHeightSet();
    double SelectionHeight();
    double SelectionWidth();
    void CalcHeaderHeight();
    TopBlockRecord ReadHeadings(TopBlockRecord top, int headRows);
    void CalcRowCaptionWidth();
    bool CheckGridFits(bool interactive);
    // The printer's font (the title's, at its size) made smaller where the
    // report title is wider than room (in the printer's scale): the title
    // always fits the paper's width.
    void fitTitleToWidth(double room);
    // Whether the page holds the title, the heading rows, the page-number
    // line and the tallest row in its height and the widest column (with
    // repeated captions) in its width, with the settings as they are.
    bool roomOnPage();
    float CalcFontFactor(double scaleWidth, double scaleHeight, std::optional<double> size = std::nullopt);
    void cutSections(int firstRow, int lastRow, double H);
    void cutRowBands(int firstRow, int lastRow, double H);
    void cutColBands(int firstCol, int lastCol, double W);
    // The height a row prints at: a repeated heading row takes StdRowHeight.
    double rowPrintHeight(int row) const;

    // --- Drawing a page ---------------------------------------------------------------
    void printSection(int sheet, int section, double sectionTop);
    // Starts a page of the job: its title, repeated heading rows, merged
    // columns and page number; false for a page the page list leaves out.
    bool StartNewPage(int page);
    // The part of the title a page carries: all of it, or one half of a
    // centred title over an even number of pages side by side.
    struct PageTitle {
        enum Half { Whole, LeftHalf, RightHalf };
        QString Text;
        Half Part = Whole;
    };
    PageTitle titleOfPage(int page, int cb, int rb) const;
    void printTitle(const PageTitle &title);
    // titled: the page carries a title, whose line a top number goes below.
    void printPageNumber(int page, bool titled);
    void PrintRowOnPage(int row, int colBand, double xOffset);
    // The columns a row prints on a column band: the repeated captions,
    // then the band's own.
    QVector<int> columnsOfBand(int colBand) const;
    // A cell's alignment code as printed: the column's own where the cell
    // has none.
    int cellPrintAlignment(int row, int col) const;
    // A cell as it prints: its box (widened over a merged run), text and
    // alignment code.
    struct PrintedCell {
        double Width = 0, Height = 0;
        int Align = 1;
        QString Text;
        QString Family; // not empty: the font family the text prints in
    };
    // The heading a list shows over a column (empty: none given).
    ColumnHeading listHeading(int col) const
    {
        return col >= 0 && col < ListHeadings.size() ? ListHeadings[col] : ColumnHeading{};
    }
    // A column's width and a row's height as their texts print (twips),
    // and the font a cell's text is measured in.
    double printedTextWidth(int col);
    double printedRowHeight(int row);
    QFont printedCellFont(int row, int col) const;
    // Widens the cell over the merged run it starts; false for a cell inside
    // a run, drawn from the run's first cell.
    bool spanMergedRun(int col, const BandRecord &band, PrintedCell &cell);
    // Draws a cell's box and text; returns its line colour.
    long long printCell(int row, int col, double x, double y, const PrintedCell &cell);
    // Draws the heading rows from top down.
    void PrintHeadingRows(int colBand, double top, double xOffset);
    void FindMergedCols(int firstRow, int lastRow, int firstCol, int lastCol);
    void FindMergedRow(int row, int firstCol, int lastCol);
    void PrintMergedCols(double top, double xOffset);
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
    // The printer's font is the report's, plain.
    void printInReportFont();

    // --- What the engine prints -------------------------------------------------------
    const GridContents *Grid = nullptr;
    QString ReportTitle;
    QString HeadingForLat;
    QVector<ColumnHeading> ListHeadings;
    QFont m_reportFont;
    double PixelTwipsX = 15;
    double PixelTwipsY = 15;
    std::function<bool(FitProblem)> OnFitProblem;
    std::function<void(int page)> OnPageStarted;

    // --- Options --------------------------------------------------------------------
    float m_titleFontSize = 1.0f;
    bool SelectionOnly = false;
    Selection SavedSel = {0, 0, 0, 0};
    bool RepeatCaptions = false;
    PageNumbering m_numbering;
    Effects m_effects;
    Merging m_merging;
    bool ScaleToFit = false;
    bool MultiUp = false;
    bool HideLines = false;
    double CellInset = 56.7;
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
    double m_laterTitleHeight = 0; // the room above the heading rows of a later page
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

    // --- The printer ------------------------------------------------------------------
    std::shared_ptr<printer::PrinterSource> m_source;
    std::unique_ptr<printer::Printer> m_printer;
    QString m_printerName;  // the printer in use, as the list names it
    int m_printerIndex = -1; // its position in m_printers
    QVector<printer::PrinterEntry> m_printers;
    PageArea m_setMargins;          // the margins as last set
    bool m_marginsSet = false;      // false: the margins are the printer's strips
};
