#pragma once
// The end of the start as a benchmark run from outside sees it: with
// TAV_REPORT_IDLE set to the number of an open file descriptor, the program
// writes "idle <ms>\n" there once its main window has been painted and the
// event loop has nothing more to do, <ms> being the time the start spent in
// its designed pauses, and then ends. Without the variable nothing changes.

#include <functional>

class QWidget;

namespace tav {

// Watches for the first paint of mainWindow and wraps pause so that its
// time is counted. Call before the start-up's first pause.
void ReportIdleAfterStart(QWidget *mainWindow, std::function<void()> &pause);

// With TAV_REPORT_RUNNING set to the number of an open file descriptor,
// writes "running\n" there: the start is through (the main window's Load
// included) and the event loop takes over, so a signal now ends the program
// as File > Exit does. A test that signals a running program waits for it.
// Without the variable nothing happens.
void ReportRunning();

} // namespace tav
