#include "grids/ListWindow.h"

#include "grids/ListWindowHost.h"
#include "platform/flexgrid/GridRoutines.h"
#include "platform/flexgrid/RecordsetBinding.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/VbColor.h"
#include "platform/winsys/VbKeys.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/core/Pointer.h"
#include "store/CaptionArrays.h"
#include "store/GreekLetters.h"
#include "store/Dynasets.h"
#include "store/ListEdits.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "store/StoreQueries.h"
#include "store/WindowRoutines.h"
#include "store/WordEdits.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace tav {

namespace {

// The editor's keys go to KeyDownEdits; Enter types nothing.
class EditorKeys : public QObject {
public:
    explicit EditorKeys(ListWindow &window) : QObject(&window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int code = winsys::VbKeyCode(static_cast<QKeyEvent *>(event));
        switch (code) {
        case winsys::vbKeyReturn:
        case winsys::vbKeyEscape:
        case winsys::vbKeyUp:
        case winsys::vbKeyDown:
            m_window.KeyDownEdits(code);
            return true;
        default:
            return false;
        }
    }

private:
    ListWindow &m_window;
};

// Enter in the search box (the object it watches) runs the search and is
// swallowed.
class SearchKeys : public QObject {
public:
    explicit SearchKeys(ListWindow &window) : QObject(&window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int code = winsys::VbKeyCode(static_cast<QKeyEvent *>(event));
            const auto *box = qobject_cast<const QLineEdit *>(watched); // the search box it watches
            if (code == winsys::vbKeyReturn && box && !box->text().isEmpty()) {
                m_window.cmdS_Click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ListWindow &m_window;
};

// A shrinking client area keeps the list window inside it.
class AreaResize : public QObject {
public:
    explicit AreaResize(ListWindow &window) : QObject(&window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            m_window.KeepInsideArea();
        return QObject::eventFilter(watched, event);
    }

private:
    ListWindow &m_window;
};

} // namespace

ListWindow::ListWindow(const QString &Name, QWidget *parent)
    : QWidget(parent), m_grid(new flexgrid::FlexGrid(this)), m_gridLink(*m_grid)
{
    setObjectName(Name);
    setAttribute(Qt::WA_DeleteOnClose);
    m_grid->setObjectName(QStringLiteral("msFlxMulti"));
    m_grid->SetFixedCols(0);
    // A cell too narrow for its text shows it whole on hover and when current.
    m_grid->SetWholeTextTips(true);

    tbN = new QLineEdit(this);
    tbN->setObjectName(QStringLiteral("tbN"));
    tbN->setFrame(false);
    tbN->hide();
    tbN->installEventFilter(new EditorKeys(*this));

    cmdFresh = new QPushButton(this);
    cmdFresh->setObjectName(QStringLiteral("cmdFresh"));
    cmdFresh->setIcon(FreshIcon(*style()));
    cmdFresh->setToolTip(QStringLiteral("Refresh all lists (F5)"));
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->installEventFilter(new SearchKeys(*this));
    cmdS = new QPushButton(GridSearchCaption(m_search), this);
    cmdS->setObjectName(QStringLiteral("cmdS"));
    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    // Its own background, the window's colour: a new text repaints the
    // label alone, not the window's frame under it.
    lblInfo->setAutoFillBackground(true);

    // The bookkeeping labels are read by other windows, not shown.
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    lblCol = new QLabel(Frame1);
    lblCol->setObjectName(QStringLiteral("lblCol"));
    lblRow = new QLabel(Frame1);
    lblRow->setObjectName(QStringLiteral("lblRow"));
    Frame1->hide();

    connect(m_grid, &flexgrid::FlexGrid::KeyDown, this, &ListWindow::msFlxMulti_KeyDown);
    connect(m_grid, &flexgrid::FlexGrid::KeyPress, this, &ListWindow::msFlxMulti_KeyPress);
    connect(m_grid, &flexgrid::FlexGrid::LeaveCell, this, &ListWindow::msFlxMulti_LeaveCell);
    connect(m_grid, &flexgrid::FlexGrid::GotFocus, this, &ListWindow::msFlxMulti_GotFocus);
    connect(m_grid, &flexgrid::FlexGrid::EnterCell, this, &ListWindow::ShowCellInfo);
    auto saveCell = [this] {
        SavedCol = m_grid->Col();
        SavedRow = m_grid->Row();
    };
    connect(m_grid, &flexgrid::FlexGrid::Click, this, saveCell);
    connect(m_grid, &flexgrid::FlexGrid::LostFocus, this, saveCell);
    connect(m_grid, &flexgrid::FlexGrid::MouseUp, this, [this](int button, int, int x, int y) {
        if (button != flexgrid::vbRightButton)
            return;
        // The row under the pointer becomes current first (the grammar panel
        // and the word's facts follow it), so that the menu acts on it.
        const int row = m_grid->MouseRow();
        if (row >= m_grid->FixedRows() && m_grid->MouseCol() >= m_grid->FixedCols() && row != m_grid->Row())
            m_grid->SetRow(row);
        RightClick(m_grid->mapToGlobal(QPoint(m_grid->TwipsToPixelsX(x), m_grid->TwipsToPixelsY(y))));
    });
    connect(m_grid, &flexgrid::FlexGrid::Scroll, this, &ListWindow::FollowColumns);
    connect(cmdS, &QPushButton::clicked, this, &ListWindow::cmdS_Click);
    connect(txtSearch, &QLineEdit::textChanged, this, &ListWindow::txtSearch_Change);
    connect(cmdFresh, &QPushButton::clicked, this, &ListWindow::cmdFresh_Click);
}

QIcon ListWindow::FreshIcon(const QStyle &style) { return style.standardIcon(QStyle::SP_BrowserReload); }

ListWindow::~ListWindow() = default;

void ListWindow::PlaceInfo(int x, int y, int width, int height)
{
    lblInfo->setFixedSize(width, height);
    lblInfo->move(x, y);
}

void ListWindow::contextMenuEvent(QContextMenuEvent *event) { event->accept(); }

void ListWindow::closeEvent(QCloseEvent *event)
{
    if (!LeaveOpenEdit()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool ListWindow::StoreOpenEdit()
{
    if (!tbN->isVisible())
        return true;
    if (tbN->text() == OldCellText) {
        tbN->hide();
        CellEditing = false;
        return true;
    }
    msFlxMulti_GotFocus();
    return !tbN->isVisible();
}

QString ListWindow::placeName() const { return QStringLiteral("the list \"") + windowTitle() + QLatin1Char('"'); }

bool ListWindow::LeaveOpenEdit()
{
    if (StoreOpenEdit() || !tbN->isVisible())
        return true;
    if (!winsys::DiscardRefusedText(placeName(), tbN->text()))
        return false;
    // The cell shows its stored text again.
    tbN->hide();
    CellEditing = false;
    return true;
}

// ---------------------------------------------------------------------------
// The window among the main window's children

void ListWindow::ShowWindow()
{
    if (!m_subWindow) {
        // Each new list opens 300 twips lower and further right than the
        // one opened before it while the others stay open.
        const int offset = px(300) * CountGridForms();
        m_subWindow = ListHost().AddChild(*this);
        if (m_subWindow) {
            connect(m_subWindow, &QMdiSubWindow::aboutToActivate, this, [this] { ShowCellInfo(); });
            if (QMdiArea *area = m_subWindow->mdiArea())
                area->viewport()->installEventFilter(new AreaResize(*this));
            if (!m_subWindow->isMaximized()) {
                m_subWindow->move(offset, offset);
                applyWantedSize();
            }
        } else {
            resize(m_wanted);
            show();
        }
    }
    m_grid->setFocus();
    ShowCellInfo();
}

void ListWindow::CloseWindow()
{
    // A text typed and not committed goes with the window: say so.
    if (tbN->isVisible()) {
        const PendingEdit edit = TakeEditor();
        if (edit.typed != edit.old)
            ReportLostEdit(edit);
    }
    Data1.reset();
    if (m_subWindow) {
        m_subWindow->close();
        return;
    }
    hide();
    deleteLater();
}

void ListWindow::SetWindowCaption(const QString &Caption)
{
    setWindowTitle(Caption);
    if (m_subWindow)
        m_subWindow->setWindowTitle(Caption);
}

void ListWindow::SetWantedSize(const QSize &size)
{
    m_wanted = size;
    applyWantedSize();
}

void ListWindow::applyWantedSize()
{
    if (!m_subWindow) {
        resize(m_wanted);
        return;
    }
    if (m_subWindow->isMaximized() || m_subWindow->isMinimized())
        return;
    const QSize frame = m_subWindow->size() - size();
    m_subWindow->resize(insideArea(m_wanted + QSize(std::max(0, frame.width()), std::max(0, frame.height()))));
}

// The window stays inside the client area; the grid scrolls instead.
QSize ListWindow::insideArea(QSize outer) const
{
    if (QMdiArea *area = m_subWindow->mdiArea()) {
        outer.setHeight(std::min(outer.height(), std::max(area->viewport()->height() - m_subWindow->y(), 100)));
        outer.setWidth(std::min(outer.width(), std::max(area->viewport()->width() - m_subWindow->x(), 200)));
    }
    return outer;
}

// The client area shrinks when the grammar panel below it grows (a scroll
// bar for a wide view) or the main window is made smaller: a list window in
// its normal state is made smaller with it, never larger.
void ListWindow::KeepInsideArea()
{
    if (!m_subWindow || m_subWindow->isMaximized() || m_subWindow->isMinimized())
        return;
    const QSize inside = insideArea(m_subWindow->size());
    if (inside != m_subWindow->size())
        m_subWindow->resize(inside);
}

void ListWindow::BindRows(dao::RecordsetPtr Rows)
{
    // The editor belongs to a row of the rows that go: it never stays over
    // another word. (EditHelp closes it first and puts it back itself.)
    if (tbN->isVisible()) {
        const PendingEdit edit = TakeEditor();
        if (edit.typed != edit.old)
            ReportLostEdit(edit);
    }
    Data1 = std::move(Rows);
    const bool busy = GridBusy();
    SetGridBusy(true);
    m_grid->Clear();
    if (Data1)
        flexgrid::BindRecordset(*m_grid, *Data1);
    SetGridBusy(busy);
}

void ListWindow::FitGridAndWindow(int Buttons, int Rightmost)
{
    flexgrid::FlexGrid &g = *m_grid;
    const int allowance = pxY(460);
    const int room = RoomHeight();
    // The rows' heights count only until they pass the room there is.
    long long rowsHeight = 0;
    for (int r = 0; r < g.Rows() && rowsHeight + allowance + Buttons < room; ++r)
        rowsHeight += g.TwipsToPixelsY(g.RowHeight(r));
    const bool scrolls = rowsHeight + allowance + Buttons >= room;
    const int gridHeight = scrolls ? std::max(pxY(600), room - Buttons) : static_cast<int>(rowsHeight) + allowance;
    int gridWidth = 2 * g.frameWidth();
    for (int c = 0; c < g.Cols(); ++c)
        if (g.ColWidth(c) > 0)
            gridWidth += g.TwipsToPixelsX(g.ColWidth(c)) + 1; // the grid line after the column
    if (scrolls)
        gridWidth += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &g);
    m_gridWanted = QSize(gridWidth, gridHeight);
    m_fitWidths.resize(g.Cols());
    for (int c = 0; c < g.Cols(); ++c)
        m_fitWidths[c] = g.ColWidth(c);
    const int width = std::max({px(5540), gridWidth + px(500), Rightmost + 1});
    SetWantedSize(QSize(width, Buttons + gridHeight));
    fitGridToRoom();
}

void ListWindow::fitGridToRoom()
{
    // The grid takes the whole window below the buttons, however the window
    // was sized (opened, resized by hand, maximised).
    m_grid->resize(std::max(1, width() - m_grid->x()), std::max(1, height() - m_grid->y()));
    FillColumns();
}

void ListWindow::FillColumns()
{
    flexgrid::FlexGrid &g = *m_grid;
    if (m_fitWidths.size() != g.Cols())
        return; // not laid out yet
    // The columns' own widths, for the columns that are shown.
    int fitted = 0;
    int stretchable = 0;
    for (int c = 0; c < g.Cols(); ++c) {
        if (g.ColWidth(c) <= 0)
            continue;
        fitted += g.TwipsToPixelsX(m_fitWidths[c]);
        if (Stretches(c))
            stretchable += g.TwipsToPixelsX(m_fitWidths[c]);
    }
    // The room inside the frame, less the vertical scroll bar where the rows
    // are taller than the grid (counted only until they pass its height).
    const int frame = 2 * g.frameWidth();
    const int rowsRoom = g.height() - frame;
    int rowsHeight = 0;
    for (int r = 0; r < g.Rows() && rowsHeight <= rowsRoom; ++r)
        rowsHeight += g.TwipsToPixelsY(g.RowHeight(r));
    const int bar = rowsHeight > rowsRoom ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &g) : 0;
    const int extra = g.width() - frame - bar - fitted;
    // A window wider than the columns widens those that stretch, each by its
    // share; a narrower one narrows them, each by its share of the room they
    // have beyond their least widths, and scrolls sideways only for the rest.
    auto slackOf = [&](int c) {
        return Stretches(c) ? std::max(0, g.TwipsToPixelsX(m_fitWidths[c]) - g.TwipsToPixelsX(LeastWidth(c))) : 0;
    };
    int slack = 0;
    for (int c = 0; c < g.Cols(); ++c)
        if (g.ColWidth(c) > 0)
            slack += slackOf(c);
    const int cut = extra < 0 ? std::min(-extra, slack) : 0;
    int given = 0;
    int last = -1;
    for (int c = 0; c < g.Cols(); ++c) {
        if (g.ColWidth(c) <= 0)
            continue;
        int share = 0;
        if (extra > 0 && stretchable > 0 && Stretches(c)) {
            share = static_cast<int>(static_cast<long long>(extra) * g.TwipsToPixelsX(m_fitWidths[c]) / stretchable);
            given += share;
            last = c;
        } else if (cut > 0 && slackOf(c) > 0) {
            if (cut == slack) {
                g.SetColWidth(c, LeastWidth(c));
                continue;
            }
            // Rounded up, so that the cuts together make the whole.
            share = -static_cast<int>((static_cast<long long>(cut) * slackOf(c) + slack - 1) / slack);
            share = std::max(share, -slackOf(c));
        }
        g.SetColWidth(c, std::max(1, m_fitWidths[c] + g.PixelsToTwipsX(share)));
    }
    // The pixels the shares rounded away go to the last stretching column.
    if (last >= 0 && extra > given)
        g.SetColWidth(last, g.ColWidth(last) + g.PixelsToTwipsX(extra - given));
    FollowColumns();
}

int ListWindow::FittedWidth(int Col) const { return Col >= 0 && Col < m_fitWidths.size() ? m_fitWidths[Col] : 0; }

void ListWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_gridWanted.isValid())
        fitGridToRoom();
}

