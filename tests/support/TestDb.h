#pragma once
// A private copy of the freshly built word database for one test, in its own
// temporary folder: tests never touch the program's own TavWrd.twl.

#include "platform/dao/Dao.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace tavtest {

class TestDb {
public:
    TestDb();                       // copies the fresh TavWrd.twl
    QString Path() const { return m_path; }
    QString Folder() const { return m_dir.path(); }
    dao::DatabasePtr Open() const;  // a new connection to the copy

    // The freshly built database the copies are made from: TAV_TEST_FRESH_DB
    // when set (a test that re-runs itself as another user points it at a
    // copy that user can read), else the one in the build tree.
    static QString FreshDbPath();

    // One value of a native query on a second connection to the copy, as
    // another program would read the file; invalid when there is no row.
    QVariant Value(const QString &nativeSql) const;

    // Makes the copy the store's shared connection WordDb (and DbPath) with
    // the settings the fresh database holds: third language Swedish, English
    // second languages, nothing hidden, the several-meanings rule off; then
    // builds the shared SQL strings as the start-up does. StartingUp is false
    // afterwards. Only tests that link the store's test support have it.
    void MakeWordStore() const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// The SHA-256 of a file's bytes, empty when it cannot be read: shows that a
// file was left byte for byte as it was.
QByteArray FileHash(const QString &path);

} // namespace tavtest
