// The conjugation view: one verb in one voice, six persons in rows and five
// tense columns: KonT1, KonT2, KonT3 as stored, column 4 a compound tense
// composed of the auxiliary "have" and the verb's third person of KonT4, and
// column 5 KonT4 (or KonT1 for "Continuous" and for the auxiliary itself).
#include "inflection/GrammarPanel.h"

#include "store/FormQueries.h"
#include "inflection/GrammarHost.h"
#include "inflection/PanelLayout.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/flexgrid/FlexGrid.h"
#include "store/CaptionArrays.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/WindowRoutines.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>

namespace tav {

using flexgrid::FlexGrid;

namespace {

constexpr int kConjugationHeadCol = 550;

// The six forms of a voice of a conjugation table, for the word ?1.
QString PersonsSql(const QString &table, const QString &voice)
{
    QString sql = QStringLiteral("SELECT ");
    const char *persons[6] = {"S1", "S2", "S3", "P1", "P2", "P3"};
    for (int i = 0; i < 6; ++i) {
        if (i > 0)
            sql += QLatin1Char(',');
        sql += table + QLatin1Char('.') + QLatin1String(persons[i]) + voice;
    }
    return sql + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE ID = ?1");
}

FormRow ReadPersons(const QString &table, const QString &voice, long long ID)
{
    return ReadFormRow(PersonsSql(table, voice), 6, {ID});
}

// The auxiliary's forms; none when there is no auxiliary.
FormRow AuxiliaryForms(bool pastPerfect)
{
    if (HaveID == 0)
        return FormRow{false, QStringList(6, QString())};
    return ReadFormRow(pastPerfect ? SqlHaveKonT3 : SqlHaveKonT1, 6);
}

void FillColumn(FlexGrid &grid, int col, const FormRow &forms)
{
    for (int r = 1; r < grid.Rows(); ++r)
        grid.SetTextMatrix(r, col, forms.fields.value(r - 1));
}

} // namespace

void GrammarPanel::fillCompoundColumn(long long ID, const QString &voice, const QString *knownS3)
{
    const FormRow aux = AuxiliaryForms(opHad[1]->isChecked());
    const QString s3 = knownS3 ? *knownS3 : ReadFormRow(QStringLiteral("SELECT KonT4.S3") + voice + QStringLiteral(" FROM KonT4 WHERE ID = ?1"), 1, {ID})
                                             .fields.value(0);
    for (int r = 1; r < msflxKlin->Rows(); ++r)
        msflxKlin->SetTextMatrix(r, 4, CompoundForm(aux.fields.value(r - 1), s3));
}

FormRow GrammarPanel::fillColumn5(long long ID, const QString &voice)
{
    FormRow forms = ReadPersons(m_state.column5Table, voice, ID);
    FillColumn(*msflxKlin, 5, forms);
    return forms;
}

// The five tense columns share the main window's width, as far as the panel
// shows it beside the row captions (a column's part of it, in twips).
int GrammarPanel::conjugationColumnWidth(const FlexGrid &g) const
{
    const int outerWidth = winsys::PixelsToTwipsX(m_host.HostWindow()->frameGeometry().width());
    int colWidth = std::max(0, int(std::lround((outerWidth - kConjugationHeadCol) / 5.0)));
    // The panel is shown in the frame's scrolling area, its parent.
    const QWidget *sight = m_picBottom->parentWidget();
    if (!sight || !m_picBottom->isVisible())
        return colWidth;
    const int frames = g.width() - g.contentsRect().width();
    const int room = (sight->width() - frames - g.TwipsToPixelsX(kConjugationHeadCol)) / 5;
    while (colWidth > 0 && g.TwipsToPixelsX(colWidth) > room)
        colWidth = std::min(colWidth - 1, g.PixelsToTwipsX(room));
    return colWidth;
}

// The width (twips) each tense column asks for: its longest form, and
// room for what its headings hold (the caption, the verb boxes over column
// 1, the option frames over columns 4 and 5).
QList<int> GrammarPanel::conjugationNeeds(const FlexGrid &g) const
{
    QList<int> needs = textWidths(g);
    const int frameMargin = 2 * lblUnderLine[1]->frameWidth(); // the heading's border on both sides
    // The verb boxes start over the row captions' column.
    const int boxes = std::max(0, 20 + kVoiceLabelWidth + kVoiceBoxWidth - kConjugationHeadCol);
    const int floors[6] = {0,
                           boxes + std::max(headingWidth(Caps1219(1219)), headingWidth(Caps1235(1235))),
                           headingWidth(Caps1219(1220)),
                           headingWidth(Caps1219(1221)),
                           winsys::PixelsToTwipsX(fraHad->width() + frameMargin),
                           std::max(winsys::PixelsToTwipsX(fraSimple->width() + frameMargin),
                                    headingWidth(Caps1235(1237)))};
    for (int c = 1; c <= 5; ++c)
        needs[c] = std::max(needs[c], floors[c]);
    return needs;
}

// The five tense columns share the room by what they hold: each gets what
// its forms and headings need and an equal part of the rest, so that a long
// compound tense takes the room a short present leaves. Where the room is
// less than they need, each keeps what it needs and the panel scrolls
// sideways to the columns past the window's edge: no form is cut.
void GrammarPanel::shareConjugationWidth(FlexGrid &g, int columnWidth)
{
    // Shared in whole pixels, so that together they take no pixel more than
    // five columns of the given width.
    const int room = 5 * g.TwipsToPixelsX(columnWidth);
    QList<int> widths;
    int total = 0;
    for (int need : conjugationNeeds(g).mid(1, 5)) {
        widths << g.TwipsToPixelsX(need);
        total += widths.last();
    }
    if (total < room) {
        for (int &width : widths)
            width += (room - total) / 5;
        widths.last() += (room - total) % 5;
    }
    for (int c = 1; c <= 5; ++c)
        g.SetColWidth(c, g.PixelsToTwipsX(widths[c - 1]));
}

void GrammarPanel::DeKonju(long MyColor, long long ID, const QString &Voice)
{
    beginView(ID);
    setVoice(Voice);
    setEditorTag(tbN, QStringLiteral("NewKon") + Voice);
    m_state.column5Table = (ID == HaveID || opSimple[1]->isChecked()) ? QStringLiteral("KonT1") : QStringLiteral("KonT4");

    const FormRow tenses[3] = {ReadPersons(QStringLiteral("KonT1"), Voice, ID),
                               ReadPersons(QStringLiteral("KonT2"), Voice, ID),
                               ReadPersons(QStringLiteral("KonT3"), Voice, ID)};

    FlexGrid &g = *msflxKlin;
    g.SetCols(1);
    g.SetRowHeight(0, 0);
    g.SetCols(6);
    g.SetBackColor(MyColor);
    g.SetRangeBackColor(1, 1, g.Rows() - 1, g.Cols() - 1, 0);
    SetGridFont(g, Caps1240);
    for (int n = 1; n <= 3; ++n)
        FillColumn(g, n, tenses[n - 1]);
    const FormRow column5 = fillColumn5(ID, Voice);
    // Column 5 from KonT4 already holds the third person column 4 needs.
    const QString s3 = column5.fields.value(2);
    fillCompoundColumn(ID, Voice, m_state.column5Table == QLatin1String("KonT4") ? &s3 : nullptr);
    g.SetRangeBackColor(1, 2, g.Rows() - 1, 4, ColorYellow);
    layOutConjugation();
}

// The columns, their headings and the controls over them, for the forms the
// grid holds.
void GrammarPanel::layOutConjugation()
{
    FlexGrid &g = *msflxKlin;
    g.SetColWidth(0, kConjugationHeadCol);
    shareConjugationWidth(g, conjugationColumnWidth(g));
    fitGridWidth(g);

    // The conjugation's headings stay from one verb to the next: unloading
    // and loading them again would repaint them, and the panel under them.
    useConjugationHeadings();
    SetGridHeadings(g, kConjugationTopCount, kConjugationUnderCount, Caps1235, Caps1219, -1, -1, false);

    placeUnderLines(g, 1);
    spanHeading(lblTopLine[1], 1, 1);
    PaintLabel(lblTopLine[1], ColorWhite);
    PaintLabel(lblUnderLine[1], ColorWhite);
    for (int c = 2; c <= 4; ++c)
        PaintLabel(lblUnderLine[c], ColorYellow);
    spanHeading(lblTopLine[2], 2, 4);
    PaintLabel(lblTopLine[2], ColorYellow);
    spanHeading(lblTopLine[3], 5, 5);
    PaintLabel(lblTopLine[3], ColorWhite);
    PaintLabel(lblUnderLine[5], ColorWhite);
    g.show();
    fitPanelWidth();

    SetTopTw(lblAP, TopTw(lblTopLine[1]) + 60);
    SetLeftTw(lblAP, 20);
    SetHeightTw(lblAP, HeightTw(tbAP));
    SetTopTw(tbAP, TopTw(lblAP) - 60);
    SetLeftTw(tbAP, LeftTw(lblAP) + WidthTw(lblAP));
    SetTopTw(lblPP, TopTw(tbAP) + HeightTw(tbAP) + 60);
    SetLeftTw(lblPP, 20);
    SetHeightTw(lblPP, HeightTw(tbPP));
    SetTopTw(tbPP, TopTw(lblPP) - 60);
    SetLeftTw(tbPP, LeftTw(lblPP) + WidthTw(lblPP));
    fitVoiceBoxes();
    tbAP->show();
    tbPP->show();
    // The boxes stand over the left end of column 1's headings: their
    // captions centre in the rest.
    // (A frame is drawn around a label's contents: its margins start with
    // the frame's width.)
    const int covered = std::max(0, tbAP->geometry().right() + 1 - lblTopLine[1]->x());
    for (QLabel *label : {lblTopLine[1], lblUnderLine[1]}) {
        const int fw = label->frameWidth();
        label->setContentsMargins(covered + fw, fw, fw, fw);
    }

    auto placeFrame = [](QFrame *frame, QLabel *label) {
        SetLeftTw(frame, LeftTw(label) + WidthTw(label) / 2 - WidthTw(frame) / 2);
        SetHeightTw(frame, HeightTw(label) - 80);
        SetTopTw(frame, TopTw(label) + 50);
        frame->show();
    };
    placeFrame(fraSimple, lblUnderLine[5]);
    placeFrame(fraHad, lblUnderLine[4]);
    // Over the headings, in this order; raising a widget repaints it, so
    // only when the order is not this already. The A and P captions stand
    // over the layer: their tool tips stay in reach of the mouse.
    RaiseInOrder({tbAP, tbPP, fraSimple, fraHad});
    RaiseInOrder({m_conjugationLayer, lblAP, lblPP});
    RaiseInOrder({m_verbLayer});
    // The layers as large as their shown controls, the verb layer shown
    // last: what appears with it appears in one go.
    auto fit = [](QWidget *layer) {
        const QRect used(QPoint(0, 0), layer->childrenRect().bottomRight());
        if (layer->geometry() != used)
            layer->setGeometry(used);
    };
    fit(m_conjugationLayer);
    if (m_conjugationLayer->isHidden())
        m_conjugationLayer->show();
    fit(m_verbLayer);
    showVoiceCaptions(true);
}

void GrammarPanel::opHad_Click(int Index)
{
    if (m_state.verbID == 0 || (m_state.voice != QLatin1String("a") && m_state.voice != QLatin1String("p")))
        return;
    if (m_edit.active && m_edit.col == 4)
        CancelEdit();
    if (lblUnderLine.size() > 4)
        lblUnderLine[4]->setText(Caps1219(Index == 0 ? 1224 : 1222));
    try {
        fillCompoundColumn(m_state.verbID, m_state.voice);
        fitChangedColumn(4);
    } catch (const std::exception &error) {
        winsys::ShowErrorBox(error);
    }
}

void GrammarPanel::opSimple_Click(int Index)
{
    if (m_state.verbID == 0 || (m_state.voice != QLatin1String("a") && m_state.voice != QLatin1String("p")))
        return;
    if (m_edit.active && m_edit.col == 5)
        CancelEdit(); // the column now shows another table
    m_state.column5Table = Index == 0 ? QStringLiteral("KonT4") : QStringLiteral("KonT1");
    try {
        fillColumn5(m_state.verbID, m_state.voice);
        fitChangedColumn(5);
    } catch (const std::exception &error) {
        winsys::ShowErrorBox(error);
    }
}

// A column given other forms is laid out again when they no longer fit it,
// so that the option buttons never leave a form cut.
void GrammarPanel::fitChangedColumn(int col)
{
    if (conjugationNeeds(*msflxKlin).value(col) > msflxKlin->ColWidth(col))
        layOutConjugation();
}

} // namespace tav
