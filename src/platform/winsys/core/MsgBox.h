#pragma once
// One message-box service for the whole program. The windows call MsgBox(),
// Tell() or, for a caught error, ShowErrorBox() (the word store only words
// its notices, and cannot name this header); the program installs a service
// that shows a real dialog, and tests install ScriptedMessages, which
// records every prompt and answers from a queue. The style is one number of button, icon and default-button
// flags: MsgBox(text, vbYesNo | vbCritical, title).

#include "platform/winsys/notice/Notice.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace winsys {

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
// Shows a notice through MsgBox and returns the button chosen.
int Tell(const Notice &notice);
// Shows the notice when there is one.
void Tell(const std::optional<Notice> &notice);
// Shows an outcome's failure, if any; true when the work was done.
bool Done(const Outcome &outcome);
// The shared error report: shows a caught error's notice (ErrorNotice: the
// engine's number and message, or a refusal's message) and returns the
// button chosen.
int ShowErrorBox(const std::exception &error);
// The same for an error known by its number and message ("Error:", the
// number, a blank and the message).
int ShowErrorBox(long Number, const QString &Description);

// Asked when a window closes (or the program ends) while text that was just
// refused, or could not be stored, is still open in Place ("the list
// \"Nouns\"", "the grammar panel", "the remarks box"): true lets the text go
// and the close go on; false (the default answer, Esc, the close box) goes
// back to the text. As the program ends on a signal it asks nothing and
// lets the text go.
bool DiscardRefusedText(const QString &Place, const QString &Typed);
// Its question.
QString DiscardRefusedTextQuestion(const QString &Place, const QString &Typed);

// Asked just before the text of an editor in Place is stored, with the value
// stored now read at that moment: an editor's text replaces only the value
// it was opened on (OpenedOn). Where another window stored a newer value
// meanwhile, true (Yes) stores Typed over it; false (No, the default answer,
// Esc, the close box) keeps what is stored. As the program ends on a signal
// it asks nothing and keeps what is stored. True, without a question, when
// the stored value is still the one the editor was opened on, or is Typed.
bool StoreOverNewerValue(const QString &Place, const QString &OpenedOn, const QString &StoredNow, const QString &Typed);
// Its question.
QString StoreOverNewerValueQuestion(const QString &Place, const QString &OpenedOn, const QString &StoredNow,
                                    const QString &Typed);

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
