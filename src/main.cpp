#include "platform/font/FontLoader.h"
#include "platform/winsys/WindowServices.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    winsys::InstallWindowServices();
    winsys::LoadGreekFonts();
    QLabel label(QStringLiteral("Tavrinel"));
    label.show();
    return app.exec();
}
