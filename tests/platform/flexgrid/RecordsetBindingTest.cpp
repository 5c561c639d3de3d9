#include "platform/flexgrid/RecordsetBinding.h"

#include <QTemporaryDir>

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
