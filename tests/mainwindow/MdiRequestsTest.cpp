// The Show button's and the search box's list requests, and the list
// windows' empty-result texts.

#include "MainWindowFixture.h"

#include "grids/ListOpeners.h"
#include "inflection/GrammarPanel.h"
#include "store/SharedState.h"
#include "support/RecordingListWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

using tavtest::MainWindowFixture;

TEST_F(MainWindowFixture, ShowHandsTheSelectedNodeToTheStandardList)
{
    ClickNode(QStringLiteral("ATyp1"));
    const QString caption = Caption(QStringLiteral("ATyp1"));
    w->Control<QPushButton>("cmdShow")->click();
    ASSERT_EQ(requests.calls.size(), 1);
    EXPECT_EQ(requests.calls.first(),
              QStringLiteral("Std|") + tav::SqlLang3 + QStringLiteral("|1|0|") + caption + QStringLiteral("|5|WT Like'cv'"));

    ChooseLetter(7); // "h"
    w->cmdShow_Click();
    EXPECT_EQ(requests.calls.last(), QStringLiteral("Std|") + tav::SqlLang3 + QStringLiteral("|1|0|") +
                                         Caption(QStringLiteral("ATyp1")) +
                                         QStringLiteral("|5| Greek  Like'h*' AND WT Like'cv'"));
    EXPECT_TRUE(w->Grammar().VoiceMenuChoice(0));
    EXPECT_FALSE(w->Grammar().VoiceMenuChoice(1));
    EXPECT_FALSE(w->Grammar().VoiceMenuChoice(2));
}

TEST_F(MainWindowFixture, ShowOfNounsAndMeaningsWithTheThirdLanguageHidden)
{
    tav::OptBoHide3 = true;
    w->JulGran();
    ClickNode(QStringLiteral("NTyp2"));
    w->cmdShow_Click();
    EXPECT_EQ(requests.calls.last(), QStringLiteral("Std|") + tav::SqlMainGenus + QStringLiteral("|1|0|") +
                                         Caption(QStringLiteral("NTyp2")) + QStringLiteral("|2| genus  = 2"));

    ClickNode(QStringLiteral("English"));
    ChooseLetter(4); // "d"
    w->cmdShow_Click();
    EXPECT_EQ(requests.calls.last(),
              QStringLiteral("Simple|") + tav::SqlAllEnglish + QStringLiteral(" WHERE Lat Like'd*'|1|d|2"));
}

TEST_F(MainWindowFixture, ThePopUpEntryRunsShowAndRootOrNoSelectionOpenNothing)
{
    ClickNode(QStringLiteral("Swedish"));
    w->Control<QAction>("mnuNodeFirstParts(0)")->trigger();
    ASSERT_EQ(requests.calls.size(), 1);
    EXPECT_EQ(requests.calls.first(),
              QStringLiteral("Simple|") + tav::SqlAllLang3 + QStringLiteral("|2|") + Caption(QStringLiteral("Swedish")) +
                  QStringLiteral("|2"));

    ClickNode(QStringLiteral("Root"));
    w->cmdShow_Click();
    w->Control<QTreeWidget>("tv1")->clearSelection();
    w->cmdShow_Click();
    EXPECT_EQ(requests.calls.size(), 1);
}

TEST_F(MainWindowFixture, SearchFollowsTheOptionAndTheSearchLanguage)
{
    ClickNode(QStringLiteral("Verbs")); // inflected forms are chosen
    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("evcw"));
    QTest::keyClick(w->Control<QLineEdit>("tbSearch"), Qt::Key_Return);
    ASSERT_EQ(requests.calls.size(), 1);
    EXPECT_EQ(requests.calls.last(),
              QStringLiteral("Std| SELECT FormsAll.GenTem,FormsAll.ID,FormsAll.KasPer,FormsAll.FormGreek  FROM FormsAll "
                             "WHERE FormGreek  Like'evcw'|0|33|evcw|33|"));

    w->Control<QRadioButton>("opForm(0)")->click();
    w->Control<QPushButton>("cmdSearch")->click();
    EXPECT_EQ(requests.calls.last(),
              QStringLiteral("Std|") + tav::SqlLang3 + QStringLiteral("|0|0|evcw|2|Greek  Like'evcw'"));

    ClickNode(QStringLiteral("English"));
    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("don't"));
    w->cmdSearch_Click();
    EXPECT_EQ(requests.calls.last(),
              QStringLiteral("Simple|") + tav::SqlAllEnglish + QStringLiteral(" WHERE Lat Like'don''t'|1|don't|2"));

    // An empty box only resets the pointer.
    w->Control<QLineEdit>("tbSearch")->clear();
    w->cmdSearch_Click();
    EXPECT_EQ(requests.calls.size(), 3);
}

