#pragma once
// A message the user is to read, as a routine of the store or a round hands
// it back instead of showing it: the window that called the routine shows
// it (Tell), so that the logic runs and is tested without a message box.

#include <QString>

#include <exception>
#include <optional>

namespace tav {

struct Notice {
    QString Prompt;
    int Style = 0; // winsys::MsgBoxStyle flags: buttons, icon, default button
    QString Title; // empty: the program's title
};

// What a routine that either does its work or says why not returns.
struct Outcome {
    std::optional<Notice> Failure; // why the work was not done
    explicit operator bool() const { return !Failure; } // done
};

// The notice of a caught exception, as ShowErrorBox shows it.
Notice ErrorNotice(const std::exception &error);

// Shows the notice in a message box and returns the button chosen. For the
// windows: a routine of the store returns its notice, it never tells it.
int Tell(const Notice &notice);
// Shows the notice when there is one.
void Tell(const std::optional<Notice> &notice);
// Shows an outcome's failure, if any; true when the work was done.
bool Done(const Outcome &outcome);

} // namespace tav
