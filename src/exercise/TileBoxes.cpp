#include "exercise/TileBoxes.h"

#include "platform/font/GreekKeys.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/VbColor.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionFrame>

namespace tav {

namespace {

const QString TileFormat = QStringLiteral("application/x-tavrinel-tile");

QByteArray OwnerMark(const QObject *owner) { return QByteArray::number(quintptr(owner)); }

QPointer<DragTile> PickedTile;

bool IsActionKey(const QKeyEvent *event)
{
    const int key = event->key();
    return (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
           (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter);
}

// Up and Down: the focus to the box of the same kind in the row above or
// below that can take it.
template <class Box>
bool MoveToNeighbour(Box *from, const QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    const int step = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    if (step == 0 || !from->parentWidget())
        return false;
    Box *best = nullptr;
    for (Box *box : from->parentWidget()->template findChildren<Box *>(Qt::FindDirectChildrenOnly)) {
        if (box == from || !box->isVisible() || !box->isEnabled() || !(box->focusPolicy() & Qt::TabFocus))
            continue;
        const int distance = (box->Index() - from->Index()) * step;
        if (distance > 0 && (!best || distance < (best->Index() - from->Index()) * step))
            best = box;
    }
    if (!best)
        return true;
    best->setFocus(Qt::OtherFocusReason);
    // In a scrolled list of rows the box comes into view, as after Tab.
    for (QWidget *up = best->parentWidget(); up; up = up->parentWidget())
        if (auto *area = qobject_cast<QScrollArea *>(up)) {
            area->ensureWidgetVisible(best);
            break;
        }
    return true;
}

} // namespace

QMimeData *TileMimeData(const QString &text, const QObject *owner)
{
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(TileFormat, OwnerMark(owner));
    return data;
}

bool IsOwnTile(const QMimeData *data, const QObject *owner, QString *text)
{
    if (!data || !data->hasFormat(TileFormat) || data->data(TileFormat) != OwnerMark(owner))
        return false;
    if (text)
        *text = data->text();
    return true;
}

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
}

QRect TextBox::textRect() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    // QLineEdit keeps two pixels free on either side of its text.
    return style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins())
        .adjusted(2, 0, -2, 0);
}

int TextBox::WidthFor(const QString &text) const
{
    return fontMetrics().horizontalAdvance(text) + width() - textRect().width() + 1;
}

QFont TextBox::ShownFont() const
{
    const int room = textRect().width();
    QFont f = font();
    const double least = 0.75 * f.pointSizeF();
    while (QFontMetrics(f).horizontalAdvance(text()) > room && f.pointSizeF() - 0.5 >= least)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    return f;
}

void TextBox::paintEvent(QPaintEvent *event)
{
    const QRect room = textRect();
    if (fontMetrics().horizontalAdvance(text()) <= room.width()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter p(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    p.setFont(ShownFont());
    const QString shown = p.fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    QPalette::ColorRole role = QPalette::Text;
    if (hasSelectedText()) {
        p.fillRect(room.adjusted(-1, 1, 1, -1), palette().brush(QPalette::Highlight));
        role = QPalette::HighlightedText;
    }
    style()->drawItemText(&p, room, int(Qt::AlignLeft | Qt::AlignVCenter), palette(), isEnabled(), shown, role);
}

DragTile::DragTile(int index, const QObject *owner, QWidget *parent)
    : TextBox(parent), m_index(index), m_owner(owner)
{
    setAcceptDrops(false);
    setCursor(Qt::OpenHandCursor);
}

DragTile *DragTile::Picked() { return PickedTile.data(); }

void DragTile::CancelPick()
{
    DragTile *tile = PickedTile.data();
    PickedTile = nullptr;
    if (tile && tile->Completed)
        tile->Completed(tile->m_index);
}

void DragTile::pick()
{
    CancelPick();
    PickedTile = this;
    if (Pressed)
        Pressed(m_index);
}

void DragTile::keyPressEvent(QKeyEvent *event)
{
    if (IsActionKey(event)) {
        if (PickedTile == this)
            CancelPick();
        else if (isEnabled() && !text().isEmpty())
            pick();
        return;
    }
    if (event->key() == Qt::Key_Escape && PickedTile) {
        CancelPick();
        return;
    }
    if (MoveToNeighbour(this, event))
        return;
    TextBox::keyPressEvent(event);
}

void DragTile::hideEvent(QHideEvent *event)
{
    // A new round or deal hides or empties the tiles: a pick does not outlive it.
    if (PickedTile == this)
        PickedTile = nullptr;
    TextBox::hideEvent(event);
}

void DragTile::mousePressEvent(QMouseEvent *event)
{
    CancelPick();
    if (event->button() != Qt::LeftButton || !isEnabled() || text().isEmpty()) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_pressed = true;
    m_pressAt = event->position().toPoint();
    if (Pressed)
        Pressed(m_index);
}

void DragTile::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - m_pressAt).manhattanLength() < QApplication::startDragDistance())
        return;
    m_pressed = false;
    auto *drag = new QDrag(this);
    drag->setMimeData(TileMimeData(text(), m_owner));
    drag->setPixmap(grab());
    drag->setHotSpot(m_pressAt);
    drag->exec(Qt::MoveAction);
    if (Completed)
        Completed(m_index);
}

void DragTile::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressed) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false; // let go without a drag: nothing dropped
    if (Completed)
        Completed(m_index);
}

DropPlace::DropPlace(int index, const QObject *owner, QWidget *parent)
    : TextBox(parent), m_index(index), m_owner(owner)
{
    setAcceptDrops(true);
}

void DropPlace::dragEnterEvent(QDragEnterEvent *event)
{
    QString text;
    if (!IsOwnTile(event->mimeData(), m_owner, &text)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    if (Over)
        Over(m_index, text);
}

void DropPlace::dragMoveEvent(QDragMoveEvent *event)
{
    if (!IsOwnTile(event->mimeData(), m_owner)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void DropPlace::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->accept();
    if (Left)
        Left(m_index);
}

void DropPlace::dropEvent(QDropEvent *event)
{
    QString text;
    if (!IsOwnTile(event->mimeData(), m_owner, &text) || text.isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    if (Dropped)
        Dropped(m_index, text);
}

void DropPlace::keyPressEvent(QKeyEvent *event)
{
    DragTile *tile = DragTile::Picked();
    if (IsActionKey(event)) {
        if (!tile || tile->Owner() != m_owner)
            return;
        // Judged exactly as a drop of the tile's text on this place.
        const QString text = tile->text();
        if (Over)
            Over(m_index, text);
        if (Dropped && !text.isEmpty())
            Dropped(m_index, text);
        DragTile::CancelPick();
        return;
    }
    if (event->key() == Qt::Key_Escape && tile) {
        DragTile::CancelPick();
        return;
    }
    if (MoveToNeighbour(this, event))
        return;
    TextBox::keyPressEvent(event);
}

QRect Twips(int left, int top, int width, int height)
{
    return winsys::TwipsToPixels(QRect(left, top, width, height));
}

void PaintBack(QWidget *w, long vbColor)
{
    QPalette palette = w->palette();
    const QColor color = winsys::FromVbColor(vbColor);
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

long BackOf(const QWidget *w) { return winsys::ToVbColor(w->palette().color(QPalette::Window)); }

void ShowText(QLineEdit *box, const QString &text)
{
    box->setText(text);
    box->setCursorPosition(0);
    box->setToolTip(winsys::TextOutsideFont(box->font(), text));
}

QLabel *MarkerLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Box);
    label->setAlignment(Qt::AlignCenter);
    PaintBack(label, White);
    return label;
}

} // namespace tav
