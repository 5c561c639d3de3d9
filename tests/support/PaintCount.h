#pragma once
// Counts the paint events a widget receives, from now until it is dropped.

#include "EventCount.h"

#include <QWidget>

namespace tavtest {

class PaintCount : public EventCount {
public:
    explicit PaintCount(QWidget *widget) : EventCount(widget, QEvent::Paint) {}
};

} // namespace tavtest
