#pragma once
// Waits on the event loop for an event rather than for a span of time, so that
// a slow or busy machine gives a test the same outcome as a fast one.

namespace tavtest {

// Runs the event loop until a timer started now for `ms` milliseconds has
// fired. Qt fires timers in the order they fall due, so every timer that falls
// due earlier (a window's periodic timer that was already running, say) has
// fired at least once by then, however late the machine ran the loop.
void WaitPast(int ms);

} // namespace tavtest
