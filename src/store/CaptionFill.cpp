// Filling the interface-text arrays from LangCaps; apart from the arrays
// themselves, which need no database.
#include "store/CaptionArrays.h"

#include "platform/dao/Dao.h"

namespace tav {

void FillCaptionArray(dao::Recordset &caps, const QString &column, CaptionArray &array)
{
    for (int n = array.LBound(); n <= array.UBound(); ++n) {
        caps.FindFirst(QStringLiteral("Index") + QStringLiteral(" = ") + QString::number(n));
        if (!caps.NoMatch())
            array.Set(n, caps.Text(column));
    }
}

} // namespace tav
