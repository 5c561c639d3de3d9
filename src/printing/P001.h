#pragma once
// The print window: prints a list window's grid over printer pages. The
// caller sets the grid, margins, title and option bit sets through the
// setters and calls PrintGridAPI, or PrintGrid with one options word. The print
// engine (PrintEngine) lays the grid out and draws the pages, and owns the
// printer; the window reads the options into it, shows and sets them in its
// dialog, asks the user where the engine reports a problem, and runs the job.
//
// The window has two faces: the "Print Options" dialog and the small
// "Print Progress" view shown while the pages go to the printer.
//
// Lengths are twips (1440 an inch, 56.7 a millimetre) unless said otherwise.
// Files: P001.cpp (the public interface, the run), P001Layout.cpp (the count as the
// dialog runs it, the list's selection), P001Paper.cpp (printer and paper
// lists), P001Options.cpp (reading the option bit sets), P001Dialog.cpp (the
// dialog's form and option controls), P001Entries.cpp (its summary, margins,
// number boxes and buttons).

#include "platform/flexgrid/FlexGrid.h"
#include "platform/printer/Printer.h"
#include "platform/printer/PrinterList.h"
#include "printing/PrintEngine.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabBar;
class QWidget;

namespace winsys {
class BusyPointer;
class UpDown;
}

class P001 : public QDialog {
    Q_OBJECT

public:
    using BandRecord = PrintEngine::BandRecord;
    using TopBlockRecord = PrintEngine::TopBlockRecord;
    using PageArea = PrintEngine::PageArea;
    using PaperEntry = PrintEngine::PaperEntry;
    using PaperInfo = PrintEngine::PaperInfo;
    using CellTextFit = PrintEngine::CellTextFit;
    using CellColours = PrintEngine::CellColours;

    explicit P001(QWidget *parent = nullptr);
    ~P001() override;

    // --- Public interface -----------------------------------------------------
    // Lays the grid out with the current settings; the result is in
    // RequestPagesWide and RequestPagesHigh.
    void CountGridPages();
    // Abandons the printer's current job.
    void CancelPrint();
    // Key filter of the number boxes: the key when it is a digit, backspace or
    // one of extra, else 0.
    static int NumericOnly(int keyAscii, const QString &extra = QString());
    void PrintGrid(flexgrid::FlexGrid *grid, long options, const QString &title, int copies);
    void PrintGridAPI();

    // The grid to print, the name of the window it belongs to (kept for the
    // caller; what prints follows the list's kind, SetListToPrint) and the
    // title printed over it.
    flexgrid::FlexGrid *GridToPrint() const { return m_gridToPrint; }
    void SetGridToPrint(flexgrid::FlexGrid *grid) { m_gridToPrint = grid; }
    const QString &FormToPrint() const { return m_formToPrint; }
    void SetFormToPrint(const QString &name) { m_formToPrint = name; }
    const QString &ReportTitle() const { return m_reportTitle; }
    void SetReportTitle(const QString &title) { m_reportTitle = title; }
    // The margins, in MarginUnits: 5 inches, 6 millimetres, 0 the locale's.
    // All four 0: the printer's unprintable edges.
    float TopMargin() const { return m_topMargin; }
    void SetTopMargin(float v) { m_topMargin = v; }
    float BottomMargin() const { return m_bottomMargin; }
    void SetBottomMargin(float v) { m_bottomMargin = v; }
    float LeftMargin() const { return m_leftMargin; }
    void SetLeftMargin(float v) { m_leftMargin = v; }
    float RightMargin() const { return m_rightMargin; }
    void SetRightMargin(float v) { m_rightMargin = v; }
    int MarginUnits() const { return m_marginUnits; }
    void SetMarginUnits(int units) { m_marginUnits = units; }
    // True: the "Print Options" dialog is shown before the pages print.
    bool AllowDialogue() const { return m_allowDialogue; }
    void SetAllowDialogue(bool on) { m_allowDialogue = on; }
    // Option bit sets; 0 takes the defaults when the options are read.
    long TitlePages() const { return m_titlePages; }
    void SetTitlePages(long bits) { m_titlePages = bits; }
    long SetEffects() const { return m_setEffects; }
    void SetSetEffects(long bits) { m_setEffects = bits; }
    long PageNumbering() const { return m_pageNumbering; }
    void SetPageNumbering(long bits) { m_pageNumbering = bits; }
    long MergeRule() const { return m_mergeRule; }
    void SetMergeRule(long bits) { m_mergeRule = bits; }
    long SelectionPrintRule() const { return m_selectionPrintRule; }
    void SetSelectionPrintRule(long bits) { m_selectionPrintRule = bits; }
    long MultiColumnPrint() const { return m_multiColumnPrint; }
    void SetMultiColumnPrint(long bits) { m_multiColumnPrint = bits; }
    // A paper orientation to print in; 0 keeps the printer's.
    long PrinterOrientation() const { return m_printerOrientation; }
    void SetPrinterOrientation(long orientation) { m_printerOrientation = orientation; }
    // True: the "Print Progress" view is shown while the pages print.
    bool ShowProgress() const { return m_showProgress; }
    void SetShowProgress(bool on) { m_showProgress = on; }

