// The category tree's counts made on connections of their own, and begun
// ahead at start: they give what counting on the shared connection gives,
// also when that connection has changes of its own in hand, or the file has
// changed since they were begun.

#include "store/CountsAhead.h"

#include "ThirdLanguageFixture.h"
#include "store/CategoryTree.h"

using tavtest::ThirdLanguageFixture;

namespace {

QStringList Captions(const QVector<tav::CategoryNode> &nodes)
{
    QStringList captions;
    for (const tav::CategoryNode &n : nodes)
        captions << n.key + QLatin1Char('=') + n.caption;
    return captions;
}

QStringList BuiltCaptions()
{
    tav::CountFailure failure;
    const QStringList captions = Captions(tav::BuildCategoryNodes(failure));
    EXPECT_FALSE(failure.failed) << failure.description.toStdString();
    return captions;
}

long long EnglishCount(const QStringList &captions)
{
    for (const QString &c : captions)
        if (c.startsWith(QLatin1String("English=")))
            return c.mid(8).section(QLatin1Char(' '), 0, 0).toLongLong();
    return -1;
}

tav::CategoryCountTexts SharedTexts()
{
    return {tav::SqlLang3, tav::SqlLang3Genus, tav::Lang3AllTable, tav::OptBoHide3};
}

// A meaning word no other word has, on the shared connection.
void AddMeaning(const QString &lat)
{
    tav::WordDb->ExecNative(QStringLiteral("INSERT INTO AllEnglishGreek (Sal, ID, Lat) VALUES ('x', 1, ?1)"), {lat});
}

} // namespace

TEST_F(ThirdLanguageFixture, CountsSeeTheChangesOfAnOpenTransaction)
{
    const QStringList before = BuiltCaptions();
    tav::WordDb->BeginTrans();
    AddMeaning(QStringLiteral("zzz unheard of"));
    // A second connection would not see the row: the counts stay on the
    // shared one while it has a transaction open.
    EXPECT_FALSE(tav::WordDb->ReadersSeeTheSame());
    EXPECT_EQ(EnglishCount(BuiltCaptions()), EnglishCount(before) + 1);
    tav::WordDb->Rollback();
    EXPECT_TRUE(tav::WordDb->ReadersSeeTheSame());
    EXPECT_EQ(BuiltCaptions(), before);
}

TEST_F(ThirdLanguageFixture, CountsBegunAheadAreTakenOnceAndOnlyForTheSameTexts)
{
    const QStringList fresh = BuiltCaptions();
    tav::BeginStartCountsAhead();
    tav::CategoryCountTexts other = SharedTexts();
    other.hide3 = !other.hide3;
    EXPECT_FALSE(tav::TakeCategoryCountsAhead(other));
    std::optional<tav::CategoryCountsUnderWay> taken = tav::TakeCategoryCountsAhead(SharedTexts());
    ASSERT_TRUE(taken);
    EXPECT_FALSE(tav::TakeCategoryCountsAhead(SharedTexts())) << "taken twice";
    tav::CountFailure failure;
    EXPECT_EQ(Captions(tav::FinishCategoryNodes(*taken, failure)), fresh);
    EXPECT_FALSE(failure.failed);

    // The third language hidden after they were begun: its node goes.
    tav::BeginStartCountsAhead();
    tav::OptBoHide3 = true;
    EXPECT_EQ(tav::BuildCategoryNodes(failure).size(), 22);
    tav::DropCountsAhead();
}

TEST_F(ThirdLanguageFixture, CountsBegunAheadGiveWayToAnyChangeSince)
{
    const long long english = EnglishCount(BuiltCaptions());

    // A change on the shared connection.
    tav::BeginStartCountsAhead();
    AddMeaning(QStringLiteral("zzz first"));
    EXPECT_FALSE(tav::TakeCategoryCountsAhead(SharedTexts()));
    EXPECT_EQ(EnglishCount(BuiltCaptions()), english + 1);

    // A change committed by another connection.
    tav::BeginStartCountsAhead();
    {
        dao::DatabasePtr other = db.Open();
        other->ExecNative(QStringLiteral("INSERT INTO AllEnglishGreek (Sal, ID, Lat) VALUES ('x', 1, 'zzz second')"));
    }
    EXPECT_EQ(EnglishCount(BuiltCaptions()), english + 2);

    // A change of the tables alone.
    tav::BeginStartCountsAhead();
    tav::WordDb->ExecNative(QStringLiteral("CREATE TABLE Later (ID INTEGER)"));
    EXPECT_FALSE(tav::TakeCategoryCountsAhead(SharedTexts()));

    // Another connection in the shared one's place.
    tav::BeginStartCountsAhead();
    tav::WordDb = db.Open();
    EXPECT_FALSE(tav::TakeCategoryCountsAhead(SharedTexts()));
    EXPECT_EQ(EnglishCount(BuiltCaptions()), english + 2);
}

TEST_F(ThirdLanguageFixture, CountsBesideReportTheirErrorsWhenAskedAndNeedAnOpenDatabase)
{
    std::future<long long> missing =
        tav::CountBeside(tav::WordDb->CountTextRunsJob(QStringLiteral("SELECT Lat FROM NoSuchTable"), "Lat"));
    EXPECT_THROW(missing.get(), dao::DaoError);

    tav::BeginStartCountsAhead();
    tav::WordDb->Close();
    tav::CountFailure failure;
    const QVector<tav::CategoryNode> nodes = tav::BuildCategoryNodes(failure);
    EXPECT_TRUE(failure.failed);
    EXPECT_EQ(nodes.size(), 23);
    tav::DropCountsAhead();
    tav::WordDb.reset();
}
