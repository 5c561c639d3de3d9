#pragma once
// The text boxes of the drag-and-drop rows: a tile (DragTile) starts a drag of
// its text when pulled; a place (DropPlace) takes drops. A drag carries the
// text and a mark naming the window it started in, so that a place takes only
// its own window's tiles; text dragged in from another program is refused.
// Both forward to handlers by their index: the window decides.
//
// The keyboard does the same without a mouse: Space or Enter on a tile picks
// it up (Pressed), Up and Down move to the neighbouring tile or place, and
// Space or Enter on a place puts the picked tile there, as a drop would
// (Over, Dropped, then the tile's Completed). Esc, or Space or Enter on the
// picked tile again, puts it back without a drop.

#include <QLineEdit>

#include <functional>

class QLabel;
class QMimeData;

namespace tav {

// The drag data of a tile: its text, marked as coming from owner.
QMimeData *TileMimeData(const QString &text, const QObject *owner);
// True when data carries a tile of owner; text then holds its text.
bool IsOwnTile(const QMimeData *data, const QObject *owner, QString *text = nullptr);

// Background colours of the row boxes and markers, as colour numbers (0xBBGGRR):
// white at rest, green solved, red wrong, blue while dragged or hovered.
constexpr long White = 0xFFFFFF;
constexpr long Green = 0xFF00;
constexpr long Red = 255;
constexpr long Blue = 0xFF0000;

// A rectangle given in twips, in pixels.
QRect Twips(int left, int top, int width, int height);
void PaintBack(QWidget *w, long vbColor);
long BackOf(const QWidget *w);
// Shows text from its start (a long meaning is cut at its end, not at its
// beginning), whole in the tool tip.
void ShowText(QLineEdit *box, const QString &text);
// A result marker: a framed label, white.
QLabel *MarkerLabel(const QString &name, QWidget *parent);

// A read-only box of a row. A text wider than the box is shown smaller, and
// where even that does not fit, cut with an ellipsis ("..."), so that the
// reader sees it goes on; the whole text is the box's text (and, through
// ShowText, its tool tip).
class TextBox : public QLineEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent);
    // The width that shows the whole of text in the box's font.
    int WidthFor(const QString &text) const;
    // The font the box shows its text in: its own, or, where the text is
    // wider than the box, a smaller one down to three quarters of its size;
    // a text too wide even so ends in "...".
    QFont ShownFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRect() const;
};

class DragTile : public TextBox {
    Q_OBJECT

public:
    DragTile(int index, const QObject *owner, QWidget *parent);
    int Index() const { return m_index; }

    // Called on a left press (the MouseDown handler). The drag starts when
    // the mouse is pulled away with the button held; a press alone neither
    // moves nor scrolls anything.
    std::function<void(int index)> Pressed;
    // Called when the drag has ended, dropped or not, or when the button was
    // let go without a drag (the CompleteDrag handler).
    std::function<void(int index)> Completed;

    // The tile picked up by the keyboard and not yet placed, or nullptr.
    static DragTile *Picked();
    const QObject *Owner() const { return m_owner; }
    // Puts the picked tile back without a drop (Completed runs).
    static void CancelPick();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    friend class DropPlace;
    void pick();

    int m_index;
    const QObject *m_owner;
    bool m_pressed = false;
    QPoint m_pressAt;
};

class DropPlace : public TextBox {
    Q_OBJECT

public:
    DropPlace(int index, const QObject *owner, QWidget *parent);
    int Index() const { return m_index; }

    // A drag of an own tile is over the place (text may be empty).
    std::function<void(int index, const QString &text)> Over;
    // The drag left the place without a drop.
    std::function<void(int index)> Left;
    // An own tile's text dropped on the place.
    std::function<void(int index, const QString &text)> Dropped;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_index;
    const QObject *m_owner;
};

} // namespace tav
