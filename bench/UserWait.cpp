#include "UserWait.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QObject>

#include <algorithm>

namespace tavbench {

namespace {

// Counts every event the application delivers, to tell when a pass found
// nothing left to do.
class EventCount : public QObject {
public:
    long long delivered = 0;

protected:
    bool eventFilter(QObject *, QEvent *) override
    {
        ++delivered;
        return false;
    }
};

} // namespace

bool DrawnByXServer() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

std::string WaitName(const std::string &name)
{
    if (DrawnByXServer())
        return name;
    const size_t slash = name.find('/');
    return slash == std::string::npos ? name + "_offscreen" : name.substr(0, slash) + "_offscreen" + name.substr(slash);
}

void ProcessUntilIdle()
{
    static EventCount *const count = [] {
        auto *c = new EventCount;
        QCoreApplication::instance()->installEventFilter(c);
        return c;
    }();
    // Update requests are posted events: the paints they make happen inside
    // these calls, through the widgets' backing stores. Two quiet passes in a
    // row, so that a zero timer started by the last event has run as well.
    for (int quiet = 0; quiet < 2;) {
        const long long before = count->delivered;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        quiet = count->delivered == before ? quiet + 1 : 0;
    }
}

void RunToIdle(const std::function<void()> &action)
{
    action();
    ProcessUntilIdle();
}

double Median(std::vector<double> times)
{
    if (times.empty())
        return 0;
    const size_t middle = times.size() / 2;
    std::nth_element(times.begin(), times.begin() + long(middle), times.end());
    double m = times[middle];
    if (times.size() % 2 == 0)
        m = (m + *std::max_element(times.begin(), times.begin() + long(middle))) / 2;
    return m;
}

void PairedTimes::Report(benchmark::State &state, const std::string &leavesOut) const
{
    const double action = Median(m_action);
    state.counters["median_ms"] = action;
    std::string label = DrawnByXServer() ? "" : "offscreen: leaves out the X server's drawing and input, 800x800 screen";
    if (!leavesOut.empty())
        label += (label.empty() ? "" : "; ") + leavesOut;
    if (!label.empty())
        state.SetLabel(label);
    if (m_bare.empty())
        return;
    const double bare = Median(m_bare);
    state.counters["bare_ms"] = bare;
    state.counters["ratio"] = bare > 0 ? action / bare : 0;
}

} // namespace tavbench
