// The DAO-shaped layer on small databases built in a temporary folder.
#include "DaoTestHelpers.h"
#include "platform/dao/Dao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <future>

using namespace dao;
using daotest::errorNumber;

namespace {

class DaoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("words.twl"));
        db = DBEngine::CreateDatabase(m_path);
        db->ExecNative(QStringLiteral(
            "CREATE TABLE Main (ID INTEGER, Greek TEXT COLLATE NOCASE, English TEXT COLLATE NOCASE, "
            "WT TEXT COLLATE NOCASE, AP TEXT, Flag INTEGER, \"3rdLang\" TEXT COLLATE NOCASE);"
            "CREATE TABLE FormsAll (ID INTEGER, GenTem INTEGER, KasPer INTEGER, FormGreek TEXT COLLATE NOCASE);"
            "INSERT INTO Main VALUES (1, 'lovgoV', 'word', 'n2', NULL, 0, 'ord');"
            "INSERT INTO Main VALUES (2, 'gravfw', 'write', 'c1', '154', -1, 'skriva');"
            "INSERT INTO Main VALUES (3, 'kalovV', 'good', 'a', NULL, 0, NULL);"
            "INSERT INTO Main VALUES (4, 'agapw', 'love', 'cp1', '154', 0, 'älska');"
            "INSERT INTO FormsAll VALUES (2, 1, 1, 'gravfw');"
            "INSERT INTO FormsAll VALUES (2, 1, 2, 'gravfeiV');"
            "INSERT INTO FormsAll VALUES (4, 1, 1, 'agapw');"));
    }

    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    long long count(const QString &sql) { return db->QueryNative(sql)[0][0].toLongLong(); }

    QTemporaryDir m_dir;
    QString m_path;
    DatabasePtr db;
};

TEST_F(DaoTest, OpenRefusesWhatIsNotADatabaseAndNeverCreatesOne)
{
    const QString missing = path("missing.twl");
    EXPECT_EQ(errorNumber([&] { DBEngine::OpenDatabase(missing); }), DaoError::FileNotFound);
    EXPECT_FALSE(QFile::exists(missing));

    const QString text = path("text.twl");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("These are not the pages of a database, just some text that is long enough to hold a header.");
    f.close();
    EXPECT_EQ(errorNumber([&] { DBEngine::OpenDatabase(text); }), DaoError::NotADatabase);

    const QString empty = path("empty.twl");
    QFile e(empty);
    ASSERT_TRUE(e.open(QIODevice::WriteOnly));
    e.close();
    EXPECT_EQ(errorNumber([&] { DBEngine::OpenDatabase(empty); }), DaoError::NotADatabase);

    EXPECT_EQ(errorNumber([&] { DBEngine::CreateDatabase(m_path); }), DaoError::DatabaseExists);
    const QString fresh = path("fresh.twl");
    DBEngine::CreateDatabase(fresh)->Close();
    EXPECT_TRUE(DBEngine::OpenDatabase(fresh)->TableNames().isEmpty());
    auto other = DBEngine::OpenDatabase(m_path);
    EXPECT_EQ(other->TableNames(), (QStringList{"Main", "FormsAll"}));
}

TEST_F(DaoTest, CompactCopiesEverythingWhileARecordsetIsOpen)
{
    auto rs = db->OpenRecordset(QStringLiteral("Main"));
    rs->MoveLast();
    const QString dst = path("tmp.mdb");
    DBEngine::CompactDatabase(m_path, dst);
    auto copy = DBEngine::OpenDatabase(dst);
    EXPECT_EQ(copy->QueryNative(QStringLiteral("SELECT count(*) FROM Main"))[0][0].toInt(), 4);
    EXPECT_EQ(errorNumber([&] { DBEngine::CompactDatabase(m_path, dst); }), DaoError::DatabaseExists);
}

TEST_F(DaoTest, ExecuteTranslatesAndCountsRows)
{
    db->Execute(QStringLiteral("UPDATE Main SET Main.Flag = True, Main.English = 'x' WHERE Main.AP = 154"));
    EXPECT_EQ(db->RecordsAffected(), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE Flag = -1 AND English = 'x'")), 2);
    db->Execute(QStringLiteral("DELETE * FROM FormsAll WHERE FormGreek Like 'grav*'"));
    EXPECT_EQ(db->RecordsAffected(), 2);
    db->Execute(QStringLiteral("CREATE TABLE Extra (A TEXT)"));
    EXPECT_EQ(db->RecordsAffected(), 0);
    EXPECT_EQ(errorNumber([&] { db->Execute(QStringLiteral("SELECT * FROM Main")); }), DaoError::SelectInExecute);
}

TEST_F(DaoTest, ErrorsCarryTheEnginesMessageAndNumber)
{
    try {
        db->Execute(QStringLiteral("DELETE * FROM Nope"));
        FAIL() << "no error";
    } catch (const DaoError &e) {
        EXPECT_EQ(e.Number(), 1); // SQLITE_ERROR
        EXPECT_EQ(e.Description(), QStringLiteral("no such table: Nope"));
        EXPECT_EQ(e.Sql(), QStringLiteral("DELETE FROM Nope"));
    }
    EXPECT_EQ(errorNumber([&] { db->OpenRecordset(QStringLiteral("Nope")); }), DaoError::InputNotFound);
    EXPECT_EQ(errorNumber([&] { db->OpenRecordset(QStringLiteral("SELECT Nope FROM Main")); }), 1);
}

TEST_F(DaoTest, RefusesConcatenationAndChangesNothing)
{
    EXPECT_EQ(errorNumber([&] { db->Execute(QStringLiteral("UPDATE Main SET Greek = Greek & 'x'")); }),
              DaoError::UnsupportedJetSql);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE Greek LIKE '*x'")), 0);
    auto rs = db->OpenRecordset(QStringLiteral("Main"));
    EXPECT_EQ(errorNumber([&] { rs->FindFirst(QStringLiteral("Greek & 'x' = 'lovgoVx'")); }),
              DaoError::UnsupportedJetSql);
}

TEST_F(DaoTest, QuoteInsideAValueRoundTrips)
{
    const QString value = QStringLiteral("o'Neil's \"x\"; DROP TABLE Main; --");
    db->Execute(QStringLiteral("INSERT INTO Main (ID, Greek, English) VALUES (9, ") + SqlText(value)
                + QStringLiteral(", 'q')"));
    db->Execute(QStringLiteral("UPDATE Main SET Main.English = ") + SqlText(value + value)
                + QStringLiteral(" WHERE Greek = ") + SqlText(value));
    EXPECT_EQ(db->RecordsAffected(), 1);
    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM Main WHERE Greek = ") + SqlText(value));
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Text("Greek"), value);
    auto all = db->OpenRecordset(QStringLiteral("Main"));
    all->FindFirst(QStringLiteral("English = ") + SqlText(value + value));
    ASSERT_FALSE(all->NoMatch());
    EXPECT_EQ(all->Long("ID"), 9);
    EXPECT_TRUE(db->TableExists(QStringLiteral("Main")));
}

