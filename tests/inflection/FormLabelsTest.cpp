// The labels of a list of inflected forms, on the shipped words.

#include "inflection/FormLabels.h"
#include "platform/flexgrid/FlexGrid.h"
#include "store/SharedState.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>

namespace {

class FormLabelsTest : public ::testing::Test {
protected:
    void SetUp() override { db.MakeWordStore(); }
    void TearDown() override { tav::ResetSharedState(); }

    // A list as the search in inflected forms fills it: GenTem, ID, KasPer, FormGreek.
    void Fill(const QList<QStringList> &rows)
    {
        grid.SetCols(4);
        grid.SetRows(int(rows.size()) + 1);
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < 4; ++c)
                grid.SetTextMatrix(r + 1, c, rows[r].value(c));
    }

    tavtest::TestDb db;
    flexgrid::FlexGrid grid;
};

TEST_F(FormLabelsTest, TablesAndCodesBecomeGrammaticalLabels)
{
    const QString adjective = QString::number(3), verb = QString::number(5), noun = QString::number(10);
    Fill({{"KonT2", verb, "P3p", "x"},
          {"KonT4", verb, "S1a", "x"},
          {"KonT9", verb, "S2a", "x"},
          {"KlinoMenos", verb, "sMNom", "x"},
          {"Klino", adjective, "pNGen", "x"},
          {"Klino", noun, "sMAck", "x"},
          {"Klino", "999999", "pFNom", "x"},
          {"Main", verb, "AAS", "x"},
          {"Main", verb, "XY", "x"},
          {"IMPER", verb, "SiSimpAct", "x"}});
    grid.SetRow(3);
    grid.SetCol(1);
    tav::FillFormLabels(grid, 2);
    auto row = [&](int r) { return grid.TextMatrix(r, 0) + "|" + grid.TextMatrix(r, 2); };
    EXPECT_EQ(row(1), "Simple past|3:rd pers., plural, passive");
    EXPECT_EQ(row(2), "Aorist. Subjunctive|1:st pers., singular, active");
    EXPECT_EQ(row(3), "KonT9|2:nd pers., singular, active");
    EXPECT_EQ(row(4), "Passive participle|Masc., singular, nominative");
    EXPECT_EQ(row(5), "Adjective|Neut., plural, genitive");
    EXPECT_EQ(row(6), "Noun|Masc., singular, accusative");
    EXPECT_EQ(row(7), "Klino|Fem., plural, nominative") << "an unknown word keeps its table's name";
    EXPECT_EQ(row(8), "Main|Active aorist stem");
    EXPECT_EQ(row(9), "Main|XY");
    EXPECT_EQ(row(10), "IMPER|SiSimpAct");
    EXPECT_EQ(grid.TextMatrix(4, 3), "x");
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 1);
}

TEST_F(FormLabelsTest, MeaningsGoIntoANewLastColumn)
{
    Fill({{"KonT1", "5", "S1a", "x"}, {"Klino", "999999", "sMNom", "y"}, {"Klino", "10", "sMNom", "z"}});
    tav::AddEnglishColumn(grid, 1);
    EXPECT_EQ(grid.Cols(), 5);
    EXPECT_EQ(grid.TextMatrix(1, 4), db.Value("SELECT English FROM Main WHERE ID = 5").toString());
    EXPECT_EQ(grid.TextMatrix(2, 4), "");
    EXPECT_EQ(grid.TextMatrix(3, 4), db.Value("SELECT English FROM Main WHERE ID = 10").toString());
}

TEST_F(FormLabelsTest, EverySecondWordGroupIsShadedAndTheCurrentCellStays)
{
    Fill({{"a", "5"}, {"a", "5"}, {"a", "7"}, {"a", "9"}, {"a", "9"}, {"a", "11"}});
    grid.SetRow(2);
    grid.SetCol(2);
    tav::MarkGroupRows(grid, 1);
    for (int r = 1; r <= 6; ++r) {
        const bool shaded = r == 3 || r == 6;
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(grid.CellBackColorAt(r, c), shaded ? tav::GroupShade : 0) << r << "," << c;
    }
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 2);

    // A single row: labelled, never shaded.
    Fill({{"KonT1", "5", "S1a", "x"}});
    tav::FillFormLabels(grid, 2);
    tav::MarkGroupRows(grid, 1);
    EXPECT_EQ(grid.TextMatrix(1, 0), "Present");
    EXPECT_EQ(grid.CellBackColorAt(1, 0), 0);
}

} // namespace
