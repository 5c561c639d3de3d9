#pragma once
// A main window on a private copy of the fresh database, loaded as at start:
// the settings of the shipped row, the shared SQL strings, the Load with its
// interface texts and the category tree. The Load's pauses are skipped and
// the end of the program is only recorded. List requests go to a recorder.

#include "mainwindow/MDI.h"
#include "platform/dao/Dao.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/ListRequests.h"
#include "support/TestDb.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace tavtest {

// Records each list request as one line: "Std|Sql|IsGreek|SortValue|
// Caption|ViewTag|Filter" or "Simple|Sql|Lang|Word|Mode".
class RecordingRequests : public tav::ListRequests {
public:
    void DoStdGrid(const QString &Sql, bool IsGreek, int SortValue, const QString &Caption, int ViewTag,
                   const QString &Filter) override;
    void DoSimpleGrid(const QString &Sql, int Lang, const QString &Word, int Mode) override;
    QStringList calls;
};

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Clicks a node as the user would (its click handler runs).
    void ClickNode(const QString &key);
    // Chooses the letter at this place of the letter list (0 is "-").
    void ChooseLetter(int place);
    QString Caption(const QString &key) const;
    long long NativeCount(const QString &sql) const;
    QVariant Native(const QString &sql) const;

    TestDb db;
    winsys::ScriptedMessages messages;
    RecordingRequests requests;
    std::unique_ptr<tav::MDI> w;
};

} // namespace tavtest
