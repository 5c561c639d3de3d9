#include "store/WordEdits.h"

#include "WordStoreFixture.h"
#include "store/EditRefusal.h"
#include "store/ListEdits.h"
#include "store/StartUp.h"
#include "support/RecordingListWindow.h"

using namespace tav;
using tavtest::Edo;
using tavtest::Grafo;
using tavtest::Poli;
using tavtest::Spiti;

namespace {
using WordEdits = tavtest::WordStoreTest;

const QString VerbMessage = "You changed the spelling of a verb\r\n Check if you need to manually edit the yellow\r\n"
                            " grid at the bottom";
const QString NounMessage = "You changed the spelling of a noun or an adjective.\r\nCheck if you need to edit the "
                            "green\r\ngrid at the bottom.";
} // namespace

TEST(ArticleGenusTest, CodesOfTheArticles)
{
    EXPECT_EQ(ArticleGenus("o"), 0);
    EXPECT_EQ(ArticleGenus("h"), 1);
    EXPECT_EQ(ArticleGenus("tis"), 1);
    EXPECT_EQ(ArticleGenus("thn"), 1);
    EXPECT_EQ(ArticleGenus("thV"), 1);
    EXPECT_EQ(ArticleGenus("to"), 2);
    EXPECT_EQ(ArticleGenus("ta"), 2);
    EXPECT_EQ(ArticleGenus("oi"), 99);
    EXPECT_EQ(ArticleGenus(""), 99);
    EXPECT_EQ(ArticleGenus("O"), 99) << "articles compare exactly";
}

TEST_F(WordEdits, ArticleGoesToMainAndEveryMeaningTable)
{
    // The tables of a language the user added are found by their names.
    Exec("CREATE TABLE AllFrenchGreek (Sal TEXT, ID INTEGER, Lat TEXT, Art TEXT, Greek TEXT)");
    Exec("INSERT INTO AllFrenchGreek VALUES ('x', 900001, 'maison', 'to', 'spivti')");
    ChangeArticle("h", Spiti);
    EXPECT_EQ(Text("SELECT Art FROM AllFrenchGreek WHERE ID = 900001"), "h");
    EXPECT_EQ(Text("SELECT Art || Genus FROM Main WHERE ID = 900001"), "h1");
    EXPECT_EQ(Column("SELECT DISTINCT Art FROM AllEnglishGreek WHERE ID = 900001"), QStringList{"h"});
    EXPECT_EQ(Column("SELECT DISTINCT Art FROM AllSwedishGreek WHERE ID = 900001"), QStringList{"h"});
    // Another word keeps its own.
    EXPECT_EQ(Text("SELECT Art || Genus FROM Main WHERE ID = 900004"), "h1");
    EXPECT_EQ(Text("SELECT Art FROM AllEnglishGreek WHERE ID = 900004 AND Lat = 'city'"), "h");

    ChangeArticle("oi", Spiti);
    EXPECT_EQ(Value("SELECT Genus FROM Main WHERE ID = 900001").toInt(), 99);
    ChangeArticle("", Spiti);
    EXPECT_EQ(Text("SELECT Art FROM Main WHERE ID = 900001"), "");
    EXPECT_EQ(Value("SELECT Genus FROM Main WHERE ID = 900001").toInt(), 99);
    ChangeArticle("t'", Spiti);
    EXPECT_EQ(Text("SELECT Art FROM AllSwedishGreek WHERE ID = 900001"), "t'");
}

