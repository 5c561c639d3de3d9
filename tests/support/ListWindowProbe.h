#pragma once
// The controls and row state of a list window that tests read and drive
// directly; the window keeps them to itself.

#include "grids/ListWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tav {

struct ListWindowProbe {
    explicit ListWindowProbe(ListWindow &w)
        : tbN(w.tbN), txtSearch(w.txtSearch), cmdS(w.cmdS), cmdFresh(w.cmdFresh), lblInfo(w.lblInfo),
          lblCol(w.lblCol), lblRow(w.lblRow), lblCap(w.lblCap), lblSortValue(w.lblSortValue), WordID(w.WordID)
    {
    }
    QLineEdit *tbN;
    QLineEdit *txtSearch;
    QPushButton *cmdS;
    QPushButton *cmdFresh;
    QLabel *lblInfo;
    QLabel *lblCol;
    QLabel *lblRow;
    const QString &lblCap;
    const int &lblSortValue;
    const long long &WordID;
};

} // namespace tav

namespace tavtest {

inline tav::ListWindowProbe ListProbe(tav::ListWindow &w) { return tav::ListWindowProbe(w); }
inline tav::ListWindowProbe ListProbe(tav::ListWindow *w) { return tav::ListWindowProbe(*w); }

} // namespace tavtest
