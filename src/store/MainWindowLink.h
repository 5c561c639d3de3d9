#pragma once
// What the word store asks of the windows. The store links no widget module:
// where it writes a status panel, rebuilds the category tree or shows the
// splash and the main window, it calls the link that the program installed.
// Tests install RecordingLink (tests/support) and read what was asked.

#include <QSize>
#include <QString>

namespace tav {

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;

    // Start-up.
    virtual void ShowSplash() {}
    virtual void UnloadSplash() {}
    virtual void ShowMain() {}

    // The main window's status bar, panels 1 to 7.
    virtual void SetPanelText(int panel, const QString &text) = 0;
    virtual QString PanelText(int panel) const = 0;

    // Rebuilds the category tree (MDI.JulGran).
    virtual void JulGran() {}

    // The desktop's size in pixels (the primary screen); empty when unknown.
    virtual QSize DesktopSize() const { return {}; }

    // Number of open list windows (windows named "Grid...").
    virtual int CountGridForms() const { return 0; }
};

// The installed link; never null (a silent one until the program installs its own).
MainWindowLink &Link();
void SetLink(MainWindowLink *link);

} // namespace tav
