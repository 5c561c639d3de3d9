// Reading the option properties and bit sets into the working flags that
// the pagination and the page drawing read, with their defaults.
#include "printing/P001.h"

#include "platform/winsys/UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTabBar>

#include <algorithm>

using namespace printer;

namespace {
constexpr long DefaultTitlePages = 0x245;
constexpr long DefaultEffects = 0x53;
constexpr long DefaultNumbering = 0x185;
constexpr long DefaultMergeRule = 3;
} // namespace

void P001::ReadPrintOptions()
{
    ReadingOptions = true;
    bindGrid();
    ListPrinters();
    const flexgrid::FlexGrid &g = *GridToPrint;
    readScaling();

    if (SelectionPrintRule == 0)
        SelectionPrintRule = 1;
    if (PrinterOrientation > 0) {
        CurrentPrinter().SetOrientation(int(PrinterOrientation));
        m_engine.setPaperOrientation(CurrentPrinter().Orientation());
    }
    if (m_printCopies < 1)
        m_printCopies = 1;

    m_engine.GetMeasureSystem();
    const PaperInfo paper = m_engine.GetPaperName();
    if (MarginUnits == 0)
        MarginUnits = paper.Measure == 1 ? vbInches : vbMillimeters;
    readMargins();
    m_engine.GetPrintableArea();

    readTitle(g);
    readEffects();
    readNumbering();
    readMergingAndSelection(g);
    m_engine.setPageList({});
    PageListCount = 0;
    ReadingOptions = false;
    syncDialog();
}

// Scaling: full size, n up when asked for, or the sheets the caller set.
void P001::readScaling()
{
    m_engine.setSheetsWide(m_engine.pagesWide());
    m_engine.setSheetsHigh(m_engine.pagesHigh());
    m_engine.setMultiUp((MultiColumnPrint & 1) != 0);
    m_engine.setScaleToFit(false);
    if (m_setPages && AllowDialogue) {
        m_engine.setMultiUp(false);
        m_engine.setSheetsWide(m_requestPagesWide);
        m_engine.setSheetsHigh(m_requestPagesHigh);
    }
}

// Margins the caller gives belong to the orientation in force and make the
// whole set: a side left at 0 is the printer's strip. Given again unchanged
// at a later opening, they leave the margins and the orientation the user
// printed with as they are, together.
void P001::readMargins()
{
    Printer &P = CurrentPrinter();
    const std::array<float, 5> given = {TopMargin, BottomMargin, LeftMargin, RightMargin, float(MarginUnits)};
    if (TopMargin + BottomMargin + LeftMargin + RightMargin <= 0) {
        m_engine.forgetMargins();
        m_marginsGiven = {};
    } else if (given != m_marginsGiven) {
        m_marginsGiven = given;
        PageArea margins;
        margins.Top = P.ScaleY(std::max(0.0f, TopMargin), int(MarginUnits), vbTwips);
        margins.Bottom = P.ScaleY(std::max(0.0f, BottomMargin), int(MarginUnits), vbTwips);
        margins.Left = P.ScaleX(std::max(0.0f, LeftMargin), int(MarginUnits), vbTwips);
        margins.Right = P.ScaleX(std::max(0.0f, RightMargin), int(MarginUnits), vbTwips);
        m_engine.setMargins(margins);
        m_engine.rememberMargins();
    }
}

void P001::readTitle(const flexgrid::FlexGrid &g)
{
    if (TitlePages == 0)
        TitlePages = DefaultTitlePages;
    int titlePlacement = 0;
    for (const auto &[bit, placement] : {std::pair{0x4L, 1}, {0x8L, 2}, {0x20L, 3}, {0x10L, 4}})
        if (TitlePages & bit)
            titlePlacement = placement;
    m_engine.setTitlePlacement(titlePlacement);
    if (g.FixedRows() > 0)
        m_engine.setRepeatHeads((TitlePages & 0x200) != 0);
    m_engine.setRepeatCaptions(g.FixedCols() > 0 && (TitlePages & 0x1000) != 0);
    m_engine.setTitleJustify((TitlePages & 0x100) ? 2 : (TitlePages & 0x80) ? 1 : 0);
    m_engine.setTitleBold((TitlePages & 0x400) != 0);
    m_engine.setTitleUnderline((TitlePages & 0x800) != 0);

    if (m_engine.titleFontSize() < 1.0f)
        m_engine.setTitleFontSize(1.0f);
    m_engine.countTitleAtSetSize();
}

void P001::readEffects()
{
    if (SetEffects == 0)
        SetEffects = DefaultEffects;
    PrintEngine::Effects effects;
    effects.ShowGridLines = SetEffects & 0x2;
    effects.ShowGridLineColours = SetEffects & 0x4;
    effects.ShowTextColours = SetEffects & 0x8;
    effects.ShowBackColours = SetEffects & 0x10;
    effects.ShadeHeadings = SetEffects & 0x20;
    effects.UseCellFonts = SetEffects & 0x40;
    m_engine.setEffects(effects);
}

