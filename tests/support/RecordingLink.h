#pragma once
// A stand-in for the main window in tests: installs itself as the store's
// link while it lives and records what the store asked of the windows.

#include "store/MainWindowLink.h"

#include <QMap>
#include <QSize>
#include <QStringList>

namespace tavtest {

class RecordingLink : public tav::MainWindowLink {
public:
    RecordingLink();           // installs itself
    ~RecordingLink() override; // installs the silent link again

    void ShowSplash() override;
    void UnloadSplash() override;
    void ShowMain() override;
    // Recorded, then shown through the message service as the main window
    // shows them, so that scripted answers still answer the question.
    void TellAtStart(const tav::Notice &notice) override;
    int AskAtStart(const tav::Notice &question) override;
    void SetPanelText(int panel, const QString &text) override;
    QString PanelText(int panel) const override;
    void JulGran() override;
    QSize DesktopSize() const override { return desktop; }
    int CountGridForms() const override { return gridForms; }

    // Every call in order, as "ShowSplash", "Panel 6: text", "JulGran",
    // "TellAtStart", "AskAtStart" ...
    QStringList calls;
    // What the start-up told or asked, in order.
    QList<tav::Notice> notices;
    int Count(const QString &call) const { return static_cast<int>(calls.count(call)); }
    void Clear()
    {
        calls.clear();
        notices.clear();
    }

    // What the stand-in answers.
    QSize desktop{1024, 768};
    int gridForms = 0;

private:
    QMap<int, QString> m_panels;
};

} // namespace tavtest