TEST_F(DaoTest, FieldsByPositionAndName)
{
    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM Main ORDER BY ID"));
    EXPECT_EQ(rs->FieldCount(), 7);
    EXPECT_EQ(rs->FieldName(6), QStringLiteral("3rdLang"));
    EXPECT_EQ(rs->Long(0), 1);
    EXPECT_EQ(rs->Text(1), QStringLiteral("lovgoV"));
    EXPECT_EQ(rs->Text("GREEK"), QStringLiteral("lovgoV"));
    EXPECT_EQ(rs->Text("[3rdLang]"), QStringLiteral("ord"));
    EXPECT_TRUE(rs->Field("AP").isNull());
    EXPECT_EQ(rs->Text("AP"), QString());
    EXPECT_EQ(rs->Long("AP"), 0);
    EXPECT_FALSE(rs->Bool("Flag"));
    EXPECT_EQ(rs->FieldIndex(QStringLiteral("nope")), -1);
    EXPECT_EQ(errorNumber([&] { rs->Field(QStringLiteral("nope")); }), DaoError::ItemNotFound);
    EXPECT_EQ(errorNumber([&] { rs->Field(7); }), DaoError::ItemNotFound);
    rs->MoveNext();
    EXPECT_TRUE(rs->Bool("Flag")); // -1
    EXPECT_EQ(rs->Long("AP"), 154);
    EXPECT_EQ(rs->Text("3rdLang"), QStringLiteral("skriva"));
}

TEST_F(DaoTest, ReadsAnyRowsStoredValuesWithoutMovingToIt)
{
    auto rs = db->OpenRecordset(QStringLiteral("SELECT ID, Greek, AP FROM Main ORDER BY ID"));
    EXPECT_EQ(rs->StoredUtf8At(3, 1), QByteArrayView("agapw"));
    EXPECT_TRUE(rs->StoredUtf8At(0, 2)->isNull()); // Null
    EXPECT_FALSE(rs->StoredUtf8At(0, 0).has_value()); // a number: read through FieldAt
    EXPECT_EQ(rs->FieldAt(2, 0).toLongLong(), 3);
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    EXPECT_EQ(errorNumber([&] { rs->StoredUtf8At(4, 1); }), DaoError::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs->FieldAt(-1, 1); }), DaoError::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs->FieldAt(0, 3); }), DaoError::ItemNotFound);
}

// A set larger than the blocks its rows are read into, with every kind of
// value and a text larger than a block, reads back each value as stored:
// numbers, texts (an empty one told from a Null), blobs; again after a
// Requery and after an edit re-reads one row.
TEST_F(DaoTest, ALargeSetReadsBackEveryValueAsStored)
{
    db->ExecNative(QStringLiteral("CREATE TABLE Big (ID INTEGER, T TEXT, B BLOB, R REAL)"));
    const QString huge(3 << 20, QLatin1Char('x')); // larger than any block
    db->BeginTrans();
    for (int i = 0; i < 20000; ++i) {
        QVariant text = QString::fromLatin1("word %1 ").repeated(i % 7) + QString::number(i);
        if (i % 11 == 0)
            text = QVariant(); // Null
        else if (i % 13 == 0)
            text = QStringLiteral("");
        else if (i == 9001)
            text = huge;
        const QVariant blob = i % 5 == 0 ? QVariant() : QVariant(QByteArray(i % 17, char(i)));
        db->ExecNative(QStringLiteral("INSERT INTO Big VALUES (?1, ?2, ?3, ?4)"),
                       {i, text, blob, i / 4.0});
    }
    db->CommitTrans();
    const auto stored = db->QueryNative(QStringLiteral("SELECT ID, T, B, R FROM Big ORDER BY rowid"));
    auto rs = db->OpenRecordset(QStringLiteral("Big"));
    auto readsAsStored = [&] {
        if (rs->RecordCount() != stored.size())
            return false;
        for (qsizetype r = 0; r < stored.size(); ++r) {
            for (int f = 0; f < 4; ++f)
                if (rs->FieldAt(r, f) != stored[r][f] || rs->FieldAt(r, f).isNull() != stored[r][f].isNull())
                    return false;
            const std::optional<QByteArrayView> text = rs->StoredUtf8At(r, 1);
            if (!text || text->isNull() != stored[r][1].isNull() || QString::fromUtf8(*text) != stored[r][1].toString())
                return false;
        }
        return true;
    };
    EXPECT_TRUE(readsAsStored());
    EXPECT_EQ(rs->FieldAt(9001, 1).toString(), huge);
    EXPECT_FALSE(rs->StoredUtf8At(13, 1)->isNull()); // empty, not Null
    EXPECT_TRUE(rs->StoredUtf8At(11, 1)->isNull());
    rs->Requery();
    EXPECT_TRUE(readsAsStored());
    rs->Move(5000);
    rs->Edit();
    rs->SetField(1, QStringLiteral("changed"));
    rs->Update();
    EXPECT_EQ(rs->FieldAt(5000, 1).toString(), QStringLiteral("changed"));
    EXPECT_EQ(rs->FieldAt(4999, 1), stored[4999][1]);
    EXPECT_EQ(rs->FieldAt(5001, 1), stored[5001][1]);
}

