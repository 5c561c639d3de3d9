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
    ListPrinters();
    const flexgrid::FlexGrid &g = *GridToPrint;

    // Scaling: full size, n up when asked for, or the sheets the caller set.
    SheetsWide = m_pagesWide;
    SheetsHigh = m_pagesHigh;
    MultiUp = (MultiColumnPrint & 1) != 0;
    ScaleToFit = false;
    if (m_setPages && AllowDialogue) {
        MultiUp = false;
        SheetsWide = m_requestPagesWide;
        SheetsHigh = m_requestPagesHigh;
    }

    if (SelectionPrintRule == 0)
        SelectionPrintRule = 1;
    if (PrinterOrientation > 0) {
        CurrentPrinter().SetOrientation(int(PrinterOrientation));
        PaperOrientation = CurrentPrinter().Orientation();
    }
    if (m_printCopies < 1)
        m_printCopies = 1;

    GetMeasureSystem();
    const PaperInfo paper = GetPaperName();
    if (MarginUnits == 0)
        MarginUnits = paper.Measure == 1 ? vbInches : vbMillimeters;

    // Margins the caller gives belong to the orientation in force.
    Printer &P = CurrentPrinter();
    if (TopMargin + BottomMargin + LeftMargin + RightMargin > 0) {
        // The sides the caller leaves at 0 keep the margins set before,
        // turned to the paper as it lies now.
        Margins = m_marginsSet ? turnedMargins(m_setMargins, m_setMarginsOrientation, PaperOrientation) : PageArea{};
        if (TopMargin > 0)
            Margins.Top = P.ScaleY(TopMargin, int(MarginUnits), vbTwips);
        if (BottomMargin > 0)
            Margins.Bottom = P.ScaleY(BottomMargin, int(MarginUnits), vbTwips);
        if (LeftMargin > 0)
            Margins.Left = P.ScaleX(LeftMargin, int(MarginUnits), vbTwips);
        if (RightMargin > 0)
            Margins.Right = P.ScaleX(RightMargin, int(MarginUnits), vbTwips);
        rememberMargins();
    } else {
        Margins.IsSet = false;
        m_marginsSet = false;
    }
    GetPrintableArea();

    if (TitlePages == 0)
        TitlePages = DefaultTitlePages;
    m_top.TitlePlacement = 0;
    for (const auto &[bit, placement] : {std::pair{0x4L, 1}, {0x8L, 2}, {0x20L, 3}, {0x10L, 4}})
        if (TitlePages & bit)
            m_top.TitlePlacement = placement;
    if (g.FixedRows() > 0)
        m_top.RepeatHeads = (TitlePages & 0x200) != 0;
    RepeatCaptions = g.FixedCols() > 0 && (TitlePages & 0x1000) != 0;
    m_top.TitleJustify = (TitlePages & 0x100) ? 2 : (TitlePages & 0x80) ? 1 : 0;
    m_top.TitleBold = (TitlePages & 0x400) != 0;
    m_top.TitleUnderline = (TitlePages & 0x800) != 0;

    if (m_titleFontSize < 1.0f)
        m_titleFontSize = 1.0f;
    m_top.TitleFontSize = m_titleFontSize;

    if (SetEffects == 0)
        SetEffects = DefaultEffects;
    ShowGridLines = SetEffects & 0x2;
    ShowGridLineColours = SetEffects & 0x4;
    ShowTextColours = SetEffects & 0x8;
    ShowBackColours = SetEffects & 0x10;
    ShadeHeadings = SetEffects & 0x20;
    UseCellFonts = SetEffects & 0x40;

    if (PageNumbering == 0)
        PageNumbering = DefaultNumbering;
    NumberingMode = (PageNumbering & 0x4) ? 2 : (PageNumbering & 0x2) ? 1 : 0;
    PageOfPages = PageNumbering & 0x100;
    NumberPosition = 0;
    for (const auto &[bit, position] : {std::pair{0x10L, 0}, {0x800L, 1}, {0x8L, 2}, {0x20L, 3}, {0x40L, 4}, {0x80L, 5}})
        if (PageNumbering & bit)
            NumberPosition = position;
    // A number inside a margin needs room there for its line.
    const double lineHeight = P.TextHeight(QStringLiteral("P"));
    const bool roomBelow = Margins.Bottom > Unprintable.Bottom && lineHeight < Margins.Bottom - Unprintable.Bottom;
    const bool roomAbove = Margins.Top > Unprintable.Top && lineHeight < Margins.Top - Unprintable.Top;
    NumberBelowMargin = roomBelow && (PageNumbering & 0x400);
    NumberAboveMargin = roomAbove && (PageNumbering & 0x200) && !(PageNumbering & 0x400);

    SelectionOnly = false;
    const int merge = g.MergeCells();
    if (merge > 0) {
        MergeAcross = merge == 1 || merge == 4 || merge == 2;
        MergeDown = merge == 1 || merge == 4 || merge == 3;
        if (MergeRule == 0)
            MergeRule = DefaultMergeRule;
        MergedCellRule = (MergeRule & 0x4) ? 1 : 0;
    } else {
        MergeAcross = MergeDown = false;
        m_selectionOffered = false;
        if (AllowDialogue && !(SelectionPrintRule & 0x10)) {
            const bool offered = ((SelectionPrintRule & 0x1) && (g.Col() != g.ColSel() || g.Row() != g.RowSel()))
                                 || ((SelectionPrintRule & 0x2) && g.ColSel() != g.Col())
                                 || ((SelectionPrintRule & 0x4) && g.RowSel() != g.Row());
            m_selectionOffered = offered;
            SelectionOnly = offered && (SelectionPrintRule & 0x8);
        }
    }
    PageList.clear();
    PageListCount = 0;
    ReadingOptions = false;
    syncDialog();
}

