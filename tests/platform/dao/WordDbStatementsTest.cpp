// Every SQL text, filter and find criterion the program builds, run through
// the database layer on a private copy of the built word database, with the
// blanks exactly as the program joins them and realistic values put in.
// Where a native SQLite query can say it independently (GLOB over lower()
// for Jet's case-blind Like, plain counts for the joins), the layer's rows
// and changes are compared with it, so each statement is checked to mean
// what Jet makes of it, not merely to run.
#include "DaoTestHelpers.h"
#include "platform/dao/Dao.h"
#include "platform/dao/JetSql.h"
#include "support/TestDb.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace dao;
using daotest::errorNumber;

namespace {

// The shared list queries and lookup prefixes for the third language Swedish.
const QString SqlMain = QStringLiteral("SELECT Main.Sal,Main.ID,Main.WT,Main.Art,Main.Greek,Main.English FROM Main ");
const QString SqlMainGenus =
    QStringLiteral("SELECT Main.Sal,Main.ID,Main.Genus,Main.Art,Main.Greek,Main.English FROM Main ");
const QString SqlLang3 = QStringLiteral(
    "SELECT Main.Sal,Main.ID,Main.WT,Main.Art,Main.Greek,Main.English,GreekSwedish.Lat AS Swedish "
    "FROM Main INNER JOIN GreekSwedish ON Main.ID = GreekSwedish.ID");
const QString SqlLang3Genus = QStringLiteral(
    "SELECT Main.Sal,Main.ID,Main.Genus,Main.Art,Main.Greek,Main.English,GreekSwedish.Lat AS Swedish "
    "FROM Main INNER JOIN GreekSwedish ON Main.ID = GreekSwedish.ID");
const QString SqlAllEnglish = QStringLiteral(
    "SELECT AllEnglishGreek.Sal,AllEnglishGreek.ID,AllEnglishGreek.Lat,AllEnglishGreek.Art,AllEnglishGreek.Greek "
    "FROM AllEnglishGreek");
const QString SqlAllLang3 = QStringLiteral(
    "SELECT AllSwedishGreek.Sal,AllSwedishGreek.ID,AllSwedishGreek.Lat,AllSwedishGreek.Art,AllSwedishGreek.Greek "
    "FROM AllSwedishGreek");
const QString FormSearch = QStringLiteral(
    " SELECT FormsAll.GenTem,FormsAll.ID,FormsAll.KasPer,FormsAll.FormGreek  FROM FormsAll WHERE FormGreek  Like'");

// Native counterparts: the same rows in SQLite's own terms.
const QString NativeJoin = QStringLiteral("FROM Main JOIN GreekSwedish ON Main.ID = GreekSwedish.ID");

constexpr long long HaveID = 487; // evcw, "have"
constexpr long long Verb = 1;     // agapavw: rows in KonT1..KonT4, IMPER, KlinoMenos
constexpr long long Noun = 2;     // h agavph: a Klino row, feminine
constexpr long long MascNoun = 4; // o avggeloV

QString Q(const char *s) { return QString::fromUtf8(s); }

class WordDbStatements : public ::testing::Test {
protected:
    long long count(const QString &nativeSql) { return db->QueryNative(nativeSql).value(0).value(0).toLongLong(); }
    QVariant value(const QString &nativeSql) { return db->QueryNative(nativeSql).value(0).value(0); }

