#include "help/HTMLHelp.h"
#include "platform/help/HelpWindow.h"
#include "platform/help/QtHelpControl.h"
#include "platform/winsys/core/MsgBox.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QPointer>
#include <QSet>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Every topic of the help file: its page and its title in the contents.
const QList<QPair<QString, QString>> Topics = {
    {"index.html", "Tavrinel Help"},
    {"getting-started.html", "Getting started and the word database"},
    {"typing-greek.html", "Typing Greek with Latin keys"},
    {"keyboard.html", "Working with the keyboard"},
    {"main-window.html", "The main window"},
    {"category-tree.html", "The category tree, the letter filter and Show"},
    {"searching.html", "Searching"},
    {"standard-list.html", "The standard word list"},
    {"simple-list.html", "The simple word list"},
    {"grammar-panel.html", "The grammar panel"},
    {"editing-forms.html", "Editing inflected forms"},
    {"exercise-typing.html", "Exercise by reading and typing"},
    {"exercise-matching.html", "Exercise by choosing alternatives"},
    {"exercise-verbs.html", "Exercise with verbs only"},
    {"wrong-answers.html", "The repetition list and the store of wrong answers"},
    {"printing.html", "Printing a word list"},
    {"print-options.html", "The Print Options tabs"},
    {"settings.html", "Settings"},
    {"third-language.html", "The third language"},
    {"remarks.html", "Remarks"},
    {"messages.html", "Messages and what to do"},
};

void CollectTopics(QHelpContentModel *model, const QModelIndex &parent, QMap<QString, QString> *found)
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        QHelpContentItem *item = model->contentItemAt(index);
        found->insert(item->url().fileName(), item->title());
        CollectTopics(model, index, found);
    }
}

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        viewer = new helpctl::QtHelpControl(dir.path());
        helpctl::SetHelpControl(viewer);
        help.CHMFile = QStringLiteral(TAV_HELP_FILE);
        help.HHWindow = QStringLiteral("Main");
    }
    void TearDown() override
    {
        helpctl::SetHelpControl(nullptr);
        delete viewer;
    }

    helpctl::HelpWindow *OpenContents()
    {
        help.HHDisplayContents(0);
        return viewer->Window(QStringLiteral(TAV_HELP_FILE), QStringLiteral("Main"));
    }

    QTemporaryDir dir;
    helpctl::QtHelpControl *viewer = nullptr;
    winsys::ScriptedMessages messages;
    HTMLHelp help;
};

TEST_F(HelpViewerTest, TheContentsOpenInTheMainWindowAndHoldEveryTopic)
{
    helpctl::HelpWindow *window = OpenContents();
    ASSERT_NE(window, nullptr) << messages.Prompts().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(messages.Prompts().isEmpty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tavrinel Help"));
    EXPECT_EQ(help.HHWndHandle(), static_cast<long>(window->winId()));
    EXPECT_EQ(window->Panes()->currentIndex(), int(helpctl::HelpWindow::ContentsPane));
    EXPECT_EQ(window->Page()->source().fileName(), QStringLiteral("index.html"));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("Rudedaz.qhc")))) << "the collection is kept in a writable folder";

    QHelpContentModel *model = window->Engine()->contentModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->isCreatingContents() && model->rowCount() > 0; }, 10000));
    QMap<QString, QString> found;
    CollectTopics(model, QModelIndex(), &found);
    for (const auto &[page, title] : Topics) {
        EXPECT_EQ(found.value(page), title) << page.toStdString();
        const QUrl url = window->TopicUrl(page);
        ASSERT_TRUE(url.isValid()) << page.toStdString();
        EXPECT_TRUE(window->Engine()->fileData(url).contains("<h1>")) << page.toStdString();
    }
    EXPECT_EQ(found.size(), Topics.size());

    // Showing the contents again brings the same window forward.
    help.HHDisplayContents(0);
    EXPECT_EQ(viewer->Window(QStringLiteral(TAV_HELP_FILE), QStringLiteral("main")), window);
}

TEST_F(HelpViewerTest, TheContentsShownAgainBringBackAMinimisedWindow)
{
    helpctl::HelpWindow *window = OpenContents();
    ASSERT_NE(window, nullptr);
    window->showMinimized();
    OpenContents();
    EXPECT_TRUE(window->isVisible() && !window->isMinimized());
}

