// The main window's actions on a generated database of 50,000 words, in the
// shown main window, each timed from the user's input to the event loop idle
// again with everything painted, beside the bare SQL of the same action in
// the same run: the Show button on "All Greek" (and the process's memory
// with that list open), a click on a heading button of that list, the Down
// key in it onto a noun and onto a verb with the grammar panel following
// (through the list's first rows from its top, as a user arrows through a
// list just opened, and through the whole list row after row), choosing a
// letter in the category tree, and opening the exercise window from the menu:
// open again and again, again after a word was changed, and for the first
// time after the program started.
//
// The bare references of the letter, the Down keys and the exercise window
// are the statements the action ran, traced on the program's connection and
// run again on a plain one. Run under an X server (QT_QPA_PLATFORM=xcb on a
// 1280x1024 screen, as scripts/dev.sh bench does) the waits include the X
// server's drawing, as the user's do; offscreen they leave it out and their
// names end in "_offscreen". The Down keys are timed from their arrival in
// the program ("_FromArrival", see kDownKeyLeavesOut), the Show from its click
// in the program ("_FromClick").
#include "BareSql.h"
#include "BenchProgram.h"
#include "GeneratedWordDb.h"
#include "UserWait.h"

#include "grids/GridStd.h"
#include "inflection/GrammarPanel.h"
#include "inflection/PanelState.h"
#include "platform/dao/Dao.h"
#include "store/CategoryTree.h"
#include "store/SharedState.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <malloc.h>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

namespace {

tavbench::BenchProgram *g_program = nullptr;

long long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atoll(line.c_str() + 6);
    return 0;
}

// The "All Greek" list as the Show button opens it.
tav::GridStd *OpenAllGreek()
{
    g_program->SelectNode(QStringLiteral("All Greek"));
    tavbench::Click(g_program->Mdi().Control<QPushButton>("cmdShow"));
    tavbench::ProcessUntilIdle();
    tav::GridStd *list = g_program->NewestList();
    if (!list)
        std::abort();
    return list;
}

// The list's query, ordered as the list shows it first (on the sort key).
std::string AllGreekOrdered(const char *column)
{
    return "SELECT * FROM (" + tavbench::Native(tav::OptBoHide3 ? tav::SqlMain : tav::SqlLang3) + ") ORDER BY " +
           column;
}

// Times an action to idle (PairedTimes::Action) and gives the reading
// statements it ran on the program's connection: its bare reference is
// then exactly what the program asked of SQLite, on a plain connection.
template <class F>
std::vector<std::string> TracedAction(benchmark::State &state, tavbench::PairedTimes &times, F &&act)
{
    const tavbench::SqlTrace trace(tav::WordDb->Handle());
    times.Action(state, act);
    return trace.Statements();
}

void AllGreekShow(benchmark::State &state)
{
    const tavbench::BareConnection bare(g_program->File());
    const std::vector<std::string> sql = {AllGreekOrdered("Sal")};
    g_program->SelectNode(QStringLiteral("All Greek"));
    tavbench::PairedTimes times;
    long long rows = 0;
    double rss = 0;
    for (auto _ : state) {
        times.Bare([&] { bare.Run(sql); });
        times.Action(state, [] { tavbench::Click(g_program->Mdi().Control<QPushButton>("cmdShow")); });
        tav::GridStd *list = g_program->NewestList();
        if (!list)
            std::abort();
        rows = list->Grid->Rows() - 1;
        rss = double(ResidentKiB()) / 1024.0;
        g_program->CloseChildren();
        // The first Show of a freshly started program finds no freed memory
        // to reuse: every page of the new list is a page fault. Memory freed
        // by the list just closed goes back to the system, so that each Show
        // pays for that as the user's does.
        malloc_trim(0);
    }
    times.Report(state, "from the click in the program: leaves out the key's way through the X server");
    state.counters["rows"] = double(rows);
    state.counters["rss_MiB"] = rss;
}

// One click of a heading button: the English pair and the Greek pair in turn.
void HeadingButtonSort(benchmark::State &state)
{
    const tavbench::BareConnection bare(g_program->File());
    const std::vector<std::string> byEnglish = {AllGreekOrdered("English")};
    const std::vector<std::string> bySortKey = {AllGreekOrdered("Sal")};
    tav::GridStd *list = OpenAllGreek();
    tavbench::PairedTimes times;
    int button = 1;
    for (auto _ : state) {
        times.Bare([&] { bare.Run(button == 1 ? byEnglish : bySortKey); });
        times.Action(state, [&] { tavbench::Click(list->cmdSort[button]); });
        button = button == 1 ? 0 : 1;
    }
    times.Report(state);
    g_program->CloseChildren();
}

// What every Down key benchmark leaves out of the user's wait, in its name
// ("_FromArrival") and its output. A key is timed from its arrival in the
// program: its way from the keyboard through the X server and the program's
// X connection is left out. The keys also follow each other with no pause,
// so the program's code and data are still in the processor's caches, where
// a user's key comes after a pause and finds them cold. An outside
// measurement sees the two as about 2 ms more on every key on a quiet
// machine (on the order of 1 ms each), and more on a busy one.
const char *const kDownKeyLeavesOut =
    "from the key's arrival in the program, keys back to back: leaves out its way through the X server "
    "and the pause before a user's key";