    tavtest::TestDb copy;
    DatabasePtr db = copy.Open();
};

struct SelectCase {
    QString jet;         // as the program builds it
    QString nativeCount; // the number of rows Jet would give
    int fields;          // the fields it reads by position
};

TEST_F(WordDbStatements, SelectsReadTheRowsJetWouldRead)
{
    const auto Lk = [](const char *pattern) { return FormSearch + Q(pattern) + QLatin1Char('\''); };
    const QString formsWhere = QStringLiteral("SELECT count(*) FROM FormsAll WHERE ");
    const SelectCase cases[] = {
        // List queries of the windows, the tree's counts and the exercise.
        {SqlMain, "SELECT count(*) FROM Main", 6},
        {SqlMainGenus, "SELECT count(*) FROM Main", 6},
        {SqlLang3, "SELECT count(*) " + NativeJoin, 7},
        {SqlLang3Genus, "SELECT count(*) " + NativeJoin, 7},
        {SqlAllEnglish, "SELECT count(*) FROM AllEnglishGreek", 5},
        {SqlAllLang3, "SELECT count(*) FROM AllSwedishGreek", 5},
        {SqlAllEnglish + " WHERE Lat Like'a*'", "SELECT count(*) FROM AllEnglishGreek WHERE lower(Lat) GLOB 'a*'", 5},
        {SqlAllEnglish + " WHERE Lat Like'A*'", "SELECT count(*) FROM AllEnglishGreek WHERE lower(Lat) GLOB 'a*'", 5},
        {SqlAllEnglish + " WHERE Lat Like'a*' ORDER BY Lat",
         "SELECT count(*) FROM AllEnglishGreek WHERE lower(Lat) GLOB 'a*'", 5},
        {SqlAllEnglish + " WHERE Lat Like'love'", "SELECT count(*) FROM AllEnglishGreek WHERE lower(Lat) = 'love'", 5},
        {SqlAllEnglish + " WHERE Lat Like'lo?e'", "SELECT count(*) FROM AllEnglishGreek WHERE lower(Lat) GLOB 'lo?e'", 5},
        {SqlAllLang3 + Q(" WHERE Lat Like'ä*'"),
         Q("SELECT count(*) FROM AllSwedishGreek WHERE Lat GLOB 'ä*' OR Lat GLOB 'Ä*'"), 5},
        {SqlAllLang3 + Q(" WHERE Lat Like'Ä*' ORDER BY Lat"),
         Q("SELECT count(*) FROM AllSwedishGreek WHERE Lat GLOB 'ä*' OR Lat GLOB 'Ä*'"), 5},
        {"SELECT * FROM AllEnglishGreek ORDER BY Lat", "SELECT count(*) FROM AllEnglishGreek", 5},
        {"SELECT * FROM AllSwedishGreek ORDER BY Lat", "SELECT count(*) FROM AllSwedishGreek", 5},
        // The search in inflected forms, with the text as typed.
        {Lk("agap*"), formsWhere + "lower(FormGreek) GLOB 'agap*'", 4},
        {Lk("AGAP*"), formsWhere + "lower(FormGreek) GLOB 'agap*'", 4},
        {Lk("agavphsa"), formsWhere + "FormGreek = 'agavphsa'", 4},
        {Lk("*hvsa*"), formsWhere + "lower(FormGreek) GLOB '*hvsa*'", 4},
        {Lk("agap?vw"), formsWhere + "lower(FormGreek) GLOB 'agap?vw'", 4},
        {Lk("agapavw"), formsWhere + "FormGreek = 'agapavw'", 4},
        // Declension, participle, imperative and auxiliary lookups (prefix & ID).
        {"SELECT Klino.sMNom,Klino.sMAck,Klino.sMGen,Klino.pMNom,Klino.pMAck,Klino.pMGen  FROM Klino WHERE ID  = 4",
         "SELECT count(*) FROM Klino WHERE ID = 4", 6},
        {"SELECT Klino.sFNom,Klino.sFAck,Klino.sFGen,Klino.pFNom,Klino.pFAck,Klino.pFGen  FROM Klino WHERE ID  = 2",
         "SELECT count(*) FROM Klino WHERE ID = 2", 6},
        {"SELECT Klino.sNNom,Klino.sNAck,Klino.sNGen, Klino.pNNom,Klino.pNAck,Klino.pNGen  FROM Klino WHERE ID  = 99999",
         "SELECT count(*) FROM Klino WHERE ID = 99999", 6},
        {"SELECT KlinoMenos.sMNom,KlinoMenos.sMAck,KlinoMenos.sMGen,KlinoMenos.pMNom,KlinoMenos.pMAck,"
         "KlinoMenos.pMGen  FROM KlinoMenos WHERE ID  = 1",
         "SELECT count(*) FROM KlinoMenos WHERE ID = 1", 6},
        {"SELECT KlinoMenos.sFNom,KlinoMenos.sFAck,KlinoMenos.sFGen,KlinoMenos.pFNom,KlinoMenos.pFAck,"
         "KlinoMenos.pFGen  FROM KlinoMenos WHERE ID  = 1",
         "SELECT count(*) FROM KlinoMenos WHERE ID = 1", 6},
        {"SELECT KlinoMenos.sNNom,KlinoMenos.sNAck,KlinoMenos.sNGen, KlinoMenos.pNNom,KlinoMenos.pNAck,"
         "KlinoMenos.pNGen  FROM KlinoMenos WHERE ID  = 1",
         "SELECT count(*) FROM KlinoMenos WHERE ID = 1", 6},
        {"SELECT IMPER.SiSimpAct,IMPER.SiSimpPas,IMPER.SiContAct,IMPER.SiContPas  FROM IMPER WHERE ID  = 1",
         "SELECT count(*) FROM IMPER WHERE ID = 1", 4},
        {"SELECT IMPER.PlSimpAct,IMPER.PlSimpPas,IMPER.PlContAct,IMPER.PlContPas  FROM IMPER WHERE ID  = 1",
         "SELECT count(*) FROM IMPER WHERE ID = 1", 4},
        {"SELECT KonT4.S2a,KonT4.S2p,KonT4.S2a,KonT4.S2p  FROM KonT4 WHERE ID  = 1",
         "SELECT count(*) FROM KonT4 WHERE ID = 1", 4},
        {"SELECT KonT4.P2a,KonT4.P2p,KonT4.P2a,KonT4.P2p  FROM KonT4 WHERE ID  = 1",
         "SELECT count(*) FROM KonT4 WHERE ID = 1", 4},
        {"SELECT KonT1.S1a,KonT1.S2a,KonT1.S3a,KonT1.P1a,KonT1.P2a,KonT1.P3a FROM KonT1 WHERE ID  = 487",
         "SELECT count(*) FROM KonT1 WHERE ID = 487", 6},
        {"SELECT KonT3.S1a,KonT3.S2a,KonT3.S3a,KonT3.P1a,KonT3.P2a,KonT3.P3a FROM KonT3 WHERE ID  = 487",
         "SELECT count(*) FROM KonT3 WHERE ID = 487", 6},
        // The conjugation view's columns.
        {"SELECT KonT2.S1p,KonT2.S2p,KonT2.S3p,KonT2.P1p,KonT2.P2p,KonT2.P3p FROM KonT2 WHERE ID  = 1",
         "SELECT count(*) FROM KonT2 WHERE ID = 1", 6},
        {"SELECT KonT4.S1a,KonT4.S2a,KonT4.S3a,KonT4.P1a,KonT4.P2a,KonT4.P3a FROM KonT4 WHERE ID  = 1",
         "SELECT count(*) FROM KonT4 WHERE ID = 1", 6},
        {"SELECT KonT4.S3a FROM KonT4 WHERE ID  = 1", "SELECT count(*) FROM KonT4 WHERE ID = 1", 1},
        // Store queries.
        {"SELECT * FROM AllEnglishGreek ORDER BY ID", "SELECT count(*) FROM AllEnglishGreek", 5},
        {"SELECT ID FROM MAIN WHERE ID  = 5", "SELECT count(*) FROM Main WHERE ID = 5", 1},
        {"SELECT ID FROM KonT2 WHERE ID = 1", "SELECT count(*) FROM KonT2 WHERE ID = 1", 1},
        {"SELECT ID FROM KonT2 WHERE ID = 864", "SELECT count(*) FROM KonT2 WHERE ID = 864", 1},
        {"SELECT ID FROM Klino WHERE ID = 2", "SELECT count(*) FROM Klino WHERE ID = 2", 1},
        {"SELECT KasPer FROM FormsAll WHERE ID = 1 AND KasPer  = 'S1a'",
         "SELECT count(*) FROM FormsAll WHERE ID = 1 AND KasPer = 'S1a'", 1},
        {"SELECT KasPer FROM FormsAll WHERE ID = 1 AND KasPer  = 'S1a' AND GenTem  = 'KonT2'",
         "SELECT count(*) FROM FormsAll WHERE ID = 1 AND KasPer = 'S1a' AND GenTem = 'KonT2'", 1},
        {"SELECT * FROM KonT1 WHERE ID  = 1", "SELECT count(*) FROM KonT1 WHERE ID = 1", 15},
        {"SELECT * FROM KonT3 WHERE ID = 1", "SELECT count(*) FROM KonT3 WHERE ID = 1", 15},
        {"SELECT * FROM Main WHERE ID = 5", "SELECT count(*) FROM Main WHERE ID = 5", 26},
        // Whole tables opened by name.
        {"Main", "SELECT count(*) FROM Main", 26},
        {"WrongIDs", "SELECT count(*) FROM WrongIDs", 2},
        {"Options", "SELECT count(*) FROM Options", 9},
        {"Languages", "SELECT count(*) FROM Languages", 2},
        {"LangCaps", "SELECT count(*) FROM LangCaps", 2},
        {"GreekSwedish", "SELECT count(*) FROM GreekSwedish", 5},
        {"FormsAll", "SELECT count(*) FROM FormsAll", 5},
    };
    for (const SelectCase &c : cases) {
        SCOPED_TRACE(c.jet.toStdString());
        const long long expected = count(c.nativeCount);
        RecordsetPtr rs;
        ASSERT_NO_THROW(rs = db->OpenRecordset(c.jet));
        EXPECT_EQ(rs->FieldCount(), c.fields);
        if (expected > 0) { // the program counts by moving to the last row
            rs->MoveLast();
            EXPECT_FALSE(rs->Eof());
        } else {
            EXPECT_TRUE(rs->Eof() && rs->Bof());
        }
        EXPECT_EQ(rs->RecordCount(), expected);
    }
}

TEST_F(WordDbStatements, LookupsReadTheFormsByPosition)
{
    auto rs = db->OpenRecordset(QStringLiteral(
        "SELECT Klino.sFNom,Klino.sFAck,Klino.sFGen,Klino.pFNom,Klino.pFAck,Klino.pFGen  FROM Klino WHERE ID  = 2"));
    EXPECT_EQ(rs->Text(0), QStringLiteral("agavph"));
    EXPECT_EQ(rs->Text(2), QStringLiteral("agavphV"));
    // Each column twice: positions 2 and 3 repeat 0 and 1.
    rs = db->OpenRecordset(QStringLiteral("SELECT KonT4.S2a,KonT4.S2p,KonT4.S2a,KonT4.S2p  FROM KonT4 WHERE ID  = 1"));
    EXPECT_EQ(rs->Text(2), rs->Text(0));
    EXPECT_EQ(rs->Text(3), rs->Text(1));
    EXPECT_FALSE(rs->Text(0).isEmpty());
    // The auxiliary's present and past, complete in the active voice.
    for (const char *t : {"KonT1", "KonT3"}) {
        rs = db->OpenRecordset(QStringLiteral("SELECT %1.S1a,%1.S2a,%1.S3a,%1.P1a,%1.P2a,%1.P3a FROM %1 WHERE ID  = %2")
                                   .arg(QLatin1String(t))
                                   .arg(HaveID));
        for (int i = 0; i < 6; ++i)
            EXPECT_FALSE(rs->Text(i).isEmpty()) << t << " " << i;
    }
    // The article row: accusative singular with the optional final n.
    rs = db->OpenRecordset(QStringLiteral(
        "SELECT Klino.sMNom,Klino.sMAck,Klino.sMGen,Klino.pMNom,Klino.pMAck,Klino.pMGen  FROM Klino WHERE ID  = 99999"));
    EXPECT_EQ(rs->Text(1), QStringLiteral("to(n)"));
    // A word without a row gives an empty set, never an error.
    rs = db->OpenRecordset(QStringLiteral(
        "SELECT Klino.sMNom,Klino.sMAck,Klino.sMGen,Klino.pMNom,Klino.pMAck,Klino.pMGen  FROM Klino WHERE ID  = 1"));
    EXPECT_TRUE(rs->Eof());
}

struct FilterCase {
    const QString *base;
    bool joined; // the base joins the third-language table
    QString filter;
    QString nativeWhere; // over Main (and GreekSwedish when joined)
};

TEST_F(WordDbStatements, FiltersOfTheTreeTheSearchAndTheExercises)
{
    const QString verbs = QStringLiteral(
        "(lower(WT) GLOB 'c[0-9]' OR lower(WT) GLOB 'cp[0-9]' OR lower(WT) = 'cv' OR lower(WT) = 'ca')");
    const FilterCase cases[] = {
        {&SqlLang3, true, "Greek Like'a*'", "lower(Main.Greek) GLOB 'a*'"},
        {&SqlMain, false, "Greek Like'a*'", "lower(Main.Greek) GLOB 'a*'"},
        {&SqlLang3, true, " WT Like'c#' OR WT  Like'cp#' OR WT  Like'cv' OR WT  Like'cA'", verbs},
        {&SqlMain, false, " WT Like'c#' OR WT  Like'cp#' OR WT  Like'cv' OR WT  Like'cA'", verbs},
        {&SqlLang3, true, "WT Like'c#' OR WT  Like'cv' OR WT  Like'cA'",
         "lower(WT) GLOB 'c[0-9]' OR lower(WT) = 'cv' OR lower(WT) = 'ca'"},
        {&SqlLang3, true, "WT Like'cA'", "lower(WT) = 'ca'"},
        {&SqlLang3, true, "WT Like'cp#'", "lower(WT) GLOB 'cp[0-9]'"},
        {&SqlLang3, true, "WT Like'c1'", "lower(WT) = 'c1'"},
        {&SqlLang3, true, "WT Like'cv'", "lower(WT) = 'cv'"},
        {&SqlLang3, true, "WT Like'c2'", "lower(WT) = 'c2'"},
        {&SqlLang3, true, "WT Like'c3'", "lower(WT) = 'c3'"},
        {&SqlLang3, true, "WT Like'cp1'", "lower(WT) = 'cp1'"},
        {&SqlLang3, true, "WT Like'cp5'", "lower(WT) = 'cp5'"},
        {&SqlLang3, true, " WT  Like'b*'", "lower(WT) GLOB 'b*'"},
        {&SqlLang3, true,
         " Greek  Like'a*' AND WT  Like'c#' OR Greek  Like'a*' AND WT  Like'cp#' OR Greek  Like'a*' AND WT  "
         "Like'cv' OR Greek  Like'a*' AND WT  Like'cA'",
         "lower(Main.Greek) GLOB 'a*' AND " + verbs},
        {&SqlLang3, true, " Greek  Like'e*' AND WT  = 'cA'", "lower(Main.Greek) GLOB 'e*' AND WT = 'cA'"},
        {&SqlLang3, true, " Greek  Like'e*' AND WT Like'cA'", "lower(Main.Greek) GLOB 'e*' AND WT = 'cA'"},
        {&SqlLang3, true, " Greek  Like'a*' AND WT  Like'b*'", "lower(Main.Greek) GLOB 'a*' AND lower(WT) GLOB 'b*'"},
        // Jet's = ignores case, also through the wrapped join.
        {&SqlLang3, true, " WT  = 'CA'", "lower(WT) = 'ca'"},
        {&SqlLang3, true, "Greek = 'AQHVNA'", "lower(Main.Greek) = 'aqhvna'"},
        // Nouns by gender.
        {&SqlLang3Genus, true, " genus= 0 OR genus=1 OR genus=2", "Genus IN (0, 1, 2)"},
        {&SqlMainGenus, false, " genus= 0 OR genus=1 OR genus=2", "Genus IN (0, 1, 2)"},
        {&SqlLang3Genus, true, " genus  = 1", "Genus = 1"},
        {&SqlLang3Genus, true,
         " Greek  Like'a*' AND genus =0  OR Greek  Like'a*' AND genus = 1  OR Greek  Like'a*' AND genus = 2",
         "lower(Main.Greek) GLOB 'a*' AND Genus IN (0, 1, 2)"},
        {&SqlLang3Genus, true, " Greek  Like'a*' AND genus = 2 ", "lower(Main.Greek) GLOB 'a*' AND Genus = 2"},
        {&SqlMainGenus, false, " Greek  Like'a*' AND genus  = 0", "lower(Main.Greek) GLOB 'a*' AND Genus = 0"},
        // The headword search, the text as typed.
        {&SqlLang3, true, "Greek  Like'agapavw'", "Main.Greek = 'agapavw'"},
        {&SqlLang3, true, "Greek  Like'AGAPAVW'", "Main.Greek = 'agapavw'"},
        {&SqlLang3, true, "Greek  Like'ag*'", "lower(Main.Greek) GLOB 'ag*'"},
        {&SqlMain, false, "Greek  Like'*ia'", "lower(Main.Greek) GLOB '*ia'"},
        // A word's complete record, and a round of the word-matching exercise.
        {&SqlLang3, true, " ID  = 5", "Main.ID = 5"},
        {&SqlLang3, true, "ID = 5 OR ID  = 9 OR ID  = 14", "Main.ID IN (5, 9, 14)"},
    };
    for (const FilterCase &c : cases) {
        SCOPED_TRACE((*c.base + QStringLiteral(" | ") + c.filter).toStdString());
        const long long expected =
            count(QStringLiteral("SELECT count(*) ") + (c.joined ? NativeJoin : QStringLiteral("FROM Main")) +
                  QStringLiteral(" WHERE ") + c.nativeWhere);
        EXPECT_GT(expected, 0);
        RecordsetPtr rs = db->OpenRecordset(*c.base);
        rs->MoveFirst();
        rs->Filter = c.filter;
        RecordsetPtr filtered;
        ASSERT_NO_THROW(filtered = rs->OpenRecordset());
        if (filtered->RecordCount() > 0)
            filtered->MoveLast();
        EXPECT_EQ(filtered->RecordCount(), expected);
        EXPECT_EQ(filtered->FieldCount(), rs->FieldCount());
    }

    // The verb exercise: one conjugation row, opened and filtered by its ID.
    auto rima = db->OpenRecordset(QStringLiteral("SELECT * FROM KonT1 WHERE ID = 1"));
    rima->Filter = QStringLiteral("ID = 1");
    auto row = rima->OpenRecordset();
    ASSERT_EQ(row->RecordCount(), 1);
    EXPECT_EQ(row->Long(0), 1);
    EXPECT_EQ(row->Text(1), QStringLiteral("c2"));
    EXPECT_EQ(row->Text(2), QStringLiteral("agapavw"));
    EXPECT_EQ(row->Text(9), QStringLiteral("agapievmai"));
    // A filter that passes nothing gives an empty set to bind.
    rima->Filter = QStringLiteral("ID = 2");
    EXPECT_EQ(rima->OpenRecordset()->RecordCount(), 0);
}

struct FindCase {
    const char *source;
    RecordsetType type;
    const char *criterion;
    bool last;
    const char *field;  // read after a match
    QVariant expected;  // invalid: no match
};

TEST_F(WordDbStatements, FindCriteriaFindWhatJetFinds)
{
    const FindCase cases[] = {
        {"Main", RecordsetType::Dynaset, " english  = 'have' AND WT  = 'cA' AND AP  = 154", false, "ID", HaveID},
        {"Main", RecordsetType::Dynaset, "ID = 5", false, "ID", 5},
        {"Main", RecordsetType::Dynaset, "ID = 5", true, "ID", 5},
        {"Main", RecordsetType::Dynaset, "ID  = 5", true, "Greek", "aggivzw"},
        {"Main", RecordsetType::Dynaset, "ID = 99999", false, "ID", QVariant()},
        {"Main", RecordsetType::Dynaset, "greek = 'kalwvV orivsate'", false, "ID", 581},
        {"Main", RecordsetType::Dynaset, "greek = 'kalwvV touV'", false, "ID", 582},
        {"Languages", RecordsetType::Dynaset, "Name = 'swedish'", false, "Name", "Swedish"},
        {"Languages", RecordsetType::Dynaset, "Name = 'Norwegian'", false, "Name", QVariant()},
        {"LangCaps", RecordsetType::Snapshot, "Index = 1172", false, "English", "Sorry, nothing was found for:"},
        {"LangCaps", RecordsetType::Snapshot, "Index = 1078", false, "English", QVariant()},
        {"GreekSwedish", RecordsetType::Dynaset, "ID = 2", false, "Lat", Q("kärlek, älskling")},
        {"GreekSwedish", RecordsetType::Dynaset, "ID = 2", true, "Means", "2"},
        {"WrongIDs", RecordsetType::Dynaset, "ID = 5", false, "ID", QVariant()},
        {"SELECT * FROM Main WHERE ID  = 5", RecordsetType::Dynaset, "ID  = 5", true, "Remarks", QVariant(QString())},
    };
    for (const FindCase &c : cases) {
        for (bool rowsRead : {false, true}) {
            SCOPED_TRACE(std::string(c.source) + " | " + c.criterion + (rowsRead ? " (rows read)" : ""));
            RecordsetPtr rs = db->OpenRecordset(QString::fromUtf8(c.source), c.type);
            if (rowsRead && rs->RecordCount() > 0) // no move in an empty set
                rs->MoveLast();
            if (c.last)
                rs->FindLast(QString::fromUtf8(c.criterion));
            else
                rs->FindFirst(QString::fromUtf8(c.criterion));
            ASSERT_EQ(rs->NoMatch(), !c.expected.isValid());
            if (c.expected.isValid()) {
                EXPECT_EQ(rs->Text(QString::fromUtf8(c.field)), c.expected.toString());
            }
        }
    }
}

struct ActionCase {
    QString jet;
    long long affected;
    QString check;      // native SELECT of one value
    QVariant expected;
};

TEST_F(WordDbStatements, ActionStatementsChangeWhatJetChanges)
{
    const ActionCase cases[] = {
        // Settings writers (each on a second connection; see below).
        {"UPDATE Options  SET nbrRepeats  = 4", 1, "SELECT nbrRepeats FROM Options", 4},
        {"UPDATE Options  SET nbrWrongs  = 30", 1, "SELECT nbrWrongs FROM Options", 30},
        {"UPDATE Options  SET nbrScribble  = 7", 1, "SELECT nbrScribble FROM Options", 7},
        {"UPDATE Options  SET 3rdLang  = 'Swedish'", 1, "SELECT \"3rdLang\" FROM Options", "Swedish"},
        {"UPDATE Options  SET 2ndScribble  = 'Swedish'", 1, "SELECT \"2ndScribble\" FROM Options", "Swedish"},
        {"UPDATE Options  SET 2ndTavrinel  = 'Swedish'", 1, "SELECT \"2ndTavrinel\" FROM Options", "Swedish"},
        {"UPDATE Options  SET boHide3  = True", 1, "SELECT boHide3 FROM Options", -1},
        {"UPDATE Options  SET boHide3  = False", 1, "SELECT boHide3 FROM Options", 0},
        {"UPDATE Options  SET BoChecka  = True", 1, "SELECT BoChecka FROM Options", -1},
        // Article and gender, in Main and in every "All*" table.
        {"UPDATE Main SET Main.Art  = 'h' WHERE Main.ID  = 4", 1, "SELECT Art FROM Main WHERE ID = 4", "h"},
        {"UPDATE Main SET Main.Genus  = 1 WHERE Main.ID  = 4", 1, "SELECT Genus FROM Main WHERE ID = 4", 1},
        {"UPDATE AllEnglishGreek SET AllEnglishGreek.Art  = 'h' WHERE AllEnglishGreek.ID  = 4", 1,
         "SELECT count(*) FROM AllEnglishGreek WHERE ID = 4 AND Art = 'h'", 1},
        {"UPDATE AllSwedishGreek SET AllSwedishGreek.Art  = 'h' WHERE AllSwedishGreek.ID  = 4", 1,
         "SELECT count(*) FROM AllSwedishGreek WHERE ID = 4 AND Art = 'h'", 1},
        // A spelling, its sort key, and the tables that hold the headword.
        {"UPDATE Main SET Main.Greek  = 'agavpi' WHERE Main.ID  = 2", 1, "SELECT Greek FROM Main WHERE ID = 2", "agavpi"},
        {"UPDATE Main SET Main.Sal  = 'acapi' WHERE Main.ID  = 2", 1, "SELECT Sal FROM Main WHERE ID = 2", "acapi"},
        {"UPDATE AllEnglishGreek SET AllEnglishGreek.Greek  = 'agavpi' WHERE AllEnglishGreek.ID  = 2", 2,
         "SELECT count(*) FROM AllEnglishGreek WHERE ID = 2 AND Greek = 'agavpi'", 2},
        {"UPDATE AllEnglishGreek SET AllEnglishGreek.Sal  = 'acapi' WHERE AllEnglishGreek.ID  = 2", 2,
         "SELECT count(*) FROM AllEnglishGreek WHERE ID = 2 AND Sal = 'acapi'", 2},
        {"UPDATE Klino SET Klino.Greek  = 'agavpi' WHERE Klino.ID  = 2", 1, "SELECT Greek FROM Klino WHERE ID = 2",
         "agavpi"},
        {"UPDATE KonT1 SET KonT1.Greek  = 'agapwv' WHERE KonT1.ID  = 1", 1, "SELECT Greek FROM KonT1 WHERE ID = 1",
         "agapwv"},
        {"UPDATE GreekSwedish SET GreekSwedish.Greek  = 'agavpi' WHERE GreekSwedish.ID  = 2", 1,
         "SELECT Greek FROM GreekSwedish WHERE ID = 2", "agavpi"},
        // A text field of Main with its count, and the list windows' commit.
        {"UPDATE Main SET Main.English = 'house, home' WHERE Main.ID  = 4", 1,
         "SELECT English FROM Main WHERE ID = 4", "house, home"},
        {"UPDATE Main SET Main.Emeans = 2 WHERE Main.ID  = 4", 1, "SELECT Emeans FROM Main WHERE ID = 4", 2},
        {"UPDATE Main SET Main.Remarks2 = 'o''Neil' WHERE Main.ID  = 4", 1, "SELECT Remarks2 FROM Main WHERE ID = 4",
         "o'Neil"},
        // The third-language word table (Lang3Lat, Lang3Means, Lang3ID).
        {Q("UPDATE GreekSwedish SET GreekSwedish.Lat = 'hus, hem' WHERE GreekSwedish.ID = 4"), 1,
         "SELECT Lat FROM GreekSwedish WHERE ID = 4", "hus, hem"},
        {"UPDATE GreekSwedish SET GreekSwedish.Means = 2 WHERE GreekSwedish.ID = 4", 1,
         "SELECT Means FROM GreekSwedish WHERE ID = 4", "2"},
        // The meaning index, matched by word and meaning.
        {Q("UPDATE AllSwedishGreek SET AllSwedishGreek.Lat = 'hus' WHERE AllSwedishGreek.ID = 4 AND "
           "AllSwedishGreek.Lat = 'ängel'"),
         1, "SELECT Lat FROM AllSwedishGreek WHERE ID = 4", "hus"},
        {"UPDATE AllEnglishGreek SET AllEnglishGreek.Lat = 'sweetheart' WHERE AllEnglishGreek.ID = 2 AND "
         "AllEnglishGreek.Lat = 'darling'",
         1, "SELECT count(*) FROM AllEnglishGreek WHERE ID = 2 AND Lat = 'sweetheart'", 1},
        {"DELETE * FROM AllEnglishGreek WHERE AllEnglishGreek.ID = 2 AND AllEnglishGreek.Lat = 'sweetheart'", 1,
         "SELECT count(*) FROM AllEnglishGreek WHERE ID = 2", 1},
        {"DELETE * FROM AllSwedishGreek WHERE ID  = 13", 3, "SELECT count(*) FROM AllSwedishGreek WHERE ID = 13", 0},
        // The grammar panel's verb forms and the inflection write-back.
        {"UPDATE Main  SET AP  = 'agapwv' WHERE Main.ID  = 1", 1, "SELECT AP FROM Main WHERE ID = 1", "agapwv"},
        {"UPDATE Main  SET PP  = 'agapiouvmai' WHERE Main.ID  = 1", 1, "SELECT PP FROM Main WHERE ID = 1",
         "agapiouvmai"},
        {"UPDATE Main SET Main.ISKONJ = TRUE WHERE Main.ID  = 3", 1, "SELECT ISKONJ FROM Main WHERE ID = 3", -1},
        {"UPDATE Main SET Main.ISKLIN = TRUE WHERE Main.ID  = 36", 1, "SELECT ISKLIN FROM Main WHERE ID = 36", -1},
        {"UPDATE KonT2 SET KonT2.S1a = 'agavphsa' WHERE KonT2.ID  = 1", 1, "SELECT S1a FROM KonT2 WHERE ID = 1",
         "agavphsa"},
        {"UPDATE Klino SET Klino.sFAck = 'agavph' WHERE Klino.ID  = 2", 1, "SELECT sFAck FROM Klino WHERE ID = 2",
         "agavph"},
        {"UPDATE KlinoMenos SET KlinoMenos.pNGen = 'agaphmevnwn' WHERE KlinoMenos.ID  = 1", 1,
         "SELECT pNGen FROM KlinoMenos WHERE ID = 1", "agaphmevnwn"},
        {"UPDATE IMPER SET IMPER.PlContAct = 'agapavte' WHERE IMPER.ID  = 1", 1,
         "SELECT PlContAct FROM IMPER WHERE ID = 1", "agapavte"},
        {"UPDATE KonT4 SET KonT4.S2p = 'agaphqeivV' WHERE KonT4.ID  = 1", 1, "SELECT S2p FROM KonT4 WHERE ID = 1",
         "agaphqeivV"},
        {"UPDATE KonT4 SET KonT4.S2p = 'x' WHERE KonT4.ID  = 864", 0, "SELECT count(*) FROM KonT4 WHERE ID = 864", 0},
        {"UPDATE FormsAll SET FormsAll.FormGreek  = 'agavphsa' WHERE FormsAll.ID  = 1 AND KasPer  = 'S1a' AND "
         "GenTem  = 'KonT1'",
         1, "SELECT count(*) FROM FormsAll WHERE ID = 1 AND KasPer = 'S1a' AND FormGreek = 'agavphsa'", 2},
        // Deleting a word from a list window.
        {"DELETE * FROM Main WHERE ID  = 6", 1, "SELECT count(*) FROM Main WHERE ID = 6", 0},
        {"DELETE * FROM GreekSwedish WHERE ID  = 6", 1, "SELECT count(*) FROM GreekSwedish WHERE ID = 6", 0},
        {"DELETE * FROM AllEnglishGreek WHERE ID  = 6", 1, "SELECT count(*) FROM AllEnglishGreek WHERE ID = 6", 0},
        {"DELETE * FROM AllSwedishGreek WHERE ID  = 6", 1, "SELECT count(*) FROM AllSwedishGreek WHERE ID = 6", 0},
    };
    for (const ActionCase &c : cases) {
        SCOPED_TRACE(c.jet.toStdString());
        ASSERT_NO_THROW(db->Execute(c.jet));
        EXPECT_EQ(db->RecordsAffected(), c.affected);
        const QVariant got = value(c.check);
        if (c.expected.typeId() == QMetaType::QString) {
            EXPECT_EQ(got.toString(), c.expected.toString());
        } else {
            EXPECT_EQ(got.toLongLong(), c.expected.toLongLong());
        }
    }
    // Nothing else of the word went: its forms and inflection rows stay.
    EXPECT_GT(count(QStringLiteral("SELECT count(*) FROM Klino WHERE ID = 6")), 0);
}

TEST_F(WordDbStatements, SettingsWriteOnASecondConnectionWhileTheFirstHoldsRows)
{
    // The shared connection keeps recordsets (read and unread) on the same
    // file while each setting is written through a short-lived second one.
    auto options = db->OpenRecordset(QStringLiteral("Options"), RecordsetType::Snapshot);
    EXPECT_EQ(options->Long(1), 30);
    auto main = db->OpenRecordset(QStringLiteral("Main"));
    main->MoveLast();
    auto caps = db->OpenRecordset(QStringLiteral("LangCaps"), RecordsetType::Snapshot);
    for (const char *sql : {"UPDATE Options  SET nbrWrongs  = 25", "UPDATE Options  SET 3rdLang  = 'Swedish'",
                            "UPDATE Options  SET boHide3  = True", "UPDATE Options  SET BoChecka  = False"}) {
        auto OptDb = DBEngine::OpenDatabase(copy.Path());
        ASSERT_NO_THROW(OptDb->Execute(QString::fromLatin1(sql))) << sql;
        EXPECT_EQ(OptDb->RecordsAffected(), 1) << sql;
        OptDb->Close();
    }
    auto fresh = db->OpenRecordset(QStringLiteral("Options"), RecordsetType::Snapshot);
    EXPECT_EQ(fresh->Long(1), 25);
    EXPECT_EQ(fresh->Text(3), QStringLiteral("Swedish"));
    EXPECT_EQ(fresh->Long(8), -1);
    EXPECT_TRUE(fresh->Bool(8));
    EXPECT_FALSE(fresh->Bool(4));
}

TEST_F(WordDbStatements, WrongAnswerStoreAsTheExerciseWritesIt)
{
    // The exercise's data controls stay open on the shared connection.
    auto DataWrong = db->OpenRecordset(QStringLiteral("WrongIDs"));
    auto DataCheck = db->OpenRecordset(QStringLiteral("Main"));
    EXPECT_TRUE(DataWrong->Eof() && DataWrong->Bof());

    // The statement puts both values in quotes, the ID after a blank. Jet
    // stores the number; the time stamp is written as ISO text.
    const QString stamp = QDateTime::currentDateTime().toString(Qt::ISODate);
    for (long long id : {5, 9, 14}) {
        DataWrong->FindFirst(QStringLiteral("ID = %1").arg(id));
        ASSERT_TRUE(DataWrong->NoMatch());
        auto OptDb = DBEngine::OpenDatabase(copy.Path());
        OptDb->Execute(QStringLiteral("INSERT INTO WrongIDs (ID,MadeDate)  VALUES (' %1','%2 ')").arg(id).arg(stamp));
        EXPECT_EQ(OptDb->RecordsAffected(), 1);
        OptDb->Close();
        DataWrong->Requery();
        DataWrong->FindFirst(QStringLiteral("ID = %1").arg(id));
        EXPECT_FALSE(DataWrong->NoMatch()) << id;
    }
    EXPECT_EQ(value(QStringLiteral("SELECT typeof(ID) FROM WrongIDs LIMIT 1")).toString(), QStringLiteral("integer"));
    DataWrong->MoveFirst();
    EXPECT_TRUE(QDateTime::fromString(DataWrong->Text("MadeDate").trimmed(), Qt::ISODate).isValid());

    // Drawing from the store: the k-th row after a requery.
    DataWrong->Requery();
    DataWrong->MoveFirst();
    DataWrong->Move(2);
    EXPECT_EQ(DataWrong->Long("ID"), 14);
    DataCheck->FindFirst(QStringLiteral("ID = 14"));
    EXPECT_EQ(DataCheck->Text(1), QStringLiteral("agoravzw"));

    // Removing one word, then emptying the store, each on a second connection.
    {
        auto OptDb = DBEngine::OpenDatabase(copy.Path());
        OptDb->Execute(QStringLiteral(" DELETE * FROM  WrongIDs WHERE ID  = 9"));
        EXPECT_EQ(OptDb->RecordsAffected(), 1);
        OptDb->Close();
    }
    auto counted = db->OpenRecordset(QStringLiteral("WrongIDs"));
    counted->MoveLast();
    EXPECT_EQ(counted->RecordCount(), 2);
    {
        auto OptDb = DBEngine::OpenDatabase(copy.Path());
        auto WrongRs = OptDb->OpenRecordset(QStringLiteral("WrongIDs"));
        WrongRs->MoveFirst();
        OptDb->Execute(QStringLiteral(" DELETE * FROM  WrongIDs "));
        EXPECT_EQ(OptDb->RecordsAffected(), 2);
        WrongRs->Close();
        OptDb->Close();
    }
    DataWrong->Requery();
    EXPECT_TRUE(DataWrong->Bof() && DataWrong->Eof());
}

TEST_F(WordDbStatements, RecordsetsAsTheStoreUsesThem)
{
    // CountMainWords: MoveLast and RecordCount on the whole table.
    auto MainRs = db->OpenRecordset(QStringLiteral("Main"));
    MainRs->MoveLast();
    EXPECT_EQ(MainRs->RecordCount(), count(QStringLiteral("SELECT count(*) FROM Main")));
    MainRs->Close();

    // AddRecordFromArray: a conjugation row for a verb that has none; the
    // new row is current at once.
    ASSERT_EQ(count(QStringLiteral("SELECT count(*) FROM KonT2 WHERE ID = 864")), 0);
    auto kon = db->OpenRecordset(QStringLiteral("KonT2"));
    kon->AddNew();
    kon->SetField(0, 864);
    for (int i = 1; i < kon->FieldCount(); ++i)
        if (kon->Field(i).isNull())
            kon->SetField(i, QString());
    kon->SetField(QStringLiteral("Greek"), QStringLiteral("xevrw"));
    kon->SetField(QStringLiteral("WT"), QStringLiteral("c1"));
    kon->Update();
    EXPECT_EQ(kon->Long(0), 864);
    EXPECT_EQ(kon->Text(8), QStringLiteral("xevrw"));
    EXPECT_EQ(value(QStringLiteral("SELECT quote(S1a) FROM KonT2 WHERE ID = 864")).toString(), QStringLiteral("''"));
    kon->Close();
    db->Execute(QStringLiteral("UPDATE KonT2 SET KonT2.S1a = 'evxera' WHERE KonT2.ID  = 864"));
    EXPECT_EQ(db->RecordsAffected(), 1);

    // A FormsAll row for a column that has none yet.
    auto forms = db->OpenRecordset(QStringLiteral("FormsAll"));
    forms->AddNew();
    forms->SetField(QStringLiteral("GenTem"), QStringLiteral("KonT2"));
    forms->SetField(QStringLiteral("ID"), 864);
    forms->SetField(QStringLiteral("KasPer"), QStringLiteral("S1a"));
    forms->SetField(QStringLiteral("Greek"), QStringLiteral("xevrw"));
    for (int i = 3; i < forms->FieldCount(); ++i)
        if (forms->Field(i).isNull())
            forms->SetField(i, QString());
    forms->Update();
    EXPECT_EQ(forms->Text("KasPer"), QStringLiteral("S1a"));
    EXPECT_EQ(forms->Text("FormGreek"), QString());
    forms->Close();
    auto search = db->OpenRecordset(FormSearch + QStringLiteral("evxera'"));
    EXPECT_EQ(search->RecordCount(), 0);
    db->Execute(QStringLiteral("UPDATE FormsAll SET FormsAll.FormGreek  = 'evxera' WHERE FormsAll.ID  = 864 AND "
                               "KasPer  = 'S1a' AND GenTem  = 'KonT2'"));
    search->Requery();
    ASSERT_EQ(search->RecordCount(), 1);
    EXPECT_EQ(search->Text(0), QStringLiteral("KonT2"));
    EXPECT_EQ(search->Long(1), 864);

    // A remark written through a recordset: FindLast, Edit, Update.
    auto remarks = db->OpenRecordset(QStringLiteral("Main"));
    remarks->FindLast(QStringLiteral("ID  = 5"));
    ASSERT_FALSE(remarks->NoMatch());
    EXPECT_NE(remarks->Text(12), QStringLiteral("it's a verb"));
    remarks->Edit();
    remarks->SetField(12, QStringLiteral("it's a verb"));
    remarks->Update();
    EXPECT_EQ(remarks->Text(12), QStringLiteral("it's a verb"));
    EXPECT_EQ(value(QStringLiteral("SELECT Remarks FROM Main WHERE ID = 5")).toString(), QStringLiteral("it's a verb"));

    // The gender fill-in: Edit and Update on each row while walking the set.
    auto words = db->OpenRecordset(QStringLiteral("Main"));
    long long visited = 0;
    for (words->MoveFirst(); !words->Eof(); words->MoveNext()) {
        ++visited;
        if (words->Text(0) == QStringLiteral("to")) {
            words->Edit();
            words->SetField(21, 2);
            words->Update();
        }
    }
    EXPECT_EQ(visited, words->RecordCount());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM Main WHERE Art = 'to' AND Genus <> 2")), 0);
}

TEST_F(WordDbStatements, ListWindowRequeriesItsFilteredRows)
{
    // A list window's rows: the join, filtered, then requeried after edits.
    auto R = db->OpenRecordset(SqlLang3);
    R->MoveFirst();
    R->Filter = QStringLiteral("Greek Like'a*'");
    auto Data1 = R->OpenRecordset();
    Data1->MoveLast();
    const long long n = Data1->RecordCount();
    ASSERT_GT(n, 2);
    db->Execute(QStringLiteral("UPDATE Main SET Main.Greek  = 'zagapavw' WHERE Main.ID  = 1"));
    Data1->Requery();
    EXPECT_EQ(Data1->RecordCount(), n - 1);
    db->Execute(QStringLiteral("DELETE * FROM Main WHERE ID  = 2"));
    Data1->Requery();
    EXPECT_EQ(Data1->RecordCount(), n - 2);
    Data1->FindFirst(QStringLiteral("ID = 2"));
    EXPECT_TRUE(Data1->NoMatch());
    Data1->FindFirst(QStringLiteral("ID = 3"));
    ASSERT_FALSE(Data1->NoMatch());
    EXPECT_EQ(Data1->Text(4), QStringLiteral("agaphmevnoV"));
    EXPECT_EQ(Data1->Text(6), Data1->Text("Swedish"));
}

TEST_F(WordDbStatements, ThirdLanguageTablesComeAndGo)
{
    for (const QString &L : {QStringLiteral("Norwegian"), Q("Français")}) {
        SCOPED_TRACE(L.toStdString());
        const QString all = QStringLiteral("All") + L + QStringLiteral("Greek");
        const QString word = QStringLiteral("Greek") + L;
        db->CreateTable(all, {{QStringLiteral("Sal"), FieldType::Text},
                              {QStringLiteral("ID"), FieldType::Long},
                              {QStringLiteral("Lat"), FieldType::Text, 0, true},
                              {QStringLiteral("Art"), FieldType::Text, 0, true},
                              {QStringLiteral("Greek"), FieldType::Text}});
        db->CreateTable(word, {{QStringLiteral("ID"), FieldType::Long},
                               {QStringLiteral("Lat"), FieldType::Text, 0, true},
                               {QStringLiteral("Means"), FieldType::Text, 0, true},
                               {QStringLiteral("Greek"), FieldType::Text},
                               {QStringLiteral("Remarks"), FieldType::Memo, 0, true}});
        auto languages = db->OpenRecordset(QStringLiteral("Languages"));
        languages->AddNew();
        languages->SetField(QStringLiteral("Name"), L);
        languages->Update();
        EXPECT_EQ(languages->Text(1), L);

        // One word row per Main row, then the two welcome rows.
        auto main = db->OpenRecordset(QStringLiteral("Main"));
        auto words = db->OpenRecordset(word);
        // One commit for them all, as the store adds a language.
        db->BeginTrans();
        for (main->MoveFirst(); !main->Eof(); main->MoveNext()) {
            words->AddNew();
            words->SetField(QStringLiteral("ID"), main->Field(15));
            words->SetField(QStringLiteral("Greek"), main->Field(1));
            words->Update();
        }
        db->CommitTrans();
        auto index = db->OpenRecordset(all);
        for (const char *phrase : {"kalwvV orivsate", "kalwvV touV"}) {
            main->MoveFirst();
            main->FindFirst(QStringLiteral("greek") + QStringLiteral(" = '") + QLatin1String(phrase) +
                            QLatin1Char('\''));
            ASSERT_FALSE(main->NoMatch());
            index->AddNew();
            index->SetField(QStringLiteral("Sal"), main->Field(14));
            index->SetField(QStringLiteral("ID"), main->Field(15));
            index->SetField(QStringLiteral("Lat"), QStringLiteral("velkommen"));
            index->SetField(QStringLiteral("Greek"), main->Field(1));
            index->Update();
        }
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(word)),
                  count(QStringLiteral("SELECT count(*) FROM Main")));
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM \"%1\" WHERE Lat IS NULL AND Means IS NULL").arg(word)),
                  count(QStringLiteral("SELECT count(*) FROM Main")));

        // The shared strings built for the language run, and its tables are
        // found among the "All*" and "Greek*" tables.
        const QString sqlLang3 = QStringLiteral("SELECT Main.Sal,Main.ID,Main.WT,Main.Art,Main.Greek,Main.English,") +
                                 word + QStringLiteral(".Lat AS ") + L + QStringLiteral(" FROM Main INNER JOIN ") +
                                 word + QStringLiteral(" ON Main.ID = ") + word + QStringLiteral(".ID");
        auto list = db->OpenRecordset(sqlLang3);
        list->MoveLast();
        EXPECT_EQ(list->RecordCount(), count(QStringLiteral("SELECT count(*) FROM Main")));
        EXPECT_EQ(list->FieldName(6), L);
        list->Filter = QStringLiteral("Greek Like'k*'");
        EXPECT_GT(list->OpenRecordset()->RecordCount(), 1);
        const QString sqlAllLang3 = QStringLiteral("SELECT %1.Sal,%1.ID,%1.Lat,%1.Art,%1.Greek FROM %1").arg(all);
        EXPECT_EQ(db->OpenRecordset(sqlAllLang3 + QStringLiteral(" WHERE Lat Like'v*'"))->RecordCount(), 2);
        EXPECT_EQ(db->OpenRecordset(QStringLiteral("SELECT * FROM ") + all + QStringLiteral(" ORDER BY Lat"))
                      ->RecordCount(),
                  2);
        db->Execute(QStringLiteral("UPDATE %1 SET %1.Lat = 'hus' WHERE %1.ID = 4").arg(word));
        EXPECT_EQ(db->RecordsAffected(), 1);
        db->Execute(QStringLiteral("UPDATE %1 SET %1.Means = 2 WHERE %1.ID = 4").arg(word));
        db->Execute(QStringLiteral("UPDATE %1 SET %1.Art  = 'o' WHERE %1.ID  = 581").arg(all));
        EXPECT_EQ(db->RecordsAffected(), 1);
        QStringList allTables, greekTables;
        for (const QString &t : db->TableNames()) {
            if (JetLike(t, QStringLiteral("All*")))
                allTables << t;
            if (JetLike(t, QStringLiteral("Greek*")))
                greekTables << t;
        }
        EXPECT_TRUE(allTables.contains(all));
        EXPECT_TRUE(greekTables.contains(word));
        EXPECT_TRUE(allTables.contains(QStringLiteral("AllEnglishGreek")));

        // Deleting: the Languages row (find, delete, look again), then both
        // tables, although recordsets that read them are still held.
        index->MoveLast();
        auto rows = db->OpenRecordset(QStringLiteral("Languages"));
        rows->FindFirst(QStringLiteral("Name = ") + SqlText(L));
        ASSERT_FALSE(rows->NoMatch());
        rows->Delete();
        rows->MoveLast();
        rows->MoveFirst();
        rows->FindFirst(QStringLiteral("Name = ") + SqlText(L));
        EXPECT_TRUE(rows->NoMatch());
        db->DeleteTable(all);
        db->DeleteTable(word);
        EXPECT_FALSE(db->TableExists(all));
        EXPECT_NE(errorNumber([&] { db->OpenRecordset(sqlLang3); }), 0);
    }
}

