#include "grids/GridStd.h"

#include "grids/ListWindowHost.h"
#include "inflection/FormLabels.h"
#include "platform/flexgrid/GridRoutines.h"
#include "platform/flexgrid/RecordsetBinding.h"
#include "platform/font/FontLoader.h"
#include "platform/font/GreekKeys.h"
#include "platform/winsys/VbColor.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/CaptionArrays.h"
#include "store/Dynasets.h"
#include "store/GreekLetters.h"
#include "store/ListEdits.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"
#include "store/WindowRoutines.h"
#include "store/WordEdits.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace tav {

namespace {

// Layout lengths in twips.
constexpr int kRowButtonHeight = 330; // cmdFresh, cmdDelete, txtSearch, cmdS
constexpr int kTwinHeight = 120;      // cmdSortCol
constexpr int kSortHeight = 330;      // cmdSort
constexpr int kFreshWidth = 450;
constexpr int kDeleteWidth = 700;
constexpr int kSearchWidth = 1500;
constexpr int kSWidth = 450;
constexpr int kInfoWidth = 2200;
constexpr int kColButtonWidth = 800;

constexpr long kButtonFace = static_cast<long>(0x8000000F);
constexpr long kSortColour[4] = {0xFFFFFF, 0x0000FF, 0x00FFFF, 0xFFFFFF};
constexpr long kTwinColour = 0xFF0000;

const QString kEngHide = QStringLiteral("ENG -");
const QString kEngShow = QStringLiteral("ENG +");

// The column a sort button sorts on and the one it then selects: the Greek
// pair sorts on the hidden sort key.
struct SortTarget {
    int sortCol;
    int showCol;
};

SortTarget SortTargetOf(int view, int index)
{
    if (view == 33) {
        static constexpr int cols[4] = {0, 2, 3, 4};
        return index >= 0 && index < 4 ? SortTarget{cols[index], index == 0 ? 4 : cols[index]} : SortTarget{-1, -1};
    }
    switch (index) {
    case 0: return {0, 4};
    case 1: return {5, 5};
    case 2: return {6, 6};
    default: return {-1, -1};
    }
}

} // namespace

GridStd::GridStd(QWidget *parent) : LinkedListWindow(QStringLiteral("GridStd"), parent)
{
    cmdDelete = new QPushButton(QStringLiteral("Delete"), this);
    cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    cmdDelete->setToolTip(QStringLiteral("Delete the word of the current row"));
    for (int i = 0; i < 4; ++i) {
        cmdSortCol[i] = NewHeadingButton(QStringLiteral("cmdSortCol(%1)").arg(i));
        cmdSort[i] = NewHeadingButton(QStringLiteral("cmdSort(%1)").arg(i));
        connect(cmdSort[i], &QPushButton::clicked, this, [this, i] { cmdSort_Click(i); });
        connect(cmdSortCol[i], &QPushButton::clicked, this, [this, i] { cmdSort_Click(i); });
        ShowHeading(cmdSort[i], false);
        ShowHeading(cmdSortCol[i], false);
    }
    for (int i = 1; i <= 2; ++i) {
        cmdCol[i] = NewHeadingButton(QStringLiteral("cmdCol(%1)").arg(i));
        connect(cmdCol[i], &QPushButton::clicked, this, [this, i] { cmdCol_Click(i); });
        ShowHeading(cmdCol[i], false);
    }
    connect(cmdDelete, &QPushButton::clicked, this, &GridStd::FlexDelete);
    // The article column's heading, as the simple list heads its own.
    cmdart = NewHeadingButton(QStringLiteral("cmdart"), QStringLiteral("Art."));
    ShowHeading(cmdart, false);

    // The texts of the heading buttons; a caption without its row stays empty.
    try {
        for (int k = 1142; k <= 1149; ++k)
            m_texts << LangCapsText(k);
        for (int k = 1079; k <= 1081; ++k)
            m_texts << LangCapsText(k);
    } catch (const std::exception &) {
        while (m_texts.size() < 11)
            m_texts << QString();
    }
    SetHeadingText(cmdSort[0], QStringLiteral("Ta Ellhnikav"));
    SetHeadingFont(cmdSort[0], winsys::GreekFont(GreekFontSize - 2));
    SetHeadingText(cmdSort[1], m_texts.value(9));
    SetHeadingText(cmdSort[2], m_texts.value(10));
    m_grid->SetRowHeightMin(m_grid->PixelsToTwipsY(QFontMetrics(winsys::GreekFont(GreekFontSize)).height() + 4));
}

