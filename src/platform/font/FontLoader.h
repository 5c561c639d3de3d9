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

// The Greek font at a size in points, without text shaping (see below).
QFont GreekFont(int pointSize);

// A font as a grid draws its cells: the Greek family without text shaping.
// Its shaping tables are removed (they moved the accent), so shaping places
// every glyph where the plain advances do, and is most of the cost of
// drawing a cell or laying out a label's text. Other families are returned
// as they are.
QFont CellDrawingFont(QFont font);

} // namespace winsys
