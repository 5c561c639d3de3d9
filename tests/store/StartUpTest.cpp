#include "store/StartUp.h"

#include "StoreFixture.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"
#include "store/WordFileGuard.h"

#include <QCryptographicHash>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

using namespace tav;
using tavtest::RecordingLink;
using tavtest::TestDb;

namespace {

QByteArray FileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Start-up on a database that something is wrong with: each case must give
// one message naming the file and the cause, status 1, no main window, and
// leave the file as it was.
class BrokenStart : public ::testing::Test {
protected:
    void SetUp() override { m_cwd = QDir::currentPath(); }
    void TearDown() override
    {
        tav::ResetSharedState();
        QDir::setCurrent(m_cwd);
    }

    void Break(const QString &nativeSql)
    {
        auto conn = db.Open();
        conn->ExecNative(nativeSql);
        conn->Close();
    }

    void ExpectRefused(const QString &cause)
    {
        const QByteArray before = FileHash(db.Path());
        EXPECT_EQ(SubMain(db.Folder()), 1);
        // One notice, handed to the window side once the splash is gone.
        EXPECT_EQ(link.calls, QStringList({"ShowSplash", "UnloadSplash", "TellAtStart"}));
        ASSERT_EQ(link.notices.size(), 1);
        const QString prompt = link.notices.first().Prompt;
        // The file once, the cause in plain words.
        EXPECT_EQ(prompt.count(db.Path()), 1) << prompt.toStdString();
        EXPECT_TRUE(prompt.contains(cause)) << prompt.toStdString();
        EXPECT_EQ(link.notices.first().Style, winsys::vbCritical);
        EXPECT_EQ(link.notices.first().Title, winsys::AppTitle);
        EXPECT_EQ(WordDb, nullptr);
        if (!before.isEmpty()) {
            EXPECT_EQ(FileHash(db.Path()), before); // nothing written
        }
    }

    TestDb db;
    RecordingLink link;
    winsys::ScriptedMessages messages;
    QString m_cwd;
};

} // namespace

TEST_F(BrokenStart, MissingFileIsReportedAndNotCreated)
{
    QFile::remove(db.Path());
    ExpectRefused("does not exist");
    EXPECT_FALSE(QFile::exists(db.Path()));
}

