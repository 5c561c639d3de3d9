#pragma once
// A word store on a private copy of the fresh database with a few words of
// its own (IDs from 900001, far above the shipped ones), the Swedish
// third-language names set, and recording stand-ins for the main window and
// the message boxes.

#include "platform/dao/Dao.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/CaptionArrays.h"
#include "store/GreekLetters.h"
#include "store/MainWindowLink.h"
#include "store/SharedState.h"
#include "support/RecordingLink.h"
#include "support/TestDb.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace tavtest {

// The main window as the status and window routines see it.
class MainWindowRecorder : public RecordingLink {
public:
    void RefreshStatusBar() override { calls << QStringLiteral("RefreshStatusBar"); }
    void SetPrintEntries(bool enabled, const QString &caption, const QString &toolTip) override
    {
        printEnabled = enabled;
        printCaption = caption;
        printToolTip = toolTip;
    }
    void SetWindowMenusEnabled(bool enabled) override { calls << QStringLiteral("WindowMenus %1").arg(enabled); }
    void SetKlinEnabled(bool enabled) override { calls << QStringLiteral("Klin %1").arg(enabled); }
    void MDIForm_Resize() override { calls << QStringLiteral("Resize"); }
    void BaseFrase() override { calls << QStringLiteral("BaseFrase"); }
    void DeKlino(long color, long long id) override { calls << QStringLiteral("DeKlino %1 %2").arg(color).arg(id); }
    QList<ChildWindow> ChildWindows() const override { return children; }
    QList<tav::ListWindowLink *> OpenListWindows() const override { return lists; }
    // The work runs here at once; whileBusy then runs as if the event loop
    // served it before the work ended.
    void RunBusy(const QString &, const std::function<void()> &work) override
    {
        work();
        if (whileBusy)
            whileBusy();
    }
    std::function<void()> whileBusy;

    bool printEnabled = true;
    QString printCaption, printToolTip;
    QList<ChildWindow> children;
    QList<tav::ListWindowLink *> lists;
};

// The fixture's words.
constexpr long long Spiti = 900001;  // to spivti: a noun with Klino and FormsAll rows
constexpr long long Grafo = 900002;  // gravfw: a verb with KonT1, KonT4, IMPER, KlinoMenos rows
constexpr long long Edo = 900003;    // edwv: an adverb, no inflection rows, no Swedish row
constexpr long long Poli = 900004;   // h povlh: another noun, never edited

class WordStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tav::WordDb = db.Open();
        tav::DbPath = db.Path();
        tav::Lang3Table = QStringLiteral("GreekSwedish");
        tav::Lang3AllTable = QStringLiteral("AllSwedishGreek");
        tav::Lang3Lat = QStringLiteral("GreekSwedish.Lat");
        tav::Lang3ID = QStringLiteral("GreekSwedish.ID");
        tav::Lang3Means = QStringLiteral("GreekSwedish.Means");
        tav::Caps1185.Set(1199, QStringLiteral("This word is no longer in the word list."));
        tav::Caps1172.Set(1172, QStringLiteral("Sorry, nothing was found for:"));
        AddWord(Spiti, "to", "spivti", "an", "home, house", 2);
        AddWord(Grafo, "", "gravfw", "c1", "write", 99);
        AddWord(Edo, "", "edwv", "ad", "here", 99);
        AddWord(Poli, "h", "povlh", "af", "city, town", 1);
        AddMeanings("AllSwedishGreek", Spiti, {"hus"});
        AddMeanings("AllSwedishGreek", Grafo, {"skriva"});
        AddMeanings("AllSwedishGreek", Poli, {"stad"});
        Exec("INSERT INTO GreekSwedish (ID, Lat, Means, Greek) VALUES (900001, 'hus', '1', 'spivti'), "
             "(900002, 'skriva', '1', 'gravfw'), (900004, 'stad', '1', 'povlh')");
        Exec("INSERT INTO Klino (ID, Greek, WT, sNNom) VALUES (900001, 'spivti', 'an', 'spivti'), "
             "(900004, 'povlh', 'af', 'povlh')");
        Exec("INSERT INTO KonT1 (ID, WT, Greek, S1a) VALUES (900002, 'c1', 'gravfw', 'gravfw')");
        Exec("INSERT INTO KonT4 (ID, WT, Greek, S1a, Sal) VALUES (900002, 'c1', 'gravfw', 'gravyw', '" +
             tav::TavGreSort("gravfw") + "')");
        Exec("INSERT INTO IMPER (ID, Greek, WT, Sal, SiSimpAct) VALUES (900002, 'gravfw', 'c1', '" +
             tav::TavGreSort("gravfw") + "', 'gravye')");
        Exec("INSERT INTO KlinoMenos (ID, Greek, WT, sMNom) VALUES (900002, 'gravfw', 'c1', 'grammevnoV')");
        Exec("INSERT INTO FormsAll (ID, GenTem, KasPer, Greek, FormGreek) VALUES "
             "(900001, 'Klino', 'sNGen', 'spivti', 'spitiouv'), (900002, 'KonT1', 'S1a', 'gravfw', 'gravfw'), "
             "(900002, 'KonT4', 'S1a', 'gravfw', 'gravyw')");
    }

    void TearDown() override
    {
        tav::ResetSharedState();
    }

    void AddWord(long long id, const QString &art, const QString &greek, const QString &wt, const QString &english,
                 int genus)
    {
        const QStringList meanings = english.split(", ");
        Exec(QStringLiteral("INSERT INTO Main (ID, Art, Greek, Sal, WT, English, Emeans, Genus) "
                            "VALUES (%1, %2, '%3', '%4', '%5', '%6', %7, %8)")
                 .arg(id)
                 .arg(art.isEmpty() ? QStringLiteral("NULL") : "'" + art + "'", greek, tav::TavGreSort(greek), wt,
                      english)
                 .arg(meanings.size())
                 .arg(genus));
        AddMeanings("AllEnglishGreek", id, meanings);
    }

    void AddMeanings(const QString &table, long long id, const QStringList &meanings)
    {
        const QString art = Text("SELECT Art FROM Main WHERE ID = " + QString::number(id));
        const QString greek = Text("SELECT Greek FROM Main WHERE ID = " + QString::number(id));
        for (const QString &lat : meanings)
            Exec(QStringLiteral("INSERT INTO %1 (Sal, ID, Lat, Art, Greek) VALUES ('%2', %3, '%4', '%5', '%6')")
                     .arg(table, tav::TavGreSort(greek))
                     .arg(id)
                     .arg(lat, art, greek));
    }

    // Native SQL straight to the file, for setting up and checking.
    void Exec(const QString &sql) { tav::WordDb->ExecNative(sql); }
    QVariant Value(const QString &sql)
    {
        const auto rows = tav::WordDb->QueryNative(sql);
        return rows.isEmpty() || rows[0].isEmpty() ? QVariant() : rows[0][0];
    }
    QString Text(const QString &sql) { return Value(sql).toString(); }
    // The first column of every row, in the query's order.
    QStringList Column(const QString &sql)
    {
        QStringList values;
        for (const auto &row : tav::WordDb->QueryNative(sql))
            values << (row[0].isNull() ? QStringLiteral("<null>") : row[0].toString());
        return values;
    }
    // The meanings a lookup table holds for a word, sorted.
    QStringList Meanings(const QString &table, long long id)
    {
        return Column(QStringLiteral("SELECT Lat FROM %1 WHERE ID = %2 ORDER BY Lat COLLATE BINARY")
                          .arg(table)
                          .arg(id));
    }

    TestDb db;
    MainWindowRecorder mdi;
    winsys::ScriptedMessages messages;
};

} // namespace tavtest
