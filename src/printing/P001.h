#pragma once
// The print window: prints a list window's grid over printer pages. The
// caller sets the public members (the grid, margins, title, option bit sets)
// and calls PrintGridAPI, or PrintGrid with one options word. The grid is
// laid out in column bands across and row bands down (or in several sections
// side by side on a sheet for a narrow grid), then drawn page by page with a
// title, repeated heading rows and row captions, and a page-number line.
//
// The window has two faces: the "Print Options" dialog and the small
// "Print Progress" view shown while the pages go to the printer.
//
// Lengths are twips (1440 an inch, 56.7 a millimetre) unless said otherwise.
// Files: P001.cpp (public members, the run), P001Layout.cpp (pagination),
// P001Render.cpp (drawing a page), P001Paper.cpp (printers and papers),
// P001Options.cpp (reading the option bit sets), P001Dialog.cpp (the dialog's
// form and option controls), P001Entries.cpp (its summary, margins, number
// boxes and buttons).

#include "platform/flexgrid/FlexGrid.h"
#include "platform/printer/Printer.h"
#include "platform/printer/PrinterList.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabBar;
class QWidget;

namespace winsys {
class UpDown;
}

class P001 : public QDialog {
    Q_OBJECT

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

    explicit P001(QWidget *parent = nullptr);
    ~P001() override;

    // --- Public interface -----------------------------------------------------
    // Lays the grid out with the current settings; the result is in
    // RequestPagesWide and RequestPagesHigh.
    void CountGridPages();
    float BottomMargin = 0;
    // Abandons the printer's current job.
    void CancelPrint();
    QString FormToPrint;
    float LeftMargin = 0;
    // Unit of the four margins: 5 inches, 6 millimetres, 0 the locale's.
    int MarginUnits = 0;
    void SetPrintComplete(bool v) { m_printComplete = v; }
    float RightMargin = 0;
    float TopMargin = 0;
    // Key filter of the number boxes: the key when it is a digit, backspace or
    // one of extra, else 0.
    static int NumericOnly(int keyAscii, const QString &extra = QString());
    void PrintGrid(flexgrid::FlexGrid *grid, long options, const QString &title, int copies);
    void PrintGridAPI();
    QPointer<flexgrid::FlexGrid> GridToPrint;
    QString ReportTitle;
    bool AllowDialogue = false;
    int PrintCopies() const { return m_printCopies; }
    void SetPrintCopies(long copies) { m_printCopies = copies > 1 ? int(std::min(copies, 9999L)) : 1; }
    long TitlePages = 0;
    float TitleFontSize() const { return m_titleFontSize; }
    void SetTitleFontSize(double factor);
    long SetEffects = 0;
    long PageNumbering = 0;
    long MergeRule = 0;
    // Names the printer to use: a position in the printer list, or a printer's
    // name or port.
    void SetSetPrinter(const QVariant &choice) { PrinterChoice = choice; }
    long RequestPagesWide() const { return m_requestPagesWide; }
    void SetRequestPagesWide(long n) { m_requestPagesWide = n < 1 ? 0 : n; }
    long RequestPagesHigh() const { return m_requestPagesHigh; }
    void SetRequestPagesHigh(long n) { m_requestPagesHigh = n < 1 ? 0 : n; }
    bool PrintComplete() const { return m_printComplete; }
    bool SetPages() const { return m_setPages; }
    void SetSetPages(bool on) { m_setPages = on && m_requestPagesWide > 0 && m_requestPagesHigh > 0; }
    long PrinterOrientation = 0;
    long PrintProgress() const { return m_printProgress; }
    bool ShowProgress = false;
    long SelectionPrintRule = 0;
    long MultiColumnPrint = 0;
    long RequestSectionsWide() const { return m_requestSectionsWide; }
    long RequestSectionsHigh() const { return m_requestSectionsHigh; }

