#include "exercise/rounds/VerbForms.h"

#include <QRegularExpression>

namespace tav {

QString WordClassTag(const QString &WT)
{
    if (WT.startsWith(QLatin1Char('c')))
        return QStringLiteral("V");
    if (WT.startsWith(QLatin1Char('b')))
        return QStringLiteral("Adj");
    if (WT.startsWith(QLatin1Char('a')))
        return WT.startsWith(QLatin1String("ad")) ? QStringLiteral("Adv") : QStringLiteral("N");
    return {};
}

bool VoiceUsable(const QStringList &forms)
{
    static const QString marks = QStringLiteral(".,-!`+~&()[]");
    if (forms.size() < 6)
        return false;
    for (const QString &form : forms) {
        if (form.trimmed().isEmpty())
            return false;
        for (QChar c : form)
            if (marks.contains(c))
                return false;
    }
    return true;
}

Voice ChooseVoice(const QString &WT, bool activeUsable, bool passiveUsable, ExerciseRandom &rng)
{
    static const QRegularExpression passiveClass(QStringLiteral("^cp[0-9]$"));
    if (!WT.startsWith(QLatin1Char('c')))
        return Voice::Keep;
    if (passiveClass.match(WT).hasMatch())
        return !passiveUsable && activeUsable ? Voice::Active : Voice::Passive;
    if (activeUsable && passiveUsable)
        return rng.Below(2) == 0 ? Voice::Active : Voice::Passive;
    return passiveUsable ? Voice::Passive : Voice::Active;
}

} // namespace tav