TEST_F(WordDbStatements, StoredValuesHaveTheirJetTypes)
{
    // Long and Integer fields hold numbers, Yes/No fields -1 or 0, texts
    // text: what the program compares them with (numbers bare, texts quoted).
    const std::pair<const char *, long long> none[] = {
        {"SELECT count(*) FROM Main WHERE typeof(ID) <> 'integer'", 0},
        {"SELECT count(*) FROM Main WHERE typeof(Genus) <> 'integer' OR Genus NOT IN (0, 1, 2, 99)", 0},
        {"SELECT count(*) FROM Main WHERE typeof(Emeans) NOT IN ('integer', 'null')", 0},
        {"SELECT count(*) FROM Main WHERE ISKLIN NOT IN (-1, 0) OR ISKONJ NOT IN (-1, 0)", 0},
        {"SELECT count(*) FROM Main WHERE typeof(Greek) <> 'text' OR typeof(Sal) <> 'text' OR typeof(WT) <> 'text'", 0},
        {"SELECT count(*) FROM Main WHERE typeof(AP) NOT IN ('text', 'null') OR typeof(PP) NOT IN ('text', 'null')", 0},
        {"SELECT count(*) FROM LangCaps WHERE typeof(\"Index\") <> 'integer'", 0},
        {"SELECT count(*) FROM GreekSwedish WHERE typeof(ID) <> 'integer' OR typeof(Means) NOT IN ('text', 'null')", 0},
        {"SELECT count(*) FROM FormsAll WHERE typeof(ID) <> 'integer' OR typeof(KasPer) <> 'text'", 0},
        {"SELECT count(*) FROM Options WHERE typeof(nbrRepeats) <> 'integer' OR typeof(nbrWrongs) <> 'integer' OR "
         "typeof(nbrScribble) <> 'integer' OR typeof(nbrRima) <> 'integer' OR BoChecka NOT IN (-1, 0) OR "
         "boHide3 NOT IN (-1, 0) OR typeof(\"3rdLang\") <> 'text'",
         0},
    };
    for (const auto &[sql, expected] : none)
        EXPECT_EQ(count(QString::fromUtf8(sql)), expected) << sql;
    // A number written into a text field and a text holding a number written
    // into a number field both end up as the field's type, as in Jet.
    db->Execute(QStringLiteral("UPDATE GreekSwedish SET GreekSwedish.Means = 3 WHERE GreekSwedish.ID = 2"));
    EXPECT_EQ(value(QStringLiteral("SELECT typeof(Means) FROM GreekSwedish WHERE ID = 2")).toString(),
              QStringLiteral("text"));
    db->Execute(QStringLiteral("UPDATE Main SET Main.Emeans = '3' WHERE Main.ID  = 2"));
    EXPECT_EQ(value(QStringLiteral("SELECT typeof(Emeans) FROM Main WHERE ID = 2")).toString(),
              QStringLiteral("integer"));
}

TEST_F(WordDbStatements, TimeStampsAreDates)
{
    auto main = db->OpenRecordset(QStringLiteral("Main"));
    main->FindLast(QStringLiteral("ID = 5"));
    const QString made = main->Text("MadeDate");
    EXPECT_TRUE(QDateTime::fromString(made, Qt::ISODate).isValid()) << made.toStdString();
}

} // namespace
