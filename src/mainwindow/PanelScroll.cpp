#include "mainwindow/PanelScroll.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

namespace tav {

PanelScroll::PanelScroll(QWidget *Panel, QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("picBottomScroll"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setWidget(Panel);
    Panel->installEventFilter(this);
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, &PanelScroll::fitHeight);
    fitHeight();
}

void PanelScroll::SetRoomAbove(QWidget *above, int height)
{
    if (m_above != above && above)
        above->installEventFilter(this);
    m_above = above;
    m_aboveHeight = height;
    fitHeight();
}

bool PanelScroll::eventFilter(QObject *watched, QEvent *event)
{
    const bool handled = QScrollArea::eventFilter(watched, event);
    if ((watched == widget() && (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
                                 event->type() == QEvent::Hide)) ||
        (watched == m_above && m_above && event->type() == QEvent::Resize))
        fitHeight();
    return handled;
}

void PanelScroll::fitHeight()
{
    QWidget *panel = widget();
    if (!panel)
        return;
    const int bar = horizontalScrollBar()->maximum() > 0 ? horizontalScrollBar()->sizeHint().height() : 0;
    const int whole = panel->isHidden() ? 0 : panel->height() + bar;
    int shown = whole;
    if (m_above && m_aboveHeight > 0) {
        // What the area above can spare: the two share their joint height.
        const int free = m_above->height() + height() - m_aboveHeight;
        shown = std::min(whole, std::max(free, whole / 3));
    }
    if (shown != height())
        setFixedHeight(shown);
}

} // namespace tav
