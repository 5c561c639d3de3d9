// Filling a list grid with 50,000 rows of five columns from a query: the flex
// grid (bound as a list window binds it) against a plain QTableWidget filled
// with the same texts, in one run; and a list grid's whole show of 50,000
// rows: bound data, the Greek font on two columns, a sort and a paint.

#include "platform/dao/Dao.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/flexgrid/RecordsetBinding.h"

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 50000;
const QString kQuery = QStringLiteral("SELECT Sal, ID, WT, Greek, English FROM Words");

// A database of kRows words, made once for the whole run.
dao::Database &WordsDb()
{
    static QTemporaryDir dir;
    static dao::DatabasePtr db = [] {
        auto d = dao::DBEngine::CreateDatabase(dir.filePath(QStringLiteral("bench.twl")));
        d->Execute(QStringLiteral("CREATE TABLE Words (Sal TEXT, ID INTEGER, WT TEXT, Greek TEXT, English TEXT)"));
        d->BeginTrans();
        for (int i = 0; i < kRows; ++i)
            d->ExecNative(QStringLiteral("INSERT INTO Words VALUES (?, ?, ?, ?, ?)"),
                          {QStringLiteral("key%1").arg((i * 7919) % kRows, 6, 10, QLatin1Char('0')), i,
                           QStringLiteral("am"), QStringLiteral("lexi%1").arg(i),
                           QStringLiteral("word %1, meaning %2").arg(i).arg(i % 97)});
        d->CommitTrans();
        return d;
    }();
    return *db;
}

// The query alone: what both fills below spend before they touch a widget.
void BM_QueryOnly(benchmark::State &state)
{
    dao::Database &db = WordsDb();
    for (auto _ : state) {
        dao::RecordsetPtr rs = db.OpenRecordset(kQuery, dao::RecordsetType::Snapshot);
        benchmark::DoNotOptimize(rs->RecordCount());
    }
}

void BM_FlexGridFromQuery(benchmark::State &state)
{
    dao::Database &db = WordsDb();
    for (auto _ : state) {
        dao::RecordsetPtr rs = db.OpenRecordset(kQuery, dao::RecordsetType::Snapshot);
        flexgrid::FlexGrid grid;
        grid.SetFixedCols(0);
        flexgrid::BindRecordset(grid, *rs);
        benchmark::DoNotOptimize(grid.TextMatrix(kRows, 4));
    }
}

void BM_QTableWidgetFromQuery(benchmark::State &state)
{
    dao::Database &db = WordsDb();
    for (auto _ : state) {
        dao::RecordsetPtr rs = db.OpenRecordset(kQuery, dao::RecordsetType::Snapshot);
        QTableWidget table;
        const int fields = rs->FieldCount();
        table.setColumnCount(fields);
        QStringList names;
        for (int f = 0; f < fields; ++f)
            names << rs->FieldName(f);
        table.setHorizontalHeaderLabels(names);
        table.setRowCount(static_cast<int>(rs->RecordCount()));
        int row = 0;
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext(), ++row)
            for (int f = 0; f < fields; ++f)
                table.setItem(row, f, new QTableWidgetItem(flexgrid::FieldText(rs->Field(f))));
        benchmark::DoNotOptimize(table.item(kRows - 1, 4));
    }
}

// The fill alone, without the query: a flex grid written cell by cell, as
// the windows' own loops write it.
void BM_FlexGridTextMatrixFill(benchmark::State &state)
{
    for (auto _ : state) {
        flexgrid::FlexGrid grid;
        grid.SetFixedCols(0);
        grid.SetCols(5);
        grid.SetRows(kRows + 1);
        for (int r = 1; r <= kRows; ++r)
            for (int c = 0; c < 5; ++c)
                grid.SetTextMatrix(r, c, QStringLiteral("cell"));
        benchmark::DoNotOptimize(grid.TextMatrix(kRows, 4));
    }
}

// Bound data of 50,000 rows, the Greek font on its two word columns, a sort
// on the first column, a scroll to the middle and a paint.
void BM_FlexGridBindFontSortDraw(benchmark::State &state)
{
    QVector<QVector<QString>> records;
    records.reserve(kRows);
    for (int i = 0; i < kRows; ++i)
        records.append({QString::number((i * 7919) % kRows), QString::number(i), QStringLiteral("am"),
                        QStringLiteral("word%1").arg(i), QStringLiteral("meaning %1").arg(i)});
    for (auto _ : state) {
        flexgrid::FlexGrid grid;
        grid.resize(600, 400);
        grid.SetFixedCols(0);
        grid.SetBoundData({"Sal", "ID", "WT", "Greek", "English"}, QVector<QVector<QString>>(records));
        grid.SetRangeFont(1, 3, grid.Rows() - 1, 4, QStringLiteral("VudedoGreek"), 14);
        grid.SetCol(0);
        grid.SetSort(flexgrid::flexSortGenericAscending);
        grid.SetTopRow(kRows / 2);
        benchmark::DoNotOptimize(grid.grab());
        if (grid.TextMatrix(1, 0) != QStringLiteral("0") || grid.TextMatrix(kRows, 0) != QString::number(kRows - 1))
            state.SkipWithError("the sort left the rows out of order");
    }
}

BENCHMARK(BM_QueryOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlexGridFromQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTableWidgetFromQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlexGridTextMatrixFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlexGridBindFontSortDraw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