// The Down key as the keyboard sends it, through the main window to the
// list that has the focus, through the first rows of "All Greek" from its
// top and back to the top, as a user arrows through a list they have just
// opened. Only the keys that land on a word of the kind asked for are timed
// (the others are pressed, untimed, on the way); each timed key's bare
// reference is what the grammar panel read for that word, traced on the
// program's connection and run again on a plain one.
void DownKey(benchmark::State &state, tav::WordClass kind)
{
    constexpr int kRowsFromTop = 24;
    const tavbench::BareConnection bare(g_program->File());
    tav::GridStd *list = OpenAllGreek();
    flexgrid::FlexGrid &grid = *list->Grid;
    QWindow *window = g_program->Mdi().windowHandle();
    grid.setFocus();
    auto toTop = [&] {
        grid.SetTopRow(grid.FixedRows());
        grid.SetRow(grid.FixedRows());
        list->ShowCellInfo();
        tavbench::ProcessUntilIdle();
    };
    // The kind of each word on the way, read before any key is timed.
    std::vector<int> kinds(size_t(grid.FixedRows() + kRowsFromTop + 1), tav::KindNone);
    for (int r = grid.FixedRows(); r < int(kinds.size()) && r < grid.Rows(); ++r) {
        const auto row = tav::WordDb->QueryNative(QStringLiteral("SELECT WT, Genus FROM Main WHERE ID = ?1"), nullptr,
                                                  {grid.TextMatrix(r, 1).toLongLong()});
        if (!row.isEmpty())
            kinds[size_t(r)] = tav::ClassifyWord(row[0][0], row[0][1]);
    }
    if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
        std::abort();
    toTop();
    tavbench::PairedTimes times;
    for (auto _ : state) {
        for (;;) {
            if (grid.Row() >= grid.FixedRows() + kRowsFromTop)
                toTop();
            const int next = grid.Row() + 1;
            if (kinds[size_t(next)] != kind) {
                tavbench::RunToIdle([&] { QTest::keyClick(window, Qt::Key_Down); });
                continue;
            }
            const std::vector<std::string> sql =
                TracedAction(state, times, [&] { QTest::keyClick(window, Qt::Key_Down); });
            if (grid.Row() != next || tav::WordKind.toInt() != kind)
                std::abort();
            times.Bare([&] { bare.Run(sql); });
            break;
        }
    }
    times.Report(state, kDownKeyLeavesOut);
    g_program->CloseChildren();
}

// The Down key as the keyboard sends it, through the main window to the
// list that has the focus, row after row through the list from its first
// word; each key's wait counts for the kind of word it lands on. Counters:
// the medians onto verbs and onto nouns (and the bare SQL of each), with
// the waits' 90th percentile onto verbs.
void DownKeyThroughList(benchmark::State &state)
{
    const tavbench::BareConnection bare(g_program->File());
    tav::GridStd *list = OpenAllGreek();
    flexgrid::FlexGrid &grid = *list->Grid;
    QWindow *window = g_program->Mdi().windowHandle();
    grid.setFocus();
    const int first = grid.FixedRows();
    grid.SetTopRow(first);
    grid.SetRow(first);
    list->ShowCellInfo();
    tavbench::ProcessUntilIdle();
    tavbench::PairedTimes verbs, nouns;
    std::vector<double> verbTimes;
    for (auto _ : state) {
        if (grid.Row() + 1 >= grid.Rows()) {
            state.PauseTiming();
            grid.SetTopRow(first);
            grid.SetRow(first);
            list->ShowCellInfo();
            tavbench::ProcessUntilIdle();
            state.ResumeTiming();
        }
        const double ms = tavbench::MilliSeconds([&] { tavbench::RunToIdle([&] { QTest::keyClick(window, Qt::Key_Down); }); });
        state.SetIterationTime(ms / 1000.0);
        const int kind = tav::WordKind.toInt();
        const long long id = grid.TextMatrix(grid.Row(), 1).toLongLong();
        if (kind == tav::KindVerb || kind == tav::KindNoun) {
            tavbench::PairedTimes &times = kind == tav::KindVerb ? verbs : nouns;
            times.Add(ms);
            times.Bare([&] { bare.Run(tavbench::GrammarPanelStatements(id, kind == tav::KindVerb)); });
            if (kind == tav::KindVerb)
                verbTimes.push_back(ms);
        }
    }
    benchmark::State &s = state;
    verbs.Report(s);
    for (const char *name : {"median_ms", "bare_ms", "ratio"})
        s.counters[std::string("verb_") + name] = s.counters[name];
    nouns.Report(s, kDownKeyLeavesOut);
    for (const char *name : {"median_ms", "bare_ms", "ratio"})
        s.counters[std::string("noun_") + name] = s.counters[name];
    for (const char *name : {"median_ms", "bare_ms", "ratio"})
        s.counters.erase(name);
    std::sort(verbTimes.begin(), verbTimes.end());
    if (!verbTimes.empty())
        s.counters["verb_p90_ms"] = verbTimes[verbTimes.size() * 9 / 10];
    s.counters["verbs"] = double(verbTimes.size());
    g_program->CloseChildren();
}

