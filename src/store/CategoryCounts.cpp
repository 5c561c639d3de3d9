#include "store/CategoryTree.h"

#include "platform/dao/Dao.h"
#include "store/CategoryCodes.h"
#include "store/CountsAhead.h"
#include "store/DbTransaction.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"

#include <QHash>

#include <functional>
#include <future>

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

namespace {

QStringList GreekKeys()
{
    QStringList keys;
    for (const QString &key : CategoryTreeKeys())
        if (IsGreekNodeKey(key))
            keys << key;
    return keys;
}

// A count beside (CountBeside) of the job make makes; an error in making it
// comes with get(), as an error of the count would.
template <class T>
std::future<T> Begun(const std::function<dao::CountJob<T>()> &make)
{
    try {
        return CountBeside(make());
    } catch (const dao::DaoError &) {
        std::promise<T> failed;
        failed.set_exception(std::current_exception());
        return failed.get_future();
    }
}

// The distinct meaning words of a table, counted over Lat alone, which the
// engine reads from the index on Lat. The table name is made from the
// language's name: quoted.
std::future<long long> MeaningWordsBeside(const QString &table)
{
    return Begun<long long>([&] {
        return OpenWordDb().CountTextRunsJob(QStringLiteral("SELECT Lat FROM [") + table +
                                                 QStringLiteral("] ORDER BY Lat"),
                                             "Lat");
    });
}

} // namespace

CategoryCountsUnderWay BeginCategoryCounts(const CategoryCountTexts &texts)
{
    CategoryCountsUnderWay counts;
    counts.texts = texts;
    // Both texts read the same join of Main and the third language's table:
    // one pass over its word types and genders serves every Greek node.
    const qsizetype from = texts.sqlLang3.indexOf(QLatin1String(" FROM "));
    if (from > 0 && texts.sqlLang3Genus.endsWith(texts.sqlLang3.mid(from))) {
        QStringList filters;
        for (const QString &key : GreekKeys()) {
            counts.grouped << key;
            filters << BuildCountFilter(key);
        }
        counts.groupedCounts = Begun<QVector<long long>>([&] {
            return OpenWordDb()
                .OpenRecordset(QStringLiteral("SELECT Main.WT, Main.Genus") + texts.sqlLang3.mid(from))
                ->CountMatchingJob(filters, {QStringLiteral("WT"), QStringLiteral("Genus")});
        });
    }
    counts.english = MeaningWordsBeside(QStringLiteral("AllEnglishGreek"));
    if (!texts.hide3)
        counts.third = MeaningWordsBeside(texts.lang3AllTable);
    return counts;
}

QVector<CategoryNode> FinishCategoryNodes(CategoryCountsUnderWay &under, CountFailure &failure)
{
    const CategoryCountTexts &texts = under.texts;
    QVector<CategoryNode> nodes;
    nodes.append({QString(), QStringLiteral("Root"), QString(), QStringLiteral("All Words"), true, true});
    const QStringList keys = GreekKeys();
    QHash<QString, long long> counts; // by key
    QStringList pending = keys;       // the keys still to count
    if (under.groupedCounts.valid()) {
        // Should the grouped pass fail, each text is counted on its own, as
        // below.
        CountFailure failed;
        Counted(
            [&] {
                const QVector<long long> n = under.groupedCounts.get();
                for (int i = 0; i < under.grouped.size(); ++i)
                    counts.insert(under.grouped[i], n.value(i));
                return 0LL;
            },
            failed);
        if (!failed.failed)
            pending.clear();
    }
    // Each text's nodes in one pass over its rows, each node with its own
    // filter; the filters read one field, of a few values, and are asked
    // once per value.
    for (const bool genus : {false, true}) {
        const QString &sql = genus ? texts.sqlLang3Genus : texts.sqlLang3;
        QStringList group, filters;
        for (const QString &key : std::as_const(pending))
            if (IsNounKey(key) == genus) {
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
        node.count = counts.value(key);
        node.caption = Caption(node.count, node.caption);
        nodes.append(node);
    }
    const QString info = texts.hide3 ? QStringLiteral("Unique English") : QStringLiteral("Unique English/") + Opt3rdLang;
    nodes.append({QStringLiteral("Root"), QStringLiteral("Info"), QString(), info, false, true});

    const long long english = Counted([&] { return under.english.get(); }, failure);
    nodes.append({QStringLiteral("Info"), QStringLiteral("English"), QStringLiteral("GBW"),
                  Caption(english, QStringLiteral("English")), true, false, english});
    if (under.third.valid()) {
        const long long third = Counted([&] { return under.third.get(); }, failure);
        nodes.append({QStringLiteral("Info"), Opt3rdLang, QStringLiteral("XXW"), Caption(third, Opt3rdLang), true, false,
                      third});
    }
    return nodes;
}

QVector<CategoryNode> BuildCategoryNodes(CountFailure &failure)
{
    const CategoryCountTexts texts{SqlLang3, SqlLang3Genus, Lang3AllTable, OptBoHide3};
    std::optional<CategoryCountsUnderWay> ahead = TakeCategoryCountsAhead(texts);
    CategoryCountsUnderWay under = ahead ? std::move(*ahead) : BeginCategoryCounts(texts);
    return FinishCategoryNodes(under, failure);
}

CountedCaption RecountCaption(const QString &key, const QString &tag, const QString &Letter, const QString &Suffix,
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
    return {n, QString::number(n) + QLatin1Char(' ') + CategoryShortText(tag) + Suffix};
}

QVector<CountedCaption> RecountGreekCaptions(const QStringList &keys, const QStringList &tags, const QString &Letter,
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
    QVector<CountedCaption> captions;
    for (int i = 0; i < keys.size(); ++i)
        captions.append(
            {counts[i], QString::number(counts[i]) + QLatin1Char(' ') + CategoryShortText(tags.value(i)) + Suffix});
    return captions;
}

} // namespace tav
