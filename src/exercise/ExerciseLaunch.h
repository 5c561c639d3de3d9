#pragma once
// What the main window's Exercise menu asks of the exercise side: the draw
// of a round's words (before the window exists) and the exercise window's
// members that prepare and show the round. The exercise window implements
// ExerciseWindowLink; the program installs its routines in MDI::Exercises,
// and the main window hands the window its ExerciseHost.

#include <QString>

#include <functional>

class QWidget;

namespace tav {

class ExerciseHost;

// The exercises: typing, matching and verb forms. Each has a tab of the
// exercise window (numbered 1 to ExerciseCount), an entry of the main
// window's Exercise menu and a help page.
inline constexpr int ExerciseCount = 3;

class ExerciseWindowLink {
public:
    virtual ~ExerciseWindowLink() = default;

    // The window shown as a child of the main window.
    virtual QWidget *Form() = 0;
    // Binds the round's rows to the window's data control Data1: sql with
    // the criteria naming the drawn words (DynasetsObj.MakeExercise).
    virtual void BindRound(const QString &sql, const QString &criteria) = 0;
    virtual void GridScribble() = 0;
    virtual void ProcessExercise() = 0;
    // Selects tab n (1 to ExerciseCount) of the tab strip tbsOptions, showing that mode.
    virtual void SelectTab(int n) = 0;
    // The open tab of tbsOptions, 1 to ExerciseCount.
    virtual int CurrentTab() const = 0;
    // The rule for words with several meanings was stored by the settings
    // dialog (OptBoChecka holds it); an open window shows the new value.
    virtual void BoCheckaChanged(bool /*value*/) {}
    // Stores a remark typed in the main window's remarks box for the word
    // shown (FieldIndex 12 is Remarks); SaveBusy is clear afterwards.
    virtual void GetPos(long long ID, const QString &Text, int FieldIndex) = 0;
    // Refits the window to the client area, which the main window changed
    // by showing or hiding its left panel.
    virtual void Form_Resize() {}
};

struct ExerciseRoutines {
    // Draws the round's words and leaves their condition in PickCriteria.
    std::function<void()> PickRandomWords;
    // Creates the exercise window (its Load runs) on the host's client area;
    // the window owns the link.
    std::function<ExerciseWindowLink *(ExerciseHost &)> CreateWindow;
};

} // namespace tav
