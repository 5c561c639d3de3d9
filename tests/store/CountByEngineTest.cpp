// The counting routines let SQLite count. Each count must equal what reading
// the rows gives (the rows of a recordset, or the runs of equal values along
// its ordered rows), for every node of the tree under every initial letter,
// on the shipped database and on a generated one several times its size.

#include "store/CategoryTree.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"

#include "GeneratedWordDb.h"
#include "support/TestDb.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// Rows of Sql after Filter, read into a recordset.
long long RowsRead(const QString &Sql, const QString &Filter)
{
    dao::RecordsetPtr rs = tav::WordDb->OpenRecordset(Sql);
    if (!Filter.isEmpty()) {
        rs->Filter = Filter;
        rs = rs->OpenRecordset();
    }
    return rs->RecordCount();
}

// Runs of equal values of the field along the rows of Sql.
template <typename Read>
long long RunsRead(const QString &Sql, Read read)
{
    dao::RecordsetPtr rs = tav::WordDb->OpenRecordset(Sql);
    long long runs = 0;
    bool first = true;
    decltype(read(*rs)) previous{};
    for (; !rs->Eof(); rs->MoveNext()) {
        const auto current = read(*rs);
        if (first || current != previous)
            ++runs;
        first = false;
        previous = current;
    }
    return runs;
}

class CountByEngine : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        // 0: the shipped database; else a generated one of that many words.
        if (GetParam() > 0) {
            QFile::remove(db.Path());
            ASSERT_TRUE(QFile::copy(tavbench::GeneratedWordDbPath(GetParam()), db.Path()));
            QFile::setPermissions(db.Path(), QFile::ReadOwner | QFile::WriteOwner);
        }
        db.MakeWordStore();
    }
    void TearDown() override { tav::ResetSharedState(); }

    tavtest::TestDb db;
};

TEST_P(CountByEngine, GreekNodesUnderEveryLetter)
{
    // Filter sets: the tree's build, then the recount without and under each
    // initial letter.
    const QString letters = QStringLiteral("abgdezhqiklmnxoprstufcyw");
    for (int set = -2; set < letters.size(); ++set) {
        const QString letter = set < 0 ? QString() : letters.mid(set, 1);
        for (const QString &sql : {tav::SqlLang3, tav::SqlLang3Genus}) {
            QStringList filters;
            QVector<long long> read;
            QString column;
            for (const QString &key : tav::CategoryTreeKeys()) {
                if (!tav::IsGreekNodeKey(key) || tav::CountSql(key) != sql)
                    continue;
                column = tav::CountColumn(key);
                filters << (set == -2 ? tav::BuildCountFilter(key) : tav::RecountFilter(key, letter));
                read << RowsRead(sql, filters.last());
                EXPECT_EQ(tav::CountQueryRecords(sql, filters.last()), read.last())
                    << key.toStdString() << " " << letter.toStdString();
            }
            EXPECT_EQ(tav::CountQueryRecordsEach(sql, filters), read) << letter.toStdString();
            if (set == -2) { // the build's filters read one field: counted per value of it
                EXPECT_EQ(tav::CountQueryRecordsEach(sql, filters, QString(), {column}), read);
            }
        }
    }
    EXPECT_GT(tav::CountQueryRecords(tav::SqlLang3, QString()), 1000);
}

