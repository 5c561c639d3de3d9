#include "grids/PlainListWindow.h"

#include <QCursor>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QFontMetrics>
#include <QVBoxLayout>

#include "platform/flexgrid/GridRoutines.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/Twips.h"
#include "platform/flexgrid/RecordsetBinding.h"
#include "store/DbTransaction.h"
#include "store/MainWindowLink.h"
#include "store/Dynasets.h"
#include "store/SharedState.h"
#include "store/WindowRoutines.h"

namespace tav {

namespace {

constexpr int kMaxColWidth = 6000; // twips: long meaning lists stay readable
constexpr int kColMargin = 200;

} // namespace

PlainListWindow::PlainListWindow(QMdiArea *area, QWidget *parent)
    : QWidget(parent), m_grid(new flexgrid::FlexGrid(this)), m_gridLink(*m_grid), m_area(area)
{
    setObjectName(QStringLiteral("GridStd"));
    m_grid->setObjectName(QStringLiteral("msFlxMulti"));
    m_grid->SetFixedCols(0);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    resize(640, 420);
    connect(m_grid, &flexgrid::FlexGrid::EnterCell, this, &PlainListWindow::gridEnterCell);
    // A right click while the grammar panel shows a verb offers its voices
    // and its participles.
    connect(m_grid, &flexgrid::FlexGrid::MouseUp, this, [](int button, int, int, int) {
        if (button == flexgrid::vbRightButton && WordKind.toInt() == 3)
            Link().PopupConjugations(QCursor::pos());
    });
}

void PlainListWindow::gridEnterCell()
{
    if (GridBusy())
        return;
    m_lblCol = QString::number(m_grid->Col());
    m_lblRow = QString::number(m_grid->Row());
    if (m_grid->Row() != m_shownRow)
        showRowWord();
}

// The word of the current row, by the row's "ID" column: a simple list
// passes the meaning it shows (its "Lat" column), a list of inflected forms
// (grid tag 33) marks its rows as such.
void PlainListWindow::showRowWord()
{
    const flexgrid::FlexGrid &g = *m_grid;
    const int row = g.Row();
    if (row < 1 || row >= g.Rows())
        return;
    int idCol = -1, latCol = -1;
    for (int c = 0; c < g.Cols(); ++c) {
        const QString heading = g.TextMatrix(0, c);
        if (idCol < 0 && heading.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
            idCol = c;
        else if (latCol < 0 && heading.compare(QLatin1String("Lat"), Qt::CaseInsensitive) == 0)
            latCol = c;
    }
    bool ok = false;
    const long long id = idCol < 0 ? 0 : g.TextMatrix(row, idCol).toLongLong(&ok);
    if (!ok)
        return;
    m_shownRow = row;
    if (objectName() == QLatin1String("GridSimple")) {
        Link().SmallFacts(id, latCol < 0 ? QString() : g.TextMatrix(row, latCol), 3);
    } else if (g.Tag() == QLatin1String("33")) {
        // A participle's row, labelled or still carrying its table's name.
        const QString form = g.TextMatrix(row, 0);
        const bool participle = form == QLatin1String("Passive participle") || form == QLatin1String("KlinoMenos");
        Link().SmallFacts(id, QString(), participle ? 33 : 66);
    } else {
        Link().SmallFacts(id, QString(), 0);
    }
}

PlainListWindow::PlainListWindow(AddToFrame addToFrame, QWidget *parent) : PlainListWindow(nullptr, parent)
{
    m_addToFrame = std::move(addToFrame);
}

PlainListWindow::~PlainListWindow() = default;

void PlainListWindow::SetRecordset(dao::RecordsetPtr rows)
{
    m_rows = std::move(rows);
    if (m_rows)
        flexgrid::BindRecordset(*m_grid, *m_rows);
    m_shownRow = -1;
}

void PlainListWindow::SetCaption(const QString &caption)
{
    setWindowTitle(caption);
    if (m_subWindow)
        m_subWindow->setWindowTitle(caption);
}

void PlainListWindow::GridLangDep(int SortValue)
{
    flexgrid::FlexGrid &g = *m_grid;
    const bool busy = GridBusy();
    SetGridBusy(true);
    // Sort key first (it sorts the Greek words), then the columns as they come.
    static constexpr int kSortColumn[3] = {0, 5, 6};
    static constexpr int kShowColumn[3] = {4, 5, 6};
    if (SortValue >= 0 && SortValue <= 2 && kSortColumn[SortValue] < g.Cols()) {
        g.SetCol(kSortColumn[SortValue]);
        g.SetSort(flexgrid::flexSortGenericAscending);
        if (kShowColumn[SortValue] < g.Cols())
            g.SetCol(kShowColumn[SortValue]);
    }
    const int keepCol = g.Col();

    FitGridColsToText(g, 0, g.Cols() - 1, 1, *this, kColMargin, 0, 0);
    const QFont greek = winsys::GreekFont(GreekFontSize);
    const QFontMetrics greekMetrics(greek);
    bool hasGreek = false;
    for (int c = 0; c < g.Cols(); ++c) {
        const QString heading = g.TextMatrix(0, c);
        if (heading.compare(QLatin1String("Sal"), Qt::CaseInsensitive) == 0) {
            g.SetColWidth(c, 0); // the sort key is not for reading
            continue;
        }
        if (heading.compare(QLatin1String("Art"), Qt::CaseInsensitive) == 0
            || heading.compare(QLatin1String("Greek"), Qt::CaseInsensitive) == 0) {
            // Greek is measured in its own, larger font.
            SetGreekColumnFont(g, c, c);
            int widest = greekMetrics.horizontalAdvance(heading);
            for (int r = 1; r < g.Rows(); ++r)
                widest = std::max(widest, greekMetrics.horizontalAdvance(g.TextMatrix(r, c)));
            g.SetColWidth(c, winsys::PixelsToTwips(widest, logicalDpiX()) + kColMargin);
            hasGreek = true;
        }
        if (g.ColWidth(c) > kMaxColWidth)
            g.SetColWidth(c, kMaxColWidth);
    }
    if (hasGreek)
        g.SetRowHeightMin(winsys::PixelsToTwips(greekMetrics.height() + 4, logicalDpiY()));
    g.SetRow(std::min(1, g.Rows() - 1));
    g.SetCol(keepCol);
    g.SetTopRow(g.Row());
    SetGridBusy(busy);
}

void PlainListWindow::Show()
{
    if (m_addToFrame) {
        if (!m_subWindow) {
            m_subWindow = m_addToFrame(this);
            if (m_subWindow)
                placeInFrame();
        }
        if (m_subWindow)
            m_subWindow->show();
    } else if (m_area) {
        if (!m_subWindow) {
            m_subWindow = m_area->addSubWindow(this);
            m_subWindow->setAttribute(Qt::WA_DeleteOnClose);
            m_subWindow->setWindowTitle(windowTitle());
        }
        m_subWindow->show();
    } else {
        show();
    }
    m_grid->setFocus();
    m_lblCol = QString::number(m_grid->Col());
    m_lblRow = QString::number(m_grid->Row());
    showRowWord();
}

void PlainListWindow::placeInFrame()
{
    QMdiArea *area = m_subWindow->mdiArea();
    if (!area)
        return;
    // New list windows cascade in steps of 300 twips from the top left corner.
    const int others = std::max<int>(0, area->subWindowList().size() - 1);
    const QSize room = area->viewport()->size();
    const int step = winsys::TwipsToPixels(300, logicalDpiX());
    const int offset = (others * step) % std::max(step, room.height() / 2);
    m_subWindow->resize(std::min(720, std::max(320, room.width() - offset)),
                        std::min(460, std::max(200, room.height() - offset)));
    m_subWindow->move(offset, offset);
}

void PlainListWindow::Close()
{
    m_rows.reset();
    if (m_subWindow) {
        m_subWindow->close(); // deletes the sub-window and this window with it
        return;
    }
    hide();
    deleteLater();
}

bool PlainListWindow::requery(int row, int col)
{
    dao::RecordsetPtr filtered = RowsPassing(m_sql, m_filter);
    if (!filtered) {
        Close();
        return false;
    }
    const int topRow = m_grid->TopRow();
    const QString title = windowTitle().section(QLatin1Char(' '), 1);
    const long long count = filtered->RecordCount();
    const bool busy = GridBusy();
    SetGridBusy(true);
    SetRecordset(std::move(filtered));
    GridLangDep(m_sortValue);
    SetCaption(QString::number(count) + QLatin1Char(' ') + title);
    if (row >= m_grid->Rows())
        row = 1;
    m_grid->SetRow(row);
    m_grid->SetCol(col);
    m_grid->SetTopRow(topRow);
    SetGridBusy(busy);
    return true;
}

void PlainListWindow::RefreshGrid()
{
    try {
        requery(m_grid->Row(), m_grid->Col());
    } catch (const std::exception &error) {
        ShowErrorBox(error);
    }
}

void PlainListWindow::GetPos(long long ID, const QString &Value, int FieldPos)
{
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    try {
        dao::RecordsetPtr main = OpenWordDb().OpenRecordset(QStringLiteral("Main"), dao::RecordsetType::Dynaset);
        main->FindLast(QStringLiteral("ID  = ") + QString::number(ID));
        if (!main->NoMatch() && FieldPos >= 0 && FieldPos < main->FieldCount()
            && main->Text(FieldPos) != Value) {
            main->Edit();
            main->SetField(FieldPos, Value);
            main->Update();
        }
        main->Close();
        SaveBusy = false;
        requery(row, col);
    } catch (const std::exception &error) {
        SaveBusy = false;
        ShowErrorBox(error);
    }
}

} // namespace tav
