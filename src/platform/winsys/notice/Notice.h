#pragma once
// What a message box says and how it looks, apart from the service that
// shows it (core/MsgBox.h): the style flags, the result codes, the program's
// title and the notice, a message as a routine hands it back. Code that only
// words its messages (the word store) names this header and never shows a
// box; the windows show a notice with Tell (core/MsgBox.h).

#include <QString>

#include <exception>
#include <optional>

namespace winsys {

enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
    // The program's own flag: a question each of whose answers changes
    // something (Yes/No where No empties a store). Esc and the close box do
    // not answer it, and a box closed as the program ends answers NoAnswer.
    NoSafeAnswer = 0x1000000,
};

enum MsgBoxResult : int {
    // A box closed without an answer: the program ends on a signal and the
    // question has no answer that changes nothing. The caller leaves its
    // data as it is.
    NoAnswer = 0,
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// The program's title, the caption of message boxes that name none.
inline const QString AppTitle = QStringLiteral("Tavrinel");

// A message for the user: its text, its style (buttons, icon, default
// button: MsgBoxStyle flags) and its title (empty: the program's title).
struct Notice {
    QString Prompt;
    int Style = 0;
    QString Title;
};

// What a routine that either does its work or says why not returns.
struct Outcome {
    std::optional<Notice> Failure; // why the work was not done
    explicit operator bool() const { return !Failure; } // done
};

// The default button of a style: what a user pressing Enter would choose.
int DefaultAnswer(int style);

// The answer of a style that changes nothing, which Esc, the close box and
// an end of the program give: Cancel where the box has one, OK alone, No of
// a Yes/No box, Abort of an Abort/Retry/Ignore box; NoAnswer for a style
// with NoSafeAnswer.
int SafeAnswer(int style);

// An error that words its own notice: the database engine's errors and the
// word store's refusals derive from it, so that a caught error is told
// (core/MsgBox.h, ShowErrorBox) by a layer that knows none of them.
class WordedError {
public:
    virtual ~WordedError() = default;
    virtual Notice UserNotice() const = 0;
};

// The notice of an error of the database engine (or any other run-time
// error): "Error:" followed by the number, a blank and the engine's own
// message, so the user sees the cause. OK only, the program's title.
Notice ErrorNotice(long Number, const QString &Description);
// The notice of a caught exception: a WordedError's own (a dao::DaoError
// gives its number and message; an EditRefusal, or a write the file refused,
// its message alone, as a warning); any other exception number 0 and its
// text.
Notice ErrorNotice(const std::exception &error);

} // namespace winsys