GridStd::~GridStd() = default;

void GridStd::SetRecordset(dao::RecordsetPtr rows) { BindRows(std::move(rows)); }

void GridStd::SetCaption(const QString &caption)
{
    SetWindowCaption(caption);
    const qsizetype blank = caption.indexOf(QLatin1Char(' '));
    lblCap = blank >= 0 ? caption.mid(blank + 1) : caption;
}

// ---------------------------------------------------------------------------
// Views and layout

void GridStd::GridLangDep(int SortValue)
{
    flexgrid::FlexGrid &g = *m_grid;
    if (!Data1 || g.Rows() <= g.FixedRows())
        return;
    const bool busy = GridBusy();
    SetGridBusy(true);
    g.setVisible(false);
    g.SetRowHeight(0, 0);
    const int view = ViewTag();
    if (view == 5) {
        for (int c = 0; c <= 3; ++c)
            g.SetColWidth(c, 0);
        SetGreekColumnFont(g, 4, 4, GreekFontSize);
    } else if (view == 33) {
        g.SetColWidth(1, 0);
        FillFormLabels(g, 2);
        SetGreekColumnFont(g, 3, 3, GreekFontSize);
        AddEnglishColumn(g, 1);
        MarkGroupRows(g, 1);
    } else {
        for (int c = 0; c <= 2; ++c)
            g.SetColWidth(c, 0);
        SetGreekColumnFont(g, 3, 4, GreekFontSize);
        g.SetColWidth(3, 550);
        if (view == 44) {
            g.SetColWidth(7, 0);
            g.SetColWidth(8, 0);
        }
    }
    for (int c = 0; c < g.Cols(); ++c) {
        g.SetRow(0);
        g.SetCol(c);
        g.SetCellFontBold(true);
    }

    ArrangeButtons();
    ResizeGrid();

    if (SortValue != 33) {
        ButtonCol(SortValue);
        const SortTarget target = SortTargetOf(view, SortValue);
        if (target.sortCol >= 0 && target.sortCol < g.Cols()) {
            g.SetCol(target.sortCol);
            g.SetRow(g.FixedRows());
            g.SetSort(flexgrid::flexSortGenericAscending);
            if (target.showCol < g.Cols())
                g.SetCol(target.showCol);
        }
    }
    g.SetRow(std::min(g.FixedRows(), g.Rows() - 1));
    g.SetTopRow(g.Row());
    if (g.ColWidth(g.Col()) == 0)
        g.SetCol(FirstVisibleCol);
    SetGridBusy(busy);
    g.setVisible(true);
}

int GridStd::LeastWidth(int Col) const
{
    const int least = ViewTag() != 33 && Col >= 4 && Col <= 6 ? m_least[Col - 4] : 0;
    return least > 0 ? std::min(least, FittedWidth(Col)) : FittedWidth(Col);
}

ListWindow::ColumnHeading GridStd::PrintedHeading(int Col) const
{
    ColumnHeading heading = ShownHeading(Col);
    if (ViewTag() != 33 && Col == 6 && !Opt3rdLang.isEmpty() && !heading.Text.isEmpty())
        heading.Text = Opt3rdLang;
    return heading;
}

void GridStd::placePair(int Index, int Col)
{
    const int twinTop = cmdDelete->geometry().bottom() + 1;
    PlaceOverColumn(cmdSortCol[Index], Col, twinTop, pxY(kTwinHeight));
    PlaceOverColumn(cmdSort[Index], Col, twinTop + pxY(kTwinHeight), pxY(kSortHeight));
    ShowHeading(cmdSortCol[Index], true);
    ShowHeading(cmdSort[Index], true);
}

