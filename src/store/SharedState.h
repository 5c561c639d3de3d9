#pragma once
// The shared state of the running program: the one database connection, the
// settings row, the shared SQL strings and the flags that several windows read
// and write. Each variable has one name for the whole program; the comment
// says who writes it, everyone else only reads.
//
// Every variable is a field of SharedValues, with its starting value there,
// and the program uses it by its own name below (a reference to the field).
// ResetSharedState() gives every field its starting value again, so a
// variable added to SharedValues is reset with the others.

#include "platform/recordset/Recordset.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class QLockFile;

namespace tav {

struct SharedValues {
    // Connection, files, fonts, start-up.
    // The one connection to the word database for the whole run. Sub Main
    // opens it and ResetSharedState closes it; nothing else assigns it. Every
    // reader and writer of the file uses it (OpenWordDb()), and anything may
    // keep it (a data control, a recordset, a window): a compaction does not
    // make a new connection but points this same object at the compacted
    // file (dao::Database::ReplaceFile), closed only for the rename and with
    // no event loop running then. Its first write of a run gives the file a
    // new mark (dao::Database::RenewFileMark), which a start after a crash
    // needs to tell the file's own journal from another copy's. Threads that
    // only read (counts ahead, the compaction's copy) open readers of their
    // own on the same file.
    dao::DatabasePtr WordDb;
    std::shared_ptr<QLockFile> WordDbLock; // this run's lock on the word database file (Sub Main)
    QString DbPath;                // program folder + "/TavWrd.twl" (Sub Main)
    QString CapsLanguage;          // LangCaps column of the interface texts: "English"
    int GreekFontSize = 14;        // 11 on an 800x600 desktop, else 14 (Sub Main)
    bool StartingUp = false;       // Sub Main until the end of the main window's Load
    bool MainLoading = false;      // while the main window's Load runs
    long long HaveID = 0;          // Main.ID of the auxiliary "have"; 0 when absent
    int SearchLang = 4;            // 4 Greek, 5 English, 6 the third language
    bool SaveBusy = false;         // a remark from a remarks box is being stored
    int MsgAnswer = 0;             // answer of the last confirmation box
    dao::RecordsetPtr MainRs;      // shared scratch recordset on Main
    dao::RecordsetPtr CapsRs;      // shared scratch recordset on LangCaps

    // Settings, loaded from the Options row.
    int OptNbrRepeats = 0;
    int OptNbrWrongs = 0;
    int OptNbrScribble = 0;
    QString Opt3rdLang;
    bool OptBoChecka = false;
    QString Opt2ndScribble;
    int OptNbrRima = 0;
    QString Opt2ndTavrinel;
    bool OptBoHide3 = false;
    QString OptSql;                // the settings statement being executed

    // Shared SQL strings and third-language names.
    QString SqlKlinoM, SqlKlinoF, SqlKlinoN;
    QString SqlMenosM, SqlMenosF, SqlMenosN;
    QString SqlImperSi, SqlImperPl, SqlKonT4S2, SqlKonT4P2;
    QString SqlHaveKonT1, SqlHaveKonT3;
    QString SqlMain, SqlMainGenus, SqlMain2, SqlLang3, SqlLang3Genus;
    QString SqlAllEnglish, SqlAllLang3;
    QString Lang3Table, Lang3AllTable, Lang3Lat, Lang3ID, Lang3Means, Lang3Short;
    long long Lang3Count = 0;
    long long MainCount = 0;
    bool Lang3Complete = false;

    // Lists, exercise and grid state.
    QStringList GsortArr;          // the shared list array of the comma-list routines
    QList<long long> RepaIDs;      // wrongly answered word IDs kept for repetition
    QVector<int> PickedWords;      // 0..word count, words drawn by the word exercises
    QVector<int> PickedVerbs;      // 0..word count, verbs used by the verb exercise
    QVariantList PickIDs;
    QString PickCriteria;
    bool boRepa = false;
    long long CurrentWordID = 0;
    long long SearchRow = 0;       // grid row of the last hit of a list search
    QVariant WordKind, WordGenus;  // the word the grammar panel shows
    QStringList NewRowFields;
    QString KlinoQDefs[3];         // SQL of the grammar panel's three declension queries

