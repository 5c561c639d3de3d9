#include "exercise/rounds/WrongStore.h"

#include "platform/dao/Dao.h"
#include "store/DbTransaction.h"

namespace tav {

namespace {

// Runs one native statement on the shared connection and returns the number
// of rows it changed.
long long Execute(const QString &sql, const QVariantList &params = {})
{
    dao::Database &db = OpenWordDb();
    db.ExecNative(sql, params);
    return db.QueryNative(QStringLiteral("SELECT changes()")).value(0).value(0).toLongLong();
}

} // namespace

bool StoreWrongAnswer(long long ID, const QDateTime &When)
{
    // Insert-if-absent in one statement: no second row, whatever the index.
    return Execute(
               QStringLiteral("INSERT INTO WrongIDs (ID, MadeDate) SELECT ?1, ?2 "
                              "WHERE NOT EXISTS (SELECT 1 FROM WrongIDs WHERE ID = ?1)"),
               {ID, When.toString(Qt::ISODate)}) > 0;
}

void RemoveWrongAnswer(long long ID)
{
    Execute(QStringLiteral("DELETE FROM WrongIDs WHERE ID = ?1"), {ID});
}

void EmptyWrongAnswers() { Execute(QStringLiteral("DELETE FROM WrongIDs")); }

QVector<long long> StoredWrongIDs()
{
    const auto orphans = OpenWordDb().QueryNative(
        QStringLiteral("SELECT 1 FROM WrongIDs WHERE ID NOT IN (SELECT ID FROM Main) LIMIT 1"));
    if (!orphans.isEmpty())
        Execute(QStringLiteral("DELETE FROM WrongIDs WHERE ID NOT IN (SELECT ID FROM Main)"));
    QVector<long long> ids;
    for (const auto &row : OpenWordDb().QueryNative(QStringLiteral("SELECT ID FROM WrongIDs ORDER BY rowid")))
        ids.append(row.value(0).toLongLong());
    return ids;
}

} // namespace tav
