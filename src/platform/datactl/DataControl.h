#pragma once
// A data control: a recordset with a current row, and widgets bound to its
// fields. A bound widget's "text" property shows its field of the current row
// (Null as ""), and follows every move the control makes (MoveFirst, Move,
// FindFirst, Requery, a new recordset). Moving the recordset behind the
// control's back does not update the widgets: move through the control.

#include "platform/recordset/Recordset.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

class QWidget;

namespace datactl {

class DataControl : public QObject {
    Q_OBJECT

public:
    explicit DataControl(QObject *parent = nullptr);

    // Where Refresh opens RecordSource: a connection and a table name or SELECT.
    dao::DatabasePtr Database;
    QString RecordSource;
    dao::RecordsetType RecordsetType = dao::RecordsetType::Dynaset;

    // Opens RecordSource on Database as the control's rows, on the first row.
    // Errors (dao::DaoError) reach the caller and leave the control as it was.
    void Refresh();
    // Takes rows opened elsewhere; the control owns them from now on.
    void SetRecordset(dao::RecordsetPtr rows);
    // The rows; nullptr while the control is unbound.
    dao::Recordset *Recordset() const { return m_rows.get(); }
    bool IsBound() const { return m_rows != nullptr; }

    // Binds w's text to the field; an empty field name unbinds w.
    void Bind(QWidget *w, const QString &field);
    QString BoundField(const QWidget *w) const;

    // Navigation that keeps the bound widgets in step. FindFirst returns
    // whether a row matched; without a match the current row stays.
    void MoveFirst();
    void Move(long long rows);
    bool FindFirst(const QString &criteria);
    void Requery();
    // Writes the current row's fields into the bound widgets (empty texts when
    // there is no current row).
    void Reposition();

signals:
    void Repositioned();

private:
    struct Binding {
        QPointer<QWidget> widget;
        QString field;
    };
    dao::RecordsetPtr m_rows;
    QVector<Binding> m_bindings;
};

} // namespace datactl