    // --- Run state, printer sources and results ---------------------------------
    // True while a run is under way; a second request is then refused.
    bool Printing() const { return m_printing; }
    // The printers offered (the system's and a PDF file printer by default).
    void SetPrinterSource(std::shared_ptr<printer::PrinterSource> source);
    // The current printer; opened on first use.
    printer::Printer &CurrentPrinter();
    // Asks for the file a PDF printer writes (suggested: a path to offer);
    // an empty answer cancels the run. By default a file dialog asks.
    std::function<QString(const QString &suggested)> ChooseOutputFile;
    // The folder the PDF file is first offered in: the last folder used,
    // else the documents folder, else the home folder.
    QString PdfFolder() const;

    // The dialog's controls by name, for the program's own checks.
    QWidget *Control(const QString &name) const { return findChild<QWidget *>(name); }

    // Read access for the program's own checks.
    int PagesWide() const { return m_pagesWide; }
    int PagesHigh() const { return m_pagesHigh; }
    const QVector<BandRecord> &ColBands() const { return m_colBands; }
    const QVector<BandRecord> &RowBands() const { return m_rowBands; }
    const TopBlockRecord &TopBlock() const { return m_top; }
    double StdRowHeight() const { return m_stdRowHeight; }
    // The page list of the "Pages" range; empty: every page.
    void SetPageList(const QVector<int> &pages) { PageList = pages; }

    // Parses a typed page list ("1-3,5") into page numbers 1..total, sorted,
    // each once; an empty result when the text is invalid.
    static QVector<int> ParsePageList(const QString &text, int total);

signals:
    // The run starts and ends (the main window turns its print command off
    // and on again).
    void PrintingChanged(bool printing);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class P001Test;

    // --- The run (P001.cpp) ---------------------------------------------------
    void SetPrintFlags(long options, const QString &title, int copies);
    void runPrint();
    void ClassifyColumns();
    void printPages(int total);
    void printSection(int sheet, int section, double sectionTop);
    void Form_Resize();
    // Shows the "Print Options" dialog; true when Print was pressed.
    bool runDialog();
    bool chooseOutputFile();
    // The common failure message; returns vbAbort, vbRetry or vbIgnore.
    int unexpectedError(int number, const QString &where);
    // Runs a step, asking Abort, Retry or Ignore when it fails; false: abort.
    bool guarded(const QString &where, const std::function<void()> &step);
    void restorePrinterFont();

    // --- Pagination (P001Layout.cpp) -------------------------------------------
    void CountPages(bool show);
    double ColWidthSet();
    double RowHeightSet();
    void SaveSelection();
    void RestoreSelection();
    double SelectionHeight();
    double SelectionWidth();
    void CalcHeaderHeight();
    TopBlockRecord ReadHeadings(TopBlockRecord top, int headRows);
    void CalcRowCaptionWidth();
    bool CheckGridFits();
    // Whether the page holds the title, the heading rows, the page-number
    // line and the tallest row in its height and the widest column (with
    // repeated captions) in its width, with the settings as they are.
    bool roomOnPage();
    // The same with one margin (Text1 index 4..7) at a value in twips, or
    // with the title at a size factor.
    bool marginFits(int Index, double twips);
    bool titleSizeFits(double factor);
    // The largest whole number from fitting up to (not including) tooMuch
    // for which fits holds, given that it holds for fitting.
    static int largestFitting(int fitting, int tooMuch, const std::function<bool(int)> &fits);
    // Says that a value leaves no room and which value is the largest that fits.
    void refuseNoRoom(const QString &box, const QString &value, const QString &most, const QString &title);
    bool PageCountChanged();
    double CalcScaleFactor(bool apply);
    float CalcFontFactor(double scaleWidth, double scaleHeight, std::optional<double> size = std::nullopt);
    bool ScaledFontReadable();
    void cutSections(int firstRow, int lastRow, double H);
    void cutRowBands(int firstRow, int lastRow, double H);
    void cutColBands(int firstCol, int lastCol, double W);
    // The height a row prints at: a repeated heading row takes StdRowHeight.
    double rowPrintHeight(int row) const;
    void measureStdRowHeight();
    bool dialogVisible() const { return m_dialogOpen; }
    void ShowPageSummary();

    // --- Page rendering (P001Render.cpp) ------------------------------------------
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

