// The Jet-to-SQLite translation and Jet's Like.
#include "DaoTestHelpers.h"
#include "platform/dao/Dao.h"
#include "platform/dao/JetSql.h"

#include <gtest/gtest.h>

using dao::DaoError;
using dao::JetLike;
using dao::TranslateJet;

namespace {

struct Case {
    const char *jet;
    const char *native;
};

TEST(TranslateJet, RewritesWhatSqliteRejectsOrReadsOtherwise)
{
    const Case cases[] = {
        // DELETE * FROM
        {"DELETE * FROM Main WHERE ID = 5", "DELETE FROM Main WHERE ID = 5"},
        {"delete * from WrongIDs", "delete from WrongIDs"},
        {"DELETE Main.* FROM Main WHERE ID = 5", "DELETE FROM Main WHERE ID = 5"},
        {"DELETE FROM Main", "DELETE FROM Main"},
        // qualified targets after SET; the WHERE keeps its qualifier
        {"UPDATE Main SET Main.Art = 'o', Main.Greek = 'lovgoV' WHERE Main.ID = 5",
         "UPDATE Main SET Art = 'o', Greek = 'lovgoV' WHERE Main.ID = 5"},
        {"UPDATE [Main] SET [Main].[Art] = 'h'", "UPDATE [Main] SET [Art] = 'h'"},
        {"UPDATE Main SET Main.Remarks = Main.Greek WHERE ID = 1",
         "UPDATE Main SET Remarks = Main.Greek WHERE ID = 1"},
        {"UPDATE Main SET Main.Sal = substr(Main.Greek, 1, 2), Main.WT = 'c1'",
         "UPDATE Main SET Sal = substr(Main.Greek, 1, 2), WT = 'c1'"},
        // names that begin with a digit, and Index
        {"SELECT Main.3rdLang, 2ndScribble, 2ndTavrinel FROM Main",
         "SELECT Main.\"3rdLang\", \"2ndScribble\", \"2ndTavrinel\" FROM Main"},
        {"SELECT [3rdLang] FROM Main", "SELECT [3rdLang] FROM Main"},
        {"SELECT Index FROM Klino ORDER BY Klino.Index", "SELECT \"Index\" FROM Klino ORDER BY Klino.\"Index\""},
        {"CREATE INDEX ixSal ON Main (Sal)", "CREATE INDEX ixSal ON Main (Sal)"},
        {"CREATE UNIQUE INDEX ixID ON Main (ID)", "CREATE UNIQUE INDEX ixID ON Main (ID)"},
        {"DROP INDEX ixSal", "DROP INDEX ixSal"},
        // aliases after AS
        {"SELECT Greek, English AS Swedish FROM Main", "SELECT Greek, English AS \"Swedish\" FROM Main"},
        {"SELECT English AS [English words] FROM Main", "SELECT English AS [English words] FROM Main"},
        {"SELECT Count(*) AS N FROM Main AS M", "SELECT Count(*) AS \"N\" FROM Main AS \"M\""},
        // True/False as Jet stores them, never inside a text
        {"UPDATE Options SET Flag = True WHERE Other = False", "UPDATE Options SET Flag = -1 WHERE Other = 0"},
        {"SELECT * FROM Main WHERE English = 'True or False'", "SELECT * FROM Main WHERE English = 'True or False'"},
        // Jet's double-quoted texts
        {"SELECT * FROM Main WHERE English = \"it's\"", "SELECT * FROM Main WHERE English = 'it''s'"},
        {"SELECT * FROM Main WHERE English = \"say \"\"hi\"\"\"", "SELECT * FROM Main WHERE English = 'say \"hi\"'"},
        // left alone
        {"SELECT * FROM Main WHERE Lat Like 'a*' ORDER BY Sal", "SELECT * FROM Main WHERE Lat Like 'a*' ORDER BY Sal"},
        {"SELECT * FROM Main WHERE English = 'a & b -- c # d'", "SELECT * FROM Main WHERE English = 'a & b -- c # d'"},
        {"SELECT * FROM Main WHERE English = 'O''Neil'", "SELECT * FROM Main WHERE English = 'O''Neil'"},
        {"SELECT 1.5e3, 10, .5 FROM Main;", "SELECT 1.5e3, 10, .5 FROM Main;"},
        // numbers with exponents stay numbers, never quoted as names
        {"SELECT 1e5, 2.5E-2, 7. FROM Main", "SELECT 1e5, 2.5E-2, 7. FROM Main"},
        {"SELECT `Greek` FROM Main WHERE English = \"\"", "SELECT `Greek` FROM Main WHERE English = ''"},
        {"ID = 5", "ID = 5"},
        {"WT Like 'c[!f]*' AND Genus <> 99", "WT Like 'c[!f]*' AND Genus <> 99"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TranslateJet(QString::fromUtf8(c.jet)), QString::fromUtf8(c.native)) << c.jet;
}

TEST(TranslateJet, RefusesWhatWouldRunWithAnotherMeaning)
{
    const char *refused[] = {
        "UPDATE Main SET Greek = Greek & 'x'",
        "SELECT * FROM WrongIDs WHERE MadeDate > #1/1/2000#",
        "SELECT IIf(Genus = 99, 'x', 'y') FROM Main",
        "SELECT Nz(AP, '') FROM Main",
        "SELECT * FROM Main WHERE Left(Greek, 1) = 'a'",
        "SELECT 'a' + Greek FROM Main",
        "SELECT * FROM Main WHERE ID = ?",
        "SELECT ID Mod 2 FROM Main",
        "SELECT TOP 5 * FROM Main",
        "SELECT ID FROM Main WHERE ID = 5--1",
        "UPDATE Main INNER JOIN KonT1 ON Main.ID = KonT1.ID SET Main.WT = KonT1.WT",
        "SELECT * FROM Main WHERE Greek = 'not closed",
        "SELECT [Greek FROM Main",
        "SELECT `Greek FROM Main",
        "SELECT * FROM Main WHERE English = \"not closed",
        "SELECT Left$(Greek, 1) FROM Main",
    };
    for (const char *jet : refused) {
        try {
            TranslateJet(QString::fromUtf8(jet));
            ADD_FAILURE() << "not refused: " << jet;
        } catch (const DaoError &e) {
            EXPECT_EQ(e.Number(), DaoError::UnsupportedJetSql) << jet;
        }
    }
    try {
        TranslateJet(QStringLiteral("SELECT Greek & English FROM Main"));
    } catch (const DaoError &e) {
        EXPECT_TRUE(e.Description().contains(QLatin1String("&"))) << e.what();
    }
}

struct LikeCase {
    const char *text;
    const char *pattern;
    bool match;
};

TEST(JetLike, FollowsJetWildcards)
{
    const LikeCase cases[] = {
        // # is one digit
        {"c1", "c#", true},  {"cA", "c#", false},  {"c12", "c#", false}, {"c", "c#", false},
        {"cp3", "cp#", true}, {"cp", "cp#", false}, {"cpx", "cp#", false},
        // [!x] and *
        {"c1", "c[!f]*", true}, {"cv", "c[!f]*", true}, {"cp1", "c[!f]*", true},
        {"cf", "c[!f]*", false}, {"cF", "c[!f]*", false}, {"c", "c[!f]*", false},
        // ? is one character, also a Greek one
        {"abc", "a?c", true}, {"ac", "a?c", false}, {"λόγος", "λ?γος", true}, {"λόγος", "?????", true},
        {"λόγος", "????", false},
        // ranges, sets, brackets that quote a wildcard
        {"b", "[a-c]", true}, {"B", "[a-c]", true}, {"d", "[a-c]", false}, {"d", "[!a-c]", true},
        {"x", "[abc]", false}, {"-", "[a-]", true}, {"*", "[*]", true}, {"a", "[*]", false},
        {"a?", "a[?]", true}, {"ab", "a[?]", false}, {"#", "[#]", true},
        // an unmatched [ matches itself
        {"a[b", "a[b", true}, {"a[", "a[", true}, {"ab", "a[b", false}, {"[x", "[*", true},
        // SQL's own wildcards are plain characters in Jet
        {"50%", "50%", true}, {"500", "50%", false}, {"a_c", "a_c", true}, {"abc", "a_c", false},
        {"a\\b", "a\\b", true}, {"a\\b", "a\\?", true}, {"ab", "a\\b", false},
        // case, ASCII and Greek
        {"Abc", "a*", true}, {"ABC", "*b*", true}, {"ΛΌΓΟΣ", "*όγο*", true}, {"Λόγος", "λ*Σ", true},
        // stars
        {"", "*", true}, {"", "", true}, {"a", "", false}, {"xyz", "*y*", true}, {"xz", "*y*", false},
        {"aXbXc", "a*b*c", true}, {"acb", "a*b*c", false}, {"mississippi", "*iss*ip*", true},
        {"abcabd", "*ab?", true}, {"abab", "*ab*ab", true}, {"aba", "*ab*ab", false},
        {"x", "**x**", true}, {"kalhmevra", "*m?v*", true},
    };
    for (const LikeCase &c : cases)
        EXPECT_EQ(JetLike(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)), c.match)
            << c.text << " Like " << c.pattern;
}

TEST(JetLike, ACompiledPatternAnswersEveryTextItIsGiven)
{
    // One pattern over many texts, as a grid search uses it row by row: no
    // match may leave anything behind for the next, ASCII or Greek.
    const dao::LikePattern like(QStringLiteral("*ab?"));
    const LikeCase cases[] = {
        {"abcabd", "", true}, {"ab", "", false}, {"λabγ", "", true}, {"xabx", "", true},
        {"abab", "", false}, {"", "", false}, {"ΑΒΓ", "", false}, {"zabΓ", "", true},
    };
    for (const LikeCase &c : cases)
        EXPECT_EQ(like.Matches(QString::fromUtf8(c.text)), c.match) << c.text;
}

} // namespace
