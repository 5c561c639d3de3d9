#pragma once
// What CUPS says about a print queue and about the last job handed to it.
// Qt's printing hands a finished job to CUPS without reporting the answer;
// these read it. Without CUPS at build time every queue is unknown and no
// failure is reported.

#include <QString>

namespace printer::cups {

struct QueueState {
    bool known = false;     // CUPS answered for the queue
    bool accepting = true;  // takes new jobs ("cupsaccept"/"cupsreject")
    bool stopped = false;   // holds its jobs ("cupsdisable")
    QString reasons;        // the queue's state reasons, for example "paused"
};

QueueState StateOf(const QString &queue);

// The failure of the last request this thread made to CUPS, as CUPS words
// it; empty when it succeeded.
QString LastFailure();

} // namespace printer::cups
