#include "store/Settings.h"

#include "StoreFixture.h"
#include "store/SharedState.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace tav;

class Settings : public tavtest::StoreTest {
protected:
    QVariant Stored(const QString &field) const { return FileValue("SELECT [" + field + "] FROM Options"); }

    // Every update of Options fails from now on, with the engine's message.
    void RefuseWrites()
    {
        WordDb->ExecNative("CREATE TRIGGER refuse BEFORE UPDATE ON Options BEGIN "
                           "SELECT RAISE(ABORT, 'settings are locked'); END");
    }

    void AddLanguage(const QString &name)
    {
        WordDb->ExecNative("CREATE TABLE All" + name + "Greek (Sal TEXT, ID INTEGER, Lat TEXT, Art TEXT, Greek TEXT)");
        WordDb->ExecNative("CREATE TABLE Greek" + name + " (ID INTEGER, Lat TEXT, Means TEXT, Greek TEXT, Remarks LONGTEXT)");
    }
};

TEST_F(Settings, NumbersAreWrittenWithTheirStatements)
{
    OptNbrWrongs = 30;
    EXPECT_TRUE(SaveNbrWrongs());
    EXPECT_EQ(OptSql, "UPDATE Options  SET nbrWrongs  = 30");
    OptNbrWrongs = 42;
    EXPECT_TRUE(SaveNbrWrongs());
    EXPECT_EQ(Stored("nbrWrongs").toInt(), 42);

    OptNbrRepeats = 7;
    EXPECT_TRUE(SaveNbrRepeats());
    EXPECT_EQ(OptSql, "UPDATE Options  SET nbrRepeats  = 7");
    EXPECT_EQ(Stored("nbrRepeats").toInt(), 7);

    EXPECT_TRUE(link.calls.isEmpty());
    EXPECT_TRUE(messages.Messages().isEmpty());
}

TEST_F(Settings, ThirdLanguageRebuildsStringsTreeAndPanel)
{
    AddLanguage("Fi");
    EXPECT_TRUE(Save3rdLang("Fi"));
    EXPECT_EQ(OptSql, "UPDATE Options  SET 3rdLang  = 'Fi'");
    EXPECT_EQ(Stored("3rdLang").toString(), "Fi");
    EXPECT_EQ(Opt3rdLang, "Fi");
    EXPECT_EQ(Lang3Table, "GreekFi");
    EXPECT_EQ(link.calls, QStringList({"JulGran", "Panel 6: 3:rd language= Fi  "}));

    link.Clear();
    EXPECT_TRUE(Save3rdLang("Swedish"));
    EXPECT_EQ(OptSql, "UPDATE Options  SET 3rdLang  = 'Swedish'");
    EXPECT_EQ(link.PanelText(6), "3:rd language= Swedish  ");
    EXPECT_EQ(Lang3AllTable, "AllSwedishGreek");
}

TEST_F(Settings, ExercisesLeaveALanguageThatIsNoLongerTheThird)
{
    AddLanguage("Fi");
    Opt2ndScribble = "Swedish";
    ASSERT_TRUE(Save2ndScribble());
    Opt2ndTavrinel = "Swedish";
    ASSERT_TRUE(Save2ndTavrinel());

    EXPECT_TRUE(Save3rdLang("Fi"));
    EXPECT_EQ(Opt2ndScribble, "English");
    EXPECT_EQ(Opt2ndTavrinel, "English");
    EXPECT_EQ(Stored("2ndScribble").toString(), "English");
    EXPECT_EQ(Stored("2ndTavrinel").toString(), "English");
    EXPECT_EQ(Stored("3rdLang").toString(), "Fi");

    // English, or the new third language itself, stays as it is.
    Opt2ndScribble = "Fi";
    ASSERT_TRUE(Save2ndScribble());
    EXPECT_TRUE(Save3rdLang("Fi"));
    EXPECT_EQ(Opt2ndScribble, "Fi");
    EXPECT_EQ(OptSql, "UPDATE Options  SET 3rdLang  = 'Fi'");
}

TEST_F(Settings, HidingTheThirdLanguage)
{
    OptBoHide3 = true;
    const QString before = SqlLang3;
    EXPECT_TRUE(SaveBoHide3(true));
    EXPECT_EQ(OptSql, "UPDATE Options  SET boHide3  = True");
    EXPECT_NE(Stored("boHide3").toInt(), 0);
    EXPECT_EQ(link.calls, QStringList({"JulGran", "Panel 6: 3:rd language deselected"}));

    link.Clear();
    OptBoHide3 = false;
    EXPECT_TRUE(SaveBoHide3(false));
    EXPECT_EQ(OptSql, "UPDATE Options  SET boHide3  = False");
    EXPECT_EQ(Stored("boHide3").toInt(), 0);
    EXPECT_EQ(link.PanelText(6), "3:rd language= " + Opt3rdLang + "  ");
    EXPECT_EQ(SqlLang3, before);
}

