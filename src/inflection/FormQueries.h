#pragma once
// Reading the stored forms the views show: one row of a lookup query on the
// shared connection, its fields as texts.

#include <QString>
#include <QStringList>

namespace tav {

struct FormRow {
    bool found = false;  // the word has a row
    QStringList fields;  // the row's first fields as texts (Null: ""); empty texts when not found
};

// The first row of Sql, count fields wide. A database error reaches the caller.
FormRow ReadFormRow(const QString &Sql, int count);

} // namespace tav
