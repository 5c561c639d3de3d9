#include "store/GreekLetters.h"

#include "platform/winsys/core/MsgBox.h"

#include <gtest/gtest.h>

using namespace tav;

TEST(GreekLetters, SortKeyFollowsTheGreekAlphabet)
{
    EXPECT_EQ(TavGreSort("Vs"), "rr");
    EXPECT_EQ(TavGreSort("a b"), "a b");
    EXPECT_EQ(TavGreSort("o~"), "o?");
    EXPECT_EQ(TavGreSort("hmevra"), TavGreSort("hmera"));
    EXPECT_EQ(TavGreSort("abgdezhqiklmnxoprstufcyw"), "abcdefghijklmnopqrstuvxy");
    // Final sigma sorts as sigma; capitals as their small letters.
    EXPECT_EQ(TavGreSort("logoV"), TavGreSort("LOGOS"));
    // A character outside the mapping is kept, never a failure.
    EXPECT_EQ(TavGreSort("a'?b"), "a'?b");
    EXPECT_EQ(TavGreSort(""), "");
}

TEST(GreekLetters, CheckRefusesKeysOutsideTheMapping)
{
    winsys::ScriptedMessages messages;
    QString upper = "A";
    EXPECT_TRUE(TavGreCheck(upper));
    EXPECT_EQ(upper, "a");
    QString empty;
    EXPECT_FALSE(TavGreCheck(empty));
    EXPECT_TRUE(messages.Messages().isEmpty());
    QString bad = "?";
    EXPECT_FALSE(TavGreCheck(bad));
    EXPECT_TRUE(messages.Messages().isEmpty()) << "the window that took the key tells";
    EXPECT_EQ(InvalidKeyNotice().Prompt, "You have entered an none valid character! \nIt will be corrected by Tavrinel!");
    EXPECT_EQ(InvalidKeyNotice().Style, winsys::vbCritical);
}

TEST(GreekLetters, CollapseVMarksKeepsOneMarkPerRun)
{
    QString s = "vavvb ";
    EXPECT_EQ(CollapseVMarks(s), "avb");
    EXPECT_EQ(s, "avb ");
    for (const char *run : {"avvvb", "avvvvb", "avvvvvb", "avvvvvvb"}) {
        QString t = run;
        EXPECT_EQ(CollapseVMarks(t), "avb") << run;
    }
    QString none;
    EXPECT_EQ(CollapseVMarks(none), "");
}

TEST(GreekLetters, FinalNBeforeVowelsAndStops)
{
    EXPECT_TRUE(KeepsFinalN("ena"));
    EXPECT_TRUE(KeepsFinalN("Patevra"));
    EXPECT_TRUE(KeepsFinalN("hmevra"));  // η is a vowel: την ημέρα
    EXPECT_TRUE(KeepsFinalN("wvra"));
    EXPECT_FALSE(KeepsFinalN("mhtevra"));
    EXPECT_FALSE(KeepsFinalN(""));
}

TEST(GreekLetters, LetterNamesAndBounds)
{
    EXPECT_EQ(GreekLetterName(1), "Alfa");
    EXPECT_EQ(GreekLetterName(19), "taf");
    EXPECT_EQ(GreekLetterName(24), "Omega");
    EXPECT_EQ(GreekLetterName(0), "");
    EXPECT_EQ(GreekLetterName(25), "");
    EXPECT_EQ(LatinLetter(1), "a");
    EXPECT_EQ(LatinLetter(26), "z");
    EXPECT_EQ(LatinLetter(27), "å");
    EXPECT_EQ(LatinLetter(29), "ö");
    EXPECT_EQ(LatinLetter(30), "a");
    EXPECT_EQ(LatinLetter(0), "");
    EXPECT_EQ(FirstToUpper("swedish "), "Swedish");
    EXPECT_EQ(FirstToUpper("nEW"), "NEW");
    EXPECT_TRUE(HasPunctuation("a(b"));
    EXPECT_FALSE(HasPunctuation("agapwv"));
}

// A Greek text is stored and searched as the font shows it: a mark typed
// before a capital vowel (where the font draws it) stands after the vowel,
// as in the shipped words; other leading marks go, runs become one.
TEST(GreekLetters, TidyingPutsTheMarkOfACapitalAfterIt)
{
    const struct {
        const char *typed;
        const char *stored;
    } cases[] = {
        {"vEllhna", "Evllhna"},           // the Help's way
        {"EvllhnaV", "EvllhnaV"},         // the shipped way stays
        {"ta vEllhnikav", "ta Evllhnikav"}, // a capital after a blank
        {"vvEllada", "Evllada"},          // a run of marks before it
        {"vAqhna", "Avqhna"},
        {"vWra", "Wvra"},
        {"vBivoV", "BivoV"},              // no vowel: a leading mark goes
        {"vlevxh", "levxh"},
        {"levvxh ", "levxh"},
        {"vE", "Ev"},
        {"v", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TidyGreekText(QString::fromUtf8(c.typed)), QString::fromUtf8(c.stored)) << c.typed;
    EXPECT_EQ(MarksAfterCapitals(QStringLiteral("vlevxh vE")), QStringLiteral("vlevxh Ev")) << "only before capitals";
}

// A whole text refused names its first character that is not a key and
// says that nothing was stored; the typed key's message is not used for it.
TEST(GreekLetters, AWholeTextRefusedNamesItsFirstBadCharacter)
{
    const struct {
        QString text;
        QString named; // "" when the text passes
    } cases[] = {
        {QStringLiteral("Ellhnikav"), QString()},
        {QStringLiteral("ta 12-3"), QString()},
        {QStringLiteral("ακούω"), QStringLiteral("\"α\" (character 1 ")},
        {QStringLiteral("akouvj"), QStringLiteral("\"j\" (character 6 ")},
        {QStringLiteral("Äpfel"), QStringLiteral("\"Ä\" (character 1 ")},
        {QStringLiteral("o*"), QStringLiteral("\"*\" (character 2 ")},
        {QString::fromUtf8("a\xF0\x9F\x98\x80"), QString::fromUtf8("\"\xF0\x9F\x98\x80\" (character 2 ")},
    };
    for (const auto &c : cases) {
        const QString refusal = GreekTextRefusal(c.text);
        if (c.named.isEmpty()) {
            EXPECT_TRUE(refusal.isEmpty());
            continue;
        }
        EXPECT_TRUE(refusal.contains(c.named)) << refusal.toStdString();
        EXPECT_TRUE(refusal.startsWith(QStringLiteral("Nothing was stored"))) << refusal.toStdString();
        EXPECT_FALSE(refusal.contains(QStringLiteral("corrected")));
    }
}
