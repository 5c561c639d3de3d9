#pragma once
// A pair of arrow buttons beside a buddy that shows a value: a label or a
// text box.
//
// Stepping: with auto-step on (the default) an arrow steps the value between
// a minimum and a maximum, writes it into the buddy and emits Change; the
// program's own SetValue emits nothing. With auto-step off the arrows only
// report UpClick and DownClick, and the owner edits the buddy by its own
// rules. Either way the control reports the focus entering and leaving it.
// The control takes the focus by Tab and shows it; Up and Down then act as
// the two arrows.

#include <QWidget>

class QToolButton;

namespace winsys {

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
    void SetBuddy(QWidget *buddy) { m_buddy = buddy; }
    QWidget *Buddy() const { return m_buddy; }
    void SetAutoStep(bool on) { m_autoStep = on; }

    // A click on the up or the down arrow.
    void StepUp();
    void StepDown();

signals:
    void Change(int value);
    void UpClick();
    void DownClick();
    void GotFocus();
    void LostFocus();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void step(int delta);

    static constexpr int FocusMargin = 2;

    int m_value = 0;
    int m_min = 0;
    int m_max = 100;
    int m_increment = 1;
    bool m_autoStep = true;
    bool m_hasFocus = false;
    QWidget *m_buddy = nullptr;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
};

} // namespace winsys