TEST_F(BrokenStart, FileThatIsNoDatabase)
{
    QFile::remove(db.Path());
    QFile f(db.Path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    ExpectRefused("not a database at all (perhaps a text file");
}

TEST_F(BrokenStart, NoOptionsTable)
{
    Break("DROP TABLE Options");
    ExpectRefused("not a word database of Tavrinel: it holds no settings. It was left as it was.");
}

TEST_F(BrokenStart, NoSettingsRow)
{
    Break("DELETE FROM Options");
    ExpectRefused("Its settings are missing");
}

TEST_F(BrokenStart, NoMainTable)
{
    Break("DROP TABLE Main");
    ExpectRefused("not a word database of Tavrinel: it holds no word list. It was left as it was.");
}

TEST_F(BrokenStart, MissingThirdLanguageTablesStopTheStartWithTheCause)
{
    Break("UPDATE Options SET [3rdLang] = 'Klingon'");
    ExpectRefused("AllKlingonGreek");
}

namespace {

// A step of the start that the engine fails in, and what the message says.
struct FailingStep {
    const char *name;
    const char *breakSql; // run on the file before the start
    bool lockedByAnotherWriter; // another connection holds the file for a write
    const char *step;     // the step, in words
    const char *engine;   // from the engine's own message
};

void PrintTo(const FailingStep &step, std::ostream *out) { *out << step.name; }

class BrokenStep : public BrokenStart, public ::testing::WithParamInterface<FailingStep> {};

} // namespace

// Each step of the start that reads the file names itself when the engine
// fails in it, with the engine's own words; it is not told as some other
// step's failure.
TEST_P(BrokenStep, IsNamedWithTheEnginesMessage)
{
    const FailingStep &c = GetParam();
    if (*c.breakSql)
        Break(QString::fromUtf8(c.breakSql));
    dao::DatabasePtr writer;
    if (c.lockedByAnotherWriter) {
        writer = db.Open();
        writer->ExecNative("BEGIN EXCLUSIVE");
    }
    ExpectRefused(QString::fromUtf8(c.step) + " (");
    ASSERT_FALSE(link.notices.isEmpty());
    const QString prompt = link.notices.first().Prompt;
    EXPECT_TRUE(prompt.contains(QString::fromUtf8(c.engine))) << prompt.toStdString();
    EXPECT_TRUE(prompt.endsWith("). It was left as it was.")) << prompt.toStdString();
    if (writer) {
        writer->ExecNative("ROLLBACK");
        writer->Close();
    }
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, BrokenStep,
    ::testing::Values(
        FailingStep{"OpenWhileAnotherProgramWrites", "", true, "It cannot be opened", "database is locked"},
        FailingStep{"SettingsOfTheWrongType", "UPDATE Options SET nbrRepeats = 'many'", false,
                    "Its settings cannot be read", "\"many\""},
        FailingStep{"AuxiliaryVerbColumnMissing", "ALTER TABLE Main RENAME COLUMN AP TO APx", false,
                    "Its words cannot be searched for the auxiliary verb \"have\"", "AP"},
        FailingStep{"ThirdLanguageTablesMissing", "UPDATE Options SET [3rdLang] = 'Klingon'", false,
                    "Its words and their meanings cannot be counted", "AllKlingonGreek"}),
    [](const ::testing::TestParamInfo<FailingStep> &info) { return std::string(info.param.name); });

namespace {

// Copies a file and gives the copy the permissions perms; false on failure.
bool CopyWith(const QString &from, const QString &to, QFile::Permissions perms)
{
    return QFile::copy(from, to) && QFile::setPermissions(to, perms);
}

// Runs the current test again in a child process as the user nobody, for
// file permissions do not bind the superuser; true when it passed there.
// The build tree may sit in a folder nobody cannot enter (a checkout in
// /root), so the child runs from a temporary folder of its own that holds a
// copy of this test program, of the fresh database and of the leak
// suppressions.
bool PassesAsOrdinaryUser(std::string &output, const QProcessEnvironment &extra = {})
{
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QTemporaryDir place;
    const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto runnable = readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const QString program = place.filePath(QStringLiteral("StartUpChild"));
    const QString fresh = place.filePath(QStringLiteral("TavWrd.twl"));
    if (!place.isValid() || !QFile::setPermissions(place.path(), runnable | QFile::WriteOwner)
        || !CopyWith(QCoreApplication::applicationFilePath(), program, runnable)
        || !CopyWith(TestDb::FreshDbPath(), fresh, readable)) {
        output = "cannot prepare a folder for the user nobody in " + place.path().toStdString();
        return false;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TAV_TEST_FRESH_DB"), fresh);
    env.insert(extra);
    // The leak checker stops a program whose suppressions file it cannot read.
    QString lsan = env.value(QStringLiteral("LSAN_OPTIONS"));
    static const QRegularExpression suppressions(QStringLiteral("suppressions=([^:]*)"));
    const QRegularExpressionMatch m = suppressions.match(lsan);
    if (m.hasMatch()) {
        const QString copy = place.filePath(QStringLiteral("lsan.supp"));
        if (!CopyWith(m.captured(1), copy, readable)) {
            output = "cannot copy the leak suppressions " + m.captured(1).toStdString();
            return false;
        }
        lsan.replace(m.capturedStart(1), m.capturedLength(1), copy);
        env.insert(QStringLiteral("LSAN_OPTIONS"), lsan);
    }
    QProcess child;
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(place.path());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
                 program,
                 QStringLiteral("--gtest_filter=%1.%2").arg(QLatin1String(test->test_suite_name()),
                                                            QLatin1String(test->name()))});
    const bool finished = child.waitForFinished(120000);
    output = child.readAll().toStdString();
    return finished && child.exitCode() == 0 && output.find("[  PASSED  ] 1 test") != std::string::npos;
}

} // namespace