TEST_F(WordEdits, SpellingOfAVerbReachesEveryTableThatHoldsIt)
{
    Exec("CREATE TABLE AllFrenchGreek (Sal TEXT, ID INTEGER, Lat TEXT, Art TEXT, Greek TEXT)");
    Exec("INSERT INTO AllFrenchGreek VALUES ('x', 900002, 'écrire', '', 'gravfw')");
    Exec("CREATE TABLE GreekFrench (ID INTEGER, Lat TEXT, Means TEXT, Greek TEXT, Remarks TEXT)");
    Exec("INSERT INTO GreekFrench (ID, Lat, Greek) VALUES (900002, 'écrire', 'gravfw')");
    const std::optional<Notice> reminder = ChangeGreekSpelling("gravfo", Grafo);
    const QString sal = TavGreSort("gravfo");
    EXPECT_EQ(Text("SELECT Greek || '|' || Sal FROM AllFrenchGreek WHERE ID = 900002"), "gravfo|" + sal);
    EXPECT_EQ(Text("SELECT Greek FROM GreekFrench WHERE ID = 900002"), "gravfo");
    EXPECT_EQ(Text("SELECT Greek || '|' || Sal FROM Main WHERE ID = 900002"), "gravfo|" + sal);
    for (const char *table : {"AllEnglishGreek", "AllSwedishGreek", "KonT4", "IMPER"})
        EXPECT_EQ(Text(QString("SELECT Greek || '|' || Sal FROM %1 WHERE ID = 900002").arg(table)), "gravfo|" + sal)
            << table;
    for (const char *table : {"KonT1", "KlinoMenos", "GreekSwedish"})
        EXPECT_EQ(Text(QString("SELECT Greek FROM %1 WHERE ID = 900002").arg(table)), "gravfo") << table;
    // FormsAll: the headword of every form, never the form itself.
    EXPECT_EQ(Column("SELECT Greek || '|' || FormGreek FROM FormsAll WHERE ID = 900002 ORDER BY GenTem"),
              (QStringList{"gravfo|gravfw", "gravfo|gravyw"}));
    EXPECT_EQ(Text("SELECT S1a FROM KonT1 WHERE ID = 900002"), "gravfw") << "inflected forms stay";
    // One reminder, although the verb has rows in two conjugation tables.
    ASSERT_TRUE(reminder);
    EXPECT_EQ(reminder->Prompt, VerbMessage);
    EXPECT_EQ(reminder->Style, winsys::vbCritical);
    // Other words are untouched.
    EXPECT_EQ(Text("SELECT Greek FROM Main WHERE ID = 900001"), "spivti");
}

TEST_F(WordEdits, SpellingOfANounAndOfAWordWithoutInflections)
{
    const std::optional<Notice> reminder = ChangeGreekSpelling("spivtia", Spiti);
    EXPECT_EQ(Text("SELECT Greek FROM Klino WHERE ID = 900001"), "spivtia");
    EXPECT_EQ(Text("SELECT Greek FROM FormsAll WHERE ID = 900001"), "spivtia");
    ASSERT_TRUE(reminder);
    EXPECT_EQ(reminder->Prompt, NounMessage);

    EXPECT_FALSE(ChangeGreekSpelling("ekeiv", Edo));
    EXPECT_EQ(Text("SELECT Greek FROM Main WHERE ID = 900003"), "ekeiv");

    ChangeGreekSpelling("to spivti tou'", Spiti);
    EXPECT_EQ(Text("SELECT Greek FROM AllEnglishGreek WHERE ID = 900001 AND Lat = 'home'"), "to spivti tou'");
}

