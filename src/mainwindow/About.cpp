#include "mainwindow/About.h"

#include "mainwindow/AppVersion.h"
#include "mainwindow/Artwork.h"
#include "platform/winsys/Twips.h"
#include "platform/winsys/core/MsgBox.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace tav {

const QString About::ContactAddress = QStringLiteral("tavrinel@example.org");
std::function<bool(const QUrl &)> About::OpenUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };

About::About(QWidget *parent) : QDialog(parent)
{
    using namespace winsys;
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About Tavrinel"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    imgDuk = new QLabel(this);
    imgDuk->setObjectName(QStringLiteral("imgDuk"));
    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(LogoPicture(TwipsToPixelsX(900)));
    auto *title = new QLabel(QStringLiteral("Tavrinel"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblMailMe = new QLabel(this);
    lblMailMe->setObjectName(QStringLiteral("lblMailMe"));
    lblMailMe->setText(QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(ContactAddress));
    lblMailMe->setTextInteractionFlags(Qt::NoTextInteraction);
    lblMailMe->setCursor(Qt::PointingHandCursor);
    lblMailMe->installEventFilter(this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &About::cmdOK_Click);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(TwipsToPixelsX(240), TwipsToPixelsY(240), TwipsToPixelsX(240), TwipsToPixelsY(240));
    grid->addWidget(imgDuk, 0, 0, 4, 3);
    grid->addWidget(imgLogo, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(title, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblMailMe, 2, 1);
    grid->addWidget(cmdOK, 3, 2);
    grid->setColumnStretch(1, 1);

    Form_Load();
    resize(TwipsToPixelsX(5400), TwipsToPixelsY(2600));
}

void About::Form_Load() { lblVersion->setText(VersionCaption()); }

void About::cmdOK_Click() { close(); }

void About::lblMailMe_Click()
{
    if (OpenUrl(QUrl(QStringLiteral("mailto:") + ContactAddress)))
        return;
    // No mail program took the link: the address is shown to be copied.
    winsys::MsgBox(QStringLiteral("No mail program is set up on this desktop.\nPlease write to:\n\n") + ContactAddress +
                       QStringLiteral("\n\n(Select the address with the mouse to copy it.)"),
                   winsys::vbInformation, winsys::AppTitle);
}

bool About::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblMailMe && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lblMailMe_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tav
