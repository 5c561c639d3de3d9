// The category tree and the letter list of the main window.

#include "MainWindowFixture.h"

#include "mainwindow/AccessKeys.h"
#include "store/Settings.h"
#include "store/SharedState.h"
#include "store/ThirdLanguages.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

using tavtest::MainWindowFixture;

namespace {

const QString Joined = QStringLiteral("SELECT count(*) FROM Main JOIN GreekSwedish ON Main.ID = GreekSwedish.ID WHERE ");

int NodeCount(QTreeWidget *tree)
{
    int n = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++n;
    return n;
}

} // namespace

TEST_F(MainWindowFixture, LoadBuildsTheTreeAndTheGreekLetterList)
{
    EXPECT_EQ(NodeCount(w->Control<QTreeWidget>("tv1")), 23);
    EXPECT_EQ(w->Control<QTreeWidget>("tv1")->topLevelItemCount(), 1);
    EXPECT_EQ(Caption(QStringLiteral("Root")), QStringLiteral("All Words"));
    EXPECT_EQ(Caption(QStringLiteral("Info")), QStringLiteral("Unique English/Swedish"));
    EXPECT_EQ(Caption(QStringLiteral("Verbs")),
              QString::number(NativeCount(Joined + QStringLiteral("WT IN ('c1','c2','c3','cv','cA','cp1','cp2','cp3',"
                                                                  "'cp4','cp5')"))) +
                  QStringLiteral(" Verbs"));
    EXPECT_EQ(w->FindNode(QStringLiteral("ATyp0"))->parent(), w->FindNode(QStringLiteral("HTyp1")));
    EXPECT_TRUE(w->FindNode(QStringLiteral("Root"))->isExpanded());
    EXPECT_TRUE(w->FindNode(QStringLiteral("All Greek"))->isExpanded());
    EXPECT_TRUE(w->FindNode(QStringLiteral("Info"))->isExpanded());
    EXPECT_FALSE(w->FindNode(QStringLiteral("Verbs"))->isExpanded());
    EXPECT_EQ(tav::MDI::NodeTag(w->FindNode(QStringLiteral("NTyp2"))), QStringLiteral("GRNneu"));

    ASSERT_EQ(w->Control<QComboBox>("cboTree")->count(), 25);
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->itemText(0), QStringLiteral("-"));
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->itemText(1), QStringLiteral("a"));
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->itemText(24), QStringLiteral("w"));
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->currentIndex(), 0);
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->font().family(), QStringLiteral("VudedoGreek"));
    EXPECT_TRUE(tav::TreeBuilt());
    EXPECT_FALSE(tav::LetterPicked());
    EXPECT_EQ(w->LetterFont, QStringLiteral("VudedoGreek"));
}

TEST_F(MainWindowFixture, AHiddenThirdLanguageLeavesItsNodeOut)
{
    tav::OptBoHide3 = true;
    w->JulGran();
    EXPECT_EQ(NodeCount(w->Control<QTreeWidget>("tv1")), 22);
    EXPECT_EQ(Caption(QStringLiteral("Info")), QStringLiteral("Unique English"));
    EXPECT_EQ(w->FindNode(QStringLiteral("Swedish")), nullptr);
}

TEST_F(MainWindowFixture, ALetterRecaptionsOnlyTheGreekNodes)
{
    const QString english = Caption(QStringLiteral("English"));
    ChooseLetter(5); // "e", Epsilon
    EXPECT_TRUE(tav::LetterPicked());
    EXPECT_EQ(Caption(QStringLiteral("All Greek")),
              QString::number(NativeCount(Joined + QStringLiteral("lower(substr(Main.Greek, 1, 1)) = 'e'"))) +
                  QStringLiteral(" Greek words on \"Epsilon\""));
    EXPECT_EQ(Caption(QStringLiteral("HTyp0")), QStringLiteral("1 Auxiliary on \"Epsilon\""));
    EXPECT_EQ(Caption(QStringLiteral("English")), english);
    EXPECT_EQ(Caption(QStringLiteral("Root")), QStringLiteral("All Words"));

    ChooseLetter(0);
    EXPECT_FALSE(tav::LetterPicked());
    EXPECT_EQ(Caption(QStringLiteral("HTyp0")), QStringLiteral("1 Auxiliary"));
    EXPECT_EQ(Caption(QStringLiteral("All Greek")),
              QString::number(NativeCount(Joined + QStringLiteral("1"))) + QStringLiteral(" Greek words"));
}