    void SetPrintComplete(bool v) { m_printComplete = v; }
    int PrintCopies() const { return m_printCopies; }
    void SetPrintCopies(long copies) { m_printCopies = copies > 1 ? int(std::min(copies, 9999L)) : 1; }
    float TitleFontSize() const { return m_engine.titleFontSize(); }
    void SetTitleFontSize(double factor);
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
    long PrintProgress() const { return m_engine.printProgress(); }
    long RequestSectionsWide() const { return m_engine.requestSectionsWide(); }
    long RequestSectionsHigh() const { return m_engine.requestSectionsHigh(); }

    // --- Run state, printer sources and results ---------------------------------
    // True while a run is under way; a second request is then refused.
    bool Printing() const { return m_printing; }
    // The printers offered (the system's and a PDF file printer by default).
    void SetPrinterSource(std::shared_ptr<printer::PrinterSource> source);
    // The current printer; opened on first use.
    printer::Printer &CurrentPrinter();
    // Asks for the file a PDF printer writes (suggested: a path to offer);
    // an empty answer cancels the run. By default a file dialog asks.
    void SetChooseOutputFile(std::function<QString(const QString &suggested)> ask)
    {
        m_chooseOutputFile = std::move(ask);
    }
    // Shows a page of the help (F1 in the dialog: the page of its tab).
    void SetShowHelp(std::function<void(const QString &page, QWidget *dialog)> show) { m_showHelp = std::move(show); }
    // The help page of the dialog's tab shown now.
    QString HelpTopic() const;
    // The printer set-up of a system printer: asked what the user chose for
    // the printer in use (the PDF file has none); no answer: cancelled. By
    // default the system's printer set-up dialog asks.
    struct SetUpChoice {
        QString printer; // a name of the printer list
        int paper = -1;  // a paper code
        int orientation = printer::Portrait;
        int copies = 1;
    };
    void SetRunSetUp(std::function<std::optional<SetUpChoice>(const SetUpChoice &now)> ask)
    {
        m_runSetUp = std::move(ask);
    }
    // The folder the PDF file is first offered in: the last folder used,
    // else the documents folder, else the home folder.
    QString PdfFolder() const;

    // What the list window that owns GridToPrint hands over about itself.
    // Its kind: a simple list's "Lat" column is headed by the search
    // language, a standard list's title names its Greek search text in the
    // keys of its Greek font. Its headings: the words it shows over each of
    // its columns (its own heading row is hidden and holds field names), and
    // the font family each is shown in; they print over the columns, and the
    // list's columns and rows are measured for the paper. The list belongs
    // to GridToPrint and is forgotten with it when a run ends.
    enum class ListKind { None, Standard, Simple };
    struct ListToPrint {
        ListKind Kind = ListKind::None;
        QVector<PrintEngine::ColumnHeading> Headings;
    };
    void SetListToPrint(const ListToPrint &list) { m_listToPrint = list; }

