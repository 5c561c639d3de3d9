#include "grids/FormLabelSeam.h"

#include "store/DbTransaction.h"

#include <QHash>
#include <QSet>
#include <QStringList>

namespace tav {

namespace {

constexpr long long kGroupBand = 0xC0E0FF;

// Adds a column after the last one holding the English meanings of the word
// whose ID stands in IDCol.
void AddEnglish(flexgrid::FlexGrid &Grid, int IDCol)
{
    const int col = Grid.Cols();
    Grid.SetCols(col + 1);
    Grid.SetTextMatrix(0, col, QStringLiteral("English"));
    QSet<QString> ids;
    for (int r = 1; r < Grid.Rows(); ++r) {
        bool ok = false;
        const long long id = Grid.TextMatrix(r, IDCol).trimmed().toLongLong(&ok);
        if (ok)
            ids.insert(QString::number(id));
    }
    if (ids.isEmpty())
        return;
    const QStringList list(ids.begin(), ids.end());
    dao::RecordsetPtr rs = OpenWordDb().OpenRecordset(
        QStringLiteral("SELECT ID, English FROM Main WHERE ID IN (") + list.join(QLatin1Char(',')) + QLatin1Char(')'),
        dao::RecordsetType::Snapshot);
    QHash<QString, QString> english;
    if (rs->RecordCount() > 0)
        rs->MoveFirst();
    for (; !rs->Eof(); rs->MoveNext())
        english.insert(rs->Text(0), rs->Text(1));
    rs->Close();
    for (int r = 1; r < Grid.Rows(); ++r)
        Grid.SetTextMatrix(r, col, english.value(Grid.TextMatrix(r, IDCol).trimmed()));
}

// Bands every second run of rows with the same text in Col, from the second.
void BandGroups(flexgrid::FlexGrid &Grid, int Col)
{
    int group = 0;
    for (int r = 1; r < Grid.Rows(); ++r) {
        if (r > 1 && Grid.TextMatrix(r, Col) != Grid.TextMatrix(r - 1, Col))
            ++group;
        if (group % 2 == 1)
            Grid.SetRangeBackColor(r, 0, r, Grid.Cols() - 1, kGroupBand);
    }
}

} // namespace

void ApplyFormLabels(flexgrid::FlexGrid &Grid)
{
    AddEnglish(Grid, 1);
    BandGroups(Grid, 1);
}

} // namespace tav
