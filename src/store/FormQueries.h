#pragma once
// Reading what the grammar panel shows: one row of a lookup query, and the
// row of a word in a table keyed by ID. These are the panel's hot path (a
// word is shown for every row the user arrows through), so they run their
// plain SELECTs straight on the connection's engine without a recordset;
// with the word's ID as a parameter, each text is prepared once and its
// statement kept for the next word.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tav {

struct FormRow {
    bool found = false;  // the word has a row
    QStringList fields;  // the row's first fields as texts (Null: ""); empty texts when not found
};

// The first row of Sql (a SELECT that SQLite takes as it is written, its
// parameters ?1... bound to params), count fields wide. A database error
// (dao::DaoError) reaches the caller.
FormRow ReadFormRow(const QString &Sql, int count, const QVariantList &params = {});
// The same for a lookup prefix (a SELECT that ends in "ID = ") and word ID:
// the ID goes in as a parameter, so that the prefix's statement serves every
// word, and the kept statements are not crowded out by one text per word.
FormRow ReadFormRowOf(const QString &prefix, long long ID, int count);

// The row of word ID in Table, its fields by name (case-insensitive).
class WordRecord {
public:
    bool Found() const { return m_found; }
    // The field's value; invalid (Null) for a Null field, a word without a
    // row, or an unknown field.
    QVariant Field(const QString &name) const;
    // The same as text; "" for Null.
    QString Text(const QString &name) const;

private:
    friend WordRecord ReadWordRecord(const QString &Table, long long ID);
    bool m_found = false;
    QHash<QString, QVariant> m_fields; // lower-case name -> value
};

// A database error (dao::DaoError) reaches the caller.
WordRecord ReadWordRecord(const QString &Table, long long ID);

} // namespace tav