TEST_F(HelpViewerTest, KeywordsAndTheFullTextSearchFindTheirPages)
{
    helpctl::HelpWindow *window = OpenContents();
    ASSERT_NE(window, nullptr);
    QHelpEngine *engine = window->Engine();
    QList<QString> pages;
    for (const QHelpLink &link : engine->documentsForKeyword(QStringLiteral("wildcards")))
        pages.append(link.url.fileName());
    EXPECT_TRUE(pages.contains(QStringLiteral("searching.html")));

    // The index is built in the background after the file is registered.
    QHelpSearchEngine *search = engine->searchEngine();
    QSignalSpy indexed(search, &QHelpSearchEngine::indexingFinished);
    QSignalSpy searched(search, &QHelpSearchEngine::searchingFinished);
    for (int attempt = 0; attempt < 30; ++attempt) {
        search->search(QStringLiteral("participles"));
        ASSERT_TRUE(searched.wait(10000));
        if (search->searchResultCount() > 0)
            break;
        indexed.wait(1000);
    }
    pages.clear();
    for (const QHelpSearchResult &hit : search->searchResults(0, search->searchResultCount()))
        pages.append(hit.url().fileName());
    EXPECT_TRUE(pages.contains(QStringLiteral("grammar-panel.html"))) << pages.join(QLatin1Char(' ')).toStdString();

    // A keyword look-up through the help object opens its page.
    help.HHKeyword = QStringLiteral("final sigma");
    help.HHDisplayKeyword(0);
    EXPECT_EQ(window->Page()->source().fileName(), QStringLiteral("typing-greek.html"));
    EXPECT_TRUE(messages.Prompts().isEmpty());
}

TEST_F(HelpViewerTest, TopicsOpenByAddressAndNumberAndUnknownOnesAreReported)
{
    help.HHTopicURL = QStringLiteral("typing-greek.html");
    help.HHDisplayTopicURL(0);
    helpctl::HelpWindow *window = viewer->Window(QStringLiteral(TAV_HELP_FILE), QStringLiteral("Main"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Page()->source().fileName(), QStringLiteral("typing-greek.html"));
    EXPECT_TRUE(window->Page()->toPlainText().contains(QStringLiteral("final sigma")));

    help.HHTopicID = 1013;
    help.HHDisplayTopicID(0);
    EXPECT_EQ(window->Page()->source().fileName(), QStringLiteral("wrong-answers.html"));
    EXPECT_TRUE(messages.Prompts().isEmpty());

    help.HHTopicURL = QStringLiteral("nosuch.html");
    help.HHDisplayTopicURL(0);
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_TRUE(messages.Prompts()[0].startsWith(QStringLiteral("Help could not be shown.\n")));
    EXPECT_TRUE(messages.Prompts()[0].endsWith(QStringLiteral("has no topic nosuch.html.")));
    EXPECT_EQ(help.HHWndHandle(), 0);

    messages.Clear();
    help.HHWindow = QStringLiteral("Side");
    help.HHDisplayContents(0);
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_TRUE(messages.Prompts()[0].endsWith(QStringLiteral("has no window type \"Side\".")));

    QPointer<helpctl::HelpWindow> open(window);
    help.HHClose();
    EXPECT_EQ(viewer->Window(QStringLiteral(TAV_HELP_FILE), QStringLiteral("Main")), nullptr)
        << "a closing window is not shown again";
    EXPECT_TRUE(QTest::qWaitFor([&] { return open.isNull(); }, 5000)) << "closed and gone";
}

TEST_F(HelpViewerTest, EscapeAndCtrlWCloseTheWindowFromAnyOfItsParts)
{
    for (const QKeyCombination keys : {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::CTRL | Qt::Key_W)}) {
        QPointer<helpctl::HelpWindow> window(OpenContents());
        ASSERT_TRUE(window);
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        // From the page and from the contents pane alike.
        QWidget *part = keys.key() == Qt::Key_Escape ? static_cast<QWidget *>(window->Page())
                                                     : window->Panes()->currentWidget();
        part->setFocus();
        QTest::keyClick(part, keys.key(), keys.keyboardModifiers());
        EXPECT_FALSE(window && window->isVisible()) << QKeySequence(keys).toString().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 5000));
    }
}

