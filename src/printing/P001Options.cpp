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

    // Scaling: full size, n up when asked for, or the sheets the caller set.
    m_engine.SheetsWide = m_engine.m_pagesWide;
    m_engine.SheetsHigh = m_engine.m_pagesHigh;
    m_engine.MultiUp = (MultiColumnPrint & 1) != 0;
    m_engine.ScaleToFit = false;
    if (m_setPages && AllowDialogue) {
        m_engine.MultiUp = false;
        m_engine.SheetsWide = m_requestPagesWide;
        m_engine.SheetsHigh = m_requestPagesHigh;
    }

    if (SelectionPrintRule == 0)
        SelectionPrintRule = 1;
    if (PrinterOrientation > 0) {
        CurrentPrinter().SetOrientation(int(PrinterOrientation));
        m_engine.PaperOrientation = CurrentPrinter().Orientation();
    }
    if (m_printCopies < 1)
        m_printCopies = 1;

    m_engine.GetMeasureSystem();
    const PaperInfo paper = m_engine.GetPaperName();
    if (MarginUnits == 0)
        MarginUnits = paper.Measure == 1 ? vbInches : vbMillimeters;

    // Margins the caller gives belong to the orientation in force and make
    // the whole set: a side left at 0 is the printer's strip. Given again
    // unchanged at a later opening, they leave the margins and the
    // orientation the user printed with as they are, together.
    Printer &P = CurrentPrinter();
    const std::array<float, 5> given = {TopMargin, BottomMargin, LeftMargin, RightMargin, float(MarginUnits)};
    if (TopMargin + BottomMargin + LeftMargin + RightMargin <= 0) {
        m_engine.forgetMargins();
        m_marginsGiven = {};
    } else if (given != m_marginsGiven) {
        m_marginsGiven = given;
        m_engine.Margins = PageArea{};
        m_engine.Margins.Top = P.ScaleY(std::max(0.0f, TopMargin), int(MarginUnits), vbTwips);
        m_engine.Margins.Bottom = P.ScaleY(std::max(0.0f, BottomMargin), int(MarginUnits), vbTwips);
        m_engine.Margins.Left = P.ScaleX(std::max(0.0f, LeftMargin), int(MarginUnits), vbTwips);
        m_engine.Margins.Right = P.ScaleX(std::max(0.0f, RightMargin), int(MarginUnits), vbTwips);
        m_engine.rememberMargins();
    }
    m_engine.GetPrintableArea();

    if (TitlePages == 0)
        TitlePages = DefaultTitlePages;
    m_engine.m_top.TitlePlacement = 0;
    for (const auto &[bit, placement] : {std::pair{0x4L, 1}, {0x8L, 2}, {0x20L, 3}, {0x10L, 4}})
        if (TitlePages & bit)
            m_engine.m_top.TitlePlacement = placement;
    if (g.FixedRows() > 0)
        m_engine.m_top.RepeatHeads = (TitlePages & 0x200) != 0;
    m_engine.RepeatCaptions = g.FixedCols() > 0 && (TitlePages & 0x1000) != 0;
    m_engine.m_top.TitleJustify = (TitlePages & 0x100) ? 2 : (TitlePages & 0x80) ? 1 : 0;
    m_engine.m_top.TitleBold = (TitlePages & 0x400) != 0;
    m_engine.m_top.TitleUnderline = (TitlePages & 0x800) != 0;

    if (m_engine.m_titleFontSize < 1.0f)
        m_engine.m_titleFontSize = 1.0f;
    m_engine.m_top.TitleFontSize = m_engine.m_titleFontSize;

    if (SetEffects == 0)
        SetEffects = DefaultEffects;
    m_engine.ShowGridLines = SetEffects & 0x2;
    m_engine.ShowGridLineColours = SetEffects & 0x4;
    m_engine.ShowTextColours = SetEffects & 0x8;
    m_engine.ShowBackColours = SetEffects & 0x10;
    m_engine.ShadeHeadings = SetEffects & 0x20;
    m_engine.UseCellFonts = SetEffects & 0x40;

    if (PageNumbering == 0)
        PageNumbering = DefaultNumbering;
    m_engine.NumberingMode = (PageNumbering & 0x4) ? 2 : (PageNumbering & 0x2) ? 1 : 0;
    m_engine.PageOfPages = PageNumbering & 0x100;
    m_engine.NumberPosition = 0;
    for (const auto &[bit, position] : {std::pair{0x10L, 0}, {0x800L, 1}, {0x8L, 2}, {0x20L, 3}, {0x40L, 4}, {0x80L, 5}})
        if (PageNumbering & bit)
            m_engine.NumberPosition = position;
    // A number inside a margin needs room there for its line.
    const double lineHeight = P.TextHeight(QStringLiteral("P"));
    const bool roomBelow = m_engine.Margins.Bottom > m_engine.Unprintable.Bottom && lineHeight < m_engine.Margins.Bottom - m_engine.Unprintable.Bottom;
    const bool roomAbove = m_engine.Margins.Top > m_engine.Unprintable.Top && lineHeight < m_engine.Margins.Top - m_engine.Unprintable.Top;
    m_engine.NumberBelowMargin = roomBelow && (PageNumbering & 0x400);
    m_engine.NumberAboveMargin = roomAbove && (PageNumbering & 0x200) && !(PageNumbering & 0x400);

    m_engine.SelectionOnly = false;
    const int merge = g.MergeCells();
    if (merge > 0) {
        m_engine.MergeAcross = merge == 1 || merge == 4 || merge == 2;
        m_engine.MergeDown = merge == 1 || merge == 4 || merge == 3;
        if (MergeRule == 0)
            MergeRule = DefaultMergeRule;
        m_engine.MergedCellRule = (MergeRule & 0x4) ? 1 : 0;
    } else {
        m_engine.MergeAcross = m_engine.MergeDown = false;
        m_selectionOffered = false;
        if (AllowDialogue && !(SelectionPrintRule & 0x10)) {
            const bool offered = ((SelectionPrintRule & 0x1) && (g.Col() != g.ColSel() || g.Row() != g.RowSel()))
                                 || ((SelectionPrintRule & 0x2) && g.ColSel() != g.Col())
                                 || ((SelectionPrintRule & 0x4) && g.RowSel() != g.Row());
            m_selectionOffered = offered;
            m_engine.SelectionOnly = offered && (SelectionPrintRule & 0x8);
        }
    }
    m_engine.PageList.clear();
    PageListCount = 0;
    ReadingOptions = false;
    syncDialog();
}

