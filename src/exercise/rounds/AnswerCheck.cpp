#include "exercise/rounds/AnswerCheck.h"

#include "store/SortsAndArrays.h"

#include <QSet>

namespace tav {

namespace {

const QString Unknown = QStringLiteral("?");

QStringList SplitParts(const QString &text)
{
    QStringList parts = text.split(QLatin1Char(','));
    for (QString &p : parts)
        p = p.trimmed();
    if (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    return parts;
}

} // namespace

void ShellSortString(QStringList &List) { SortsObj.ArrayShellSortString(List); }

PartCheck cuPart(const QString &Typed, const QString &Stored, bool CheckAll)
{
    PartCheck check;
    const QString typed = Typed.trimmed().isEmpty() ? Unknown : Typed;
    if (!Stored.contains(QLatin1Char(','))) {
        const bool right = typed.trimmed() == Stored.trimmed();
        check.Typed = {typed.trimmed()};
        check.Right = {right};
        check.Ok = right;
        check.Shown = typed;
        return check;
    }
    QStringList typedParts = SplitParts(typed);
    QStringList storedParts = SplitParts(Stored);
    // A meaning typed twice counts once: every later copy is "?".
    QSet<QString> seen;
    for (QString &p : typedParts) {
        if (p.isEmpty() || seen.contains(p))
            p = Unknown;
        else
            seen.insert(p);
    }
    while (typedParts.size() < storedParts.size())
        typedParts.append(Unknown);
    ShellSortString(typedParts);
    ShellSortString(storedParts);
    int green = 0;
    for (const QString &p : typedParts) {
        const bool right = p != Unknown && storedParts.contains(p);
        check.Right.append(right);
        green += right ? 1 : 0;
    }
    check.Ok = CheckAll ? green == typedParts.size() : green > 0;
    check.Typed = typedParts;
    check.Shown = typedParts.join(QStringLiteral(", "));
    return check;
}

int VerdictCaption(const QVector<bool> &Right, bool CheckAll, int MeaningCount)
{
    const auto green = int(std::count(Right.begin(), Right.end(), true));
    if (CheckAll)
        return green == Right.size() ? 1106 : 1105;
    if (MeaningCount < 1)
        return 0;
    if (green == 0)
        return 1105;
    return green == MeaningCount ? 1106 : 1107;
}

} // namespace tav