int ListWindow::ColumnLeft(int Col) const
{
    const flexgrid::FlexGrid &g = *m_grid;
    int left = g.x() + g.frameWidth();
    for (int c = 0; c < Col && c < g.Cols(); ++c)
        if (g.ColWidth(c) > 0 && (c < g.FixedCols() || c >= g.LeftCol()))
            left += g.TwipsToPixelsX(g.ColWidth(c)); // the grid line lies inside the column
    return left;
}

void ListWindow::PlaceOverColumn(QPushButton *Button, int Col, int Top, int Height)
{
    headingOf(Button).Col = Col;
    Button->setGeometry(ColumnLeft(Col), Top, std::max(1, m_grid->TwipsToPixelsX(m_grid->ColWidth(Col))), Height);
}

void ListWindow::FollowColumns()
{
    for (const HeadingButton &heading : std::as_const(m_headings)) {
        if (heading.Col < 0)
            continue;
        const int c = heading.Col;
        QPushButton *button = heading.Button;
        // A column scrolled out of sight to the left takes its button along.
        const bool shown = c >= m_grid->LeftCol() || c < m_grid->FixedCols();
        const int width = std::max(1, m_grid->TwipsToPixelsX(m_grid->ColWidth(c)));
        button->setGeometry(shown ? ColumnLeft(c) : -width - 1, button->y(), width, button->height());
    }
    HeadingsMoved();
}

