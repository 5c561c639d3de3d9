#pragma once
// The list requests of the main window (GridStd.DoStdGrid and
// GridSimple.DoSimpleGrid): each request that finds rows opens a new list
// window captioned with its row count and title; an empty result opens
// nothing and is written into the main window's boxes beside the search box.
// A failing query is reported once and changes nothing.

#include "store/ListRequests.h"

namespace tav {

class ListOpeners : public ListRequests {
public:
    ~ListOpeners() override;

    void DoStdGrid(const QString &Sql, bool IsGreek, int SortValue, const QString &Caption, int ViewTag,
                   const QString &Filter) override;
    void DoSimpleGrid(const QString &Sql, int Lang, const QString &Word, int Mode) override;

    // The title part of a new window's caption (after the row count).
    static QString StdTitle(bool IsGreek, const QString &Caption, int ViewTag);
    static QString SimpleTitle(const QString &Word);
    // The no-result texts of the first box.
    static QString StdNoResult(int ViewTag);
    static QString SimpleNoResult(int Lang);
};

// The name of the letter chosen in the main window's letter filter ("" when
// none is chosen): a Greek letter's name while the filter lists Greek
// letters, else the Latin letter.
QString ChosenLetterName();

} // namespace tav