TEST_F(DaoTest, NavigatesLikeDao)
{
    auto rs = db->OpenRecordset(QStringLiteral("SELECT ID FROM Main ORDER BY ID"), RecordsetType::Snapshot);
    EXPECT_FALSE(rs->Bof());
    QList<long long> ids;
    for (; !rs->Eof(); rs->MoveNext())
        ids << rs->Long(0);
    EXPECT_EQ(ids, (QList<long long>{1, 2, 3, 4}));
    EXPECT_EQ(errorNumber([&] { rs->MoveNext(); }), DaoError::NoCurrentRecord);
    EXPECT_EQ(errorNumber([&] { rs->Long(0); }), DaoError::NoCurrentRecord);
    rs->MoveLast();
    EXPECT_EQ(rs->Long(0), 4);
    EXPECT_EQ(rs->RecordCount(), 4);
    rs->MovePrevious();
    EXPECT_EQ(rs->Long(0), 3);
    rs->Move(-2);
    EXPECT_EQ(rs->Long(0), 1);
    EXPECT_EQ(rs->AbsolutePosition(), 0);
    rs->MovePrevious();
    EXPECT_TRUE(rs->Bof());
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    rs->MoveFirst();
    rs->Move(10);
    EXPECT_TRUE(rs->Eof());

    auto none = db->OpenRecordset(QStringLiteral("SELECT * FROM Main WHERE ID = 99"));
    EXPECT_TRUE(none->Eof());
    EXPECT_TRUE(none->Bof());
    EXPECT_EQ(none->RecordCount(), 0);
    EXPECT_EQ(errorNumber([&] { none->MoveFirst(); }), DaoError::NoCurrentRecord);
}

TEST_F(DaoTest, FindsWithJetCriteria)
{
    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM Main ORDER BY ID"));
    rs->FindFirst(QStringLiteral("ID = 3"));
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Text("Greek"), QStringLiteral("kalovV"));
    rs->FindFirst(QStringLiteral("ID = 42"));
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(rs->Long("ID"), 3); // stays where it was

    rs->FindFirst(QStringLiteral("AP = 154")); // a TEXT column compares equal to the number
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Long("ID"), 2);
    rs->FindNext(QStringLiteral("AP = 154"));
    EXPECT_EQ(rs->Long("ID"), 4);
    rs->FindNext(QStringLiteral("AP = 154"));
    EXPECT_TRUE(rs->NoMatch());
    rs->FindLast(QStringLiteral("WT Like 'c*'"));
    EXPECT_EQ(rs->Long("ID"), 4);
    rs->FindPrevious(QStringLiteral("WT Like 'c*'"));
    EXPECT_EQ(rs->Long("ID"), 2);

    rs->FindFirst(QStringLiteral("Greek = 'KALOVV'")); // Jet's = ignores case
    EXPECT_EQ(rs->Long("ID"), 3);
    rs->FindFirst(QStringLiteral("WT Like 'c[!f]*' AND Flag = True"));
    EXPECT_EQ(rs->Long("ID"), 2);
    rs->FindFirst(QStringLiteral("3rdLang Like 'ÄL*'"));
    EXPECT_EQ(rs->Long("ID"), 4);
    rs->FindFirst(QStringLiteral("AP Is Null And ID > 1"));
    EXPECT_EQ(rs->Long("ID"), 3);
    EXPECT_EQ(errorNumber([&] { rs->FindFirst(QStringLiteral("Nope = 1")); }), 1);
}

TEST_F(DaoTest, FindOnAWholeTableBehavesAsOnItsRows)
{
    // Before its rows are read a table recordset asks SQLite; the outcome
    // must be the same as a search through the rows.
    db->Execute(QStringLiteral("INSERT INTO Main (ID, Greek, WT) VALUES (3, 'kalhv', 'a')"));
    for (bool readFirst : {false, true}) {
        SCOPED_TRACE(readFirst);
        auto rs = db->OpenRecordset(QStringLiteral("Main"));
        if (readFirst)
            rs->MoveLast();
        rs->FindFirst(QStringLiteral("ID = 3"));
        ASSERT_FALSE(rs->NoMatch());
        EXPECT_FALSE(rs->Eof());
        EXPECT_EQ(rs->Text("Greek"), QStringLiteral("kalovV"));
        rs->FindNext(QStringLiteral("ID = 3"));
        EXPECT_EQ(rs->Text("Greek"), QStringLiteral("kalhv"));
        rs->FindLast(QStringLiteral("Main.ID = 3"));
        EXPECT_EQ(rs->Text("Greek"), QStringLiteral("kalhv"));
        rs->MovePrevious();
        EXPECT_EQ(rs->Long("ID"), 4);
        rs->FindFirst(QStringLiteral("WT = 'C1'"));
        EXPECT_EQ(rs->Long("ID"), 2);
        rs->MoveNext();
        EXPECT_EQ(rs->Long("ID"), 3);
        rs->FindLast(QStringLiteral("ID = 99"));
        EXPECT_TRUE(rs->NoMatch());
        EXPECT_EQ(rs->Long("ID"), 3);
        EXPECT_EQ(rs->RecordCount(), 5);
    }
    auto rs = db->OpenRecordset(QStringLiteral("Main"));
    rs->FindFirst(QStringLiteral("ID = 2"));
    rs->Edit();
    rs->SetField(QStringLiteral("English"), QStringLiteral("wrote"));
    rs->Update();
    EXPECT_EQ(rs->Text("English"), QStringLiteral("wrote"));
    rs->Delete();
    rs->MoveNext();
    EXPECT_EQ(rs->Long("ID"), 3);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE ID = 2")), 0);

    auto caps = db->OpenRecordset(QStringLiteral("Main"), RecordsetType::Snapshot);
    caps->FindFirst(QStringLiteral("ID = 4"));
    EXPECT_EQ(caps->Text("3rdLang"), QStringLiteral("älska"));
    EXPECT_EQ(errorNumber([&] { caps->Edit(); }), DaoError::NotUpdatable);
}

