#pragma once
// The list windows' requests as the main window makes them (GridStd.DoStdGrid,
// GridSimple.DoSimpleGrid): the rows of an SQL text, after a filter, in a new
// list window made by the installed list-window factory; an empty result
// opens nothing and is written into the main window's boxes tbFind(0) and
// tbFind(1). A failing query is reported once and changes nothing.

#include "store/ListRequests.h"

namespace tav {

class MDI;

class MdiListRequests : public ListRequests {
public:
    explicit MdiListRequests(MDI &mdi) : m_mdi(mdi) {}
    ~MdiListRequests() override;

    void DoStdGrid(const QString &Sql, bool IsGreek, int SortValue, const QString &Caption, int ViewTag,
                   const QString &Filter) override;
    void DoSimpleGrid(const QString &Sql, int Lang, const QString &Word, int Mode) override;

    // The caption of a new list window.
    QString StdCaption(long long count, bool IsGreek, const QString &Caption, int ViewTag) const;
    QString SimpleCaption(long long count, int Lang, const QString &Word) const;

private:
    // The chosen letter's name, "" when no letter is chosen.
    QString letterName() const;

    MDI &m_mdi;
};

} // namespace tav
