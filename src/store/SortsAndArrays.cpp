#include "store/SortsAndArrays.h"

#include "store/GreekLetters.h"
#include "store/SharedState.h"

namespace tav {

SortsAndArrays SortsObj;

bool SortsAndArrays::TavGreCheck(QString &s) const { return tav::TavGreCheck(s); }

QString SortsAndArrays::TavGreSort(const QString &s) const { return tav::TavGreSort(s); }

void SortsAndArrays::ArrayFill(QString &List) const
{
    const QStringList parts = List.split(QLatin1Char(','));
    GsortArr.clear();
    GsortArr.reserve(parts.size());
    for (const QString &part : parts)
        GsortArr.append(part.trimmed());
    List = parts.last();
}

void SortsAndArrays::ArrayShellSortString(QStringList &Arr) const
{
    for (QString &item : Arr)
        item = item.trimmed();
    const qsizetype n = Arr.size();
    if (n < 2)
        return; // nothing to order: the gap sequence below would never reach 1

    // Gaps 1, 4, 13, 40 ...: the largest one below the item count first.
    qsizetype h = 1;
    while (h < n)
        h = 3 * h + 1;
    do {
        h /= 3; // (3h+1)/3 = h exactly: the sequence steps back without rounding
        for (qsizetype i = h; i < n; ++i) {
            QString v = Arr.at(i);
            qsizetype j = i;
            while (j >= h && Arr.at(j - h) > v) {
                Arr[j] = Arr.at(j - h);
                j -= h;
            }
            Arr[j] = v;
        }
    } while (h > 1);
}

QString SortsAndArrays::StringBack(const QStringList &Arr) const { return Arr.join(QStringLiteral(", ")); }

QString SortsAndArrays::MakeString() const { return QString(); }

int SortsAndArrays::CountComma(QString &List) const
{
    const int count = static_cast<int>(List.count(QLatin1Char(',')));
    if (count > 0)
        List = List.mid(List.lastIndexOf(QLatin1Char(',')) + 1);
    return count;
}

void SortsAndArrays::DelOrdGsortArr(const QString &Item) const
{
    // The list is rebuilt from its non-empty items, so empty items go as well.
    GsortArr.removeAll(Item);
    GsortArr.removeAll(QString());
}

QString SortsAndArrays::NewOrdIs(const QString &Item) const
{
    for (qsizetype i = GsortArr.size() - 1; i >= 0; --i)
        if (GsortArr.at(i) != Item)
            return GsortArr.at(i);
    return QString();
}

void SortsAndArrays::AddOrdArr(const QString &Item) const { GsortArr.append(Item); }

void SortsAndArrays::ChangeOrdGsortArr(const QString &OldItem, const QString &NewItem) const
{
    for (QString &item : GsortArr)
        if (item == OldItem)
            item = NewItem;
}

QString SortsAndArrays::DelOuterCommas(QString &List) const
{
    QString text = List;
    while (text.endsWith(QLatin1Char(',')) || text.startsWith(QLatin1Char(','))) {
        if (text.endsWith(QLatin1Char(',')))
            text.chop(1);
        else
            text.remove(0, 1);
        text = text.trimmed();
    }
    List = text;
    return text;
}

} // namespace tav