TEST_F(DaoTest, AddsEditsAndDeletesThroughTheOneTable)
{
    auto rs = db->OpenRecordset(QStringLiteral("Main"), RecordsetType::Table);
    ASSERT_TRUE(rs->Updatable());
    rs->AddNew();
    rs->SetField(QStringLiteral("ID"), 5);
    rs->SetField(QStringLiteral("Greek"), QStringLiteral("nevoV"));
    rs->SetField(QStringLiteral("Flag"), true);
    EXPECT_EQ(rs->Text("Greek"), QStringLiteral("nevoV"));
    rs->Update();
    EXPECT_EQ(rs->Long("ID"), 5); // the new row is current
    EXPECT_EQ(rs->RecordCount(), 5);
    EXPECT_EQ(count(QStringLiteral("SELECT Flag FROM Main WHERE ID = 5")), -1);

    rs->FindFirst(QStringLiteral("ID = 1"));
    rs->Edit();
    rs->SetField(QStringLiteral("English"), QStringLiteral("speech"));
    rs->Update();
    EXPECT_EQ(rs->Text("English"), QStringLiteral("speech"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE English = 'speech'")), 1);

    rs->Edit();
    rs->SetField(QStringLiteral("English"), QStringLiteral("lost"));
    rs->CancelUpdate();
    EXPECT_EQ(rs->Text("English"), QStringLiteral("speech"));
    EXPECT_EQ(errorNumber([&] { rs->Update(); }), DaoError::UpdateWithoutEdit);
    EXPECT_EQ(errorNumber([&] { rs->SetField(0, 1); }), DaoError::UpdateWithoutEdit);

    // Delete, then MoveNext reaches the row that followed.
    rs->MoveFirst();
    const long long second = [&] { rs->MoveNext(); long long id = rs->Long("ID"); rs->MoveFirst(); return id; }();
    rs->Delete();
    EXPECT_EQ(errorNumber([&] { rs->Field(0); }), DaoError::RecordDeleted);
    rs->MoveNext();
    EXPECT_EQ(rs->Long("ID"), second);
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main")), 4);

    // Requery sees what others wrote.
    db->Execute(QStringLiteral("INSERT INTO Main (ID, Greek) VALUES (6, 'xevnoV')"));
    rs->Requery();
    EXPECT_EQ(rs->RecordCount(), 5);
}

TEST_F(DaoTest, AnEditOfARowDeletedMeanwhileIsReported)
{
    for (bool rowsRead : {false, true}) {
        SCOPED_TRACE(rowsRead);
        auto rs = db->OpenRecordset(QStringLiteral("Main"));
        if (rowsRead)
            rs->MoveLast();
        rs->FindFirst(QStringLiteral("ID = 2"));
        rs->Edit();
        rs->SetField(QStringLiteral("English"), QStringLiteral("wrote"));
        db->Execute(QStringLiteral("DELETE * FROM Main WHERE ID = 2"));
        EXPECT_EQ(errorNumber([&] { rs->Update(); }), DaoError::RecordDeleted);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE English = 'wrote'")), 0);
        rs->CancelUpdate(); // the edit was kept until the caller drops it
        db->Execute(QStringLiteral("INSERT INTO Main (ID, Greek, English, WT) VALUES (2, 'gravfw', 'write', 'c1')"));
    }
}

TEST_F(DaoTest, AFileDeletedOrReplacedWhileOpenTakesNoWrites)
{
    auto rs = db->OpenRecordset(QStringLiteral("Main"));
    rs->FindFirst(QStringLiteral("ID = 3"));
    rs->Edit();
    rs->SetField(QStringLiteral("English"), QStringLiteral("fine"));
    ASSERT_TRUE(QFile::remove(m_path));

    EXPECT_EQ(errorNumber([&] { db->Execute(QStringLiteral("UPDATE Main SET English = 'gone' WHERE ID = 1")); }),
              DaoError::FileReplaced);
    EXPECT_EQ(errorNumber([&] { db->ExecNative(QStringLiteral("DELETE FROM FormsAll")); }), DaoError::FileReplaced);
    EXPECT_EQ(errorNumber([&] { rs->Update(); }), DaoError::FileReplaced);
    try {
        db->Execute(QStringLiteral("DELETE * FROM Main"));
    } catch (const DaoError &e) {
        EXPECT_TRUE(e.Description().contains(m_path)) << e.Description().toStdString();
        EXPECT_TRUE(e.Description().contains(QStringLiteral("nothing was stored")));
    }
    // No transaction begins (it takes the write lock); the connection still
    // reads the file it opened, and nothing went into it.
    EXPECT_EQ(errorNumber([&] { db->BeginTrans(); }), DaoError::FileReplaced);
    EXPECT_FALSE(db->InTransaction());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main")), 4);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE English IN ('gone', 'fine')")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM FormsAll")), 3);
    db->Close();

    // Another file put in its place is not the one opened either; a
    // connection to the new file writes to it.
    DatabasePtr other = DBEngine::CreateDatabase(path("other.twl"));
    other->ExecNative(QStringLiteral("CREATE TABLE T (x INTEGER); INSERT INTO T VALUES (1)"));
    other->Close();
    ASSERT_TRUE(QFile::copy(path("other.twl"), path("copy.twl")));
    DatabasePtr first = DBEngine::OpenDatabase(path("other.twl"));
    ASSERT_TRUE(QFile::remove(path("other.twl")));
    ASSERT_TRUE(QFile::rename(path("copy.twl"), path("other.twl")));
    EXPECT_EQ(errorNumber([&] { first->Execute(QStringLiteral("DELETE * FROM T")); }), DaoError::FileReplaced);
    DatabasePtr second = DBEngine::OpenDatabase(path("other.twl"));
    second->Execute(QStringLiteral("DELETE * FROM T"));
    EXPECT_EQ(second->RecordsAffected(), 1);
    first->Close();
    second->Close();
}

TEST_F(DaoTest, AddNewBeforeReadingStillMakesTheRowCurrent)
{
    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM Main WHERE WT = 'zz'"));
    rs->AddNew();
    rs->SetField(QStringLiteral("ID"), 7);
    rs->SetField(QStringLiteral("WT"), QStringLiteral("n1"));
    rs->Update();
    EXPECT_EQ(rs->Long("ID"), 7); // shown although it does not match the WHERE, as a dynaset does
    EXPECT_EQ(rs->Text("WT"), QStringLiteral("n1"));
}

TEST_F(DaoTest, JoinsAreReadOnlyAndFilterWrapsThem)
{
    const QString join = QStringLiteral(
        "SELECT Main.ID, Main.Greek, FormsAll.ID, FormsAll.FormGreek FROM Main INNER JOIN FormsAll "
        "ON Main.ID = FormsAll.ID ORDER BY FormsAll.KasPer");
    auto rs = db->OpenRecordset(join);
    EXPECT_FALSE(rs->Updatable());
    EXPECT_EQ(errorNumber([&] { rs->Edit(); }), DaoError::NotUpdatable);
    EXPECT_EQ(rs->RecordCount(), 3);

    rs->Filter = QStringLiteral("ID = 2 And FormGreek Like '*V'");
    auto filtered = rs->OpenRecordset();
    EXPECT_EQ(filtered->NativeSql(), QStringLiteral("SELECT * FROM (") + join
                                         + QStringLiteral(") WHERE (ID = 2 And FormGreek Like '*V')"));
    ASSERT_EQ(filtered->RecordCount(), 1);
    EXPECT_EQ(filtered->Long("ID"), 2); // by name the first wins
    EXPECT_EQ(filtered->Long(2), 2);
    EXPECT_EQ(filtered->Text("FormGreek"), QStringLiteral("gravfeiV"));
    filtered->FindFirst(QStringLiteral("ID = 2"));
    EXPECT_FALSE(filtered->NoMatch());
}

// Counting per group of equal values gives the counts of counting row by
// row: values that differ only in case, a Null, an empty text, a number
// stored in a text column and the same number as text stay apart.
TEST_F(DaoTest, CountsPerGroupOfValuesEqualCountsPerRow)
{
    db->ExecNative(QStringLiteral("INSERT INTO Main (ID, WT, Flag) VALUES (5, 'C1', 0), (6, 'c1', NULL), "
                                  "(7, NULL, 0), (8, '', -1), (9, 'cp1', 0), (10, 'cA', 0);"
                                  "CREATE TABLE Loose (ID INTEGER, V);"
                                  "INSERT INTO Loose VALUES (1, 1), (2, '1'), (3, 1.0), (4, '1.0'), (5, NULL), (6, 'x')"));
    const QStringList criteria = {QStringLiteral("WT = 'c1'"),     QStringLiteral("WT Like 'c*'"),
                                  QStringLiteral("WT Like 'C#'"),  QStringLiteral("WT Is Null"),
                                  QStringLiteral(""),              QStringLiteral("WT = '' OR Flag = -1"),
                                  QStringLiteral("Flag = 0 AND WT Like 'c*'")};
    auto rs = db->OpenRecordset(QStringLiteral("SELECT ID, WT, Flag FROM Main ORDER BY ID"));
    const QVector<long long> perRow = rs->CountMatching(criteria);
    EXPECT_EQ(rs->CountMatching(criteria, {QStringLiteral("WT"), QStringLiteral("Flag")}), perRow);
    EXPECT_EQ(perRow[0], 3); // c1 twice and C1, compared without case as the column says
    EXPECT_EQ(perRow[4], 10);
    EXPECT_EQ(errorNumber([&] { rs->CountMatching({QStringLiteral("ID = 1")}, {QStringLiteral("WT")}); }) != 0,
              true) << "a criterion on a field that is not grouped fails";

    const QStringList loose = {QStringLiteral("V = 1"), QStringLiteral("V = '1'"), QStringLiteral("V Like '1*'"),
                               QStringLiteral("V Is Null"), QStringLiteral("")};
    auto values = db->OpenRecordset(QStringLiteral("SELECT V FROM Loose"));
    EXPECT_EQ(values->CountMatching(loose, {QStringLiteral("V")}), values->CountMatching(loose));
}

// Per group the criteria still see each field with its own affinity and
// collation, for many groups, blobs and reals, and for no row at all.
TEST_F(DaoTest, CountsPerGroupKeepEachFieldsAffinityAndCollation)
{
    db->ExecNative(QStringLiteral(
        "CREATE TABLE Typed (G SMALLINT, T TEXT COLLATE NOCASE, B);"
        "WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < 2999) "
        "INSERT INTO Typed SELECT x % 1500, CASE x % 3 WHEN 0 THEN 'Ab' WHEN 1 THEN 'aB' END, "
        "CASE x % 4 WHEN 0 THEN x'00ff' WHEN 1 THEN 0.5 WHEN 2 THEN -0.0 END FROM n"));
    const QStringList criteria = {QStringLiteral("G = '0'"),      QStringLiteral("G < 10"),
                                  QStringLiteral("T = 'ab'"),     QStringLiteral("T Like 'A*'"),
                                  QStringLiteral("B Is Null"),    QStringLiteral("B = 0"),
                                  QStringLiteral("G = 1 OR T Is Null"), QString()};
    auto rs = db->OpenRecordset(QStringLiteral("SELECT G, T, B FROM Typed"));
    const QVector<long long> perRow = rs->CountMatching(criteria);
    EXPECT_EQ(rs->CountMatching(criteria, {QStringLiteral("G"), QStringLiteral("T"), QStringLiteral("B")}), perRow);
    EXPECT_EQ(perRow[0], 2) << "a text compared with a number column is read as a number";
    EXPECT_EQ(perRow[2], 2000) << "compared without case, as the column says";
    EXPECT_EQ(perRow[7], 3000);

    auto none = db->OpenRecordset(QStringLiteral("SELECT G, T FROM Typed WHERE G < 0"));
    EXPECT_EQ(none->CountMatching({QStringLiteral("T = 'x'")}, {QStringLiteral("T")}), QVector<long long>{0});
    EXPECT_NE(errorNumber([&] { none->CountMatching({QStringLiteral("G = 1")}, {QStringLiteral("T")}); }), 0)
        << "a criterion on a field that is not grouped fails, also without rows";
}

// A second connection reads what the first reads only while the first has
// nothing in hand; a count made as a job on it gives the first's count.
TEST_F(DaoTest, ReadersSeeTheSameOnlyWhileNothingIsPending)
{
    EXPECT_TRUE(db->ReadersSeeTheSame());
    auto rs = db->OpenRecordset(QStringLiteral("SELECT WT, Flag FROM Main"));
    const QStringList criteria = {QStringLiteral("WT Like 'c*'"), QStringLiteral("Flag = -1"), QString()};
    CountJob<QVector<long long>> job = rs->CountMatchingJob(criteria, {QStringLiteral("WT"), QStringLiteral("Flag")});
    CountJob<long long> runs = db->CountTextRunsJob(QStringLiteral("SELECT WT FROM Main ORDER BY WT"), "wt");
    const std::function<DatabasePtr()> openReader = db->ReaderOpener();
    const auto onReader = std::async(std::launch::async, [&] {
                              DatabasePtr reader = openReader();
                              return std::make_pair(job(*reader), runs(*reader));
                          }).get();
    EXPECT_EQ(onReader.first, rs->CountMatching(criteria));
    EXPECT_EQ(onReader.first, (QVector<long long>{2, 1, 4}));
    EXPECT_EQ(onReader.second, 4);

    db->BeginTrans();
    EXPECT_FALSE(db->ReadersSeeTheSame());
    db->Rollback();
    db->ExecNative(QStringLiteral("BEGIN"));
    EXPECT_FALSE(db->ReadersSeeTheSame());
    db->ExecNative(QStringLiteral("ROLLBACK"));
    db->ExecNative(QStringLiteral("PRAGMA journal_mode=WAL"));
    EXPECT_FALSE(db->ReadersSeeTheSame());
    db->ExecNative(QStringLiteral("PRAGMA journal_mode=DELETE"));
    EXPECT_TRUE(db->ReadersSeeTheSame());

    ASSERT_TRUE(QFile::rename(m_path, path("moved.twl")));
    ASSERT_TRUE(QFile::copy(path("moved.twl"), m_path));
    EXPECT_FALSE(db->ReadersSeeTheSame()) << "the path names another file";
    EXPECT_EQ(openReader(), nullptr) << "a reader opened later would read another file";
}

// The mark changes with every change to the data or the tables, by this
// connection or another, and with nothing else.
TEST_F(DaoTest, TheChangeMarkFollowsEveryChange)
{
    const auto start = db->ChangeMark();
    db->QueryNative(QStringLiteral("SELECT count(*) FROM Main"));
    EXPECT_EQ(db->ChangeMark(), start);
    db->ExecNative(QStringLiteral("UPDATE Main SET Flag = 1 WHERE ID = 1"));
    const auto updated = db->ChangeMark();
    EXPECT_NE(updated, start);
    DBEngine::OpenDatabase(m_path)->ExecNative(QStringLiteral("UPDATE Main SET Flag = 2 WHERE ID = 1"));
    const auto other = db->ChangeMark();
    EXPECT_NE(other, updated);
    db->ExecNative(QStringLiteral("CREATE TABLE Later (ID INTEGER)"));
    EXPECT_NE(db->ChangeMark(), other);
}

// Runs of equal values along the set's order: a number and the same number
// of another type, texts differing in case, a text and the same bytes as a
// blob, and texts longer than any before all start runs of their own.
TEST_F(DaoTest, CountsRunsOfExactlyEqualValues)
{
    const QString longText = QString(300, QLatin1Char('x'));
    db->ExecNative(QStringLiteral("CREATE TABLE Runs (N INTEGER, V);"
                                  "INSERT INTO Runs VALUES (1, NULL), (2, NULL), (3, 1), (4, 1), (5, 1.0), (6, 'a'), "
                                  "(7, 'a'), (8, 'A'), (9, '%1'), (10, '%1'), (11, 'b'), (12, x'62'), (13, x'62'), "
                                  "(14, ''), (15, ''), (16, NULL), (17, 'a')")
                       .arg(longText));
    EXPECT_EQ(db->OpenRecordset(QStringLiteral("SELECT V FROM Runs ORDER BY N"))->CountRuns(QStringLiteral("V")), 11);
    EXPECT_EQ(db->OpenRecordset(QStringLiteral("SELECT V FROM Runs WHERE N < 0"))->CountRuns(QStringLiteral("V")), 0);
}

TEST_F(DaoTest, FilterOverOneTableStaysUpdatable)
{
    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM Main ORDER BY ID DESC"));
    rs->Filter = QStringLiteral("WT Like 'c*'");
    auto f = rs->OpenRecordset();
    ASSERT_TRUE(f->Updatable());
    ASSERT_EQ(f->RecordCount(), 2);
    EXPECT_EQ(f->Long("ID"), 4); // the order of the source holds
    f->Edit();
    f->SetField(QStringLiteral("AP"), QStringLiteral("155"));
    f->Update();
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE AP = '155' AND ID = 4")), 1);
    EXPECT_FALSE(f->OpenRecordset(RecordsetType::Snapshot)->Updatable());
}

TEST_F(DaoTest, DropsATableWhileARecordsetIsOpen)
{
    auto rs = db->OpenRecordset(QStringLiteral("FormsAll"));
    rs->MoveFirst(); // rows are read; nothing stays open
    db->DeleteTable(QStringLiteral("formsall"));
    EXPECT_FALSE(db->TableExists(QStringLiteral("FormsAll")));
    EXPECT_EQ(rs->Text("FormGreek"), QStringLiteral("gravfw"));
    EXPECT_EQ(errorNumber([&] { db->DeleteTable(QStringLiteral("FormsAll")); }), DaoError::ItemNotFound);
}

TEST_F(DaoTest, SecondConnectionWritesWhileTheFirstHoldsARecordset)
{
    auto rs = db->OpenRecordset(QStringLiteral("Main"));
    rs->MoveFirst();
    auto held = db->OpenRecordset(QStringLiteral("SELECT * FROM Main"));
    held->MoveLast();
    {
        auto second = DBEngine::OpenDatabase(m_path);
        second->Execute(QStringLiteral("UPDATE Main SET Main.English = 'written' WHERE ID = 1"));
        EXPECT_EQ(second->RecordsAffected(), 1);
        second->Close();
    }
    rs->Requery();
    EXPECT_EQ(rs->Text("English"), QStringLiteral("written"));
}

TEST_F(DaoTest, TableDefinitions)
{
    db->CreateTable(QStringLiteral("WrongIDs"), {{QStringLiteral("ID"), FieldType::Long},
                                                 {QStringLiteral("Answer"), FieldType::Text, 50},
                                                 {QStringLiteral("Done"), FieldType::Boolean},
                                                 {QStringLiteral("MadeDate"), FieldType::Date}});
    EXPECT_EQ(db->TableNames(), (QStringList{"Main", "FormsAll", "WrongIDs"}));
    EXPECT_TRUE(db->TableExists(QStringLiteral("wrongids")));
    EXPECT_EQ(db->FieldNames(QStringLiteral("WrongIDs")), (QStringList{"ID", "Answer", "Done", "MadeDate"}));
    EXPECT_EQ(errorNumber([&] { db->CreateTable(QStringLiteral("WrongIDs"), {{QStringLiteral("A")}}); }),
              DaoError::TableExists);
    EXPECT_EQ(errorNumber([&] { db->CreateTable(QStringLiteral("Empty"), {}); }), DaoError::NoFields);

    auto rs = db->OpenRecordset(QStringLiteral("WrongIDs"));
    rs->AddNew();
    rs->SetField(QStringLiteral("ID"), 3);
    rs->SetField(QStringLiteral("Answer"), QStringLiteral("Abc"));
    rs->SetField(QStringLiteral("Done"), true);
    rs->SetField(QStringLiteral("MadeDate"), QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    rs->Update();
    EXPECT_EQ(rs->Text("MadeDate"), QStringLiteral("2024-05-06T07:08:09"));
    EXPECT_EQ(rs->Long("Done"), -1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM WrongIDs WHERE Answer = 'aBC'")), 1); // NOCASE
    db->DeleteTable(QStringLiteral("WrongIDs"));
    EXPECT_EQ(errorNumber([&] { db->FieldNames(QStringLiteral("WrongIDs")); }), DaoError::ItemNotFound);
}

TEST_F(DaoTest, QueryDefinitions)
{
    db->CreateQueryDef(QStringLiteral("Verbs"), QStringLiteral("SELECT * FROM Main WHERE WT Like 'c*'"));
    EXPECT_EQ(db->QueryDefSql(QStringLiteral("verbs")), QStringLiteral("SELECT * FROM Main WHERE WT Like 'c*'"));
    auto rs = db->OpenRecordset(QStringLiteral("Verbs"));
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Source(), QStringLiteral("Verbs"));
    EXPECT_EQ(errorNumber([&] { db->CreateQueryDef(QStringLiteral("Verbs"), QStringLiteral("SELECT 1")); }),
              DaoError::ObjectExists);
    EXPECT_EQ(errorNumber([&] { db->CreateQueryDef(QStringLiteral("Bad"), QStringLiteral("SELECT A & B")); }),
              DaoError::UnsupportedJetSql);
    db->DeleteQueryDef(QStringLiteral("Verbs"));
    EXPECT_EQ(errorNumber([&] { db->QueryDefSql(QStringLiteral("Verbs")); }), DaoError::ItemNotFound);
}

TEST_F(DaoTest, TransactionsNestAndRollBack)
{
    db->BeginTrans();
    db->Execute(QStringLiteral("DELETE * FROM FormsAll"));
    db->BeginTrans();
    db->Execute(QStringLiteral("DELETE * FROM Main"));
    db->Rollback();
    db->CommitTrans();
    EXPECT_FALSE(db->InTransaction());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main")), 4);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM FormsAll")), 0);
    db->BeginTrans();
    db->Execute(QStringLiteral("DELETE * FROM Main"));
    db->Rollback();
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main")), 4);
    EXPECT_EQ(errorNumber([&] { db->CommitTrans(); }), DaoError::NoTransaction);
}