    // The dialog's controls by name, for the program's own checks.
    QWidget *Control(const QString &name) const { return findChild<QWidget *>(name); }

    // Read access for the program's own checks.
    int PagesWide() const { return m_engine.pagesWide(); }
    int PagesHigh() const { return m_engine.pagesHigh(); }
    const QVector<BandRecord> &ColBands() const { return m_engine.colBands(); }
    const QVector<BandRecord> &RowBands() const { return m_engine.rowBands(); }
    const TopBlockRecord &TopBlock() const { return m_engine.topBlock(); }
    double StdRowHeight() const { return m_engine.stdRowHeight(); }
    // The page list of the "Pages" range; empty: every page.
    void SetPageList(const QVector<int> &pages) { m_engine.setPageList(pages); }

    // Parses a typed page list ("1-3,5", "5-3") into the page numbers it
    // names, in the order named; empty when it names none.
    static QVector<int> ParsePageList(const QString &text);

signals:
    // The run starts and ends (the main window turns its print command off
    // and on again).
    void PrintingChanged(bool printing);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Tab and Shift+Tab: a group of option buttons is one stop.
    bool focusNextPrevChild(bool next) override;

private:
    friend class P001Test;

    // --- The run (P001.cpp) ---------------------------------------------------
    void SetPrintFlags(long options, const QString &title, int copies);
    void runPrint();
    // The run's steps: the dialog or the caller's settings decide the pages
    // (AbortPrint when they give none); the drawing settings of the job
    // (returns the grid-lines setting, put back when the run ends); the
    // number of pages, after a scaled recount; the end of the printer's job.
    void settlePages(std::optional<winsys::BusyPointer> &busy);
    bool prepareDrawing();
    long pagesOfRun();
    void endJob();
    void printPages(int total);
    void Form_Resize();
    // Shows the "Print Options" dialog; true when Print was pressed.
    bool runDialog();
    bool chooseOutputFile();
    // The title as the reader knows it, for the job's name, the PDF's
    // title and the file name offered: the Greek a list names in the keys
    // of its Greek font is written in Greek letters.
    QString readableTitle() const;
    // The common failure message; returns vbAbort, vbRetry or vbIgnore.
    int unexpectedError(int number, const QString &where);
    // Runs a step, asking Abort, Retry or Ignore when it fails; false: abort.
    bool guarded(const QString &where, const std::function<void()> &step);
    void restorePrinterFont();
    // Hands the grid to print to the engine, with what it prints for a "Lat" heading.
    void bindGrid();
    // Asks the user about a fit problem of a count (true: give up the repeat setting).
    bool askAboutFit(PrintEngine::FitProblem problem);

    // --- Pagination (P001Layout.cpp) -------------------------------------------
    // Counts the pages with the dialog's settings; with the dialog up the
    // user is told of fit problems and the summary follows.
    void CountPages(bool show);
    void SaveSelection();
    void RestoreSelection();
    bool PageCountChanged();
    bool dialogVisible() const { return m_dialogOpen; }
    void ShowPageSummary();
    // The title's size follows the room the page leaves: a size at which
    // the title no longer fits across the paper, or no longer leaves a row
    // room below it, is lowered to the largest that fits (the user is told
    // while the dialog shows).
    void keepTitleOnPage();
    // The largest title size, up to size, that fits as above.
    double largestTitleSize(double size);
    // Sets the size to most; was: the size as the user knew it. The count
    // that follows says so, once its pages are shown (tellSizeLowered).
    void lowerTitleSize(const QString &was, double most);
    void tellSizeLowered();
    // Says that a value leaves no room and which value is the largest that fits.
    void refuseNoRoom(const QString &box, const QString &value, const QString &most, const QString &title);

