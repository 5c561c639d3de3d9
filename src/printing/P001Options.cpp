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
    const flexgrid::FlexGrid &g = *m_gridToPrint;
    readScaling();

    if (m_selectionPrintRule == 0)
        m_selectionPrintRule = 1;
    if (m_printerOrientation > 0) {
        CurrentPrinter().SetOrientation(int(m_printerOrientation));
        m_engine.setPaperOrientation(CurrentPrinter().Orientation());
    }
    if (m_printCopies < 1)
        m_printCopies = 1;

    m_engine.GetMeasureSystem();
    const PaperInfo paper = m_engine.GetPaperName();
    if (m_marginUnits == 0)
        m_marginUnits = paper.Measure == 1 ? vbInches : vbMillimeters;
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
    m_engine.setMultiUp((m_multiColumnPrint & 1) != 0);
    m_engine.setScaleToFit(false);
    if (m_setPages && m_allowDialogue) {
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
    const std::array<float, 5> given = {m_topMargin, m_bottomMargin, m_leftMargin, m_rightMargin, float(m_marginUnits)};
    if (m_topMargin + m_bottomMargin + m_leftMargin + m_rightMargin <= 0) {
        m_engine.forgetMargins();
        m_marginsGiven = {};
    } else if (given != m_marginsGiven) {
        m_marginsGiven = given;
        PageArea margins;
        margins.Top = P.ScaleY(std::max(0.0f, m_topMargin), int(m_marginUnits), vbTwips);
        margins.Bottom = P.ScaleY(std::max(0.0f, m_bottomMargin), int(m_marginUnits), vbTwips);
        margins.Left = P.ScaleX(std::max(0.0f, m_leftMargin), int(m_marginUnits), vbTwips);
        margins.Right = P.ScaleX(std::max(0.0f, m_rightMargin), int(m_marginUnits), vbTwips);
        m_engine.setMargins(margins);
        m_engine.rememberMargins();
    }
}

void P001::readTitle(const flexgrid::FlexGrid &g)
{
    if (m_titlePages == 0)
        m_titlePages = DefaultTitlePages;
    int titlePlacement = 0;
    for (const auto &[bit, placement] : {std::pair{0x4L, 1}, {0x8L, 2}, {0x20L, 3}, {0x10L, 4}})
        if (m_titlePages & bit)
            titlePlacement = placement;
    m_engine.setTitlePlacement(titlePlacement);
    if (g.FixedRows() > 0)
        m_engine.setRepeatHeads((m_titlePages & 0x200) != 0);
    m_engine.setRepeatCaptions(g.FixedCols() > 0 && (m_titlePages & 0x1000) != 0);
    m_engine.setTitleJustify((m_titlePages & 0x100) ? 2 : (m_titlePages & 0x80) ? 1 : 0);
    m_engine.setTitleBold((m_titlePages & 0x400) != 0);
    m_engine.setTitleUnderline((m_titlePages & 0x800) != 0);

    if (m_engine.titleFontSize() < 1.0f)
        m_engine.setTitleFontSize(1.0f);
    m_engine.countTitleAtSetSize();
}

void P001::readEffects()
{
    if (m_setEffects == 0)
        m_setEffects = DefaultEffects;
    PrintEngine::Effects effects;
    effects.ShowGridLines = m_setEffects & 0x2;
    effects.ShowGridLineColours = m_setEffects & 0x4;
    effects.ShowTextColours = m_setEffects & 0x8;
    effects.ShowBackColours = m_setEffects & 0x10;
    effects.ShadeHeadings = m_setEffects & 0x20;
    effects.UseCellFonts = m_setEffects & 0x40;
    m_engine.setEffects(effects);
}

