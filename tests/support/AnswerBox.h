#pragma once
// Answers a question of the program as a user (or a logout) would: the
// program's real message boxes are shown, and the box asked for is answered
// by Esc, its close box, Enter or a SIGTERM; every other box by Enter. A box
// that the way chosen leaves open is noted and then answered with a button
// of the case's choosing, so that the case goes on.

#include "mainwindow/EndOnSignal.h"
#include "platform/winsys/QtMessageService.h"
#include "platform/winsys/core/MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <functional>
#include <memory>

namespace tavtest {

enum class Way { Esc, CloseBox, Enter, Signal };

inline const char *WayName(Way way)
{
    switch (way) {
    case Way::Esc: return "Esc";
    case Way::CloseBox: return "close box";
    case Way::Enter: return "Enter";
    case Way::Signal: return "SIGTERM";
    }
    return "";
}

struct BoxRun {
    int shown = 0;           // boxes shown
    bool stayedOpen = false; // the way chosen did not answer the box
    bool ended = false;      // the end of the program was asked for
    QString prompt;          // the text of the box answered the way chosen
};

// Runs act() and answers box number `which` (0 the first) the way chosen;
// `fallback` (vbYes, ...) answers it when it stays open. A signal ends the
// program with onEnd, as the program's own end does.
inline BoxRun AnswerBox(Way way, int which, int fallback, const std::function<void()> &act,
                        const std::function<void()> &onEnd = {})
{
    BoxRun run;
    winsys::QtMessageService real;
    winsys::MessageService *before = winsys::CurrentMessageService();
    winsys::SetMessageService(&real);
    std::unique_ptr<tav::EndOnSignal> endOnSignal;
    if (way == Way::Signal)
        endOnSignal = std::make_unique<tav::EndOnSignal>([&run, onEnd] {
            run.ended = true;
            if (onEnd)
                onEnd();
        });
    QPointer<QMessageBox> pressed;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        if (box == pressed) {
            // Still open a tick after the way chosen: it did not answer.
            run.stayedOpen = true;
            for (QAbstractButton *b : box->buttons())
                if (winsys::ResultForButton(box->standardButton(b)) == fallback)
                    b->click();
            return;
        }
        if (run.shown++ != which) {
            QTest::keyClick(box, Qt::Key_Return);
            return;
        }
        pressed = box;
        run.prompt = box->text();
        switch (way) {
        case Way::Esc: QTest::keyClick(box, Qt::Key_Escape); break;
        case Way::CloseBox: box->close(); break;
        case Way::Enter: QTest::keyClick(box, Qt::Key_Return); break;
        case Way::Signal: std::raise(SIGTERM); break;
        }
    });
    poll.start();
    act();
    poll.stop();
    // Whether the signal ended the run is the caller's to check.
    if (endOnSignal)
        (void)QTest::qWaitFor([&] { return run.ended; }, 2000);
    endOnSignal.reset();
    winsys::SetMessageService(before);
    return run;
}

} // namespace tavtest
