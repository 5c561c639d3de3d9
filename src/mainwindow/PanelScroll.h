#pragma once
// The frame of the main window's grammar panel (picBottom): exactly as high
// as the panel, and as wide as the window. A panel that needs more width
// than the window has (its minimum width) scrolls sideways, with the scroll
// bar below it, so that nothing of it is cut at the window's edge.
//
// On a low window the panel gives way to the area above it: that area keeps
// the height it was given (SetRoomAbove) as long as the panel can still show
// a third of itself, and the panel then scrolls up and down too.

#include <QScrollArea>

namespace tav {

class PanelScroll : public QScrollArea {
    Q_OBJECT

public:
    // Takes Panel as its widget.
    explicit PanelScroll(QWidget *Panel, QWidget *parent = nullptr);

    // The area above the panel and the height in pixels it keeps.
    void SetRoomAbove(QWidget *above, int height);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The panel's height, and the scroll bar's while it is needed.
    void fitHeight();

    QWidget *m_above = nullptr;
    int m_aboveHeight = 0;
};

} // namespace tav
