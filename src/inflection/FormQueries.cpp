#include "inflection/FormQueries.h"

#include "store/DbTransaction.h"

namespace tav {

FormRow ReadFormRow(const QString &Sql, int count)
{
    FormRow row;
    dao::RecordsetPtr rs = OpenWordDb().OpenRecordset(Sql, dao::RecordsetType::Snapshot);
    row.found = !rs->Eof();
    for (int i = 0; i < count; ++i)
        row.fields << (row.found && i < rs->FieldCount() ? rs->Text(i) : QString());
    rs->Close();
    return row;
}

} // namespace tav