TEST_F(HelpViewerTest, EachExerciseIsAContentsEntryOfItsOwnAndEachKeywordIsListedOnce)
{
    helpctl::HelpWindow *window = OpenContents();
    ASSERT_NE(window, nullptr);
    QHelpContentModel *contents = window->Engine()->contentModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !contents->isCreatingContents() && contents->rowCount() > 0; }, 10000));
    // The chapters under the root: each exercise stands alone.
    const QModelIndex root = contents->index(0, 0);
    QMap<QString, int> chapters; // page, number of topics under it
    for (int row = 0; row < contents->rowCount(root); ++row) {
        QHelpContentItem *item = contents->contentItemAt(contents->index(row, 0, root));
        chapters.insert(item->url().fileName(), item->childCount());
    }
    for (const char *page : {"exercise-typing.html", "exercise-matching.html", "exercise-verbs.html"}) {
        ASSERT_TRUE(chapters.contains(QLatin1String(page))) << page;
        EXPECT_EQ(chapters.value(QLatin1String(page)), 0) << page << " holds another topic";
    }
    EXPECT_TRUE(chapters.contains(QStringLiteral("keyboard.html")));

    QHelpIndexModel *index = window->Engine()->indexModel();
    if (index->stringList().isEmpty()) {
        QSignalSpy built(index, &QHelpIndexModel::indexCreated);
        index->createIndex(QString());
        ASSERT_TRUE(built.wait(10000));
    }
    const QStringList keywords = index->stringList();
    ASSERT_GT(keywords.size(), 100);
    QSet<QString> folded;
    for (const QString &keyword : keywords) {
        EXPECT_FALSE(folded.contains(keyword.toLower())) << keyword.toStdString() << " is listed twice";
        folded.insert(keyword.toLower());
        // A keyword declared twice for one page offers that page twice.
        QSet<QUrl> pages;
        for (const QHelpLink &link : window->Engine()->documentsForKeyword(keyword)) {
            EXPECT_FALSE(pages.contains(link.url)) << keyword.toStdString() << " -> " << link.url.toString().toStdString();
            pages.insert(link.url);
        }
    }
    for (const char *key : {"access keys", "F1", "F6", "Menu key", "Shift+F10", "Ctrl+Tab"})
        EXPECT_TRUE(keywords.contains(QLatin1String(key))) << key;
    // The link names of look-ups still find their pages.
    for (const auto &[id, page] : {std::pair{"typing", "typing-greek.html"}, {"wildcards", "searching.html"},
                                   {"wrongs", "wrong-answers.html"}, {"printing", "printing.html"}}) {
        const QList<QHelpLink> links = window->Engine()->documentsForIdentifier(QLatin1String(id));
        ASSERT_EQ(links.size(), 1) << id;
        EXPECT_EQ(links.first().url.fileName(), QLatin1String(page));
    }
}

TEST_F(HelpViewerTest, EveryOptionOfThePrintDialogIsDescribed)
{
    help.HHTopicURL = QStringLiteral("print-options.html");
    help.HHDisplayTopicURL(0);
    helpctl::HelpWindow *window = viewer->Window(QStringLiteral(TAV_HELP_FILE), QStringLiteral("Main"));
    ASSERT_NE(window, nullptr);
    const QString page = window->Page()->toPlainText().simplified();
    for (const char *option :
         {"Print Full Size", "Scale To Fit", "Paper Size", "Print Range", "Selected Range", "Omit", "First page only",
          "Print on all pages", "First row only", "Once each row", "Left Justify", "Underlined", "Bold",
          "Font Size Enhancement", "Col Heads on all pages", "Show Row Captions on all pages", "Set-Up...",
          "Number Of Copies", "Show Grid Lines", "Show Grid Line Colours", "Show Text Colours",
          "Show Background Colours", "Shade Column Headings", "Merged Cells", "Within each page only",
          "Across horizontal page breaks", "Page Margins", "Default", "Omit page numbers",
          "Number pages after first", "Number all pages", "Location", "Format as Page n of n",
          "Print above top margin", "Print below bottom margin", "Include Date and Time", "Show Print Progress"})
        EXPECT_TRUE(page.contains(QLatin1String(option))) << option;
}

TEST_F(HelpViewerTest, ADamagedHelpFileIsReportedAsUnreadable)
{
    QFile damaged(dir.filePath(QStringLiteral("Rudedaz.qch")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    help.CHMFile = damaged.fileName();
    help.HHDisplayContents(0);
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_TRUE(messages.Prompts()[0].endsWith(QStringLiteral("Rudedaz.qch cannot be read.")))
        << messages.Prompts()[0].toStdString();
    EXPECT_EQ(help.HHWndHandle(), 0);
}

TEST(HelpPopupText, ATopicRunsFromItsHeadingToTheNext)
{
    const QString text = QStringLiteral(".topic 1\nFirst\n.topic 2\nSecond line\nmore\n\n.topic 3\nThird\n");
    EXPECT_EQ(helpctl::QtHelpControl::PopupTopic(text, 2), QStringLiteral("Second line\nmore"));
    EXPECT_EQ(helpctl::QtHelpControl::PopupTopic(text, 3), QStringLiteral("Third"));
    EXPECT_TRUE(helpctl::QtHelpControl::PopupTopic(text, 4).isEmpty());
}

} // namespace