const ListWindow::HeadingButton *ListWindow::headingShownOver(int Col) const
{
    for (const HeadingButton &heading : m_headings)
        if (heading.Col == Col && heading.Shown && !heading.Text.isEmpty())
            return &heading;
    return nullptr;
}

const QPushButton *ListWindow::HeadingOver(int Col) const
{
    const HeadingButton *heading = headingShownOver(Col);
    return heading ? heading->Button : nullptr;
}

ListWindow::ColumnHeading ListWindow::ShownHeading(int Col) const
{
    const HeadingButton *heading = headingShownOver(Col);
    return heading ? ColumnHeading{heading->Text, heading->Font} : ColumnHeading{};
}

ListWindow::Printout ListWindow::PrintedList() const
{
    Printout printout;
    printout.ListKind = ListKind();
    for (int c = 0; c < m_grid->Cols(); ++c)
        printout.Headings.append(PrintedHeading(c));
    return printout;
}

QPushButton *ListWindow::NewHeadingButton(const QString &Name, const QString &Text)
{
    auto *button = new QPushButton(Text, this);
    button->setObjectName(Name);
    button->setFocusPolicy(Qt::NoFocus);
    m_headings.append(HeadingButton{button, -1, Text, font(), true});
    return button;
}

ListWindow::HeadingButton &ListWindow::headingOf(QPushButton *Button)
{
    for (HeadingButton &heading : m_headings)
        if (heading.Button == Button)
            return heading;
#ifndef NDEBUG
    // Every heading button is made by NewHeadingButton; one that is not would
    // be missing from what the window knows it shows: debug builds and tests
    // stop here.
    qFatal("ListWindow: %s was not made by NewHeadingButton", qPrintable(Button->objectName()));
#endif
    m_headings.append(HeadingButton{Button, -1, Button->text(), Button->font(), !Button->isHidden()});
    return m_headings.last();
}