    // --- Printers and papers (P001Paper.cpp) -------------------------------------
    // Finds the printer in use again (or the one choice names); one gone
    // from the list gives way to the default, with a message. True: it is
    // still there.
    bool refreshPrinters(const QVariant &choice);
    // What an opening of the dialog starts from, put back when it is cancelled.
    struct OpeningState {
        QString printer;
        int paper = -1;
        int orientation = printer::Portrait;
        PrintEngine::MarginState margins;
        int copies = 1;
        bool showProgress = false;
        float titleSize = 1.0f;
        QString title;
    };
    OpeningState openingState();
    void restoreOpening(const OpeningState &state);
    // Asks the set-up dialog of the system (used when SetRunSetUp gave none).
    std::optional<SetUpChoice> systemSetUp(const SetUpChoice &now);
    // The progress view follows the run's pages.
    void showProgress(int page, int total);
    // Takes the events waiting (no user input) a few times a second, and
    // now when asked to: the view is painted, and a signal to end the
    // program is seen during a run.
    void takeEvents(bool now);
    void ListPrinters();
    void ListPaperSizes();
    // The dialog's printer name and paper list follow the current printer.
    void showPrinterName();
    void showPaperList();

    // --- Options (P001Options.cpp) -------------------------------------------------
    void ReadPrintOptions();
    // Its steps, each reading one group of options into the engine.
    void readScaling();
    void readMargins();
    void readTitle(const flexgrid::FlexGrid &g);
    void readEffects();
    void readNumbering();
    void readMergingAndSelection(const flexgrid::FlexGrid &g);
    // Sets the dialog's controls from the working flags just read.
    void syncDialog();

    // --- The dialog: form, tabs and option controls (P001Dialog.cpp) ----------------
    void Form_Load();
    // The form's builders, one per row of the window and per tab page.
    QTabBar *buildTabStrip();
    QWidget *buildPages();
    void buildSelectionTab(QFrame *page);
    QGroupBox *buildScalingGroup(QFrame *page);
    QGroupBox *buildPaperGroup(QFrame *page);
    QGroupBox *buildRangeGroup(QFrame *page);
    void buildTitleTab(QFrame *page);
    void buildPrinterTab(QFrame *page);
    void buildEffectsTab(QFrame *page);
    void buildPageTab(QFrame *page);
    QWidget *buildButtonRow();
    QStatusBar *buildStatusBar();
    void buildProgressFace();
    // The builders' parts: a control of an indexed array, named after its
    // entry, with its click behaviour connected.
    QFrame *makePage(QGridLayout *stack, int index);
    QGroupBox *makeGroup(QWidget *parent, int index, const QString &caption);
    QCheckBox *makeCheck(QWidget *parent, int i, const QString &caption);
    QLabel *makeLabel(QWidget *parent, int i, const QString &caption);
    QLineEdit *makeBox(QWidget *parent, int i, const QString &text);
    winsys::UpDown *makeSpinner(QWidget *parent, int i, QLineEdit *buddy);
    void makeRadios(QWidget *parent, QRadioButton **group, const char *name, std::initializer_list<const char *> captions,
                    void (P001::*click)(int));
    QHBoxLayout *makeNumberRow(QWidget *parent, int boxIndex, int spin, QLabel *after);
    void Form_Activate();
    void TabStrip1_Click();
    // The Tab key's stops: a control that takes the focus by Tab, shown and
    // enabled; the first stop of a page; the stop a control stands for (a
    // group of option buttons is entered at its chosen button).
    bool tabStop(const QWidget *w) const;
    QWidget *firstTabStop(QWidget *page) const;
    QWidget *groupEntry(QWidget *w) const;
    void Check1_Click(int Index);
    void Combo1_Click(int Index);
    void Image1_Click();
    void Label1_Click(int Index);
    void Option1_Click(int Index);
    void Option2_Click(int Index);
    // The title's pages and the page-number line change the room the rows
    // have: the pages are counted again.
    void Option3_Click(int Index);
    void Option4_Click(int Index);
    void Option5_Click(int Index) { m_engine.setTitleJustify(Index); }
    void Option6_Click(int Index);
    // Checks a box or selects an option from code, running its click
    // behaviour as a user's click does.
    void setCheck(int index, bool on);
    void choose(QRadioButton *const *group, int index, void (P001::*click)(int));
    void showFrame(int index, bool on);

