// mkwordbase on small source folders: what it writes, and how a fault in
// the sources stops it with the file and line.

#include "DbQuery.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using tavtest::DbQuery;

namespace {

const char *kVerbs = "c1\tgravfw\tgravyw\tevgraya\tevgrafa\t-\t-\t-\t-\t-\twrite\tskriva\n";
const char *kNouns = "# a comment\n\nh\tmevra\tmevraV\tmevreV\tmerwvn\tday\tdag\n";
const char *kAdjectives = "kalovV\tkalhv\tkalov\tgood, kind\tbra, god, snäll\n";
const char *kOthers = "ad\t-\tkalav\twell\tbra\tremark\n";

class Builder : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString output;
    QString errors;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath("words");
        QFile::copy(QStringLiteral(TAV_SOURCE_DIR "/data/schema.sql"), dir.filePath("schema.sql"));
        Write("words/verbs.tsv", kVerbs);
        Write("words/nouns.tsv", kNouns);
        Write("words/adjectives.tsv", kAdjectives);
        Write("words/others.tsv", kOthers);
        output = dir.filePath("out.twl");
    }

    void Write(const QString &name, const QByteArray &text)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    int Run()
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TAV_MKWORDBASE), {dir.path(), output});
        if (!p.waitForFinished(60000))
            return -1;
        errors = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    }

    void ExpectFailure(const QString &where, const QString &message)
    {
        EXPECT_NE(Run(), 0);
        EXPECT_TRUE(errors.contains(where)) << errors.toStdString();
        EXPECT_TRUE(errors.contains(message)) << errors.toStdString();
        EXPECT_FALSE(QFile::exists(output)) << "no database after a fault";
        EXPECT_FALSE(QFile::exists(output + ".part"));
    }
};

} // namespace

TEST_F(Builder, WritesEveryKindOfWordInAlphabeticalIdOrder)
{
    ASSERT_EQ(Run(), 0) << errors.toStdString();
    DbQuery db(output);
    // gravfw, kalav, kalovV, mevra by the Greek alphabet.
    EXPECT_EQ(db.Column("SELECT Greek FROM Main ORDER BY ID"), QVariantList({"gravfw", "kalav", "kalovV", "mevra"}));
    EXPECT_EQ(db.Rows("SELECT Art, WT, Genus, Emeans, Remarks FROM Main WHERE Greek = 'mevra'").front(),
              QVariantList({"h", "af", 1, 1, QVariant()}));
    EXPECT_EQ(db.Value("SELECT Remarks FROM Main WHERE Greek = 'kalav'").toString(), "remark");
    EXPECT_EQ(db.Value("SELECT English FROM Main WHERE Greek = 'kalovV'").toString(), "good, kind");
    EXPECT_EQ(db.Value("SELECT Means FROM GreekSwedish WHERE Greek = 'kalovV'").toString(), "3");
    EXPECT_EQ(db.Value("SELECT sFAck FROM Klino WHERE Greek = 'mevra'").toString(), "mevra");
    EXPECT_EQ(db.Value("SELECT P1a FROM KonT2 WHERE Greek = 'gravfw'").toString(), "gravyame");
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM KonT1 WHERE Greek = 'gravfw' AND S1p IS NULL"), 1);
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM Main WHERE Greek = 'gravfw' AND AP = 'gravfw' AND PP IS NULL"), 1);
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM LangCaps"), 0) << "no langcaps.tsv: no captions";
}

TEST_F(Builder, WordsOfAnAddedFileTakeTheIdsAfterEveryOtherWord)
{
    Write("words/nouns-added.tsv", "# later\nh\tagavph\tagavphV\tagavpeV\tagapwvn\tlove\tkärlek\n");
    Write("words/others-added.tsv", "ad\t-\tbebaivwV\tcertainly\tsäkert\n");
    ASSERT_EQ(Run(), 0) << errors.toStdString();
    DbQuery db(output);
    EXPECT_EQ(db.Column("SELECT Greek FROM Main ORDER BY ID"),
              QVariantList({"gravfw", "kalav", "kalovV", "mevra", "agavph", "bebaivwV"}));
    EXPECT_EQ(db.Value("SELECT ID FROM Klino WHERE Greek = 'agavph'").toInt(), 5) << "its forms follow its ID";
}

TEST_F(Builder, PartFilesReplaceStarterWords)
{
    Write("words/verbs-core.tsv", "c1\tgravfw\tgravyw\tevgraya\tevgrafa\t-\t-\t-\t-\t-\twrite, note\tskriva\n"
                                  "cA\tevcw\t-\t-\teivca\t-\t-\t-\t-\t-\thave\tha\n");
    ASSERT_EQ(Run(), 0) << errors.toStdString();
    DbQuery db(output);
    EXPECT_EQ(db.Column("SELECT English FROM Main WHERE Greek = 'gravfw'"), QVariantList({"write, note"}));
    EXPECT_EQ(db.Value("SELECT AP FROM Main WHERE Greek = 'evcw'").toString(), "154");
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM KonT2 WHERE Greek = 'evcw'"), 0) << "no aorist, no row";

    // Two part files giving one word is a fault; so is an auxiliary not named "have".
    Write("words/verbs-more.tsv", "c1\tgravfw\tgravyw\tevgraya\tevgrafa\t-\t-\t-\t-\t-\twrite\tskriva\n");
    ExpectFailure("verbs-more.tsv:1", "already at");
    QFile::remove(dir.filePath("words/verbs-more.tsv"));
    Write("words/verbs-core.tsv", "cA\tevcw\t-\t-\teivca\t-\t-\t-\t-\t-\thave, own\tha\n");
    ExpectFailure("verbs-core.tsv:1", "\"have\"");
}

