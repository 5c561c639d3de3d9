#pragma once
// What the word store asks of the windows. The store links no widget module:
// where it writes a status panel, rebuilds the category tree or shows the
// splash and the main window, it calls the link that the program installed.
// Tests install RecordingLink (tests/support) and read what was asked.

#include "store/Notice.h"

#include <QList>
#include <QSize>
#include <QString>

#include <functional>

namespace tav {

class ListWindowLink;

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;

    // Start-up.
    virtual void ShowSplash() {}
    virtual void UnloadSplash() {}
    virtual void ShowMain() {}
    // What the start-up has to say before the main window is shown: why the
    // start ends (TellAtStart), and its one question, whether to take over a
    // lock it cannot check (AskAtStart), which returns the button chosen.
    // The start-up shows no message box itself; the main window shows these
    // (the splash gives way to the box). Without a window the default
    // writes them to stderr and answers a question with its safe answer
    // (winsys::SafeAnswer: Cancel for the lock question).
    virtual void TellAtStart(const Notice &notice);
    virtual int AskAtStart(const Notice &question);

    // The main window's status bar, panels 1 to 7.
    virtual void SetPanelText(int panel, const QString &text) = 0;
    virtual QString PanelText(int panel) const = 0;

    // Rebuilds the category tree (MDI.JulGran).
    virtual void JulGran() {}

    // The desktop's size in pixels (the primary screen); empty when unknown.
    virtual QSize DesktopSize() const { return {}; }

    // Number of open list windows (windows named "Grid...").
    virtual int CountGridForms() const { return 0; }

    // Repaints the status bar at once (after SetStatusText).
    virtual void RefreshStatusBar() {}

    // Runs work, which touches no window and no shared state, and returns
    // when it is done; an exception it throws comes out of here. The main
    // window runs it beside the event loop, so that the windows stay painted
    // while it runs, and shows what is being done (what) with a busy
    // indication; nothing the user does reaches the windows meanwhile, and
    // the program's timers wait until it is done.
    virtual void RunBusy(const QString & /*what*/, const std::function<void()> &work) { work(); }

    // The print image imgPrintNorm and the File menu's print entry
    // mnuPrintParts(0): both enabled or both disabled, the entry's caption and
    // the image's tool tip.
    virtual void SetPrintEntries(bool /*enabled*/, const QString & /*caption*/, const QString & /*toolTip*/) {}

    // The Window menu mnuWindows and its entry mnuCloseAll, together.
    virtual void SetWindowMenusEnabled(bool /*enabled*/) {}
    // The grammar panel's declension grid msflxKlin.
    virtual void SetKlinEnabled(bool /*enabled*/) {}
    // Fits the frame to the work area (MDI.MDIForm_Resize).
    virtual void MDIForm_Resize() {}
    // Clears the grammar panel (MDI.BaseFrase).
    virtual void BaseFrase() {}
    // Shows a declension in the grammar panel (MDI.DeKlino); DeKlino(&HFFFF,
    // 99999) is its base state, the definite article.
    virtual void DeKlino(long /*color*/, long long /*id*/) {}

    // The main window's open child windows (list windows, the exercise
    // window), in the order they were opened. A window that is being closed
    // leaves itself out, so that the list holds what stays open.
    struct ChildWindow {
        QString name;    // "GridStd", "GridSimple", "Exercise"
        QString tag;     // "NoClose" for a window that "Close all windows" leaves open
        bool visible = true;
    };
    virtual QList<ChildWindow> ChildWindows() const { return {}; }
    // The open list windows (not owned), in the same order and on the same
    // terms as ChildWindows.
    virtual QList<ListWindowLink *> OpenListWindows() const { return {}; }
};

// The installed link. Without one a debug build (and so every test) stops
// with a message; a release build goes on with a link that only keeps the
// panel texts.
MainWindowLink &Link();
void SetLink(MainWindowLink *link);

} // namespace tav
