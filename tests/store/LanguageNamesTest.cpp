// The rules for a new third language's name and for deleting one, which need
// no database.

#include "store/ThirdLanguages.h"

#include "store/SharedState.h"

#include <gtest/gtest.h>

TEST(LanguageNames, LettersOfAnyAlphabetAreANameNothingElseIs)
{
    for (const char *ok : {"Norwegian", "Français", "Ελληνικά", "Русский", "Suomi", "Íslenska"})
        EXPECT_EQ(tav::LanguageNameRefusal(QString::fromUtf8(ok)), QString()) << ok;
    for (const char *bad : {"Old Norse", "Dan1sh", "Don't", "Basque-Euskara", "Welsh.", "[Irish]", "Tok\"Pisin",
                            "Latin;DROP", "A_b"})
        EXPECT_NE(tav::LanguageNameRefusal(QString::fromUtf8(bad)), QString()) << bad;
    EXPECT_NE(tav::LanguageNameRefusal(QString()), QString());
    EXPECT_NE(tav::LanguageNameRefusal(QStringLiteral("   ")), QString());
}

TEST(LanguageNames, EnglishTreeKeysAndPromptTextsAreRefusedInAnyCase)
{
    for (const char *taken : {"English", "ENGLISH", "Verbs", "Nouns", "Adjectives", "Root", "Info", "welcome"})
        EXPECT_NE(tav::LanguageNameRefusal(QLatin1String(taken)), QString()) << taken;
    EXPECT_TRUE(tav::LanguageNameRefusal(QStringLiteral("Verbs")).contains(QStringLiteral("\"Verbs\"")));
    EXPECT_NE(tav::LanguageNameRefusal(tav::AddLangPrompt), QString());
}

TEST(LanguageNames, TableNamesAreMadeFromTheName)
{
    EXPECT_EQ(tav::LanguageWordTable(QStringLiteral("Norwegian")), QStringLiteral("GreekNorwegian"));
    EXPECT_EQ(tav::LanguageIndexTable(QStringLiteral("Norwegian")), QStringLiteral("AllNorwegianGreek"));
}

TEST(LanguageNames, TheBuiltInTheUsedAndTheEnglishLanguageAreNeverDeleted)
{
    const QString saved = tav::Opt3rdLang;
    tav::Opt3rdLang = QStringLiteral("Norwegian");
    EXPECT_NE(tav::DeleteLanguageRefusal(QStringLiteral("Swedish")), QString());
    EXPECT_NE(tav::DeleteLanguageRefusal(QStringLiteral("swedish")), QString());
    EXPECT_NE(tav::DeleteLanguageRefusal(QStringLiteral("English")), QString());
    EXPECT_NE(tav::DeleteLanguageRefusal(QString()), QString());
    EXPECT_EQ(tav::DeleteLanguageRefusal(QStringLiteral("Norwegian")),
              QStringLiteral("You can Not delete a user added language that is in use as 3:rd language!\nIf you like "
                             "to delete it, You must first select another 3:rd language from the left list!"));
    EXPECT_EQ(tav::DeleteLanguageRefusal(QStringLiteral("Danish")), QString());
    tav::Opt3rdLang = saved;
}

TEST(LanguageNames, ThePresentMessageNamesTheLanguage)
{
    EXPECT_EQ(tav::ExistingLanguageMessage(QStringLiteral("Swedish")),
              QStringLiteral("The Swedish language is already present,\nand will not be added.\nAll other option "
                             "changes, if any, will be made effective!"));
}
