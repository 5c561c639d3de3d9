// A run of the program's word store on the word database in a folder, for
// tests that end it by SIGKILL in the middle of its writes. It starts as the
// program does (the lock, the checks of what lies beside the file), then
// repeats one kind of long write and prints "commit N" once write N is
// stored, until it is killed:
//   genus     every word with an article gets a gender code of its own
//             (70 + N / 2 % 20, with the first word's remark "N", in one
//             transaction) for even N; the gender fill-in for odd N
//   compact   the remark of the first word becomes "N", then a compaction
//   language  a third language added for even N, deleted for odd N
//   list      the largest write of a list window's cell: a long text pasted
//             into the English cell of the first word, as the list window
//             stores it (the word's meanings and their index rows), every
//             item new and marked "wN-"
//   settings  the number of wrong answers kept becomes N % 30000 + 1, as the
//             settings dialog stores it
//   wrongs    the (N + 1)-th word (by ID) is stored as wrongly answered
// With "once-<writer>" it makes one write of that writer and is ended by
// SIGKILL inside it, at the moment its rollback journal is complete and the
// file is being written (the first page after page 1): "once-settings" (a
// setting stored), "once-wrongs" (a wrong answer stored), "once-english"
// (an English cell of a list), "once-genus" (the gender fill-in),
// "once-language" (a language added). It prints "not killed" when the
// write ended without writing such a page.
// With "check" it only starts and prints what the file holds: "refused"
// and the message, or "started", then "integrity <result>", "scrambled <k>"
// (the code every word with an article has, -1 for none), "filled <0|1>"
// (no word has such a code), "remark <text>", "language <0|1|half>",
// "pasted <N|-1|mixed>" (the write whose items the first word's meanings
// are, -1 for none), "meaning rows <same|differ>" (its index rows are
// exactly its meanings, counted right), "setting <nbrWrongs>" and "wrongs
// <the rows of WrongIDs>".
#include "exercise/rounds/WrongStore.h"
#include "store/AdminSubs.h"
#include "store/DbTransaction.h"
#include "store/ListEdits.h"
#include "store/Settings.h"
#include "store/SharedState.h"
#include "store/StartUp.h"
#include "store/ThirdLanguages.h"
#include "support/RecordingLink.h"

#include "platform/winsys/core/MsgBox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRegularExpression>
#include <QSet>

#include <atomic>
#include <csignal>
#include <cstdio>

#include <sqlite3.h>

