#pragma once
// A plain stand-in for the main window until the real frame takes over: it
// shows the settings that start-up loaded and the status panels the store
// writes (the word count in panel 2). Drop this file pair, and its use in
// main.cpp, when the real main window is installed.

#include "store/MainWindowLink.h"

#include <QLabel>
#include <QMainWindow>
#include <QVector>

#include <memory>

namespace tav {

class PlaceholderWindow : public QMainWindow {
public:
    PlaceholderWindow();
    void SetPanelText(int panel, const QString &text);
    QString PanelText(int panel) const;
    void ShowSettings();

private:
    QLabel *m_settings;
    QVector<QLabel *> m_panels; // panels 1 to 7
};

// The link start-up talks to: shows the placeholder window.
class PlaceholderLink : public MainWindowLink {
public:
    void ShowMain() override;
    void SetPanelText(int panel, const QString &text) override;
    QString PanelText(int panel) const override;
    QSize DesktopSize() const override;

private:
    std::unique_ptr<PlaceholderWindow> m_window;
    QString m_early[8]; // panel texts written before the window exists
};

} // namespace tav
