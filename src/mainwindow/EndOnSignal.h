#pragma once
// Ends the program on SIGTERM, SIGINT and SIGHUP (a logout, `kill PID`, a
// system shutdown, Ctrl+C or a closed terminal) the way File > Exit does, so
// that the windows close and the word database is closed cleanly. The signal
// handler only writes a byte to a socket pair; a notifier on the other end
// does the work in the event loop. From the first signal on the program asks
// nothing (winsys::EndingProgram): every open question gets its answer that
// changes nothing, typing that can be stored is stored and typing that is
// refused, or would replace a value stored after its editor opened, is
// dropped, and a compaction under way is abandoned. A second signal, or
// kSecondsToEnd seconds without an end, ends the process at once, removing
// the run's lock and a compaction's copy first.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tav {

class EndOnSignal : public QObject {
public:
    // How long the normal end may take after the first signal.
    static constexpr unsigned kSecondsToEnd = 5;

    // Installs the handlers; end is called from the event loop once no
    // modal dialog is open any more (each open one is closed first, as its
    // Escape or close button would).
    explicit EndOnSignal(std::function<void()> end, QObject *parent = nullptr);
    // Restores the signals' default ends (after the run's files are removed)
    // and takes back the time limit.
    ~EndOnSignal() override;
    EndOnSignal(const EndOnSignal &) = delete;
    EndOnSignal &operator=(const EndOnSignal &) = delete;

    // True once one of the signals has arrived.
    bool Requested() const { return m_requested; }

private:
    void onSignal();
    void endWhenNoDialog();

    std::function<void()> m_end;
    QSocketNotifier *m_notifier = nullptr;
    bool m_requested = false;
    int m_dialogsClosed = 0;
};

} // namespace tav
