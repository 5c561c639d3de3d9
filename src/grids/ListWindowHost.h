#pragma once
// What the list windows need of the main window, and nothing more: the
// grammar panel (SmallFacts), the conjugation pop-up menu, the two boxes that
// report an empty result, the status panels, the category tree's counts, the
// category and letter a list was asked for, the room of the client area and a
// place among the child windows. The main
// window installs its own (tests install a recorder).

#include <QString>

class QMdiSubWindow;
class QPoint;
class QWidget;

namespace tav {

class ListWindow;

class ListWindowHost {
public:
    virtual ~ListWindowHost() = default;

    // Shows the word in the grammar panel; Kind 0 a headword row, 3 a
    // meaning row (Text the current cell), 33 a passive-participle row and
    // 66 another inflected-form row.
    virtual void SmallFacts(long long ID, const QString &Text, int Kind) = 0;
    // Opens the conjugation menu as a pop-up menu at a screen position.
    virtual void PopupConjugations(const QPoint &GlobalPos) = 0;
    // Writes an empty result into the boxes beside the search box: Message in
    // the first (tbFind(0)), Text in the second (tbFind(1)).
    virtual void ShowNoResult(const QString &Message, const QString &Text) = 0;
    // Writes status panel 1 to 7.
    virtual void SetPanelText(int panel, const QString &text) = 0;
    // Counts the words under the category tree's nodes again.
    virtual void JulGran() = 0;
    // The tag of the category tree's selected node ("" when none).
    virtual QString SelectedNodeTag() const = 0;
    // The list index of the letter filter (0 is "-").
    virtual int LetterIndex() const = 0;
    // The client area's inner height in pixels; 0 when there is none.
    virtual int ClientHeight() const = 0;
    // Adds the list window as a child of the client area; nullptr when there
    // is none. The main window addresses the window through it from then on
    // (its link, its grid and the headings over its columns).
    virtual QMdiSubWindow *AddChild(ListWindow &Window) = 0;
};

// The installed host. Without one a debug build (and so every test) stops
// with a message; a release build goes on with one that reports nothing.
ListWindowHost &ListHost();
void SetListHost(ListWindowHost *host);

} // namespace tav
