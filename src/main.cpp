#include "exercise/Exercise.h"
#include "grids/PlainListWindow.h"
#include "mainwindow/MDI.h"
#include "mainwindow/ProgramWindows.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/WindowServices.h"
#include "store/ListWindowLink.h"
#include "store/StartUp.h"

#include <QApplication>

// The program: the window services, the Greek font from the program's folder,
// the main window as the store's link, then the store's start-up, which shows
// the splash, opens the word database and shows the main window.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrinel"));
    QApplication::setApplicationVersion(QStringLiteral(TAV_VERSION));
    winsys::InstallWindowServices();
    winsys::LoadGreekFonts();

    tav::MDI mdi;
    tav::SetLink(&mdi);
    mdi.Exercises = tav::ExerciseWindowRoutines();
    tav::ProgramWindows windows(mdi);
    // The plain list window serves the list requests until the full list
    // windows take its place.
    windows.MakeStdGrid = [](tav::MDI &main) -> tav::StdGridWindowLink * {
        return new tav::PlainListWindow([&main](QWidget *form) { return main.AddChild(form); });
    };
    tav::SetListWindowFactory(&windows);

    const int started = tav::SubMain(QCoreApplication::applicationDirPath());
    if (started != 0)
        return started;
    return app.exec();
}
