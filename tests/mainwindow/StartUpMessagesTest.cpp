// The start-up's message and its question reach the user as the program
// wires them: the main window is the store's link, and the boxes are the
// program's real message boxes, shown after the splash has given way.
#include "MdiFixture.h"

#include "mainwindow/Splash.h"
#include "platform/winsys/QtMessageService.h"
#include "store/StartUp.h"
#include "store/WordFileGuard.h"
#include "support/TestDb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

using namespace tavtest;

TEST_F(MdiFixture, TheStartUpsMessageAndQuestionAreShownAboveNoSplash)
{
    struct Case {
        const char *name;
        bool lockedElsewhere; // else the file is missing
        const char *says;
        int buttons;
    };
    for (const Case &c : {Case{"no word database", false, "cannot start", winsys::vbOKOnly},
                          Case{"a lock from another computer", true, "cannot check whether it still runs there",
                               winsys::vbOKCancel}}) {
        SCOPED_TRACE(c.name);
        TestDb db;
        if (c.lockedElsewhere) {
            QFile lock(tav::WordFileLockPath(db.Path()));
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
            lock.write("4242\nTavrinel\nlaptop-at-home\n");
        } else {
            ASSERT_TRUE(QFile::remove(db.Path()));
        }
        tav::MDI &w = NewMdi();
        winsys::QtMessageService real;
        winsys::MessageService *before = winsys::CurrentMessageService();
        winsys::SetMessageService(&real);

        // Each box is read, then closed the way that changes nothing.
        QStringList texts;
        QList<int> buttons;
        bool splashOverABox = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts << box->text();
            buttons << int(box->buttons().size());
            splashOverABox = splashOverABox || (w.SplashInstance() && w.SplashInstance()->isVisible());
            box->escapeButton()->click();
        });
        watch.start(10);
        const int started = tav::SubMain(db.Folder());
        watch.stop();
        winsys::SetMessageService(before);

        EXPECT_EQ(started, 1);
        ASSERT_EQ(texts.size(), 1) << texts.join("|").toStdString();
        EXPECT_TRUE(texts.first().contains(QString::fromLatin1(c.says))) << texts.first().toStdString();
        EXPECT_EQ(buttons.first(), c.buttons == winsys::vbOKCancel ? 2 : 1);
        EXPECT_FALSE(splashOverABox) << "the splash gives way to the box";
        EXPECT_FALSE(w.isVisible());
    }
}
