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

int DefaultAnswer(int style)
{
    const int buttons = style & 7;
    const int defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    static const QVector<QVector<int>> order = {
        {vbOK}, {vbOK, vbCancel}, {vbAbort, vbRetry, vbIgnore},
        {vbYes, vbNo, vbCancel}, {vbYes, vbNo}, {vbRetry, vbCancel},
    };
    const auto &row = order.value(buttons, order[0]);
    return row.value(defaultIndex, row.first());
}

int SafeAnswer(int style)
{
    if (style & NoSafeAnswer)
        return NoAnswer;
    switch (style & 7) {
    case vbOKCancel:
    case vbYesNoCancel:
    case vbRetryCancel: return vbCancel;
    case vbAbortRetryIgnore: return vbAbort;
    case vbYesNo: return vbNo;
    default: return vbOK;
    }
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

} // namespace winsys
