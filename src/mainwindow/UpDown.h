#pragma once
// A pair of arrow buttons that step a value between a minimum and a maximum,
// with a label as its buddy that shows the value (the classic up-down
// control). Change is emitted when a button changed the value, not when the
// program sets it.

#include <QWidget>

class QLabel;
class QToolButton;

namespace tav {

class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget *parent = nullptr);

    int Value() const { return m_value; }
    // Sets the value (kept within the bounds) and writes it into the buddy;
    // emits nothing.
    void SetValue(int value);
    void SetRange(int min, int max);
    void SetIncrement(int increment) { m_increment = increment; }
    void SetBuddy(QLabel *buddy);

    // One step up or down, as a click on the arrow.
    void StepUp();
    void StepDown();

signals:
    void Change(int value);

private:
    void step(int delta);

    int m_value = 0;
    int m_min = 0;
    int m_max = 100;
    int m_increment = 1;
    QLabel *m_buddy = nullptr;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
};

} // namespace tav