TEST_F(MainWindowFixture, TheMeaningNodesSwitchToLatinLettersOnceAndBack)
{
    ClickNode(QStringLiteral("English"));
    EXPECT_EQ(tav::SearchLang, 5);
    EXPECT_FALSE(w->Control<QRadioButton>("opForm(1)")->isChecked());
    EXPECT_EQ(w->Control<QLabel>("lblFlag")->text(), QStringLiteral("Search for English"));
    ASSERT_EQ(w->Control<QComboBox>("cboTree")->count(), 30);
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->itemText(27), QStringLiteral("å"));
    EXPECT_FALSE(tav::TreeBuilt());
    EXPECT_EQ(w->LetterFont, QStringLiteral("MS Sans Serif"));
    EXPECT_TRUE(Caption(QStringLiteral("English")).endsWith(QStringLiteral(" English words")));

    // A letter chosen now stays through a second click on the same side.
    ChooseLetter(2);
    EXPECT_TRUE(Caption(QStringLiteral("English")).endsWith(QStringLiteral(" English words on \"b\"")));
    ClickNode(QStringLiteral("Swedish"));
    EXPECT_EQ(tav::SearchLang, 6);
    EXPECT_EQ(w->Control<QLabel>("lblFlag")->text(), QStringLiteral("Search for Swedish"));
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->currentIndex(), 2);
    EXPECT_TRUE(tav::LetterPicked());

    ClickNode(QStringLiteral("Nouns"));
    EXPECT_EQ(tav::SearchLang, 4);
    EXPECT_TRUE(w->Control<QRadioButton>("opForm(1)")->isChecked());
    EXPECT_EQ(w->Control<QLabel>("lblFlag")->text(), QStringLiteral("Search for Greek"));
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->count(), 25);
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->currentIndex(), 0);
    EXPECT_TRUE(tav::TreeBuilt());
    EXPECT_EQ(w->Control<QLineEdit>("tbSearch")->font().family(), QStringLiteral("VudedoGreek"));
}

TEST_F(MainWindowFixture, ANodeClickEmptiesTheSearchBoxes)
{
    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("lovgoV"));
    w->Control<QLineEdit>("tbFind(0)")->setText(QStringLiteral("No records found for "));
    w->Control<QLineEdit>("tbFind(1)")->setText(QStringLiteral("x"));
    ClickNode(QStringLiteral("English"));
    EXPECT_TRUE(w->Control<QLineEdit>("tbSearch")->text().isEmpty());
    EXPECT_TRUE(w->Control<QLineEdit>("tbFind(0)")->text().isEmpty());
    EXPECT_TRUE(w->Control<QLineEdit>("tbFind(1)")->text().isEmpty());
}

TEST_F(MainWindowFixture, ShowIsOfferedOnlyForNodesWithWords)
{
    ClickNode(QStringLiteral("Verbs"));
    EXPECT_TRUE(w->Control<QPushButton>("cmdShow")->isEnabled());
    ClickNode(QStringLiteral("Root"));
    EXPECT_FALSE(w->Control<QPushButton>("cmdShow")->isEnabled());
    ClickNode(QStringLiteral("Info"));
    EXPECT_FALSE(w->Control<QPushButton>("cmdShow")->isEnabled());
    // "Auxiliary" under a letter no auxiliary begins with counts 0.
    ChooseLetter(1);
    ASSERT_TRUE(Caption(QStringLiteral("HTyp0")).startsWith(QStringLiteral("0 ")));
    ClickNode(QStringLiteral("HTyp0"));
    EXPECT_FALSE(w->Control<QPushButton>("cmdShow")->isEnabled());
}

TEST_F(MainWindowFixture, ARebuildWhileOnTheLatinSideReturnsToTheGreekSide)
{
    ClickNode(QStringLiteral("English"));
    ASSERT_EQ(w->LetterFont, QStringLiteral("MS Sans Serif"));
    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("love"));
    w->Control<QLineEdit>("tbFind(0)")->setText(QStringLiteral("No records found for love"));
    w->JulGran();
    // An English text is no Greek search: the boxes are emptied, as on a
    // click on a Greek node.
    EXPECT_TRUE(w->Control<QLineEdit>("tbSearch")->text().isEmpty());
    EXPECT_TRUE(w->Control<QLineEdit>("tbFind(0)")->text().isEmpty());
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->count(), 25);
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->font().family(), QStringLiteral("VudedoGreek"));
    EXPECT_EQ(w->LetterFont, QStringLiteral("VudedoGreek"));
    EXPECT_TRUE(tav::TreeBuilt());
    EXPECT_EQ(tav::SearchLang, 4);
    EXPECT_EQ(w->Control<QLabel>("lblFlag")->text(), QStringLiteral("Search for Greek"));
    // The next click on a Greek node keeps the list as it is.
    ChooseLetter(3);
    ClickNode(QStringLiteral("Adjectives"));
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->currentIndex(), 3);
}

