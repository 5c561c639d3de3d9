// The participle and imperative view: the declension of a verb's passive
// participle in -menos (msflxKlin) beside its imperatives (msflXImp): the
// imperative forms of IMPER and the subjunctive second persons of KonT4
// behind their particles, which are shown, never stored.
#include "inflection/GrammarPanel.h"

#include "inflection/FormQueries.h"
#include "inflection/GrammarHost.h"
#include "inflection/PanelLayout.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/flexgrid/GridRoutines.h"
#include "store/CaptionArrays.h"
#include "store/SharedState.h"

#include <QLabel>
#include <QLineEdit>

namespace tav {

using flexgrid::FlexGrid;

namespace {

constexpr int kParticipleLeft = 590;
constexpr int kImperativeHeadCol = 650;
constexpr int kImperativeLeft = 690;

} // namespace

void GrammarPanel::DeMenos(long MyColor, long long ID, int, bool)
{
    beginView(ID);
    setEditorTag(tbN, QStringLiteral("KlinoMenos"));
    PlaceHeadingLines();
    // The verb boxes belong to the conjugation's headings; here they would
    // cover the participle's.
    for (QWidget *w : std::initializer_list<QWidget *>{tbAP, tbPP, lblAP, lblPP})
        w->hide();
    FlexGrid &g = *msflxKlin;
    FillGridCells(g, MyColor, 4);
    const QString id = QString::number(ID);
    const FormRow genders[3] = {ReadFormRow(SqlMenosM + id, 6), ReadFormRow(SqlMenosF + id, 6),
                                ReadFormRow(SqlMenosN + id, 6)};
    const QString imperativeSql[6] = {SqlImperSi, SqlImperPl, SqlKonT4S2, SqlKonT4P2, SqlKonT4S2, SqlKonT4P2};
    FormRow imperatives[6];
    for (int r = 0; r < 6; ++r)
        imperatives[r] = ReadFormRow(imperativeSql[r] + id, 4);

    SetGridFont(g, Caps1249);
    for (int gender = 0; gender < 3; ++gender)
        for (int r = 1; r < g.Rows(); ++r)
            g.SetTextMatrix(r, gender + 1, genders[gender].fields.value(r - 1));
    autoSizeColumns(g, 100);
    g.SetColWidth(0, 550);

    FlexGrid &imp = *msflXImp;
    SetGridFont(imp, Caps1373);
    imp.hide();
    imp.SetRowHeight(0, 0);
    for (int r = 1; r < imp.Rows(); ++r) {
        for (int c = 1; c < imp.Cols(); ++c) {
            const QString form = imperatives[r - 1].fields.value(c - 1);
            imp.SetTextMatrix(r, c, r <= 2 ? form : SubjunctiveCell(r, form));
        }
    }
    autoSizeColumns(imp, 90);
    imp.SetColWidth(0, kImperativeHeadCol);

    // On a narrow screen (800x600) the two grids would run past the window's
    // edge: their columns give up the room their texts do not need.
    int total = kParticipleLeft + kImperativeLeft + lineAllowance(g) + lineAllowance(imp);
    for (FlexGrid *grid : {&g, &imp})
        for (int c = 1; c < grid->Cols(); ++c)
            total += grid->ColWidth(c);
    fitColumns({&g, &imp}, total - winsys::PixelsToTwipsX(m_host.HostWindow()->width()));

    SetGridHeadings(g, 2, 7, Caps1362, Caps1364, -1, -1, true);
    placeUnderLines(g, 1, 1, 3, LeftTw(&g) + kParticipleLeft);
    const int participleWidths = g.ColWidth(1) + g.ColWidth(2) + g.ColWidth(3);
    SetLeftTw(lblTopLine[1], LeftTw(lblUnderLine[1]));
    SetWidthTw(lblTopLine[1], participleWidths);
    SetWidthTw(&g, kParticipleLeft + participleWidths + lineAllowance(g));
    g.show();
    SetLeftTw(&imp, LeftTw(&g) + WidthTw(&g));

    int imperativeWidths = 0;
    for (int c = 1; c < imp.Cols(); ++c)
        imperativeWidths += imp.ColWidth(c);
    placeUnderLines(imp, 4, 1, imp.Cols() - 1, LeftTw(&g) + WidthTw(&g) + kImperativeLeft);
    SetLeftTw(lblTopLine[2], LeftTw(lblUnderLine[4]));
    SetWidthTw(lblTopLine[2], imperativeWidths);
    SetWidthTw(&imp, kImperativeLeft + imperativeWidths + lineAllowance(imp));
    imp.show();
}

} // namespace tav
