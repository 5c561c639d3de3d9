#include "notices/Tell.h"

namespace tav {

void Tell(const std::optional<Notice> &notice)
{
    if (notice)
        Tell(*notice);
}

bool Done(const Outcome &outcome)
{
    Tell(outcome.Failure);
    return bool(outcome);
}

void ShowErrorBox(const std::exception &error) { Tell(ErrorNotice(error)); }

QString DiscardRefusedTextQuestion(const QString &Place, const QString &Typed)
{
    return QStringLiteral("The text \"") + Typed + QStringLiteral("\" typed in ") + Place +
           QStringLiteral(" was not stored (the message before says why).\n\nYes discards the text and closes; No "
                          "goes back to it, to mend it or to cancel it with Esc.");
}

bool DiscardRefusedText(const QString &Place, const QString &Typed)
{
    if (winsys::EndingProgram())
        return true;
    return winsys::MsgBox(DiscardRefusedTextQuestion(Place, Typed),
                          winsys::vbYesNo | winsys::vbExclamation | winsys::vbDefaultButton2,
                          winsys::AppTitle) == winsys::vbYes;
}

} // namespace tav
