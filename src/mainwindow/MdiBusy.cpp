// Work the store hands to the main window to run while the windows stay
// painted (a compaction of the word database).
#include "mainwindow/MDI.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QProgressDialog>

#include <exception>
#include <thread>

namespace tav {

namespace {

// A busy dialog that only the end of the work takes away: it has no close
// box, and Esc and a close asked by the window manager (Alt+F4) are ignored.
// Hidden early, it would give the windows their input back while the work
// still needs them kept still (a compaction has the word database closed).
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

    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // A signal that ends the program (a socket notifier) waits until the
    // work is done, so that the normal end finds the file in place.
    loop.exec(QEventLoop::ExcludeSocketNotifiers);
    worker.join();
    progress.hide();
    SetPanelText(1, before);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace tav
