#pragma once
// What the grammar panel needs of the main window that holds it: the status
// panels, the remarks and result boxes, the Conjugations menu entries and
// the active list window. The main window implements it; the panel links no
// main-window code.

#include <QList>
#include <QString>

class QAction;
class QPoint;
class QLineEdit;
class QWidget;

namespace winsys {
class TextBox;
}

namespace tav {

class ListWindowLink;

class GrammarHost {
public:
    virtual ~GrammarHost() = default;

    // Writes status panel 1 to 7.
    virtual void SetPanelText(int panel, const QString &text) = 0;
    // The word the panel shows (0: none). The main window keeps the number:
    // its remarks boxes store for that word, and status panel 3 names it.
    virtual void ShowWordID(long long ID) = 0;

    // The main window itself, whose width lays out the conjugation columns.
    virtual QWidget *HostWindow() = 0;
    // The active child window when it is a list window; nullptr when none is
    // active or the active one is another window (the exercise window).
    virtual ListWindowLink *ActiveList() const = 0;

    virtual winsys::TextBox *RemarksBox() = 0;  // tbRem
    virtual winsys::TextBox *RemarksBox3() = 0; // tbRemG3
    // The boxes beside the search box, tbFind(0) and tbFind(1): enabled and
    // disabled, and emptied, with the panel's own boxes.
    virtual QList<QLineEdit *> ResultBoxes() = 0;
    // The Conjugations menu's entries mnuFirstParts(0..2).
    virtual QAction *ConjugationEntry(int index) = 0;
    // Opens the Conjugations menu at a point of the screen.
    virtual void PopupConjugations(const QPoint &GlobalPos) = 0;
};

} // namespace tav
