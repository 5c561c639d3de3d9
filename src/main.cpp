#include "exercise/Exercise.h"
#include "grids/GridStd.h"
#include "mainwindow/EndOnSignal.h"
#include "mainwindow/MDI.h"
#include "mainwindow/ProgramWindows.h"
#include "mainwindow/StartUpReport.h"
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
    // The word-type search and a simple list's complete record open
    // standard list windows through the store.
    windows.MakeStdGrid = [](tav::MDI &) -> tav::StdGridWindowLink * { return new tav::GridStd; };
    tav::SetListWindowFactory(&windows);

    // SIGTERM, SIGINT and SIGHUP end the program as File > Exit does; one
    // that comes during the start ends it once the start is through.
    bool running = false;
    tav::EndOnSignal endOnSignal([&] {
        if (running)
            mdi.close();
    });
    const int started = tav::SubMain(QCoreApplication::applicationDirPath());
    if (started != 0)
        return started;
    if (endOnSignal.Requested()) {
        mdi.close();
        return 0;
    }
    running = true;
    tav::ReportRunning();
    return app.exec();
}