TEST_F(Settings, ExerciseLanguagesRebuildTheStrings)
{
    Opt2ndScribble = "English";
    SqlMain.clear();
    EXPECT_TRUE(Save2ndScribble());
    EXPECT_EQ(OptSql, "UPDATE Options  SET 2ndScribble  = 'English'");
    EXPECT_FALSE(SqlMain.isEmpty());

    Opt2ndTavrinel = "Swedish";
    SqlMain.clear();
    EXPECT_TRUE(Save2ndTavrinel());
    EXPECT_EQ(OptSql, "UPDATE Options  SET 2ndTavrinel  = 'Swedish'");
    EXPECT_EQ(Stored("2ndTavrinel").toString(), "Swedish");
    EXPECT_FALSE(SqlMain.isEmpty());
}

TEST_F(Settings, AQuoteInAValueIsStoredAsTyped)
{
    Opt2ndTavrinel = "O'Neill";
    EXPECT_TRUE(Save2ndTavrinel());
    EXPECT_EQ(OptSql, "UPDATE Options  SET 2ndTavrinel  = 'O''Neill'");
    EXPECT_EQ(Stored("2ndTavrinel").toString(), "O'Neill");
    EXPECT_EQ(Stored("nbrWrongs").toInt(), OptNbrWrongs); // the row is otherwise untouched
}

TEST_F(Settings, AFailedWriteSaysSoAndKeepsTheStoredValue)
{
    const int stored = Stored("nbrWrongs").toInt();
    RefuseWrites();
    OptNbrWrongs = stored + 11;
    const Outcome saved = SaveNbrWrongs();
    EXPECT_EQ(OptNbrWrongs, stored);
    ASSERT_FALSE(saved);
    const QString prompt = saved.Failure->Prompt;
    EXPECT_TRUE(prompt.contains(DbPath)) << prompt.toStdString();
    EXPECT_TRUE(prompt.contains("settings are locked")) << prompt.toStdString();
    EXPECT_EQ(saved.Failure->Style, winsys::vbCritical);
    EXPECT_TRUE(messages.Messages().isEmpty()) << "the window that saved tells";

    OptBoHide3 = !Stored("boHide3").toInt();
    EXPECT_FALSE(SaveBoHide3(OptBoHide3));
    EXPECT_EQ(OptBoHide3, Stored("boHide3").toInt() != 0);
    EXPECT_TRUE(link.calls.isEmpty()); // no tree rebuild, no panel text
}

TEST_F(Settings, AFailedLanguageChangeChangesNothing)
{
    AddLanguage("Fi");
    Opt2ndScribble = "Swedish";
    ASSERT_TRUE(Save2ndScribble());
    link.Clear();
    const QString table = Lang3Table;
    RefuseWrites();
    const ThirdLanguageSaved saved = Save3rdLang("Fi");
    EXPECT_FALSE(saved);
    EXPECT_TRUE(saved.Failure->Prompt.contains("settings are locked")) << saved.Failure->Prompt.toStdString();
    EXPECT_FALSE(saved.ListsClosed);
    EXPECT_EQ(Opt3rdLang, "Swedish");
    EXPECT_EQ(Opt2ndScribble, "Swedish");
    EXPECT_EQ(Stored("2ndScribble").toString(), "Swedish"); // the writes went together or not at all
    EXPECT_EQ(Lang3Table, table);
    EXPECT_TRUE(link.calls.isEmpty());
}

// The file moved away after the start: the write is refused, says so with
// the file's path, and the variable keeps the value it had.
TEST_F(Settings, AFileMovedAwayIsReported)
{
    const QString moved = db.Path() + ".moved";
    ASSERT_TRUE(QFile::rename(db.Path(), moved));
    const QString before = Opt2ndTavrinel;
    Opt2ndTavrinel = "Klingon";
    const Outcome saved = Save2ndTavrinel();
    EXPECT_EQ(Opt2ndTavrinel, before); // read back through the shared connection
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.Failure->Prompt.contains(DbPath));
    EXPECT_TRUE(saved.Failure->Prompt.contains("nothing was stored"));
    ASSERT_TRUE(QFile::rename(moved, db.Path()));
}
