#pragma once
// The help viewer of the program, on Qt Help: one help window per help file
// and window type, opened on the file's contents, a topic, the index or the
// search. A window type must be named by the help file (meta data
// "window.<type>", whose value is the window's title); a request without one
// opens in the type named by "defaultWindow", else in a plain window. The
// collection files live in a folder the user can write, one per help file.

#include "platform/help/HelpControl.h"

#include <QMap>
#include <QObject>
#include <QPointer>

namespace helpctl {

class HelpWindow;

class QtHelpControl : public QObject, public HelpControl {
    Q_OBJECT
public:
    // collectionFolder: where the collection files are kept; empty: the
    // user's data folder of the program.
    explicit QtHelpControl(const QString &collectionFolder = QString(), QObject *parent = nullptr);
    ~QtHelpControl() override;

    long HtmlHelp(long owner, const QString &target, const Request &request) override;
    QString LastError() const override { return m_error; }

    // The open help window of a file and window type, or nullptr.
    HelpWindow *Window(const QString &file, const QString &windowType) const;

    // Topic `id` of a pop-up text file: the lines after ".topic <id>" up to
    // the next ".topic" line; empty when the file has no such topic.
    static QString PopupTopic(const QString &fileText, int id);

private:
    HelpWindow *windowFor(long owner, const QString &file, const QString &requestedType);
    long handleOf(HelpWindow *window);
    long fail(const QString &reason);
    long lookUp(HelpWindow *window, const LinkLookup &link, bool byKeyword);
    long popup(long owner, const QString &file, const Popup &popup);
    void closeAll();
    void deleteWindows();

    QString m_folder;
    QString m_error;
    QMap<QString, QPointer<HelpWindow>> m_windows;
};

} // namespace helpctl
