#pragma once

// Long lists are worked on in parts at once: the rows are cut into
// consecutive parts, one on the calling thread and the others on the thread
// pool. Each part writes only its own rows, so the parts need no locks.

#include <QThreadPool>

#include <algorithm>
#include <latch>
#include <utility>

namespace flexgrid {

// How many parts count rows make: each of at least leastRows rows, and no
// more parts than the pool has threads.
inline int PartCount(qsizetype count, qsizetype leastRows = 4096)
{
    const int threads = std::max(QThreadPool::globalInstance()->maxThreadCount(), 1);
    return static_cast<int>(std::clamp<qsizetype>(count / leastRows, 1, threads));
}

// The first row of part i of count rows in parts parts; part i ends where
// part i + 1 starts, and PartStart(count, parts, parts) is count.
inline qsizetype PartStart(qsizetype count, int parts, int i) { return count * i / parts; }

// The rows of part i: its first row and the row after its last.
inline std::pair<qsizetype, qsizetype> PartRows(qsizetype count, int parts, int i)
{
    return {PartStart(count, parts, i), PartStart(count, parts, i + 1)};
}

// Runs part(i) for i from 0 to parts - 1, part 0 on this thread, and returns
// when all are done. A part no pool thread is free for runs here, so that it
// never waits behind other work.
template<typename Part>
void RunParts(int parts, Part part)
{
    if (parts <= 1) {
        part(0);
        return;
    }
    QThreadPool &pool = *QThreadPool::globalInstance();
    std::latch done(parts - 1);
    for (int i = 1; i < parts; ++i) {
        auto task = [&, i] {
            part(i);
            done.count_down();
        };
        if (!pool.tryStart(task))
            task();
    }
    part(0);
    done.wait();
}

} // namespace flexgrid
