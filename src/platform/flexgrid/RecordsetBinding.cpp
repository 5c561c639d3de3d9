#include "platform/flexgrid/RecordsetBinding.h"

namespace flexgrid {

QString FieldText(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        // Whole numbers without a decimal part, others with up to 15 digits.
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

void BindRecordset(FlexGrid &grid, dao::Recordset &rs)
{
    const int fields = rs.FieldCount();
    QStringList names;
    names.reserve(fields);
    for (int f = 0; f < fields; ++f)
        names.append(rs.FieldName(f));

    QVector<QVector<QString>> records;
    if (rs.RecordCount() > 0) {
        records.reserve(static_cast<qsizetype>(rs.RecordCount()));
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            QVector<QString> row(fields);
            for (int f = 0; f < fields; ++f) {
                std::optional<QString> text = rs.StoredText(f);
                row[f] = text ? std::move(*text) : FieldText(rs.Field(f));
            }
            records.append(std::move(row));
        }
        rs.MoveFirst();
    }
    grid.SetBoundData(names, std::move(records));
}

} // namespace flexgrid
