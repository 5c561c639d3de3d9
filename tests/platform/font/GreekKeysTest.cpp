// The Greek letters printed for texts in the key font.
#include "platform/font/GreekKeys.h"

#include <gtest/gtest.h>

TEST(GreekKeys, EachKeyIsTheLetterTheFontShowsAndTheAccentJoinsItsVowel)
{
    EXPECT_EQ(winsys::GreekKeysToUnicode(QStringLiteral("zestovV")), QStringLiteral("ζεστός"));
    EXPECT_EQ(winsys::GreekKeysToUnicode(QStringLiteral("Elladas")), QStringLiteral("Ελλαδασ")) << "s is always σ";
    EXPECT_EQ(winsys::GreekKeysToUnicode(QStringLiteral("Evna, 2 qavlassa")), QStringLiteral("Ένα, 2 θάλασσα"));
    EXPECT_EQ(winsys::GreekKeysToUnicode(QStringLiteral("v-mv")), QStringLiteral("\u0301-μ\u0301"))
        << "an accent on no vowel stays a mark";
    EXPECT_EQ(winsys::GreekKeysToUnicode(QStringLiteral("pjé")), QStringLiteral("πjé"));
}

TEST(GreekKeys, WordsAndCapitalsReadAsTheFontShowsThem)
{
    EXPECT_EQ(winsys::GreekKeysToUnicode(QStringLiteral("agapavw")), QStringLiteral("αγαπάω"));
    EXPECT_EQ(winsys::GreekKeysToUnicode(QStringLiteral("o lovgoV")), QStringLiteral("ο λόγος"));
    EXPECT_EQ(winsys::GreekKeysToUnicode(QStringLiteral("Ellhnikav")), QStringLiteral("Ελληνικά"));
    EXPECT_EQ(winsys::GreekKeysToUnicode(QStringLiteral("cwvra, yuchv")), QStringLiteral("χώρα, ψυχή"));
    // A capital takes its mark as a small letter does; other keys stay.
    EXPECT_EQ(winsys::GreekKeysToUnicode(QStringLiteral("Avnna (1)")), QStringLiteral("Άννα (1)"));
    EXPECT_EQ(winsys::GreekKeysToUnicode(QString()), QString());
}
