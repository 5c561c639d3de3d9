#include "platform/printer/CupsQueue.h"

#ifdef TAV_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace printer::cups {

#ifdef TAV_HAVE_CUPS

QueueState StateOf(const QString &queue)
{
    QueueState state;
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
    if (!dest)
        return state;
    state.known = true;
    auto option = [dest](const char *name) {
        return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
    };
    state.accepting = option("printer-is-accepting-jobs") != QLatin1String("false");
    state.stopped = option("printer-state") == QLatin1String("5");
    state.reasons = option("printer-state-reasons");
    if (state.reasons == QLatin1String("none"))
        state.reasons.clear();
    cupsFreeDests(1, dest);
    return state;
}

QString LastFailure()
{
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return QString();
    return QString::fromUtf8(cupsLastErrorString());
}

#else

QueueState StateOf(const QString &) { return {}; }
QString LastFailure() { return QString(); }

#endif

} // namespace printer::cups