    // --- Printers and papers (P001Paper.cpp) -------------------------------------
    int GetMeasureSystem();
    PaperInfo GetPaperName();
    void GetPrintableArea();
    // Margins set in one orientation as they lie in another.
    static PageArea turnedMargins(const PageArea &m, int from, int to);
    // The margins shown are the user's (or the caller's) from now on.
    void rememberMargins();
    void ListPrinters();
    void ListPaperSizes();
    void GetPrinterPapers();
    QString FormatPaperSize(int index);
    QString CurrentPaperName();
    void openPrinter(const printer::PrinterEntry &entry);
    // Reads the printer list again and finds the printer in use in it by
    // name (or the one the caller names); a printer gone from the list gives
    // way to the default, with a message.
    void refreshPrinters();
    // The source's list as it is now (never empty).
    void readPrinterList();
    // The dialog's printer name and paper list follow the current printer.
    void showPrinterName();
    void showPaperList();

    // --- Options (P001Options.cpp) -------------------------------------------------
    void ReadPrintOptions();
    // Sets the dialog's controls from the working flags just read.
    void syncDialog();

    // --- The dialog: form, tabs and option controls (P001Dialog.cpp) ----------------
    void Form_Load();
    void Form_Activate();
    void TabStrip1_Click();
    void Check1_Click(int Index);
    void Combo1_Click(int Index);
    void Image1_Click();
    void Label1_Click(int Index);
    void Option1_Click(int Index);
    void Option2_Click(int Index);
    void Option3_Click(int Index) { m_top.TitlePlacement = Index; }
    void Option4_Click(int Index) { NumberingMode = Index; }
    void Option5_Click(int Index) { m_top.TitleJustify = Index; }
    void Option6_Click(int Index) { MergedCellRule = Index; }
    // Checks a box or selects an option from code, running its click
    // behaviour as a user's click does.
    void setCheck(int index, bool on);
    void choose(QRadioButton *const *group, int index, void (P001::*click)(int));
    void showFrame(int index, bool on);

    // --- The dialog: margins, ranges, copies, summary (P001Entries.cpp) --------------
    void ShowPagesStatus();
    void ShowMargins();
    void ShowPaperDetails();
    void LocatePaperImage();
    void RefreshPrinter();
    bool ValidatePageList();
    void ValidateMargin(int Index);
    void Text1_GotFocus(int Index);
    void Text1_KeyPress(int Index, int &KeyAscii);
    void Text1_LostFocus(int Index);
    void UpDown1_GotFocus(int Index);
    void UpDown1_LostFocus(int Index);
    void UpDown1_DownClick(int Index);
    void UpDown1_UpClick(int Index);
    void Command1_Click(int Index);
    void optPPS_Click();
    void applyOrientation(int orientation);
    void stepMargin(int Index, bool up);
    void setCountBox(int Index, int value);
    void stepTitleSize(bool up);
    void cbPaperSize_Click();
    // The whole number in a box, within 1..9999; empty or not a number: none.
    static std::optional<int> boxNumber(const QLineEdit *box);
    double &marginOf(int Index);
    double stripOf(int Index) const;

    // --- Public property fields -------------------------------------------------------
    int m_printCopies = 1;
    float m_titleFontSize = 1.0f;
    long m_requestPagesWide = 0;
    long m_requestPagesHigh = 0;
    bool m_printComplete = false;
    bool m_setPages = false;
    long m_printProgress = 0;
    long m_requestSectionsWide = 0;
    long m_requestSectionsHigh = 0;
    QVariant PrinterChoice;

