#include "mainwindow/StartUpReport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QTimerEvent>
#include <QWidget>

#include <unistd.h>

#include <memory>

namespace tav {

namespace {

// Counts every event the application delivers; after the main window's
// first paint, a zero timer looks at the count: two turns of the event loop
// in a row that delivered nothing but the timer's own event mean idle.
class IdleReport : public QObject {
public:
    IdleReport(QWidget *window, int fd) : m_window(window), m_fd(fd) {}

    qint64 pausedNs = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        ++m_events;
        if (m_timer == 0 && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->window() == m_window) {
            m_timer = startTimer(0);
            m_seen = m_events;
        }
        return false;
    }

    void timerEvent(QTimerEvent *event) override
    {
        if (event->timerId() != m_timer)
            return;
        const long long delivered = m_events - m_seen;
        m_seen = m_events;
        m_quiet = delivered <= 1 ? m_quiet + 1 : 0;
        if (m_quiet < 2)
            return;
        killTimer(m_timer);
        QCoreApplication::instance()->removeEventFilter(this);
        const QByteArray line = "idle " + QByteArray::number(double(pausedNs) / 1e6, 'f', 3) + '\n';
        [[maybe_unused]] const ssize_t written = ::write(m_fd, line.constData(), size_t(line.size()));
        QCoreApplication::exit(0);
    }

private:
    QWidget *m_window;
    int m_fd;
    int m_timer = 0;
    long long m_events = 0;
    long long m_seen = 0;
    int m_quiet = 0;
};

} // namespace

void ReportIdleAfterStart(QWidget *mainWindow, std::function<void()> &pause)
{
    bool ok = false;
    const int fd = qEnvironmentVariableIntValue("TAV_REPORT_IDLE", &ok);
    if (!ok || fd < 0 || !QCoreApplication::instance())
        return;
    auto *report = new IdleReport(mainWindow, fd);
    report->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(report);
    pause = [inner = pause, report] {
        QElapsedTimer clock;
        clock.start();
        if (inner)
            inner();
        report->pausedNs += clock.nsecsElapsed();
    };
}

void ReportRunning()
{
    bool ok = false;
    const int fd = qEnvironmentVariableIntValue("TAV_REPORT_RUNNING", &ok);
    if (!ok || fd < 0)
        return;
    static const char line[] = "running\n";
    [[maybe_unused]] const ssize_t written = ::write(fd, line, sizeof line - 1);
}

} // namespace tav