TEST_F(MainWindowFixture, ARebuildOnTheGreekSideShowsTheCaptionsAsBuiltAndKeepsTheSearchText)
{
    // The first build (the Load) shows the captions as built.
    const QString greek = QString::number(NativeCount(Joined + QStringLiteral("1")));
    EXPECT_EQ(Caption(QStringLiteral("All Greek")), greek + QStringLiteral(" Greek"));
    ChooseLetter(5);
    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("agap*"));
    w->JulGran();
    // A later build selects "-" without recounting: every node was just
    // counted without a letter, and shows its caption as built.
    EXPECT_EQ(Caption(QStringLiteral("All Greek")), greek + QStringLiteral(" Greek"));
    EXPECT_FALSE(tav::LetterPicked());
    EXPECT_EQ(Caption(QStringLiteral("English")),
              QString::number(NativeCount(QStringLiteral("SELECT count(DISTINCT Lat) FROM AllEnglishGreek"))) +
                  QStringLiteral(" English"));
    EXPECT_EQ(w->Control<QLineEdit>("tbSearch")->text(), QStringLiteral("agap*"));
}

TEST_F(MainWindowFixture, ARightClickRunsTheNodeClickAndOffersShowForCategoriesOnly)
{
    QTreeWidgetItem *english = w->FindNode(QStringLiteral("English"));
    w->Control<QTreeWidget>("tv1")->scrollToItem(english);
    w->ShowNodePopup(w->Control<QTreeWidget>("tv1")->visualItemRect(english).center());
    EXPECT_EQ(w->SelectedNode(), english);
    EXPECT_EQ(tav::SearchLang, 5);
    EXPECT_EQ(w->Control<QComboBox>("cboTree")->count(), 30);
    EXPECT_EQ(tav::WithoutAccessKey(w->Control<QAction>("mnuNodeFirstParts(0)")->text()), english->text(0));
    EXPECT_TRUE(w->Control<QMenu>("mnuNodes")->isVisible());
    w->Control<QMenu>("mnuNodes")->hide();

    for (const char *key : {"Root", "Info"}) {
        QTreeWidgetItem *node = w->FindNode(QLatin1String(key));
        w->ShowNodePopup(w->Control<QTreeWidget>("tv1")->visualItemRect(node).center());
        EXPECT_EQ(w->SelectedNode(), node) << key;
        EXPECT_FALSE(w->Control<QMenu>("mnuNodes")->isVisible()) << key;
        EXPECT_FALSE(w->Control<QPushButton>("cmdShow")->isEnabled()) << key;
    }
}

TEST_F(MainWindowFixture, FoldersOpenAndCloseButTheRootKeepsItsImage)
{
    QTreeWidgetItem *verbs = w->FindNode(QStringLiteral("Verbs"));
    // The pictures themselves differ, not only the icon objects.
    const auto picture = [](QTreeWidgetItem *node) { return node->icon(0).pixmap(16, 16).toImage(); };
    const QImage closed = picture(verbs);
    ASSERT_FALSE(closed.isNull());
    verbs->setExpanded(true);
    const QImage open = picture(verbs);
    EXPECT_NE(open, closed);
    verbs->setExpanded(false);
    EXPECT_EQ(picture(verbs), closed);
    EXPECT_EQ(picture(w->FindNode(QStringLiteral("Adjectives"))), closed);
    EXPECT_TRUE(w->FindNode(QStringLiteral("Info"))->icon(0).isNull());

    QTreeWidgetItem *root = w->FindNode(QStringLiteral("Root"));
    root->setExpanded(false);
    root->setExpanded(true);
    EXPECT_EQ(picture(root), closed);
}

TEST_F(MainWindowFixture, AFailingCountIsReportedOnceAndTheTreeStillStands)
{
    tav::WordDb->ExecNative(QStringLiteral("DROP TABLE GreekSwedish"));
    messages.Clear();
    w->JulGran();
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages().first().prompt.startsWith(QStringLiteral("Error:")));
    EXPECT_EQ(NodeCount(w->Control<QTreeWidget>("tv1")), 23);
    EXPECT_EQ(Caption(QStringLiteral("Verbs")), QStringLiteral("0 Verbs"));
    ClickNode(QStringLiteral("Verbs"));
    EXPECT_FALSE(w->Control<QPushButton>("cmdShow")->isEnabled());
}