void DownKeyNoun(benchmark::State &state) { DownKey(state, tav::KindNoun); }
void DownKeyVerb(benchmark::State &state) { DownKey(state, tav::KindVerb); }

// The Down key in the letter list of the tree: the next Greek letter, the
// nodes recounted under it.
void ChooseLetter(benchmark::State &state)
{
    const tavbench::BareConnection bare(g_program->File());
    g_program->SelectNode(QStringLiteral("All Greek"));
    QComboBox *letters = g_program->Mdi().Control<QComboBox>("cboTree");
    letters->setFocus();
    tavbench::PairedTimes times;
    for (auto _ : state) {
        if (letters->currentIndex() + 1 >= letters->count()) {
            letters->setCurrentIndex(0);
            g_program->Mdi().cboTree_Click();
            tavbench::ProcessUntilIdle();
        }
        const std::vector<std::string> sql =
            TracedAction(state, times, [&] { tavbench::Key(letters, Qt::Key_Down); });
        times.Bare([&] { bare.Run(sql); });
    }
    times.Report(state);
}

// Opens the exercise window from the menu ("by reading and typing") as a
// timed action and closes it again; gives the statements the open read.
std::vector<std::string> OpenExerciseOnce(benchmark::State &state, tavbench::PairedTimes &times)
{
    std::vector<std::string> sql =
        TracedAction(state, times, [] { g_program->Mdi().Control<QAction>("mnuExParts(0)")->trigger(); });
    g_program->CloseChildren();
    return sql;
}

void OpenExercise(benchmark::State &state)
{
    const tavbench::BareConnection bare(g_program->File());
    tavbench::PairedTimes times;
    for (auto _ : state) {
        const std::vector<std::string> sql = OpenExerciseOnce(state, times);
        times.Bare([&] { bare.Run(sql); });
    }
    times.Report(state);
}

// The exercise window's first open after the program starts: each
// iteration starts the program again (a new connection, nothing read yet).
void OpenExerciseFirst(benchmark::State &state)
{
    const tavbench::BareConnection bare(g_program->File());
    tavbench::PairedTimes times;
    for (auto _ : state) {
        state.PauseTiming();
        // The old connection is let go only after the new one is open, so
        // that nothing read on it can pass for the new one's.
        {
            const dao::DatabasePtr old = tav::WordDb;
            g_program->Stop();
            g_program->Start();
        }
        tavbench::ProcessUntilIdle();
        state.ResumeTiming();
        const std::vector<std::string> sql = OpenExerciseOnce(state, times);
        times.Bare([&] { bare.Run(sql); });
    }
    times.Report(state);
}

// The exercise window opened again after a word was changed.
void OpenExerciseAfterWrite(benchmark::State &state)
{
    const tavbench::BareConnection bare(g_program->File());
    g_program->Mdi().Control<QAction>("mnuExParts(0)")->trigger();
    g_program->CloseChildren();
    tavbench::PairedTimes times;
    for (auto _ : state) {
        tav::WordDb->Execute(QStringLiteral("UPDATE Main SET Remarks = Remarks WHERE ID = 1"));
        const std::vector<std::string> sql = OpenExerciseOnce(state, times);
        times.Bare([&] { bare.Run(sql); });
    }
    times.Report(state);
}

} // namespace

int main(int argc, char **argv)
{
    tavbench::WindowBenchApp app(argc, argv);

    tavbench::BenchProgram program(tavbench::GeneratedWordDbPath(50000));
    program.Start();
    g_program = &program;
    using Run = void (*)(benchmark::State &);
    const std::pair<const char *, Run> runs[] = {{"AllGreekShow_FromClick/50000", AllGreekShow},
                                                 {"HeadingButtonSort/50000", HeadingButtonSort},
                                                 {"DownKeyNoun_FromArrival/50000", DownKeyNoun},
                                                 {"DownKeyVerb_FromArrival/50000", DownKeyVerb},
                                                 {"DownKeyThroughList_FromArrival/50000", DownKeyThroughList},
                                                 {"ChooseLetter/50000", ChooseLetter},
                                                 {"OpenExercise/50000", OpenExercise},
                                                 {"OpenExerciseAfterWrite/50000", OpenExerciseAfterWrite},
                                                 {"OpenExerciseFirst/50000", OpenExerciseFirst}};
    for (const auto &[name, run] : runs)
        benchmark::RegisterBenchmark(tavbench::WaitName(name).c_str(), run)->Unit(benchmark::kMillisecond)->UseManualTime();
    const int result = app.Run();
    g_program = nullptr;
    program.Stop();
    return result;
}
