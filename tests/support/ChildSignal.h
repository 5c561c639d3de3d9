#pragma once
// Sends a signal to a child process of a test. A child that never started
// (or has ended) has process id 0, and kill(0, ...) would signal the whole
// process group: the test run itself. Such a child gets nothing.

#include <QProcess>

#include <csignal>

inline bool SignalChild(const QProcess &child, int signal)
{
    const qint64 pid = child.processId();
    return pid > 0 && ::kill(pid_t(pid), signal) == 0;
}
