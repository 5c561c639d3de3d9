#include "grids/GridSimple.h"

#include "grids/ListWindowHost.h"
#include "platform/flexgrid/GridRoutines.h"
#include "platform/flexgrid/RecordsetBinding.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/VbColor.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/CaptionArrays.h"
#include "store/Dynasets.h"
#include "store/ListEdits.h"
#include "store/SharedState.h"
#include "store/GreekLetters.h"
#include "store/StoreQueries.h"
#include "store/WordEdits.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace tav {

namespace {

// Layout lengths in twips.
constexpr int kRowButtonHeight = 330; // cmdFresh, txtSearch, cmdS
constexpr int kTwinHeight = 165;      // cmdSortCol
constexpr int kSortHeight = 330;      // cmdSort
constexpr int kFreshWidth = 450;
constexpr int kSearchWidth = 1500;
constexpr int kSWidth = 450;

constexpr long kButtonFace = static_cast<long>(0x8000000F);
constexpr long kTwinColour = 0xFF0000;

} // namespace

GridSimple::GridSimple(QWidget *parent) : LinkedListWindow(QStringLiteral("GridSimple"), parent)
{
    QFont small(QStringLiteral("Small Fonts"));
    small.setPointSize(8);
    for (int i = 0; i < 2; ++i) {
        cmdSortCol[i] = NewHeadingButton(QStringLiteral("cmdSortCol(%1)").arg(i));
        cmdSort[i] = NewHeadingButton(QStringLiteral("cmdSort(%1)").arg(i));
        SetHeadingFont(cmdSort[i], small);
        connect(cmdSort[i], &QPushButton::clicked, this, [this, i] { cmdSort_Click(i); });
        connect(cmdSortCol[i], &QPushButton::clicked, this, [this, i] { cmdSort_Click(i); });
    }
    cmdart = NewHeadingButton(QStringLiteral("cmdart"), QStringLiteral("Art."));
    SetHeadingFont(cmdart, small);
    connect(cmdart, &QPushButton::clicked, this, &GridSimple::cmdart_Click);
    SetHeadingText(cmdSort[0], QStringLiteral("English"));
    SetHeadingText(cmdSort[1], QStringLiteral("Ta Ellhnikav"));
    SetHeadingFont(cmdSort[1], winsys::GreekFont(GreekFontSize - 2));
    m_grid->SetRowHeightMin(m_grid->PixelsToTwipsY(QFontMetrics(winsys::GreekFont(GreekFontSize)).height() + 4));
}

GridSimple::~GridSimple() = default;

void GridSimple::Open(dao::RecordsetPtr Rows, const QString &Sql, int Lang, const QString &Title, int Mode)
{
    const long long count = Rows ? Rows->RecordCount() : 0;
    tbQ = Sql;
    lblFlag = Lang == 1 ? QStringLiteral("5") : QStringLiteral("6");
    lblSortValue = Lang;
    m_grid->SetTag(QString::number(Mode));
    lblCap = Title;
    SetHeadingText(cmdSort[0], english() ? Caps1079(1080) : Opt3rdLang);
    BindRows(std::move(Rows));
    SetWindowCaption(CountCaption(count));
    GridSimpleFill(Lang);
    ShowWindow();
}

QString GridSimple::CountCaption(long long Count) const
{
    return QString::number(Count) + QStringLiteral(" non unique ") + lblCap;
}

// ---------------------------------------------------------------------------
// Fill and layout

