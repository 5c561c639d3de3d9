#include "store/ListRequests.h"

#include "store/SharedState.h"

#include <gtest/gtest.h>

using tav::ListRequest;
using Route = tav::ListRequest::Route;

namespace {

// The shared strings as markers, so that each test sees which one a route
// took; the texts themselves are the store's own business.
class ListRequestsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tav::SqlMain = QStringLiteral("<SqlMain>");
        tav::SqlMain2 = QStringLiteral("<SqlMain2>");
        tav::SqlMainGenus = QStringLiteral("<SqlMainGenus>");
        tav::SqlLang3 = QStringLiteral("<SqlLang3>");
        tav::SqlLang3Genus = QStringLiteral("<SqlLang3Genus>");
        tav::SqlAllEnglish = QStringLiteral("<SqlAllEnglish>");
        tav::SqlAllLang3 = QStringLiteral("<SqlAllLang3>");
        tav::Opt3rdLang = QStringLiteral("Swedish");
        tav::OptBoHide3 = false;
    }
    void TearDown() override { tav::ResetSharedState(); }
};

class Recorder : public tav::ListRequests {
public:
    void DoStdGrid(const QString &Sql, bool IsGreek, int SortValue, const QString &Caption, int ViewTag,
                   const QString &Filter) override
    {
        calls << QStringLiteral("Std|%1|%2|%3|%4|%5|%6")
                     .arg(Sql)
                     .arg(IsGreek)
                     .arg(SortValue)
                     .arg(Caption)
                     .arg(ViewTag)
                     .arg(Filter);
    }
    void DoSimpleGrid(const QString &Sql, int Lang, const QString &Word, int Mode) override
    {
        calls << QStringLiteral("Simple|%1|%2|%3|%4").arg(Sql).arg(Lang).arg(Word).arg(Mode);
    }
    QStringList calls;
};

} // namespace

TEST_F(ListRequestsTest, AllGreekTakesTheThirdLanguageListUnlessItIsHidden)
{
    ListRequest r = tav::ShowRequest(QStringLiteral("All Greek"), QStringLiteral("812 Greek words"), false, QString());
    EXPECT_EQ(r.route, Route::StdGrid);
    EXPECT_EQ(r.Sql, QStringLiteral("<SqlLang3>"));
    EXPECT_TRUE(r.IsGreek);
    EXPECT_EQ(r.SortValue, 0);
    EXPECT_EQ(r.Caption, QStringLiteral("812 Greek words"));
    EXPECT_EQ(r.ViewTag, 2);
    EXPECT_EQ(r.Filter, QString());

    r = tav::ShowRequest(QStringLiteral("All Greek"), QStringLiteral("c"), true, QStringLiteral("a"));
    EXPECT_EQ(r.Filter, QStringLiteral("Greek Like'a*'"));

    tav::OptBoHide3 = true;
    r = tav::ShowRequest(QStringLiteral("All Greek"), QStringLiteral("c"), true, QStringLiteral("a"));
    EXPECT_EQ(r.Sql, QStringLiteral("<SqlMain>"));
}

