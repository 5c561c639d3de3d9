#include "platform/flexgrid/RecordsetBinding.h"

#include "platform/dao/Dao.h"

#include <QTemporaryDir>
#include <QThreadPool>

#include <iterator>
#include <latch>
#include <limits>

#include <gtest/gtest.h>

TEST(RecordsetBinding, ValuesShowAsABoundGridShowsThem)
{
    EXPECT_EQ(flexgrid::FieldText(QVariant()), "");
    EXPECT_EQ(flexgrid::FieldText(QVariant(QMetaType(QMetaType::QString))), "");
    EXPECT_EQ(flexgrid::FieldText(QVariant(42)), "42");
    EXPECT_EQ(flexgrid::FieldText(QVariant(2.0)), "2");
    EXPECT_EQ(flexgrid::FieldText(QVariant(0.1)), "0.1");
    EXPECT_EQ(flexgrid::FieldText(QVariant(true)), "True");
    EXPECT_EQ(flexgrid::FieldText(QVariant(QStringLiteral("lexi"))), "lexi");
    for (const qlonglong n : {0LL, -1LL, 1234567890123LL, std::numeric_limits<qlonglong>::min()})
        EXPECT_EQ(flexgrid::FieldText(QVariant(n)), QVariant(n).toString());
}

TEST(RecordsetBinding, EveryRecordFillsARowUnderTheFieldNames)
{
    QTemporaryDir dir;
    auto db = dao::DBEngine::CreateDatabase(dir.filePath("b.twl"));
    db->Execute("CREATE TABLE T (ID INTEGER, Greek TEXT, Remarks TEXT)");
    db->Execute("INSERT INTO T VALUES (1, 'alfa', NULL)");
    db->Execute("INSERT INTO T VALUES (2, 'beta', 'note')");
    auto rs = db->OpenRecordset("SELECT ID, Greek, Remarks FROM T ORDER BY ID");
    flexgrid::FlexGrid grid;
    grid.SetFixedCols(0);
    flexgrid::BindRecordset(grid, *rs);
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.TextMatrix(0, 2), "Remarks");
    EXPECT_EQ(grid.TextMatrix(1, 0), "1");
    EXPECT_EQ(grid.TextMatrix(1, 2), "");
    EXPECT_EQ(grid.TextMatrix(2, 1), "beta");
    EXPECT_EQ(rs->AbsolutePosition(), 0); // left on the first record

    auto empty = db->OpenRecordset("SELECT ID, Greek FROM T WHERE ID = 99");
    flexgrid::BindRecordset(grid, *empty);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.TextMatrix(1, 1), "");
}

// A column of a few repeated values and one of many: every cell shows its own
// value, an empty text stays apart from Null, and a changed cell changes alone.
TEST(RecordsetBinding, RepeatedAndDistinctValuesFillEveryCell)
{
    QTemporaryDir dir;
    auto db = dao::DBEngine::CreateDatabase(dir.filePath("r.twl"));
    db->Execute("CREATE TABLE T (ID INTEGER, Kind TEXT, Word TEXT)");
    for (int i = 0; i < 300; ++i)
        db->Execute(QStringLiteral("INSERT INTO T VALUES (%1, %2, 'w%1')")
                        .arg(i)
                        .arg(i % 4 == 3 ? QStringLiteral("NULL") : i % 4 == 2 ? QStringLiteral("''")
                                                                              : QStringLiteral("'k%1'").arg(i % 2)));
    auto rs = db->OpenRecordset("SELECT ID, Kind, Word FROM T ORDER BY ID");
    flexgrid::FlexGrid grid;
    grid.SetFixedCols(0);
    flexgrid::BindRecordset(grid, *rs);
    ASSERT_EQ(grid.Rows(), 301);
    for (int i = 0; i < 300; ++i) {
        const QString kind = grid.TextMatrix(i + 1, 1);
        EXPECT_EQ(kind, i % 4 >= 2 ? QString() : QStringLiteral("k%1").arg(i % 2)) << i;
        EXPECT_EQ(grid.TextMatrix(i + 1, 2), QStringLiteral("w%1").arg(i));
        EXPECT_EQ(grid.TextMatrix(i + 1, 0), QString::number(i));
    }
    EXPECT_TRUE(grid.TextMatrix(4, 1).isNull());
    EXPECT_FALSE(grid.TextMatrix(3, 1).isNull());
    grid.SetTextMatrix(1, 1, "changed");
    EXPECT_EQ(grid.TextMatrix(5, 1), "k0");
}