// The letter list's recount of the Greek nodes, counted together, gives
// each node the caption it gets counted on its own, under every letter.
TEST_P(CountByEngine, GreekRecountTogetherEqualsNodeByNode)
{
    QStringList keys, tags;
    for (const QString &key : tav::CategoryTreeKeys())
        if (tav::IsGreekNodeKey(key)) {
            keys << key;
            tags << tav::GreekNodeTemplate(key).tag;
        }
    ASSERT_EQ(keys.size(), 19);
    const QString letters = QStringLiteral("abgdezhqiklmnxoprstufcyw");
    for (int place = 0; place <= letters.size(); ++place) {
        const QString letter = place == 0 ? QString() : letters.mid(place - 1, 1);
        const QString suffix = QStringLiteral(" on \"") + letter + QLatin1Char('"');
        tav::CountFailure together, alone;
        const QVector<tav::CountedCaption> captions = tav::RecountGreekCaptions(keys, tags, letter, suffix, together);
        ASSERT_EQ(captions.size(), keys.size());
        for (int i = 0; i < keys.size(); ++i)
            EXPECT_EQ(captions[i], tav::RecountCaption(keys[i], tags[i], letter, suffix, alone))
                << keys[i].toStdString() << " " << letter.toStdString();
        EXPECT_FALSE(together.failed || alone.failed);
    }
    // An upper-case letter and a letter no word starts with.
    for (const QString &letter : {QStringLiteral("A"), QStringLiteral("j")}) {
        tav::CountFailure failure;
        const QVector<tav::CountedCaption> captions = tav::RecountGreekCaptions(keys, tags, letter, QString(), failure);
        for (int i = 0; i < keys.size(); ++i)
            EXPECT_EQ(captions[i], tav::RecountCaption(keys[i], tags[i], letter, QString(), failure))
                << keys[i].toStdString() << " " << letter.toStdString();
    }
}

TEST_P(CountByEngine, MeaningWordsUnderEveryLetter)
{
    const QStringList letters = tav::LatinLetterList();
    for (const QString &base : {tav::SqlAllEnglish, tav::SqlAllLang3}) {
        for (const QString &letter : letters) {
            QString sql = base;
            if (letter != QLatin1String("-"))
                sql += QStringLiteral(" WHERE Lat Like") + dao::SqlText(letter + QLatin1Char('*'));
            sql += QStringLiteral(" ORDER BY Lat");
            EXPECT_EQ(tav::CountDistinctLat(sql), RunsRead(sql, [](dao::Recordset &rs) { return rs.Text(QStringLiteral("Lat")); }))
                << sql.toStdString();
        }
    }
}

TEST_P(CountByEngine, IdsAndRows)
{
    for (const QString &table : {QStringLiteral("AllEnglishGreek"), QStringLiteral("FormsAll"),
                                 QStringLiteral("Klino"), QStringLiteral("KonT1"), QStringLiteral("WrongIDs")}) {
        const QString ordered = QStringLiteral("SELECT ID FROM ") + table + QStringLiteral(" ORDER BY ID");
        EXPECT_EQ(tav::CountDistinctIDs(table), RunsRead(ordered, [](dao::Recordset &rs) { return rs.Long(0); }))
            << table.toStdString();
        EXPECT_EQ(tav::CountRecords(table), RowsRead(table, QString())) << table.toStdString();
    }
    const QString forms = QStringLiteral("SELECT * FROM FormsAll WHERE GenTem = 'Main' ORDER BY FormGreek");
    EXPECT_EQ(tav::CountRecords(forms), RowsRead(forms, QString()));
    EXPECT_EQ(tav::CountRecords(QStringLiteral("SELECT ID FROM Main WHERE ID = -1")), 0);
}

// The tree's build counts all its Greek nodes in one pass over the join of
// Main and the third language: each caption holds the node's own count.
TEST_P(CountByEngine, TreeBuildGivesEachGreekNodeItsOwnCount)
{
    tav::CountFailure failure;
    const QVector<tav::CategoryNode> nodes = tav::BuildCategoryNodes(failure);
    EXPECT_FALSE(failure.failed) << failure.description.toStdString();
    int greek = 0;
    for (const tav::CategoryNode &node : nodes) {
        if (!tav::IsGreekNodeKey(node.key))
            continue;
        ++greek;
        const long long own = tav::CountQueryRecords(tav::CountSql(node.key), tav::BuildCountFilter(node.key));
        EXPECT_EQ(node.caption, QString::number(own) + QLatin1Char(' ') + tav::GreekNodeTemplate(node.key).caption)
            << node.key.toStdString();
    }
    EXPECT_EQ(greek, 19);
}

