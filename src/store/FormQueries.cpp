#include "store/FormQueries.h"

#include "platform/dao/Dao.h"
#include "store/DbTransaction.h"

namespace tav {

FormRow ReadFormRow(const QString &Sql, int count, const QVariantList &params)
{
    const QVector<QVector<QVariant>> rows = OpenWordDb().QueryNative(Sql, nullptr, params);
    FormRow row;
    row.found = !rows.isEmpty();
    for (int i = 0; i < count; ++i) {
        const QVariant value = row.found ? rows[0].value(i) : QVariant();
        row.fields << (value.isNull() ? QString() : value.toString());
    }
    return row;
}

FormRow ReadFormRowOf(const QString &prefix, long long ID, int count)
{
    return ReadFormRow(prefix + QStringLiteral("?1"), count, {ID});
}

QVariant WordRecord::Field(const QString &name) const { return m_fields.value(name.toLower()); }

QString WordRecord::Text(const QString &name) const
{
    const QVariant value = Field(name);
    return value.isNull() ? QString() : value.toString();
}

WordRecord ReadWordRecord(const QString &Table, long long ID)
{
    QStringList names;
    const QVector<QVector<QVariant>> rows = OpenWordDb().QueryNative(
        QStringLiteral("SELECT * FROM ") + dao::SqlName(Table) + QStringLiteral(" WHERE ID = ?1"), &names, {ID});
    WordRecord record;
    record.m_found = !rows.isEmpty();
    if (record.m_found)
        for (int c = 0; c < names.size(); ++c)
            record.m_fields.insert(names[c].toLower(), rows[0].value(c));
    return record;
}

} // namespace tav
