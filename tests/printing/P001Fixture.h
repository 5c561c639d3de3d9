#pragma once
// A print window on a recording printer, and grids to print.

#include "RecordingPrinter.h"
#include "platform/flexgrid/FlexGrid.h"
#include "printing/P001.h"

#include <QProgressBar>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class P001Test : public ::testing::Test {
protected:
    P001Test();
    ~P001Test() override;

    // A grid of rows x cols (heading row included) with one fixed row, every
    // column colWidth twips wide and every row rowHeight twips high; headings
    // "H<c>", cells "r<r>c<c>"; font 10 points.
    flexgrid::FlexGrid &MakeGrid(int rows, int cols, int colWidth = 2000, int rowHeight = 300);
    // Bare pagination: no title, no page numbers, heading rows repeated,
    // margins in twips.
    void PlainLayout(double top = 0, double bottom = 0, double left = 0, double right = 0);
    void Count() { print.CountGridPages(); }
    void Print() { print.PrintGridAPI(); }
    // A run through the dialog: once it shows, inDialog acts on it, then
    // Print is pressed if the dialog is still open.
    void PrintThroughDialog(const std::function<void()> &inDialog = {});
    // Chooses a printer in the Printer tab's list as a user does.
    void ChoosePrinter(const QString &name);
    // Three recording printers of different papers and strips: "Alpha" (the
    // fixture's paper, no strips), "Beta" (Letter, 12.7 mm strips all round)
    // and "Gamma" (A5); "Alpha" is the default.
    std::shared_ptr<tavtest::RecordingSource> ThreePrinters();
    // The three and "PDF file", a printer that writes a file (one copy a
    // job); fileInUse: the file is the default.
    std::shared_ptr<tavtest::RecordingSource> ThreePrintersAndAFile(bool fileInUse = false);

    // Private state the checks read.
    const QVector<QVector<P001::BandRecord>> &Sections() const { return print.m_engine.sections(); }
    long SheetsWide() const { return print.m_engine.sheetsWide(); }
    long PagesCounted() const { return long(print.m_engine.pagesWide()) * print.m_engine.pagesHigh(); }
    double FontSizeOfScaledJob() { return print.m_engine.CalcScaleFactor(false); }
    P001::CellTextFit Fit(const QString &text, double w, double h);
    // Opens the options dialog as a run does before it waits for Print
    // (shown, not modal).
    void OpenOptions();
    // Gives the options dialog its fixed size, as a run does before it waits.
    void FitDialog() { print.Form_Resize(); }
    // Shows the progress face (or the options face again), as a run does.
    void ProgressFace(bool on, int total = 0)
    {
        if (total > 0)
            print.ProgressBar1->setMaximum(total);
        print.ProgressView = on ? 1 : 0;
        print.Form_Resize();
    }
    // The progress face at a page of the run.
    void ProgressAt(int page, int total) { print.showProgress(page, total); }
    // A control of the dialog by its name, as its own type.
    template <typename T>
    T *C(const QString &name) const
    {
        T *w = qobject_cast<T *>(print.Control(name));
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    // Types a text into a box as a user does: focus in, text, focus out.
    void Type(const QString &box, const QString &text);
    QString StatusPanel(int i) const;
    bool MultiUp() const { return print.m_engine.multiUp(); }
    // Whether the title at its size, the heading rows and a row fit the page
    // as it is set now.
    bool TitleFitsPage() { return print.m_engine.titleSizeFits(print.m_engine.titleFontSize()); }
    bool TitleFitsAt(double size) { return print.m_engine.titleSizeFits(size); }
    double MarginTwips(int side) const; // 0 top, 1 bottom, 2 left, 3 right

    tavtest::Recording rec;
    P001 print;
    std::unique_ptr<flexgrid::FlexGrid> grid;
};