    // The three flag properties.
    bool GridBusyFlag = false;
    bool LetterPickedFlag = false;
    bool TreeBuiltFlag = false;
};

// The one instance; use the names below. It is defined in the store's
// library (not inline in this header), so a library that does not link the
// store cannot use the shared state: it fails to link.
extern SharedValues Shared;

// Closes the shared connection WordDb, gives every shared
// variable its starting value and empties the caption arrays: the program
// as it was before Sub Main. Tests call it between cases.
void ResetSharedState();

// True when the shared connection WordDb is there and open.
bool WordDbIsOpen();

// Connection, files, fonts, start-up.
inline dao::DatabasePtr &WordDb = Shared.WordDb;
inline std::shared_ptr<QLockFile> &WordDbLock = Shared.WordDbLock;
inline QString &DbPath = Shared.DbPath;
inline QString &CapsLanguage = Shared.CapsLanguage;
inline int &GreekFontSize = Shared.GreekFontSize;
inline bool &StartingUp = Shared.StartingUp;
inline bool &MainLoading = Shared.MainLoading;
inline long long &HaveID = Shared.HaveID;
inline int &SearchLang = Shared.SearchLang;
inline bool &SaveBusy = Shared.SaveBusy;
inline int &MsgAnswer = Shared.MsgAnswer;
inline dao::RecordsetPtr &MainRs = Shared.MainRs;
inline dao::RecordsetPtr &CapsRs = Shared.CapsRs;

// Settings, loaded from the Options row.
inline int &OptNbrRepeats = Shared.OptNbrRepeats;
inline int &OptNbrWrongs = Shared.OptNbrWrongs;
inline int &OptNbrScribble = Shared.OptNbrScribble;
inline QString &Opt3rdLang = Shared.Opt3rdLang;
inline bool &OptBoChecka = Shared.OptBoChecka;
inline QString &Opt2ndScribble = Shared.Opt2ndScribble;
inline int &OptNbrRima = Shared.OptNbrRima;
inline QString &Opt2ndTavrinel = Shared.Opt2ndTavrinel;
inline bool &OptBoHide3 = Shared.OptBoHide3;
inline QString &OptSql = Shared.OptSql;

// Shared SQL strings and third-language names.
inline QString &SqlKlinoM = Shared.SqlKlinoM,
    &SqlKlinoF = Shared.SqlKlinoF,
    &SqlKlinoN = Shared.SqlKlinoN;
inline QString &SqlMenosM = Shared.SqlMenosM,
    &SqlMenosF = Shared.SqlMenosF,
    &SqlMenosN = Shared.SqlMenosN;
inline QString &SqlImperSi = Shared.SqlImperSi,
    &SqlImperPl = Shared.SqlImperPl,
    &SqlKonT4S2 = Shared.SqlKonT4S2,
    &SqlKonT4P2 = Shared.SqlKonT4P2;
inline QString &SqlHaveKonT1 = Shared.SqlHaveKonT1, &SqlHaveKonT3 = Shared.SqlHaveKonT3;
inline QString &SqlMain = Shared.SqlMain,
    &SqlMainGenus = Shared.SqlMainGenus,
    &SqlMain2 = Shared.SqlMain2,
    &SqlLang3 = Shared.SqlLang3,
    &SqlLang3Genus = Shared.SqlLang3Genus;
inline QString &SqlAllEnglish = Shared.SqlAllEnglish, &SqlAllLang3 = Shared.SqlAllLang3;
inline QString &Lang3Table = Shared.Lang3Table,
    &Lang3AllTable = Shared.Lang3AllTable,
    &Lang3Lat = Shared.Lang3Lat,
    &Lang3ID = Shared.Lang3ID,
    &Lang3Means = Shared.Lang3Means,
    &Lang3Short = Shared.Lang3Short;
inline long long &Lang3Count = Shared.Lang3Count;
inline long long &MainCount = Shared.MainCount;
inline bool &Lang3Complete = Shared.Lang3Complete;

// Lists, exercise and grid state.
inline QStringList &GsortArr = Shared.GsortArr;
inline QList<long long> &RepaIDs = Shared.RepaIDs;
inline QVector<int> &PickedWords = Shared.PickedWords;
inline QVector<int> &PickedVerbs = Shared.PickedVerbs;
inline QVariantList &PickIDs = Shared.PickIDs;
inline QString &PickCriteria = Shared.PickCriteria;
inline bool &boRepa = Shared.boRepa;
inline long long &CurrentWordID = Shared.CurrentWordID;
inline long long &SearchRow = Shared.SearchRow;
inline QVariant &WordKind = Shared.WordKind, &WordGenus = Shared.WordGenus;
inline QStringList &NewRowFields = Shared.NewRowFields;
inline QString (&KlinoQDefs)[3] = Shared.KlinoQDefs;

// The three flag properties.
inline bool &GridBusyFlag = Shared.GridBusyFlag;
inline bool &LetterPickedFlag = Shared.LetterPickedFlag;
inline bool &TreeBuiltFlag = Shared.TreeBuiltFlag;

inline bool GridBusy() { return GridBusyFlag; }
inline void SetGridBusy(bool v) { GridBusyFlag = v; }
inline bool LetterPicked() { return LetterPickedFlag; }
inline void SetLetterPicked(bool v) { LetterPickedFlag = v; }
inline bool TreeBuilt() { return TreeBuiltFlag; }
inline void SetTreeBuilt(bool v) { TreeBuiltFlag = v; }

} // namespace tav
