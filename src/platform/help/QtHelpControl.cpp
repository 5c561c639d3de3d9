#include "platform/help/QtHelpControl.h"

#include "platform/help/HelpWindow.h"
#include "platform/winsys/core/MsgBox.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHelpEngine>
#include <QHelpLink>
#include <QStandardPaths>
#include <QWhatsThis>

namespace helpctl {

namespace {

QColor FromBgr(quint32 value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

// The pop-up's text as rich text in its font and colours. Text and back
// colours that are equal (both 0 when nobody set them) would hide the text:
// the pop-up then keeps the desktop's colours.
QString PopupHtml(const Popup &popup, const QString &text)
{
    const QStringList font = popup.font.split(QLatin1Char(','));
    QString style;
    if (!font.value(0).trimmed().isEmpty())
        style += QStringLiteral("font-family:'%1';").arg(font.value(0).trimmed());
    bool sized = false;
    const int size = font.value(1).trimmed().toInt(&sized);
    if (sized && size > 0)
        style += QStringLiteral("font-size:%1pt;").arg(size);
    const QString styles = font.mid(3).join(QLatin1Char(' '));
    if (styles.contains(QLatin1String("Bold"), Qt::CaseInsensitive))
        style += QStringLiteral("font-weight:bold;");
    if (styles.contains(QLatin1String("Italic"), Qt::CaseInsensitive))
        style += QStringLiteral("font-style:italic;");
    if (styles.contains(QLatin1String("Underline"), Qt::CaseInsensitive))
        style += QStringLiteral("text-decoration:underline;");
    if (popup.textColor != popup.backColor)
        style += QStringLiteral("color:%1;background-color:%2;")
                     .arg(FromBgr(popup.textColor).name(), FromBgr(popup.backColor).name());
    QString body = text.toHtmlEscaped();
    body.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return QStringLiteral("<p style=\"%1\">%2</p>").arg(style, body);
}

// Windows are told apart by their file and their window type in any case.
QString WindowKey(const QString &file, const QString &windowType)
{
    return QFileInfo(file).absoluteFilePath() + QLatin1Char('>') + windowType.toLower();
}

QWidget *OwnerWidget(long owner)
{
    if (owner == 0)
        return nullptr;
    QWidget *widget = QWidget::find(static_cast<WId>(owner));
    return widget ? widget->window() : nullptr;
}

} // namespace

QtHelpControl::QtHelpControl(const QString &collectionFolder, QObject *parent)
    : QObject(parent), m_folder(collectionFolder)
{
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/help");
    // The windows go while the application can still take them down.
    if (QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &QtHelpControl::deleteWindows);
}

QtHelpControl::~QtHelpControl() { deleteWindows(); }

void QtHelpControl::deleteWindows()
{
    const auto windows = m_windows;
    m_windows.clear();
    for (const QPointer<HelpWindow> &window : windows)
        delete window.data();
}

HelpWindow *QtHelpControl::Window(const QString &file, const QString &windowType) const
{
    return m_windows.value(WindowKey(file, windowType)).data();
}

long QtHelpControl::fail(const QString &reason)
{
    m_error = reason;
    return 0;
}

long QtHelpControl::handleOf(HelpWindow *window) { return static_cast<long>(window->winId()); }

HelpWindow *QtHelpControl::windowFor(long owner, const QString &file, const QString &requestedType)
{
    // A request without a window type opens in the file's default window.
    QString windowType = requestedType;
    if (windowType.trimmed().isEmpty() && QFileInfo(file).isFile())
        windowType = QHelpEngineCore::metaData(file, QStringLiteral("defaultWindow")).toString();
    if (HelpWindow *open = Window(file, windowType))
        return open;
    const QString shown = QDir::toNativeSeparators(file);
    if (!QFileInfo(file).isFile()) {
        fail(QStringLiteral("The help file %1 does not exist.").arg(shown));
        return nullptr;
    }
    // A file that is not a help file (damaged, cut short, another kind) has
    // no namespace; asked for its window types, it would seem to lack them.
    if (QHelpEngineCore::namespaceName(file).isEmpty()) {
        fail(QStringLiteral("The help file %1 cannot be read.").arg(shown));
        return nullptr;
    }
    QString title = QFileInfo(file).completeBaseName();
    if (!windowType.trimmed().isEmpty()) {
        title = QHelpEngineCore::metaData(file, QStringLiteral("window.") + windowType.toLower()).toString();
        if (title.isEmpty()) {
            fail(QStringLiteral("The help file %1 has no window type \"%2\".").arg(shown, windowType));
            return nullptr;
        }
    }
    const QString collection = m_folder + QLatin1Char('/') + QFileInfo(file).completeBaseName() + QStringLiteral(".qhc");
    auto *window = new HelpWindow(file, collection, OwnerWidget(owner));
    QString error;
    if (!window->Open(&error)) {
        delete window;
        fail(error);
        return nullptr;
    }
    window->setWindowTitle(title);
    const QString key = WindowKey(file, windowType);
    m_windows.insert(key, window);
    connect(window, &HelpWindow::closing, this, [this, key, window] {
        if (m_windows.value(key) == window)
            m_windows.remove(key);
    });
    return window;
}

long QtHelpControl::HtmlHelp(long owner, const QString &target, const Request &request)
{
    m_error.clear();
    if (request.command == Command::CloseAll) {
        closeAll();
        return 0;
    }
    QString file;
    QString windowType;
    SplitTarget(target, &file, &windowType);
    if (request.command == Command::DisplayTextPopup)
        return popup(owner, file, request.popup);

    HelpWindow *window = windowFor(owner, file, windowType);
    if (!window)
        return 0;
    // A window made for a request that then fails is not left behind hidden.
    auto failed = [&](const QString &reason) {
        if (!window->isVisible())
            window->close();
        return fail(reason);
    };
    const bool blank = window->Page()->source().isEmpty();
    switch (request.command) {
    case Command::DisplayToc:
        window->ShowPane(HelpWindow::ContentsPane);
        window->ShowTopic(blank ? window->DefaultTopic() : QUrl());
        break;
    case Command::DisplayIndex:
        window->ShowPane(HelpWindow::IndexPane);
        window->ShowTopic(blank ? window->DefaultTopic() : QUrl());
        break;
    case Command::DisplaySearch:
        window->Search(QString());
        window->ShowTopic(blank ? window->DefaultTopic() : QUrl());
        break;
    case Command::DisplayTopic: {
        const QUrl url = request.url.isEmpty() ? window->DefaultTopic() : window->TopicUrl(request.url);
        if (!url.isValid())
            return failed(QStringLiteral("The help file %1 has no topic %2.")
                              .arg(QDir::toNativeSeparators(file), request.url));
        window->ShowTopic(url);
        break;
    }
    case Command::HelpContext: {
        const QList<QHelpLink> links = window->Engine()->documentsForIdentifier(QString::number(request.id));
        if (links.isEmpty())
            return failed(QStringLiteral("The help file %1 has no topic number %2.")
                              .arg(QDir::toNativeSeparators(file))
                              .arg(request.id));
        window->ShowTopic(links.first().url);
        break;
    }
    case Command::KeywordLookup:
    case Command::ALinkLookup: {
        const long shown = lookUp(window, request.link, request.command == Command::KeywordLookup);
        if (!m_error.isEmpty())
            return failed(m_error);
        return shown;
    }
    default:
        return failed(QStringLiteral("Unknown help command %1.").arg(static_cast<int>(request.command)));
    }
    return handleOf(window);
}

long QtHelpControl::lookUp(HelpWindow *window, const LinkLookup &link, bool byKeyword)
{
    QList<QUrl> found;
    QString firstName;
    for (const QString &part : link.keywords.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        if (name.isEmpty())
            continue;
        const QList<QHelpLink> links = byKeyword ? window->Engine()->documentsForKeyword(name)
                                                 : window->Engine()->documentsForIdentifier(name);
        for (const QHelpLink &l : links)
            if (!found.contains(l.url)) {
                found.append(l.url);
                if (firstName.isEmpty())
                    firstName = name;
            }
    }
    if (!found.isEmpty()) {
        window->ShowTopic(found.first());
        // More than one topic: the index lists them under the keyword.
        if (found.size() > 1 && byKeyword)
            window->FilterIndex(firstName);
        return handleOf(window);
    }
    if (!link.defaultUrl.isEmpty()) {
        const QUrl url = window->TopicUrl(link.defaultUrl);
        if (!url.isValid())
            return fail(QStringLiteral("The help file has no topic %1.").arg(link.defaultUrl));
        window->ShowTopic(url);
        return handleOf(window);
    }
    if (!link.msgText.isEmpty()) {
        winsys::MsgBox(link.msgText, winsys::vbOKOnly | winsys::vbInformation, link.msgTitle);
        return 0;
    }
    return fail(QStringLiteral("The help file has no topic for \"%1\".").arg(link.keywords));
}

QString QtHelpControl::PopupTopic(const QString &fileText, int id)
{
    QStringList lines;
    bool inTopic = false;
    for (const QString &line : fileText.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String(".topic"), Qt::CaseInsensitive)) {
            if (inTopic)
                break;
            bool number = false;
            inTopic = trimmed.mid(6).trimmed().toInt(&number) == id && number;
            continue;
        }
        if (inTopic)
            lines.append(trimmed);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(QLatin1Char('\n'));
}

long QtHelpControl::popup(long owner, const QString &file, const Popup &popup)
{
    QString text = popup.text;
    if (!popup.innerFile.isEmpty()) {
        HelpWindow *window = windowFor(owner, file, QString());
        if (!window)
            return 0;
        const QUrl url = window->TopicUrl(popup.innerFile);
        if (!url.isValid())
            return fail(QStringLiteral("The help file %1 has no file %2.")
                            .arg(QDir::toNativeSeparators(file), popup.innerFile));
        text = PopupTopic(QString::fromUtf8(window->Engine()->fileData(url)), popup.id);
        if (text.isEmpty())
            return fail(QStringLiteral("%1 has no topic %2.").arg(popup.innerFile).arg(popup.id));
    }
    if (text.isEmpty())
        return 0;
    QWhatsThis::showText(popup.pos, PopupHtml(popup, text), OwnerWidget(owner));
    return 0;
}

void QtHelpControl::closeAll()
{
    QWhatsThis::hideText();
    const auto windows = m_windows;
    m_windows.clear();
    for (const QPointer<HelpWindow> &window : windows)
        if (window)
            window->close();
}

} // namespace helpctl
