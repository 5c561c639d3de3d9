#include "help/HTMLHelp.h"

#include "platform/help/HelpControl.h"
#include "platform/help/HelpRegistry.h"
#include "platform/winsys/core/MsgBox.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QStringList>
#include <QWhatsThis>
#include <QWidget>

namespace {

const QString Caption = QStringLiteral("HTML Help Class");

// The minimum versions that HHVerifyMinConfig's codes choose, in code order.
const QStringList MinHH = {"4.72.7290", "4.72.7323", "4.72.7325", "4.72.8164.0", "4.73.8252", "4.73.8412",
                           "4.73.8474", "4.73.8561", "4.74.8566", "4.74.8637", "4.74.8702"};
const QStringList MinIE = {"4.70.1155",      "4.70.1158",      "4.70.1215",      "4.70.1300",      "4.71.1008.3",
                           "4.71.1712.5",    "4.72.2106.7",    "4.72.3110.03",   "4.72.3612.1707", "5.00.0518.5",
                           "5.00.0910.1308", "5.00.2014.213",  "5.00.2314.1000", "5.00.2614.3500", "5.0.2717.2000",
                           "5.00.2721.1400", "5.00.2919.800",  "5.00.2919.3800"};

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

QString JoinFolder(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The release name of an engine version: the engine and its version.
QString ReleaseName(const QString &engine, const QString &version)
{
    if (version.isEmpty() || version == QLatin1String("unknown"))
        return QStringLiteral("unknown");
    return engine + QLatin1Char(' ') + version;
}

} // namespace

int HTMLHelp::msgCritical(const QString &text) { return winsys::MsgBox(text, winsys::vbOKOnly | winsys::vbCritical, Caption); }
int HTMLHelp::msgExclamation(const QString &text)
{
    return winsys::MsgBox(text, winsys::vbOKOnly | winsys::vbExclamation, Caption);
}
int HTMLHelp::msgInformation(const QString &text)
{
    return winsys::MsgBox(text, winsys::vbOKOnly | winsys::vbInformation, Caption);
}

// --- Help files -----------------------------------------------------------------

bool HTMLHelp::isValidChmFile(const QString &name)
{
    if (name.endsWith(QLatin1String(".qch"), Qt::CaseInsensitive))
        return true;
    msgExclamation(name + QStringLiteral(" is not a valid HTML Help file."));
    return false;
}

bool HTMLHelp::isValidPopupFile(const QString &name)
{
    if (name.right(3).compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0)
        return true;
    msgExclamation(QStringLiteral("The file specified as the text popup source, '") + name
                   + QStringLiteral("', is not a valid popup file."));
    return false;
}

bool HTMLHelp::EnsureFileExists(QString &name)
{
    if (QFileInfo(name).isRelative()) {
        HHCheckRegistry(name);
        name = m_regFileName.isEmpty() ? JoinFolder(ProgramFolder(), name) : JoinFolder(m_regFilePath, m_regFileName);
    }
    if (QFileInfo(name).isFile())
        return true;
    msgExclamation(QStringLiteral("The file ") + name + QStringLiteral(" does not exist.") + QLatin1Char('\n')
                   + QStringLiteral("Please make sure the correct path and file name have been specified."));
    return false;
}

void HTMLHelp::HHCheckRegistry(const QString &name)
{
    if (name.isEmpty())
        return;
    m_regFileExists = false;
    if (!isValidChmFile(name))
        return;
    const helpctl::HelpRegistry::Entry entry = helpctl::HelpRegistry().Read(QFileInfo(name).fileName());
    // Only a full folder counts: a relative one would send the existence
    // check back here.
    if (entry.name.isEmpty() || QFileInfo(entry.folder).isRelative()) {
        m_regFileName.clear();
        m_regFilePath.clear();
        return;
    }
    m_regFileName = entry.name;
    m_regFilePath = entry.folder;
    QString path = JoinFolder(m_regFilePath, m_regFileName);
    if (EnsureFileExists(path))
        m_regFileExists = true;
}

void HTMLHelp::HHRegister(QString &name)
{
    if (name.isEmpty() || !isValidChmFile(name))
        return;
    HHCheckRegistry(name);
    if (!m_regFileName.isEmpty()) {
        msgInformation(QStringLiteral("The file ") + name + QStringLiteral(" is already registered.  ")
                       + QStringLiteral("HHRegister will not be run as no action need be taken."));
        return;
    }
    const QString supplied = name;
    if (!EnsureFileExists(name))
        return;
    if (QFileInfo(supplied).isRelative()) {
        msgExclamation(QStringLiteral("Cannot register ") + supplied + QStringLiteral(" without having a supplied path.\""));
        return;
    }
    const QFileInfo file(name);
    if (!helpctl::HelpRegistry().Write(file.fileName(), file.absolutePath() + QLatin1Char('/'))) {
        msgExclamation(QStringLiteral("HTML Help Class: HHRegister Error"));
        HHCheckRegistry(name);
    }
}

void HTMLHelp::HHUnRegister(QString &name)
{
    if (name.isEmpty() || !isValidChmFile(name))
        return;
    HHCheckRegistry(name);
    if (m_regFileName.isEmpty()) {
        msgInformation(QStringLiteral("The file ") + name + QStringLiteral(" is not registered.  ")
                       + QStringLiteral("HHUnRegister will not be run as no action need be taken."));
        return;
    }
    helpctl::HelpRegistry().Remove(QFileInfo(name).fileName());
    HHCheckRegistry(name);
}

QString HTMLHelp::HHSetHelpFile(qint16 kind) const
{
    if (kind == 1)
        return JoinFolder(ProgramFolder(), QStringLiteral("Library.qch"));
    if (kind == 2)
        return QStringLiteral("Library.txt");
    return {};
}

// --- Displays -------------------------------------------------------------------

bool HTMLHelp::checkFile() { return isValidChmFile(CHMFile) && EnsureFileExists(CHMFile); }

QString HTMLHelp::target(bool withWindow) const
{
    if (!withWindow || HHWindow.trimmed().isEmpty())
        return CHMFile;
    return CHMFile + QLatin1Char('>') + HHWindow;
}

long HTMLHelp::owner(long hwnd) const { return HHShowOnTop ? hwnd : 0; }

bool HTMLHelp::send(long ownerHandle, const QString &file, const helpctl::Request &request, long *handle)
{
    helpctl::HelpControl &control = helpctl::CurrentHelpControl();
    const long shown = control.HtmlHelp(ownerHandle, file, request);
    if (handle)
        *handle = shown;
    if (control.LastError().isEmpty())
        return true;
    msgExclamation(QStringLiteral("Help could not be shown.") + QLatin1Char('\n') + control.LastError());
    return false;
}

void HTMLHelp::display(long hwnd, bool withWindow, int command, const QString &url, int id)
{
    helpctl::Request request;
    request.command = static_cast<helpctl::Command>(command);
    request.url = url;
    request.id = id;
    send(owner(hwnd), target(withWindow), request, &m_wndHandle);
}

void HTMLHelp::HHDisplayContents(long hwnd)
{
    if (checkFile())
        display(hwnd, true, int(helpctl::Command::DisplayToc));
}

void HTMLHelp::HHDisplayTopicURL(long hwnd)
{
    if (checkFile())
        display(hwnd, true, int(helpctl::Command::DisplayTopic), HHTopicURL);
}

void HTMLHelp::HHDisplayTopicID(long hwnd)
{
    if (checkFile())
        display(hwnd, true, int(helpctl::Command::HelpContext), QString(), HHTopicID);
}

void HTMLHelp::HHDisplayIndex(long hwnd)
{
    if (checkFile())
        display(hwnd, true, int(helpctl::Command::DisplayIndex));
}

void HTMLHelp::HHDisplaySearch(long hwnd)
{
    if (checkFile())
        display(hwnd, true, int(helpctl::Command::DisplaySearch));
}

void HTMLHelp::lookUp(long hwnd, int command, const QString &names)
{
    helpctl::Request request;
    request.command = static_cast<helpctl::Command>(command);
    request.link = {names, HHDefaultURL, HHMsgText, HHMsgTitle, HHWindow.trimmed().isEmpty() ? QString() : HHWindow};
    send(owner(hwnd), target(false), request, &m_wndHandle);
}

void HTMLHelp::HHDisplayKeyword(long hwnd)
{
    if (!checkFile())
        return;
    // The file's default topic first: the look-up then opens over it.
    display(hwnd, false, int(helpctl::Command::DisplayTopic));
    lookUp(hwnd, int(helpctl::Command::KeywordLookup), HHKeyword);
}

void HTMLHelp::HHDisplayALink(long hwnd)
{
    if (checkFile())
        lookUp(hwnd, int(helpctl::Command::ALinkLookup), HHALink);
}

void HTMLHelp::HHDisplayPopup(long hwnd)
{
    helpctl::Request request;
    request.command = helpctl::Command::DisplayTextPopup;
    helpctl::Popup &popup = request.popup;
    switch (HHPopupType) {
    case 1:
        if (!checkFile())
            return;
        popup.id = HHPopupID;
        break;
    case 2:
        // A string resource of the program: the program keeps its texts in
        // the word database, so there is none to show.
        return;
    case 4:
        if (HHPopupText.isEmpty())
            return;
        popup.text = HHPopupText;
        break;
    default:
        return;
    }
    popup.pos = QCursor::pos();
    popup.textColor = HHPopupCustomColors ? HHPopupCustomTextColor : HHPopupTextColor;
    popup.backColor = HHPopupCustomColors ? HHPopupCustomBackColor : HHPopupBackColor;
    const QString face = HHPopupTextFont.isEmpty() ? QStringLiteral("Arial") : HHPopupTextFont;
    const QString size = HHPopupTextSize.isEmpty() ? QStringLiteral("10") : HHPopupTextSize;
    popup.font = face + QStringLiteral(", ") + size + QStringLiteral(", ascii, ")
                 + (HHPopupTextBold ? QStringLiteral("Bold ") : QString())
                 + (HHPopupTextItalic ? QStringLiteral("Italic ") : QString())
                 + (HHPopupTextUnderline ? QStringLiteral("Underline") : QString());
    if (HHPopupType == 1) {
        if (!isValidPopupFile(HHPopupFile))
            return;
        popup.innerFile = HHPopupFile;
    }
    if (send(hwnd, HHPopupType == 1 ? CHMFile : QString(), request, nullptr))
        resetPopupStyle();
}

void HTMLHelp::resetPopupStyle()
{
    HHPopupTextColor = HHPopupBackColor = HHPopupCustomTextColor = HHPopupCustomBackColor = 0;
    HHPopupTextFont = QStringLiteral("Arial");
    HHPopupTextSize = QStringLiteral("10");
    HHPopupTextBold = HHPopupTextItalic = HHPopupTextUnderline = false;
}

void HTMLHelp::HHClose()
{
    helpctl::Request request;
    request.command = helpctl::Command::CloseAll;
    send(0, QString(), request, nullptr);
}

void HTMLHelp::HHInvokeWhatsThisHelp(long hwnd)
{
    QWidget *window = hwnd ? QWidget::find(static_cast<WId>(hwnd)) : nullptr;
    if (!window)
        return;
    window->window()->activateWindow();
    QWhatsThis::enterWhatsThisMode();
}

void HTMLHelp::HHDeleteJumpURLSysMenu(long) {}

// --- Versions -------------------------------------------------------------------

int HTMLHelp::CompareVersions(const QString &a, const QString &b)
{
    const QStringList left = a.split(QLatin1Char('.'));
    const QStringList right = b.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < qMax(left.size(), right.size()); ++i) {
        const qlonglong x = left.value(i).trimmed().toLongLong();
        const qlonglong y = right.value(i).trimmed().toLongLong();
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

bool HTMLHelp::HHInstalled()
{
    // The help engine reads its files through Qt's SQLite driver.
    return QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"));
}

QString HTMLHelp::HHVersion()
{
    m_hhVersion = QString::fromLatin1(qVersion());
    return m_hhVersion;
}

QString HTMLHelp::IEVersion()
{
    m_ieVersion = QString::fromLatin1(qVersion());
    return m_ieVersion;
}

QString HTMLHelp::HHFriendlyName()
{
    if (m_hhVersion.isEmpty())
        HHVersion();
    m_hhFriendlyName = ReleaseName(QStringLiteral("Qt Help"), m_hhVersion);
    return m_hhFriendlyName;
}

QString HTMLHelp::IEFriendlyName()
{
    if (m_ieVersion.isEmpty())
        IEVersion();
    m_ieFriendlyName = ReleaseName(QStringLiteral("Qt text browser"), m_ieVersion);
    return m_ieFriendlyName;
}

bool HTMLHelp::HHVerifyMinConfig(qint32 &minHH, qint32 &minIE)
{
    bool hhOk = false;
    if (minHH >= 16 && minHH < 16 + MinHH.size())
        hhOk = CompareVersions(HHVersion(), MinHH.at(minHH - 16)) >= 0;
    else
        m_hhVersion = QStringLiteral("unknown");
    bool ieOk = false;
    if (minIE >= 256 && minIE < 256 + MinIE.size())
        ieOk = CompareVersions(IEVersion(), MinIE.at(minIE - 256)) >= 0;
    else
        m_ieVersion = QStringLiteral("unknown");
    HHFriendlyName();
    IEFriendlyName();
    return hhOk && ieOk;
}