void ListWindow::SetHeadingText(QPushButton *Button, const QString &Text)
{
    headingOf(Button).Text = Text;
    Button->setText(Text);
}

void ListWindow::SetHeadingFont(QPushButton *Button, const QFont &Font)
{
    headingOf(Button).Font = Font;
    Button->setFont(Font);
}

void ListWindow::ShowHeading(QPushButton *Button, bool Shown)
{
    headingOf(Button).Shown = Shown;
    Button->setVisible(Shown);
}

void ListWindow::PaintButton(QPushButton *Button, long Colour)
{
    // A style sheet, because styles may draw push buttons without their
    // palette's button colour.
    Button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080; }")
                              .arg(winsys::FromVbColor(Colour).name()));
}

int ListWindow::RoomHeight() const
{
    int room = ListHost().ClientHeight();
    if (m_subWindow) {
        const int frame = m_subWindow->height() - height();
        if (frame > 0)
            room -= frame;
    } else if (room > 0) {
        room -= 30; // the title bar of a frame not yet made
    }
    return room > 0 ? room : 100000;
}

// ---------------------------------------------------------------------------
// Row entry

bool ListWindow::noteCell()
{
    flexgrid::FlexGrid &g = *m_grid;
    SavedCol = g.Col();
    SavedRow = g.Row();
    lblCol->setText(QString::number(SavedCol));
    lblRow->setText(QString::number(SavedRow));
    const QFont cellFont = g.CellFontAt(SavedRow, SavedCol);
    tbN->setFont(cellFont);
    txtSearch->setFont(cellFont);
    lblInfo->setText(InfoText(SavedRow));
    if (SavedRow == 0 || g.Cols() < 2)
        return false;
    bool numeric = false;
    const long long id = g.TextMatrix(SavedRow, 1).trimmed().toLongLong(&numeric);
    if (!numeric)
        return false;
    WordID = id;
    return true;
}

