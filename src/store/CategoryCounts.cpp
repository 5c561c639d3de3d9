#include "store/CategoryTree.h"

#include "platform/dao/Dao.h"
#include "store/CategoryCodes.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"

#include <QHash>

#include <functional>

// The counts behind the tree's captions.

namespace tav {

namespace {

long long Counted(const std::function<long long()> &count, CountFailure &failure)
{
    try {
        return count();
    } catch (const dao::DaoError &e) {
        if (!failure.failed) {
            failure.failed = true;
            failure.number = e.Number();
            failure.description = e.Description();
        }
        return 0;
    }
}

QString Caption(long long n, const QString &name) { return QString::number(n) + QLatin1Char(' ') + name; }

} // namespace

QVector<CategoryNode> BuildCategoryNodes(CountFailure &failure)
{
    QVector<CategoryNode> nodes;
    nodes.append({QString(), QStringLiteral("Root"), QString(), QStringLiteral("All Words"), true, true});
    // The Greek nodes are counted in one pass over the rows of each SQL text
    // they share, each node with its own filter; the filters read one field,
    // of a few values, and are asked once per value.
    QStringList keys;
    for (const QString &key : CategoryTreeKeys())
        if (IsGreekNodeKey(key))
            keys << key;
    QHash<QString, long long> counts; // by key
    QStringList pending; // the keys still to count
    for (const QString &key : keys)
        if (CountSql(key) == SqlLang3 || CountSql(key) == SqlLang3Genus)
            pending << key;
    // Both texts read the same join of Main and the third language's table:
    // one pass over its word types and genders serves every node. Should it
    // fail, each text is counted on its own, as below.
    const qsizetype from = SqlLang3.indexOf(QLatin1String(" FROM "));
    if (from > 0 && SqlLang3Genus.endsWith(SqlLang3.mid(from)) && !pending.isEmpty()) {
        QStringList filters;
        for (const QString &key : pending)
            filters << BuildCountFilter(key);
        CountFailure failed;
        Counted(
            [&] {
                const QVector<long long> n =
                    CountQueryRecordsEach(QStringLiteral("SELECT Main.WT, Main.Genus") + SqlLang3.mid(from), filters,
                                          QString(), {QStringLiteral("WT"), QStringLiteral("Genus")});
                for (int i = 0; i < pending.size(); ++i)
                    counts.insert(pending[i], n.value(i));
                return 0LL;
            },
            failed);
        if (!failed.failed)
            pending.clear();
    }
    for (const QString &sql : {SqlLang3, SqlLang3Genus}) {
        QStringList group, filters;
        for (const QString &key : pending)
            if (CountSql(key) == sql) {
                group << key;
                filters << BuildCountFilter(key);
            }
        if (group.isEmpty())
            continue;
        Counted(
            [&] {
                const QVector<long long> n =
                    CountQueryRecordsEach(sql, filters, QString(), {CountColumn(group.value(0))});
                for (int i = 0; i < group.size(); ++i)
                    counts.insert(group[i], n.value(i));
                return 0LL;
            },
            failure);
    }
    for (const QString &key : keys) {
        CategoryNode node = GreekNodeTemplate(key);
        node.caption = Caption(counts.value(key), node.caption);
        nodes.append(node);
    }
    const QString info = OptBoHide3 ? QStringLiteral("Unique English") : QStringLiteral("Unique English/") + Opt3rdLang;
    nodes.append({QStringLiteral("Root"), QStringLiteral("Info"), QString(), info, false, true});

    // The meaning words are counted over Lat alone, which the engine reads
    // from the index on Lat.
    const long long english = Counted(
        [] { return CountDistinctLat(QStringLiteral("SELECT Lat FROM AllEnglishGreek ORDER BY Lat")); }, failure);
    nodes.append({QStringLiteral("Info"), QStringLiteral("English"), QStringLiteral("GBW"),
                  Caption(english, QStringLiteral("English")), true, false});
    if (!OptBoHide3) {
        // The table name is made from the language's name: quoted.
        const long long third = Counted(
            [] {
                return CountDistinctLat(QStringLiteral("SELECT Lat FROM [") + Lang3AllTable +
                                        QStringLiteral("] ORDER BY Lat"));
            },
            failure);
        nodes.append({QStringLiteral("Info"), Opt3rdLang, QStringLiteral("XXW"), Caption(third, Opt3rdLang), true, false});
    }
    return nodes;
}

QString RecountCaption(const QString &key, const QString &tag, const QString &Letter, const QString &Suffix,
                       CountFailure &failure)
{
    long long n = 0;
    if (IsGreekNodeKey(key)) {
        n = Counted([&] { return CountQueryRecords(CountSql(key), RecountFilter(key, Letter)); }, failure);
    } else {
        const QString base = key == QLatin1String("English") ? SqlAllEnglish : SqlAllLang3;
        QString sql = base;
        if (!Letter.isEmpty())
            sql += QStringLiteral(" WHERE Lat Like") + dao::SqlText(Letter + QLatin1Char('*'));
        sql += QStringLiteral(" ORDER BY Lat");
        n = Counted([&] { return CountDistinctLat(sql); }, failure);
    }
    return QString::number(n) + QLatin1Char(' ') + CategoryShortText(tag) + Suffix;
}

QStringList RecountGreekCaptions(const QStringList &keys, const QStringList &tags, const QString &Letter,
                                 const QString &Suffix, CountFailure &failure)
{
    QVector<long long> counts(keys.size(), 0);
    // Each term of a letter's filters starts with the initial-letter
    // condition (RecountFilter), so no word of another letter can count.
    const QString within = Letter.isEmpty() ? QString() : GreekLike(Letter);
    for (const QString &sql : {SqlLang3, SqlLang3Genus}) {
        QVector<int> group;
        QStringList filters;
        for (int i = 0; i < keys.size(); ++i)
            if (IsGreekNodeKey(keys[i]) && CountSql(keys[i]) == sql) {
                group << i;
                filters << RecountFilter(keys[i], Letter);
            }
        if (group.isEmpty())
            continue;
        Counted(
            [&] {
                const QVector<long long> n = CountQueryRecordsEach(sql, filters, within);
                for (int g = 0; g < group.size(); ++g)
                    counts[group[g]] = n.value(g);
                return 0LL;
            },
            failure);
    }
    QStringList captions;
    for (int i = 0; i < keys.size(); ++i)
        captions << QString::number(counts[i]) + QLatin1Char(' ') + CategoryShortText(tags.value(i)) + Suffix;
    return captions;
}

} // namespace tav
