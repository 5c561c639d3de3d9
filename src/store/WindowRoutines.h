#pragma once
// The routines that keep the main window in step with its child windows: the
// status line, the refresh of every list window, the print entries and the
// window menus. The main window, the list windows and the exercise window
// call them; they reach the windows through Link().

#include <QString>
#include <QStringList>

#include <exception>

namespace tav {

// The message of a caught exception: a dao::DaoError's description, else its
// text.
QString ErrorDescription(const std::exception &error);

// Panel 1 of the status bar: caption 1186 when Text is empty; else Text,
// followed directly by caption 1187 when AddSuffix is true. The status bar is
// repainted at once.
void SetStatusText(const QString &Text, bool AddSuffix);

// Calls RefreshGrid of every open window whose name is Like "Grid*", in the
// order the windows were opened.
void RefreshGridForms();

// The active list shows its current row again as entering it does: after a
// change of the third language the grammar panel and status panel 4 show the
// row's word in the new state.
void ShowCurrentListRow();

// Closes every open list window whose query reads one of Tables (a whole
// table name in its SQL text, without regard to case): after the tables are
// dropped no refresh of such a window could run. Returns the closed windows'
// captions.
QStringList CloseListsReading(const QStringList &Tables);

// Follows the active list window: with HasForm the print image and the print
// entry are enabled and name the window's caption FrmCaption; without, both
// are disabled and read "No active form to print.. ".
void UpdatePrintMenu(bool HasForm, const QString &FrmCaption = QString());

// Follows the opening (Closing false) and closing (Closing true) of child
// windows. While a visible child window stays open the window menus and the
// declension grid are enabled; when the last one has closed they are
// disabled and the grammar panel returns to its base state. The window being
// closed is not among the main window's ChildWindows() (see MainWindowLink).
void UpdateWindowMenus(bool Closing);

} // namespace tav