void ListWindow::ShowCellInfo()
{
    if (GridBusy() || SaveBusy)
        return;
    const bool word = noteCell();
    const int kind = FactsKind(SavedRow);
    // Panel 4 shows a simple list's meanings: no other list leaves them there
    // (a panel that is empty already is not painted again).
    if (kind != 3 || !word)
        ListHost().SetPanelText(4, QString());
    if (word)
        ListHost().SmallFacts(WordID, FactsText(), kind);
}

bool ListWindow::IsCurrentList() const
{
    if (!m_subWindow)
        return true;
    const QMdiArea *area = m_subWindow->mdiArea();
    return !area || area->currentSubWindow() == m_subWindow;
}

QString ListWindow::RowKey(int Row) const { return m_grid->TextMatrix(Row, 1); }

int ListWindow::rowOfKey(const QString &Key) const
{
    for (int r = m_grid->FixedRows(); r < m_grid->Rows(); ++r)
        if (RowKey(r) == Key)
            return r;
    return -1;
}

void ListWindow::ShowInfo(const QString &Text)
{
    lblInfo->setFont(font());
    lblInfo->setText(Text);
}

void ListWindow::EditHelp(int Row, int Col)
{
    const bool busy = GridBusy();
    const bool current = IsCurrentList();
    const PendingEdit edit = TakeEditor();
    // A list opened while the third language was hidden gets its column
    // once the language is shown again.
    tbQ = ListQueryNow(tbQ);
    try {
        dao::RecordsetPtr rows = RowsPassing(tbQ.trimmed(), lblFilter);
        if (!rows) {
            if (edit.typed != edit.old)
                ReportLostEdit(edit);
            CloseWindow();
            return;
        }
        const long long count = rows->RecordCount();
        // The view stays where it was: the rows come back in the same
        // order, and the cell scrolls into view only where it left it.
        const int topRow = m_grid->TopRow();
        const int leftCol = m_grid->LeftCol();
        SetGridBusy(true);
        BindRows(std::move(rows));
        SetWindowCaption(CountCaption(count));
        LayOut();
        if (Row < 1 || Row >= m_grid->Rows())
            Row = 1;
        if (Col < 0 || Col >= m_grid->Cols() || m_grid->ColWidth(Col) == 0)
            Col = m_grid->Col();
        m_grid->SetCol(Col);
        m_grid->SetRow(Row);
        m_grid->SetTopRow(topRow);
        m_grid->SetLeftCol(leftCol);
        m_grid->EnsureVisible(Row, Col);
        SetGridBusy(busy);
        // A refresh of every list must not make each of them active in turn
        // (the focus would) nor show each one's word in the grammar panel.
        if (current) {
            m_grid->setFocus();
            ShowCellInfo();
        } else {
            noteCell();
        }
    } catch (const std::exception &error) {
        // A layout cut short leaves neither the row entry switched off nor
        // the grid hidden.
        SetGridBusy(busy);
        m_grid->setVisible(true);
        winsys::ShowErrorBox(error);
    }
    RestoreEditor(edit);
}

