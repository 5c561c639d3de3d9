#include "ListWindowFixture.h"

#include "store/CaptionArrays.h"
#include "store/SharedState.h"

#include <QApplication>

namespace tavtest {

QList<tav::ListWindowLink *> ListsLink::OpenListWindows() const
{
    QList<tav::ListWindowLink *> open;
    for (const QPointer<QWidget> &window : windows)
        if (auto *list = dynamic_cast<tav::ListWindowLink *>(window.data()); list && window->isVisible())
            open << list;
    return open;
}

void ListWindowFixture::SetUp()
{
    tav::CapsLanguage = QStringLiteral("English");
    db.MakeWordStore();
    dao::RecordsetPtr caps = tav::WordDb->OpenRecordset(QStringLiteral("LangCaps"), dao::RecordsetType::Snapshot);
    for (tav::CaptionArray *array : tav::MainCaptionArrays())
        tav::FillCaptionArray(*caps, QStringLiteral("English"), *array);
    caps->Close();
    tav::SetListHost(&host);
    tav::SetGridBusy(false);
    tav::SaveBusy = false;
    tav::WordKind = QVariant();
}

void ListWindowFixture::TearDown()
{
    for (const QPointer<QWidget> &window : std::as_const(link.windows))
        delete window.data();
    QApplication::processEvents();
    tav::SetListHost(nullptr);
    tav::ResetSharedState();
}

QStringList ListWindowFixture::IndexRows(const QString &table, long long id)
{
    QStringList rows;
    dao::RecordsetPtr rs =
        tav::WordDb->OpenRecordset(QStringLiteral("SELECT Lat FROM %1 WHERE ID = %2 ORDER BY Lat").arg(table).arg(id));
    for (; !rs->Eof(); rs->MoveNext())
        rows << rs->Text(0);
    return rows;
}

int ListWindowFixture::RowOf(const flexgrid::FlexGrid &grid, int Col, const QString &Text)
{
    for (int r = 1; r < grid.Rows(); ++r)
        if (grid.TextMatrix(r, Col) == Text)
            return r;
    return -1;
}

} // namespace tavtest
