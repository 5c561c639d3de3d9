#include "support/RecordingListWindow.h"

namespace tavtest {

void RecordingListWindow::RefreshGrid()
{
    ++m_refreshes;
    m_log << QStringLiteral("RefreshGrid");
}

void RecordingListWindow::GetPos(long long ID, const QString &Value, int FieldPos)
{
    m_log << QStringLiteral("GetPos %1 %2 %3").arg(ID).arg(Value).arg(FieldPos);
}

void RecordingListWindow::SetRecordset(dao::RecordsetPtr rows)
{
    m_log << QStringLiteral("SetRecordset");
    m_rows = std::move(rows);
}

void RecordingListWindow::SetFilterText(const QString &filter)
{
    m_log << QStringLiteral("SetFilterText");
    m_filter = filter;
}

void RecordingListWindow::SetSqlText(const QString &sql)
{
    m_log << QStringLiteral("SetSqlText");
    m_sql = sql;
}

void RecordingListWindow::SetCaption(const QString &caption)
{
    m_log << QStringLiteral("SetCaption");
    m_caption = caption;
}

void RecordingListWindow::SetSortValue(int sortValue)
{
    m_log << QStringLiteral("SetSortValue");
    m_sortValue = sortValue;
}

void RecordingListWindow::SetGridTag(const QString &tag)
{
    m_log << QStringLiteral("SetGridTag");
    m_tag = tag;
}

void RecordingListWindow::GridLangDep(int SortValue)
{
    m_log << QStringLiteral("GridLangDep %1").arg(SortValue);
    if (m_failLayout)
        throw dao::DaoError(3265, QStringLiteral("Item not found in this collection."));
}

void RecordingListWindow::Show()
{
    m_log << QStringLiteral("Show");
    m_shown = true;
}

void RecordingListWindow::Close()
{
    m_log << QStringLiteral("Close");
    m_closed = true;
}

RecordingListWindowFactory::RecordingListWindowFactory()
{
    tav::SetListWindowFactory(this);
}

RecordingListWindowFactory::~RecordingListWindowFactory() { tav::SetListWindowFactory(nullptr); }

tav::StdGridWindowLink *RecordingListWindowFactory::NewStdGrid()
{
    m_windows.push_back(std::make_unique<RecordingListWindow>());
    m_windows.back()->m_failLayout = m_failNextLayout;
    m_failNextLayout = false;
    return m_windows.back().get();
}

void RecordingListWindowFactory::ShowSorry(const QString &Message, const QString &Text, bool GreekFont)
{
    m_sorry.append({Message, Text, GreekFont});
}

} // namespace tavtest
