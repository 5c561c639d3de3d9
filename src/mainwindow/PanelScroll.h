#pragma once
// The frame of the main window's grammar panel (picBottom): exactly as high
// as the panel, and as wide as the window. A panel that needs more width
// than the window has (its minimum width) scrolls sideways, with the scroll
// bar below it, so that nothing of it is cut at the window's edge.

#include <QScrollArea>

namespace tav {

class PanelScroll : public QScrollArea {
    Q_OBJECT

public:
    // Takes Panel as its widget.
    explicit PanelScroll(QWidget *Panel, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The panel's height, and the scroll bar's while it is needed.
    void fitHeight();
};

} // namespace tav
