// The count as the dialog runs it: the engine lays the grid out, the user
// is told of what does not fit, and the summary follows; the list's
// selection kept and put back around a run.
#include "printing/P001.h"

#include "platform/winsys/Twips.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/core/Pointer.h"
#include "store/SharedState.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace printer;
using winsys::MsgBox;

namespace {

QString lines(std::initializer_list<const char *> parts)
{
    QStringList l;
    for (const char *p : parts)
        l << QString::fromLatin1(p);
    return l.join(QLatin1Char('\n'));
}

} // namespace


void P001::SaveSelection()
{
    const flexgrid::FlexGrid &g = *m_gridToPrint;
    PrintEngine::Selection selection;
    selection[0] = std::min(g.Row(), g.RowSel());
    selection[2] = std::max(g.Row(), g.RowSel());
    selection[1] = std::min(g.Col(), g.ColSel());
    selection[3] = std::max(g.Col(), g.ColSel());
    m_engine.setSavedSel(selection);
}

void P001::RestoreSelection()
{
    if (!m_gridToPrint)
        return;
    flexgrid::FlexGrid &g = *m_gridToPrint;
    // Only what moved is written back, with the list's cell handlers held.
    const bool wasBusy = tav::GridBusy();
    tav::SetGridBusy(true);
    const PrintEngine::Selection &selection = m_engine.savedSel();
    if (g.Col() != selection[1])
        g.SetCol(selection[1]);
    if (g.Row() != selection[0])
        g.SetRow(selection[0]);
    g.SetRowSel(selection[2]);
    g.SetColSel(selection[3]);
    tav::SetGridBusy(wasBusy);
}


// ---------------------------------------------------------------------------
// The count

bool P001::PageCountChanged()
{
    const long before = long(m_engine.pagesWide()) * m_engine.pagesHigh();
    CountPages(true);
    return long(m_engine.pagesWide()) * m_engine.pagesHigh() != before;
}

// ---------------------------------------------------------------------------
// Scaling to a number of sheets

// ---------------------------------------------------------------------------
// The page list

bool P001::askAboutFit(PrintEngine::FitProblem problem)
{
    switch (problem) {
    case PrintEngine::FitProblem::RowTooHigh:
        MsgBox(lines({"This report includes one, or more, row higher", "than the available page height on the current",
                      "default printer. Please adjust and try again."}),
               winsys::vbCritical, QStringLiteral("Invalid Grid Row Height"));
        return false;
    case PrintEngine::FitProblem::ColumnTooWide:
        MsgBox(lines({"This report includes one, or more, column wider", "than the available page width on the current",
                      "selected printer. Please change the Paper Size,",
                      "adjust the page margins, or resize the grid column."}),
               winsys::vbCritical, QStringLiteral("Invalid Grid Column Width"));
        return false;
    case PrintEngine::FitProblem::HeadingsTooHigh:
        return MsgBox(lines({"The Column headings exceed the available height of the current",
                             "default printer page. Would you like to cancel the", "repeat setting?"}),
                      winsys::vbYesNo | winsys::vbInformation, QStringLiteral("Unable to Repeat Page Headings"))
               == winsys::vbYes;
    case PrintEngine::FitProblem::CaptionsTooWide:
        return MsgBox(lines({"The row captions exceed the available width of the current",
                             "default printer page. Would you like to cancel the", "repeat setting?"}),
                      winsys::vbYesNo | winsys::vbInformation, QStringLiteral("Unable to Repeat Row Captions"))
               == winsys::vbYes;
    }
    return false;
}

void P001::CountPages(bool show)
{
    if (ReadingOptions || !m_gridToPrint)
        return;
    winsys::BusyPointer busy;
    bindGrid();
    keepTitleOnPage();
    if (!m_engine.CountPages(dialogVisible())) {
        if (!show)
            AbortPrint = true;
        else
            ShowPageSummary();
        tellSizeLowered();
        return;
    }
    // No events are handled here: a count runs when the focus leaves a box
    // or an arrow, inside the mouse press that moved it, and a release handled
    // before its press leaves an arrow repeating on its own.
    if (dialogVisible() || show)
        ShowPageSummary();
    SettingsChanged = false;
    tellSizeLowered();
}

void P001::keepTitleOnPage()
{
    // Every change that takes room from the page (paper, orientation,
    // printer, margins, the title's text) ends in a count, so the size is
    // checked against all of them here, not only when its own box changes.
    const double size = m_engine.titleFontSize();
    const double most = largestTitleSize(size);
    if (most < size)
        lowerTitleSize(QLocale::c().toString(size, 'f', 1), most);
}

double P001::largestTitleSize(double size)
{
    // In tenths, from 1.0 up. Where not even 1.0 leaves a row room, the
    // size stays: the count says what does not fit.
    if (size <= 1.0 || m_engine.titleSizeFits(size) || !m_engine.titleSizeFits(1.0))
        return size;
    return m_engine.largestFitting(10, int(std::ceil(size * 10 - 1e-6)), [this](int n) { return m_engine.titleSizeFits(n / 10.0); })
           / 10.0;
}

void P001::lowerTitleSize(const QString &was, double most)
{
    SetTitleFontSize(most);
    m_engine.countTitleAtSetSize();
    const QString now = QLocale::c().toString(m_engine.titleFontSize(), 'f', 1);
    if (Text1[9])
        Text1[9]->setText(now);
    if (dialogVisible())
        m_sizeLowered = QStringLiteral("%1: at %2 the title does not fit on the page with the list.\nThe size is now %3, the largest that fits.")
                            .arg(Label1[15]->text(), was, now);
}

void P001::tellSizeLowered()
{
    if (!m_sizeLowered.isEmpty())
        MsgBox(std::exchange(m_sizeLowered, QString()), winsys::vbExclamation, QStringLiteral("Title"));
}

QVector<int> P001::ParsePageList(const QString &text) { return PrintEngine::ParsePageList(text); }
