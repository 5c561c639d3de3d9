#pragma once
// Small counting and lookup routines on the shared connection WordDb. None of
// them traps an error: a database error (dao::DaoError) reaches the caller.
// Counts are 64-bit, so no count overflows however large the word store.

#include <QString>
#include <QStringList>

#include <cmath>
#include <optional>

namespace tav {

// Every count below is made by the engine over the same SQL (and filter):
// no row is read into the program.

// Number of runs of equal Lat values in the rows of Sql (the caller orders by
// Lat, so this is the number of distinct meaning words); spellings compare
// exactly, a Null Lat reads as ""; 0 for no rows.
long long CountDistinctLat(const QString &Sql);

// Number of distinct ID values in the table (a Null ID reads as 0); 0 for an
// empty table.
long long CountDistinctIDs(const QString &TableName);

// Number of distinct ID values in the table that are also IDs of Main: a
// meaning left behind by a deleted word does not count.
long long CountDistinctMainIDs(const QString &TableName);

// Rows of Sql, after the Jet criterion Filter when it is not empty.
long long CountQueryRecords(const QString &Sql, const QString &Filter);
// The same for each of Filters, counted in one pass over the rows of Sql.
// Within, when not empty, is a criterion every one of Filters implies: only
// the rows that meet it are read, which gives the same counts faster.
// Columns, when given, are the only fields Filters read: each filter is then
// asked once per set of values found there (Recordset::CountMatching).
QVector<long long> CountQueryRecordsEach(const QString &Sql, const QStringList &Filters,
                                         const QString &Within = QString(), const QStringList &Columns = {});

// Rows of table Main: the number of words.
long long CountMainWords();

// Rows of Sql (a table name or a SELECT); 0 when there is none.
long long CountRecords(const QString &Sql);

// Rows of table WrongIDs: the stored wrong answers.
long long CountWrongIDs();

// Writes the word count into panel 2 of the main window's status bar: the
// count followed directly by interface text 1212, or "0 " and text 1211.
void ShowWordCount();
// Writes the number of stored wrong answers into panel 5, as
// WrongAnswersPanelText words it ("M/A 30/4  ").
void ShowWrongAnswersCount();

// The interface text of a caption number from LangCaps, in the column named
// by CapsLanguage; "" when the number has no row or the text is Null.
QString LangCapsText(long long index);

// True when RepaIDs holds ID.
bool IsInCollection(long long ID);

// Number of open list windows (windows named "Grid..."), asked of the main
// window; a new list window uses it for its cascade position.
int CountGridForms();

// The named field of the Main row of ID as text; "" when there is no such
// row or the field is Null. An unknown field name is an error.
QString GetMainField(long long ID, const QString &FieldName);
// The same, with nothing when there is no such row.
std::optional<QString> FindMainField(long long ID, const QString &FieldName);
// The third-language meaning list (Lang3Lat of Lang3Table) of word ID as
// text; "" when the word has no row there or the list is Null.
QString GetLangField(long long ID);

// Existence tests.
bool MainIDExists(long long ID);
bool IDExistsIn(const QString &TableName, long long ID);
bool KlinoHasID(long long ID);
// True when the form of column KasPer of table GenTem of word ID is already
// in FormsAll. The tense tables share their column names, so the table
// tells their forms apart.
bool FormsAllHasKasPer(long long ID, const QString &GenTem, const QString &KasPer);

// True when the word's row in a conjugation table has all six person forms
// of one voice (S1a..P3a, or S1p..P3p) non-empty; a missing row gives False.
bool HasCompleteConjugation(const QString &TableName, long long ID);

// Adds the missing inflection row of word ID to TableName. Items names the
// Main fields to copy, "Greek", "WT", "Sal" in that order (up to three); each
// name is replaced by the word's value. Field 0 gets the ID, every other text
// field "" rather than Null; numeric and memo fields stay Null.
void AddRecordFromArray(const QString &TableName, long long ID, QStringList &Items);

// True when the grid's current row is its last row.
template <class Grid>
bool IsOnLastRow(const Grid &grid)
{
    return grid.Row() == grid.Rows() - 1;
}

// The widest text of column Col in rows 1 to the last, as textWidth measures
// it (each width rounded half to even), plus Margin; Margin alone for a grid
// without data rows.
template <class Grid, class Measure>
long long MaxColumnTextWidth(const Grid &grid, int Col, Measure textWidth, long long Margin)
{
    long long widest = 0;
    for (int row = 1; row < grid.Rows(); ++row) {
        const long long w = std::llrint(static_cast<double>(textWidth(grid.TextMatrix(row, Col))));
        if (w > widest)
            widest = w;
    }
    return widest + Margin;
}

} // namespace tav