void GridStd::ArrangeButtons()
{
    flexgrid::FlexGrid &g = *m_grid;
    const int view = ViewTag();
    const QFontMetrics windowMetrics(font());
    const QFontMetrics greekMetrics(winsys::GreekFont(GreekFontSize));
    auto widest = [&](int col, const QFontMetrics &m) {
        return g.PixelsToTwipsX(WidestTextPixels(g, col, m));
    };

    // 1, 2. Column widths: each column as wide as its widest text, the Greek
    // one measured in the Greek font it is drawn in.
    if (view != 33) {
        const int greek = std::max(widest(4, greekMetrics), 1900);
        g.SetColWidth(4, greek + 650);
        m_least[0] = greek + 260;
        const int lastMeaning = OptBoHide3 ? 5 : 6;
        for (int c = 5; c <= lastMeaning && c < g.Cols(); ++c) {
            const int text = widest(c, windowMetrics);
            // In a narrow window the longest meanings may end in an ellipsis.
            m_least[c - 4] = std::max(text * 2 / 3, 1900) + 120;
            g.SetColWidth(c, std::max(text + 260, g.ColWidth(4)));
        }
        // A list opened with the third language's column keeps it out of
        // sight while that language is hidden.
        if (OptBoHide3 && g.Cols() > 6)
            g.SetColWidth(6, 0);
        m_width5 = g.Cols() > 5 ? g.ColWidth(5) : 0;
        m_width6 = !OptBoHide3 && g.Cols() > 6 ? g.ColWidth(6) : 0;
    } else {
        for (int c = 0; c < g.Cols(); ++c) {
            if (c == 1)
                continue;
            const QFontMetrics &m = c == 3 ? greekMetrics : windowMetrics;
            g.SetColWidth(c, widest(c, m) + 650);
        }
        g.SetColWidth(1, 0);
    }

    // 6. The button row: refresh, delete, search box, search button, the
    // current word.
    const int rowHeight = pxY(kRowButtonHeight);
    cmdFresh->setGeometry(0, 0, px(kFreshWidth), rowHeight);
    cmdDelete->setGeometry(cmdFresh->geometry().right() + 1, 0, px(kDeleteWidth), rowHeight);
    txtSearch->setGeometry(cmdDelete->geometry().right() + 1, 0, px(kSearchWidth), rowHeight);
    cmdS->setGeometry(txtSearch->geometry().right() + 1, 0, px(kSWidth), rowHeight);
    lblInfo->setFont(winsys::GreekFont(GreekFontSize));
    PlaceInfo(cmdS->geometry().right() + 1 + px(60), 0, px(kInfoWidth), rowHeight);

    // 3, 4, 5. The heading buttons over their columns.
    for (int i = 0; i < 4; ++i) {
        ShowHeading(cmdSort[i], false);
        ShowHeading(cmdSortCol[i], false);
    }
    ShowHeading(cmdart, false);
    if (view == 33) {
        static const char *captions[4] = {"Ref 1", "Ref 2", "Greek Form", "English"};
        static constexpr int cols[4] = {0, 2, 3, 4};
        QFont small(QStringLiteral("MS Sans Serif"));
        small.setPointSize(std::max(6, GreekFontSize - 4));
        for (int i = 0; i < 4; ++i) {
            if (cols[i] >= g.Cols())
                continue;
            SetHeadingFont(cmdSort[i], small);
            SetHeadingText(cmdSort[i], QString::fromLatin1(captions[i]));
            placePair(i, cols[i]);
        }
    } else {
        SetHeadingFont(cmdSort[0], winsys::GreekFont(GreekFontSize - 2));
        if (g.ColWidth(3) > 0) {
            QFont small(QStringLiteral("Small Fonts"));
            small.setPointSize(8);
            SetHeadingFont(cmdart, small);
            PlaceOverColumn(cmdart, 3, cmdDelete->geometry().bottom() + 1, pxY(kTwinHeight + kSortHeight));
            ShowHeading(cmdart, true);
        }
        placePair(0, 4);
        if (g.Cols() > 5)
            placePair(1, 5);
        if (!OptBoHide3 && g.Cols() > 6) {
            placePair(2, 6);
        }
    }

    // 7. The column buttons, while both meaning columns are there.
    const bool columnButtons = view != 33 && !OptBoHide3 && g.Cols() > 6;
    for (int i = 1; i <= 2; ++i)
        ShowHeading(cmdCol[i], columnButtons);
    if (columnButtons) {
        cmdCol[1]->setGeometry(lblInfo->geometry().right() + 1, 0, px(kColButtonWidth), rowHeight);
        cmdCol[2]->setGeometry(cmdCol[1]->geometry().right() + 1, 0, px(kColButtonWidth), rowHeight);
        setColumnHidden(1, false);
        setColumnHidden(2, false);
    }
}

void GridStd::ResizeGrid()
{
    FirstVisibleCol = 0;
    while (FirstVisibleCol < m_grid->Cols() - 1 && m_grid->ColWidth(FirstVisibleCol) <= 0)
        ++FirstVisibleCol;
    // The word (with its article) stays in view while the cursor moves right
    // along its row, where that fits.
    m_grid->SetAnchorCol(FirstVisibleCol);
    const int rightmost =
        std::max(cmdCol[2]->isVisible() ? cmdCol[2]->geometry().right() : 0, lblInfo->geometry().right());
    m_grid->move(0, cmdSort[0]->geometry().bottom() + 1);
    FitGridAndWindow(cmdSort[0]->geometry().bottom() + 1, rightmost);
}

