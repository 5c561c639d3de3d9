// Adding, listing and deleting third languages on a copy of the database,
// and choosing the language in use.

#include "store/ThirdLanguages.h"

#include "ThirdLanguageFixture.h"
#include "store/Settings.h"

using tavtest::ThirdLanguageFixture;


TEST_F(ThirdLanguageFixture, AddingNorwegianMakesBothTablesTheRowAndTheWelcomeRows)
{
    const long long words = NativeCount(QStringLiteral("SELECT count(*) FROM Main"));
    tav::AddThirdLanguage(QStringLiteral("Norwegian"), QStringLiteral("velkommen"));

    ASSERT_TRUE(HasTable(QStringLiteral("GreekNorwegian")));
    ASSERT_TRUE(HasTable(QStringLiteral("AllNorwegianGreek")));
    EXPECT_EQ(NativeCount(QStringLiteral("SELECT count(*) FROM Languages WHERE Name = 'Norwegian'")), 1);
    // One row per word, with only ID and Greek filled.
    EXPECT_EQ(RowsOf(QStringLiteral("GreekNorwegian")), words);
    EXPECT_EQ(NativeCount(QStringLiteral("SELECT count(*) FROM GreekNorwegian g JOIN Main m ON m.ID = g.ID AND "
                                         "m.Greek = g.Greek WHERE g.Lat IS NULL AND g.Means IS NULL AND g.Remarks "
                                         "IS NULL")),
              words);
    // The two welcome phrases with the welcome word as meaning.
    EXPECT_EQ(RowsOf(QStringLiteral("AllNorwegianGreek")), 2);
    EXPECT_EQ(NativeCount(QStringLiteral("SELECT count(*) FROM AllNorwegianGreek a JOIN Main m ON m.ID = a.ID AND "
                                         "m.Sal = a.Sal AND m.Greek = a.Greek WHERE a.Lat = 'velkommen' AND a.Art IS "
                                         "NULL AND m.Greek IN ('kalwvV orivsate', 'kalwvV touV')")),
              2);
    EXPECT_EQ(tav::LanguageNames(), QStringList({QStringLiteral("Norwegian"), QStringLiteral("Swedish")}));
    EXPECT_EQ(tav::LanguageIndexRows(QStringLiteral("Norwegian")), 2);
    // The new language is not the one in use.
    EXPECT_EQ(tav::Opt3rdLang, QStringLiteral("Swedish"));
}

TEST_F(ThirdLanguageFixture, AWelcomeWordWithAQuoteIsStoredAsTypedAndAnEmptyOneAddsNoMeaning)
{
    tav::AddThirdLanguage(QStringLiteral("Irish"), QStringLiteral("fáilte'"));
    EXPECT_EQ(NativeCount(QStringLiteral("SELECT count(*) FROM AllIrishGreek WHERE Lat = 'fáilte'''")), 2);
    tav::AddThirdLanguage(QStringLiteral("Welsh"), QStringLiteral("  "));
    EXPECT_EQ(RowsOf(QStringLiteral("AllWelshGreek")), 0);
    EXPECT_EQ(tav::LanguageIndexRows(QStringLiteral("Welsh")), 0);
}

TEST_F(ThirdLanguageFixture, ALanguageWithAccentedLettersGetsTablesThatAnswer)
{
    const QString icelandic = QString::fromUtf8("Íslenska");
    tav::AddThirdLanguage(icelandic, QString::fromUtf8("velkomin"));
    EXPECT_EQ(tav::LanguageIndexRows(icelandic), 2);
    // It can be made the language in use: its strings are valid queries.
    ASSERT_TRUE(tav::Save3rdLang(icelandic));
    EXPECT_EQ(tav::Opt3rdLang, icelandic);
    EXPECT_EQ(tav::Lang3Count, 2);
    EXPECT_FALSE(tav::Lang3Complete);
}

