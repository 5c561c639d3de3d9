// Filling the interface-text arrays from LangCaps; apart from the arrays
// themselves, which need no database.
#include "store/CaptionArrays.h"

#include "platform/dao/Dao.h"
#include "store/DbTransaction.h"

namespace tav {

void FillCaptionArray(dao::Recordset &caps, const QString &column, CaptionArray &array)
{
    for (int n = array.LBound(); n <= array.UBound(); ++n) {
        caps.FindFirst(QStringLiteral("Index") + QStringLiteral(" = ") + QString::number(n));
        if (!caps.NoMatch())
            array.Set(n, caps.Text(column));
    }
}

dao::RecordsetPtr OpenCaptionTexts()
{
    return OpenWordDb().OpenRecordset(QStringLiteral("LangCaps"), dao::RecordsetType::Snapshot);
}

} // namespace tav
