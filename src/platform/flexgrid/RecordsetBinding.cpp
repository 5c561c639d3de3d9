#include "platform/flexgrid/RecordsetBinding.h"

#include "platform/flexgrid/RowParts.h"

#include <QVarLengthArray>

#include <cstring>
#include <vector>

namespace flexgrid {

namespace {

// The texts of one column seen so far, while they are few: a column of a
// handful of values (a word type, an article) then shares one string per
// value instead of making one per cell. A column with more values gives up
// after the first few rows.
class FewTexts {
public:
    QString Text(QByteArrayView utf8)
    {
        if (utf8.isNull())
            return QString();
        if (m_full)
            return QString::fromUtf8(utf8);
        for (const Seen &s : m_seen)
            if (s.utf8.size() == utf8.size() && std::memcmp(s.utf8.data(), utf8.data(), size_t(utf8.size())) == 0)
                return s.text;
        QString text = QString::fromUtf8(utf8);
        if (m_seen.size() == kMost)
            m_full = true;
        else
            m_seen.append({utf8, text});
        return text;
    }

private:
    static constexpr qsizetype kMost = 64;
    struct Seen {
        QByteArrayView utf8; // in the recordset's own storage
        QString text;
    };
    QVarLengthArray<Seen, kMost> m_seen;
    bool m_full = false;
};

} // namespace

QString FieldText(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
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

    // RecordCount reads every row here, before other threads read them.
    const qsizetype count = static_cast<qsizetype>(rs.RecordCount());
    if (count > 0)
        rs.MoveFirst();
    QVector<QVector<QString>> records(count);
    // The records, and each record's cells, found here once: the parts
    // below neither look them up again nor touch the list itself.
    QVector<QString> *record = records.data();
    std::vector<QString *> cells(static_cast<size_t>(count));
    // Column by column within a part of the rows: the texts of a column then
    // lie together in memory, and the passes over one column that follow
    // (widths, a sort) read it in order.
    struct ColumnTexts : dao::Recordset::ColumnReader {
        std::vector<QString *> &cells;
        int field;
        FewTexts seen;
        ColumnTexts(std::vector<QString *> &cells, int field) : cells(cells), field(field) {}
        void Text(long long row, QByteArrayView utf8) override { cells[size_t(row)][field] = seen.Text(utf8); }
        void Integer(long long row, qint64 value) override { cells[size_t(row)][field] = QString::number(value); }
        void Other(long long row, const QVariant &value) override { cells[size_t(row)][field] = FieldText(value); }
    };
    // A long list's parts are made side by side, most of their time going
    // to first touching new memory. Each part touches its own records and
    // cells only, and reads the recordset's stored rows.
    const int parts = PartCount(count);
    RunParts(parts, [&](int part) {
        const auto [first, end] = PartRows(count, parts, part);
        for (qsizetype r = first; r < end; ++r) {
            record[r] = QVector<QString>(fields);
            cells[size_t(r)] = record[r].data();
        }
        for (int f = 0; f < fields; ++f) {
            ColumnTexts column(cells, f);
            rs.ReadColumn(f, column, first, end);
        }
    });
    grid.SetBoundData(names, std::move(records));
}

} // namespace flexgrid
