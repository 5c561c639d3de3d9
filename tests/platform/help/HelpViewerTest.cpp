#include "help/HTMLHelp.h"
#include "platform/help/HelpWindow.h"
#include "platform/help/QtHelpControl.h"
#include "platform/winsys/core/MsgBox.h"

#include <QFileInfo>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QPointer>
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

TEST(HelpPopupText, ATopicRunsFromItsHeadingToTheNext)
{
    const QString text = QStringLiteral(".topic 1\nFirst\n.topic 2\nSecond line\nmore\n\n.topic 3\nThird\n");
    EXPECT_EQ(helpctl::QtHelpControl::PopupTopic(text, 2), QStringLiteral("Second line\nmore"));
    EXPECT_EQ(helpctl::QtHelpControl::PopupTopic(text, 3), QStringLiteral("Third"));
    EXPECT_TRUE(helpctl::QtHelpControl::PopupTopic(text, 4).isEmpty());
}

} // namespace
