// The declension views: DeKlino shows the three genders side by side (an
// adjective, or the definite article in the base state), NounDeKlino one
// noun in its gender beside the matching forms of the definite article.
#include "inflection/GrammarPanel.h"

#include "inflection/FormQueries.h"
#include "inflection/PanelLayout.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/flexgrid/GridRoutines.h"
#include "store/CaptionArrays.h"
#include "store/SharedState.h"

#include <QLabel>

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
    beginView(ID);
    setEditorTag(tbN, QStringLiteral("Klino"));
    if (lblUnderLine.size() > 2)
        PlaceHeadingLines();
    FlexGrid &g = *msflxKlin;
    FillGridCells(g, MyColor, 4);
    const QString id = QString::number(ID);
    KlinoQDefs[0] = SqlKlinoM + id;
    KlinoQDefs[1] = SqlKlinoF + id;
    KlinoQDefs[2] = SqlKlinoN + id;
    SetGridFont(g, Caps1249);
    for (int gender = 0; gender < 3; ++gender) {
        const FormRow forms = ReadFormRow(KlinoQDefs[gender], 6);
        for (int r = 1; r < g.Rows(); ++r)
            g.SetTextMatrix(r, gender + 1, forms.fields.value(r - 1));
    }
    autoSizeColumns(g, 125);
    g.SetColWidth(0, kDeclensionHeadCol);
    if (lblUnderLine.size() <= 2)
        SetGridHeadings(g, 1, 3, Caps1258, Caps1255, wordKind, -1, false);
    placeUnderLines(g, 1, 1, g.Cols() - 1, LeftTw(&g) + kDeclensionHeadCol);
    SetLeftTw(lblTopLine[1], LeftTw(lblUnderLine[1]));
    SetWidthTw(lblTopLine[1], g.ColWidth(1) + g.ColWidth(2) + g.ColWidth(3));
    SetWidthTw(&g, kDeclensionHeadCol + g.ColWidth(1) + g.ColWidth(2) + g.ColWidth(3) + lineAllowance(g));
    g.show();
}

void GrammarPanel::NounDeKlino(long MyColor, long long ID, int varGenus, int wordKind)
{
    beginView(ID);
    setEditorTag(tbN, QStringLiteral("Klino"));
    if (lblUnderLine.size() > 2)
        PlaceHeadingLines();
    FlexGrid &g = *msflxKlin;
    FillGridCells(g, MyColor, 3);
    const QString &prefix = GenderPrefix(varGenus);
    KlinoQDefs[0] = prefix + QString::number(ArticleID);
    KlinoQDefs[1] = prefix + QString::number(ID);
    SetGridFont(g, Caps1249);
    const FormRow article = ReadFormRow(KlinoQDefs[0], 6);
    const FormRow noun = ReadFormRow(KlinoQDefs[1], 6);
    for (int r = 1; r < g.Rows(); ++r) {
        QString articleForm = article.fields.value(r - 1);
        if (r == 2 && article.found && noun.found)
            articleForm = AccusativeArticle(articleForm, noun.fields.value(1));
        g.SetTextMatrix(r, 1, articleForm);
        g.SetTextMatrix(r, 2, noun.fields.value(r - 1));
    }
    autoSizeColumns(g, 125);
    g.SetColWidth(0, kDeclensionHeadCol);
    if (lblUnderLine.size() <= 2)
        SetGridHeadings(g, 1, 2, Caps1258, Caps1255, wordKind, varGenus, false);
    placeUnderLines(g, 1, 1, g.Cols() - 1, LeftTw(&g) + kDeclensionHeadCol);
    SetLeftTw(lblTopLine[1], LeftTw(lblUnderLine[1]));
    SetWidthTw(lblTopLine[1], g.ColWidth(1) + g.ColWidth(2));
    SetWidthTw(&g, kDeclensionHeadCol + g.ColWidth(1) + g.ColWidth(2) + lineAllowance(g));
    g.show();
}

} // namespace tav
