#pragma once
// Counts the paint events a widget receives, from now until it is dropped.

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace tavtest {

class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget *widget) { widget->installEventFilter(this); }
    void watch(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace tavtest