TEST_F(WordEdits, AFailedSpellingEditChangesNoTable)
{
    // A further meaning table that refuses the change, after all the others.
    Exec("CREATE TABLE AllBrokenGreek (Sal TEXT, ID INTEGER, Lat TEXT, Art TEXT, Greek TEXT)");
    Exec("INSERT INTO AllBrokenGreek VALUES ('x', 900002, 'x', '', 'gravfw')");
    Exec("CREATE TRIGGER Refuse BEFORE UPDATE ON AllBrokenGreek BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(ChangeGreekSpelling("gravfo", Grafo), dao::DaoError);
    for (const char *table : {"Main", "AllEnglishGreek", "KonT1", "KonT4", "IMPER", "FormsAll", "GreekSwedish"})
        EXPECT_EQ(Column(QString("SELECT DISTINCT Greek FROM %1 WHERE ID = 900002").arg(table)),
                  QStringList{"gravfw"})
            << table;
    EXPECT_FALSE(WordDb->InTransaction());
    EXPECT_TRUE(messages.Prompts().isEmpty());
}

TEST_F(WordEdits, TheCountFollowsAnyNumberOfMeanings)
{
    UpdateMainField("home, house, flat", Spiti, "English", "Emeans");
    EXPECT_EQ(Text("SELECT English || '|' || Emeans FROM Main WHERE ID = 900001"), "home, house, flat|3");
    UpdateMainField("house", Spiti, "English", "Emeans");
    EXPECT_EQ(Text("SELECT English || '|' || Emeans FROM Main WHERE ID = 900001"), "house|1");
    UpdateMainField("", Spiti, "English", "Emeans");
    EXPECT_EQ(Text("SELECT English || '|' || Emeans FROM Main WHERE ID = 900001"), "|0");
    UpdateMainField("the house's door", Spiti, "English", "Emeans");
    EXPECT_EQ(Text("SELECT English FROM Main WHERE ID = 900001"), "the house's door");
    EXPECT_EQ(Text("SELECT English FROM Main WHERE ID = 900004"), "city, town");
}

TEST_F(WordEdits, NoEditTakesTheAuxiliarysMarkerAway)
{
    const long long saved = HaveID;
    FindHaveID();
    const long long have = HaveID;
    ASSERT_GT(have, 0);
    const QString id = QString::number(have);
    EXPECT_FALSE(RemovesAuxiliaryMarker(have, "English", "Have"));
    EXPECT_FALSE(RemovesAuxiliaryMarker(have, "WT", "cA"));
    EXPECT_FALSE(RemovesAuxiliaryMarker(have, "AP", "154"));
    EXPECT_FALSE(RemovesAuxiliaryMarker(have, "PP", ""));
    EXPECT_TRUE(RemovesAuxiliaryMarker(have, "WT", "c1"));
    EXPECT_TRUE(RemovesAuxiliaryMarker(have, "AP", "evcw"));
    EXPECT_FALSE(RemovesAuxiliaryMarker(Grafo, "English", "own"));

    // The meaning, by either list window's write.
    const auto englishBefore = Column("SELECT Lat FROM AllEnglishGreek WHERE ID = " + id);
    EXPECT_THROW(StoreMeaningList(MeaningLanguage::English, have, "have", "have, own"), EditRefusal);
    EXPECT_THROW(UpdateMainField("own", have, "English", "Emeans"), EditRefusal);
    EXPECT_EQ(Text("SELECT English FROM Main WHERE ID = " + id), "have");
    EXPECT_EQ(Column("SELECT Lat FROM AllEnglishGreek WHERE ID = " + id), englishBefore) << "the index as it was";
    // The word type and the active form.
    EXPECT_THROW(UpdateMainField("c1", have, "WT", "Emeans"), EditRefusal);
    EXPECT_THROW(UpdateVoiceForm(have, "AP", "evcw"), EditRefusal);
    EXPECT_THROW(UpdateVoiceForm(have, "AP", "  "), EditRefusal);
    FindHaveID();
    EXPECT_EQ(HaveID, have) << "still found at the next start";
    // Its other meanings, in the third language, are the user's.
    EXPECT_NO_THROW(StoreMeaningList(MeaningLanguage::Third, have, "", "ha"));
    HaveID = saved;
}

TEST_F(WordEdits, AVoiceFormIsStoredTrimmedAndBlanksRemoveTheVoice)
{
    UpdateVoiceForm(Grafo, "PP", "  ");
    EXPECT_TRUE(Value("SELECT PP FROM Main WHERE ID = 900002").isNull());
    UpdateVoiceForm(Grafo, "AP", " gravfw's ");
    EXPECT_EQ(Text("SELECT AP FROM Main WHERE ID = 900002"), "gravfw's");
}

TEST_F(WordEdits, AVoiceFormOfAWordNoLongerInMainIsReported)
{
    Exec("DELETE FROM Main WHERE ID = 900002");
    try {
        UpdateVoiceForm(Grafo, "AP", "gravfw");
        FAIL() << "the write of a word that is gone reported success";
    } catch (const dao::DaoError &e) {
        EXPECT_EQ(e.Description(), "Nothing was stored: the word with ID 900002 is no longer in the word list.");
    }
}

TEST_F(WordEdits, AFieldWrittenByItsPositionChangesOnlyWhatDiffers)
{
    // The list and exercise windows store a remark by the field's position.
    const int remarks = Text("SELECT group_concat(name) FROM pragma_table_info('Main')").split(',').indexOf("Remarks");
    ASSERT_GE(remarks, 0);
    Exec("CREATE TABLE Writes (n INTEGER)");
    Exec("CREATE TRIGGER CountWrites AFTER UPDATE ON Main BEGIN INSERT INTO Writes VALUES (1); END");
    WriteMainFieldAt(Grafo, remarks, "it's 'quoted'");
    EXPECT_EQ(Text("SELECT Remarks FROM Main WHERE ID = 900002"), "it's 'quoted'");
    WriteMainFieldAt(Grafo, remarks, "it's 'quoted'");
    WriteMainFieldAt(Grafo, -1, "x");
    WriteMainFieldAt(Grafo, 10000, "x");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Writes").toInt(), 1) << "an equal text or a field outside Main wrote";
    Exec("DELETE FROM Main WHERE ID = 900002");
    EXPECT_THROW(WriteMainFieldAt(Grafo, remarks, "gone"), dao::DaoError);
}

TEST_F(WordEdits, ThirdLanguageMeaningsAndTheirCount)
{
    UpdateLangField("bostad, hus", Spiti);
    EXPECT_EQ(Text("SELECT Lat || '|' || Means FROM GreekSwedish WHERE ID = 900001"), "bostad, hus|2");
    UpdateLangField("hus", Spiti);
    EXPECT_EQ(Text("SELECT Lat || '|' || Means FROM GreekSwedish WHERE ID = 900001"), "hus|1");
    // A word without a Swedish row gets one, so the edit is kept.
    UpdateLangField("h\xC3\xA4r", Edo);
    EXPECT_EQ(Text("SELECT Lat || '|' || Means || '|' || Greek FROM GreekSwedish WHERE ID = 900003"),
              QString::fromUtf8("h\xC3\xA4r|1|edwv"));
    EXPECT_EQ(Value("SELECT COUNT(*) FROM GreekSwedish WHERE ID = 900003").toInt(), 1);
}

TEST_F(WordEdits, RemarksAreStoredAndTheGridGetsItsCellBack)
{
    tavtest::RecordingGrid grid;
    grid.m_row = 4;
    grid.m_col = 2;
    grid.m_topRow = 1;
    SaveBusy = true;
    EXPECT_TRUE(SaveRemarks(grid, Spiti, "ett hus"));
    EXPECT_EQ(Text("SELECT Remarks FROM GreekSwedish WHERE ID = 900001"), "ett hus");
    EXPECT_FALSE(SaveBusy);
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.TopRow(), 1) << "the row is in view: the view stays";
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.m_focusCalls, 1);

    // The same text again changes nothing but still gives the cell back,
    // scrolled into a view it had left.
    grid.m_topRow = 6;
    SaveBusy = true;
    SaveRemarks(grid, Spiti, "ett hus");
    EXPECT_FALSE(SaveBusy);
    EXPECT_EQ(grid.TopRow(), 4);
    EXPECT_EQ(grid.m_focusCalls, 2);

    EXPECT_TRUE(SaveRemarks2(grid, Spiti, "a remark's text"));
    EXPECT_EQ(Text("SELECT Remarks2 FROM Main WHERE ID = 900001"), "a remark's text");
}

