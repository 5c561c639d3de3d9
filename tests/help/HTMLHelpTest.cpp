#include "help/HTMLHelp.h"
#include "platform/help/HelpControl.h"
#include "platform/help/HelpRegistry.h"
#include "platform/winsys/core/MsgBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QWhatsThis>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using helpctl::Command;

// Records what the help object asks of the viewer and answers with a window
// handle, or fails with the error set.
class RecordingControl : public helpctl::HelpControl {
public:
    struct Call {
        long owner;
        QString target;
        helpctl::Request request;
    };
    RecordingControl() { helpctl::SetHelpControl(this); }
    ~RecordingControl() override { helpctl::SetHelpControl(nullptr); }
    long HtmlHelp(long owner, const QString &target, const helpctl::Request &request) override
    {
        calls.append({owner, target, request});
        return error.isEmpty() ? 77 : 0;
    }
    QString LastError() const override { return error; }

    QVector<Call> calls;
    QString error;
};

class HelpObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        helpctl::HelpRegistry::SetDefaultFile(dir.filePath(QStringLiteral("htmlhelp.ini")));
        file = dir.filePath(QStringLiteral("Rudedaz.qch"));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    void TearDown() override { helpctl::HelpRegistry::SetDefaultFile(QString()); }

    static QString Missing(const QString &path)
    {
        return QStringLiteral("The file ") + path
               + QStringLiteral(" does not exist.\nPlease make sure the correct path and file name have been specified.");
    }

    QTemporaryDir dir;
    QString file;
    RecordingControl viewer;
    winsys::ScriptedMessages messages;
    HTMLHelp help;
};

TEST_F(HelpObjectTest, ContentsOfAnExistingFileOpenInTheWindowTypeWithoutOwner)
{
    help.CHMFile = file;
    help.HHWindow = QStringLiteral("Main");
    help.HHDisplayContents(1234);
    ASSERT_EQ(viewer.calls.size(), 1);
    EXPECT_EQ(viewer.calls[0].owner, 0) << "the caller owns the help window only when it asks to";
    EXPECT_EQ(viewer.calls[0].target, file + QStringLiteral(">Main"));
    EXPECT_EQ(viewer.calls[0].request.command, Command::DisplayToc);
    EXPECT_TRUE(messages.Prompts().isEmpty());
    EXPECT_EQ(help.HHWndHandle(), 77);

    help.HHShowOnTop = true;
    help.HHWindow = QStringLiteral("   ");
    help.HHDisplayContents(1234);
    ASSERT_EQ(viewer.calls.size(), 2);
    EXPECT_EQ(viewer.calls[1].owner, 1234);
    EXPECT_EQ(viewer.calls[1].target, file) << "a blank window type adds no \">\"";
}

TEST_F(HelpObjectTest, AMissingFileOrAWrongNameIsReportedOnceAndNothingOpens)
{
    help.CHMFile = dir.filePath(QStringLiteral("Gone.qch"));
    help.HHDisplayContents(0);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages()[0].prompt, Missing(dir.filePath(QStringLiteral("Gone.qch"))));
    EXPECT_EQ(messages.Messages()[0].title, QStringLiteral("HTML Help Class"));
    EXPECT_EQ(messages.Messages()[0].style, winsys::vbExclamation);

    messages.Clear();
    help.CHMFile = dir.filePath(QStringLiteral("Rudedaz.chm"));
    help.HHDisplayContents(0);
    EXPECT_EQ(messages.Prompts(), QStringList{help.CHMFile + QStringLiteral(" is not a valid HTML Help file.")});
    EXPECT_TRUE(viewer.calls.isEmpty());

    // Upper-case extensions are as good as lower-case ones.
    QFile::rename(file, dir.filePath(QStringLiteral("RUDEDAZ.QCH")));
    help.CHMFile = dir.filePath(QStringLiteral("RUDEDAZ.QCH"));
    help.HHDisplayContents(0);
    EXPECT_EQ(viewer.calls.size(), 1);
}

