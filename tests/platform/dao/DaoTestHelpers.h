#pragma once
// What the database layer's tests share: readable QString values in failure
// messages and the number of the DaoError a call raises.

#include "platform/dao/Dao.h"

#include <QString>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace daotest {

// The number of the dao::DaoError f throws; 0 when it throws none.
template <typename F>
int errorNumber(F &&f)
{
    try {
        f();
    } catch (const dao::DaoError &e) {
        return e.Number();
    }
    return 0;
}

} // namespace daotest
