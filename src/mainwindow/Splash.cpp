#include "mainwindow/Splash.h"

#include "mainwindow/AppVersion.h"
#include "mainwindow/Artwork.h"
#include "platform/font/FontLoader.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/core/Pointer.h"
#include "store/SharedState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace tav {

QString Splash::LoadingText(LoadingCaption caption)
{
    return caption == LoadingCaption::LoadingWait ? QStringLiteral("Loading...wait.....")
                                                  : QStringLiteral("wait...Loading.....");
}

Splash::Splash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    using namespace winsys;
    setObjectName(QStringLiteral("Splash"));
    setWindowTitle(QStringLiteral("Tavrinel"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(TwipsToPixelsX(6600), TwipsToPixelsY(4200));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    imgRam = new QLabel(Frame1);
    imgRam->setObjectName(QStringLiteral("imgRam"));
    imgDuk = new QLabel(Frame1);
    imgDuk->setObjectName(QStringLiteral("imgDuk"));
    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    lblProduct = new QLabel(Frame1);
    lblProduct->setObjectName(QStringLiteral("lblProduct"));
    lblVersion = new QLabel(Frame1);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblLoading = new QLabel(LoadingText(m_loading), Frame1);
    lblLoading->setObjectName(QStringLiteral("lblLoading"));
    lblLoading->setFont(QFont(QStringLiteral("Arial Unicode MS"), 10));

    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(400);
    connect(Timer3, &QTimer::timeout, this, &Splash::Timer3_Timer);
    Timer3->start();

    // Watches every window that shows, for a question at start-up.
    qApp->installEventFilter(this);
    Form_Load();
}

Splash::~Splash()
{
    qApp->removeEventFilter(this);
    if (m_pointerSet)
        winsys::PopPointer();
}

QString Splash::LoadingLabelText() const { return lblLoading->text(); }

void Splash::Form_Load()
{
    using namespace winsys;
    // Centred on the screen, raised by 500 twips.
    if (const QScreen *s = QGuiApplication::primaryScreen()) {
        const QRect screenRect = s->geometry();
        move(screenRect.left() + (screenRect.width() - width()) / 2,
             screenRect.top() + (screenRect.height() - height()) / 2 - TwipsToPixelsY(500));
    }
    // Topmost without moving or sizing is the window's stays-on-top flag.
    raise();

    lblVersion->setFont(QFont(QStringLiteral("MS Sans Serif"), 10));
    lblVersion->setText(VersionCaption());

    lblProduct->setFont(GreekFont(GreekFontSize + 8));
    lblProduct->setText(QStringLiteral("askouvmai me ") + QLatin1Char('\n') + QStringLiteral("tiV levxeiV ")
                        + QLatin1Char('\n') + QStringLiteral("ta Ellhnikav "));

    Frame1->setGeometry(0, 0, width(), height());
    imgRam->setGeometry(0, 0, Frame1->width(), Frame1->height());
    imgDuk->setGeometry(TwipsToPixelsX(60), TwipsToPixelsY(60), width() - TwipsToPixelsX(240),
                        height() - TwipsToPixelsY(240));
    imgRam->setPixmap(FramePicture(imgRam->size(), imgDuk->geometry()));
    imgDuk->setPixmap(InsetPicture(imgDuk->size()));

    const int margin = imgDuk->x() + TwipsToPixelsX(240);
    const int logoSide = TwipsToPixelsX(1000);
    imgLogo->setPixmap(LogoPicture(logoSide));
    imgLogo->setGeometry(margin, imgDuk->y() + TwipsToPixelsY(240), logoSide, logoSide);
    lblProduct->adjustSize();
    lblProduct->move(imgLogo->geometry().right() + TwipsToPixelsX(360), imgDuk->y() + TwipsToPixelsY(180));
    lblLoading->setMinimumWidth(TwipsToPixelsX(2400));
    lblLoading->adjustSize();
    lblLoading->move(margin, imgDuk->geometry().bottom() - lblLoading->height() - TwipsToPixelsY(180));
    lblVersion->adjustSize();
    lblVersion->move(imgDuk->geometry().right() - lblVersion->width() - TwipsToPixelsX(240), lblLoading->y());
    repaint();
}

void Splash::Timer3_Timer()
{
    // The arrow-and-hourglass is set once and restored when the window goes.
    if (!m_pointerSet) {
        winsys::PushPointer(winsys::PointerShape::ArrowHourglass);
        m_pointerSet = true;
    }
    m_loading = m_loading == LoadingCaption::LoadingWait ? LoadingCaption::WaitLoading : LoadingCaption::LoadingWait;
    lblLoading->setText(LoadingText(m_loading));
}

void Splash::Form_QueryUnload()
{
    Timer3->stop();
    if (m_pointerSet) {
        winsys::PopPointer();
        m_pointerSet = false;
    }
}

bool Splash::eventFilter(QObject *watched, QEvent *event)
{
    // The splash stays on top of the desktop: a dialog shown while it is up
    // would open under it.
    if (event->type() == QEvent::Show && watched != this && isVisible()) {
        if (auto *dialog = qobject_cast<QDialog *>(watched); dialog && dialog->isWindow()) {
            Form_QueryUnload();
            hide();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Splash::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    event->accept();
}

} // namespace tav