TEST_F(ThirdLanguageFixture, RefusedNamesAndDuplicatesChangeNothing)
{
    const long long tables = NativeCount(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'"));
    for (const char *name : {"Old Norse", "Verbs", "English", "Swedish", "SWEDISH", "Nor'wegian", "", "Русский"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(tav::AddThirdLanguage(QString::fromUtf8(name), QStringLiteral("hej")), dao::DaoError);
    }
    EXPECT_THROW(tav::AddThirdLanguage(QString(5000, QLatin1Char('w')), QStringLiteral("hej")), dao::DaoError);
    tav::AddThirdLanguage(QStringLiteral("Danish"), QStringLiteral("velkommen"));
    EXPECT_THROW(tav::AddThirdLanguage(QStringLiteral("danish"), QStringLiteral("x")), dao::DaoError);
    EXPECT_EQ(NativeCount(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'")), tables + 2);
    EXPECT_EQ(NativeCount(QStringLiteral("SELECT count(*) FROM Languages")), 2);
    EXPECT_TRUE(tav::LanguageExists(QStringLiteral("DANISH")));
    EXPECT_NE(tav::NewLanguageRefusal(QStringLiteral("Danish")), QString());
    EXPECT_EQ(tav::NewLanguageRefusal(QStringLiteral("Finnish")), QString());
}

TEST_F(ThirdLanguageFixture, AnAddThatFailsHalfWayLeavesNoTableAndNoRow)
{
    // A table of the new language's name already there (made outside the
    // program): nothing is created, nothing is added.
    tav::WordDb->ExecNative(QStringLiteral("CREATE TABLE GreekBasque (ID INTEGER)"));
    EXPECT_THROW(tav::AddThirdLanguage(QStringLiteral("Basque"), QStringLiteral("ongi")), dao::DaoError);
    EXPECT_FALSE(HasTable(QStringLiteral("AllBasqueGreek")));
    EXPECT_EQ(NativeCount(QStringLiteral("SELECT count(*) FROM Languages WHERE Name = 'Basque'")), 0);

    // A failure inside the transaction (Main is gone) rolls back the tables
    // and the row made before it.
    tav::WordDb->ExecNative(QStringLiteral("ALTER TABLE Main RENAME TO MainAway"));
    EXPECT_THROW(tav::AddThirdLanguage(QStringLiteral("Catalan"), QStringLiteral("benvinguts")), dao::DaoError);
    tav::WordDb->ExecNative(QStringLiteral("ALTER TABLE MainAway RENAME TO Main"));
    EXPECT_FALSE(HasTable(QStringLiteral("GreekCatalan")));
    EXPECT_FALSE(HasTable(QStringLiteral("AllCatalanGreek")));
    EXPECT_EQ(NativeCount(QStringLiteral("SELECT count(*) FROM Languages WHERE Name = 'Catalan'")), 0);
}

TEST_F(ThirdLanguageFixture, DeletingAnAddedLanguageRemovesItsRowAndTablesOnly)
{
    tav::AddThirdLanguage(QStringLiteral("Norwegian"), QStringLiteral("velkommen"));
    tav::AddThirdLanguage(QStringLiteral("Danish"), QStringLiteral("velkommen"));
    const long long english = RowsOf(QStringLiteral("AllEnglishGreek"));

    tav::DeleteThirdLanguage(QStringLiteral("Norwegian"));
    EXPECT_FALSE(HasTable(QStringLiteral("GreekNorwegian")));
    EXPECT_FALSE(HasTable(QStringLiteral("AllNorwegianGreek")));
    EXPECT_EQ(tav::LanguageNames(), QStringList({QStringLiteral("Danish"), QStringLiteral("Swedish")}));
    EXPECT_TRUE(HasTable(QStringLiteral("GreekDanish")));
    EXPECT_TRUE(HasTable(QStringLiteral("GreekSwedish")));
    EXPECT_EQ(RowsOf(QStringLiteral("AllEnglishGreek")), english);
    EXPECT_EQ(tav::LanguageIndexRows(QStringLiteral("Norwegian")), 0);
}

TEST_F(ThirdLanguageFixture, TheBuiltInTheUsedAndUnknownLanguagesAreNotDeleted)
{
    tav::AddThirdLanguage(QStringLiteral("Norwegian"), QStringLiteral("velkommen"));
    ASSERT_TRUE(tav::Save3rdLang(QStringLiteral("Norwegian")));
    EXPECT_THROW(tav::DeleteThirdLanguage(QStringLiteral("Norwegian")), dao::DaoError);
    EXPECT_THROW(tav::DeleteThirdLanguage(QStringLiteral("Swedish")), dao::DaoError);
    EXPECT_THROW(tav::DeleteThirdLanguage(QStringLiteral("English")), dao::DaoError);
    EXPECT_THROW(tav::DeleteThirdLanguage(QStringLiteral("Klingon")), dao::DaoError);
    EXPECT_TRUE(HasTable(QStringLiteral("GreekNorwegian")));
    EXPECT_TRUE(HasTable(QStringLiteral("GreekSwedish")));
    EXPECT_TRUE(HasTable(QStringLiteral("AllEnglishGreek")));
    EXPECT_EQ(NativeCount(QStringLiteral("SELECT count(*) FROM Languages")), 2);
}

TEST_F(ThirdLanguageFixture, ChoosingALanguageWhoseTablesAreGoneIsRefusedAndNothingIsWritten)
{
    tav::WordDb->ExecNative(QStringLiteral("INSERT INTO Languages (Name) VALUES ('Ghost')"));
    const tav::ThirdLanguageSaved saved = tav::Save3rdLang(QStringLiteral("Ghost"));
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.Failure->Prompt.startsWith(QStringLiteral("The Ghost language can not be selected")));
    EXPECT_EQ(tav::Opt3rdLang, QStringLiteral("Swedish"));
    EXPECT_EQ(Native(QStringLiteral("SELECT [3rdLang] FROM Options")).toString(), QStringLiteral("Swedish"));
    EXPECT_EQ(tav::SqlLang3.contains(QStringLiteral("GreekSwedish")), true);
    EXPECT_EQ(link.Count(QStringLiteral("JulGran")), 0);

    // The word table alone is not enough either.
    tav::WordDb->ExecNative(QStringLiteral("CREATE TABLE GreekGhost (ID INTEGER, Lat TEXT, Means TEXT, Greek TEXT, "
                                           "Remarks TEXT)"));
    EXPECT_FALSE(tav::Save3rdLang(QStringLiteral("Ghost")));
    EXPECT_FALSE(tav::Save3rdLang(QString()));
    EXPECT_EQ(tav::Opt3rdLang, QStringLiteral("Swedish"));
}

TEST_F(ThirdLanguageFixture, PanelSixFollowsBothTheLanguageAndItsHiding)
{
    tav::AddThirdLanguage(QStringLiteral("Norwegian"), QStringLiteral("velkommen"));
    ASSERT_TRUE(tav::Save3rdLang(QStringLiteral("Norwegian")));
    EXPECT_EQ(link.PanelText(6), QStringLiteral("3:rd language= Norwegian  "));
    EXPECT_EQ(link.Count(QStringLiteral("JulGran")), 1);

    tav::OptBoHide3 = true;
    ASSERT_TRUE(tav::SaveBoHide3(true));
    EXPECT_EQ(link.PanelText(6), QStringLiteral("3:rd language deselected"));
    // Choosing a language while it is hidden keeps the panel on "deselected".
    ASSERT_TRUE(tav::Save3rdLang(QStringLiteral("Swedish")));
    EXPECT_EQ(link.PanelText(6), QStringLiteral("3:rd language deselected"));
    tav::OptBoHide3 = false;
    ASSERT_TRUE(tav::SaveBoHide3(false));
    EXPECT_EQ(link.PanelText(6), QStringLiteral("3:rd language= Swedish  "));
}

TEST_F(ThirdLanguageFixture, TheRuleForSeveralMeaningsIsWrittenDirectly)
{
    ASSERT_TRUE(tav::SaveBoChecka(true));
    EXPECT_TRUE(tav::OptBoChecka);
    EXPECT_NE(Native(QStringLiteral("SELECT BoChecka FROM Options")).toLongLong(), 0);
    EXPECT_EQ(link.PanelText(4), QStringLiteral("Tavrinel CheckAll True  "));
    ASSERT_TRUE(tav::SaveBoChecka(false));
    EXPECT_EQ(Native(QStringLiteral("SELECT BoChecka FROM Options")).toLongLong(), 0);
    EXPECT_EQ(link.PanelText(4), QStringLiteral("Tavrinel CheckAll False  "));
}