TEST_F(DaoTest, LikeOperatorFollowsJetOnEveryConnection)
{
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE WT LIKE 'c#'")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE WT LIKE 'cp#'")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT 'Λόγος' LIKE 'λΌΓ*'")), 1);
    EXPECT_TRUE(db->QueryNative(QStringLiteral("SELECT NULL LIKE 'a'"))[0][0].isNull());
    // now(): local date and time as ISO text, the form dates are stored in
    EXPECT_TRUE(db->QueryNative(QStringLiteral("SELECT now()"))[0][0].toString().startsWith(
        QDate::currentDate().toString(Qt::ISODate)));
    // a pattern that changes from row to row
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE 'c1' LIKE WT || '*'")), 1);
    auto second = DBEngine::OpenDatabase(m_path);
    EXPECT_EQ(second->QueryNative(QStringLiteral("SELECT count(*) FROM Main WHERE Greek LIKE '*V'"))[0][0].toInt(), 2);
}

TEST_F(DaoTest, CloseReleasesTheFileAlthoughRecordsetsHaveSearched)
{
    // Recordsets that searched their rows are still held (a list window's
    // rows, the exercise's data controls) when the database is closed for
    // compaction: the connection must really close, leaving no journal or
    // log that could meet the file that replaces this one.
    auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM Main ORDER BY ID"));
    rs->FindFirst(QStringLiteral("WT Like 'c*'"));
    rs->FindNext(QStringLiteral("WT Like 'c*'"));
    EXPECT_EQ(rs->Long("ID"), 4);
    auto table = db->OpenRecordset(QStringLiteral("Main"));
    table->MoveLast();
    table->FindLast(QStringLiteral("ID = 2"));
    db->Close();
    for (const char *side : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(QFile::exists(m_path + QLatin1String(side))) << side;
    EXPECT_EQ(errorNumber([&] { rs->FindNext(QStringLiteral("WT Like 'c*'")); }), DaoError::ObjectClosed);
    EXPECT_EQ(errorNumber([&] { table->FindFirst(QStringLiteral("ID = 1")); }), DaoError::ObjectClosed);
}

TEST_F(DaoTest, ClosedObjectsReportIt)
{
    auto rs = db->OpenRecordset(QStringLiteral("Main"));
    rs->Close();
    EXPECT_EQ(errorNumber([&] { rs->MoveFirst(); }), DaoError::ObjectClosed);
    db->Close();
    EXPECT_FALSE(db->IsOpen());
    EXPECT_EQ(errorNumber([&] { db->Execute(QStringLiteral("DELETE * FROM Main")); }), DaoError::ObjectClosed);
}

// QueryNative keeps the statements of its SELECTs for the next run of the
// same text: each run still reads the tables as they are then.
TEST_F(DaoTest, AQueryRunAgainReadsTheTablesAsTheyAreNow)
{
    const QString byId = QStringLiteral("SELECT * FROM Main WHERE ID = ?1");
    QStringList names;
    auto rows = db->QueryNative(byId, &names, {2});
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][2].toString(), QStringLiteral("write"));
    EXPECT_EQ(names.size(), 7);
    // Other parameters, and none (a parameter not given is Null).
    EXPECT_EQ(db->QueryNative(byId, nullptr, {4})[0][1].toString(), QStringLiteral("agapw"));
    EXPECT_TRUE(db->QueryNative(byId).isEmpty());

    db->Execute(QStringLiteral("UPDATE Main SET English = 'written' WHERE ID = 2"));
    EXPECT_EQ(db->QueryNative(byId, nullptr, {2})[0][2].toString(), QStringLiteral("written"));
    {
        auto second = DBEngine::OpenDatabase(m_path);
        second->Execute(QStringLiteral("UPDATE Main SET English = 'penned' WHERE ID = 2"));
        second->Close();
    }
    EXPECT_EQ(db->QueryNative(byId, nullptr, {2})[0][2].toString(), QStringLiteral("penned"));

    // A column added since: SELECT * reads it, and names it.
    db->ExecNative(QStringLiteral("ALTER TABLE Main ADD COLUMN Extra TEXT"));
    db->ExecNative(QStringLiteral("UPDATE Main SET Extra = 'new' WHERE ID = 2"));
    rows = db->QueryNative(byId, &names, {2});
    ASSERT_EQ(rows.size(), 1);
    ASSERT_EQ(names.size(), 8);
    EXPECT_EQ(names[7], QStringLiteral("Extra"));
    EXPECT_EQ(rows[0][7].toString(), QStringLiteral("new"));
    rows = db->QueryNative(QStringLiteral("SELECT * FROM Main WHERE ID = 99"), &names);
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_EQ(names.size(), 8);
}

