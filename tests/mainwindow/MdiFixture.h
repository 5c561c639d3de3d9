#pragma once
// A main window on a small word database of its own: a few words, interface
// texts, stored wrong answers, and the settings the Load reads. The Load's
// pauses are counted instead of waited, and the end of the program is only
// recorded.

#include "mainwindow/MDI.h"
#include "platform/dao/Dao.h"
#include "platform/winsys/core/MsgBox.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace tavtest {

class MdiFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the database: LangCaps with the given (number, text) rows,
    // Main with words rows, WrongIDs with wrongs rows.
    void MakeDb(const QList<QPair<int, QString>> &caps, int words, int wrongs);
    // A new main window (the old one goes), Load not run.
    tav::MDI &NewMdi();
    // A child window named name; a list window with a small grid when
    // withGrid.
    QWidget *AddForm(const QString &name, const QString &caption, bool withGrid = false);

    // Answers the messages of the tree's count queries on the small database.
    std::unique_ptr<winsys::ScriptedMessages> quiet;
    QTemporaryDir dir;
    dao::DatabasePtr db;
    std::unique_ptr<tav::MDI> mdi;
    int pauses = 0;
    int ended = 0;
};

// The interface texts most tests use.
QList<QPair<int, QString>> StandardCaps();

} // namespace tavtest
