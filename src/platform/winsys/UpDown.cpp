#include "platform/winsys/UpDown.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace winsys {

UpDown::UpDown(QWidget *parent) : QWidget(parent)
{
    // The control itself is a stop of the Tab order: Up and Down step it
    // like its arrows. A margin leaves room for its focus mark.
    setFocusPolicy(Qt::StrongFocus);
    installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(FocusMargin, FocusMargin, FocusMargin, FocusMargin);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAutoRepeat(true);
    for (QToolButton *b : {m_up, m_down}) {
        b->setFixedSize(18, 12);
        b->setFocusPolicy(Qt::ClickFocus);
        b->installEventFilter(this);
        layout->addWidget(b);
    }
    connect(m_up, &QToolButton::clicked, this, &UpDown::StepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::StepDown);
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    // The focus moving between the two arrows stays inside the control.
    if (event->type() == QEvent::FocusIn && !m_hasFocus) {
        m_hasFocus = true;
        emit GotFocus();
    } else if (event->type() == QEvent::FocusOut) {
        QWidget *next = QApplication::focusWidget();
        if (m_hasFocus && (!next || (next != this && !isAncestorOf(next)))) {
            m_hasFocus = false;
            emit LostFocus();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        StepUp();
        break;
    case Qt::Key_Down:
        StepDown();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void UpDown::paintEvent(QPaintEvent *)
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void UpDown::SetValue(int value)
{
    m_value = std::clamp(value, m_min, m_max);
    if (auto *label = qobject_cast<QLabel *>(m_buddy))
        label->setText(QString::number(m_value));
    else if (auto *box = qobject_cast<QLineEdit *>(m_buddy))
        box->setText(QString::number(m_value));
}

void UpDown::SetRange(int min, int max)
{
    m_min = min;
    m_max = std::max(min, max);
    m_value = std::clamp(m_value, m_min, m_max);
}

void UpDown::StepUp()
{
    if (m_autoStep)
        step(m_increment);
    emit UpClick();
}

void UpDown::StepDown()
{
    if (m_autoStep)
        step(-m_increment);
    emit DownClick();
}

void UpDown::step(int delta)
{
    const int next = std::clamp(m_value + delta, m_min, m_max);
    if (next == m_value)
        return;
    SetValue(next);
    emit Change(m_value);
}

} // namespace winsys
