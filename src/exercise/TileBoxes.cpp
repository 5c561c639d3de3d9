#include "exercise/TileBoxes.h"

#include "platform/winsys/Twips.h"
#include "platform/winsys/VbColor.h"

#include <QDrag>
#include <QLabel>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace tav {

namespace {

const QString TileFormat = QStringLiteral("application/x-tavrinel-tile");

QByteArray OwnerMark(const QObject *owner) { return QByteArray::number(quintptr(owner)); }

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

DragTile::DragTile(int index, const QObject *owner, QWidget *parent)
    : QLineEdit(parent), m_index(index), m_owner(owner)
{
    setReadOnly(true);
    setAcceptDrops(false);
    setCursor(Qt::OpenHandCursor);
}

void DragTile::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled() || text().isEmpty()) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (Pressed)
        Pressed(m_index);
    auto *drag = new QDrag(this);
    drag->setMimeData(TileMimeData(text(), m_owner));
    drag->setPixmap(grab());
    drag->setHotSpot(event->position().toPoint());
    drag->exec(Qt::MoveAction);
    if (Completed)
        Completed(m_index);
}

DropPlace::DropPlace(int index, const QObject *owner, QWidget *parent)
    : QLineEdit(parent), m_index(index), m_owner(owner)
{
    setReadOnly(true);
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
    box->setToolTip(text);
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