TEST_F(MainWindowFixture, ClearEmptiesTheBoxesAndTypingEnablesItAgain)
{
    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("a"));
    w->Control<QLineEdit>("tbFind(0)")->setText(QStringLiteral("x"));
    w->Control<QLineEdit>("tbFind(1)")->setText(QStringLiteral("y"));
    EXPECT_TRUE(w->Control<QPushButton>("cmdClear")->isEnabled());
    w->Control<QPushButton>("cmdClear")->click();
    EXPECT_TRUE(w->Control<QLineEdit>("tbSearch")->text().isEmpty());
    EXPECT_TRUE(w->Control<QLineEdit>("tbFind(0)")->text().isEmpty());
    EXPECT_TRUE(w->Control<QLineEdit>("tbFind(1)")->text().isEmpty());
    EXPECT_FALSE(w->Control<QPushButton>("cmdClear")->isEnabled());
    QTest::keyClicks(w->Control<QLineEdit>("tbSearch"), QStringLiteral("b"));
    EXPECT_TRUE(w->Control<QPushButton>("cmdClear")->isEnabled());
}

TEST_F(MainWindowFixture, TheSearchBoxTakesTheLetterListsFontOnAnOptionClick)
{
    ClickNode(QStringLiteral("English"));
    w->Control<QRadioButton>("opForm(1)")->click();
    EXPECT_EQ(w->Control<QLineEdit>("tbSearch")->font().family(), QStringLiteral("MS Sans Serif"));
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QRadioButton>("opForm(0)")->click();
    EXPECT_EQ(w->Control<QLineEdit>("tbSearch")->font().family(), QStringLiteral("VudedoGreek"));
}

// The main window's own list requests on the real database.
TEST_F(MainWindowFixture, EmptyResultsAreWrittenIntoTheFindBoxes)
{
    tavtest::RecordingListWindowFactory factory;
    tav::ListOpeners lists;
    lists.DoStdGrid(tav::SqlLang3, false, 0, QStringLiteral("zzz"), 2, QStringLiteral("Greek  Like'zzz'"));
    EXPECT_EQ(w->Control<QLineEdit>("tbFind(0)")->text(), QStringLiteral("No records found for Greek words on :"));
    EXPECT_EQ(w->Control<QLineEdit>("tbFind(1)")->text(), QStringLiteral("zzz"));
    lists.DoStdGrid(QStringLiteral(" SELECT FormsAll.GenTem,FormsAll.ID,FormsAll.KasPer,FormsAll.FormGreek  FROM "
                                   "FormsAll WHERE FormGreek  Like'qqq'"),
                    false, 33, QStringLiteral("qqq"), 33, QString());
    EXPECT_EQ(w->Control<QLineEdit>("tbFind(0)")->text(), QStringLiteral("No records found for other forms on :"));
    lists.DoSimpleGrid(tav::SqlAllEnglish + QStringLiteral(" WHERE Lat Like'zebra crossing'"), 1,
                       QStringLiteral("zebra crossing"), 2);
    EXPECT_EQ(w->Control<QLineEdit>("tbFind(0)")->text(), QStringLiteral("No records found for English words on :"));
    EXPECT_EQ(w->Control<QLineEdit>("tbFind(1)")->text(), QStringLiteral("zebra crossing"));
    EXPECT_TRUE(factory.m_windows.empty());
    EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join("|").toStdString();
}

