// Everything that keeps the shared connection, or a recordset or data
// control opened on it, goes on with the word database file after each
// change of the file: a compaction (a new file at the path), a language
// added and deleted (tables made and dropped) and the gender fill-in. Each
// holder then reads what the file holds and writes into the file.

#include "ExerciseFixture.h"

#include "exercise/Exercise.h"
#include "exercise/rounds/WordDraw.h"
#include "exercise/rounds/WrongStore.h"
#include "platform/datactl/DataControl.h"
#include "store/AdminSubs.h"
#include "store/Settings.h"
#include "store/ThirdLanguages.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

#include <sys/stat.h>

using namespace tavtest;

namespace {

// A file's inode: a compaction puts a new file at the path.
quint64 Inode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? quint64(st.st_ino) : 0;
}

struct Holder {
    const char *name;
    // Takes its hold on the connection before the change of the file.
    std::function<void()> hold;
    // Reads the holder's value, written into the file by another connection
    // after the change (empty for a holder that only writes).
    std::function<QString()> read;
    // Writes a value through the holder.
    std::function<void(const QString &value)> write;
    // The value in the file, and how another connection puts one there.
    const char *fileValue;
    const char *setFileValue;
};

struct Change {
    const char *name;
    std::function<void()> run;
};

// The words the values are made of: holders of the wrong-answer store write
// word IDs.
constexpr long long kFirst = 1, kSecond = 2;

std::unique_ptr<datactl::DataControl> control;
dao::RecordsetPtr table, query;
dao::DatabasePtr kept;

QString FindEnglish(datactl::DataControl &c)
{
    c.Requery();
    if (!c.FindFirst(QStringLiteral("ID = %1").arg(kFirst)))
        return QStringLiteral("(no row)");
    return c.Recordset()->Text(QStringLiteral("English"));
}

QString FindEnglish(dao::Recordset &rs)
{
    rs.Requery();
    rs.FindFirst(QStringLiteral("ID = %1").arg(kFirst));
    return rs.NoMatch() ? QStringLiteral("(no row)") : rs.Text(QStringLiteral("English"));
}

void EditEnglish(dao::Recordset &rs, const QString &value)
{
    rs.FindFirst(QStringLiteral("ID = %1").arg(kFirst));
    rs.Edit();
    rs.SetField(QStringLiteral("English"), value);
    rs.Update();
}

const char *kEnglish = "SELECT English FROM Main WHERE ID = 1";
const char *kSetEnglish = "UPDATE Main SET English = ?1 WHERE ID = 1";

const Holder kHolders[] = {
    {"DataControl", [] {
         control = std::make_unique<datactl::DataControl>();
         control->Database = tav::WordDb;
         control->RecordSource = QStringLiteral("Main");
         control->Refresh();
     },
     [] { return FindEnglish(*control); },
     [](const QString &v) { EditEnglish(*control->Recordset(), v); }, kEnglish, kSetEnglish},
    {"TableRecordset", [] { table = tav::WordDb->OpenRecordset(QStringLiteral("Main")); },
     [] { return FindEnglish(*table); }, [](const QString &v) { EditEnglish(*table, v); }, kEnglish, kSetEnglish},
    {"QueryRecordset",
     [] { query = tav::WordDb->OpenRecordset(QStringLiteral("SELECT ID, English FROM Main WHERE ID < 10")); },
     [] { return FindEnglish(*query); }, [](const QString &v) { EditEnglish(*query, v); }, kEnglish, kSetEnglish},
    {"KeptConnection", [] { kept = tav::WordDb; },
     [] {
         return kept->QueryNative(QString::fromLatin1(kEnglish)).value(0).value(0).toString();
     },
     [](const QString &v) { kept->Execute(QStringLiteral("UPDATE Main SET English = %1 WHERE ID = 1").arg(dao::SqlText(v))); },
     kEnglish, kSetEnglish},
    {"WordDraw", [] { tav::MainWordIDs(); },
     [] { return QString::number(tav::MainWordIDs().count(1000002)); }, nullptr,
     "SELECT COUNT(*) FROM Main WHERE ID = 1000002",
     "INSERT INTO Main (ID, Greek, English) SELECT 1000002, 'kainouvrgio', ?1 WHERE ?1 <> '0'"},
    {"WrongAnswerStore", [] { tav::StoredWrongIDs(); },
     [] {
         const QVector<long long> ids = tav::StoredWrongIDs();
         return ids.isEmpty() ? QString() : QString::number(ids.last());
     },
     [](const QString &v) { tav::StoreWrongAnswer(v.toLongLong(), QDateTime::currentDateTime()); },
     "SELECT ID FROM WrongIDs ORDER BY rowid DESC LIMIT 1",
     "INSERT INTO WrongIDs (ID, MadeDate) VALUES (?1, '2026-01-01T00:00:00')"},
    {"Settings", [] {}, nullptr,
     [](const QString &v) {
         tav::OptNbrWrongs = v.toInt();
         tav::SaveNbrWrongs();
     },
     "SELECT nbrWrongs FROM Options", "UPDATE Options SET nbrWrongs = ?1"},
};

const Change kChanges[] = {
    {"Compaction", [] { EXPECT_TRUE(tav::CompactWordDatabase()); }},
    {"LanguageAddedAndDeleted",
     [] {
         tav::AddThirdLanguage(QStringLiteral("Fi"), QStringLiteral("tervetuloa"));
         tav::DeleteThirdLanguage(QStringLiteral("Fi"));
     }},
    {"GenderFillIn", [] { tav::SetGenderFromArticle(); }},
};

