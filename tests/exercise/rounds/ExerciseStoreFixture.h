#pragma once
// The exercises on a private copy of the fresh database: the word store's
// shared connection and settings, a seeded generator, scripted message boxes
// and the recording link. Each test starts with an empty repetition list and
// an empty store of wrong answers. No windows: the rounds are tested alone.

#include "exercise/rounds/ExerciseRandom.h"
#include "exercise/rounds/WordDraw.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/CaptionArrays.h"
#include "store/SharedState.h"
#include "support/RecordingLink.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>

namespace tavtest {

class ExerciseStoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.MakeWordStore();
        tav::OptNbrRepeats = 3;
        tav::OptNbrWrongs = 30;
        tav::OptNbrScribble = 5;
        tav::Lang3Complete = true;
        tav::Caps1112.Set(1115, QStringLiteral("Store full?"));
        tav::Caps1322.Set(1322, QStringLiteral("Empty the store?"));
        tav::Caps1322.Set(1325, QStringLiteral("errors in store"));
        tav::Caps1104.Set(1104, QStringLiteral("Type"));
        tav::Caps1104.Set(1105, QStringLiteral("Wrong"));
        tav::Caps1104.Set(1106, QStringLiteral("Right"));
        tav::Caps1104.Set(1107, QStringLiteral("Partly"));
        tav::Rnd().Seed(42);
    }
    void TearDown() override
    {
        tav::ResetSharedState();
        tav::PickedWordCycle().clear();
    }
    // Runs a native statement on the shared connection.
    void Exec(const QString &sql) { tav::WordDb->ExecNative(sql); }
    long long Count(const QString &sql) const { return db.Value(sql).toLongLong(); }
    // Leaves only the given words in Main.
    void KeepOnly(const QList<long long> &ids)
    {
        QStringList list;
        for (long long id : ids)
            list << QString::number(id);
        Exec(QStringLiteral("DELETE FROM Main WHERE ID NOT IN (%1)").arg(list.join(',')));
    }
    // The English meanings of a word.
    QString English(long long id) const
    {
        return db.Value(QStringLiteral("SELECT English FROM Main WHERE ID = %1").arg(id)).toString();
    }

    TestDb db;
    winsys::ScriptedMessages messages;
    RecordingLink link;
};

} // namespace tavtest
