#include "exercise/rounds/WordDraw.h"

#include "platform/dao/Dao.h"
#include "store/SharedState.h"

#include <QHash>

#include <array>
#include <memory>

namespace tav {

namespace {

// The IDs of a native query, read again only when what the connection reads
// may have changed since the last read (its change mark: rows written here
// or elsewhere, tables changed), or WordDb is another object (the shared
// state made anew, as the tests do). A compaction keeps the object
// (dao::Database::ReplaceFile) and opens the compacted file in it, which
// starts the counts of changes again: the mark still differs, because VACUUM
// INTO gives the compacted file a schema version one higher. The object is
// known by a weak reference, so a new one never passes for a closed one
// that had the same address.
QVector<long long> CachedIdColumn(const QString &nativeSql)
{
    struct Entry {
        std::weak_ptr<dao::Database> db;
        std::array<long long, 3> mark{};
        QVector<long long> ids;
    };
    static QHash<QString, Entry> cache;
    const std::array<long long, 3> mark = WordDb->ChangeMark();
    Entry &e = cache[nativeSql];
    if (e.db.lock() != WordDb || e.mark != mark)
        e = {WordDb, mark, WordDb->IntColumnNative(nativeSql)};
    return e.ids;
}

} // namespace

QVector<long long> MainWordIDs() { return CachedIdColumn(QStringLiteral("SELECT ID FROM Main")); }

QVector<long long> VerbsCompleteIn(const QString &TableName)
{
    auto voice = [](QChar v) {
        QStringList terms;
        for (const char *cell : {"S1", "S2", "S3", "P1", "P2", "P3"})
            terms << QStringLiteral("K.") + QLatin1String(cell) + v + QStringLiteral(" <> ''");
        return QLatin1Char('(') + terms.join(QStringLiteral(" AND ")) + QLatin1Char(')');
    };
    // Main.WT LIKE uses the connection's Jet wildcards.
    return CachedIdColumn(QStringLiteral("SELECT K.ID FROM ") + dao::SqlName(TableName) +
                          QStringLiteral(" AS K INNER JOIN Main ON K.ID = Main.ID WHERE Main.WT LIKE 'c*' AND (") +
                          voice(QLatin1Char('a')) + QStringLiteral(" OR ") + voice(QLatin1Char('p')) +
                          QStringLiteral(") ORDER BY K.ID"));
}

QVector<long long> DrawRound(const QVector<long long> &eligible, int n, QSet<long long> &cycle, ExerciseRandom &rng)
{
    QVector<long long> picks;
    n = std::min<qsizetype>(std::max(n, 0), eligible.size());
    QVector<long long> pool;
    auto fillPool = [&] {
        pool.clear();
        for (long long id : eligible)
            if (!cycle.contains(id))
                pool.append(id);
    };
    fillPool();
    while (picks.size() < n) {
        if (pool.isEmpty()) {
            // The cycle is used up: a new one starts with this round's picks.
            cycle = QSet<long long>(picks.begin(), picks.end());
            fillPool();
        }
        const int at = rng.Below(int(pool.size()));
        const long long id = pool[at];
        pool[at] = pool.last();
        pool.removeLast();
        picks.append(id);
        cycle.insert(id);
    }
    return picks;
}

std::optional<long long> DrawOne(const QVector<long long> &eligible, const QList<long long> &exclude,
                                 ExerciseRandom &rng)
{
    if (exclude.isEmpty()) {
        if (eligible.isEmpty())
            return std::nullopt;
        return eligible[rng.Below(int(eligible.size()))];
    }
    const QSet<long long> out(exclude.begin(), exclude.end());
    QVector<long long> pool;
    pool.reserve(eligible.size());
    for (long long id : eligible)
        if (!out.contains(id))
            pool.append(id);
    if (pool.isEmpty())
        return std::nullopt;
    return pool[rng.Below(int(pool.size()))];
}

QString PickCriteriaFor(const QVector<long long> &ids)
{
    if (ids.isEmpty())
        return QStringLiteral("ID = 0 AND ID <> 0");
    QString criteria = QStringLiteral("ID = ") + QString::number(ids.first());
    for (qsizetype j = 1; j < ids.size(); ++j)
        criteria += QStringLiteral(" OR ID ") + QStringLiteral(" = ") + QString::number(ids[j]);
    return criteria;
}

QSet<long long> &PickedWordCycle()
{
    static QSet<long long> cycle;
    return cycle;
}

void PickRandomWords()
{
    const QVector<long long> ids = DrawRound(MainWordIDs(), OptNbrScribble, PickedWordCycle(), Rnd());
    PickIDs.clear();
    for (long long id : ids)
        PickIDs.append(QVariant(id));
    PickCriteria = PickCriteriaFor(ids);
}

} // namespace tav
