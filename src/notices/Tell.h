#pragma once
// The windows' side of the store's notices: a routine of the store returns
// what went wrong (a Notice, an Outcome, an exception), and the window that
// called it shows it here through the message service.

#include "platform/winsys/core/MsgBox.h"
#include "store/Notice.h"

#include <QString>

#include <exception>
#include <optional>

namespace tav {

// Shows the notice in a message box and returns the button chosen.
using winsys::Tell;
// Shows the notice when there is one.
void Tell(const std::optional<Notice> &notice);
// Shows an outcome's failure, if any; true when the work was done.
bool Done(const Outcome &outcome);

// Shows a caught exception as ErrorNotice words it.
void ShowErrorBox(const std::exception &error);

// Asked when a window closes (or the program ends) while text that was just
// refused, or could not be stored, is still open in Place ("the list
// \"Nouns\"", "the grammar panel", "the remarks box"): true lets the text go
// and the close go on; false (the default answer, Esc, the close box) goes
// back to the text. As the program ends on a signal it asks nothing and
// lets the text go.
bool DiscardRefusedText(const QString &Place, const QString &Typed);
// Its question.
QString DiscardRefusedTextQuestion(const QString &Place, const QString &Typed);

} // namespace tav