void GridSimple::GridSimpleFill(int SortValue)
{
    flexgrid::FlexGrid &g = *m_grid;
    if (!Data1 || g.Rows() <= g.FixedRows() || g.Cols() < 5)
        return;
    const bool busy = GridBusy();
    SetGridBusy(true);
    g.setVisible(false);
    g.SetRowHeight(0, 0);
    for (int c = 0; c < g.Cols(); ++c) {
        g.SetRow(0);
        g.SetCol(c);
        g.SetCellFontBold(true);
    }
    SetGreekColumnFont(g, 3, 4, GreekFontSize);
    g.SetColWidth(0, 0);
    g.SetColWidth(1, 0);

    // The meaning column at least 1900 twips of text; the Greek column never
    // narrower than the meaning column.
    const QFontMetrics windowMetrics(font());
    const QFontMetrics greekMetrics(winsys::GreekFont(GreekFontSize));
    int widest = std::max(1900, g.PixelsToTwipsX(WidestTextPixels(g, 2, windowMetrics)));
    g.SetColWidth(2, widest + 650);
    widest = std::max(widest, g.PixelsToTwipsX(WidestTextPixels(g, 4, greekMetrics)));
    g.SetColWidth(4, widest + 650);
    g.SetColWidth(3, 550);

    // The button rows: refresh, search box and button; the twins; the sort
    // buttons over their columns with the article button spanning both.
    const int rowHeight = pxY(kRowButtonHeight);
    cmdFresh->setGeometry(0, 0, px(kFreshWidth), rowHeight);
    txtSearch->setGeometry(cmdFresh->geometry().right() + 1, 0, px(kSearchWidth), rowHeight);
    cmdS->setGeometry(txtSearch->geometry().right() + 1, 0, px(kSWidth), rowHeight);
    const int twinTop = rowHeight + 1;
    const int sortTop = twinTop + pxY(kTwinHeight);
    auto place = [&](int index, int col) {
        PlaceOverColumn(cmdSortCol[index], col, twinTop, pxY(kTwinHeight));
        PlaceOverColumn(cmdSort[index], col, sortTop, pxY(kSortHeight));
    };
    place(0, 2);
    place(1, 4);
    PlaceOverColumn(cmdart, 3, twinTop, pxY(kTwinHeight + kSortHeight));
    lblInfo->setFont(winsys::GreekFont(GreekFontSize));
    PlaceInfo(0, 0, 1, rowHeight);
    HeadingsMoved();
    g.move(0, cmdSort[0]->geometry().bottom() + 1);

    FitGridToWindow();
    ButtonCol(SortValue);
    // The rows come up in the order of the meaning words, or of the Greek
    // words while that is the sort chosen.
    const int sortColumn = SortValue == 0 ? 0 : 2;
    g.SetCol(sortColumn);
    g.SetRow(g.FixedRows());
    g.SetSort(flexgrid::flexSortGenericAscending);
    g.SetCol(SortValue == 0 ? 4 : 2);
    g.SetRow(1);
    g.SetTopRow(1);
    SetGridBusy(busy);
    g.setVisible(true);
}

void GridSimple::FitGridToWindow()
{
    FitGridAndWindow(cmdSort[0]->geometry().bottom() + 1, lblInfo->geometry().right());
}

void GridSimple::HeadingsMoved()
{
    if (!cmdSort[1])
        return; // still being made
    PlaceInfo(std::max(cmdS->geometry().right() + 1, cmdSort[1]->x()), lblInfo->y(), std::max(1, cmdSort[1]->width()),
              lblInfo->height());
}

void GridSimple::ButtonCol(int Value)
{
    for (int i = 0; i < 2; ++i) {
        PaintButton(cmdSort[i], kButtonFace);
        PaintButton(cmdSortCol[i], kButtonFace);
    }
    switch (Value) {
    case 0:
        PaintButton(cmdSort[1], 0xFFFFFF);
        PaintButton(cmdSortCol[1], kTwinColour);
        break;
    case 1:
        PaintButton(cmdSort[0], 0x0000FF);
        PaintButton(cmdSortCol[0], kTwinColour);
        break;
    case 2:
        PaintButton(cmdSort[0], 0x00FFFF);
        PaintButton(cmdSortCol[0], kTwinColour);
        break;
    default:
        break;
    }
}

void GridSimple::cmdSort_Click(int Index)
{
    const bool greek = Index == 1;
    const int value = greek ? 0 : (english() ? 1 : 2);
    lblSortValue = value;
    EditorKept kept(*this);
    const bool busy = GridBusy();
    SetGridBusy(true);
    SortCol(greek ? 0 : 2);
    m_grid->SetCol(greek ? 4 : 2);
    ButtonCol(value);
    m_grid->SetRow(1);
    m_grid->SetTopRow(1);
    SetGridBusy(busy);
    ShowCellInfo();
    m_grid->setFocus();
}

void GridSimple::cmdart_Click()
{
    EditorKept kept(*this);
    const bool busy = GridBusy();
    SetGridBusy(true);
    SortCol(3);
    m_grid->SetCol(3);
    m_grid->SetRow(1);
    m_grid->SetTopRow(1);
    SetGridBusy(busy);
    ShowCellInfo();
    m_grid->setFocus();
}

// ---------------------------------------------------------------------------
// Rows

QString GridSimple::InfoText(int Row) const { return m_grid->TextMatrix(Row, 4); }

// The row's meaning word, which panel 4 leaves out of the word's other
// meanings, whichever column is current.
QString GridSimple::FactsText() const { return m_grid->TextMatrix(m_grid->Row(), 2); }