TEST_F(DaoTest, KeptQueriesLetATableBeDroppedAndTheFileCompacted)
{
    const QString forms = QStringLiteral("SELECT FormGreek FROM FormsAll WHERE ID = ?1 ORDER BY KasPer");
    ASSERT_EQ(db->QueryNative(forms, nullptr, {2}).size(), 2);
    db->DeleteTable(QStringLiteral("FormsAll"));
    db->ExecNative(QStringLiteral("VACUUM"));
    // The query of a table dropped fails as on a connection that never ran it.
    auto fresh = DBEngine::OpenDatabase(m_path);
    const int expected = errorNumber([&] { fresh->QueryNative(forms, nullptr, {2}); });
    EXPECT_NE(expected, 0);
    EXPECT_EQ(errorNumber([&] { db->QueryNative(forms, nullptr, {2}); }), expected);
    // A table of that name made again is read.
    db->ExecNative(QStringLiteral("CREATE TABLE FormsAll (ID INTEGER, KasPer INTEGER, FormGreek TEXT)"));
    db->ExecNative(QStringLiteral("INSERT INTO FormsAll VALUES (2, 1, 'grafw')"));
    const auto rows = db->QueryNative(forms, nullptr, {2});
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][0].toString(), QStringLiteral("grafw"));
}

TEST_F(DaoTest, CloseLetsGoOfTheFileAfterQueriesWereKept)
{
    for (int id = 1; id <= 4; ++id)
        db->QueryNative(QStringLiteral("SELECT * FROM Main WHERE ID = ?1"), nullptr, {id});
    db->QueryNative(QStringLiteral("SELECT count(*) FROM FormsAll"));
    auto openHere = [&] {
        const QString file = QFileInfo(m_path).canonicalFilePath();
        const QDir fds(QStringLiteral("/proc/self/fd"));
        for (const QFileInfo &fd : fds.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
            if (fd.symLinkTarget() == file)
                return true;
        return false;
    };
    ASSERT_TRUE(openHere());
    db->Close();
    EXPECT_FALSE(openHere());
}

} // namespace
