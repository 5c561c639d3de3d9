#pragma once
// What a user waits for after an input: the event loop's work up to the
// moment it is idle again, with every paint drawn; and the pairing of such
// waits with the bare SQL of the same action, timed in the same run.

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tavbench {

// Delivers every pending event (posted events, window-system events, zero
// timers, deferred deletes) and the paints they cause, drawn into the
// windows' backing stores, until a whole pass delivers nothing more.
void ProcessUntilIdle();

// Runs an action and then the event loop until idle (ProcessUntilIdle): the
// whole of what the user waits for, in one function a profiler can single
// out (valgrind --toggle-collect='tavbench::RunToIdle*').
void RunToIdle(const std::function<void()> &action);

// True when the windows are drawn by an X server (the xcb platform), as
// the user sees them; false on the offscreen platform, where a wait leaves
// out the X server's drawing, the input's way through it and the size of a
// real screen (the offscreen screen is 800x800).
bool DrawnByXServer();
// A window benchmark's name as registered: the name itself when the windows
// are drawn by an X server, else with "_offscreen" after its first part
// ("AllGreekShow_offscreen/50000"), so that a figure that leaves the X
// server out says so in its name.
std::string WaitName(const std::string &name);

// Milliseconds a call takes.
template <class F> double MilliSeconds(F &&call)
{
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The times of one benchmark: the wait for each action and, when there is
// one, the bare SQL of the same action measured beside it. Each action's
// time is the iteration's time (register with UseManualTime); Report adds
// the medians and their ratio as counters.
class PairedTimes {
public:
    // Times one action to idle and makes it the iteration's time.
    template <class F> void Action(benchmark::State &state, F &&act)
    {
        const double ms = MilliSeconds([&] { RunToIdle(act); });
        m_action.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
    // An action's time measured otherwise (the caller sets the iteration's
    // time).
    void Add(double ms) { m_action.push_back(ms); }
    // Times the bare SQL of the action.
    template <class F> void Bare(F &&sql) { m_bare.push_back(MilliSeconds(sql)); }

    // Counters: "median_ms" of the actions, and with bare times "bare_ms"
    // (their median) and "ratio" (action median over bare median). Off an
    // X server the label says what the times leave out.
    // A further note on what the times leave out goes after the label.
    void Report(benchmark::State &state, const std::string &leavesOut = {}) const;

private:
    std::vector<double> m_action;
    std::vector<double> m_bare;
};

// The median of a list of times (0 for none).
double Median(std::vector<double> times);

} // namespace tavbench