TEST_F(Builder, PluralOnlyNounsTakeTheirGendersColumns)
{
    Write("words/nouns-more.tsv", "oi/h\tdiakopevV\t-\tdiakopevV\tdiakopwvn\tholidays\tsemester\n"
                                  "ta\tgenevqlia\t-\tgenevqlia\tgeneqlivwn\tbirthday\tfödelsedag\n");
    ASSERT_EQ(Run(), 0) << errors.toStdString();
    DbQuery db(output);
    // The noun view shows the feminine article beside it: tiV diakopevV.
    EXPECT_EQ(db.Rows("SELECT Art, WT, Genus FROM Main WHERE Greek = 'diakopevV'").front(),
              QVariantList({"oi", "af", 1}));
    EXPECT_EQ(db.Rows("SELECT sFNom, pFNom, pFAck, pFGen, pMAck FROM Klino WHERE Greek = 'diakopevV'").front(),
              QVariantList({QVariant(), "diakopevV", "diakopevV", "diakopwvn", QVariant()}));
    EXPECT_EQ(db.Rows("SELECT Art, WT, Genus FROM Main WHERE Greek = 'genevqlia'").front(),
              QVariantList({"ta", "an", 2}));
    EXPECT_EQ(db.Value("SELECT pNAck FROM Klino WHERE Greek = 'genevqlia'").toString(), "genevqlia");
}

TEST_F(Builder, OverridesReplaceOrEmptyForms)
{
    Write("words/forms-override.tsv", "gravfw\tKonT1\tS1a\tgravfw\ngravfw\tIMPER\tSiContAct\t-\n");
    ASSERT_EQ(Run(), 0) << errors.toStdString();
    DbQuery db(output);
    EXPECT_TRUE(db.Value("SELECT SiContAct FROM IMPER WHERE Greek = 'gravfw'").isNull());
    EXPECT_EQ(db.Count("SELECT COUNT(*) FROM FormsAll WHERE KasPer = 'SiContAct'"), 0);
}

TEST_F(Builder, CaptionsAreReadWhenPresent)
{
    Write("langcaps.tsv", "# captions\n1079\tFile\n1080\tIt's \"quoted\"\n");
    ASSERT_EQ(Run(), 0) << errors.toStdString();
    DbQuery db(output);
    EXPECT_EQ(db.Value("SELECT English FROM LangCaps WHERE [Index] = 1080").toString(), "It's \"quoted\"");
    Write("langcaps.tsv", "1079\tFile\n1079\tAgain\n");
    ExpectFailure("langcaps.tsv:2", "given twice");
}

TEST_F(Builder, FaultsStopTheBuildWithFileAndLine)
{
    Write("words/verbs.tsv", QByteArray(kVerbs) + "c9\tkavnw\tkavnw\tevkana\tevkana\t-\t-\t-\t-\t-\tdo\tgöra\n");
    ExpectFailure("verbs.tsv:2", "unknown verb class \"c9\"");
    Write("words/verbs.tsv", kVerbs);

    Write("words/nouns.tsv", QByteArray(kNouns) + "h\tmevra\tmevraV\tmevreV\n");
    ExpectFailure("nouns.tsv:4", "TAB-separated columns");
    Write("words/nouns.tsv", QByteArray(kNouns) + "h\tmevraj\tmevraV\tmevreV\tmerwvn\tday\tdag\n");
    ExpectFailure("nouns.tsv:4", "'j' is not a key");
    Write("words/nouns.tsv", QByteArray(kNouns) + "h\tmevras\tmevraV\tmevreV\tmerwvn\tday\tdag\n");
    ExpectFailure("nouns.tsv:4", "final sigma");
    Write("words/nouns.tsv", QByteArray(kNouns) + "x\tmevra\tmevraV\tmevreV\tmerwvn\tday\tdag\n");
    ExpectFailure("nouns.tsv:4", "unknown article");
    Write("words/nouns.tsv", QByteArray(kNouns) + "h\tmevra\tmevraV\tmevreV\tmerwvn\tday\tdag\n");
    ExpectFailure("nouns.tsv:4", "already at");
    Write("words/nouns.tsv", "h\tmevra\tmevraV\tmevreV\tmerwvn\tday\t ,\n");
    ExpectFailure("nouns.tsv:1", "no Swedish meaning");
    Write("words/nouns.tsv", kNouns);

    Write("words/adjectives.tsv", "poluvV\tpollhv\tpoluv\tmuch\tmycket\n");
    ExpectFailure("adjectives.tsv:1", "no declension rule");
    Write("words/adjectives.tsv", kAdjectives);

    Write("words/verbs.tsv", "c1\tgravfw\tgravyw\tevgrayo\t-\t-\t-\t-\t-\t-\twrite\tskriva\n");
    ExpectFailure("verbs.tsv:1", "ends in -a");
    Write("words/verbs.tsv", "cp1\tevrcomai\tevrqw\t-\t-\t-\t-\t-\t-\t-\tcome\tkomma\n");
    ExpectFailure("verbs.tsv:1", "has no active forms");
    Write("words/verbs.tsv", kVerbs);

    Write("words/forms-override.tsv", "gravfw\tKonT9\tS1a\tx\n");
    ExpectFailure("forms-override.tsv:1", "unknown table");
    Write("words/forms-override.tsv", "mevra\tKlino\tsMNom\tmevraV\n");
    ExpectFailure("forms-override.tsv:1", "only the F columns");
    Write("words/forms-override.tsv", "blevpw\tKonT1\tS1a\tblevpw\n");
    ExpectFailure("forms-override.tsv:1", "no verb blevpw");

    QFile::remove(dir.filePath("words/others.tsv"));
    ExpectFailure("others.tsv", "missing word source");
}
