#pragma once
// Counts the events of one type that reach the objects watched, from now
// until it is dropped.

#include <QEvent>
#include <QObject>

namespace tavtest {

class EventCount : public QObject {
public:
    EventCount(QObject *watched, QEvent::Type type) : m_type(type) { watched->installEventFilter(this); }
    void watch(QObject *watched) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == m_type;
        return false;
    }

private:
    QEvent::Type m_type;
};

} // namespace tavtest
