#include "platform/winsys/core/MsgBox.h"

#include <cstdio>

namespace winsys {

namespace {
MessageService *g_service = nullptr;
bool g_ending = false;

class StderrMessages : public MessageService {
public:
    int Show(const QString &prompt, int style, const QString &title) override
    {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(prompt));
        return DefaultAnswer(style);
    }
};
} // namespace

void SetMessageService(MessageService *service) { g_service = service; }

MessageService *CurrentMessageService()
{
    static StderrMessages fallback;
    return g_service ? g_service : &fallback;
}

void SetEndingProgram(bool ending) { g_ending = ending; }

bool EndingProgram() { return g_ending; }

int MsgBox(const QString &prompt, int style, const QString &title)
{
    if (g_ending) {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(title.isEmpty() ? AppTitle : title), qPrintable(prompt));
        return SafeAnswer(style);
    }
    return CurrentMessageService()->Show(prompt, style, title.isEmpty() ? AppTitle : title);
}

int Tell(const Notice &notice) { return MsgBox(notice.Prompt, notice.Style, notice.Title); }

ScriptedMessages::ScriptedMessages() : m_previous(g_service) { SetMessageService(this); }

ScriptedMessages::~ScriptedMessages() { SetMessageService(m_previous); }

int ScriptedMessages::Show(const QString &prompt, int style, const QString &title)
{
    m_shown.append({prompt, style, title});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return DefaultAnswer(style);
}

QStringList ScriptedMessages::Prompts() const
{
    QStringList out;
    for (const auto &m : m_shown)
        out << m.prompt;
    return out;
}

void Tell(const std::optional<Notice> &notice)
{
    if (notice)
        Tell(*notice);
}

int ShowErrorBox(const std::exception &error) { return Tell(ErrorNotice(error)); }

int ShowErrorBox(long Number, const QString &Description) { return Tell(ErrorNotice(Number, Description)); }

bool Done(const Outcome &outcome)
{
    Tell(outcome.Failure);
    return bool(outcome);
}

QString DiscardRefusedTextQuestion(const QString &Place, const QString &Typed)
{
    return QStringLiteral("The text \"") + Typed + QStringLiteral("\" typed in ") + Place +
           QStringLiteral(" was not stored (the message before says why).\n\nYes discards the text and closes; No "
                          "goes back to it, to mend it or to cancel it with Esc.");
}

bool DiscardRefusedText(const QString &Place, const QString &Typed)
{
    if (EndingProgram())
        return true;
    return MsgBox(DiscardRefusedTextQuestion(Place, Typed),
                          vbYesNo | vbExclamation | vbDefaultButton2,
                          AppTitle) == vbYes;
}

namespace {
// A value as a question names it.
QString Quoted(const QString &Value)
{
    return Value.isEmpty() ? QStringLiteral("nothing") : QLatin1Char('"') + Value + QLatin1Char('"');
}
} // namespace

QString StoreOverNewerValueQuestion(const QString &Place, const QString &OpenedOn, const QString &StoredNow,
                                    const QString &Typed)
{
    return QStringLiteral("The text \"") + Typed + QStringLiteral("\" typed in ") + Place +
           QStringLiteral(" was to replace ") + Quoted(OpenedOn) + QStringLiteral(", but ") + Quoted(StoredNow) +
           QStringLiteral(" has been stored there since.\n\nYes stores the text typed over it; No keeps ") +
           Quoted(StoredNow) + QStringLiteral(" and drops the text typed.");
}

bool StoreOverNewerValue(const QString &Place, const QString &OpenedOn, const QString &StoredNow, const QString &Typed)
{
    if (StoredNow == OpenedOn || StoredNow == Typed)
        return true;
    return MsgBox(StoreOverNewerValueQuestion(Place, OpenedOn, StoredNow, Typed),
                  vbYesNo | vbExclamation | vbDefaultButton2, AppTitle) == vbYes;
}

} // namespace winsys
