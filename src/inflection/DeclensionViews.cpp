// The declension views: DeKlino shows the three genders side by side (an
// adjective, or the definite article in the base state), NounDeKlino one
// noun in its gender beside the matching forms of the definite article.
#include "inflection/GrammarPanel.h"

#include "store/FormQueries.h"
#include "inflection/PanelLayout.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/flexgrid/GridRoutines.h"
#include "store/CaptionArrays.h"
#include "store/SharedState.h"

#include <QLabel>
#include <QScopeGuard>

namespace tav {

using flexgrid::FlexGrid;

namespace {

constexpr int kDeclensionHeadCol = 550;

const QString &GenderPrefix(int genus)
{
    switch (genus) {
    case 0:
        return SqlKlinoM;
    case 1:
        return SqlKlinoF;
    default:
        return SqlKlinoN;
    }
}

} // namespace

void GrammarPanel::DeKlino(long MyColor, long long ID, int wordKind)
{
    handFocusOn();
    beginView(ID);
    setEditorTag(tbN, QStringLiteral("Klino"));
    const auto leftOver = qScopeGuard([this] { hideUnloadedHeadings(); });
    FlexGrid &g = *msflxKlin;
    FillGridCells(g, MyColor, 4);
    const QString id = QString::number(ID);
    KlinoQDefs[0] = SqlKlinoM + id;
    KlinoQDefs[1] = SqlKlinoF + id;
    KlinoQDefs[2] = SqlKlinoN + id;
    SetGridFont(g, Caps1249);
    for (int gender = 0; gender < 3; ++gender) {
        const FormRow forms = ReadFormRowOf(GenderPrefix(gender), ID, 6);
        for (int r = 1; r < g.Rows(); ++r)
            g.SetTextMatrix(r, gender + 1, forms.fields.value(r - 1));
    }
    autoSizeColumns(g, 125);
    g.SetColWidth(0, kDeclensionHeadCol);
    PlaceHeadingLines(); // whatever labels the view before left
    SetGridHeadings(g, 1, 3, Caps1258, Caps1255, wordKind, -1, false);
    fitGridWidth(g);
    placeUnderLines(g, 1);
    spanHeading(lblTopLine[1], 1, g.Cols() - 1);
    g.show();
    fitPanelWidth();
}

void GrammarPanel::NounDeKlino(long MyColor, long long ID, int varGenus, int wordKind)
{
    handFocusOn();
    beginView(ID);
    setEditorTag(tbN, QStringLiteral("Klino"));
    const auto leftOver = qScopeGuard([this] { hideUnloadedHeadings(); });
    FlexGrid &g = *msflxKlin;
    FillGridCells(g, MyColor, 3);
    const QString &prefix = GenderPrefix(varGenus);
    KlinoQDefs[0] = prefix + QString::number(ArticleID);
    KlinoQDefs[1] = prefix + QString::number(ID);
    SetGridFont(g, Caps1249);
    const FormRow article = ReadFormRowOf(prefix, ArticleID, 6);
    const FormRow noun = ReadFormRowOf(prefix, ID, 6);
    m_articleForms = article.fields;
    for (int r = 1; r < g.Rows(); ++r) {
        g.SetTextMatrix(r, 1, NounArticleCell(r, m_articleForms.value(r - 1), noun.fields.value(r - 1)));
        g.SetTextMatrix(r, 2, noun.fields.value(r - 1));
    }
    autoSizeColumns(g, 125);
    g.SetColWidth(0, kDeclensionHeadCol);
    PlaceHeadingLines(); // whatever labels the view before left
    SetGridHeadings(g, 1, 2, Caps1258, Caps1255, wordKind, varGenus, false);
    fitGridWidth(g);
    placeUnderLines(g, 1);
    spanHeading(lblTopLine[1], 1, g.Cols() - 1);
    g.show();
    fitPanelWidth();
}

} // namespace tav
