#include "platform/winsys/StatusPanel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace winsys {

namespace {
// Room left and right of the text inside the frame.
constexpr int kMargin = 3;
}

StatusPanel::StatusPanel(Kind kind, QWidget *parent) : QFrame(parent), m_kind(kind)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
}

void StatusPanel::SetText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    const int oldWidth = m_textWidth;
    measure();
    if (m_textWidth != oldWidth)
        updateGeometry();
    updateElision();
    update();
}

int StatusPanel::widthFor(int textWidth) const
{
    const QMargins frame = contentsMargins();
    return textWidth + 2 * kMargin + frame.left() + frame.right();
}

QSize StatusPanel::sizeHint() const
{
    const int height = fontMetrics().height() + 2 * frameWidth() + 2;
    return {widthFor(m_textWidth), height};
}

QSize StatusPanel::minimumSizeHint() const
{
    const int height = fontMetrics().height() + 2 * frameWidth();
    return {m_kind == Fixed ? widthFor(m_textWidth) : widthFor(0), height};
}

QRect StatusPanel::textRoom() const
{
    return contentsRect().adjusted(kMargin, 0, -kMargin, 0);
}

void StatusPanel::measure()
{
    m_textWidth = fontMetrics().horizontalAdvance(m_text);
}

void StatusPanel::updateElision()
{
    const bool elided = m_kind == Free && m_textWidth > textRoom().width();
    if (elided == m_elided && (!elided || toolTip() == m_text))
        return;
    m_elided = elided;
    setToolTip(elided ? m_text : QString());
}

void StatusPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_text.isEmpty())
        return;
    QPainter p(this);
    const QRect room = textRoom();
    const QString shown = m_elided ? fontMetrics().elidedText(m_text, Qt::ElideRight, room.width()) : m_text;
    style()->drawItemText(&p, room, int(Qt::AlignLeft | Qt::AlignVCenter), palette(), isEnabled(), shown,
                          QPalette::WindowText);
}

void StatusPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    updateElision();
}

void StatusPanel::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measure();
        updateGeometry();
        updateElision();
    }
}

} // namespace winsys
