#include "support/TestDb.h"

#include <QFile>

#include <stdexcept>

namespace tavtest {

TestDb::TestDb()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    m_path = m_dir.filePath(QStringLiteral("TavWrd.twl"));
    if (!QFile::copy(QStringLiteral(TAV_FRESH_DB), m_path))
        throw std::runtime_error("cannot copy " TAV_FRESH_DB);
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
}

dao::DatabasePtr TestDb::Open() const { return dao::DBEngine::OpenDatabase(m_path); }

} // namespace tavtest
