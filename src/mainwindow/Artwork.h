#pragma once
// The pictures of the start-up and About windows, drawn rather than shipped:
// the frame (imgRam), the inset background (imgDuk) and the logo (imgLogo).

#include <QPixmap>
#include <QSize>

namespace tav {

QPixmap FramePicture(QSize size);
QPixmap InsetPicture(QSize size);
QPixmap LogoPicture(int side);

} // namespace tav