void GridStd::ButtonCol(int SortIndex)
{
    for (int i = 0; i < 4; ++i) {
        PaintButton(cmdSort[i], kButtonFace);
        PaintButton(cmdSortCol[i], kButtonFace);
    }
    if (SortIndex < 0 || SortIndex > 3)
        return;
    PaintButton(cmdSort[SortIndex], kSortColour[SortIndex]);
    PaintButton(cmdSortCol[SortIndex], kTwinColour);
}

void GridStd::cmdSort_Click(int Index)
{
    const SortTarget target = SortTargetOf(ViewTag(), Index);
    if (target.sortCol < 0 || target.sortCol >= m_grid->Cols())
        return; // a button over a column this view lacks sorts nothing
    lblSortValue = Index;
    EditorKept kept(*this);
    const bool busy = GridBusy();
    SetGridBusy(true);
    SortCol(target.sortCol);
    if (target.showCol < m_grid->Cols())
        m_grid->SetCol(target.showCol);
    ButtonCol(Index);
    m_grid->SetRow(std::min(1, m_grid->Rows() - 1));
    m_grid->SetTopRow(m_grid->Row());
    SetGridBusy(busy);
    ShowCellInfo();
    m_grid->setFocus();
}

void GridStd::setColumnHidden(int Index, bool Hidden)
{
    m_colHidden[Index] = Hidden;
    if (Index == 1)
        SetHeadingText(cmdCol[1], Hidden ? kEngShow : kEngHide);
    else
        SetHeadingText(cmdCol[2], Lang3Short + (Hidden ? QStringLiteral(" +") : QStringLiteral(" -")));
}

void GridStd::cmdCol_Click(int Index)
{
    if (Index != 1 && Index != 2)
        return;
    const int col = Index == 1 ? 5 : 6;
    if (col >= m_grid->Cols())
        return;
    EditorKept kept(*this);
    const bool hiding = !m_colHidden[Index];
    m_grid->SetColWidth(col, hiding ? 0 : Index == 1 ? m_width5 : m_width6);
    setColumnHidden(Index, hiding);
    // The columns shown fill the window again; the buttons of the third
    // language follow their column.
    FillColumns();
    ShowHeading(cmdSortCol[Index], !hiding);
    ShowHeading(cmdSort[Index], !hiding);
    if (hiding && m_grid->Col() == col) {
        const bool busy = GridBusy();
        SetGridBusy(true);
        m_grid->SetCol(4);
        SetGridBusy(busy);
    }
}

// ---------------------------------------------------------------------------
// Rows

QString GridStd::InfoText(int Row) const
{
    // The English of an inflected form is shown in the window's font, a
    // Greek text in the Greek font.
    const bool english = ViewTag() == 33 && !m_grid->TextMatrix(Row, 4).isEmpty();
    lblInfo->setFont(english ? font() : winsys::GreekFont(GreekFontSize));
    return m_grid->TextMatrix(Row, english || ViewTag() != 33 ? 4 : 3);
}

QString GridStd::RowKey(int Row) const
{
    // The inflected-form view has a row for each form of a word.
    if (ViewTag() == 33)
        return m_grid->TextMatrix(Row, 1) + QLatin1Char('\n') + m_grid->TextMatrix(Row, 0) + QLatin1Char('\n') +
               m_grid->TextMatrix(Row, 2);
    return m_grid->TextMatrix(Row, 1);
}

int GridStd::FactsKind(int Row) const
{
    if (ViewTag() != 33)
        return 0;
    return m_grid->TextMatrix(Row, 0) == QLatin1String("Passive participle") ? 33 : 66;
}

void GridStd::RightClick(const QPoint &GlobalPos)
{
    if (WordKind.toInt() == 3)
        ListHost().PopupConjugations(GlobalPos);
}

// ---------------------------------------------------------------------------
// Requery

QString GridStd::CountCaption(long long Count) const { return QString::number(Count) + QLatin1Char(' ') + lblCap; }

// ---------------------------------------------------------------------------
// Editing

