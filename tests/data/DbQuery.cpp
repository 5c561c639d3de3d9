#include "DbQuery.h"

#include <sqlite3.h>

#include <stdexcept>

namespace tavtest {

DbQuery::DbQuery(const QString &path)
{
    if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(m_db);
        throw std::runtime_error("cannot open " + path.toStdString());
    }
}

DbQuery::~DbQuery() { sqlite3_close(m_db); }

std::vector<QVariantList> DbQuery::Rows(const QString &sql) const
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in " + sql.toStdString());
    std::vector<QVariantList> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        QVariantList row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_NULL:
                row << QVariant();
                break;
            case SQLITE_INTEGER:
                row << QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, i)));
                break;
            case SQLITE_FLOAT:
                row << QVariant(sqlite3_column_double(stmt, i));
                break;
            default:
                row << QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, i))));
            }
        }
        rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    return rows;
}

QVariantList DbQuery::Column(const QString &sql) const
{
    QVariantList out;
    for (const auto &row : Rows(sql))
        out << row.value(0);
    return out;
}

QVariant DbQuery::Value(const QString &sql) const
{
    const auto rows = Rows(sql);
    return rows.empty() ? QVariant() : rows.front().value(0);
}

QStringList DbQuery::Fields(const QString &table) const
{
    QStringList names;
    for (const auto &row : Rows(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        names << row.value(1).toString();
    return names;
}

QString DbQuery::Exec(const QString &sql) const
{
    char *err = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err) == SQLITE_OK)
        return QString();
    const QString message = QString::fromUtf8(err ? err : "error");
    sqlite3_free(err);
    return message;
}

} // namespace tavtest