void P001::readNumbering()
{
    if (m_pageNumbering == 0)
        m_pageNumbering = DefaultNumbering;
    PrintEngine::PageNumbering numbering = m_engine.numbering(); // the date and time stay as the dialog left them
    numbering.NumberingMode = (m_pageNumbering & 0x4) ? 2 : (m_pageNumbering & 0x2) ? 1 : 0;
    numbering.PageOfPages = m_pageNumbering & 0x100;
    numbering.NumberPosition = 0;
    for (const auto &[bit, position] : {std::pair{0x10L, 0}, {0x800L, 1}, {0x8L, 2}, {0x20L, 3}, {0x40L, 4}, {0x80L, 5}})
        if (m_pageNumbering & bit)
            numbering.NumberPosition = position;
    // A number inside a margin needs room there for its line.
    const double lineHeight = CurrentPrinter().TextHeight(QStringLiteral("P"));
    const PageArea &margins = m_engine.margins();
    const PageArea &strips = m_engine.unprintable();
    const bool roomBelow = margins.Bottom > strips.Bottom && lineHeight < margins.Bottom - strips.Bottom;
    const bool roomAbove = margins.Top > strips.Top && lineHeight < margins.Top - strips.Top;
    numbering.NumberBelowMargin = roomBelow && (m_pageNumbering & 0x400);
    numbering.NumberAboveMargin = roomAbove && (m_pageNumbering & 0x200) && !(m_pageNumbering & 0x400);
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
        if (m_mergeRule == 0)
            m_mergeRule = DefaultMergeRule;
        merging.MergedCellRule = (m_mergeRule & 0x4) ? 1 : 0;
    } else {
        merging.MergeAcross = merging.MergeDown = false;
        m_selectionOffered = false;
        if (m_allowDialogue && !(m_selectionPrintRule & 0x10)) {
            const bool offered = ((m_selectionPrintRule & 0x1) && (g.Col() != g.ColSel() || g.Row() != g.RowSel()))
                                 || ((m_selectionPrintRule & 0x2) && g.ColSel() != g.Col())
                                 || ((m_selectionPrintRule & 0x4) && g.RowSel() != g.Row());
            m_selectionOffered = offered;
            m_engine.setSelectionOnly(offered && (m_selectionPrintRule & 0x8));
        }
    }
    m_engine.setMerging(merging);
}

void P001::syncDialog()
{
    const flexgrid::FlexGrid &g = *m_gridToPrint;
    ReadingOptions = true;
    const bool fit = m_setPages && m_allowDialogue;
    Option1[fit ? 1 : m_engine.multiUp() ? 2 : 0]->setChecked(true);
    Text1[0]->setText(QString::number(fit ? m_requestPagesWide : m_engine.pagesWide()));
    Text1[1]->setText(QString::number(fit ? m_requestPagesHigh : m_engine.pagesHigh()));
    for (int i = 0; i < 2; ++i) {
        Text1[i]->setEnabled(fit);
        UpDown1[i]->setEnabled(fit);
    }
    Line1[1]->hide();
    Option1[2]->hide();

    Frame1[11]->setEnabled(m_titlePages & 0x1);
    Option3[m_engine.topBlock().TitlePlacement]->setChecked(true);
    Check1[4]->setVisible(g.FixedRows() > 0);
    Check1[4]->setChecked(m_engine.topBlock().RepeatHeads);
    Check1[12]->setVisible(g.FixedCols() > 0);
    Check1[12]->setChecked(m_engine.repeatCaptions());
    Option5[m_engine.topBlock().TitleJustify]->setChecked(true);
    Check1[8]->setChecked(m_engine.topBlock().TitleBold);
    Check1[7]->setChecked(m_engine.topBlock().TitleUnderline);
    Text1[9]->setText(QLocale::c().toString(m_engine.titleFontSize(), 'f', 1));
    Text1[3]->setText(m_reportTitle);

    const PrintEngine::Effects &effects = m_engine.effects();
    Check1[2]->setChecked(effects.ShowGridLines);
    Check1[3]->setEnabled(effects.ShowGridLines);
    Check1[3]->setChecked(effects.ShowGridLineColours);
    Check1[1]->setChecked(effects.ShowTextColours);
    Check1[0]->setChecked(effects.ShowBackColours);
    Check1[9]->setEnabled(!effects.ShowBackColours);
    Check1[9]->setChecked(effects.ShadeHeadings);
    Frame1[8]->setEnabled(m_setEffects & 0x1);

    Option4[m_engine.numbering().NumberingMode]->setChecked(true);
    Check1[5]->setChecked(m_engine.numbering().PageOfPages);
    Check1[6]->setChecked(m_pageNumbering & 0x400);
    Check1[10]->setChecked((m_pageNumbering & 0x200) && !(m_pageNumbering & 0x400));
    Combo1[1]->setCurrentIndex(m_engine.numbering().NumberPosition);
    Frame1[10]->setEnabled(m_pageNumbering & 0x1);

    const int merge = g.MergeCells();
    Frame1[14]->setVisible(merge > 0);
    Frame1[14]->setEnabled(merge > 0 && (m_mergeRule & 0x1));
    Option6[m_engine.merging().MergedCellRule]->setChecked(true);
    Option2[1]->setEnabled(merge == 0 && m_selectionOffered);
    Option2[m_engine.selectionOnly() ? 1 : 0]->setChecked(true);
    Text1[8]->clear();
    Text1[8]->setEnabled(false);
    m_rangeFilled.clear();
    m_rangeToldFor.clear();
    m_rangeTotal = 0;
    Check1[11]->setChecked(m_showProgress);
    Check1[11]->show();
    ReadingOptions = false;

    ShowPaperDetails();
    for (int i : {5, 6, 8, 11})
        Frame1[i]->hide();
    ShownPage = 0;
    TabStrip1->setCurrentIndex(0);
    TabStrip1_Click();
}
