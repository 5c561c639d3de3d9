#include "platform/help/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace helpctl {

HelpBrowser::HelpBrowser(QHelpEngine *engine, QWidget *parent) : QTextBrowser(parent), m_engine(engine) {}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    if (name.scheme() == QLatin1String("qthelp"))
        return m_engine->fileData(name);
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(const QString &helpFile, const QString &collectionFile, QWidget *owner)
    : QMainWindow(owner), m_helpFile(QFileInfo(helpFile).absoluteFilePath()),
      m_engine(new QHelpEngine(collectionFile, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The collection file is this program's own and is written: it registers
    // the help file and keeps the search index beside it.
    m_engine->setReadOnly(false);
    buildPanes();
    placeOnScreen();
    // Closed from the keyboard like any viewer window, wherever the focus is
    // inside it.
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto *shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

void HelpWindow::placeOnScreen()
{
    // Centred on the screen, at most nine tenths of its work area, so that
    // the window and its title bar fit on a small screen too.
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown) {
        resize(960, 700);
        m_split->setSizes({310, 650});
        return;
    }
    const QRect area = shown->availableGeometry();
    resize(qMin(960, area.width() * 9 / 10), qMin(700, area.height() * 9 / 10));
    move(area.center() - QPoint(width() / 2, height() / 2));
    m_split->setSizes({width() * 32 / 100, width() * 68 / 100});
}

HelpWindow::~HelpWindow()
{
    // The engine goes first: its panes stay in the window until the window's
    // children go, and whether the engine takes them along is its own affair.
    delete m_engine;
}

bool HelpWindow::Open(QString *error)
{
    const QFileInfo collection(m_engine->collectionFile());
    if (!QDir().mkpath(collection.absolutePath())) {
        *error = QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(collection.absolutePath()));
        return false;
    }
    m_namespace = QHelpEngineCore::namespaceName(m_helpFile);
    if (m_namespace.isEmpty()) {
        *error = QStringLiteral("%1 is not a help file.").arg(QDir::toNativeSeparators(m_helpFile));
        return false;
    }
    if (!m_engine->setupData()) {
        *error = m_engine->error();
        return false;
    }
    // The collection may still name the file at an older place (the program
    // was moved) or a file of the same name that is gone.
    const QString registered = m_engine->documentationFileName(m_namespace);
    if (QFileInfo(registered).absoluteFilePath() != m_helpFile) {
        if (!registered.isEmpty())
            m_engine->unregisterDocumentation(m_namespace);
        if (!m_engine->registerDocumentation(m_helpFile)) {
            *error = m_engine->error();
            return false;
        }
        // The index made when the collection was opened does not hold the
        // file registered just now.
        m_engine->searchEngine()->reindexDocumentation();
    }
    return true;
}

