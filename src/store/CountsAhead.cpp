#include "store/CountsAhead.h"

#include "platform/dao/Dao.h"
#include "store/DbTransaction.h"
#include "store/SharedState.h"

#include <array>
#include <memory>
#include <system_error>

namespace tav {

namespace {

template <class T>
T OnWordDb(const dao::CountJob<T> &job)
{
    return job(OpenWordDb());
}

bool ReadersMayCount()
{
    try {
        return WordDb && WordDb->IsOpen() && WordDb->ReadersSeeTheSame();
    } catch (const dao::DaoError &) {
        return false;
    }
}

template <class T>
std::future<T> Beside(dao::CountJob<T> job)
{
    if (ReadersMayCount()) {
        // The reader is opened in the job's thread too. Should it fail to
        // open, or open another file than WordDb's (the path was given to
        // another file meanwhile), the job runs on WordDb when the result is
        // asked for.
        auto read = [open = WordDb->ReaderOpener(), job]() -> std::optional<T> {
            const dao::DatabasePtr reader = open();
            if (!reader)
                return std::nullopt;
            return job(*reader);
        };
        try {
            return std::async(std::launch::deferred,
                              [made = std::async(std::launch::async, read), job]() mutable {
                                  std::optional<T> result = made.get();
                                  return result ? std::move(*result) : OnWordDb(job);
                              });
        } catch (const std::system_error &) {
            // No thread: counted on WordDb instead.
        }
    }
    return std::async(std::launch::deferred, [job] { return OnWordDb(job); });
}

// The counts begun ahead, with what they were begun for. Used by the main
// thread only.
struct Ahead {
    std::weak_ptr<dao::Database> db;
    std::array<long long, 3> mark{};
    std::optional<CategoryCountsUnderWay> tree;
};

std::optional<Ahead> &Begun()
{
    static std::optional<Ahead> begun;
    return begun;
}

// True when what was begun may stand for a count made now.
bool StillCurrent(const Ahead &ahead)
{
    if (!WordDb || !WordDb->IsOpen() || ahead.db.lock() != WordDb)
        return false;
    try {
        return WordDb->ChangeMark() == ahead.mark;
    } catch (const dao::DaoError &) {
        return false;
    }
}

} // namespace

std::future<long long> CountBeside(dao::CountJob<long long> job) { return Beside(std::move(job)); }

std::future<QVector<long long>> CountBeside(dao::CountJob<QVector<long long>> job) { return Beside(std::move(job)); }

void BeginStartCountsAhead()
{
    DropCountsAhead();
    if (!WordDb || !WordDb->IsOpen())
        return;
    Ahead ahead;
    try {
        ahead.db = WordDb;
        ahead.mark = WordDb->ChangeMark();
    } catch (const dao::DaoError &) {
        return;
    }
    ahead.tree = BeginCategoryCounts({SqlLang3, SqlLang3Genus, Lang3AllTable, OptBoHide3});
    Begun() = std::move(ahead);
}

std::optional<CategoryCountsUnderWay> TakeCategoryCountsAhead(const CategoryCountTexts &texts)
{
    std::optional<Ahead> &begun = Begun();
    if (!begun || !begun->tree || !(begun->tree->texts == texts) || !StillCurrent(*begun))
        return std::nullopt;
    std::optional<CategoryCountsUnderWay> taken = std::move(begun->tree);
    begun->tree.reset();
    return taken;
}

void DropCountsAhead() { Begun().reset(); }

} // namespace tav
