#include "inflection/PanelState.h"

#include "store/GreekLetters.h"

namespace tav {

WordClass ClassifyWord(const QVariant &WT, const QVariant &Genus)
{
    const QString wt = WT.isNull() ? QString() : WT.toString();
    if (wt.startsWith(QLatin1Char('b'), Qt::CaseInsensitive))
        return KindAdjective;
    bool numeric = false;
    const double genus = Genus.isNull() ? 99 : Genus.toDouble(&numeric);
    if (numeric && genus <= 2)
        return KindNoun;
    if (wt.size() >= 2 && wt.at(0).toLower() == QLatin1Char('c') && wt.at(1).toLower() != QLatin1Char('f'))
        return KindVerb;
    return KindOther;
}

QString CompoundForm(const QString &auxiliary, const QString &verbS3)
{
    if (verbS3.isEmpty() || auxiliary.isEmpty())
        return QString();
    return auxiliary + QLatin1Char(' ') + verbS3;
}

QString SubjunctiveCell(int row, const QString &form)
{
    if (form.isEmpty())
        return QString();
    if (row == 3 || row == 4)
        return QStringLiteral("na ") + form;
    return (KeepsFinalN(form) ? QStringLiteral("mhn ") : QStringLiteral("mh ")) + form;
}

QString AccusativeArticle(const QString &storedArticle, const QString &nounForm)
{
    if (KeepsFinalN(nounForm))
        return storedArticle.left(2) + storedArticle.mid(3, 1);
    return storedArticle.left(2);
}

QString NounArticleCell(int row, const QString &storedArticle, const QString &nounForm)
{
    if (nounForm.trimmed().isEmpty())
        return QString();
    return row == 2 ? AccusativeArticle(storedArticle, nounForm) : storedArticle;
}

} // namespace tav
