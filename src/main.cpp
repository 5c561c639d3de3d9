// The program's entry: the application object, the window services and the
// Greek font, then the word store's start-up, which opens the word database
// beside the program and shows the main window.
#include "mainwindow/PlaceholderWindow.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/WindowServices.h"
#include "store/MainWindowLink.h"
#include "store/StartUp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrinel"));
    winsys::InstallWindowServices();
    winsys::LoadGreekFonts();

    tav::PlaceholderLink link;
    tav::SetLink(&link);

    const int status = tav::SubMain(QCoreApplication::applicationDirPath());
    const int result = status != 0 ? status : app.exec();

    tav::SetLink(nullptr);
    winsys::UninstallWindowServices();
    return result;
}
