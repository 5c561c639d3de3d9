#include "store/Dynasets.h"

#include "platform/dao/Dao.h"
#include "platform/winsys/notice/Notice.h"
#include "store/CaptionArrays.h"
#include "store/DbTransaction.h"
#include "store/ListWindowLink.h"
#include "store/WindowRoutines.h"

namespace tav {

Dynasets DynasetsObj;

namespace {

// The report of a failed query: the engine's message, OK only.
Outcome QueryError(const std::exception &error)
{
    return {Notice{ErrorDescription(error), winsys::vbOKOnly, winsys::AppTitle}};
}

} // namespace

dao::RecordsetPtr Dynasets::FilterField(dao::Recordset &Rs, const QString &Filter) const
{
    Rs.Filter = Filter;
    return Rs.OpenRecordset();
}

Outcome Dynasets::DoStdGrid(const QString &Sql, bool IsGreek, int SortValue, const QString &Title, int ViewTag,
                            const QString &Filter) const
{
    try {
        dao::RecordsetPtr rows = OpenWordDb().OpenRecordset(Sql);
        dao::RecordsetPtr filtered;
        if (rows->RecordCount() > 0) {
            rows->MoveFirst();
            filtered = FilterField(*rows, Filter);
        }
        // An empty result and a filter that leaves nothing both tell the user.
        if (!filtered || filtered->RecordCount() == 0) {
            ListWindows().ShowSorry(Caps1172(1172), Title, IsGreek);
            return {};
        }
        filtered->MoveLast();
        const QString caption = QString::number(filtered->RecordCount()) + QLatin1Char(' ') + Title;

        // A window that fails half-way is closed again before the report.
        if (StdGridWindowLink *window = ListWindows().NewStdGrid())
            ShowNewStdGrid(*window, std::move(filtered), Filter, Sql, caption, SortValue, ViewTag);
    } catch (const std::exception &error) {
        return QueryError(error);
    }
    return {};
}

dao::RecordsetPtr RowsPassing(const QString &Sql, const QString &Filter)
{
    dao::RecordsetPtr rows = OpenWordDb().OpenRecordset(Sql);
    if (rows->RecordCount() == 0)
        return nullptr;
    if (!Filter.isEmpty()) {
        rows->Filter = Filter;
        rows = rows->OpenRecordset();
        if (rows->RecordCount() == 0)
            return nullptr;
    }
    rows->MoveFirst();
    return rows;
}

Outcome Dynasets::MakeExercise(DataControlLink &DataCtl, const QString &Sql, const QString &Filter) const
{
    try {
        dao::RecordsetPtr rows = OpenWordDb().OpenRecordset(Sql);
        dao::RecordsetPtr filtered = FilterField(*rows, Filter);
        if (filtered->RecordCount() > 0)
            filtered->MoveLast();
        DataCtl.SetRecordset(std::move(filtered));
    } catch (const std::exception &error) {
        return QueryError(error);
    }
    return {};
}

void Dynasets::strTest(FormLabelsLink &Frm, const QString &Text, const QVariant &Alt) const
{
    if (!Text.isEmpty())
        Frm.SetLabel(QStringLiteral("lblGre"), Text + QLatin1Char(' '), QStringLiteral("VudedoGreek"), GreekFontSize + 2);
    else
        Frm.SetLabel(QStringLiteral("lblGre"), Alt.toString(), QStringLiteral("MS Sans Serif"), GreekFontSize + 2);
}

} // namespace tav
