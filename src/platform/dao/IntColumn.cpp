// The first column of a native SELECT as whole numbers: the exercises draw
// from tens of thousands of IDs, and need nothing else of the rows.
#include "platform/dao/Dao.h"

#include <sqlite3.h>

namespace dao {

QVector<long long> Database::IntColumnNative(const QString &sql)
{
    sqlite3 *db = live();
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK)
        throw DaoError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)), sql);
    QVector<long long> values;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        values.append(sqlite3_column_int64(st, 0));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        throw DaoError(rc, QString::fromUtf8(sqlite3_errstr(rc)), sql);
    return values;
}

} // namespace dao
