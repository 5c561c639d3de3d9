#include "store/FormWrites.h"

#include "platform/dao/Dao.h"
#include "store/DbTransaction.h"
#include "store/EditRefusal.h"
#include "store/StoreQueries.h"

namespace tav {

void CommitInflectionCell(long long ID, const FormCell &Cell, const QString &Form)
{
    if (!Cell.IsStored())
        return;
    dao::Database &db = OpenWordDb();
    const QString id = QString::number(ID);
    // A word that has left Main keeps no forms: they would be rows of nothing.
    if (!MainIDExists(ID))
        throw EditRefusal(QStringLiteral("The form was not stored: the word with ID ") + id +
                          QStringLiteral(" is no longer in the word list."));
    DbTransaction transaction(db);
    if (!IDExistsIn(Cell.table, ID)) {
        QStringList fields{QStringLiteral("Greek"), QStringLiteral("WT")};
        if (db.FieldNames(Cell.table).contains(QStringLiteral("Sal"), Qt::CaseInsensitive))
            fields << QStringLiteral("Sal");
        AddRecordFromArray(Cell.table, ID, fields);
        if (Cell.table.startsWith(QLatin1String("KonT")))
            db.Execute(QStringLiteral("UPDATE Main SET Main.ISKONJ = TRUE WHERE Main.ID  = ") + id);
        else if (Cell.table.startsWith(QLatin1String("Klino")))
            db.Execute(QStringLiteral("UPDATE Main SET Main.ISKLIN = TRUE WHERE Main.ID  = ") + id);
    }
    db.Execute(QStringLiteral("UPDATE ") + Cell.table + QStringLiteral(" SET ") + Cell.table + QLatin1Char('.') +
               Cell.column + QStringLiteral(" = ") + dao::SqlText(Form) + QStringLiteral(" WHERE ") + Cell.table +
               QStringLiteral(".ID  = ") + id);
    if (db.RecordsAffected() != 1)
        throw dao::DaoError(dao::DaoError::NoCurrentRecord,
                            QStringLiteral("The form was not stored: the word has no row in %1.").arg(Cell.table));

    if (!FormsAllHasKasPer(ID, Cell.table, Cell.column)) {
        db.Execute(QStringLiteral("INSERT INTO FormsAll (ID, GenTem, KasPer, Greek, FormGreek) VALUES (") + id +
                   QStringLiteral(", ") + dao::SqlText(Cell.table) + QStringLiteral(", ") + dao::SqlText(Cell.column) +
                   QStringLiteral(", ") + dao::SqlText(GetMainField(ID, QStringLiteral("Greek"))) +
                   QStringLiteral(", '')"));
    }
    db.Execute(QStringLiteral("UPDATE FormsAll SET FormsAll.FormGreek  = ") + dao::SqlText(Form) +
               QStringLiteral(" WHERE FormsAll.ID  = ") + id + QStringLiteral(" AND GenTem = ") +
               dao::SqlText(Cell.table) + QStringLiteral(" AND KasPer  = ") + dao::SqlText(Cell.column));
    transaction.Commit();
}

} // namespace tav