class WordDbHolders : public ExerciseStoreFixture,
                      public ::testing::WithParamInterface<std::tuple<int, int>> {
protected:
    void TearDown() override
    {
        control.reset();
        table.reset();
        query.reset();
        kept.reset();
        ExerciseStoreFixture::TearDown();
    }
    // The value in the file, through a connection of its own.
    QString FileValue(const char *sql) const { return db.Value(QString::fromLatin1(sql)).toString(); }
    void SetFileValue(const char *sql, const QString &value) const
    {
        dao::DatabasePtr other = db.Open();
        other->ExecNative(QString::fromLatin1(sql), {value});
        other->Close();
    }
};

} // namespace

TEST_P(WordDbHolders, ReadAndWriteReachTheFileAfterTheChange)
{
    const Holder &holder = kHolders[std::get<0>(GetParam())];
    const Change &change = kChanges[std::get<1>(GetParam())];
    const quint64 inodeBefore = Inode(db.Path());
    holder.hold();

    change.run();
    ASSERT_TRUE(messages.Prompts().isEmpty()) << messages.Prompts().join("\n").toStdString();
    if (QLatin1String(change.name) == QLatin1String("Compaction")) {
        ASSERT_NE(Inode(db.Path()), inodeBefore) << "the compaction put a new file at the path";
    }

    if (holder.read) {
        const QString value = holder.setFileValue == kSetEnglish ? QStringLiteral("read after") : QStringLiteral("1");
        SetFileValue(holder.setFileValue, value);
        EXPECT_EQ(holder.read(), value) << "the holder reads the file at the path";
    }
    if (holder.write) {
        const QString value = holder.setFileValue == kSetEnglish ? QStringLiteral("written after")
                                                                 : QString::number(kSecond);
        ASSERT_NO_THROW(holder.write(value));
        EXPECT_TRUE(messages.Prompts().isEmpty()) << messages.Prompts().join("\n").toStdString();
        EXPECT_EQ(FileValue(holder.fileValue), value) << "the write reached the file at the path";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryHolderAndChange, WordDbHolders,
                         ::testing::Combine(::testing::Range(0, int(std::size(kHolders))),
                                            ::testing::Range(0, int(std::size(kChanges)))),
                         [](const ::testing::TestParamInfo<std::tuple<int, int>> &info) {
                             return std::string(kHolders[std::get<0>(info.param)].name) + "After" +
                                    kChanges[std::get<1>(info.param)].name;
                         });

namespace {

class TypingAfterCompaction : public ExerciseWindowFixture {
protected:
    void Type(const QString &text)
    {
        ex->txtFields(2)->setText(text);
        QTest::keyClick(ex->txtFields(2), Qt::Key_Return);
    }
    QString Greek(long long id) const
    {
        return db.Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = %1").arg(id)).toString();
    }
};

} // namespace

// The typing exercise, started before a compaction, shows every word it
// asks after it, and stores only wrong answers to words it showed.
TEST_F(TypingAfterCompaction, EveryWordAskedIsTheWordShown)
{
    Open();
    ex->cmdReset_Click();
    Type(ex->txtFields(3)->text());
    ex->CmdEnter_Click();
    ASSERT_TRUE(tav::CompactWordDatabase()) << messages.Prompts().join("\n").toStdString();

    QList<long long> shown;
    for (int round = 0; round < 3; ++round) {
        const long long asked = tav::CurrentWordID;
        ASSERT_NE(asked, 0);
        EXPECT_EQ(ex->txtFields(1)->text(), Greek(asked)) << "round " << round;
        shown << asked;
        Type(QStringLiteral("certainly not this"));
        ex->CmdEnter_Click();
    }
    EXPECT_TRUE(messages.Prompts().isEmpty()) << messages.Prompts().join("\n").toStdString();
    QList<long long> stored;
    for (long long id : tav::StoredWrongIDs())
        stored << id;
    EXPECT_EQ(stored, shown);
}

// A drawn word the exercise's rows do not hold is not asked: the user is
// told, no answer is judged or stored against the empty fields, and Next
// draws again.
TEST_F(TypingAfterCompaction, AWordThatCannotBeShownIsNotJudged)
{
    Open();
    ex->cmdReset_Click();
    Type(ex->txtFields(3)->text());
    probe().DataCheck->SetRecordset(tav::WordDb->OpenRecordset(QStringLiteral("SELECT * FROM Main WHERE ID < 0")));
    ex->CmdEnter_Click();
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_TRUE(messages.Prompts().first().contains("cannot be shown: it is no longer in the word database"))
        << messages.Prompts().first().toStdString();
    EXPECT_FALSE(ex->txtFields(2)->isEnabled());
    EXPECT_TRUE(probe().CmdEnter->isEnabled());
    ex->Timer1_Timer();
    Type(QStringLiteral("certainly not this"));
    EXPECT_TRUE(tav::RepaIDs.isEmpty());
    EXPECT_TRUE(tav::StoredWrongIDs().isEmpty());

    probe().DataCheck->Refresh();
    ex->CmdEnter_Click();
    EXPECT_TRUE(ex->txtFields(2)->isEnabled());
    EXPECT_EQ(ex->txtFields(1)->text(), Greek(tav::CurrentWordID));
}
