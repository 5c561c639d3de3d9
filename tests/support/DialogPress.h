#pragma once
// Presses a button of a modal dialog once the dialog shows: a timer looks
// every few milliseconds until the dialog is visible and clicks the button
// it names (a child's object name), then stops.

#include <QAbstractButton>
#include <QTimer>
#include <QWidget>

namespace tavtest {

inline void PressWhenShown(QWidget *dialog, const QString &button)
{
    auto *timer = new QTimer(dialog);
    QObject::connect(timer, &QTimer::timeout, dialog, [dialog, button, timer] {
        if (!dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        if (auto *b = dialog->findChild<QAbstractButton *>(button))
            b->click();
    });
    timer->start(5);
}

} // namespace tavtest