void ListWindow::WriteMainField(long long ID, const QString &Value, int FieldPos)
{
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    try {
        WriteMainFieldAt(ID, FieldPos, Value);
    } catch (const std::exception &error) {
        SaveBusy = false;
        winsys::ShowErrorBox(error);
        return;
    }
    SaveBusy = false;
    EditHelp(row, col);
}

void ListWindow::SortCol(int Col)
{
    if (Col < 0 || Col >= m_grid->Cols())
        return; // a view without that column keeps its order
    const bool busy = GridBusy();
    SetGridBusy(true);
    m_grid->SetCol(Col);
    m_grid->SetRow(m_grid->FixedRows());
    m_grid->SetSort(flexgrid::flexSortGenericAscending);
    SetGridBusy(busy);
    ShowCellInfo();
}

// ---------------------------------------------------------------------------
// Search and refresh

void ListWindow::cmdS_Click()
{
    if (m_search == GridSearch::Exhausted) {
        setSearch(GridSearch::FromTop);
        txtSearch->clear();
    }
    QString text = txtSearch->text();
    if (text.isEmpty())
        return;
    // A Greek column holds its marks after capitals, where the keys keep them.
    if (m_grid->CellFontAt(std::max(m_grid->Row(), m_grid->FixedRows()), m_grid->Col()).family() == winsys::GreekFamily)
        text = MarksAfterCapitals(text);
    setSearch(SearchGridRow(*m_grid, m_search, *txtSearch, m_grid->Col(), m_grid->Row(), text));
}

void ListWindow::txtSearch_Change()
{
    if (txtSearch->text().isEmpty())
        setSearch(GridSearch::FromTop);
}

void ListWindow::setSearch(GridSearch state)
{
    m_search = state;
    cmdS->setText(GridSearchCaption(state));
}

void ListWindow::cmdFresh_Click()
{
    {
        winsys::BusyPointer busy(winsys::PointerShape::ArrowHourglass);
        SetStatusText(Caps1185(1188), false);
        RefreshGridForms();
    }
    SetStatusText(Caps1185(1186), false);
    // An editor put back over its row keeps the focus: the grid's would
    // commit it.
    if (tbN->isVisible())
        tbN->setFocus();
    else
        m_grid->setFocus();
}

// ---------------------------------------------------------------------------
// The in-cell editor

void ListWindow::openEditor(int KeyAscii)
{
    ShowCellEditor(*m_grid, *tbN, KeyAscii);
    OldCellText = m_grid->Text();
    m_openedOn = OldCellText;
    CellEditing = true;
    m_editKey = RowKey(m_grid->Row());
    m_editID = m_grid->TextMatrix(m_grid->Row(), 1).trimmed().toLongLong();
}

ListWindow::PendingEdit ListWindow::TakeEditor()
{
    PendingEdit edit;
    if (!tbN->isVisible())
        return edit;
    edit.open = true;
    edit.key = m_editKey;
    edit.id = m_editID;
    edit.col = m_grid->Col();
    edit.typed = tbN->text();
    edit.old = OldCellText;
    edit.opened = m_openedOn;
    tbN->hide();
    CellEditing = false;
    return edit;
}

