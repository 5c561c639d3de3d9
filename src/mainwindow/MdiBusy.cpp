// Work the store hands to the main window to run while the windows stay
// painted (a compaction of the word database).
#include "mainwindow/MDI.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

namespace tav {

namespace {

// A busy dialog that only the end of the work takes away: it has no close
// box, and Esc and a close asked by the window manager (Alt+F4) are ignored.
// Hidden early, it would give the windows their input back while the work
// still needs them kept still (a compaction is copying the word database).
class BusyDialog : public QProgressDialog {
public:
    BusyDialog(const QString &what, QWidget *owner)
        : QProgressDialog(what, QString(), 0, 0, owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    {
    }
    // Esc rejects a dialog.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

// While the work runs, the windows are painted and nothing else of the
// program runs: keys and clicks reach only the busy dialog, and the
// program's timers (an exercise's answer timer, a pause) wait, since their
// handlers could reach the files the work needs kept still. A timer stays
// active while its event is held back, so it fires again once the work is
// done. Qt's own timers (animations, the busy bar) go on.
class HoldWhileBusy : public QObject {
public:
    explicit HoldWhileBusy(QWidget *busy) : m_busy(busy) { qApp->installEventFilter(this); }
    ~HoldWhileBusy() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        for (const QObject *o = watched; o; o = o->parent())
            if (o == static_cast<const QObject *>(m_busy.data()))
                return false; // the busy dialog, its bar and their timers
        switch (event->type()) {
        case QEvent::Timer:
            return watched->isWidgetType() || qobject_cast<QTimer *>(watched) ||
                   watched->inherits("QSingleShotTimer");
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
        }
    }

private:
    QPointer<QWidget> m_busy;
};

// Joins the worker on every way out: a thread still joinable when it is
// destroyed would end the program.
struct JoinOnExit {
    std::thread &worker;
    ~JoinOnExit()
    {
        if (worker.joinable())
            worker.join();
    }
};

} // namespace

void MDI::RunBusy(const QString &what, const std::function<void()> &work)
{
    // An application-modal dialog without buttons keeps every input away
    // from the windows while the event loop repaints them; its bar moves to
    // and fro while the work runs.
    QWidget *owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this;
    BusyDialog progress(what, owner);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    const QString before = PanelText(1);
    SetPanelText(1, what);
    progress.show();
    // On every way out, a failure included.
    struct AfterWork {
        std::function<void()> run;
        ~AfterWork() { run(); }
    } after{[&] {
        progress.hide();
        SetPanelText(1, before);
    }};

    QEventLoop loop;
    std::exception_ptr failure;
    std::atomic<bool> done = false;
    HoldWhileBusy hold(&progress);
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    {
        JoinOnExit join{worker};
        // A signal that ends the program (a socket notifier) waits until
        // the work is done, so that the normal end finds the file in place.
        // A nested loop that quits this one early (it cannot be told from
        // the worker's quit) finds the work still running: it goes on.
        while (!done)
            loop.exec(QEventLoop::ExcludeSocketNotifiers);
    }
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace tav
