#include "platform/font/FontLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QSet>

namespace winsys {

bool LoadGreekFonts(const QString &folder)
{
    static QSet<QString> registered;
    const QDir dir(folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder);
    for (const QString &name : {QStringLiteral("VudedoGreek.ttf"), QStringLiteral("VudedoGreek-Bold.ttf")}) {
        const QString path = QFileInfo(dir.filePath(name)).canonicalFilePath();
        if (path.isEmpty() || registered.contains(path))
            continue;
        if (QFontDatabase::addApplicationFont(path) >= 0)
            registered.insert(path);
    }
    return QFontDatabase::families().contains(GreekFamily);
}

QFont GreekFont(int pointSize) { return CellDrawingFont(QFont(GreekFamily, pointSize)); }

QFont CellDrawingFont(QFont font)
{
    if (font.family() == GreekFamily)
        font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    return font;
}

} // namespace winsys
