#pragma once
// One panel of a status bar: a sunken frame with one line of text.
//
// Both ask for their text's width. A Fixed panel is never narrower, so its
// text is never cut; a Free panel gives way when the bar is short of room (or
// takes the room left over, with a stretch factor in the bar's layout), and a
// text longer than its room ends in "..." with the whole text as the panel's
// tool tip.
//
// SetText is cheap enough to run on every key press: it measures only this
// panel's text, schedules a paint instead of painting, and asks for a new
// layout only when a fixed panel's width changes.

#include <QFrame>
#include <QString>

namespace winsys {

class StatusPanel : public QFrame {
    Q_OBJECT

public:
    enum Kind { Fixed, Free };

    explicit StatusPanel(Kind kind, QWidget *parent = nullptr);

    Kind PanelKind() const { return m_kind; }
    QString Text() const { return m_text; }
    void SetText(const QString &text);
    // True while a free panel's text is cut to its room.
    bool IsElided() const { return m_elided; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QRect textRoom() const;
    int widthFor(int textWidth) const;
    void measure();
    void updateElision();

    Kind m_kind;
    QString m_text;
    int m_textWidth = 0;
    bool m_elided = false;
};

} // namespace winsys