// Every kind of stored value, mixed in one column as SQLite allows: the bound
// grid shows each as its field's value reads, row by row. A long list is
// read in parts side by side; every row of every part, its first and last
// included, shows its own values, also when no thread is free to help.
TEST(RecordsetBinding, EachKindOfStoredValueShowsAsItsFieldReads)
{
    const char *values[] = {"0", "-1", "9223372036854775807", "-9223372036854775808", "2.5", "1e300", "-0.1",
                            "'alfa'", "'åäö Ελληνικά'", "''", "NULL", "x'414243'", "x''", "'42'"};
    const int kinds = int(std::size(values));
    struct Case {
        int rows;
        bool poolBusy;
    };
    for (const Case c : {Case{kinds, false}, Case{3 * 4096 + 7, false}, Case{40000, false}, Case{40000, true}}) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows" << (c.poolBusy ? ", no thread free" : ""));
        QTemporaryDir dir;
        auto db = dao::DBEngine::CreateDatabase(dir.filePath("k.twl"));
        db->Execute("CREATE TABLE K (Kind INTEGER, V)");
        for (int k = 0; k < kinds; ++k)
            db->Execute(QStringLiteral("INSERT INTO K VALUES (%1, %2)").arg(k).arg(QString::fromUtf8(values[k])));
        db->Execute("CREATE TABLE T (N INTEGER, V, W TEXT)");
        db->Execute(QStringLiteral("WITH RECURSIVE C(I) AS (SELECT 0 UNION ALL SELECT I + 1 FROM C WHERE I < %1) "
                                   "INSERT INTO T SELECT I, K.V, 'w' || I FROM C, K WHERE K.Kind = I % %2")
                        .arg(c.rows - 1)
                        .arg(kinds));
        auto rs = db->OpenRecordset("SELECT N, V, W FROM T ORDER BY N");
        ASSERT_EQ(rs->RecordCount(), c.rows);

        // Every thread of the pool waits until the grid is bound.
        QThreadPool &pool = *QThreadPool::globalInstance();
        std::latch bound(1);
        std::latch waiting(c.poolBusy ? pool.maxThreadCount() : 0);
        for (int t = 0; c.poolBusy && t < pool.maxThreadCount(); ++t)
            pool.start([&] {
                waiting.count_down();
                bound.wait();
            });
        waiting.wait();

        flexgrid::FlexGrid grid;
        grid.SetFixedCols(0);
        flexgrid::BindRecordset(grid, *rs);
        bound.count_down();
        pool.waitForDone();

        ASSERT_EQ(grid.Rows(), c.rows + 1);
        for (int r = 0; r < c.rows; ++r) {
            const QVariant stored = rs->FieldAt(r, 1);
            ASSERT_EQ(grid.TextMatrix(r + 1, 1), flexgrid::FieldText(stored)) << values[r % kinds] << " row " << r;
            ASSERT_EQ(grid.TextMatrix(r + 1, 1).isNull(), stored.isNull()) << values[r % kinds] << " row " << r;
            ASSERT_EQ(grid.TextMatrix(r + 1, 0), QString::number(r));
            ASSERT_EQ(grid.TextMatrix(r + 1, 2), QStringLiteral("w%1").arg(r));
        }
    }
}
