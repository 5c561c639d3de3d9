// Questions and dialogs the user can see and reach: every dialog belongs to
// the main window; when one closes (or the busy box ends) the program's
// windows are shown again, also after they were minimised with it; the busy
// box asks for no minimise button; a question at start-up is not under the
// splash; and the main window goes without the grammar panel's handler of
// the application's focus running on half-destroyed controls.

#include "MainWindowFixture.h"

#include "inflection/GrammarPanel.h"
#include "mainwindow/About.h"
#include "mainwindow/FrmOptions.h"
#include "mainwindow/PanelScroll.h"
#include "mainwindow/Splash.h"
#include "platform/winsys/QtMessageService.h"
#include "printing/P001.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <functional>

using tavtest::MainWindowFixture;

namespace {

using DialogWindows = MainWindowFixture;

// The busy box holds the program's timers back while it shows, so it is
// caught as it is shown: its parent window and the flags it asks for.
class BusyBoxShown : public QObject {
public:
    BusyBoxShown() { qApp->installEventFilter(this); }
    ~BusyBoxShown() override { qApp->removeEventFilter(this); }
    bool seen = false;
    QWidget *parent = nullptr;
    Qt::WindowFlags flags;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (auto *busy = qobject_cast<QProgressDialog *>(watched); busy && event->type() == QEvent::Show) {
            seen = true;
            parent = busy->parentWidget();
            flags = busy->windowFlags();
        }
        return false;
    }
};

TEST_F(DialogWindows, EveryDialogBelongsToTheMainWindowAndItsCloseShowsTheWindowsAgain)
{
    // The parent window of the modal dialog shown now.
    static QWidget *modalParent = nullptr;
    const auto noteModalParent = [](tav::MDI &mdi) {
        QTimer::singleShot(20, &mdi, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modalParent = modal->parentWidget();
        });
    };
    const struct {
        const char *dialog;
        // Shows the dialog (modal ones run their own loop), closes it and
        // returns the window it belongs to.
        std::function<QWidget *(tav::MDI &)> showAndClose;
    } dialogs[] = {
        {"Print Options",
         [](tav::MDI &mdi) {
             P001 *print = mdi.PrintInstance();
             print->show();
             print->close();
             return print->parentWidget();
         }},
        {"About",
         [](tav::MDI &mdi) {
             mdi.mnuHelpParts_Click(1);
             auto *about = mdi.findChild<tav::About *>();
             QWidget *parent = about ? about->parentWidget() : nullptr;
             if (about)
                 about->close();
             return parent;
         }},
        {"Settings",
         [&](tav::MDI &mdi) {
             noteModalParent(mdi);
             QTimer::singleShot(40, &mdi, [] {
                 if (auto *d = qobject_cast<tav::frmOptions *>(QApplication::activeModalWidget()))
                     d->reject();
             });
             mdi.frmOptions_Show();
             return modalParent;
         }},
        {"busy box",
         [](tav::MDI &mdi) {
             BusyBoxShown shown;
             mdi.RunBusy(QStringLiteral("Compacting"), [] { QThread::msleep(100); });
             return shown.parent;
         }},
        {"message box",
         [](tav::MDI &mdi) {
             auto box = winsys::QtMessageService::BuildBox(QStringLiteral("Done."), winsys::vbOKOnly, QString(), &mdi);
             box->show();
             box->close();
             return box->parentWidget();
         }},
    };
    for (const auto &d : dialogs) {
        SCOPED_TRACE(d.dialog);
        modalParent = nullptr;
        w->show();
        w->setWindowState(w->windowState() | Qt::WindowMinimized);
        ASSERT_TRUE(w->isMinimized());
        QWidget *parent = d.showAndClose(*w);
        QCoreApplication::processEvents();
        EXPECT_FALSE(w->isMinimized()) << "the program's windows are shown again";
        EXPECT_EQ(parent, w.get());
    }
}

TEST_F(DialogWindows, TheBusyBoxAsksForNoMinimiseButton)
{
    BusyBoxShown shown;
    w->RunBusy(QStringLiteral("Compacting"), [] { QThread::msleep(20); });
    ASSERT_TRUE(shown.seen);
    EXPECT_FALSE(shown.flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(shown.flags & Qt::WindowCloseButtonHint);
}

TEST(SplashAndQuestions, AQuestionAtStartUpHidesTheSplash)
{
    auto *splash = new tav::Splash;
    splash->show();
    ASSERT_TRUE(splash->isVisible());
    auto box = winsys::QtMessageService::BuildBox(QStringLiteral("Take over the lock?"), winsys::vbOKCancel, QString());
    box->show();
    EXPECT_FALSE(splash->isVisible()) << "the question is not under the splash";
    box->close();
    splash->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A control that the focus leaves as it goes, as the panel's controls do
// when the main window closes and the window manager has not taken the
// focus away yet.
class FocusLeavingControl : public QWidget {
public:
    using QWidget::QWidget;
    ~FocusLeavingControl() override { emit qApp->focusChanged(this, nullptr); }
};

// The panel's handler of the application's focus changes is gone before the
// panel's controls go (the sanitizer build stops at a call on a half-
// destroyed frame otherwise).
TEST(PanelScrollAtExit, TheFocusHandlerEndsBeforeThePanelsControlsGo)
{
    auto *panel = new QWidget;
    new FocusLeavingControl(panel);
    auto *scroll = new tav::PanelScroll(panel);
    scroll->resize(200, 100);
    delete scroll;
    SUCCEED();
}

} // namespace