TEST_F(MainWindowFixture, FoundRowsOpenANewListWindowWithTheRequestsValues)
{
    tavtest::RecordingListWindowFactory factory;
    tav::ListOpeners lists;
    ClickNode(QStringLiteral("HTyp0"));
    lists.DoStdGrid(tav::SqlLang3, true, 0, Caption(QStringLiteral("HTyp0")), 5, QStringLiteral("WT Like'cA'"));
    ASSERT_EQ(factory.m_windows.size(), 1u);
    const auto &win = *factory.m_windows.front();
    EXPECT_TRUE(win.m_shown);
    EXPECT_EQ(win.m_rows->RecordCount(), 1);
    EXPECT_EQ(win.m_sql, tav::SqlLang3);
    EXPECT_EQ(win.m_filter, QStringLiteral("WT Like'cA'"));
    EXPECT_EQ(win.m_tag, QStringLiteral("5"));
    EXPECT_EQ(win.m_caption, QStringLiteral("1 Greek auxiliary verbs"));

    // A word with a quote, and a lone bracket, are searched as typed.
    tav::WordDb->ExecNative(QStringLiteral("INSERT INTO AllEnglishGreek (Sal, ID, Lat, Art, Greek) "
                                           "SELECT Sal, ID, 'don''t', Art, Greek FROM Main WHERE WT = 'cA'"));
    lists.DoSimpleGrid(tav::SqlAllEnglish + QStringLiteral(" WHERE Lat Like'don''t'"), 1, QStringLiteral("don't"), 2);
    ASSERT_EQ(w->ChildForms().size(), 1);
    QWidget *simple = w->ChildForms().first();
    EXPECT_EQ(simple->objectName(), QStringLiteral("GridSimple"));
    EXPECT_EQ(simple->windowTitle(), QStringLiteral("1 non unique Greek auxiliary verbs on \"don't\""));
    lists.DoSimpleGrid(tav::SqlAllEnglish + QStringLiteral(" WHERE Lat Like'[[]'"), 1, QStringLiteral("["), 2);
    EXPECT_TRUE(messages.Messages().isEmpty());
    EXPECT_EQ(w->Control<QLineEdit>("tbFind(1)")->text(), QStringLiteral("["));
}

TEST_F(MainWindowFixture, AFailingListQueryIsReportedOnceAndOpensNothing)
{
    tavtest::RecordingListWindowFactory factory;
    tav::ListOpeners lists;
    lists.DoStdGrid(QStringLiteral("SELECT * FROM NoSuchTable"), true, 0, QStringLiteral("x"), 2, QString());
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages().first().prompt.startsWith(QStringLiteral("Error:")));
    EXPECT_TRUE(factory.m_windows.empty());
}

// The search box through the main window's own list requests, on the words
// of the database.
TEST_F(MainWindowFixture, HeadwordsAreFoundWholeUnlessTheUserTypesAWildcard)
{
    tavtest::RecordingListWindowFactory factory;
    tav::ListOpeners lists;
    tav::SetListWindowRequests(&lists);
    ClickNode(QStringLiteral("Verbs"));
    w->Control<QRadioButton>("opForm(0)")->click();

    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("evcw"));
    w->cmdSearch_Click();
    ASSERT_EQ(factory.m_windows.size(), 1u);
    EXPECT_EQ(factory.m_windows.back()->m_rows->RecordCount(), 1);
    EXPECT_EQ(factory.m_windows.back()->m_caption, QStringLiteral("1 records found for Greek words on: \"έχω\""));

    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("ev*"));
    w->cmdSearch_Click();
    ASSERT_EQ(factory.m_windows.size(), 2u);
    EXPECT_EQ(factory.m_windows.back()->m_rows->RecordCount(),
              NativeCount(QStringLiteral("SELECT count(*) FROM Main WHERE lower(substr(Greek, 1, 2)) = 'ev'")));

    // Through the list window's filter too, a quote or a lone bracket is
    // searched as typed.
    for (const char *typed : {"ev'cw", "[", "x' OR 'a'='a"}) {
        w->Control<QLineEdit>("tbSearch")->setText(QString::fromUtf8(typed));
        w->cmdSearch_Click();
        EXPECT_EQ(w->Control<QLineEdit>("tbFind(0)")->text(), QStringLiteral("No records found for Greek words on :"))
            << typed;
        EXPECT_EQ(w->Control<QLineEdit>("tbFind(1)")->text(), QString::fromUtf8(typed));
    }
    ASSERT_EQ(factory.m_windows.size(), 2u);

    // Inflected forms, and texts that would break a pasted statement.
    w->Control<QRadioButton>("opForm(1)")->click();
    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("evcw"));
    w->cmdSearch_Click();
    ASSERT_EQ(factory.m_windows.size(), 3u);
    EXPECT_EQ(factory.m_windows.back()->m_tag, QStringLiteral("33"));
    EXPECT_EQ(factory.m_windows.back()->m_caption, QStringLiteral("1 records found for other forms on:\"έχω\""));
    for (const char *typed : {"[", "a[b", "ev'cw", "'", "x' OR 'a'='a"}) {
        w->Control<QLineEdit>("tbSearch")->setText(QString::fromUtf8(typed));
        w->cmdSearch_Click();
        EXPECT_EQ(w->Control<QLineEdit>("tbFind(0)")->text(), QStringLiteral("No records found for other forms on :"))
            << typed;
        EXPECT_EQ(w->Control<QLineEdit>("tbFind(1)")->text(), QString::fromUtf8(typed));
    }
    EXPECT_EQ(factory.m_windows.size(), 3u);
    EXPECT_TRUE(messages.Messages().isEmpty());
    tav::SetListWindowRequests(&requests);
}
