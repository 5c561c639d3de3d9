#pragma once
// Access keys of menu captions: the letter after "&" is underlined and
// chosen with Alt (in the menu bar) or on its own (in an open menu).

#include <QString>

namespace tav {

// A caption that comes from outside the code (a window's title, a tree
// node's text) as a menu entry's text: its own "&" shown as such, and the
// access key on its first letter or digit.
QString WithAccessKey(const QString &caption);
// The same with the key on the first letter or digit that is not yet in
// taken (compared without case), which then holds it too. A caption with no
// free letter gets no key.
QString WithAccessKey(const QString &caption, QString *taken);
// The caption a menu entry's text shows: the access key's "&" removed and
// "&&" shown as one "&".
QString WithoutAccessKey(const QString &text);

} // namespace tav