// Meanings that differ only in case, stand between others of the same
// letters, are numbers or texts of digits, empty or Null: each run of the
// same text counts once, as reading the rows in order gives.
TEST_P(CountByEngine, MeaningRunsCompareTheStoredTexts)
{
    for (const char *lat : {"abc", "Abc", "abc", "ABC", "", "5", "05", "zz", "zZ"})
        tav::WordDb->ExecNative(QStringLiteral("INSERT INTO AllEnglishGreek (Sal, ID, Lat) VALUES ('x', 1, ?1)"),
                                {QString::fromLatin1(lat)});
    tav::WordDb->ExecNative(QStringLiteral("INSERT INTO AllEnglishGreek (Sal, ID, Lat) VALUES ('x', 1, 5)"));
    tav::WordDb->ExecNative(QStringLiteral("INSERT INTO AllEnglishGreek (Sal, ID, Lat) VALUES ('x', 1, NULL)"));
    for (const QString &sql : {QStringLiteral("SELECT Lat FROM AllEnglishGreek ORDER BY Lat"),
                               tav::SqlAllEnglish + QStringLiteral(" WHERE Lat Like 'a*' ORDER BY Lat"),
                               tav::SqlAllEnglish + QStringLiteral(" ORDER BY Lat")})
        EXPECT_EQ(tav::CountDistinctLat(sql),
                  RunsRead(sql, [](dao::Recordset &rs) { return rs.Text(QStringLiteral("Lat")); }))
            << sql.toStdString();
    EXPECT_THROW(tav::CountDistinctLat(QStringLiteral("SELECT Lat FROM NoSuchTable ORDER BY Lat")), dao::DaoError);
}

INSTANTIATE_TEST_SUITE_P(ShippedAndGenerated, CountByEngine, ::testing::Values(0, 5000));

// The generated database keeps the shipped one's shape at the size asked.
TEST(GeneratedWordDb, KeepsEveryKindOfWordAndItsRows)
{
    const QString path = tavbench::GeneratedWordDbPath(5000);
    dao::DatabasePtr generated = dao::DBEngine::OpenDatabase(path, false, true);
    dao::DatabasePtr shipped = dao::DBEngine::OpenDatabase(tavbench::ShippedWordDbPath(), false, true);
    auto one = [](const dao::DatabasePtr &d, const char *sql) { return d->QueryNative(QString::fromUtf8(sql))[0][0].toLongLong(); };
    EXPECT_EQ(one(generated, "SELECT count(*) FROM Main"), 5000);
    // Headwords stay distinct, but for the model's few homographs.
    EXPECT_GT(one(generated, "SELECT count(DISTINCT Greek) FROM Main"), 4950);
    EXPECT_EQ(one(generated, "SELECT max(ID) FROM Main"), 5000);
    EXPECT_EQ(one(generated, "SELECT count(DISTINCT WT || '/' || Genus) FROM Main"),
              one(shipped, "SELECT count(DISTINCT WT || '/' || Genus) FROM Main"));
    const double formsPerWord = double(one(generated, "SELECT count(*) FROM FormsAll")) / 5000;
    EXPECT_GT(formsPerWord, 15);
    EXPECT_LT(formsPerWord, 25);
    // Every word's rows carry its ID, headword and sort key.
    EXPECT_EQ(one(generated, "SELECT count(*) FROM FormsAll f LEFT JOIN Main m ON f.ID = m.ID "
                             "WHERE m.ID IS NULL OR f.Greek <> m.Greek"),
              0);
    EXPECT_EQ(one(generated, "SELECT count(*) FROM AllSwedishGreek a JOIN Main m ON a.ID = m.ID "
                             "WHERE a.Sal <> m.Sal OR a.Greek <> m.Greek"),
              0);
    EXPECT_EQ(one(generated, "SELECT count(*) FROM Klino WHERE ID = 99999"), 1);
    EXPECT_EQ(one(generated, "SELECT count(*) FROM Options"), 1);
}

} // namespace
