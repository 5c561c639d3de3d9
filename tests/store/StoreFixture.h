#pragma once
// A started word store on a private copy of the fresh database: start-up has
// run (as far as the main window's Load, which clears StartingUp), with the
// recording link and scripted message boxes installed.

#include "platform/winsys/core/MsgBox.h"
#include "store/SharedState.h"
#include "store/StartUp.h"
#include "support/RecordingLink.h"
#include "support/TestDb.h"

#include <QDir>

#include <gtest/gtest.h>

namespace tavtest {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cwd = QDir::currentPath();
        ASSERT_EQ(tav::SubMain(db.Folder()), 0) << messages.Prompts().join("\n").toStdString();
        tav::StartingUp = false; // the main window's Load ends the start
        link.Clear();
    }
    void TearDown() override
    {
        tav::ResetSharedState();
        QDir::setCurrent(m_cwd);
    }

    // A value straight from the file, through a connection of its own.
    QVariant FileValue(const QString &sql) const { return db.Value(sql); }

    TestDb db;
    RecordingLink link;
    winsys::ScriptedMessages messages;

private:
    QString m_cwd;
};

} // namespace tavtest