QString GridSimple::RowKey(int Row) const
{
    return m_grid->TextMatrix(Row, 1) + QLatin1Char('\n') + m_grid->TextMatrix(Row, 2);
}

void GridSimple::RightClick(const QPoint &)
{
    if (OptBoHide3 || WordID <= 0)
        return;
    const QString id = QString::number(WordID);
    Tell(DynasetsObj
             .DoStdGrid(SqlLang3, true, 0, QStringLiteral("The complete post # =") + id, 2,
                        QStringLiteral(" ID  = ") + id)
             .Failure);
}

// ---------------------------------------------------------------------------
// Editing

QString GridSimple::storedList() const
{
    if (english())
        return GetMainField(WordID, QStringLiteral("English"));
    return GetLangField(WordID);
}

void GridSimple::commitMeaning(const QString &Text, int Row)
{
    flexgrid::FlexGrid &g = *m_grid;
    const QStringList typed = MeaningItems(Text);
    QStringList items = MeaningItems(storedList());
    // The row's own meaning counts as stored, so that its index row goes
    // even where the word's list had lost it.
    QStringList before = items;
    if (!before.contains(OldCellText))
        before << OldCellText;

    QString shown = OldCellText;
    if (typed.size() <= 1) {
        // A new name for the row's meaning.
        const QString renamed = typed.value(0);
        if (renamed.isEmpty() || renamed == OldCellText) {
            g.SetTextMatrix(Row, 2, OldCellText);
            return;
        }
        items.removeAll(OldCellText);
        if (!items.contains(renamed))
            items << renamed;
        shown = renamed;
    } else {
        // A further meaning for the word, when the user agrees: the last
        // word typed that is not the row's own.
        QString added;
        for (const QString &item : typed)
            if (item != OldCellText)
                added = item;
        const QString question = QStringLiteral("Do you want to add the word: ") + QStringLiteral("\r\n") +
                                 QLatin1Char('"') + added + QLatin1Char('"') + QStringLiteral(" as another ") +
                                 cmdSort[0]->text() + QStringLiteral(" meaning ") + QStringLiteral("\r\n") +
                                 QStringLiteral("of the Greek word in post ") + QString::number(WordID);
        MsgAnswer = winsys::MsgBox(question, winsys::vbOKCancel | winsys::vbQuestion, winsys::AppTitle);
        if (MsgAnswer != winsys::vbOK) {
            g.SetTextMatrix(Row, 2, OldCellText);
            return;
        }
        if (!items.contains(added))
            items << added;
    }
    const MeaningLanguage language = english() ? MeaningLanguage::English : MeaningLanguage::Third;
    if (!StoreMeaningList(language, WordID, before.join(QStringLiteral(", ")), items.join(QStringLiteral(", ")))) {
        // A new meaning needs the word's row in Main, which is gone.
        EditRefused = true;
        MsgAnswer = winsys::MsgBox(Caps1185(1199), winsys::vbCritical, winsys::AppTitle);
        g.SetTextMatrix(Row, 2, OldCellText);
        return;
    }
    g.SetTextMatrix(Row, 2, shown);
}

std::optional<QString> GridSimple::StoredCellText(long long ID, int Col, const QString &OpenedOn) const
{
    switch (Col) {
    case 2: {
        // The row's meaning while the word still has it; else the word's
        // list as it is now.
        const std::optional<QString> list = StoredCellField(ID, english() ? CellField::English : CellField::Third);
        if (list && MeaningItems(*list).contains(OpenedOn))
            return OpenedOn;
        return list;
    }
    case 3: return StoredCellField(ID, CellField::Article);
    case 4: return StoredCellField(ID, CellField::Greek);
    default: return std::nullopt;
    }
}

void GridSimple::CommitCell(const QString &Text, int Row, int Col)
{
    flexgrid::FlexGrid &g = *m_grid;
    if (Text.isEmpty() && Col != 3) {
        RefuseEdit(Col, Row);
        return;
    }
    switch (Col) {
    case 2:
        commitMeaning(Text, Row);
        break;
    case 3:
        ChangeArticle(Text, WordID);
        break;
    case 4:
        Tell(ChangeGreekSpelling(Text, WordID));
        g.SetTextMatrix(Row, 0, TavGreSort(Text));
        break;
    default:
        g.SetTextMatrix(Row, Col, OldCellText);
        break;
    }
}

} // namespace tav