TEST_F(MainWindowFixture, AnAddedLanguageChosenAsThirdGetsItsTreeNode)
{
    tav::AddThirdLanguage(QStringLiteral("Norwegian"), QStringLiteral("velkommen"));
    ASSERT_TRUE(tav::Save3rdLang(QStringLiteral("Norwegian")));
    EXPECT_EQ(w->FindNode(QStringLiteral("Swedish")), nullptr);
    EXPECT_EQ(Caption(QStringLiteral("Norwegian")), QStringLiteral("1 Norwegian")) << "one welcome word";
    EXPECT_EQ(Caption(QStringLiteral("Info")), QStringLiteral("Unique English/Norwegian"));
    EXPECT_EQ(w->PanelText(6), QStringLiteral("3:rd language= Norwegian  "));
    // Its words are all listed, without a meaning yet.
    EXPECT_EQ(Caption(QStringLiteral("All Greek")),
              QString::number(NativeCount(QStringLiteral("SELECT count(*) FROM Main"))) + QStringLiteral(" Greek"));
    ClickNode(QStringLiteral("Norwegian"));
    EXPECT_EQ(tav::SearchLang, 6);
    EXPECT_EQ(w->Control<QLabel>("lblFlag")->text(), QStringLiteral("Search for Norwegian"));
}

TEST_F(MainWindowFixture, KeyboardMovesAreNodeClicksButTheViewsOwnChoiceIsNot)
{
    w->Control<QLineEdit>("tbSearch")->setText(QStringLiteral("typed"));
    // The view makes the first node current when it gets the focus.
    w->Control<QTreeWidget>("tv1")->setCurrentItem(w->FindNode(QStringLiteral("Root")));
    EXPECT_EQ(w->Control<QLineEdit>("tbSearch")->text(), QStringLiteral("typed"));

    w->Control<QTreeWidget>("tv1")->setCurrentItem(w->FindNode(QStringLiteral("English")));
    EXPECT_EQ(tav::SearchLang, 5);
    EXPECT_TRUE(w->Control<QLineEdit>("tbSearch")->text().isEmpty());
}

TEST_F(MainWindowFixture, TheLeftPanelHoldsTheTreesCaptionsAndShowsSeveralRowsOnASmallScreen)
{
    // A wide screen: the captions the tree shows, also with the longest
    // letter name added, need no horizontal scrolling.
    w->setMinimumWidth(1280);
    QApplication::processEvents();
    ASSERT_GE(w->width(), 1280);
    EXPECT_GT(w->LeftPanelWidth(), tav::MDI::DefaultLeftPanelWidth);
    EXPECT_EQ(w->LeftPanelWidth(), w->FittedLeftPanelWidth());
    for (int place : {0, 15}) { // "-" and "Omikron"
        ChooseLetter(place);
        QApplication::processEvents();
        EXPECT_FALSE(w->Control<QTreeWidget>("tv1")->horizontalScrollBar()->isVisible()) << "letter " << place;
        for (QTreeWidgetItemIterator it(w->Control<QTreeWidget>("tv1")); *it; ++it) {
            if ((*it)->parent() && !(*it)->parent()->isExpanded())
                continue;
            const QRect row = w->Control<QTreeWidget>("tv1")->visualItemRect(*it);
            EXPECT_LE(row.left() + w->Control<QTreeWidget>("tv1")->iconSize().width() +
                          w->Control<QTreeWidget>("tv1")->fontMetrics().horizontalAdvance((*it)->text(0)),
                      w->Control<QTreeWidget>("tv1")->viewport()->width())
                << (*it)->text(0).toStdString();
        }
    }
    // A width chosen with the grip stays when the window changes size.
    QTest::mousePress(w->Control<QLabel>("lblGrip"), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseRelease(w->Control<QLabel>("lblGrip"), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    const int chosen = w->LeftPanelWidth();
    w->setMinimumWidth(1200);
    w->resize(1250, w->height());
    QApplication::processEvents();
    EXPECT_EQ(w->LeftPanelWidth(), chosen);

    // A small screen: the tree takes half the panel's boxes and shows more
    // than four rows.
    w->Control<QWidget>("picRemarks")->setFixedHeight(290);
    QApplication::processEvents();
    const int rowHeight =
        w->Control<QTreeWidget>("tv1")->visualItemRect(w->Control<QTreeWidget>("tv1")->topLevelItem(0)).height();
    EXPECT_GT(w->Control<QTreeWidget>("tv1")->viewport()->height() / rowHeight, 4);
    EXPECT_GT(w->Control<QTreeWidget>("tv1")->height(), w->Control<QTextEdit>("tbRem")->height());
}
