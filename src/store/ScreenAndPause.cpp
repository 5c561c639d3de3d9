// The desktop size, the Greek font size it selects, and the short pause of
// the main window's start. Kept apart from the start-up itself, which needs
// the database.
#include "store/StartUp.h"

#include "store/MainWindowLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSize>
#include <QThread>
#include <QTimer>

#include <chrono>

namespace tav {

int GreekFontSizeFor(const QString &resolution) { return resolution == QLatin1String("800x600") ? 11 : 14; }

QString ScreenResolution()
{
    const QSize size = Link().DesktopSize();
    return QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height());
}

void PauseBriefly()
{
    constexpr qint64 pauseMs = 600;
    QElapsedTimer clock;
    clock.start();
    if (!QCoreApplication::instance()) {
        QThread::msleep(pauseMs);
        return;
    }
    // A timer ends each wait, so the thread sleeps in the event loop instead
    // of polling; the loop repeats only if the timer fired early.
    while (clock.elapsed() < pauseMs) {
        QEventLoop loop;
        QTimer::singleShot(std::chrono::milliseconds(pauseMs - clock.elapsed()), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace tav
