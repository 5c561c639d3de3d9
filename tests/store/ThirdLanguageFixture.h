#pragma once
// A word store on a private copy of the fresh database, with the shared state
// a running program has after start-up: the connection, the settings row's
// third-language values and the shared SQL strings. The shared state is put
// back afterwards.

#include "platform/dao/Dao.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "support/RecordingLink.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>

#include <memory>

namespace tavtest {

class ThirdLanguageFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.MakeWordStore();
        link.Clear();
    }
    void TearDown() override
    {
        tav::ResetSharedState();
    }

    // One value of a native query on a second connection to the file.
    QVariant Native(const QString &sql) { return db.Value(sql); }
    long long NativeCount(const QString &sql) { return Native(sql).toLongLong(); }
    int RowsOf(const QString &table)
    {
        return int(NativeCount(QStringLiteral("SELECT count(*) FROM \"") + table + QLatin1Char('"')));
    }
    bool HasTable(const QString &name)
    {
        return NativeCount(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '") +
                           name + QLatin1Char('\'')) == 1;
    }

    TestDb db;
    RecordingLink link;
    winsys::ScriptedMessages messages;
};

} // namespace tavtest
