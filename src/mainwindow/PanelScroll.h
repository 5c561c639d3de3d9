#pragma once
// The frame of the main window's grammar panel (picBottom): exactly as high
// as the panel, and as wide as the window. A panel that needs more width
// than the window has (its minimum width) scrolls sideways, with the scroll
// bar below it, so that nothing of it is cut at the window's edge.
//
// On a low window the panel gives way to the area above it: that area keeps
// the height it was given (SetRoomAbove) as long as the panel gets its least
// height (its minimum; the panel's headings and two rows of forms), and the
// panel takes any height from there to its whole (its maximum).
//
// Whatever part of the panel is in sight, the control with the focus is in
// it: the panel scrolls to a control that takes the focus, and to the
// current cell of a grid (FollowGrid) as the keys or the mouse move it.
// While the panel is scrolled sideways, such a grid's row captions stay at
// the left edge.

#include <QHash>
#include <QScrollArea>

namespace flexgrid {
class FlexGrid;
}

namespace tav {

class PanelScroll : public QScrollArea {
    Q_OBJECT

public:
    // Takes Panel as its widget.
    explicit PanelScroll(QWidget *Panel, QWidget *parent = nullptr);
    ~PanelScroll() override;

    // The area above the panel and the height in pixels it keeps.
    void SetRoomAbove(QWidget *above, int height);
    // Keeps the grid's current cell in sight while the focus is in the panel.
    void FollowGrid(flexgrid::FlexGrid *grid);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The panel's height, and the scroll bar's while it is needed.
    void fitHeight();
    void showFocus(QWidget *focus);
    void showCell(flexgrid::FlexGrid *grid);
    // Scrolls as little as needed to show rect, given in inside's coordinates.
    void showRect(const QWidget *inside, const QRect &rect);
    bool focusInPanel() const;
    static int captionsWidth(const flexgrid::FlexGrid *grid);
    bool captionsShown(const flexgrid::FlexGrid *grid) const;
    void placeCaptions();

    QHash<flexgrid::FlexGrid *, QWidget *> m_captions; // the row captions kept in sight

    QMetaObject::Connection m_focusWatch;
    QWidget *m_above = nullptr;
    int m_aboveHeight = 0;
};

} // namespace tav
