#include "store/GreekLetters.h"

#include "platform/winsys/notice/Notice.h"

#include <QHash>
#include <QStringList>

#include <utility>

namespace tav {

bool TavGreCheck(QString &s)
{
    s = s.toLower();
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        if (!ValidGreekKeys.contains(c))
            return false;
    }
    return true;
}

Notice InvalidKeyNotice()
{
    return {QStringLiteral("You have entered an none valid character! \n") + QStringLiteral("It will be corrected by ") +
                winsys::AppTitle + QStringLiteral("!"),
            winsys::vbCritical, winsys::AppTitle};
}

QString GreekTextRefusal(const QString &s)
{
    const QString keys = s.toLower();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (ValidGreekKeys.contains(keys.at(i)))
            continue;
        // A character beyond the BMP is named whole, not by half a pair.
        const qsizetype length = s.at(i).isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
        return QStringLiteral("Nothing was stored: the character \"") + s.mid(i, length) +
               QStringLiteral("\" (character %1 of the text) is not one of the Greek keys.\n").arg(i + 1) +
               QStringLiteral("Greek is typed with the keys that the Help page \"Typing Greek\" lists.");
    }
    return QString();
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

QString MarksAfterCapitals(const QString &s)
{
    static const QString capitalVowels = QStringLiteral("AEHIOUW");
    QString out = s;
    for (qsizetype i = 0; i + 1 < out.size(); ++i) {
        if (out.at(i) == QLatin1Char('v') && capitalVowels.contains(out.at(i + 1))) {
            std::swap(out[i], out[i + 1]);
            ++i; // the mark now stands after its vowel
        }
    }
    return out;
}

QString TidyGreekText(const QString &s)
{
    QString text = MarksAfterCapitals(s);
    return CollapseVMarks(text);
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
