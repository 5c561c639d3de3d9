#include "mainwindow/About.h"
#include "platform/winsys/core/MsgBox.h"
#include "mainwindow/AppVersion.h"
#include "mainwindow/Sorry.h"
#include "mainwindow/Splash.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/core/Pointer.h"
#include "store/SharedState.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using tav::Splash;

TEST(Splash, TheWindowKeepsTheLoadingCaptionAndItsLabelShowsIt)
{
    using Caption = Splash::LoadingCaption;
    Splash splash;
    EXPECT_EQ(splash.Timer3->interval(), 400);
    EXPECT_TRUE(splash.Timer3->isActive());
    const struct {
        Caption caption;
        const char *text;
    } blinks[] = {{Caption::LoadingWait, "Loading...wait....."},
                  {Caption::WaitLoading, "wait...Loading....."},
                  {Caption::LoadingWait, "Loading...wait....."},
                  {Caption::WaitLoading, "wait...Loading....."}};
    for (const auto &blink : blinks) {
        EXPECT_EQ(splash.Loading(), blink.caption);
        EXPECT_EQ(Splash::LoadingText(splash.Loading()), QLatin1String(blink.text));
        EXPECT_EQ(splash.LoadingLabelText(), QLatin1String(blink.text));
        splash.Timer3_Timer();
    }
}

TEST(Splash, TheTimerBlinksWhileTheEventLoopRuns)
{
    Splash splash;
    QStringList seen;
    QObject::connect(splash.Timer3, &QTimer::timeout, [&] { seen << splash.LoadingLabelText(); });
    // Two blinks, however long the machine takes for them; the limit only
    // ends the test when the timer does not run.
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() >= 2; }, 20000));
    EXPECT_NE(seen.at(0), seen.at(1));
}

TEST(Splash, HourglassIsSetOnceAndRestoredWhenTheWindowCloses)
{
    QStringList calls;
    winsys::SetPointerHooks({[&](winsys::PointerShape s) {
                                 calls << (s == winsys::PointerShape::ArrowHourglass ? QStringLiteral("busy")
                                                                                    : QStringLiteral("other"));
                             },
                             [&] { calls << QStringLiteral("pop"); }});
    const int depth = winsys::PointerDepth();
    {
        auto *splash = new Splash;
        QPointer<Splash> alive(splash);
        splash->show();
        for (int i = 0; i < 5; ++i)
            splash->Timer3_Timer();
        EXPECT_EQ(winsys::PointerDepth(), depth + 1);
        splash->close();
        EXPECT_EQ(winsys::PointerDepth(), depth);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(alive.isNull());
    }
    winsys::SetPointerHooks({});
    EXPECT_EQ(calls, QStringList({QStringLiteral("busy"), QStringLiteral("pop")}));
}

TEST(Splash, MottoInTheGreekFontFourSizesAboveTheGreekSize)
{
    for (const auto &[size, expected] : {std::pair{11, 19}, std::pair{14, 22}}) {
        tav::GreekFontSize = size;
        Splash splash;
        EXPECT_EQ(splash.lblProduct->font().family(), QStringLiteral("VudedoGreek"));
        EXPECT_EQ(splash.lblProduct->font().pointSize(), expected);
        EXPECT_EQ(splash.lblProduct->text(), QStringLiteral("askouvmai me \ntiV levxeiV \nta Ellhnikav "));
    }
    tav::GreekFontSize = 14;
}

TEST(Splash, CentredRaisedAndOnTop)
{
    Splash splash;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(splash.x(), (screen.width() - splash.width()) / 2, 1);
    EXPECT_NEAR(splash.y(), (screen.height() - splash.height()) / 2 - winsys::TwipsToPixelsY(500), 1);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(splash.lblVersion->text(), tav::VersionCaption());
    EXPECT_EQ(splash.Frame1->geometry(), splash.rect());
    EXPECT_EQ(splash.imgDuk->geometry(),
              QRect(winsys::TwipsToPixelsX(60), winsys::TwipsToPixelsY(60), splash.width() - winsys::TwipsToPixelsX(240),
                    splash.height() - winsys::TwipsToPixelsY(240)));
    EXPECT_FALSE(splash.ShowAsSplash());
    splash.SetShowAsSplash(true);
    EXPECT_TRUE(splash.ShowAsSplash());
}

TEST(Splash, TheFramesKeyPatternLiesWhereTheInsetLeavesRoomForIt)
{
    Splash splash;
    const QImage frame = splash.imgRam->pixmap().toImage();
    const QRect inset = splash.imgDuk->geometry();
    ASSERT_EQ(frame.size(), splash.size());
    // Counts white pixels of the frame picture within a band.
    auto white = [&](const QRect &band) {
        int n = 0;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                n += frame.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
        return n;
    };
    const QRect bottom(0, inset.bottom() + 1, frame.width(), frame.height() - inset.bottom() - 1);
    const QRect right(inset.right() + 1, 0, frame.width() - inset.right() - 1, frame.height());
    const QRect top(0, 0, frame.width(), inset.top());
    EXPECT_GT(white(bottom), 100) << "the wide lower edge shows the key";
    EXPECT_GT(white(right), 100) << "the wide right edge shows the key";
    // Nothing of the pattern hides under the inset (it would show cut off
    // along the thin upper edge).
    EXPECT_EQ(white(inset), 0);
    EXPECT_EQ(white(top), 0);
}

TEST(AboutWindow, VersionTextFromTheVersionNumbers)
{
    EXPECT_EQ(tav::VersionCaption(QStringLiteral("2.0.15")), QStringLiteral("Version 2.0.15"));
    EXPECT_EQ(tav::VersionCaption(QStringLiteral("3")), QStringLiteral("Version 3.0.0"));
    EXPECT_EQ(tav::VersionCaption(), tav::VersionCaption(QStringLiteral(TAV_VERSION)));
    tav::About about;
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version ") + QStringLiteral(TAV_VERSION));
}

TEST(AboutWindow, MailLinkOpensTheMailProgram)
{
    QList<QUrl> opened;
    auto previous = tav::About::OpenUrl;
    tav::About::OpenUrl = [&](const QUrl &url) {
        opened << url;
        return true;
    };
    tav::About about;
    about.show();
    QTest::mouseClick(about.lblMailMe, Qt::LeftButton);
    tav::About::OpenUrl = previous;
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first().scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(opened.first().path(), tav::About::ContactAddress);
}

TEST(AboutWindow, WithoutAMailProgramTheAddressIsShownToCopy)
{
    winsys::ScriptedMessages messages;
    auto previous = tav::About::OpenUrl;
    tav::About::OpenUrl = [](const QUrl &) { return false; };
    tav::About about;
    about.show();
    QTest::mouseClick(about.lblMailMe, Qt::LeftButton);
    tav::About::OpenUrl = previous;
    ASSERT_EQ(messages.Prompts().size(), 1);
    EXPECT_TRUE(messages.Prompts().first().contains(QLatin1Char('\n') + tav::About::ContactAddress + QLatin1Char('\n')));
}

TEST(SorryWindow, CaptionIsTheProgramTitleAndOkCloses)
{
    auto *sorry = new tav::Sorry;
    QPointer<tav::Sorry> alive(sorry);
    EXPECT_EQ(sorry->windowTitle(), QStringLiteral("Tavrinel"));
    sorry->tbMSG[0]->setText(QStringLiteral("Sorry, nothing was found for:"));
    sorry->tbMSG[1]->setText(QStringLiteral("xyz"));
    sorry->show();
    EXPECT_FALSE(sorry->isModal());
    sorry->OKButton->click();
    EXPECT_FALSE(sorry->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}
