// Showing a word in the grammar panel (MDI.SmallFacts) on the shipped word
// database, against the bare SQLite statements it runs for that word, in
// the same run, once on a plain SQLite connection and once through the
// program's database layer: a verb (conjugation) and a noun (declension
// beside the article). The panel should cost at most three times its statements and
// well under 10 ms a word, so that arrowing through a list never lags.
#include "inflection/GrammarPanel.h"
#include "mainwindow/MDI.h"
#include "platform/dao/Dao.h"
#include "platform/font/FontLoader.h"
#include "store/MainWindowLink.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "store/StartUp.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr long long kVerb = 5;  // aggivzw, both voices
constexpr long long kNoun = 10; // agkwvnaV, masculine

QTemporaryDir g_dir;
QString g_path;
std::unique_ptr<tav::MDI> g_mdi;

void OpenStore()
{
    g_path = g_dir.filePath(QStringLiteral("TavWrd.twl"));
    if (!QFile::copy(QStringLiteral(TAV_FRESH_DB), g_path)) {
        std::fprintf(stderr, "cannot copy %s\n", TAV_FRESH_DB);
        std::exit(1);
    }
    tav::WordDb = dao::DBEngine::OpenDatabase(g_path);
    tav::Opt3rdLang = QStringLiteral("Swedish");
    tav::CapsLanguage = QStringLiteral("English");
    tav::StartingUp = true;
    tav::FindHaveID();
    tav::BuildSqlStrings();
    tav::BuildLookupPrefixes();
    winsys::LoadGreekFonts(QCoreApplication::applicationDirPath() + QStringLiteral("/../../bin"));
    g_mdi = std::make_unique<tav::MDI>();
    g_mdi->Pause = [] {};
    g_mdi->EndProgram = [] {};
    tav::SetLink(g_mdi.get());
    g_mdi->MDIForm_Load();
    g_mdi->resize(1280, 1000);
}

// The statements the panel runs for a word, on a plain SQLite connection.
std::vector<std::string> Statements(long long id, bool verb)
{
    const std::string ID = std::to_string(id);
    const std::string main = "SELECT * FROM Main WHERE ID = " + ID;
    const std::string remarks = "SELECT * FROM GreekSwedish WHERE ID = " + ID;
    if (!verb) {
        return {main, "SELECT sMNom,sMAck,sMGen,pMNom,pMAck,pMGen FROM Klino WHERE ID = 99999",
                "SELECT sMNom,sMAck,sMGen,pMNom,pMAck,pMGen FROM Klino WHERE ID = " + ID, remarks};
    }
    const std::string persons = "SELECT S1a,S2a,S3a,P1a,P2a,P3a FROM ";
    return {main,
            persons + "KonT1 WHERE ID = " + ID,
            persons + "KonT2 WHERE ID = " + ID,
            persons + "KonT3 WHERE ID = " + ID,
            persons + "KonT4 WHERE ID = " + ID,
            persons + "KonT3 WHERE ID = " + std::to_string(tav::HaveID),
            remarks};
}

void BareStatements(benchmark::State &state, long long id, bool verb)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(g_path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        std::abort();
    const std::vector<std::string> sql = Statements(id, verb);
    for (auto _ : state) {
        for (const std::string &s : sql) {
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(db, s.c_str(), -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW)
                for (int c = 0; c < sqlite3_column_count(st); ++c)
                    benchmark::DoNotOptimize(sqlite3_column_text(st, c));
            sqlite3_finalize(st);
        }
    }
    sqlite3_close(db);
}

// The same statements through the program's database layer.
void LayerStatements(benchmark::State &state, long long id, bool verb)
{
    std::vector<QString> sql;
    for (const std::string &s : Statements(id, verb))
        sql.push_back(QString::fromStdString(s));
    for (auto _ : state) {
        for (const QString &s : sql) {
            dao::RecordsetPtr rs = tav::WordDb->OpenRecordset(s, dao::RecordsetType::Snapshot);
            if (!rs->Eof())
                for (int c = 0; c < rs->FieldCount(); ++c)
                    benchmark::DoNotOptimize(rs->Text(c));
        }
    }
}

void SmallFacts(benchmark::State &state, long long id)
{
    for (auto _ : state)
        g_mdi->SmallFacts(id, QString(), 0);
}

void BM_SmallFactsVerb(benchmark::State &state) { SmallFacts(state, kVerb); }
void BM_BareStatementsVerb(benchmark::State &state) { BareStatements(state, kVerb, true); }
void BM_LayerStatementsVerb(benchmark::State &state) { LayerStatements(state, kVerb, true); }
void BM_SmallFactsNoun(benchmark::State &state) { SmallFacts(state, kNoun); }
void BM_BareStatementsNoun(benchmark::State &state) { BareStatements(state, kNoun, false); }
void BM_LayerStatementsNoun(benchmark::State &state) { LayerStatements(state, kNoun, false); }

BENCHMARK(BM_SmallFactsVerb)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareStatementsVerb)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayerStatementsVerb)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmallFactsNoun)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareStatementsNoun)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayerStatementsNoun)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    OpenStore();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_mdi.reset();
    tav::SetLink(nullptr);
    tav::WordDb->Close();
    return 0;
}