TEST_F(HelpObjectTest, ANameWithoutAFolderIsLookedUpThenTakenFromTheProgramFolder)
{
    // Not registered: the program's folder, and CHMFile keeps the path tried.
    help.CHMFile = QStringLiteral("Nowhere.qch");
    help.HHDisplayContents(0);
    const QString tried = QCoreApplication::applicationDirPath() + QStringLiteral("/Nowhere.qch");
    EXPECT_EQ(help.CHMFile, tried);
    EXPECT_EQ(messages.Prompts(), QStringList{Missing(tried)});

    // A name with a backslash is still a name without a folder here.
    messages.Clear();
    help.CHMFile = QStringLiteral("sub\\Nowhere.qch");
    help.HHDisplayContents(0);
    EXPECT_EQ(help.CHMFile, QCoreApplication::applicationDirPath() + QStringLiteral("/sub\\Nowhere.qch"));

    // Registered: the registered folder, in any letter case.
    QString path = file;
    help.HHRegister(path);
    help.CHMFile = QStringLiteral("rudedaz.QCH");
    help.HHWindow = QStringLiteral("Main");
    help.HHDisplayContents(0);
    ASSERT_EQ(viewer.calls.size(), 1);
    EXPECT_EQ(viewer.calls[0].target, file + QStringLiteral(">Main"));
    EXPECT_TRUE(help.HHRegFileExists());
}

TEST_F(HelpObjectTest, AViewerFailureIsReportedAndLeavesNoWindowHandle)
{
    viewer.error = QStringLiteral("The help file has no window type \"Side\".");
    help.CHMFile = file;
    help.HHWindow = QStringLiteral("Side");
    help.HHDisplayContents(0);
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_EQ(messages.Prompts()[0], QStringLiteral("Help could not be shown.\n") + viewer.error);
    EXPECT_EQ(help.HHWndHandle(), 0);
    EXPECT_EQ(messages.Prompts().size(), 1) << "reading the handle shows no message";
}

TEST_F(HelpObjectTest, TopicsIndexSearchAndLookUpsSendTheirCommands)
{
    help.CHMFile = file;
    help.HHWindow = QStringLiteral("Main");
    help.HHTopicURL = QStringLiteral("searching.html");
    help.HHDisplayTopicURL(0);
    help.HHTopicID = 1005;
    help.HHDisplayTopicID(0);
    help.HHDisplayIndex(0);
    help.HHDisplaySearch(0);
    ASSERT_EQ(viewer.calls.size(), 4);
    EXPECT_EQ(viewer.calls[0].request.command, Command::DisplayTopic);
    EXPECT_EQ(viewer.calls[0].request.url, QStringLiteral("searching.html"));
    EXPECT_EQ(viewer.calls[0].target, file + QStringLiteral(">Main"));
    EXPECT_EQ(viewer.calls[1].request.command, Command::HelpContext);
    EXPECT_EQ(viewer.calls[1].request.id, 1005);
    EXPECT_EQ(viewer.calls[2].request.command, Command::DisplayIndex);
    EXPECT_EQ(viewer.calls[3].request.command, Command::DisplaySearch);

    viewer.calls.clear();
    help.HHKeyword = QStringLiteral("wildcards;search");
    help.HHDefaultURL = QStringLiteral("index.html");
    help.HHDisplayKeyword(0);
    ASSERT_EQ(viewer.calls.size(), 2);
    EXPECT_EQ(viewer.calls[0].request.command, Command::DisplayTopic);
    EXPECT_TRUE(viewer.calls[0].request.url.isEmpty()) << "the file's default topic first";
    EXPECT_EQ(viewer.calls[0].target, file) << "look-ups name the file alone";
    EXPECT_EQ(viewer.calls[1].request.command, Command::KeywordLookup);
    EXPECT_EQ(viewer.calls[1].request.link.keywords, QStringLiteral("wildcards;search"));
    EXPECT_EQ(viewer.calls[1].request.link.defaultUrl, QStringLiteral("index.html"));
    EXPECT_EQ(viewer.calls[1].request.link.window, QStringLiteral("Main"));

    help.HHALink = QStringLiteral("typing");
    help.HHDisplayALink(0);
    ASSERT_EQ(viewer.calls.size(), 3);
    EXPECT_EQ(viewer.calls[2].request.command, Command::ALinkLookup);
    EXPECT_EQ(viewer.calls[2].request.link.keywords, QStringLiteral("typing"));

    help.HHClose();
    EXPECT_EQ(viewer.calls.last().request.command, Command::CloseAll);
    EXPECT_TRUE(messages.Prompts().isEmpty());

    // What's-this mode needs a window of the program; an unknown handle
    // changes nothing.
    help.HHInvokeWhatsThisHelp(424242);
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    QWidget window;
    window.show();
    help.HHInvokeWhatsThisHelp(static_cast<long>(window.winId()));
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
}

