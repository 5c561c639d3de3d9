#pragma once
// The program as its main() builds it (the main window as the store's link,
// the list windows, the exercise window, the Greek font), started on a copy
// of a word database in a folder of its own, with its main window shown on
// the offscreen platform. The Load's pauses are left out.

#include "mainwindow/MDI.h"
#include "mainwindow/ProgramWindows.h"

#include <QApplication>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QWidget;

namespace tav {
class GridStd;
}

namespace tavbench {

class BenchProgram {
public:
    // Copies the database into a new program folder. Start() starts it.
    explicit BenchProgram(const QString &database);
    ~BenchProgram();

    // Builds the main window and runs the start-up to the main window shown;
    // a start-up that fails aborts. Stop() closes it again (before another
    // Start()).
    void Start();
    void Stop();

    tav::MDI &Mdi() const { return *m_mdi; }
    QString Folder() const { return m_dir.path(); }
    QString File() const;

    // The newest list window open, nullptr when none is.
    tav::GridStd *NewestList() const;
    // The tree node of a key, selected as a click selects it.
    void SelectNode(const QString &key) const;
    // Closes every child window and deletes it.
    void CloseChildren() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<tav::MDI> m_mdi;
    std::unique_ptr<tav::ProgramWindows> m_windows;
};

// The application of a window benchmark: the offscreen platform unless one
// is asked for (xcb under Xvfb measures the X server's painting too), Qt's
// notes silenced (the offscreen platform's would bury the figures), and the
// benchmarks' flags read. Run() runs what was registered.
class WindowBenchApp {
public:
    WindowBenchApp(int &argc, char **argv);
    int Run();

private:
    std::unique_ptr<QApplication> m_app;
};

// Clicks a widget in its middle as the user clicks it (press and release).
void Click(QWidget *widget);
// A key press and release sent to a widget as the keyboard sends them.
void Key(QWidget *widget, int key);

} // namespace tavbench
