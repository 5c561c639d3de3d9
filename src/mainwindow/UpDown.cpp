#include "mainwindow/UpDown.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tav {

UpDown::UpDown(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAutoRepeat(true);
    for (QToolButton *b : {m_up, m_down}) {
        b->setFixedSize(18, 12);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
    }
    connect(m_up, &QToolButton::clicked, this, &UpDown::StepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::StepDown);
}

void UpDown::SetValue(int value)
{
    m_value = std::clamp(value, m_min, m_max);
    if (m_buddy)
        m_buddy->setText(QString::number(m_value));
}

void UpDown::SetRange(int min, int max)
{
    m_min = min;
    m_max = std::max(min, max);
    m_value = std::clamp(m_value, m_min, m_max);
}

void UpDown::SetBuddy(QLabel *buddy) { m_buddy = buddy; }

void UpDown::StepUp() { step(m_increment); }

void UpDown::StepDown() { step(-m_increment); }

void UpDown::step(int delta)
{
    const int next = std::clamp(m_value + delta, m_min, m_max);
    if (next == m_value)
        return;
    SetValue(next);
    emit Change(m_value);
}

} // namespace tav