TEST_F(BrokenStart, AReadOnlyFileIsReportedAndLeftAlone)
{
    if (geteuid() == 0) {
        std::string output;
        EXPECT_TRUE(PassesAsOrdinaryUser(output)) << output;
        return;
    }
    QFile::setPermissions(db.Path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ExpectRefused("The file is read-only, and Tavrinel needs to write to it.");
    EXPECT_FALSE(QFile::exists(db.Path() + QStringLiteral("-wal")));
    EXPECT_FALSE(QFile::exists(db.Path() + QStringLiteral("-shm")));

    // A writable file in a folder that is not.
    messages.Clear();
    link.Clear();
    QFile::setPermissions(db.Path(), QFile::ReadOwner | QFile::WriteOwner);
    QFile::setPermissions(db.Folder(), QFile::ReadOwner | QFile::ExeOwner);
    ExpectRefused("Its folder is read-only");
    QFile::setPermissions(db.Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

namespace {

// A link of a run without the main window (a tool): it keeps the store's
// start-up messages as they are.
class WindowlessLink : public MainWindowLink {
public:
    WindowlessLink() { SetLink(this); }
    ~WindowlessLink() override { SetLink(nullptr); }
    void SetPanelText(int, const QString &) override {}
    QString PanelText(int) const override { return {}; }
};

QStringList g_warnings;

} // namespace

// Without a window there is nobody to show a box to: the start-up's message
// and its question go to stderr, the question gets the answer that changes
// nothing (Cancel: the lock is kept), and no message box is raised.
TEST(StartUpWithoutAWindow, TellsOnStderrAndTakesTheSafeAnswer)
{
    struct Case {
        const char *name;
        bool lockedElsewhere; // else the file is missing
        const char *says;
    };
    const QString cwd = QDir::currentPath();
    for (const Case &c : {Case{"no word database", false, "cannot start"},
                          Case{"a lock from another computer", true, "cannot check whether it still runs there"}}) {
        SCOPED_TRACE(c.name);
        TestDb db;
        const QString lockPath = WordFileLockPath(db.Path());
        if (c.lockedElsewhere) {
            QFile lock(lockPath);
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
            lock.write("4242\nTavrinel\nlaptop-at-home\n");
        } else {
            ASSERT_TRUE(QFile::remove(db.Path()));
        }
        const QByteArray lockBefore = FileHash(lockPath);
        winsys::ScriptedMessages messages;
        messages.Answer(winsys::vbOK); // what a box, were one shown, would answer
        WindowlessLink link;
        g_warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &, const QString &text) {
                if (type == QtWarningMsg)
                    g_warnings << text;
            });
        const int started = SubMain(db.Folder());
        qInstallMessageHandler(previous);

        EXPECT_EQ(started, 1);
        EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join("|").toStdString();
        ASSERT_EQ(g_warnings.size(), 1) << g_warnings.join("|").toStdString();
        EXPECT_TRUE(g_warnings.first().contains(QString::fromLatin1(c.says))) << g_warnings.first().toStdString();
        EXPECT_EQ(FileHash(lockPath), lockBefore) << "a lock that cannot be checked is kept";
        ResetSharedState();
        QDir::setCurrent(cwd);
    }
}

class StartUp : public tavtest::StoreTest {};

TEST_F(StartUp, LoadsTheSettingsRowAndFindsHave)
{
    EXPECT_EQ(DbPath, db.Folder() + "/TavWrd.twl");
    EXPECT_EQ(CapsLanguage, "English");
    EXPECT_EQ(SearchLang, 4);
    EXPECT_EQ(QDir::currentPath(), QDir(db.Folder()).canonicalPath());
    EXPECT_TRUE(messages.Messages().isEmpty());

    EXPECT_EQ(OptNbrRepeats, FileValue("SELECT nbrRepeats FROM Options").toInt());
    EXPECT_EQ(OptNbrWrongs, FileValue("SELECT nbrWrongs FROM Options").toInt());
    EXPECT_EQ(OptNbrScribble, FileValue("SELECT nbrScribble FROM Options").toInt());
    EXPECT_EQ(Opt3rdLang, FileValue("SELECT [3rdLang] FROM Options").toString());
    EXPECT_EQ(OptBoChecka, FileValue("SELECT BoChecka FROM Options").toInt() != 0);
    EXPECT_EQ(Opt2ndScribble, FileValue("SELECT [2ndScribble] FROM Options").toString());
    EXPECT_EQ(OptNbrRima, FileValue("SELECT nbrRima FROM Options").toInt());
    EXPECT_EQ(Opt2ndTavrinel, FileValue("SELECT [2ndTavrinel] FROM Options").toString());
    EXPECT_EQ(OptBoHide3, FileValue("SELECT boHide3 FROM Options").toInt() != 0);

    const QVariant have = FileValue("SELECT ID FROM Main WHERE English = 'have' AND WT = 'cA'");
    ASSERT_TRUE(have.isValid());
    EXPECT_EQ(HaveID, have.toLongLong());
    EXPECT_GT(HaveID, 0);
    EXPECT_TRUE(SqlHaveKonT1.endsWith(" = " + QString::number(HaveID)));
    EXPECT_EQ(CountRecords(SqlHaveKonT1), 1); // the auxiliary's present is there

    const long long words = FileValue("SELECT Count(*) FROM Main").toLongLong();
    EXPECT_EQ(MainCount, words);
    EXPECT_EQ(PickedWords.size(), words + 1);
    EXPECT_EQ(PickedVerbs.size(), words + 1);
    EXPECT_EQ(PickedWords.count(0), words + 1);
}

TEST(StartUpOrder, SplashThenMainWithoutRebuildingTheTree)
{
    TestDb db;
    RecordingLink link;
    winsys::ScriptedMessages messages;
    const QString cwd = QDir::currentPath();
    ASSERT_EQ(SubMain(db.Folder()), 0);
    EXPECT_EQ(link.calls, QStringList({"ShowSplash", "ShowMain", "UnloadSplash"}));
    EXPECT_TRUE(StartingUp); // cleared by the main window's Load, not here
    tav::ResetSharedState();
    QDir::setCurrent(cwd);
}

TEST(StartUpOrder, WithoutTheAuxiliaryVerbHaveIdIsZero)
{
    TestDb db;
    {
        auto conn = db.Open();
        conn->ExecNative("UPDATE Main SET English = 'own' WHERE WT = 'cA'");
        conn->Close();
    }
    RecordingLink link;
    winsys::ScriptedMessages messages;
    const QString cwd = QDir::currentPath();
    ASSERT_EQ(SubMain(db.Folder()), 0);
    EXPECT_EQ(HaveID, 0);
    EXPECT_TRUE(SqlHaveKonT1.endsWith("WHERE ID  = 0"));
    EXPECT_TRUE(SqlHaveKonT3.endsWith("WHERE ID  = 0"));
    EXPECT_EQ(CountRecords(SqlHaveKonT1), 0);
    EXPECT_TRUE(messages.Messages().isEmpty());
    tav::ResetSharedState();
    QDir::setCurrent(cwd);
}

TEST(StartUpOrder, GreekFontSizeFollowsTheDesktop)
{
    TestDb db;
    RecordingLink link;
    winsys::ScriptedMessages messages;
    const QString cwd = QDir::currentPath();
    link.desktop = QSize(800, 600);
    ASSERT_EQ(SubMain(db.Folder()), 0);
    EXPECT_EQ(GreekFontSize, 11);
    tav::ResetSharedState();
    link.desktop = QSize(640, 480);
    ASSERT_EQ(SubMain(db.Folder()), 0);
    EXPECT_EQ(GreekFontSize, 14);
    tav::ResetSharedState();
    QDir::setCurrent(cwd);
}

// Another user's lock in a shared folder with the sticky bit (as /tmp): the
// question names its holder; OK cannot take it over there, since only the
// lock's owner may remove it: the start says so and who can, and leaves the
// lock as it is.
TEST_F(BrokenStart, AnotherUsersLockInAStickyFolderSaysWhoCanRemoveIt)
{
    if (geteuid() == 0) {
        // The superuser lays out the shared folder: the word database anyone
        // may write, and the lock of the superuser's running program.
        QTemporaryDir shared;
        ASSERT_TRUE(shared.isValid());
        ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
        const QString file = shared.filePath(QStringLiteral("TavWrd.twl"));
        ASSERT_TRUE(CopyWith(TestDb::FreshDbPath(), file,
                             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                                 QFile::ReadOther | QFile::WriteOther));
        QProcess program;
        program.start(QStringLiteral("sleep"), {QStringLiteral("600")});
        ASSERT_TRUE(program.waitForStarted());
        QFile lock(file + QStringLiteral("-lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(program.processId()) + "\nsleep\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QProcessEnvironment extra;
        extra.insert(QStringLiteral("TAV_TEST_SHARED_FOLDER"), shared.path());
        std::string output;
        EXPECT_TRUE(PassesAsOrdinaryUser(output, extra)) << output;
        program.kill();
        program.waitForFinished();
        return;
    }
    const QString folder = qEnvironmentVariable("TAV_TEST_SHARED_FOLDER");
    if (folder.isEmpty())
        GTEST_SKIP() << "run by the superuser, which lays out the shared folder";
    const QString lockPath = folder + QStringLiteral("/TavWrd.twl-lock");
    const QByteArray lockBefore = FileHash(lockPath);
    messages.Answer(winsys::vbOK);
    EXPECT_EQ(SubMain(folder), 1);
    ASSERT_EQ(messages.Messages().size(), 2) << messages.Prompts().join("\n").toStdString();
    EXPECT_TRUE(messages.Prompts().at(0).contains(QStringLiteral("started by the user \"root\"")))
        << messages.Prompts().at(0).toStdString();
    const QString said = messages.Prompts().at(1);
    EXPECT_TRUE(said.contains(lockPath)) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("belongs to the user \"root\" and cannot be removed by you: in this "
                                             "folder only a file's owner may remove it.")))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("The user \"root\" or an administrator can remove it")))
        << said.toStdString();
    EXPECT_EQ(FileHash(lockPath), lockBefore) << "the lock stays as it was";
    EXPECT_EQ(WordDb, nullptr);
}