TEST_F(ListRequestsTest, VerbNodesFilterOnTheWordTypeWithoutAndWithALetter)
{
    struct Case {
        const char *key, *plain, *lettered;
    };
    const Case cases[] = {
        {"Verbs", " WT Like'c#' OR WT  Like'cp#' OR WT  Like'cv' OR WT  Like'cA'",
         " Greek  Like'x*' AND WT  Like'c#' OR Greek  Like'x*' AND WT  Like'cp#' OR Greek  Like'x*' AND WT  "
         "Like'cv' OR Greek  Like'x*' AND WT  Like'cA'"},
        {"HTyp1", "WT Like'c#' OR WT  Like'cv' OR WT  Like'cA'",
         " Greek  Like'x*' AND WT  Like'c#' OR Greek  Like'x*' AND WT  Like'cv' OR Greek  Like'x*' AND WT  "
         "Like'cA'"},
        {"HTyp0", "WT Like'cA'", " Greek  Like'x*' AND WT Like'cA'"},
        {"HTyp2", "WT Like'cp#'", " Greek  Like'x*' AND WT Like'cp#'"},
        {"ATyp0", "WT Like'c1'", " Greek  Like'x*' AND WT Like'c1'"},
        {"ATyp1", "WT Like'cv'", " Greek  Like'x*' AND WT Like'cv'"},
        {"ATyp2", "WT Like'c2'", " Greek  Like'x*' AND WT Like'c2'"},
        {"ATyp3", "WT Like'c3'", " Greek  Like'x*' AND WT Like'c3'"},
        {"PTyp0", "WT Like'cp1'", " Greek  Like'x*' AND WT Like'cp1'"},
        {"PTyp4", "WT Like'cp5'", " Greek  Like'x*' AND WT Like'cp5'"},
        {"Adjectives", " WT  Like'b*'", " Greek  Like'x*' AND WT  Like'b*'"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        ListRequest r = tav::ShowRequest(QLatin1String(c.key), QStringLiteral("cap"), false, QStringLiteral("x"));
        EXPECT_EQ(r.Filter, QLatin1String(c.plain)) << "a letter not picked is not used";
        EXPECT_EQ(r.ViewTag, 5);
        EXPECT_EQ(r.Sql, QStringLiteral("<SqlLang3>"));
        r = tav::ShowRequest(QLatin1String(c.key), QStringLiteral("cap"), true, QStringLiteral("x"));
        EXPECT_EQ(r.Filter, QLatin1String(c.lettered));
        tav::OptBoHide3 = true;
        EXPECT_EQ(tav::ShowRequest(QLatin1String(c.key), QString(), false, QString()).Sql, QStringLiteral("<SqlMain2>"));
        tav::OptBoHide3 = false;
    }
}

TEST_F(ListRequestsTest, NounNodesFilterOnTheGenderOverTheGenderLists)
{
    ListRequest r = tav::ShowRequest(QStringLiteral("Nouns"), QStringLiteral("cap"), false, QString());
    EXPECT_EQ(r.Filter, QStringLiteral(" genus= 0 OR genus=1 OR genus=2"));
    EXPECT_EQ(r.Sql, QStringLiteral("<SqlLang3Genus>"));
    EXPECT_EQ(r.ViewTag, 2);
    r = tav::ShowRequest(QStringLiteral("Nouns"), QStringLiteral("cap"), true, QStringLiteral("m"));
    EXPECT_EQ(r.Filter, QStringLiteral(" Greek  Like'm*' AND genus =0  OR Greek  Like'm*' AND genus = 1  OR Greek  "
                                       "Like'm*' AND genus = 2"));
    for (int g = 0; g < 3; ++g) {
        const QString key = QStringLiteral("NTyp%1").arg(g);
        EXPECT_EQ(tav::ShowRequest(key, QString(), false, QString()).Filter, QStringLiteral(" genus  = %1").arg(g));
        EXPECT_EQ(tav::ShowRequest(key, QString(), true, QStringLiteral("p")).Filter,
                  QStringLiteral(" Greek  Like'p*' AND genus  = %1").arg(g));
    }
    tav::OptBoHide3 = true;
    EXPECT_EQ(tav::ShowRequest(QStringLiteral("NTyp1"), QString(), false, QString()).Sql, QStringLiteral("<SqlMainGenus>"));
}

TEST_F(ListRequestsTest, MeaningNodesPassTheLetterOrTheCaptionAsWord)
{
    ListRequest r = tav::ShowRequest(QStringLiteral("English"), QStringLiteral("903 English"), false, QString());
    EXPECT_EQ(r.route, Route::SimpleGrid);
    EXPECT_EQ(r.Sql, QStringLiteral("<SqlAllEnglish>"));
    EXPECT_EQ(r.Lang, 1);
    EXPECT_EQ(r.Word, QStringLiteral("903 English"));
    EXPECT_EQ(r.Mode, 2);

    r = tav::ShowRequest(QStringLiteral("English"), QStringLiteral("903 English"), true, QStringLiteral("b"));
    EXPECT_EQ(r.Sql, QStringLiteral("<SqlAllEnglish> WHERE Lat Like'b*'"));
    EXPECT_EQ(r.Word, QStringLiteral("b"));

    r = tav::ShowRequest(QStringLiteral("Swedish"), QStringLiteral("700 Swedish"), true, QStringLiteral("ö"));
    EXPECT_EQ(r.Sql, QStringLiteral("<SqlAllLang3> WHERE Lat Like'ö*'"));
    EXPECT_EQ(r.Lang, 2);
    EXPECT_EQ(r.Word, QStringLiteral("ö"));
}

TEST_F(ListRequestsTest, RootAndInfoAndUnknownKeysOpenNothing)
{
    Recorder lists;
    for (const char *key : {"Root", "Info", "Nothing", ""}) {
        const ListRequest r = tav::ShowRequest(QLatin1String(key), QStringLiteral("All Words"), false, QString());
        EXPECT_EQ(r.route, Route::None) << key;
        tav::SendListRequest(r, lists);
    }
    EXPECT_TRUE(lists.calls.isEmpty());
    // A hidden third language has no node: its name is no route then.
    tav::OptBoHide3 = true;
    EXPECT_EQ(tav::ShowRequest(QStringLiteral("Swedish"), QString(), false, QString()).route, Route::None);
}

TEST_F(ListRequestsTest, SendHandsTheArgumentsOnInTheirOrder)
{
    Recorder lists;
    tav::SendListRequest(tav::ShowRequest(QStringLiteral("ATyp2"), QStringLiteral("9 2:1"), false, QString()), lists);
    tav::SendListRequest(tav::ShowRequest(QStringLiteral("English"), QStringLiteral("903 English"), false, QString()),
                         lists);
    EXPECT_EQ(lists.calls, QStringList({QStringLiteral("Std|<SqlLang3>|1|0|9 2:1|5|WT Like'c2'"),
                                        QStringLiteral("Simple|<SqlAllEnglish>|1|903 English|2")}));
}

TEST_F(ListRequestsTest, SearchesForHeadwordsFormsAndMeanings)
{
    ListRequest r = tav::SearchRequest(QStringLiteral("lovgo*"), true, 5);
    EXPECT_EQ(r.route, Route::StdGrid);
    EXPECT_EQ(r.Sql, QStringLiteral(" SELECT FormsAll.GenTem,FormsAll.ID,FormsAll.KasPer,FormsAll.FormGreek  FROM "
                                    "FormsAll WHERE FormGreek  Like'lovgo*'"));
    EXPECT_FALSE(r.IsGreek);
    EXPECT_EQ(r.SortValue, 33);
    EXPECT_EQ(r.Caption, QStringLiteral("lovgo*"));
    EXPECT_EQ(r.ViewTag, 33);
    EXPECT_EQ(r.Filter, QString());

    r = tav::SearchRequest(QStringLiteral("ab"), false, 4);
    EXPECT_EQ(r.Sql, QStringLiteral("<SqlLang3>"));
    EXPECT_FALSE(r.IsGreek);
    EXPECT_EQ(r.SortValue, 0);
    EXPECT_EQ(r.ViewTag, 2);
    EXPECT_EQ(r.Filter, QStringLiteral("Greek  Like'ab'"));
    tav::OptBoHide3 = true;
    EXPECT_EQ(tav::SearchRequest(QStringLiteral("ab"), false, 4).Sql, QStringLiteral("<SqlMain>"));

    r = tav::SearchRequest(QStringLiteral("house"), false, 5);
    EXPECT_EQ(r.route, Route::SimpleGrid);
    EXPECT_EQ(r.Sql, QStringLiteral("<SqlAllEnglish> WHERE Lat Like'house'"));
    EXPECT_EQ(r.Lang, 1);
    EXPECT_EQ(r.Word, QStringLiteral("house"));
    r = tav::SearchRequest(QStringLiteral("hus"), false, 6);
    EXPECT_EQ(r.Sql, QStringLiteral("<SqlAllLang3> WHERE Lat Like'hus'"));
    EXPECT_EQ(r.Lang, 2);

    EXPECT_EQ(tav::SearchRequest(QString(), true, 4).route, Route::None);
    EXPECT_EQ(tav::SearchRequest(QStringLiteral("x"), false, 7).route, Route::None);
}

TEST_F(ListRequestsTest, AGreekSearchTypedWithTheMarkBeforeACapitalFindsTheWordAsStored)
{
    EXPECT_EQ(tav::SearchRequest(QStringLiteral("vEllhna*"), false, 4).Filter, QStringLiteral("Greek  Like'Evllhna*'"));
    EXPECT_TRUE(tav::SearchRequest(QStringLiteral("vEllhna*"), true, 5).Sql.endsWith(QStringLiteral("Like'Evllhna*'")));
    // Meanings are no Greek: their v stays.
    EXPECT_EQ(tav::SearchRequest(QStringLiteral("vEgas"), false, 5).Sql,
              QStringLiteral("<SqlAllEnglish> WHERE Lat Like'vEgas'"));
}

TEST_F(ListRequestsTest, TypedQuotesAndLoneBracketsStayPartOfTheSearchedText)
{
    EXPECT_EQ(tav::SearchRequest(QStringLiteral("don't"), false, 5).Sql,
              QStringLiteral("<SqlAllEnglish> WHERE Lat Like'don''t'"));
    EXPECT_EQ(tav::SearchRequest(QStringLiteral("a'b"), false, 4).Filter, QStringLiteral("Greek  Like'a''b'"));
    EXPECT_TRUE(tav::SearchRequest(QStringLiteral("x' OR 'a'='a"), true, 4).Sql.endsWith(
        QStringLiteral("Like'x'' OR ''a''=''a'")));

    EXPECT_EQ(tav::LiteralBrackets(QStringLiteral("[")), QStringLiteral("[[]"));
    EXPECT_EQ(tav::LiteralBrackets(QStringLiteral("a[b")), QStringLiteral("a[[]b"));
    EXPECT_EQ(tav::LiteralBrackets(QStringLiteral("[ab]c")), QStringLiteral("[ab]c")) << "a class stays a class";
    EXPECT_EQ(tav::LiteralBrackets(QStringLiteral("[a]b[")), QStringLiteral("[a]b[[]"));
    EXPECT_EQ(tav::LiteralBrackets(QStringLiteral("a]")), QStringLiteral("a]"));
    EXPECT_EQ(tav::SearchRequest(QStringLiteral("to["), false, 5).Sql,
              QStringLiteral("<SqlAllEnglish> WHERE Lat Like'to[[]'"));
}

TEST_F(ListRequestsTest, RequestsGoToTheInstalledListWindows)
{
    Recorder lists;
    tav::SetListWindowRequests(&lists);
    tav::SendListRequest(tav::ShowRequest(QStringLiteral("Verbs"), QStringLiteral("v"), false, QString()));
    tav::SetListWindowRequests(nullptr);
    EXPECT_FALSE(tav::ListWindowRequestsInstalled());
    EXPECT_EQ(lists.calls.size(), 1);
}