void P001::syncDialog()
{
    const flexgrid::FlexGrid &g = *GridToPrint;
    ReadingOptions = true;
    const bool fit = m_setPages && AllowDialogue;
    Option1[fit ? 1 : m_engine.MultiUp ? 2 : 0]->setChecked(true);
    Text1[0]->setText(QString::number(fit ? m_requestPagesWide : m_engine.m_pagesWide));
    Text1[1]->setText(QString::number(fit ? m_requestPagesHigh : m_engine.m_pagesHigh));
    for (int i = 0; i < 2; ++i) {
        Text1[i]->setEnabled(fit);
        UpDown1[i]->setEnabled(fit);
    }
    Line1[1]->hide();
    Option1[2]->hide();

    Frame1[11]->setEnabled(TitlePages & 0x1);
    Option3[m_engine.m_top.TitlePlacement]->setChecked(true);
    Check1[4]->setVisible(g.FixedRows() > 0);
    Check1[4]->setChecked(m_engine.m_top.RepeatHeads);
    Check1[12]->setVisible(g.FixedCols() > 0);
    Check1[12]->setChecked(m_engine.RepeatCaptions);
    Option5[m_engine.m_top.TitleJustify]->setChecked(true);
    Check1[8]->setChecked(m_engine.m_top.TitleBold);
    Check1[7]->setChecked(m_engine.m_top.TitleUnderline);
    Text1[9]->setText(QLocale::c().toString(m_engine.m_titleFontSize, 'f', 1));
    Text1[3]->setText(ReportTitle);

    Check1[2]->setChecked(m_engine.ShowGridLines);
    Check1[3]->setEnabled(m_engine.ShowGridLines);
    Check1[3]->setChecked(m_engine.ShowGridLineColours);
    Check1[1]->setChecked(m_engine.ShowTextColours);
    Check1[0]->setChecked(m_engine.ShowBackColours);
    Check1[9]->setEnabled(!m_engine.ShowBackColours);
    Check1[9]->setChecked(m_engine.ShadeHeadings);
    Frame1[8]->setEnabled(SetEffects & 0x1);

    Option4[m_engine.NumberingMode]->setChecked(true);
    Check1[5]->setChecked(m_engine.PageOfPages);
    Check1[6]->setChecked(PageNumbering & 0x400);
    Check1[10]->setChecked((PageNumbering & 0x200) && !(PageNumbering & 0x400));
    Combo1[1]->setCurrentIndex(m_engine.NumberPosition);
    Frame1[10]->setEnabled(PageNumbering & 0x1);

    const int merge = g.MergeCells();
    Frame1[14]->setVisible(merge > 0);
    Frame1[14]->setEnabled(merge > 0 && (MergeRule & 0x1));
    Option6[m_engine.MergedCellRule]->setChecked(true);
    Option2[1]->setEnabled(merge == 0 && m_selectionOffered);
    Option2[m_engine.SelectionOnly ? 1 : 0]->setChecked(true);
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
