#include "mainwindow/EndOnSignal.h"

#include "platform/winsys/core/MsgBox.h"
#include "store/AdminSubs.h"
#include "store/WordFileGuard.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace tav {

namespace {

int g_sockets[2] = {-1, -1};
volatile std::sig_atomic_t g_signalled = 0;
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// Dialogs that refuse to close do not keep the program from ending.
constexpr int kMaxDialogsClosed = 50;

// Ends the process by the signal's default action, once the files of the
// run that a normal end removes are gone (the lock, a compaction's copy).
void EndNow(int signal)
{
    tav::RemoveRunFilesNow();
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    // Delivered once this handler returns.
    ::raise(signal);
}

void OnSignal(int signal)
{
    // Only what is safe in a signal handler. A second signal ends the
    // process here and now; the first one asks the event loop to end it,
    // stops a compaction under way and sets a time limit (SIGALRM) for an
    // event loop that is busy or blocked. Neither end leaves the run's
    // files behind.
    if (g_signalled) {
        tav::RemoveRunFilesNow();
        ::_exit(128 + signal);
    }
    g_signalled = 1;
    const int saved = errno;
    tav::AbandonCompaction(true);
    ::alarm(EndOnSignal::kSecondsToEnd);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[0], &byte, 1);
    errno = saved;
}

void SetHandler(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
    action.sa_handler = EndNow;
    ::sigaction(SIGALRM, &action, nullptr);
}

} // namespace

EndOnSignal::EndOnSignal(std::function<void()> end, QObject *parent) : QObject(parent), m_end(std::move(end))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_sockets) != 0) {
        qWarning("No socket pair for the end signals: they end the program at once.");
        return;
    }
    m_notifier = new QSocketNotifier(g_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndOnSignal::onSignal);
    SetHandler(OnSignal);
}

EndOnSignal::~EndOnSignal()
{
    if (!m_notifier)
        return;
    // Each signal ends the process as by default from here on, but the end
    // of the program still to come (the lock is released last) leaves no
    // file of the run either.
    SetHandler(EndNow);
    ::alarm(0);
    g_signalled = 0;
    tav::AbandonCompaction(false);
    winsys::SetEndingProgram(false);
    delete m_notifier;
    ::close(g_sockets[0]);
    ::close(g_sockets[1]);
    g_sockets[0] = g_sockets[1] = -1;
}

void EndOnSignal::onSignal()
{
    char bytes[16];
    [[maybe_unused]] const ssize_t got = ::read(g_sockets[1], bytes, sizeof bytes);
    if (m_requested)
        return;
    m_requested = true;
    // No question waits for an answer from here on: the user may be gone.
    winsys::SetEndingProgram(true);
    endWhenNoDialog();
}

void EndOnSignal::endWhenNoDialog()
{
    // A dialog runs its own event loop: it closes first, and the end waits
    // until its caller has gone on.
    if (QWidget *modal = QApplication::activeModalWidget(); modal && m_dialogsClosed < kMaxDialogsClosed) {
        ++m_dialogsClosed;
        modal->close();
        QTimer::singleShot(0, this, &EndOnSignal::endWhenNoDialog);
        return;
    }
    m_end();
}

} // namespace tav
