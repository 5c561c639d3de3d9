#include "platform/datactl/DataControl.h"

#include "platform/dao/Dao.h"

#include <QWidget>

namespace datactl {

DataControl::DataControl(QObject *parent) : QObject(parent) {}

void DataControl::Refresh()
{
    if (!Database)
        throw dao::DaoError(dao::DaoError::ObjectClosed, QStringLiteral("The data control has no database."));
    SetRecordset(Database->OpenRecordset(RecordSource, RecordsetType));
}

void DataControl::SetRecordset(dao::RecordsetPtr rows)
{
    m_rows = std::move(rows);
    // The first row is found like any other: on a whole table the
    // recordset then reads that row alone, and the others only when a move
    // needs them, so a control that goes from row to row by finding them
    // (an exercise finds its words by ID) never reads a large table whole.
    if (m_rows)
        m_rows->FindFirst(QStringLiteral("True"));
    Reposition();
}

void DataControl::Bind(QWidget *w, const QString &field)
{
    for (int i = 0; i < m_bindings.size(); ++i) {
        if (m_bindings[i].widget == w) {
            m_bindings.remove(i);
            break;
        }
    }
    if (!field.isEmpty())
        m_bindings.append({w, field});
}

QString DataControl::BoundField(const QWidget *w) const
{
    for (const Binding &b : m_bindings)
        if (b.widget == w)
            return b.field;
    return {};
}

void DataControl::MoveFirst()
{
    if (m_rows && m_rows->RecordCount() > 0)
        m_rows->MoveFirst();
    Reposition();
}

void DataControl::Move(long long rows)
{
    if (m_rows)
        m_rows->Move(rows);
    Reposition();
}

bool DataControl::FindFirst(const QString &criteria)
{
    if (!m_rows)
        return false;
    m_rows->FindFirst(criteria);
    const bool found = !m_rows->NoMatch();
    Reposition();
    return found;
}

void DataControl::Requery()
{
    if (!m_rows)
        return;
    m_rows->Requery();
    if (m_rows->RecordCount() > 0)
        m_rows->MoveFirst();
    Reposition();
}

void DataControl::Reposition()
{
    const bool onRow = m_rows && !m_rows->Eof() && !m_rows->Bof();
    for (const Binding &b : m_bindings) {
        if (!b.widget)
            continue;
        QString text;
        if (onRow) {
            try {
                const QVariant v = m_rows->Field(b.field);
                text = v.isNull() ? QString() : v.toString();
            } catch (const dao::DaoError &) {
                // A field the rows do not have shows empty.
            }
        }
        b.widget->setProperty("text", text);
    }
    emit Repositioned();
}

} // namespace datactl