    // --- The dialog: margins, ranges, copies, summary (P001Entries.cpp) --------------
    void ShowPagesStatus();
    // The pages the job gives as laid out now (full size, fitted to sheets,
    // or n up).
    long pagesOfLayout() const;
    void ShowMargins();
    void ShowPaperDetails();
    void LocatePaperImage();
    void RefreshPrinter();
    // Reads the page list into the print: true when Print can print it; an
    // invalid list, or one naming no page of the layout, is told.
    bool ValidatePageList();
    // Whether a page list is typed for the "Pages" range.
    bool pageListTyped() const;
    // Reads the typed list (what ParsePageList gives) into the print, and
    // counts the pages of the layout it prints into PageListCount.
    QVector<int> readPageList();
    static QString pageCount(long pages); // "1 page", "5 pages"
    // A page range the dialog filled in follows the layout's pages.
    void followPageRange();
    // A range the user typed that no longer matches the layout is pointed
    // out once before printing; false: the dialog stays open.
    bool typedRangeHolds();
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

    // --- Property values, read and set through the accessors above ------------------
    QPointer<flexgrid::FlexGrid> m_gridToPrint;
    QString m_formToPrint;
    QString m_reportTitle;
    float m_topMargin = 0;
    float m_bottomMargin = 0;
    float m_leftMargin = 0;
    float m_rightMargin = 0;
    int m_marginUnits = 0;
    bool m_allowDialogue = false;
    long m_titlePages = 0;
    long m_setEffects = 0;
    long m_pageNumbering = 0;
    long m_mergeRule = 0;
    long m_selectionPrintRule = 0;
    long m_multiColumnPrint = 0;
    long m_printerOrientation = 0;
    bool m_showProgress = false;
    std::function<QString(const QString &suggested)> m_chooseOutputFile;
    std::function<void(const QString &page, QWidget *dialog)> m_showHelp;
    std::function<std::optional<SetUpChoice>(const SetUpChoice &now)> m_runSetUp;
    int m_printCopies = 1;
    long m_requestPagesWide = 0;
    long m_requestPagesHigh = 0;
    bool m_printComplete = false;
    bool m_setPages = false;
    QVariant PrinterChoice;

    // --- The dialog's state ------------------------------------------------------------
    bool ReadingOptions = false;
    bool AbortPrint = false;
    bool SettingsChanged = false;
    long PageListCount = 0; // the pages of the layout the page list prints
    QString m_rangeFilled; // the page range the dialog filled in ("1-11")
    long m_rangeTotal = 0; // the layout's pages when the range was last read
    QString m_rangeToldFor; // the range and pages the user was last told of
    bool m_fileChosen = false; // the PDF file was chosen before the dialog closed
    QString m_sizeLowered; // the title's size was lowered: what the user is told
    int ProgressView = 0;
    qint64 m_progressShownAt = 0; // when the progress view last took its events (ms)
    // The margins the caller gave last (top, bottom, left, right, unit):
    // given again unchanged, the margins set since stay with the paper.
    std::array<float, 5> m_marginsGiven = {};
    bool m_printing = false;
    bool m_dialogOpen = false;
    QString m_pdfFolder;
    ListToPrint m_listToPrint;

    // --- The engine: pagination, rendering and the printer -------------------------------
    PrintEngine m_engine;
    std::unique_ptr<GridContents> m_gridContents;

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
    QLabel *Label1[17] = {}; // 16: the pages the title's size gives
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
