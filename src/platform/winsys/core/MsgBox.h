#pragma once
// One message-box service for the whole program. The store and the windows
// call MsgBox(); the program installs a service that shows a real dialog, and
// tests install ScriptedMessages, which records every prompt and answers from
// a queue. The style is one number of button, icon and default-button
// flags: MsgBox(text, vbYesNo | vbCritical, title).

#include <QString>
#include <QStringList>
#include <QVector>

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

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the message and returns the button chosen (vbOK, vbYes, ...).
    virtual int Show(const QString &prompt, int style, const QString &title) = 0;
};

// Installs the service (not owned); nullptr restores the default, which
// answers every box with its default button and writes the prompt to stderr.
void SetMessageService(MessageService *service);
MessageService *CurrentMessageService();

// Shows a message box through the installed service. An empty title is the
// program's title.
int MsgBox(const QString &prompt, int style = vbOKOnly, const QString &title = QString());

// The default button of a style: what a user pressing Enter would choose.
int DefaultAnswer(int style);

// The answer of a style that changes nothing, which Esc, the close box and
// an end of the program give: Cancel where the box has one, OK alone, No of
// a Yes/No box, Abort of an Abort/Retry/Ignore box; NoAnswer for a style
// with NoSafeAnswer.
int SafeAnswer(int style);

// Set once the program ends on a signal (a logout, a shutdown): from then on
// MsgBox shows nothing and waits for no answer; it writes the prompt to
// stderr and returns SafeAnswer(style).
void SetEndingProgram(bool ending);
bool EndingProgram();

// For tests: records every message and answers from a queue; when the queue
// is empty, the default button of the box.
class ScriptedMessages : public MessageService {
public:
    struct Shown {
        QString prompt;
        int style;
        QString title;
    };
    ScriptedMessages();  // installs itself
    ~ScriptedMessages() override; // restores the previous service
    int Show(const QString &prompt, int style, const QString &title) override;

    void Answer(int result) { m_answers.append(result); }
    const QVector<Shown> &Messages() const { return m_shown; }
    QStringList Prompts() const;
    void Clear() { m_shown.clear(); }

private:
    MessageService *m_previous;
    QVector<int> m_answers;
    QVector<Shown> m_shown;
};

} // namespace winsys