void ListWindow::RestoreEditor(const PendingEdit &Edit)
{
    if (!Edit.open || Edit.typed == Edit.old)
        return;
    flexgrid::FlexGrid &g = *m_grid;
    const int row = rowOfKey(Edit.key);
    if (row < 0 || Edit.col >= g.Cols() || g.ColWidth(Edit.col) <= 0) {
        ReportLostEdit(Edit);
        return;
    }
    const bool busy = GridBusy();
    SetGridBusy(true);
    g.SetCol(Edit.col);
    g.SetRow(row);
    SetGridBusy(busy);
    // The old text is what the row shows now, which the commit compares and
    // replaces.
    const bool current = IsCurrentList();
    ShowCellEditor(g, *tbN, 32, current);
    tbN->setText(Edit.typed);
    OldCellText = g.Text();
    CellEditing = true;
    m_editKey = Edit.key;
    m_editID = Edit.id;
    m_openedOn = Edit.opened;
    if (current)
        ShowCellInfo();
    else
        noteCell();
}

void ListWindow::ReportLostEdit(const PendingEdit &Edit)
{
    MsgAnswer = winsys::MsgBox(QStringLiteral("The text typed in the list \"") + windowTitle() +
                                   QStringLiteral("\" was not stored: the list no longer shows its cell (the word with ID ") +
                                   QString::number(Edit.id) + QStringLiteral(").") +
                                   QStringLiteral("\r\nThe text typed: ") + Edit.typed,
                               winsys::vbExclamation, winsys::AppTitle);
}

void ListWindow::msFlxMulti_KeyDown(int &KeyCode, int Shift)
{
    if (KeyCode == winsys::vbKeyF5) {
        RefreshGridForms();
        return;
    }
    // The menu key and Shift+F10 act as a right-click on the current cell.
    if (KeyCode == winsys::vbKeyApps || (KeyCode == winsys::vbKeyF10 && Shift == winsys::vbShiftMask)) {
        if (m_grid->Row() >= m_grid->FixedRows()) {
            const QPoint cell(m_grid->TwipsToPixelsX(m_grid->CellLeft()),
                              m_grid->TwipsToPixelsY(m_grid->CellTop() + m_grid->CellHeight()));
            RightClick(m_grid->mapToGlobal(cell));
        }
        return;
    }
    if (m_grid->Col() < 2 || m_grid->Row() < m_grid->FixedRows())
        return;
    if (KeyCode == winsys::vbKeyF2)
        openEditor(32);
    else if (KeyCode == winsys::vbKeyDelete)
        openEditor(CellEditDeleteRequest);
}

void ListWindow::msFlxMulti_KeyPress(int &KeyAscii)
{
    if (m_grid->Col() < 2 || m_grid->Row() < m_grid->FixedRows())
        return;
    openEditor(KeyAscii >= 0 && KeyAscii <= 32 ? 32 : KeyAscii);
    KeyAscii = 0;
}

void ListWindow::msFlxMulti_LeaveCell()
{
    // A cell left while the editor is open (by code) keeps its stored text:
    // what was typed there was never stored and is not shown as if it were.
    if (GridBusy() || !tbN->isVisible())
        return;
    tbN->hide();
    CellEditing = false;
}

void ListWindow::KeyDownEdits(int KeyCode)
{
    flexgrid::FlexGrid &g = *m_grid;
    switch (KeyCode) {
    case winsys::vbKeyReturn: {
        // The grid's focus commits; where the focus cannot move (a window
        // that is not active) the commit runs here.
        const int before = m_commits;
        g.setFocus();
        if (m_commits == before)
            msFlxMulti_GotFocus();
        break;
    }
    case winsys::vbKeyEscape:
        tbN->hide();
        CellEditing = false;
        g.setFocus();
        break;
    case winsys::vbKeyUp:
        if (!CellEditing) {
            g.setFocus();
            if (g.Row() > g.FixedRows())
                g.SetRow(g.Row() - 1);
        }
        break;
    case winsys::vbKeyDown:
        if (!CellEditing) {
            g.setFocus();
            if (g.Row() < g.Rows() - 1)
                g.SetRow(g.Row() + 1);
        }
        break;
    default:
        break;
    }
}

void ListWindow::RefuseEdit(int Col, int Row, const QString &Message)
{
    EditRefused = true;
    MsgAnswer = winsys::MsgBox((Message.isEmpty() ? Caps1185(1197) : Message) + QStringLiteral("\r\n") +
                                   Caps1185(1207),
                               winsys::vbCritical, winsys::AppTitle);
    m_grid->SetTextMatrix(Row, Col, OldCellText);
    const bool busy = GridBusy();
    SetGridBusy(true);
    m_grid->SetCol(Col);
    m_grid->SetRow(Row);
    SetGridBusy(busy);
}

