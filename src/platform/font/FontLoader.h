#pragma once
// The "VudedoGreek" font: the build puts VudedoGreek.ttf and
// VudedoGreek-Bold.ttf beside the program; the program registers them with
// Qt at start, after which QFont("VudedoGreek", size) selects them by name
// and shows the stored Latin keys as Greek letters.

#include <QFont>
#include <QString>

namespace winsys {

inline const QString GreekFamily = QStringLiteral("VudedoGreek");

// Registers the two font files of the folder (the program's own folder when
// empty); a file already registered is not added again. Returns whether the
// family "VudedoGreek" is available afterwards. Needs a QGuiApplication.
bool LoadGreekFonts(const QString &folder = QString());

// The Greek font at a size in points.
QFont GreekFont(int pointSize);

} // namespace winsys
