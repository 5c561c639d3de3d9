#include "mainwindow/AppVersion.h"

#include <QVersionNumber>

namespace tav {

QString VersionCaption(const QString &version)
{
    const QVersionNumber v = QVersionNumber::fromString(version);
    return QStringLiteral("Version ") + QString::number(v.majorVersion()) + QLatin1Char('.')
        + QString::number(v.minorVersion()) + QLatin1Char('.') + QString::number(v.microVersion());
}

QString VersionCaption() { return VersionCaption(QStringLiteral(TAV_VERSION)); }

} // namespace tav
