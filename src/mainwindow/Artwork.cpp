#include "mainwindow/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tav {

namespace {
const QColor kBlue(13, 94, 175);
const QColor kLight(236, 243, 251);
} // namespace

QPixmap FramePicture(QSize size, QRect inset)
{
    QPixmap pix(size.expandedTo(QSize(1, 1)));
    pix.fill(kBlue);
    QPainter p(&pix);
    // A Greek key in white along each edge the inset leaves wide enough for
    // it; a thin edge stays plain blue rather than show a cut pattern.
    p.setPen(QPen(Qt::white, 2));
    QPainterPath key;
    key.moveTo(0, 10);
    key.lineTo(0, 0);
    key.lineTo(8, 0);
    key.lineTo(8, 6);
    key.lineTo(4, 6);
    const int step = 12;
    const int keyHeight = 10;
    auto row = [&](int top, int thickness, bool vertical, int from, int to) {
        if (thickness < keyHeight + 2)
            return;
        const int across = top + (thickness - keyHeight) / 2;
        for (int along = from; along + step <= to; along += step) {
            p.save();
            if (vertical) {
                p.translate(across + keyHeight, along);
                p.rotate(90);
            } else {
                p.translate(along, across);
            }
            p.drawPath(key);
            p.restore();
        }
    };
    const QRect r = pix.rect();
    const int topBand = inset.top() - r.top();
    const int bottomBand = r.bottom() - inset.bottom();
    const int leftBand = inset.left() - r.left();
    const int rightBand = r.right() - inset.right();
    row(0, topBand, false, 4, r.width() - 4);
    row(inset.bottom() + 1, bottomBand, false, 4, r.width() - 4);
    row(0, leftBand, true, inset.top() + 2, inset.bottom());
    row(inset.right() + 1, rightBand, true, inset.top() + 2, inset.bottom());
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