void P001::syncDialog()
{
    const flexgrid::FlexGrid &g = *GridToPrint;
    ReadingOptions = true;
    const bool fit = m_setPages && AllowDialogue;
    Option1[fit ? 1 : MultiUp ? 2 : 0]->setChecked(true);
    Text1[0]->setText(QString::number(fit ? m_requestPagesWide : m_pagesWide));
    Text1[1]->setText(QString::number(fit ? m_requestPagesHigh : m_pagesHigh));
    for (int i = 0; i < 2; ++i) {
        Text1[i]->setEnabled(fit);
        UpDown1[i]->setEnabled(fit);
    }
    Line1[1]->hide();
    Option1[2]->hide();

    Frame1[11]->setEnabled(TitlePages & 0x1);
    Option3[m_top.TitlePlacement]->setChecked(true);
    Check1[4]->setVisible(g.FixedRows() > 0);
    Check1[4]->setChecked(m_top.RepeatHeads);
    Check1[12]->setVisible(g.FixedCols() > 0);
    Check1[12]->setChecked(RepeatCaptions);
    Option5[m_top.TitleJustify]->setChecked(true);
    Check1[8]->setChecked(m_top.TitleBold);
    Check1[7]->setChecked(m_top.TitleUnderline);
    Text1[9]->setText(QLocale::c().toString(m_titleFontSize, 'f', 1));
    Text1[3]->setText(ReportTitle);

    Check1[2]->setChecked(ShowGridLines);
    Check1[3]->setEnabled(ShowGridLines);
    Check1[3]->setChecked(ShowGridLineColours);
    Check1[1]->setChecked(ShowTextColours);
    Check1[0]->setChecked(ShowBackColours);
    Check1[9]->setEnabled(!ShowBackColours);
    Check1[9]->setChecked(ShadeHeadings);
    Frame1[8]->setEnabled(SetEffects & 0x1);

    Option4[NumberingMode]->setChecked(true);
    Check1[5]->setChecked(PageOfPages);
    Check1[6]->setChecked(PageNumbering & 0x400);
    Check1[10]->setChecked((PageNumbering & 0x200) && !(PageNumbering & 0x400));
    Combo1[1]->setCurrentIndex(NumberPosition);
    Frame1[10]->setEnabled(PageNumbering & 0x1);

    const int merge = g.MergeCells();
    Frame1[14]->setVisible(merge > 0);
    Frame1[14]->setEnabled(merge > 0 && (MergeRule & 0x1));
    Option6[MergedCellRule]->setChecked(true);
    Option2[1]->setEnabled(merge == 0 && m_selectionOffered);
    Option2[SelectionOnly ? 1 : 0]->setChecked(true);
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
