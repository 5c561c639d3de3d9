// The category tree's texts that need no database: filters of the recount,
// letter suffixes and lists, the leading count of a caption.

#include "store/CategoryTree.h"

#include "store/CaptionArrays.h"

#include <gtest/gtest.h>

TEST(CategoryTreeTexts, RecountFiltersWithoutALetterKeepTheCountsOfTheBuild)
{
    for (const QString &key : tav::CategoryTreeKeys()) {
        if (!tav::IsGreekNodeKey(key) || key.startsWith(QLatin1String("NTyp")))
            continue;
        EXPECT_EQ(tav::RecountFilter(key, QString()), tav::BuildCountFilter(key)) << key.toStdString();
    }
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("NTyp0"), QString()), QStringLiteral(" genus = 0 "));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("NTyp1"), QString()), QStringLiteral(" genus = 1"));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("NTyp2"), QString()), QStringLiteral(" genus  = 2"));
    EXPECT_EQ(tav::BuildCountFilter(QStringLiteral("HTyp0")), QStringLiteral("WT = 'cA'"));
    EXPECT_EQ(tav::BuildCountFilter(QStringLiteral("English")), QString());
}

TEST(CategoryTreeTexts, RecountFiltersPutTheLetterBeforeEveryTerm)
{
    const QString x = QStringLiteral("k");
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("All Greek"), x), QStringLiteral("Greek Like'k*'"));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("Verbs"), x),
              QStringLiteral(" Greek  Like'k*' AND WT  Like'c#' OR Greek  Like'k*' AND WT  Like'cp#' OR Greek  "
                             "Like'k*' AND WT  Like'cv' OR Greek  Like'k*' AND WT  Like'cA'"));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("HTyp0"), x), QStringLiteral(" Greek  Like'k*' AND WT  = 'cA'"));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("HTyp1"), x),
              QStringLiteral(" Greek  Like'k*' AND WT  Like'c#' OR Greek  Like'k*' AND WT  Like'cv' OR Greek  "
                             "Like'k*' AND WT  Like'cA'"));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("HTyp2"), x), QStringLiteral(" Greek  Like'k*' AND WT Like'cp#'"));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("ATyp3"), x), QStringLiteral(" Greek  Like'k*' AND WT Like'c3'"));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("PTyp2"), x), QStringLiteral(" Greek  Like'k*' AND WT Like'cp3'"));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("Nouns"), x),
              QStringLiteral(" Greek  Like'k*' AND genus =0  OR Greek  Like'k*' AND genus = 1  OR Greek  Like'k*' "
                             "AND genus = 2"));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("NTyp2"), x), QStringLiteral(" Greek  Like'k*' AND genus = 2 "));
    EXPECT_EQ(tav::RecountFilter(QStringLiteral("Adjectives"), x), QStringLiteral(" Greek  Like'k*' AND WT  Like'b*'"));
}

TEST(CategoryTreeTexts, KeysAndWordTypeCodes)
{
    const QStringList &keys = tav::CategoryTreeKeys();
    ASSERT_EQ(keys.size(), 22);
    EXPECT_EQ(keys.first(), QStringLiteral("Root"));
    EXPECT_EQ(keys.at(1), QStringLiteral("All Greek"));
    EXPECT_EQ(keys.at(19), QStringLiteral("Adjectives"));
    EXPECT_EQ(keys.last(), QStringLiteral("English"));
    EXPECT_FALSE(tav::IsGreekNodeKey(QStringLiteral("Root")));
    EXPECT_FALSE(tav::IsGreekNodeKey(QStringLiteral("Info")));
    EXPECT_FALSE(tav::IsGreekNodeKey(QStringLiteral("verbs")));
    EXPECT_TRUE(tav::IsGreekNodeKey(QStringLiteral("PTyp4")));

    EXPECT_EQ(tav::NodeWordTypeCode(QStringLiteral("HTyp0")), QStringLiteral("cA"));
    EXPECT_EQ(tav::NodeWordTypeCode(QStringLiteral("HTyp2")), QStringLiteral("cp#"));
    EXPECT_EQ(tav::NodeWordTypeCode(QStringLiteral("ATyp1")), QStringLiteral("cv"));
    EXPECT_EQ(tav::NodeWordTypeCode(QStringLiteral("PTyp3")), QStringLiteral("cp4"));
    EXPECT_EQ(tav::NodeWordTypeCode(QStringLiteral("HTyp1")), QString());
}

TEST(CategoryTreeTexts, LetterSuffixNamesTheLetterInQuotes)
{
    EXPECT_EQ(tav::LetterSuffix(0, true), QString());
    EXPECT_EQ(tav::LetterSuffix(1, true), QStringLiteral(" on \"Alfa\""));
    EXPECT_EQ(tav::LetterSuffix(24, true), QStringLiteral(" on \"Omega\""));
    EXPECT_EQ(tav::LetterSuffix(2, false), QStringLiteral(" on \"b\""));
    EXPECT_EQ(tav::LetterSuffix(29, false), QStringLiteral(" on \"ö\""));
}

TEST(CategoryTreeTexts, LetterListsHoldTheDashAndTheLettersAtTheirPlaces)
{
    const QStringList latin = tav::LatinLetterList();
    ASSERT_EQ(latin.size(), 30);
    EXPECT_EQ(latin.at(0), QStringLiteral("-"));
    EXPECT_EQ(latin.at(1), QStringLiteral("a"));
    EXPECT_EQ(latin.at(26), QStringLiteral("z"));
    EXPECT_EQ(latin.at(27), QStringLiteral("å"));

    const QStringList saved = tav::Caps1292.Texts();
    tav::Caps1292.Set(1292, QStringLiteral("a"));
    tav::Caps1292.Set(1315, QStringLiteral("w"));
    const QStringList greek = tav::GreekLetterList();
    ASSERT_EQ(greek.size(), 25);
    EXPECT_EQ(greek.at(0), QStringLiteral("-"));
    EXPECT_EQ(greek.at(1), QStringLiteral("a"));
    EXPECT_EQ(greek.at(24), QStringLiteral("w"));
    for (int i = 0; i < saved.size(); ++i)
        tav::Caps1292.Set(1292 + i, saved.at(i));
}