namespace {

// Prints every message box, answering it with its default button.
class PrintedMessages : public winsys::MessageService {
public:
    int Show(const QString &prompt, int style, const QString &) override
    {
        std::printf("message %s\n", qPrintable(QString(prompt).replace('\n', ' ')));
        std::fflush(stdout);
        return winsys::DefaultAnswer(style);
    }
};

QVariant Value(const QString &sql)
{
    const auto rows = tav::WordDb->QueryNative(sql);
    return rows.isEmpty() ? QVariant() : rows[0][0];
}

const QString kLanguage = QStringLiteral("Crashish");
// The word whose remark counts the writes: the first (generated files have
// other IDs than the shipped one).
const QString kFirstWord = QStringLiteral(" WHERE ID = (SELECT MIN(ID) FROM Main)");

// Enough items that the pages they change outgrow the engine's cache: the
// write spills changed pages into the file before it ends.
constexpr int kPastedMeanings = 1500;

// Meanings other words have, spread evenly over the index of meanings: a
// pasted item next to each lands on a page of its own.
QStringList SpreadMeanings()
{
    const auto rows = tav::WordDb->QueryNative(
        "SELECT Lat FROM AllEnglishGreek WHERE ID <> (SELECT MIN(ID) FROM Main) ORDER BY Lat");
    QStringList spread;
    for (int k = 0; k < kPastedMeanings; ++k)
        spread << rows[qsizetype(k) * rows.size() / kPastedMeanings][0].toString();
    return spread;
}

// The text pasted for write n, one item a line.
QString PastedText(const QStringList &spread, int n)
{
    QStringList items;
    for (int k = 0; k < spread.size(); ++k)
        items << QStringLiteral("%1 w%2-%3").arg(spread[k]).arg(n).arg(k);
    return items.join(QStringLiteral(",\n"));
}

void CheckMeanings()
{
    const auto word = tav::WordDb->QueryNative("SELECT English, Emeans FROM Main" + kFirstWord);
    const QStringList items = word[0][0].toString().split(QStringLiteral(", "), Qt::SkipEmptyParts);
    static const QRegularExpression pasted(QStringLiteral(" w(\\d+)-\\d+$"));
    QSet<QString> writes;
    for (const QString &item : items) {
        const QRegularExpressionMatch m = pasted.match(item);
        writes.insert(m.hasMatch() ? m.captured(1) : QStringLiteral("-1"));
    }
    QStringList rows;
    for (const auto &row :
         tav::WordDb->QueryNative("SELECT Lat FROM AllEnglishGreek WHERE ID = (SELECT MIN(ID) FROM Main)"))
        rows << row[0].toString();
    QStringList sorted = items;
    sorted.sort();
    rows.sort();
    std::printf("pasted %s\n", writes.size() == 1 ? qPrintable(*writes.cbegin()) : "mixed");
    std::printf("meaning rows %s\n", rows == sorted && word[0][1].toInt() == items.size() ? "same" : "differ");
}

void Check()
{
    std::printf("started\n");
    std::printf("integrity %s\n", qPrintable(Value("PRAGMA integrity_check").toString()));
    const long long withArticle = Value("SELECT COUNT(*) FROM Main WHERE ifnull(Art, '') <> ''").toLongLong();
    const auto codes = tav::WordDb->QueryNative(
        "SELECT Genus, COUNT(*) FROM Main WHERE ifnull(Art, '') <> '' AND Genus BETWEEN 70 AND 89 GROUP BY Genus");
    long long scrambled = -1;
    if (codes.size() == 1 && codes[0][1].toLongLong() == withArticle)
        scrambled = codes[0][0].toLongLong() - 70;
    std::printf("scrambled %lld\nfilled %d\n", scrambled, codes.isEmpty() ? 1 : 0);
    std::printf("remark %s\n", qPrintable(Value("SELECT Remarks FROM Main" + kFirstWord).toString()));
    const bool row = tav::LanguageExists(kLanguage);
    const bool words = tav::WordDb->TableExists(tav::LanguageWordTable(kLanguage));
    const bool index = tav::WordDb->TableExists(tav::LanguageIndexTable(kLanguage));
    std::printf("language %s\n", row && words && index ? "1" : !row && !words && !index ? "0" : "half");
    CheckMeanings();
    std::printf("setting %s\n", qPrintable(Value("SELECT nbrWrongs FROM Options").toString()));
    std::printf("wrongs %s\n", qPrintable(Value("SELECT COUNT(*) FROM WrongIDs").toString()));
}

// A file system layer over the engine's own that ends the process by
// SIGKILL at the first write of a page other than page 1 into a database
// file, once armed: a commit writes page 1 first, after its journal is
// complete on the disk.
sqlite3_vfs *g_base = nullptr;
std::atomic<bool> g_armed{false};

struct KillingFile {
    sqlite3_file base;
    bool database;
    sqlite3_file *real() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

KillingFile *Of(sqlite3_file *f) { return reinterpret_cast<KillingFile *>(f); }

const sqlite3_io_methods kKillingMethods = {
    1,
    [](sqlite3_file *f) { return Of(f)->real()->pMethods->xClose(Of(f)->real()); },
    [](sqlite3_file *f, void *b, int n, sqlite3_int64 at) { return Of(f)->real()->pMethods->xRead(Of(f)->real(), b, n, at); },
    [](sqlite3_file *f, const void *b, int n, sqlite3_int64 at) {
        if (Of(f)->database && at != 0 && g_armed)
            ::raise(SIGKILL);
        return Of(f)->real()->pMethods->xWrite(Of(f)->real(), b, n, at);
    },
    [](sqlite3_file *f, sqlite3_int64 size) { return Of(f)->real()->pMethods->xTruncate(Of(f)->real(), size); },
    [](sqlite3_file *f, int flags) { return Of(f)->real()->pMethods->xSync(Of(f)->real(), flags); },
    [](sqlite3_file *f, sqlite3_int64 *size) { return Of(f)->real()->pMethods->xFileSize(Of(f)->real(), size); },
    [](sqlite3_file *f, int lock) { return Of(f)->real()->pMethods->xLock(Of(f)->real(), lock); },
    [](sqlite3_file *f, int lock) { return Of(f)->real()->pMethods->xUnlock(Of(f)->real(), lock); },
    [](sqlite3_file *f, int *out) { return Of(f)->real()->pMethods->xCheckReservedLock(Of(f)->real(), out); },
    [](sqlite3_file *f, int op, void *arg) { return Of(f)->real()->pMethods->xFileControl(Of(f)->real(), op, arg); },
    [](sqlite3_file *f) { return Of(f)->real()->pMethods->xSectorSize(Of(f)->real()); },
    [](sqlite3_file *f) { return Of(f)->real()->pMethods->xDeviceCharacteristics(Of(f)->real()); },
    // Version 1: no shared memory, no memory map.
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

int KillingOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    KillingFile *file = Of(f);
    file->base.pMethods = nullptr;
    file->database = (flags & SQLITE_OPEN_MAIN_DB) != 0;
    const int rc = g_base->xOpen(g_base, name, file->real(), flags, outFlags);
    if (file->real()->pMethods)
        file->base.pMethods = &kKillingMethods;
    return rc;
}

void InstallKillingFiles()
{
    static sqlite3_vfs vfs;
    g_base = sqlite3_vfs_find(nullptr);
    vfs = *g_base;
    vfs.iVersion = 1;
    vfs.zName = "killing";
    vfs.szOsFile = int(sizeof(KillingFile)) + g_base->szOsFile;
    vfs.xOpen = KillingOpen;
    sqlite3_vfs_register(&vfs, 1);
}

// One write of a writer, ended inside it.
void WriteOnceAndDie(const QString &writer)
{
    const long long id = Value("SELECT MIN(ID) FROM Main").toLongLong();
    // Codes for the fill-in to write back; this write of the run is not the
    // one ended.
    if (writer == QLatin1String("genus"))
        tav::WordDb->Execute(QStringLiteral("UPDATE Main SET Genus = 77 WHERE Art <> ''"));
    g_armed = true;
    if (writer == QLatin1String("settings")) {
        tav::OptNbrWrongs = tav::OptNbrWrongs == 17 ? 18 : 17;
        tav::SaveNbrWrongs();
    } else if (writer == QLatin1String("wrongs")) {
        tav::StoreWrongAnswer(id, QDateTime::currentDateTime());
    } else if (writer == QLatin1String("english")) {
        const QString shown = Value("SELECT English FROM Main" + kFirstWord).toString();
        tav::StoreMeaningList(tav::MeaningLanguage::English, id, shown, QStringLiteral("changed once"));
    } else if (writer == QLatin1String("genus")) {
        tav::SetGenderFromArticle();
    } else if (writer == QLatin1String("language")) {
        tav::AddThirdLanguage(kLanguage, QStringLiteral("Hi"));
    } else {
        throw std::runtime_error("no such writer");
    }
    g_armed = false;
    std::printf("not killed\n");
}

void Write(const QString &kind, int n, const QStringList &spread)
{
    if (kind == QLatin1String("genus")) {
        if (n % 2 == 0) {
            tav::DbTransaction transaction(tav::OpenWordDb());
            tav::WordDb->Execute(QStringLiteral("UPDATE Main SET Genus = %1 WHERE Art <> ''").arg(70 + n / 2 % 20));
            tav::WordDb->Execute(QStringLiteral("UPDATE Main SET Remarks = '%1'").arg(n) + kFirstWord);
            transaction.Commit();
        } else {
            tav::SetGenderFromArticle();
        }
    } else if (kind == QLatin1String("compact")) {
        tav::WordDb->Execute(QStringLiteral("UPDATE Main SET Remarks = '%1'").arg(n) + kFirstWord);
        if (!tav::CompactWordDatabase())
            throw std::runtime_error("the compaction failed");
    } else if (kind == QLatin1String("language")) {
        if (n % 2 == 0)
            tav::AddThirdLanguage(kLanguage, QStringLiteral("Hi"));
        else
            tav::DeleteThirdLanguage(kLanguage);
    } else if (kind == QLatin1String("list")) {
        // As the list window commits a pasted cell: the text made one line,
        // cut into its items, stored over what the cell showed.
        const long long id = Value("SELECT MIN(ID) FROM Main").toLongLong();
        const QString shown = Value("SELECT English FROM Main" + kFirstWord).toString();
        const QString list = tav::MeaningItems(tav::CellEditText(PastedText(spread, n))).join(QStringLiteral(", "));
        if (!tav::StoreMeaningList(tav::MeaningLanguage::English, id, shown, list))
            throw std::runtime_error("the word is gone");
    } else if (kind == QLatin1String("settings")) {
        tav::OptNbrWrongs = n % 30000 + 1;
        if (!tav::SaveNbrWrongs())
            throw std::runtime_error("the setting was not stored");
    } else if (kind == QLatin1String("wrongs")) {
        const long long id = Value(QStringLiteral("SELECT ID FROM Main ORDER BY ID LIMIT 1 OFFSET %1").arg(n)).toLongLong();
        if (!tav::StoreWrongAnswer(id, QDateTime::currentDateTime()))
            throw std::runtime_error("the wrong answer was not stored");
    } else {
        throw std::runtime_error("no such write");
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc >= 3 && QByteArray(argv[2]).startsWith("once-"))
        InstallKillingFiles();
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s folder genus|compact|language|list|settings|wrongs|once-<writer>|check\n",
                     argv[0]);
        return 2;
    }
    tavtest::RecordingLink link;
    PrintedMessages messages;
    winsys::SetMessageService(&messages);
    const QString kind = QString::fromLocal8Bit(argv[2]);
    if (tav::SubMain(QString::fromLocal8Bit(argv[1])) != 0) {
        std::printf("refused\n");
        return 1;
    }
    try {
        if (kind.startsWith(QLatin1String("once-"))) {
            WriteOnceAndDie(kind.mid(5));
            tav::ResetSharedState();
            return 4;
        }
        if (kind == QLatin1String("check")) {
            Check();
            tav::ResetSharedState();
            return 0;
        }
        const QStringList spread = kind == QLatin1String("list") ? SpreadMeanings() : QStringList();
        std::printf("ready\n");
        std::fflush(stdout);
        for (int n = 0;; ++n) {
            Write(kind, n, spread);
            std::printf("commit %d\n", n);
            std::fflush(stdout);
        }
    } catch (const std::exception &e) {
        std::printf("failed %s\n", e.what());
        return 3;
    }
}
