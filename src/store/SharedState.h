#pragma once
// The shared state of the running program: the one database connection, the
// settings row, the shared SQL strings and the flags that several windows read
// and write. Each variable has one name for the whole program; the comment
// says who writes it, everyone else only reads.

#include "platform/dao/Dao.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace tav {

// Connection, files, fonts, start-up.
inline dao::DatabasePtr WordDb;       // the shared connection (Sub Main; compaction reopens it)
inline QString DbPath;                // program folder + "/TavWrd.twl" (Sub Main)
inline QString CapsLanguage;          // LangCaps column of the interface texts: "English"
inline int GreekFontSize = 14;        // 11 on an 800x600 desktop, else 14 (Sub Main)
inline bool StartingUp = false;       // Sub Main until the end of the main window's Load
inline bool MainLoading = false;      // while the main window's Load runs
inline long long HaveID = 0;          // Main.ID of the auxiliary "have"; 0 when absent
inline int SearchLang = 4;            // 4 Greek, 5 English, 6 the third language
inline bool SaveBusy = false;         // a remark from a remarks box is being stored
inline int MsgAnswer = 0;             // answer of the last confirmation box
inline dao::RecordsetPtr MainRs;      // shared scratch recordset on Main
inline dao::RecordsetPtr CapsRs;      // shared scratch recordset on LangCaps

// Settings, loaded from the Options row.
inline int OptNbrRepeats = 0;
inline int OptNbrWrongs = 0;
inline int OptNbrScribble = 0;
inline QString Opt3rdLang;
inline bool OptBoChecka = false;
inline QString Opt2ndScribble;
inline int OptNbrRima = 0;
inline QString Opt2ndTavrinel;
inline bool OptBoHide3 = false;
inline QString OptSql;                // the settings statement being executed
inline dao::DatabasePtr OptDb;        // second connection of a settings write (open only during it)

// Shared SQL strings and third-language names.
inline QString SqlKlinoM, SqlKlinoF, SqlKlinoN;
inline QString SqlMenosM, SqlMenosF, SqlMenosN;
inline QString SqlImperSi, SqlImperPl, SqlKonT4S2, SqlKonT4P2;
inline QString SqlHaveKonT1, SqlHaveKonT3;
inline QString SqlMain, SqlMainGenus, SqlMain2, SqlLang3, SqlLang3Genus;
inline QString SqlAllEnglish, SqlAllLang3;
inline QString Lang3Table, Lang3AllTable, Lang3Lat, Lang3ID, Lang3Means, Lang3Short;
inline long long Lang3Count = 0;
inline long long MainCount = 0;
inline bool Lang3Complete = false;

// Lists, exercise and grid state.
inline QStringList GsortArr;          // the shared list array of the comma-list routines
inline QList<long long> RepaIDs;      // wrongly answered word IDs kept for repetition
inline QVector<int> PickedWords;      // 0..word count, words drawn by the word exercises
inline QVector<int> PickedVerbs;      // 0..word count, verbs used by the verb exercise
inline QVariantList PickIDs;
inline QString PickCriteria;
inline bool boRepa = false;
inline long long CurrentWordID = 0;
inline long long SearchRow = 0;       // grid row of the last hit of a list search
inline QVariant WordKind, WordGenus;  // the word the grammar panel shows
inline QStringList NewRowFields;
inline QString KlinoQDefs[3];         // SQL of the grammar panel's three declension queries

// The three flag properties.
inline bool GridBusyFlag = false;
inline bool LetterPickedFlag = false;
inline bool TreeBuiltFlag = false;
inline bool GridBusy() { return GridBusyFlag; }
inline void SetGridBusy(bool v) { GridBusyFlag = v; }
inline bool LetterPicked() { return LetterPickedFlag; }
inline void SetLetterPicked(bool v) { LetterPickedFlag = v; }
inline bool TreeBuilt() { return TreeBuiltFlag; }
inline void SetTreeBuilt(bool v) { TreeBuiltFlag = v; }

} // namespace tav
