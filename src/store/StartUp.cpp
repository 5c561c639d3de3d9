#include "store/StartUp.h"

#include "platform/dao/Dao.h"
#include "platform/winsys/notice/Notice.h"
#include "store/CountsAhead.h"
#include "store/MainWindowLink.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "store/WindowRoutines.h"
#include "store/WordFileGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>


namespace tav {

namespace {

// A reason the word database cannot serve the program, already worded; or,
// when message is set, the whole message to show instead.
struct StartFailure {
    QString cause;
    QString message = {};
    bool toldAlready = false; // the user chose to end the start: nothing more to say
};

// Set once the engine has played back the journal of a crashed run of the
// program on the file (it does so when it opens the file): a start that
// fails after that has changed the file, back to its last stored state.
bool g_journalPlayedBack = false;

// What the start did to the file it refuses, for the end of its message.
QString WhatWasDoneToTheFile()
{
    return g_journalPlayedBack
               ? QStringLiteral("The change that ") + winsys::AppTitle +
                     QStringLiteral(" was writing when it last ended was undone first, from its journal (the file "
                                    "holds every change stored before); nothing else was changed in it.")
               : QStringLiteral("It was left as it was.");
}

// Asks whether to start although the lock of a program that cannot be
// checked (on another computer, or another user's) lies beside the file.
bool AskToTakeOverLock(const LockHolder &holder)
{
    const QString where = holder.host == QSysInfo::machineHostName()
                              ? QStringLiteral("on this computer")
                              : QStringLiteral("on the computer \"") + holder.host + QStringLiteral("\"");
    const QString prompt =
        QStringLiteral("The word database\n") + DbPath + QStringLiteral("\nis in use by ") + winsys::AppTitle +
        QLatin1Char(' ') + where + QStringLiteral(", started by the user \"") + holder.user +
        QStringLiteral("\" on ") + holder.since.toString(QStringLiteral("yyyy-MM-dd 'at' HH:mm")) +
        QStringLiteral(".\n") + winsys::AppTitle +
        QStringLiteral(" cannot check whether it still runs there. If it does, changes made there or here could be "
                       "lost. If it does not (it ended by a crash, or the computer was switched off), you can start "
                       "here.\n\nChoose OK to start ") +
        winsys::AppTitle + QStringLiteral(" with this word database anyway, Cancel to end this start.");
    // OK and Cancel, not Yes and No: the box can be closed (Esc, a signal
    // that ends the program), which answers Cancel.
    return Link().AskAtStart({prompt, winsys::vbOKCancel | winsys::vbExclamation | winsys::vbDefaultButton2,
                              winsys::AppTitle}) == winsys::vbOK;
}

// The engine's reason for a failure, without the path it may name (the
// message names the file once).
QString EngineReason(const std::exception &e)
{
    QString reason = ErrorDescription(e);
    reason.replace(QLatin1Char('"') + DbPath + QLatin1Char('"'), QStringLiteral("the file"));
    return reason;
}

// Opens DbPath as the shared connection WordDb; a file that cannot serve as
// the word database is a StartFailure.
void OpenWordFile()
{
    const QFileInfo file(DbPath);
    if (!file.isFile())
        throw StartFailure{QStringLiteral("The file does not exist.")};
    // The program writes to the file (words, settings, wrong answers) and
    // keeps a journal beside it while it runs: a file or folder it may only
    // read is refused before anything is opened, so nothing is changed.
    const QString readOnly = QStringLiteral("The file is read-only, and ") + winsys::AppTitle +
                             QStringLiteral(" needs to write to it.\nAllow writing to the file, or copy it with ") +
                             winsys::AppTitle + QStringLiteral(" to a folder of your own.");
    if (!file.isWritable())
        throw StartFailure{readOnly};
    // The journal and the lock lie beside the file itself, also when the
    // path is a symbolic link to it.
    const QString wordFile = ResolvedWordFile(DbPath);
    if (!QFileInfo(QFileInfo(wordFile).absolutePath()).isWritable())
        throw StartFailure{QStringLiteral("Its folder is read-only, and ") + winsys::AppTitle +
                           QStringLiteral(" needs to write its journal beside the file.\nAllow writing to the "
                                          "folder, or copy the program with the file to a folder of your own.")};
    WordFileLock lock = LockWordFile(wordFile);
    if (lock.uncheckable) {
        if (!AskToTakeOverLock(lock.holder))
            throw StartFailure{{}, {}, true};
        lock = TakeOverWordFileLock(wordFile);
        if (!lock.failure.isEmpty())
            throw StartFailure{lock.failure};
        if (lock.uncheckable)
            throw StartFailure{{}, {}, true};
    }
    if (lock.heldElsewhere)
        throw StartFailure{{},
                           winsys::AppTitle + QStringLiteral(" is already running with this word database:\n") +
                               DbPath + QStringLiteral("\nSwitch to its window; this start ends here.")};
    if (!lock.lock)
        throw StartFailure{lock.failure};
    WordDbLock = lock.lock;
    // A compaction ended by a crash left its copy; no compaction runs now,
    // since this start holds the lock.
    RemoveCompactionLeftovers(wordFile);
    // What a run that did not end cleanly, or another program, left beside
    // the file is applied to it by the engine as soon as it is opened: where
    // it may belong to another file, the file stays as it is.
    const UntrustedSideFiles leftovers = UntrustedLeftovers(wordFile, lock.crashedRunFound);
    if (!leftovers.otherCopysJournal.isEmpty())
        throw StartFailure{{},
                           winsys::AppTitle + QStringLiteral(" cannot start: its word database\n") + DbPath +
                               QStringLiteral("\nwas replaced (by a backup or another copy) after ") + winsys::AppTitle +
                               QStringLiteral(" ended while it was writing a change to it.\nThe journal of that "
                                              "change belongs to the file as it was, not to this one; applying it "
                                              "would damage this file:\n") +
                               leftovers.otherCopysJournal +
                               QStringLiteral("\nThe file and the journal were left as they are. To use this file, "
                                              "move the journal away and start ") +
                               winsys::AppTitle + QStringLiteral(" again.")};
    if (!leftovers.foreign.isEmpty())
        throw StartFailure{{},
                           winsys::AppTitle + QStringLiteral(" cannot start: beside its word database\n") + DbPath +
                               QStringLiteral("\nlies what another program left when it did not close the file:\n") +
                               leftovers.foreign.join(QLatin1Char('\n')) + QStringLiteral("\n") + winsys::AppTitle +
                               QStringLiteral(" cannot tell whether this belongs to the file, so it has left the file "
                                              "and these as they are.\nIf you put the file in place after that "
                                              "program ended (a backup, a rebuilt word database), move the files "
                                              "named away and start ") +
                               winsys::AppTitle + QStringLiteral(" again.")};
    try {
        WordDb = dao::DBEngine::OpenDatabase(DbPath);
        g_journalPlayedBack = leftovers.ownJournal;
    } catch (const dao::DaoError &e) {
        g_journalPlayedBack = leftovers.ownJournal && !QFileInfo::exists(wordFile + QStringLiteral("-journal"));
        if (e.ReadOnlyFile())
            throw StartFailure{readOnly};
        if (e.Number() == dao::DaoError::NotADatabase)
            throw StartFailure{QStringLiteral("It is not a database at all (perhaps a text file, or a copy that was "
                                              "cut short). ") +
                               WhatWasDoneToTheFile()};
        throw; // worded as a failure of this step (StepFailure)
    }
    const bool settings = WordDb->TableExists(QStringLiteral("Options"));
    const bool words = WordDb->TableExists(QStringLiteral("Main"));
    if (!settings || !words)
        throw StartFailure{QStringLiteral("It is a database of another kind, not a word database of ") +
                           winsys::AppTitle + QStringLiteral(": it holds no ") +
                           (settings ? QStringLiteral("word list") : words ? QStringLiteral("settings")
                                                                            : QStringLiteral("words or settings")) +
                           QStringLiteral(". ") + WhatWasDoneToTheFile()};
    // Each run that writes gives the file a new mark first (see
    // UntrustedLeftovers): a run that only reads leaves the file as it is.
    WordDb->RenewFileMark(true);
}

// Copies the first row of Options, by position, into the settings variables.
void ReadOptionsRow()
{
    dao::RecordsetPtr rs = WordDb->OpenRecordset(QStringLiteral("Options"), dao::RecordsetType::Snapshot);
    if (rs->RecordCount() < 1)
        throw StartFailure{QStringLiteral("Its settings are missing (their table is empty). ") +
                           WhatWasDoneToTheFile()};
    if (rs->FieldCount() < 9)
        throw StartFailure{QStringLiteral("Its settings are incomplete (fewer than nine of them). ") +
                           WhatWasDoneToTheFile()};
    rs->MoveFirst();
    OptNbrRepeats = static_cast<int>(rs->Long(0));
    OptNbrWrongs = static_cast<int>(rs->Long(1));
    OptNbrScribble = static_cast<int>(rs->Long(2));
    Opt3rdLang = rs->Text(3);
    OptBoChecka = rs->Bool(4);
    Opt2ndScribble = rs->Text(5);
    OptNbrRima = static_cast<int>(rs->Long(6));
    Opt2ndTavrinel = rs->Text(7);
    OptBoHide3 = rs->Bool(8);
    rs->Close();
}

// One call of the start that reads the word database, and what the user is
// told when the engine fails in it: the step, in words, and the engine's
// own message.
struct StartStep {
    QString failure; // "Its settings cannot be read"
    void (*run)();
};

// The cause of a step's failure. A write the file refused is told as such,
// whichever step the engine wrote in (it finishes or undoes a crashed run's
// change when it first reads the file).
QString StepFailure(const StartStep &step, const std::exception &e)
{
    const auto *dbError = dynamic_cast<const dao::DaoError *>(&e);
    const bool writing = dynamic_cast<const dao::WriteRefused *>(&e) || (dbError && dbError->ReadOnlyFile());
    return (writing ? QStringLiteral("It cannot be written") : step.failure) + QStringLiteral(" (") +
           EngineReason(e) + QStringLiteral("). ") + WhatWasDoneToTheFile();
}

void CloseWordDb()
{
    DropCountsAhead();
    if (WordDb) {
        try {
            WordDb->Close();
        } catch (const dao::DaoError &) {
            // Already failing; the failure has its own message.
        }
        WordDb.reset();
    }
    // The lock goes with the connection: a refused start holds nothing.
    WordDbLock.reset();
}

} // namespace

void FindHaveID()
{
    HaveID = 0;
    dao::RecordsetPtr rs = WordDb->OpenRecordset(QStringLiteral("Main"), dao::RecordsetType::Dynaset);
    rs->FindFirst(QStringLiteral(" english  = 'have' AND WT  = 'cA' AND AP  = 154"));
    if (!rs->NoMatch())
        HaveID = rs->Long(QStringLiteral("ID"));
    rs->Close();
}

int SubMain(const QString &programFolder)
{
    StartingUp = true;
    SearchLang = 4;
    DbPath = programFolder + QStringLiteral("/TavWrd.twl");
    CapsLanguage = QStringLiteral("English");
    GreekFontSize = GreekFontSizeFor(ScreenResolution());

    Link().ShowSplash();

    CloseWordDb();
    g_journalPlayedBack = false;
    const StartStep steps[] = {
        {QStringLiteral("It cannot be opened"), OpenWordFile},
        {QStringLiteral("Its settings cannot be read"), ReadOptionsRow},
        {QStringLiteral("Its words cannot be searched for the auxiliary verb \"have\""), FindHaveID},
        {QStringLiteral("Its words and their meanings cannot be counted"), BuildSqlStrings},
    };
    QString cause;
    QString message;
    try {
        for (const StartStep &step : steps) {
            try {
                step.run();
            } catch (const std::exception &e) {
                throw StartFailure{StepFailure(step, e)};
            }
        }
        // Texts only, from HaveID: nothing here reads the file.
        BuildLookupPrefixes();
        QDir::setCurrent(programFolder);
        // BuildSqlStrings has just counted the words.
        const long long n = MainCount;
        PickedWords = QVector<int>(n + 1, 0);
        PickedVerbs = QVector<int>(n + 1, 0);
    } catch (const StartFailure &failure) {
        cause = failure.cause;
        message = failure.message;
        if (failure.toldAlready) {
            CloseWordDb();
            Link().UnloadSplash();
            return 1;
        }
    }

    if (!cause.isEmpty() || !message.isEmpty()) {
        CloseWordDb();
        Link().UnloadSplash();
        // Told once the splash is gone, so that it does not cover the box.
        if (message.isEmpty())
            Link().TellAtStart({winsys::AppTitle + QStringLiteral(" cannot start: its word database\n") + DbPath +
                                    QStringLiteral("\ncannot be used.\n") + cause,
                                winsys::vbCritical, winsys::AppTitle});
        else
            Link().TellAtStart({message, winsys::vbExclamation, winsys::AppTitle});
        return 1;
    }

    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    Link().ShowMain();
    DropCountsAhead();
    Link().UnloadSplash();
    return 0;
}

} // namespace tav
