// Work the store hands to the main window to run beside the event loop (a
// compaction): the windows are painted meanwhile, a busy indication keeps
// input away, and the status bar says when a compaction is done.
#include "MainWindowFixture.h"

#include "store/AdminSubs.h"
#include "store/SharedState.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

using tavtest::MainWindowFixture;

namespace {

using MdiBusy = MainWindowFixture;

// Waits (in the work's thread) until the flag is set, at most a minute.
bool WaitFor(const std::atomic<bool> &flag)
{
    for (int i = 0; i < 6000 && !flag; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return flag;
}

} // namespace

TEST_F(MdiBusy, TheEventLoopRunsWhileTheWorkRunsBehindABusyDialog)
{
    std::atomic<bool> served{false};
    QString modal;
    QString panel;
    bool inputBlocked = false;
    // Only an event loop that runs while the work waits lets this fire.
    QTimer::singleShot(0, w.get(), [&] {
        if (auto *dialog = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget())) {
            modal = dialog->labelText();
            inputBlocked = dialog->windowModality() == Qt::ApplicationModal;
        }
        panel = w->PanelText(1);
        served = true;
    });
    bool waited = false;
    w->RunBusy(QStringLiteral("Compacting the word database ..."), [&] { waited = WaitFor(served); });
    EXPECT_TRUE(waited) << "the main thread served no event while the work ran";
    EXPECT_EQ(modal, QStringLiteral("Compacting the word database ..."));
    EXPECT_TRUE(inputBlocked);
    EXPECT_EQ(panel, QStringLiteral("Compacting the word database ..."));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the busy dialog is gone";

    // The work's failure comes out of RunBusy.
    EXPECT_THROW(w->RunBusy(QStringLiteral("Failing"), [] { throw std::runtime_error("no space left"); }),
                 std::runtime_error);
}

TEST_F(MdiBusy, TheBusyDialogStaysUntilTheWorkIsDone)
{
    // Esc, the close box and the window manager's close (Alt+F4) would hide
    // the dialog and give the windows their input back while the word
    // database is closed for the compaction.
    std::atomic<bool> tried{false};
    bool found = false;
    bool closeBox = true;
    bool afterEsc = false;
    bool afterClose = false;
    QTimer::singleShot(0, w.get(), [&] {
        if (auto *dialog = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget())) {
            found = true;
            closeBox = dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint);
            QTest::keyClick(dialog, Qt::Key_Escape);
            afterEsc = dialog->isVisible() && !dialog->wasCanceled();
            dialog->close();
            afterClose = dialog->isVisible() && QApplication::activeModalWidget() == dialog;
        }
        tried = true;
    });
    w->RunBusy(QStringLiteral("Compacting the word database ..."), [&] { WaitFor(tried); });
    ASSERT_TRUE(found);
    EXPECT_FALSE(closeBox) << "the dialog offers no close box";
    EXPECT_TRUE(afterEsc) << "Esc hid the busy dialog";
    EXPECT_TRUE(afterClose) << "closing hid the busy dialog";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the busy dialog is gone once the work is done";
}

TEST_F(MdiBusy, TheStatusBarSaysWhenACompactionIsDone)
{
    ASSERT_TRUE(tav::CompactWordDatabase()) << messages.Prompts().join("\n").toStdString();
    EXPECT_TRUE(messages.Prompts().isEmpty());
    EXPECT_TRUE(w->PanelText(1).startsWith(QStringLiteral("The word database was compacted (from ")))
        << w->PanelText(1).toStdString();
    ASSERT_TRUE(tav::WordDb && tav::WordDb->IsOpen());
    EXPECT_GT(NativeCount(QStringLiteral("SELECT COUNT(*) FROM Main")), 0);
}
