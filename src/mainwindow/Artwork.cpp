#include "mainwindow/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tav {

namespace {
const QColor kBlue(13, 94, 175);
const QColor kLight(236, 243, 251);
} // namespace

QPixmap FramePicture(QSize size)
{
    QPixmap pix(size.expandedTo(QSize(1, 1)));
    pix.fill(kBlue);
    QPainter p(&pix);
    // A Greek key along the frame, in white.
    p.setPen(QPen(Qt::white, 2));
    const int step = 12;
    for (int x = 4; x + step <= pix.width() - 4; x += step) {
        for (int y : {2, pix.height() - 12}) {
            QPainterPath key;
            key.moveTo(x, y + 10);
            key.lineTo(x, y);
            key.lineTo(x + 8, y);
            key.lineTo(x + 8, y + 6);
            key.lineTo(x + 4, y + 6);
            p.drawPath(key);
        }
    }
    return pix;
}

QPixmap InsetPicture(QSize size)
{
    QPixmap pix(size.expandedTo(QSize(1, 1)));
    QPainter p(&pix);
    QLinearGradient g(0, 0, 0, pix.height());
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, kLight);
    p.fillRect(pix.rect(), g);
    return pix;
}

QPixmap LogoPicture(int side)
{
    QPixmap pix(side, side);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kBlue);
    p.setPen(Qt::NoPen);
    p.drawEllipse(pix.rect().adjusted(1, 1, -1, -1));
    p.setPen(QPen(Qt::white, side / 10.0));
    // A column with its capital, after the temple fronts.
    const double c = side / 2.0;
    p.drawLine(QPointF(c - side * 0.22, side * 0.28), QPointF(c + side * 0.22, side * 0.28));
    p.drawLine(QPointF(c, side * 0.28), QPointF(c, side * 0.74));
    p.drawLine(QPointF(c - side * 0.16, side * 0.74), QPointF(c + side * 0.16, side * 0.74));
    return pix;
}

} // namespace tav
