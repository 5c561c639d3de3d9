// Work the store hands to the main window to run beside the event loop (a
// compaction): the windows are painted meanwhile, a busy indication keeps
// input away, and the status bar says when a compaction is done.
#include "MainWindowFixture.h"

#include "store/AdminSubs.h"
#include "store/SharedState.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
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

namespace {

// What reaches the windows while the work runs: a timer of the program, a
// key and a click. Each would run a handler that may read or write the word
// database.
enum class Input { Timer, Key, Click };

std::string InputName(Input input)
{
    switch (input) {
    case Input::Timer:
        return "Timer";
    case Input::Key:
        return "Key";
    case Input::Click:
        return "Click";
    }
    return {};
}

class MdiBusyInput : public MainWindowFixture, public ::testing::WithParamInterface<Input> {};

} // namespace

TEST_P(MdiBusyInput, ReachesNothingWhileTheWorkRuns)
{
    QLineEdit edit(w.get());
    QPushButton button(QStringLiteral("Go"), w.get());
    QTimer timer;
    timer.setSingleShot(true);
    int handled = 0;
    std::atomic<bool> busy{false};
    std::atomic<bool> during{false};
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++handled;
        during = during || busy;
    });
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++handled;
        during = during || busy;
    });
    QObject::connect(&edit, &QLineEdit::textEdited, [&] {
        ++handled;
        during = during || busy;
    });
    edit.show();
    button.show();

    std::atomic<bool> sent{false};
    // Served by the event loop that runs beside the work.
    QMetaObject::invokeMethod(
        w.get(),
        [&] {
            switch (GetParam()) {
            case Input::Timer:
                timer.start(0);
                break;
            case Input::Key:
                QTest::keyClick(&edit, Qt::Key_A);
                break;
            case Input::Click:
                QTest::mouseClick(&button, Qt::LeftButton);
                break;
            }
            sent = true;
        },
        Qt::QueuedConnection);
    w->RunBusy(QStringLiteral("Compacting the word database ..."), [&] {
        busy = true;
        WaitFor(sent);
        // Time for a timer to fire and the loop to serve what was sent.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        busy = false;
    });
    ASSERT_TRUE(sent);
    EXPECT_FALSE(during) << "a handler ran while the work ran";
    if (GetParam() == Input::Timer) {
        // The timer waited: it fires once the work is done.
        for (int i = 0; i < 250 && handled == 0; ++i)
            QTest::qWait(20);
        EXPECT_EQ(handled, 1);
    } else {
        EXPECT_EQ(handled, 0);
        EXPECT_TRUE(edit.text().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(TimerKeyAndClick, MdiBusyInput, ::testing::Values(Input::Timer, Input::Key, Input::Click),
                         [](const ::testing::TestParamInfo<Input> &info) { return InputName(info.param); });

// A handler that fails while the work runs does not end the program: the
// work is waited for, and the failure comes out of RunBusy.
TEST_F(MdiBusy, AHandlerThatFailsMeanwhileWaitsForTheWork)
{
    std::atomic<bool> thrown{false};
    std::atomic<bool> finished{false};
    QMetaObject::invokeMethod(
        w.get(),
        [&] {
            thrown = true;
            throw std::runtime_error("a handler failed");
        },
        Qt::QueuedConnection);
    EXPECT_THROW(w->RunBusy(QStringLiteral("Compacting the word database ..."),
                            [&] {
                                WaitFor(thrown);
                                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                                finished = true;
                            }),
                 std::runtime_error);
    EXPECT_TRUE(finished) << "RunBusy returned before the work was done";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the busy dialog is gone";
    EXPECT_NE(w->PanelText(1), QStringLiteral("Compacting the word database ..."));
}
