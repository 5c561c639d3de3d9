#include "mainwindow/PanelScroll.h"

#include <QEvent>
#include <QScrollBar>

namespace tav {

PanelScroll::PanelScroll(QWidget *Panel, QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("picBottomScroll"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setWidget(Panel);
    Panel->installEventFilter(this);
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, &PanelScroll::fitHeight);
    fitHeight();
}

bool PanelScroll::eventFilter(QObject *watched, QEvent *event)
{
    const bool handled = QScrollArea::eventFilter(watched, event);
    if (watched == widget() && (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
                                event->type() == QEvent::Hide))
        fitHeight();
    return handled;
}

void PanelScroll::fitHeight()
{
    QWidget *panel = widget();
    if (!panel)
        return;
    const int bar = horizontalScrollBar()->maximum() > 0 ? horizontalScrollBar()->sizeHint().height() : 0;
    setFixedHeight(panel->isHidden() ? 0 : panel->height() + bar);
}

} // namespace tav
