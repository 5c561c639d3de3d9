#pragma once
// Lays a page out across the width of the scroll area that holds it: rows of
// panels side by side are folded, their panels one under the other, one row
// after the other, until the page fits the width. Only a page that does not
// fit even folded scrolls sideways.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>

class QBoxLayout;
class QScrollArea;

namespace tav {

class PageFold : public QObject {
public:
    // Watches the scroll area's size and its widget, the page.
    explicit PageFold(QScrollArea *scroll);

    // A row that folds, in the order the rows are folded; FoldedSpacing is
    // the room between its panels while folded.
    void AddRow(QBoxLayout *row, int FoldedSpacing);
    // How many rows are folded.
    int Folded() const { return m_folded; }
    // Folds as few rows as the scroll area's width allows.
    void Fit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row {
        QBoxLayout *box;
        int wideSpacing;
        int foldedSpacing;
    };
    void setFolded(int count);
    bool fits() const;

    QScrollArea *m_scroll;
    QPointer<QWidget> m_page;
    bool m_pending = false; // a fit waits for the page's layout
    QList<Row> m_rows;
    int m_folded = 0;
    bool m_fitting = false;
    QSize m_fittedRoom, m_fittedLeast; // the room and the page's least size at the last fit
};

} // namespace tav