void GridStd::CommitCell(const QString &Text, int Row, int Col)
{
    flexgrid::FlexGrid &g = *m_grid;
    // The inflected-form view stores nothing: the cell shows what is stored.
    if (ViewTag() == 33 || Col < 3 || Col > 6) {
        g.SetTextMatrix(Row, Col, OldCellText);
        return;
    }
    // A text of commas and blanks is as empty as no text.
    const QString list = MeaningItems(Text).join(QStringLiteral(", "));
    if (list.isEmpty() && Col != 3 && Col != 6) {
        RefuseEdit(Col, Row);
        return;
    }
    switch (Col) {
    case 3:
        ChangeArticle(list, WordID);
        g.SetTextMatrix(Row, Col, list);
        break;
    case 4:
        Tell(ChangeGreekSpelling(list, WordID));
        g.SetTextMatrix(Row, Col, list);
        g.SetTextMatrix(Row, 0, TavGreSort(list));
        break;
    default: {
        const MeaningLanguage language = Col == 5 ? MeaningLanguage::English : MeaningLanguage::Third;
        const std::optional<QString> stored = StoreMeaningList(language, WordID, OldCellText, list);
        if (!stored) {
            // A new meaning needs the word's row in Main, which is gone.
            EditRefused = true;
            MsgAnswer = winsys::MsgBox(Caps1185(1199), winsys::vbCritical, winsys::AppTitle);
            g.SetTextMatrix(Row, Col, OldCellText);
            return;
        }
        g.SetTextMatrix(Row, Col, *stored);
        break;
    }
    }
}

std::optional<QString> GridStd::StoredCellText(long long ID, int Col, const QString &) const
{
    // The columns CommitCell stores.
    if (ViewTag() == 33 || Col < 3 || Col > 6)
        return std::nullopt;
    static constexpr CellField kFields[] = {CellField::Article, CellField::Greek, CellField::English, CellField::Third};
    return StoredCellField(ID, kFields[Col - 3]);
}

// ---------------------------------------------------------------------------
// Deletion

void GridStd::FlexDelete()
{
    flexgrid::FlexGrid &g = *m_grid;
    // An edit under way is taken off first; it comes back unless its word
    // is the one deleted.
    const PendingEdit edit = TakeEditor();
    const int row = g.Row();
    const int col = g.Col();
    const long long id = WordID;
    // The view stays where it was after the message: the row is in it.
    auto backToCell = [&] {
        SetGridBusy(true);
        g.SetCol(col);
        g.SetRow(row);
        g.EnsureVisible(row, col);
        g.setFocus();
        SetGridBusy(false);
        ShowCellInfo();
        RestoreEditor(edit);
    };
    if (id <= 0 || row < 1) {
        RestoreEditor(edit);
        return;
    }
    try {
        const QString refusal = QStringLiteral("\r\n It is NOT allowed to delete it! ");
        if (KlinoHasID(id)) {
            MsgAnswer = winsys::MsgBox(QStringLiteral(" This word is declinated ") + refusal, winsys::vbCritical);
            backToCell();
            return;
        }
        int conjugated = 0;
        for (int t = 1; t <= 4; ++t)
            conjugated += IDExistsIn(QStringLiteral("KonT%1").arg(t), id) ? 1 : 0;
        if (conjugated > 0) {
            MsgAnswer = winsys::MsgBox((conjugated == 4 ? QStringLiteral(" This verb is fully conjugated ")
                                                        : QStringLiteral(" This verb is partly conjugated ")) +
                                           refusal,
                                       winsys::vbCritical);
            backToCell();
            return;
        }
        // The word named as the list shows it, in Greek letters.
        const QString headword = winsys::GreekKeysToUnicode(g.TextMatrix(row, 4).trimmed());
        MsgAnswer = winsys::MsgBox(Caps1185(1202) + QString::number(id) +
                                       (headword.isEmpty() ? QString() : QStringLiteral(": ") + headword) +
                                       QStringLiteral("\r\n") + Caps1185(1208) + Caps1185(1206),
                                   winsys::vbYesNo | winsys::vbCritical | winsys::vbDefaultButton2, winsys::AppTitle);
        if (MsgAnswer != winsys::vbYes) {
            backToCell();
            return;
        }
        DeleteWord(id);
        ShowWordCount();
        ShowWrongAnswersCount(); // the word left the store of wrong answers too
        ListHost().JulGran(); // the tree's counts follow
        SaveBusy = false;
        SavedRow = row;
        SavedCol = col;
    } catch (const std::exception &error) {
        winsys::ShowErrorBox(error);
        RestoreEditor(edit);
        return;
    }
    // What was typed for the deleted word has no word to go to: say so.
    if (edit.id == id && edit.typed != edit.old)
        ReportLostEdit(edit);
    QPointer<GridStd> self(this);
    RefreshGridForms();
    if (self && edit.id != id)
        RestoreEditor(edit);
}

} // namespace tav