std::optional<QString> ListWindow::checkedText(const QString &Text, int Col)
{
    QString stored = Text;
    QString refusal;
    switch (KindOf(Col)) {
    case CellKind::Plain:
        return stored;
    case CellKind::Article:
        stored = Text.toLower();
        refusal = ArticleRefusal(Text);
        break;
    case CellKind::Headword:
        // Emptying the headword is refused by the commit, with its message.
        if (Text.isEmpty())
            return stored;
        stored = TidyGreekText(Text);
        refusal = HeadwordRefusal(stored);
        break;
    }
    if (!refusal.isEmpty()) {
        MsgAnswer = winsys::MsgBox(refusal, winsys::vbCritical, winsys::AppTitle);
        return std::nullopt;
    }
    if (KindOf(Col) == CellKind::Article && ArticleTakesGenderAway(stored, m_editID)) {
        MsgAnswer = winsys::MsgBox(ArticleGenderQuestion(stored),
                                   winsys::vbYesNo | winsys::vbExclamation | winsys::vbDefaultButton2, winsys::AppTitle);
        if (MsgAnswer != winsys::vbYes)
            return std::nullopt;
    }
    return stored;
}

void ListWindow::msFlxMulti_GotFocus()
{
    if (!tbN->isVisible())
        return;
    ++m_commits;
    flexgrid::FlexGrid &g = *m_grid;
    const int row = g.Row();
    const int col = g.Col();
    const QString typed = tbN->text();
    QString failedText;
    if (typed != OldCellText && RowKey(row) != m_editKey) {
        // The rows moved under the editor: the text belongs to another word.
        const PendingEdit edit = TakeEditor();
        ReportLostEdit(edit);
        return;
    }
    // An article typed as it is stored, in other letters' case, is the same
    // article: storing it again would only recompute (and could lose) the
    // word's gender.
    const bool sameArticle = KindOf(col) == CellKind::Article &&
                             CellEditText(typed).compare(OldCellText, Qt::CaseInsensitive) == 0;
    if (typed != OldCellText && !sameArticle) {
        const QString text = CellEditText(typed);
        WordID = m_editID;
        if (HasControlCharacter(text)) {
            RefuseEdit(col, row,
                       QStringLiteral("The text holds a control character (pasted with it), which a list does not "
                                      "store."));
        } else if (OnlyCommasAndBlanks(text)) {
            RefuseEdit(col, row);
        } else if (const std::optional<QString> checked = checkedText(text, col); !checked) {
            // The editor keeps the text for the user to mend (or Esc).
            g.SetTextMatrix(row, col, OldCellText);
            EditRefused = true;
            failedText = typed;
        } else if (!mayStoreOver(*checked, col)) {
            // The newer value stays: the cell shows it, and the edit ends.
            g.SetTextMatrix(row, col, OldCellText);
        } else {
            g.SetTextMatrix(row, col, *checked);
            try {
                CommitCell(*checked, row, col);
            } catch (const std::exception &error) {
                // Nothing was stored: the cell shows the stored text again and
                // the editor reopens with what was typed, so the edit is not
                // lost.
                g.SetTextMatrix(row, col, OldCellText);
                winsys::ShowErrorBox(error);
                EditRefused = true;
                failedText = typed;
            }
        }
    }
    CellEditing = false;
    if (!EditRefused) {
        tbN->hide();
        const bool busy = GridBusy();
        SetGridBusy(true);
        GridMoveCell(g, WrapColumn(), col, row);
        SetGridBusy(busy);
        ShowCellInfo();
        return;
    }
    EditRefused = false;
    const bool busy = GridBusy();
    SetGridBusy(true);
    g.SetCol(col);
    g.SetRow(row);
    SetGridBusy(busy);
    // The editor opens again on the same edit: its text still replaces
    // only the value it was first opened on.
    const QString openedOn = m_openedOn;
    openEditor(32);
    m_openedOn = openedOn;
    if (!failedText.isEmpty())
        tbN->setText(failedText);
}

bool ListWindow::mayStoreOver(const QString &Text, int Col)
{
    const std::optional<QString> now = StoredCellText(m_editID, Col, m_openedOn);
    if (!now || *now == m_openedOn)
        return true;
    // The newer value is what the cell shows again, or what is replaced.
    OldCellText = *now;
    if (!winsys::StoreOverNewerValue(placeName(), m_openedOn, *now, Text))
        return false;
    m_openedOn = *now;
    return true;
}

} // namespace tav
