#pragma once
// A private copy of the freshly built word database for one test, in its own
// temporary folder: tests never touch the program's own TavWrd.twl.

#include "platform/dao/Dao.h"

#include <QString>
#include <QTemporaryDir>

namespace tavtest {

class TestDb {
public:
    TestDb();                       // copies the fresh TavWrd.twl
    QString Path() const { return m_path; }
    QString Folder() const { return m_dir.path(); }
    dao::DatabasePtr Open() const;  // a new connection to the copy

private:
    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace tavtest
