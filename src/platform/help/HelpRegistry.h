#pragma once
// Where help files are registered: one value per help file, named by the
// file's name and holding its folder (ending in "/"). The store is a settings
// file of this program's own, never the desktop's; names match in any case.

#include <QString>

namespace helpctl {

class HelpRegistry {
public:
    // file: the settings file; empty: "htmlhelp.ini" in the user's
    // configuration folder of the program.
    explicit HelpRegistry(const QString &file = QString());

    // The folder registered for a file name and the name as registered;
    // both empty when the name is not registered.
    struct Entry {
        QString name;
        QString folder;
    };
    Entry Read(const QString &fileName) const;
    // False when the store cannot be written.
    bool Write(const QString &fileName, const QString &folder);
    bool Remove(const QString &fileName);

    QString File() const { return m_file; }

    // The store that a help object uses unless told otherwise; tests point it
    // at their own file.
    static void SetDefaultFile(const QString &file);
    static QString DefaultFile();

private:
    QString m_file;
};

} // namespace helpctl
