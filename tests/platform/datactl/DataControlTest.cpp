#include "platform/datactl/DataControl.h"
#include "support/TestDb.h"

#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>

TEST(DataControl, BoundBoxesFollowEveryMoveOfTheControl)
{
    tavtest::TestDb db;
    datactl::DataControl control;
    control.Database = db.Open();
    control.RecordSource = "SELECT ID, Art, Greek FROM Main WHERE ID IN (1, 2, 10) ORDER BY ID";
    QLineEdit greek;
    QLabel art;
    auto gone = std::make_unique<QLineEdit>();
    control.Bind(&greek, "Greek");
    control.Bind(&art, "Art");
    control.Bind(gone.get(), "Greek");
    gone.reset(); // a box that went is left alone
    control.Refresh();
    EXPECT_EQ(greek.text(), "agapavw");
    EXPECT_EQ(art.text(), ""); // Null shows empty
    EXPECT_TRUE(control.FindFirst("ID = 10"));
    EXPECT_EQ(greek.text(), "agkwvnaV");
    EXPECT_EQ(art.text(), "o");
    EXPECT_FALSE(control.FindFirst("ID = 3"));
    EXPECT_EQ(greek.text(), "agkwvnaV"); // no match: the row stays
    control.MoveFirst();
    control.Move(1);
    EXPECT_EQ(greek.text(), "agavph");
    control.Bind(&art, QString()); // unbound: keeps what it shows
    control.MoveFirst();
    EXPECT_EQ(art.text(), "h");
    EXPECT_EQ(control.BoundField(&greek), "Greek");
}

TEST(DataControl, AnEmptyOrMissingRecordsetShowsEmptyBoxes)
{
    tavtest::TestDb db;
    datactl::DataControl control;
    QLineEdit box;
    box.setText("old");
    control.Bind(&box, "Greek");
    EXPECT_FALSE(control.FindFirst("ID = 1"));
    control.Database = db.Open();
    control.RecordSource = "SELECT Greek FROM Main WHERE ID < 0";
    control.Refresh();
    EXPECT_EQ(box.text(), "");
    control.RecordSource = "NoSuchTable";
    EXPECT_THROW(control.Refresh(), dao::DaoError);
    EXPECT_TRUE(control.IsBound()); // the failed refresh left the rows as they were
}

// On a whole table the control starts on the table's first row without
// reading the others; finding, moving and counting then see every row, as
// they do on a recordset read whole.
TEST(DataControl, ATableStartsOnItsFirstRowAndEveryMoveSeesAllRows)
{
    tavtest::TestDb db;
    dao::DatabasePtr words = db.Open();
    const auto first = words->QueryNative("SELECT Greek FROM Main ORDER BY rowid LIMIT 2");
    ASSERT_EQ(first.size(), 2);
    const long long rows = words->QueryNative("SELECT count(*) FROM Main")[0][0].toLongLong();
    const QString tenth = words->QueryNative("SELECT Greek FROM Main WHERE ID = 10")[0][0].toString();

    datactl::DataControl control;
    control.Database = words;
    control.RecordSource = "Main";
    QLineEdit greek;
    control.Bind(&greek, "Greek");
    control.Refresh();
    EXPECT_EQ(greek.text(), first[0][0].toString());
    control.Move(1);
    EXPECT_EQ(greek.text(), first[1][0].toString());

    control.Refresh();
    EXPECT_TRUE(control.FindFirst("ID = 10"));
    EXPECT_EQ(greek.text(), tenth);
    EXPECT_FALSE(control.FindFirst("ID = -5"));
    EXPECT_EQ(greek.text(), tenth); // no match: the row stays
    EXPECT_EQ(control.Recordset()->RecordCount(), rows);
    EXPECT_EQ(greek.text(), tenth);
    control.MoveFirst();
    EXPECT_EQ(greek.text(), first[0][0].toString());

    // An empty table shows empty boxes.
    words->ExecNative("CREATE TABLE NoWords (ID INTEGER, Greek TEXT)");
    control.RecordSource = "NoWords";
    control.Refresh();
    EXPECT_EQ(greek.text(), "");
    EXPECT_EQ(control.Recordset()->RecordCount(), 0);
}
