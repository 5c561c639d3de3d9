#pragma once
// A help window on one Qt Help file: the navigation panes (contents, index,
// full-text search) beside the page view. The window keeps its own help
// engine over a collection file in a folder the user can write, so that the
// search index can be built there; the help file itself may lie in a folder
// the user cannot write.

#include <QMainWindow>
#include <QTextBrowser>
#include <QUrl>

class QHelpEngine;
class QLineEdit;
class QSplitter;
class QTabWidget;

namespace helpctl {

// The page view: pages, pictures and style sheets come from the help file.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(QHelpEngine *engine, QWidget *parent);
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QHelpEngine *m_engine;
};

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // helpFile: the Qt Help file; collectionFile: the collection that
    // registers it (made when missing); owner: nullptr or the window that
    // owns this one.
    HelpWindow(const QString &helpFile, const QString &collectionFile, QWidget *owner);
    ~HelpWindow() override;

    // Opens the collection and registers the help file in it. False: *error
    // says why, and the window must not be shown.
    bool Open(QString *error);

    QHelpEngine *Engine() const { return m_engine; }
    QTabWidget *Panes() const { return m_panes; }
    HelpBrowser *Page() const { return m_page; }

    // The address of a topic given relative to the help file's pages, or a
    // full qthelp address; empty when the help file has no such page.
    QUrl TopicUrl(const QString &address) const;
    // The page the help file opens on.
    QUrl DefaultTopic() const;

    enum Pane { ContentsPane = 0, IndexPane = 1, SearchPane = 2 };
    void ShowPane(Pane pane);
    void ShowTopic(const QUrl &url);
    // Shows the index narrowed to the entries that start with the text.
    void FilterIndex(const QString &text);
    // Runs a full-text search for the text in the search pane.
    void Search(const QString &text);

signals:
    // The window is closing and goes away once control returns to the event
    // loop: it must not be shown again.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPanes();
    void placeOnScreen();

    QString m_helpFile;
    QHelpEngine *m_engine;
    QString m_namespace;
    QSplitter *m_split = nullptr;
    QTabWidget *m_panes = nullptr;
    HelpBrowser *m_page = nullptr;
    QLineEdit *m_indexFilter = nullptr;
};

} // namespace helpctl
