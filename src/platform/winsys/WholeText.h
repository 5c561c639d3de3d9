#pragma once
// A text that its control cuts can always be read whole: it shows in a tool
// tip while the mouse rests on the control, and in a box of its own just
// below the control while the control has the focus, so that a keyboard user
// reads it too. A text is cut when it is wider than the room its control
// gives it, or when the control reaches past the edge of what its window
// shows. The box lies whole on the screen, beside the control's edge where
// the screen ends. Tips show in the application's font, so a text in the
// Greek key font shows in Greek letters.

#include <QLabel>

#include <initializer_list>

namespace winsys {

// A window that looks like a tool tip and, unlike one, stays while its owner
// keeps the focus. Its object name is "wholeTextTip".
class WholeTextTip : public QLabel {
public:
    explicit WholeTextTip(QWidget *owner);
    // Shows text just below place (global coordinates), or above it where
    // the screen ends below; moved sideways to lie whole on the screen.
    void ShowBelow(const QString &text, const QRect &place);
};

// The whole text of a line edit, button or label when the control cuts it,
// as a tip shows it; else empty.
QString CutText(const QWidget *control);

// Each control shows its cut text whole on hover and while it has the focus.
void ShowWholeTexts(std::initializer_list<QWidget *> controls);

} // namespace winsys
