#include "mainwindow/EndOnSignal.h"

#include "platform/winsys/core/MsgBox.h"

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

void OnSignal(int signal)
{
    // Only what is safe in a signal handler. A second signal ends the
    // process here and now; the first one asks the event loop to end it and
    // sets a time limit (the default action of SIGALRM ends the process)
    // for an event loop that is busy or blocked.
    if (g_signalled)
        ::_exit(128 + signal);
    g_signalled = 1;
    const int saved = errno;
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
    SetHandler(SIG_DFL);
    ::alarm(0);
    g_signalled = 0;
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
