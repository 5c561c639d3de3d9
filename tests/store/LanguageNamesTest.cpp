// The rules for a new third language's name and for deleting one, which need
// no database.

#include "store/ThirdLanguages.h"

#include "store/SharedState.h"

#include <gtest/gtest.h>

TEST(LanguageNames, OneToThirtyLatinLettersAreANameNothingElseIs)
{
    for (const char *ok : {"Norwegian", "Français", "Suomi", "Íslenska", "Dansk", "Å", "Svenskå",
                           "Cymraeg\u0301", "Abcdefghijklmnopqrstuvwxyzabcd"})
        EXPECT_EQ(tav::LanguageNameRefusal(QString::fromUtf8(ok)), QString()) << ok;
    for (const char *bad : {"Old Norse", "Dan1sh", "Don't", "Basque-Euskara", "Welsh.", "[Irish]", "Tok\"Pisin",
                            "Latin;DROP", "A_b", "Ελληνικά", "Русский", "Englishα", "\u0301a", "日本語",
                            "Abcdefghijklmnopqrstuvwxyzabcde"})
        EXPECT_NE(tav::LanguageNameRefusal(QString::fromUtf8(bad)), QString()) << bad;
    EXPECT_NE(tav::LanguageNameRefusal(QString()), QString());
    EXPECT_NE(tav::LanguageNameRefusal(QStringLiteral("   ")), QString());
}

TEST(LanguageNames, ALongNameIsRefusedWithAShortMessage)
{
    for (const QString &name : {QString(5000, QLatin1Char('w')), QString(5000, QChar(0x03B1))}) {
        const QString refusal = tav::LanguageNameRefusal(name);
        EXPECT_FALSE(refusal.isEmpty());
        EXPECT_LT(refusal.size(), 300) << "the message quotes the name cut short";
    }
    EXPECT_TRUE(tav::LanguageNameRefusal(QString(31, QLatin1Char('w'))).contains(QStringLiteral("30 letters")));
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
