#include "exercise/PageFold.h"

#include <QBoxLayout>
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

namespace tav {

PageFold::PageFold(QScrollArea *scroll) : QObject(scroll), m_scroll(scroll), m_page(scroll->widget())
{
    scroll->installEventFilter(this);
    if (m_page)
        m_page->installEventFilter(this);
}

void PageFold::AddRow(QBoxLayout *row, int FoldedSpacing)
{
    m_rows.append({row, row->spacing(), FoldedSpacing});
}

// The page is fitted again when the area changes its size, and when the
// page's least size changes (a caption set after the page was built).
bool PageFold::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        Fit();
    } else if (watched == m_page && event->type() == QEvent::LayoutRequest && !m_pending) {
        // After the page's own layout has taken the change in; a page that
        // goes with its window gets no fit (the timer goes with this object).
        m_pending = true;
        QTimer::singleShot(0, this, [this] {
            m_pending = false;
            Fit();
        });
    }
    return false;
}

void PageFold::setFolded(int count)
{
    for (int i = 0; i < m_rows.size(); ++i) {
        const Row &row = m_rows[i];
        const bool fold = i < count;
        const auto direction = fold ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight;
        if (row.box->direction() != direction) {
            row.box->setDirection(direction);
            row.box->setSpacing(fold ? row.foldedSpacing : row.wideSpacing);
        }
    }
    m_folded = count;
    if (m_page && m_page->layout())
        m_page->layout()->invalidate();
}

// Whether the page's least width fits the scroll area's, less the room of
// the vertical scroll bar when the page is higher than the area.
bool PageFold::fits() const
{
    const QSize least = m_page->minimumSizeHint();
    const QSize room = m_scroll->maximumViewportSize();
    int width = room.width();
    if (least.height() > room.height())
        width -= m_scroll->verticalScrollBar()->sizeHint().width();
    return least.width() <= width;
}

void PageFold::Fit()
{
    QWidget *page = m_page;
    if (m_fitting || !page)
        return;
    // Trying the folds asks the page to be laid out again; where neither the
    // room nor the page's least size has changed since the last fit, there
    // is nothing to try.
    const QSize room = m_scroll->maximumViewportSize();
    if (room == m_fittedRoom && page->minimumSizeHint() == m_fittedLeast)
        return;
    m_fitting = true;
    int count = 0;
    setFolded(0);
    while (!fits() && count < m_rows.size())
        setFolded(++count);
    m_fittedRoom = room;
    m_fittedLeast = page->minimumSizeHint();
    m_fitting = false;
}

} // namespace tav