void HelpWindow::buildPanes()
{
    m_panes = new QTabWidget;
    m_panes->setObjectName(QStringLiteral("panes"));

    QHelpContentWidget *contents = m_engine->contentWidget();
    contents->setObjectName(QStringLiteral("contents"));
    contents->setHeaderHidden(true);
    m_panes->addTab(contents, QStringLiteral("Contents"));
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::ShowTopic);
    // One click on a topic opens it, as in every contents pane.
    connect(contents, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (QHelpContentItem *item = m_engine->contentModel()->contentItemAt(index))
            ShowTopic(item->url());
    });
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, contents,
            [contents] { contents->expandToDepth(0); });

    auto *indexPage = new QWidget;
    auto *indexColumn = new QVBoxLayout(indexPage);
    indexColumn->setContentsMargins(4, 4, 4, 4);
    m_indexFilter = new QLineEdit(indexPage);
    m_indexFilter->setObjectName(QStringLiteral("indexFilter"));
    m_indexFilter->setPlaceholderText(QStringLiteral("Type a keyword"));
    QHelpIndexWidget *index = m_engine->indexWidget();
    index->setObjectName(QStringLiteral("index"));
    indexColumn->addWidget(m_indexFilter);
    indexColumn->addWidget(index);
    m_panes->addTab(indexPage, QStringLiteral("Index"));
    connect(m_indexFilter, &QLineEdit::textChanged, index, [index](const QString &text) { index->filterIndices(text); });
    connect(m_indexFilter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink &link, const QString &) { ShowTopic(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink> &links, const QString &) {
                if (!links.isEmpty())
                    ShowTopic(links.first().url);
            });

    auto *searchPage = new QWidget;
    auto *searchColumn = new QVBoxLayout(searchPage);
    searchColumn->setContentsMargins(4, 4, 4, 4);
    QHelpSearchEngine *search = m_engine->searchEngine();
    searchColumn->addWidget(search->queryWidget());
    searchColumn->addWidget(search->resultWidget(), 1);
    m_panes->addTab(searchPage, QStringLiteral("Search"));
    connect(search->queryWidget(), &QHelpSearchQueryWidget::search, this,
            [search] { search->search(search->queryWidget()->searchInput()); });
    connect(search->resultWidget(), &QHelpSearchResultWidget::requestShowLink, this, &HelpWindow::ShowTopic);

    m_page = new HelpBrowser(m_engine, this);
    m_page->setObjectName(QStringLiteral("page"));

    m_split = new QSplitter(this);
    m_split->addWidget(m_panes);
    m_split->addWidget(m_page);
    m_split->setStretchFactor(1, 1);
    setCentralWidget(m_split);

    QToolBar *bar = addToolBar(QStringLiteral("Navigation"));
    bar->setMovable(false);
    QAction *back = bar->addAction(QStringLiteral("Back"), m_page, &QTextBrowser::backward);
    QAction *forward = bar->addAction(QStringLiteral("Forward"), m_page, &QTextBrowser::forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_page, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_page, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    bar->addAction(QStringLiteral("Contents"), this, [this] {
        ShowPane(ContentsPane);
        ShowTopic(DefaultTopic());
    });
}

QUrl HelpWindow::TopicUrl(const QString &address) const
{
    QUrl url(address);
    if (url.scheme() != QLatin1String("qthelp")) {
        QString path = address;
        while (path.startsWith(QLatin1Char('/')))
            path.remove(0, 1);
        const QList<QUrl> files = m_engine->files(m_namespace, QString());
        if (files.isEmpty())
            return {};
        // Every page of the file lies under its one virtual folder.
        const QString folder = files.first().path().section(QLatin1Char('/'), 1, 1);
        url = QUrl(QStringLiteral("qthelp://%1/%2/%3").arg(m_namespace, folder, path));
    }
    QUrl page = url;
    page.setFragment(QString());
    if (m_engine->fileData(page).isEmpty())
        return {};
    return url;
}

QUrl HelpWindow::DefaultTopic() const
{
    const QString named = QHelpEngineCore::metaData(m_helpFile, QStringLiteral("defaultTopic")).toString();
    if (!named.isEmpty())
        return TopicUrl(named);
    const QList<QUrl> files = m_engine->files(m_namespace, QString(), QStringLiteral("html"));
    return files.isEmpty() ? QUrl() : files.first();
}

void HelpWindow::closeEvent(QCloseEvent *event)
{
    emit closing();
    QMainWindow::closeEvent(event);
}

void HelpWindow::ShowPane(Pane pane) { m_panes->setCurrentIndex(pane); }

void HelpWindow::ShowTopic(const QUrl &url)
{
    if (url.isValid() && url != m_page->source())
        m_page->setSource(url);
    // A minimised help window comes back as it was before (maximised or not).
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void HelpWindow::FilterIndex(const QString &text)
{
    ShowPane(IndexPane);
    m_indexFilter->setText(text);
}

void HelpWindow::Search(const QString &text)
{
    ShowPane(SearchPane);
    QHelpSearchEngine *search = m_engine->searchEngine();
    search->queryWidget()->setSearchInput(text);
    if (!text.isEmpty())
        search->search(text);
}

} // namespace helpctl