TEST_F(WordEdits, ARemarkForAWordWithoutAThirdLanguageRowIsNotDropped)
{
    tavtest::RecordingGrid grid;
    EXPECT_TRUE(SaveRemarks(grid, Edo, "ett ord"));
    EXPECT_EQ(Text("SELECT Remarks || '|' || Greek FROM GreekSwedish WHERE ID = 900003"), "ett ord|edwv");

    // A word that has left Main gets no row; the user is told.
    Exec("DELETE FROM Main WHERE ID = 900003");
    Exec("DELETE FROM GreekSwedish WHERE ID = 900003");
    SaveBusy = true;
    const Outcome third = SaveRemarks(grid, Edo, "ett ord");
    const Outcome second = SaveRemarks2(grid, Edo, "a remark");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM GreekSwedish WHERE ID = 900003").toInt(), 0);
    EXPECT_FALSE(SaveBusy);
    ASSERT_FALSE(third);
    EXPECT_FALSE(second);
    EXPECT_TRUE(third.Failure->Prompt.contains("900003")) << third.Failure->Prompt.toStdString();
}

TEST_F(WordEdits, ARemarkThatCannotBeStoredShowsTheEngineError)
{
    tavtest::RecordingGrid grid;
    grid.m_row = 5;
    Lang3Table = "GreekKlingon";
    SaveBusy = true;
    const Outcome stored = SaveRemarks(grid, Spiti, "text");
    EXPECT_FALSE(SaveBusy);
    ASSERT_FALSE(stored);
    const QString said = stored.Failure->Prompt;
    EXPECT_TRUE(said.startsWith("Error:")) << said.toStdString();
    EXPECT_TRUE(said.contains("GreekKlingon")) << "the engine's own message";
    EXPECT_EQ(grid.m_focusCalls, 0) << "the cell is not restored after an error";
}