TEST_F(HelpObjectTest, PopUpsShowTheirTextOnceAndResetTheirStyle)
{
    help.HHPopupType = 4;
    help.HHDisplayPopup(0);
    EXPECT_TRUE(viewer.calls.isEmpty()) << "an empty text shows nothing";

    help.HHPopupText = QStringLiteral("The word's ID");
    help.HHPopupTextBold = true;
    help.HHPopupTextSize.clear();
    help.HHPopupCustomColors = true;
    help.HHPopupCustomTextColor = 0x0000FF;
    help.HHDisplayPopup(5);
    ASSERT_EQ(viewer.calls.size(), 1);
    const helpctl::Popup &shown = viewer.calls[0].request.popup;
    EXPECT_EQ(viewer.calls[0].owner, 5) << "a pop-up always belongs to the given window";
    EXPECT_EQ(shown.text, QStringLiteral("The word's ID"));
    EXPECT_EQ(shown.font, QStringLiteral("Arial, 10, ascii, Bold "));
    EXPECT_EQ(shown.textColor, 0x0000FFu);
    EXPECT_FALSE(help.HHPopupTextBold);
    EXPECT_EQ(help.HHPopupCustomTextColor, 0u);

    help.HHPopupType = 1;
    help.CHMFile = file;
    help.HHPopupFile = QStringLiteral("popups.htm");
    help.HHDisplayPopup(0);
    EXPECT_EQ(viewer.calls.size(), 1);
    EXPECT_EQ(messages.Prompts(),
              QStringList{QStringLiteral("The file specified as the text popup source, 'popups.htm', is not a valid popup file.")});
}

TEST_F(HelpObjectTest, RegistrationWritesTheFolderOnceAndNeedsAPath)
{
    QString path = file;
    help.HHRegister(path);
    QSettings store(helpctl::HelpRegistry::DefaultFile(), QSettings::IniFormat);
    EXPECT_EQ(store.value(QStringLiteral("HTML Help/Rudedaz.qch")).toString(), dir.path() + QStringLiteral("/"));
    EXPECT_TRUE(messages.Prompts().isEmpty());

    help.HHRegister(path);
    EXPECT_EQ(messages.Prompts(), QStringList{QStringLiteral("The file ") + file
                                              + QStringLiteral(" is already registered.  HHRegister will not be run "
                                                               "as no action need be taken.")});
    EXPECT_EQ(messages.Messages()[0].style, winsys::vbInformation);

    messages.Clear();
    help.HHUnRegister(path);
    EXPECT_TRUE(help.HHRegFileName().isEmpty());
    help.HHUnRegister(path);
    EXPECT_EQ(messages.Prompts(), QStringList{QStringLiteral("The file ") + file
                                              + QStringLiteral(" is not registered.  HHUnRegister will not be run "
                                                               "as no action need be taken.")});

    // A bare name found in the program's folder cannot be registered.
    const QString local = QCoreApplication::applicationDirPath() + QStringLiteral("/HelpObjectTest.qch");
    QFile f(local);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    messages.Clear();
    QString bare = QStringLiteral("HelpObjectTest.qch");
    help.HHRegister(bare);
    QFile::remove(local);
    EXPECT_EQ(messages.Prompts(),
              QStringList{QStringLiteral("Cannot register HelpObjectTest.qch without having a supplied path.\"")});
    QSettings after(helpctl::HelpRegistry::DefaultFile(), QSettings::IniFormat);
    after.beginGroup(QStringLiteral("HTML Help"));
    EXPECT_TRUE(after.childKeys().isEmpty());
}

TEST_F(HelpObjectTest, VersionsCompareNumberByNumber)
{
    EXPECT_GT(HTMLHelp::CompareVersions(QStringLiteral("4.72.10"), QStringLiteral("4.72.9")), 0);
    EXPECT_LT(HTMLHelp::CompareVersions(QStringLiteral("4.9"), QStringLiteral("4.72.7290")), 0);
    EXPECT_EQ(HTMLHelp::CompareVersions(QStringLiteral("5.0.2717.2000"), QStringLiteral("5.00.2717.2000")), 0);
    EXPECT_EQ(HTMLHelp::CompareVersions(QStringLiteral("6.4"), QStringLiteral("6.4.0")), 0);

    EXPECT_EQ(help.HHVersion(), QString::fromLatin1(qVersion()));
    EXPECT_EQ(help.HHFriendlyName(), QStringLiteral("Qt Help ") + QString::fromLatin1(qVersion()));
    EXPECT_TRUE(help.HHInstalled());
    qint32 hh = 26, ie = 273;
    EXPECT_TRUE(help.HHVerifyMinConfig(hh, ie));
    hh = 27;
    EXPECT_FALSE(help.HHVerifyMinConfig(hh, ie));
    EXPECT_EQ(help.HHFriendlyName(), QStringLiteral("unknown"));
    EXPECT_EQ(help.HHWndHandle(), 0);
    EXPECT_TRUE(messages.Prompts().isEmpty());
}

} // namespace
