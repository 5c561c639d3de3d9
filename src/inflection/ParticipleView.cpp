// The participle and imperative view: the declension of a verb's passive
// participle in -menos (msflxKlin) beside its imperatives (msflXImp): the
// imperative forms of IMPER and, behind their particles (shown, never
// stored), the second persons of the aorist subjunctive (KonT4) and of the
// present (KonT1).
#include "inflection/GrammarPanel.h"

#include "store/FormQueries.h"
#include "inflection/GrammarHost.h"
#include "inflection/PanelLayout.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/flexgrid/GridRoutines.h"
#include "store/CaptionArrays.h"
#include "store/SharedState.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

namespace tav {

using flexgrid::FlexGrid;

namespace {

constexpr int kParticipleLeft = 590;
constexpr int kImperativeHeadCol = 650;
constexpr int kImperativeLeft = 690;

const QString SqlPresentS2 = QStringLiteral("SELECT KonT1.S2a,KonT1.S2p FROM KonT1 WHERE ID  = ");
const QString SqlPresentP2 = QStringLiteral("SELECT KonT1.P2a,KonT1.P2p FROM KonT1 WHERE ID  = ");

} // namespace

void GrammarPanel::DeMenos(long MyColor, long long ID, int, bool)
{
    handFocusOn();
    beginView(ID);
    setEditorTag(tbN, QStringLiteral("KlinoMenos"));
    const auto leftOver = qScopeGuard([this] { hideUnloadedHeadings(); });
    // The verb boxes belong to the conjugation's headings; here they would
    // cover the participle's.
    tbAP->hide();
    tbPP->hide();
    showVoiceCaptions(false);
    FlexGrid &g = *msflxKlin;
    FillGridCells(g, MyColor, 4);
    const FormRow genders[3] = {ReadFormRowOf(SqlMenosM, ID, 6), ReadFormRowOf(SqlMenosF, ID, 6),
                                ReadFormRowOf(SqlMenosN, ID, 6)};
    // Rows 3 to 6, the second persons behind their particles: the simple
    // columns from the aorist subjunctive (KonT4), the continuous ones from
    // the present (KonT1): "na agaphvseiV", "na agapavV".
    const FormRow singular[2] = {ReadFormRowOf(SqlKonT4S2, ID, 2), ReadFormRowOf(SqlPresentS2, ID, 2)};
    const FormRow plural[2] = {ReadFormRowOf(SqlKonT4P2, ID, 2), ReadFormRowOf(SqlPresentP2, ID, 2)};
    const QStringList subjunctives[2] = {singular[0].fields + singular[1].fields, plural[0].fields + plural[1].fields};
    const QStringList imperatives[6] = {ReadFormRowOf(SqlImperSi, ID, 4).fields,
                                        ReadFormRowOf(SqlImperPl, ID, 4).fields,
                                        subjunctives[0], subjunctives[1], subjunctives[0], subjunctives[1]};

    SetGridFont(g, Caps1249);
    for (int gender = 0; gender < 3; ++gender)
        for (int r = 1; r < g.Rows(); ++r)
            g.SetTextMatrix(r, gender + 1, genders[gender].fields.value(r - 1));
    autoSizeColumns(g, 100);
    g.SetColWidth(0, 550);

    FlexGrid &imp = *msflXImp;
    SetGridFont(imp, Caps1373);
    HideIfFocused(imp);
    imp.SetRowHeight(0, 0);
    for (int r = 1; r < imp.Rows(); ++r) {
        for (int c = 1; c < imp.Cols(); ++c) {
            const QString form = imperatives[r - 1].value(c - 1);
            imp.SetTextMatrix(r, c, shownForm(imp, r, form));
        }
    }
    autoSizeColumns(imp, 90);
    imp.SetColWidth(0, kImperativeHeadCol);

    // On a narrow screen (800x600) the two grids would run past the window's
    // edge: their columns give up the room their texts and headings do not
    // need. What still does not fit scrolls with the panel.
    int total = kParticipleLeft + kImperativeLeft + lineAllowance(g) + lineAllowance(imp);
    for (FlexGrid *grid : {&g, &imp})
        for (int c = 1; c < grid->Cols(); ++c)
            total += grid->ColWidth(c);
    ColumnFloors floors{QList<int>(g.Cols(), 0), QList<int>(imp.Cols(), 0)};
    int caption = Caps1364.LBound();
    for (int grid = 0; grid < 2; ++grid)
        for (int c = 1; c < floors[grid].size(); ++c)
            floors[grid][c] = headingWidth(Caps1364(caption++));
    for (int grid = 0; grid < 2; ++grid) {
        FlexGrid &fg = grid == 0 ? g : imp;
        for (int c = 1; c < fg.Cols(); ++c) {
            if (fg.ColWidth(c) < floors[grid][c]) {
                total += floors[grid][c] - fg.ColWidth(c);
                fg.SetColWidth(c, floors[grid][c]);
            }
        }
    }
    fitColumns({&g, &imp}, total - winsys::PixelsToTwipsX(m_host.HostWindow()->width()), floors);

    PlaceHeadingLines(); // whatever labels the view before left
    SetGridHeadings(g, 2, 7, Caps1362, Caps1364, -1, -1, true);
    fitGridWidth(g);
    placeUnderLines(g, 1);
    spanHeading(lblTopLine[1], 1, 3);
    g.show();
    imp.move(g.geometry().right() + 1, imp.y());
    fitGridWidth(imp);
    placeUnderLines(imp, 4);
    spanHeading(lblTopLine[2], 4, 7);
    imp.show();
    fitPanelWidth();
}

} // namespace tav
