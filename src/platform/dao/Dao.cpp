#include "platform/dao/Dao.h"

namespace dao {

DaoError::DaoError(int number, const QString &message)
    : std::runtime_error(message.toStdString()), m_number(number), m_description(message)
{
}

QString SqlText(const QString &value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace dao
