#pragma once
// What the exercise window needs of the main window, and nothing more: the
// grammar panel (a word shown, or cleared), the status panels, the client
// area it lives in (its room, its active child and the activation of its
// children) and the toolbar strip, which the window gives back when it
// closes. The main window implements it (MdiExerciseHost); tests can install
// a recorder.

#include <QString>

class QMdiArea;

namespace tav {

class ExerciseHost {
public:
    virtual ~ExerciseHost() = default;

    // Shows the word in the grammar panel (Kind 0: a headword row).
    virtual void SmallFacts(long long ID, const QString &Text, int Kind) = 0;
    // The grammar panel's declension view for a word; 99999 shows none.
    virtual void DeKlino(long Color, long long ID) = 0;
    // Empties the grammar panel's sentence view.
    virtual void BaseFrase() = 0;
    // The word the window asks about (0: none): the main window's remarks
    // boxes store for it, and status panel 3 names it.
    virtual void ShowWordID(long long ID) = 0;
    // Writes status panel 1 to 7.
    virtual void SetPanelText(int panel, const QString &text) = 0;
    // The main window's client area, whose child the window is.
    virtual QMdiArea *ClientArea() const = 0;
    // Shows or hides the main window's toolbar strip.
    virtual void ShowToolbar(bool Shown) = 0;
};

} // namespace tav
