#pragma once
// List windows that show one word, opened as the main window's requests open
// them: a standard list of the word's row and a simple list of its English
// meanings.

#include "grids/GridSimple.h"
#include "grids/GridStd.h"
#include "grids/ListOpeners.h"
#include "store/Dynasets.h"
#include "store/SqlStrings.h"

namespace tavtest {

inline tav::GridStd *OpenStdList(long long id)
{
    auto *list = new tav::GridStd;
    const QString filter = QStringLiteral("ID = ") + QString::number(id);
    tav::ShowNewStdGrid(*list, tav::RowsPassing(tav::SqlLang3, filter), filter, tav::SqlLang3,
                        QStringLiteral("1 Greek word"), 0, 2);
    return list;
}

inline tav::GridSimple *OpenSimpleList(long long id)
{
    auto *list = new tav::GridSimple;
    const QString sql = tav::SqlAllEnglish + QStringLiteral(" WHERE ID = ") + QString::number(id);
    list->Open(tav::RowsPassing(sql, QString()), sql, 1, tav::ListOpeners::SimpleTitle(QStringLiteral("x")), 2);
    return list;
}

} // namespace tavtest
