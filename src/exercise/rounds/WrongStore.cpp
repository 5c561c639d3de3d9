#include "exercise/rounds/WrongStore.h"

#include "store/SharedState.h"

namespace tav {

namespace {

// Runs one native statement on a second connection and returns the number of
// rows it changed.
long long ExecuteOnSecondConnection(const QString &sql, const QVariantList &params = {})
{
    dao::DatabasePtr db = dao::DBEngine::OpenDatabase(DbPath);
    try {
        db->ExecNative(sql, params);
        const long long changed = db->QueryNative(QStringLiteral("SELECT changes()")).value(0).value(0).toLongLong();
        db->Close();
        return changed;
    } catch (...) {
        db->Close();
        throw;
    }
}

} // namespace

bool StoreWrongAnswer(long long ID, const QDateTime &When)
{
    // Insert-if-absent in one statement: no second row, whatever the index.
    return ExecuteOnSecondConnection(
               QStringLiteral("INSERT INTO WrongIDs (ID, MadeDate) SELECT ?1, ?2 "
                              "WHERE NOT EXISTS (SELECT 1 FROM WrongIDs WHERE ID = ?1)"),
               {ID, When.toString(Qt::ISODate)}) > 0;
}

void RemoveWrongAnswer(long long ID)
{
    ExecuteOnSecondConnection(QStringLiteral("DELETE FROM WrongIDs WHERE ID = ?1"), {ID});
}

void EmptyWrongAnswers() { ExecuteOnSecondConnection(QStringLiteral("DELETE FROM WrongIDs")); }

QVector<long long> StoredWrongIDs()
{
    const auto orphans = WordDb->QueryNative(
        QStringLiteral("SELECT 1 FROM WrongIDs WHERE ID NOT IN (SELECT ID FROM Main) LIMIT 1"));
    if (!orphans.isEmpty())
        ExecuteOnSecondConnection(QStringLiteral("DELETE FROM WrongIDs WHERE ID NOT IN (SELECT ID FROM Main)"));
    QVector<long long> ids;
    for (const auto &row : WordDb->QueryNative(QStringLiteral("SELECT ID FROM WrongIDs ORDER BY rowid")))
        ids.append(row.value(0).toLongLong());
    return ids;
}

} // namespace tav
