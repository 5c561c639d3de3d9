#pragma once
// The program's version as the windows show it.

#include <QString>

namespace tav {

// "Version " followed by major, minor and revision: "Version 2.0.15".
QString VersionCaption(const QString &version);
// The caption for the program's own version (the project's version number).
QString VersionCaption();

} // namespace tav
