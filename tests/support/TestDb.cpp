#include "support/TestDb.h"

#include <QCryptographicHash>
#include <QFile>

#include <stdexcept>

namespace tavtest {

TestDb::TestDb()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    m_path = m_dir.filePath(QStringLiteral("TavWrd.twl"));
    const QString fresh = FreshDbPath();
    if (!QFile::copy(fresh, m_path))
        throw std::runtime_error("cannot copy " + fresh.toStdString());
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
}

QString TestDb::FreshDbPath()
{
    return qEnvironmentVariable("TAV_TEST_FRESH_DB", QStringLiteral(TAV_FRESH_DB));
}

dao::DatabasePtr TestDb::Open() const { return dao::DBEngine::OpenDatabase(m_path); }

QVariant TestDb::Value(const QString &nativeSql) const
{
    dao::DatabasePtr other = Open();
    const auto rows = other->QueryNative(nativeSql);
    other->Close();
    return rows.isEmpty() || rows.first().isEmpty() ? QVariant() : rows.first().first();
}

QByteArray FileHash(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

} // namespace tavtest
