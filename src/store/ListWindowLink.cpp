#include "store/ListWindowLink.h"

#include "store/InstalledLink.h"

#include <QtGlobal>

namespace tav {

namespace {
// A release build without a factory opens no list window and shows no
// Sorry window.
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
    return InstalledOr<ListWindowFactory>(
        g_factory, none, "ListWindows(): no list window factory was installed (SetListWindowFactory)");
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