    // --- Layout state ---------------------------------------------------------------
    QVector<double> ColWidths;
    QVector<double> RowHeights;
    double GridWidth = 0;
    double GridHeight = 0;
    double WidestCol = 0;
    double TallestRow = 0;
    long VisibleRows = 0;
    int SavedSel[4] = {0, 0, 0, 0};
    bool SelectionOnly = false;
    QVector<BandRecord> m_colBands;  // entry 0 unused
    QVector<BandRecord> m_rowBands;  // entry 0 unused
    QVector<QVector<BandRecord>> Sections; // [sheet][section], index 0 unused in both
    int m_pagesWide = 0;
    int m_pagesHigh = 0;
    TopBlockRecord m_top;
    double m_stdRowHeight = 0;
    int LastFixedCol = -1;
    double CaptionWidth = 0;
    double FirstCaptionWidth = 0;
    bool RepeatCaptions = false;
    int NumberingMode = 1;
    int NumberPosition = 0;
    bool NumberAboveMargin = false;
    bool NumberBelowMargin = false;
    double TopLineHeight = 0;
    double m_titleLineHeight = 0; // the title's own line, above a top page number
    double BottomLineHeight = 0;
    PageArea Unprintable;
    PageArea Margins;
    PageArea m_setMargins;          // the margins as last set, in their orientation
    int m_setMarginsOrientation = printer::Portrait;
    bool m_marginsSet = false;      // false: the margins are the printer's strips
    long SheetsWide = 0;
    long SheetsHigh = 0;
    bool ReadingOptions = false;
    bool AbortPrint = false;
    bool SettingsChanged = false;
    long PageListCount = 0;
    bool HeadsAboveSelection = false;
    int m_firstRow = 0, m_lastRow = -1, m_firstCol = 0, m_lastCol = -1; // the counted range

    // --- Run state ------------------------------------------------------------------
    bool ScaleToFit = false;
    bool MultiUp = false;
    bool HideLines = false;
    double CellInset = 56.7;
    int ProgressView = 0;
    bool PageStarted = false;
    QVector<int> ColAlignCodes;
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
    double PageWidthMM = 0;
    double PageHeightMM = 0;
    QVector<PaperEntry> PaperList; // index 0 unused
    PaperInfo CurrentPaper;
    QFont m_reportFont;            // the grid's font, the report's own
    bool m_printing = false;
    bool m_dialogOpen = false;
    QString m_pdfFolder;

    // --- Rendering state ------------------------------------------------------------
    long long LastLineColour = -1;
    long BodyTop = 0;
    QVector<long> HRunCodes;
    QVector<QVector<long>> VRunCodes;
    int m_vFirstRow = 0, m_vFirstCol = 0;

    // --- Printers -------------------------------------------------------------------
    std::shared_ptr<printer::PrinterSource> m_source;
    std::unique_ptr<printer::Printer> m_printer;
    QString m_printerName;  // the printer in use, as the list names it
    int m_printerIndex = -1; // its position in m_printers
    QVector<printer::PrinterEntry> m_printers;

    // --- The form's controls (arrays by index; unused indexes stay null) ----------------
    QTabBar *TabStrip1 = nullptr;
    QWidget *m_pages = nullptr;
    QWidget *m_buttonRow = nullptr;
    QWidget *Frame1[16] = {}; // the pages and the frames on them
    QFrame *Frame1_1 = nullptr; // the progress face
    QProgressBar *ProgressBar1 = nullptr;
    QLabel *Label2 = nullptr;
    QRadioButton *Option1[3] = {};
    QRadioButton *Option2[3] = {};
    QRadioButton *Option3[5] = {};
    QRadioButton *Option4[3] = {};
    QRadioButton *Option5[3] = {};
    QRadioButton *Option6[2] = {};
    QRadioButton *optPPS[2] = {};
    QCheckBox *Check1[13] = {};
    QCheckBox *Check2 = nullptr;
    QLineEdit *Text1[10] = {};
    winsys::UpDown *UpDown1[8] = {};
    QLabel *Label1[16] = {};
    QPushButton *Command1[4] = {};
    QComboBox *Combo1[2] = {};
    QComboBox *cbPaperSize = nullptr;
    QLabel *Image1 = nullptr;
    QWidget *m_paperHolder = nullptr;
    QFrame *Line1[2] = {};
    QStatusBar *StatusBar1 = nullptr;
    QLabel *Panel[4] = {}; // status panels 1..3
    int ShownPage = 0;
    bool OrientationBusy = false;
    QLineEdit *m_selectOnClick = nullptr; // a box just entered: a click selects its text
    bool m_selectionOffered = false;
};
