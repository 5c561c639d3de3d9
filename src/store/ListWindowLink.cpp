#include "store/ListWindowLink.h"

namespace tav {

namespace {
// Before the program installs its factory (tools, tests that need no
// window) no list window opens and the Sorry window stays unseen.
class NoWindows : public ListWindowFactory {
public:
    StdGridWindowLink *NewStdGrid() override { return nullptr; }
    void ShowSorry(const QString &, const QString &, bool) override {}
};

ListWindowFactory *g_factory = nullptr;
} // namespace

ListWindowFactory &ListWindows()
{
    static NoWindows none;
    return g_factory ? *g_factory : none;
}

void SetListWindowFactory(ListWindowFactory *factory) { g_factory = factory; }

void ShowNewStdGrid(StdGridWindowLink &window, dao::RecordsetPtr rows, const QString &Filter, const QString &Sql,
                    const QString &Caption, int SortValue, int ViewTag)
{
    try {
        window.SetRecordset(std::move(rows));
        window.SetFilterText(Filter);
        window.SetSqlText(Sql);
        window.SetCaption(Caption);
        window.SetSortValue(SortValue);
        window.SetGridTag(QString::number(ViewTag));
        window.GridLangDep(SortValue);
        window.Show();
    } catch (...) {
        window.Close();
        throw;
    }
}

} // namespace tav
