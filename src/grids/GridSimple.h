#pragma once
// The simple list window: the links between the meaning words of one
// language (English, or the third language) and the Greek words, one row per
// meaning word and Greek word, with the Greek article. Buttons over the
// columns sort them (red: English meanings, yellow: third-language meanings,
// white: Greek by its sort key; the article button leaves the colours). A
// meaning word can be renamed or a further meaning added to the word, and
// the article and the spelling changed; the window deletes no word.
//
// Columns: 0 the sort key and 1 the word ID (hidden), 2 the meaning word,
// 3 the article, 4 the Greek word.

#include "grids/ListWindow.h"
#include "store/ListWindowLink.h"

namespace tav {

class GridSimple : public LinkedListWindow<ListWindowLink> {
    Q_OBJECT

public:
    explicit GridSimple(QWidget *parent = nullptr);
    ~GridSimple() override;

    // Fills and shows a new window: Rows of Sql, in Lang (1 English, 2 the
    // third language), captioned with the row count, " non unique " and
    // Title; Mode becomes the grid's Tag.
    void Open(dao::RecordsetPtr Rows, const QString &Sql, int Lang, const QString &Title, int Mode);

    // Fills and lays out the grid; SortValue colours the buttons (0 the
    // Greek pair, 1 English, 2 the third language) and names the sort kept.
    void GridSimpleFill(int SortValue);
    void ButtonCol(int Value);
    void cmdSort_Click(int Index);
    void cmdart_Click();

    Kind ListKind() const override { return Kind::Simple; }

    // "5" English, "6" the third language.
    QString lblFlag;

    QPushButton *cmdSort[2] = {};
    QPushButton *cmdSortCol[2] = {};
    QPushButton *cmdart = nullptr;

protected:
    QString CountCaption(long long Count) const override;
    void LayOut() override { GridSimpleFill(lblSortValue); }
    void CommitCell(const QString &Text, int Row, int Col) override;
    std::optional<QString> StoredCellText(long long ID, int Col, const QString &OpenedOn) const override;
    int WrapColumn() const override { return 2; }
    CellKind KindOf(int Col) const override
    {
        return Col == 3 ? CellKind::Article : Col == 4 ? CellKind::Headword : CellKind::Plain;
    }
    // The meaning and the Greek word take the room beyond their texts.
    bool Stretches(int Col) const override { return Col == 2 || Col == 4; }
    // The current word stands over the Greek column, right of the search.
    void HeadingsMoved() override;
    QString InfoText(int Row) const override;
    int FactsKind(int) const override { return 3; }
    QString FactsText() const override;
    // A word has a row for each meaning: the meaning tells them apart.
    QString RowKey(int Row) const override;
    void RightClick(const QPoint &GlobalPos) override;

private:
    void FitGridToWindow();
    // The meaning's list of the current word in this window's language.
    QString storedList() const;
    void commitMeaning(const QString &Text, int Row);
    bool english() const { return lblFlag == QLatin1String("5"); }
};

} // namespace tav
