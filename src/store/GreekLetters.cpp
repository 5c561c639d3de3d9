#include "store/GreekLetters.h"

#include "platform/winsys/core/MsgBox.h"

#include <QHash>
#include <QStringList>

namespace tav {

bool TavGreCheck(QString &s)
{
    s = s.toLower();
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        if (!ValidGreekKeys.contains(c)) {
            winsys::MsgBox(QStringLiteral("You have entered an none valid character! \n") +
                               QStringLiteral("It will be corrected by ") + winsys::AppTitle + QStringLiteral("!"),
                           winsys::vbCritical, winsys::AppTitle);
            return false;
        }
    }
    return true;
}

bool IsGreekKeyText(const QString &s)
{
    QString keys = s;
    return TavGreCheck(keys);
}

QString TavGreSort(const QString &s)
{
    static const QString from = QStringLiteral("abgdezhqiklmnxoprsVtufcyw1234567890.,-!`+~& ");
    static const QString to = QStringLiteral("abcdefghijklmnopqrrstuvxy1234567890.,-!`+?& ");
    static const QString skipped = QStringLiteral("v=&-()");
    QString key;
    key.reserve(s.size());
    for (QChar c : s) {
        if (c != QLatin1Char('V'))
            c = c.toLower();
        if (skipped.contains(c))
            continue;
        const qsizetype p = from.indexOf(c);
        key += p >= 0 ? to.at(p) : c;
    }
    return key;
}

QString FirstToUpper(const QString &s)
{
    QString t = s.trimmed();
    if (!t.isEmpty())
        t[0] = t.at(0).toUpper();
    return t;
}

bool KeepsFinalN(const QString &s)
{
    if (s.isEmpty())
        return false;
    // Every vowel (α ε η ι ο υ ω), the stops κ π τ and the doubles ξ ψ; τ
    // covers the pairs τσ and τζ.
    if (QStringLiteral("aehiouwkptxy").contains(s.at(0).toLower()))
        return true;
    // The pairs that sound as b, d and g: μπ, ντ, γκ.
    const QString pair = s.left(2).toLower();
    return pair == QLatin1String("mp") || pair == QLatin1String("nt") || pair == QLatin1String("gk");
}

QString CollapseVMarks(QString &s)
{
    if (s.startsWith(QLatin1Char('v')))
        s.remove(0, 1);
    QString out;
    out.reserve(s.size());
    for (const QChar c : s) {
        if (c == QLatin1Char('v') && out.endsWith(QLatin1Char('v')))
            continue;
        out += c;
    }
    s = out;
    return s.trimmed();
}

bool HasPunctuation(const QString &s)
{
    static const QString marks = QStringLiteral(".,-!`+~&()[]");
    for (const QChar c : s)
        if (marks.contains(c))
            return true;
    return false;
}

QString GreekLetterName(int place)
{
    static const QStringList names = {
        "Alfa", "Vita", "Gamma", "Delta", "Epsilon", "Zita", "Ita", "Fita", "Jota", "Kappa", "Lamda", "Mi",
        "Ni", "Ksi", "Omikron", "Pi", "Ro", "Sigma", "taf", "Upsilon", "Fi", "Chi", "Psi", "Omega"};
    if (place < 1 || place > names.size())
        return QString();
    return names.at(place - 1);
}

QString LatinLetter(int index)
{
    if (index < 1)
        return QString();
    if (index > 29)
        return QStringLiteral("a");
    if (index <= 26)
        return QString(QChar('a' + index - 1));
    static const QString extra = QStringLiteral("åäö");
    return QString(extra.at(index - 27));
}

} // namespace tav
