#pragma once
// The pictures of the start-up and About windows, drawn rather than shipped:
// the frame (imgRam), the inset background (imgDuk) and the logo (imgLogo).

#include <QPixmap>
#include <QRect>
#include <QSize>

namespace tav {

// The frame around an inset picture at inset (within size).
QPixmap FramePicture(QSize size, QRect inset);
QPixmap InsetPicture(QSize size);
QPixmap LogoPicture(int side);

} // namespace tav
