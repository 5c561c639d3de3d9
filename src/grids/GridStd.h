#pragma once
// The standard list window: Greek headwords of Main with their article,
// English meanings and (unless hidden) third-language meanings, or the
// inflected forms a search found in FormsAll. Its own heading row is hidden:
// buttons over the columns head and sort them (white: Greek by the sort key,
// red: English, yellow: the third language). Cells edit in place and every
// commit is written back at once; the delete button removes the current word
// under the deletion rules.
//
// View tags (the grid's Tag): "5" verbs and adjectives (no article column),
// "2" nouns, all words and Greek searches, "1" the word-type search, "33"
// inflected forms; see GridLangDep.

#include "grids/ListWindow.h"
#include "store/ListWindowLink.h"

#include <QStringList>

namespace tav {

class GridStd : public LinkedListWindow<StdGridWindowLink> {
    Q_OBJECT

public:
    explicit GridStd(QWidget *parent = nullptr);
    ~GridStd() override;

    // StdGridWindowLink
    void SetRecordset(dao::RecordsetPtr rows) override;
    void SetFilterText(const QString &filter) override { lblFilter = filter; }
    void SetSqlText(const QString &sql) override { tbQ = sql; }
    void SetCaption(const QString &caption) override;
    void SetSortValue(int sortValue) override { lblSortValue = sortValue; }
    void SetGridTag(const QString &tag) override { m_grid->SetTag(tag); }
    void GridLangDep(int SortValue) override;
    void Show() override { ShowWindow(); }
    void Close() override { CloseWindow(); }

    // The view tag as a number.
    int ViewTag() const { return m_grid->Tag().toInt(); }

    // Colours the sort buttons: the pair of SortIndex is marked.
    void ButtonCol(int SortIndex);
    void cmdSort_Click(int Index);
    void cmdCol_Click(int Index);
    // Deletes the current word, unless it has inflection rows, after the
    // user's confirmation.
    void FlexDelete();
    // The Greek column narrows to its texts' width with a narrower margin;
    // a meaning column to two thirds of its longest text (a longer text
    // then ends in an ellipsis), no further.
    int LeastWidth(int Col) const override;
    // The third language's column is headed by the language's name on paper.
    ColumnHeading PrintedHeading(int Col) const override;
    Kind ListKind() const override { return Kind::Standard; }

    // Controls beyond the shared ones.
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdSort[4] = {};
    QPushButton *cmdSortCol[4] = {};
    QPushButton *cmdCol[3] = {}; // 1 English, 2 the third language
    QPushButton *cmdart = nullptr; // heads the article column

    int FirstVisibleCol = 0;

protected:
    QString CountCaption(long long Count) const override;
    void LayOut() override { GridLangDep(lblSortValue); }
    void CommitCell(const QString &Text, int Row, int Col) override;
    std::optional<QString> StoredCellText(long long ID, int Col, const QString &OpenedOn) const override;
    int WrapColumn() const override { return FirstVisibleCol; }
    CellKind KindOf(int Col) const override
    {
        if (ViewTag() == 33)
            return CellKind::Plain;
        return Col == 3 ? CellKind::Article : Col == 4 ? CellKind::Headword : CellKind::Plain;
    }
    // The text columns take the room beyond their texts; the article keeps
    // its width.
    bool Stretches(int Col) const override { return ViewTag() == 33 || Col >= 4; }
    QString InfoText(int Row) const override;
    int FactsKind(int Row) const override;
    QString RowKey(int Row) const override;
    void RightClick(const QPoint &GlobalPos) override;

private:
    void ArrangeButtons();
    void ResizeGrid();
    void placePair(int Index, int Col);
    // Column 5 (Index 1) or 6 (Index 2) hidden or shown by its button, whose
    // caption says which ("-" hides, "+" shows).
    void setColumnHidden(int Index, bool Hidden);

    // Interface texts read at load: 1142..1149, then 1079..1081.
    QStringList m_texts;
    int m_width5 = 0, m_width6 = 0; // saved widths of columns 5 and 6 (twips)
    int m_least[3] = {}; // what the texts of columns 4 to 6 need (twips)
    bool m_colHidden[3] = {}; // columns 5 and 6 hidden by cmdCol(1) and cmdCol(2)
};

} // namespace tav
