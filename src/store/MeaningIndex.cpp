#include "store/MeaningIndex.h"

#include "platform/dao/Dao.h"
#include "platform/winsys/notice/Notice.h"
#include "store/CaptionArrays.h"
#include "store/DbTransaction.h"
#include "store/ListWindowLink.h"
#include "store/SharedState.h"
#include "store/SortsAndArrays.h"

namespace tav {

namespace {

// The distinct non-empty items of a comma list, in their order. Uses
// ArrayFill, so GsortArr holds the list's items afterwards.
QStringList MeaningSet(const QString &list)
{
    QString rest = list;
    SortsObj.ArrayFill(rest);
    QStringList items;
    for (const QString &item : std::as_const(GsortArr)) {
        if (!item.isEmpty() && !items.contains(item))
            items.append(item);
    }
    return items;
}

QString SqlValue(const QVariant &value)
{
    if (value.isNull())
        return QStringLiteral("Null");
    return dao::SqlText(value.toString());
}

} // namespace

QString SortCommaList(QString &List)
{
    QString rest = List;
    SortsObj.ArrayFill(rest);
    SortsObj.ArrayShellSortString(GsortArr);
    List = GsortArr.join(QStringLiteral(", "));
    return List;
}

bool SyncMeaningRows(const QString &Table, long long ID, const QString &OldMeanings, const QString &NewMeanings)
{
    const QString id = QString::number(ID);
    const QStringList oldItems = MeaningSet(OldMeanings);
    const QStringList newItems = MeaningSet(NewMeanings); // GsortArr ends with the new items
    QStringList gone, added;
    for (const QString &item : oldItems) {
        if (!newItems.contains(item))
            gone.append(item);
    }
    for (const QString &item : newItems) {
        if (!oldItems.contains(item))
            added.append(item);
    }
    if (gone.isEmpty() && added.isEmpty())
        return true;

    dao::Database &db = OpenWordDb();
    QVariant sal, art, greek;
    if (!added.isEmpty()) {
        // A new row copies the word's article, spelling and sort key.
        dao::RecordsetPtr word = db.OpenRecordset(
            QStringLiteral("SELECT Main.Sal, Main.Art, Main.Greek FROM Main WHERE Main.ID = ") + id,
            dao::RecordsetType::Snapshot);
        if (word->RecordCount() == 0)
            return false;
        word->MoveLast();
        sal = word->Field(QStringLiteral("Sal"));
        art = word->Field(QStringLiteral("Art"));
        greek = word->Field(QStringLiteral("Greek"));
    }

    const QString byWord = QStringLiteral(" WHERE ") + Table + QStringLiteral(".ID = ") + id;
    DbTransaction transaction(db);
    // The table compares texts without regard to case, the lists exactly: the
    // word's rows are matched here, so that dropping "Home" leaves "home".
    dao::RecordsetPtr rows = db.OpenRecordset(
        QStringLiteral("SELECT ") + Table + QStringLiteral(".Lat FROM ") + Table + byWord, dao::RecordsetType::Dynaset);
    QStringList kept;
    if (rows->RecordCount() > 0)
        rows->MoveFirst();
    while (!rows->Eof()) {
        const QString lat = rows->Text(0);
        if (gone.contains(lat))
            rows->Delete();
        else
            kept.append(lat);
        rows->MoveNext();
    }
    rows->Close();
    for (const QString &item : std::as_const(added)) {
        // A row the table already holds is not added twice.
        if (kept.contains(item))
            continue;
        db.Execute(QStringLiteral("INSERT INTO ") + Table + QStringLiteral(" (Sal, ID, Lat, Art, Greek) VALUES (") +
                   SqlValue(sal) + QStringLiteral(", ") + id + QStringLiteral(", ") + dao::SqlText(item) +
                   QStringLiteral(", ") + SqlValue(art) + QStringLiteral(", ") + SqlValue(greek) +
                   QStringLiteral(")"));
    }
    transaction.Commit();
    return true;
}

Outcome SyncMeaningIndex(GridLink &Grid, const QString &NewMeanings, int OldCount, long long ID,
                         const QString &OldMeanings, int Col, int Row)
{
    Q_UNUSED(OldCount);
    QString table;
    if (Col == 5)
        table = QStringLiteral("AllEnglishGreek");
    else if (Col == 6)
        table = Lang3AllTable;
    else
        return {};
    if (SyncMeaningRows(table, ID, OldMeanings, NewMeanings))
        return {};
    Grid.SetTextMatrix(Row, Col, OldMeanings);
    Grid.SetCol(Col);
    Grid.SetRow(Row);
    Grid.SetFocus();
    return {Notice{Caps1185(1199), winsys::vbCritical, winsys::AppTitle}};
}

} // namespace tav
