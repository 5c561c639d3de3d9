#pragma once
// Reads a copy of the built word database straight through SQLite, so the
// checks of its format do not depend on the program's database layer.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

struct sqlite3;

namespace tavtest {

class DbQuery {
public:
    explicit DbQuery(const QString &path);
    ~DbQuery();
    DbQuery(const DbQuery &) = delete;
    DbQuery &operator=(const DbQuery &) = delete;

    // Every row of sql; a NULL field reads as an invalid QVariant.
    std::vector<QVariantList> Rows(const QString &sql) const;
    // The first field of every row.
    QVariantList Column(const QString &sql) const;
    // The first field of the first row (invalid when there is none).
    QVariant Value(const QString &sql) const;
    long long Count(const QString &sql) const { return Value(sql).toLongLong(); }
    // The column names of a table in their order.
    QStringList Fields(const QString &table) const;
    // Runs a statement; returns SQLite's message, "" on success.
    QString Exec(const QString &sql) const;

private:
    sqlite3 *m_db = nullptr;
};

} // namespace tavtest