void P001::readNumbering()
{
    if (PageNumbering == 0)
        PageNumbering = DefaultNumbering;
    PrintEngine::PageNumbering numbering = m_engine.numbering(); // the date and time stay as the dialog left them
    numbering.NumberingMode = (PageNumbering & 0x4) ? 2 : (PageNumbering & 0x2) ? 1 : 0;
    numbering.PageOfPages = PageNumbering & 0x100;
    numbering.NumberPosition = 0;
    for (const auto &[bit, position] : {std::pair{0x10L, 0}, {0x800L, 1}, {0x8L, 2}, {0x20L, 3}, {0x40L, 4}, {0x80L, 5}})
        if (PageNumbering & bit)
            numbering.NumberPosition = position;
    // A number inside a margin needs room there for its line.
    const double lineHeight = CurrentPrinter().TextHeight(QStringLiteral("P"));
    const PageArea &margins = m_engine.margins();
    const PageArea &strips = m_engine.unprintable();
    const bool roomBelow = margins.Bottom > strips.Bottom && lineHeight < margins.Bottom - strips.Bottom;
    const bool roomAbove = margins.Top > strips.Top && lineHeight < margins.Top - strips.Top;
    numbering.NumberBelowMargin = roomBelow && (PageNumbering & 0x400);
    numbering.NumberAboveMargin = roomAbove && (PageNumbering & 0x200) && !(PageNumbering & 0x400);
    m_engine.setNumbering(numbering);
}

// A grid of merged cells prints whole; another may offer its selection.
void P001::readMergingAndSelection(const flexgrid::FlexGrid &g)
{
    m_engine.setSelectionOnly(false);
    PrintEngine::Merging merging = m_engine.merging();
    const int merge = g.MergeCells();
    if (merge > 0) {
        merging.MergeAcross = merge == 1 || merge == 4 || merge == 2;
        merging.MergeDown = merge == 1 || merge == 4 || merge == 3;
        if (MergeRule == 0)
            MergeRule = DefaultMergeRule;
        merging.MergedCellRule = (MergeRule & 0x4) ? 1 : 0;
    } else {
        merging.MergeAcross = merging.MergeDown = false;
        m_selectionOffered = false;
        if (AllowDialogue && !(SelectionPrintRule & 0x10)) {
            const bool offered = ((SelectionPrintRule & 0x1) && (g.Col() != g.ColSel() || g.Row() != g.RowSel()))
                                 || ((SelectionPrintRule & 0x2) && g.ColSel() != g.Col())
                                 || ((SelectionPrintRule & 0x4) && g.RowSel() != g.Row());
            m_selectionOffered = offered;
            m_engine.setSelectionOnly(offered && (SelectionPrintRule & 0x8));
        }
    }
    m_engine.setMerging(merging);
}

void P001::syncDialog()
{
    const flexgrid::FlexGrid &g = *GridToPrint;
    ReadingOptions = true;
    const bool fit = m_setPages && AllowDialogue;
    Option1[fit ? 1 : m_engine.multiUp() ? 2 : 0]->setChecked(true);
    Text1[0]->setText(QString::number(fit ? m_requestPagesWide : m_engine.pagesWide()));
    Text1[1]->setText(QString::number(fit ? m_requestPagesHigh : m_engine.pagesHigh()));
    for (int i = 0; i < 2; ++i) {
        Text1[i]->setEnabled(fit);
        UpDown1[i]->setEnabled(fit);
    }
    Line1[1]->hide();
    Option1[2]->hide();

    Frame1[11]->setEnabled(TitlePages & 0x1);
    Option3[m_engine.topBlock().TitlePlacement]->setChecked(true);
    Check1[4]->setVisible(g.FixedRows() > 0);
    Check1[4]->setChecked(m_engine.topBlock().RepeatHeads);
    Check1[12]->setVisible(g.FixedCols() > 0);
    Check1[12]->setChecked(m_engine.repeatCaptions());
    Option5[m_engine.topBlock().TitleJustify]->setChecked(true);
    Check1[8]->setChecked(m_engine.topBlock().TitleBold);
    Check1[7]->setChecked(m_engine.topBlock().TitleUnderline);
    Text1[9]->setText(QLocale::c().toString(m_engine.titleFontSize(), 'f', 1));
    Text1[3]->setText(ReportTitle);

    const PrintEngine::Effects &effects = m_engine.effects();
    Check1[2]->setChecked(effects.ShowGridLines);
    Check1[3]->setEnabled(effects.ShowGridLines);
    Check1[3]->setChecked(effects.ShowGridLineColours);
    Check1[1]->setChecked(effects.ShowTextColours);
    Check1[0]->setChecked(effects.ShowBackColours);
    Check1[9]->setEnabled(!effects.ShowBackColours);
    Check1[9]->setChecked(effects.ShadeHeadings);
    Frame1[8]->setEnabled(SetEffects & 0x1);

    Option4[m_engine.numbering().NumberingMode]->setChecked(true);
    Check1[5]->setChecked(m_engine.numbering().PageOfPages);
    Check1[6]->setChecked(PageNumbering & 0x400);
    Check1[10]->setChecked((PageNumbering & 0x200) && !(PageNumbering & 0x400));
    Combo1[1]->setCurrentIndex(m_engine.numbering().NumberPosition);
    Frame1[10]->setEnabled(PageNumbering & 0x1);

    const int merge = g.MergeCells();
    Frame1[14]->setVisible(merge > 0);
    Frame1[14]->setEnabled(merge > 0 && (MergeRule & 0x1));
    Option6[m_engine.merging().MergedCellRule]->setChecked(true);
    Option2[1]->setEnabled(merge == 0 && m_selectionOffered);
    Option2[m_engine.selectionOnly() ? 1 : 0]->setChecked(true);
    Text1[8]->clear();
    Text1[8]->setEnabled(false);
    Check1[11]->setChecked(ShowProgress);
    Check1[11]->show();
    ReadingOptions = false;

    ShowPaperDetails();
    for (int i : {5, 6, 8, 11})
        Frame1[i]->hide();
    ShownPage = 0;
    TabStrip1->setCurrentIndex(0);
    TabStrip1_Click();
}
