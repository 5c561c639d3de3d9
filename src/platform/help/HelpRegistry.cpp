#include "platform/help/HelpRegistry.h"

#include <QSettings>
#include <QStandardPaths>

namespace helpctl {

namespace {
QString g_defaultFile;
const QString Group = QStringLiteral("HTML Help");

// Removes the value of a file name in any letter case from the open group.
void RemoveName(QSettings &store, const QString &fileName)
{
    for (const QString &key : store.childKeys())
        if (key.compare(fileName, Qt::CaseInsensitive) == 0)
            store.remove(key);
}
} // namespace

void HelpRegistry::SetDefaultFile(const QString &file) { g_defaultFile = file; }

QString HelpRegistry::DefaultFile()
{
    if (!g_defaultFile.isEmpty())
        return g_defaultFile;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/htmlhelp.ini");
}

HelpRegistry::HelpRegistry(const QString &file) : m_file(file.isEmpty() ? DefaultFile() : file) {}

HelpRegistry::Entry HelpRegistry::Read(const QString &fileName) const
{
    QSettings store(m_file, QSettings::IniFormat);
    store.beginGroup(Group);
    for (const QString &key : store.childKeys())
        if (key.compare(fileName, Qt::CaseInsensitive) == 0)
            return {key, store.value(key).toString()};
    return {};
}

bool HelpRegistry::Write(const QString &fileName, const QString &folder)
{
    QSettings store(m_file, QSettings::IniFormat);
    store.beginGroup(Group);
    RemoveName(store, fileName);
    store.setValue(fileName, folder);
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

bool HelpRegistry::Remove(const QString &fileName)
{
    QSettings store(m_file, QSettings::IniFormat);
    store.beginGroup(Group);
    RemoveName(store, fileName);
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace helpctl
