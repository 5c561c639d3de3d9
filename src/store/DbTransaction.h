#pragma once
// Helpers for the store's writes to the shared connection: the connection
// itself (an error when it is closed) and a transaction that is rolled back
// unless it was committed, so that an edit that spans several tables lands
// whole or not at all.

#include "platform/dao/Dao.h"
#include "store/SharedState.h"

namespace tav {

// The shared connection WordDb; throws dao::DaoError when it is not open.
inline dao::Database &OpenWordDb()
{
    if (WordDb && !WordDb->IsOpen() && !WordDb->WhyClosed().isEmpty())
        throw dao::WriteRefused(dao::DaoError::ObjectClosed, WordDb->WhyClosed());
    if (!WordDb || !WordDb->IsOpen())
        throw dao::DaoError(dao::DaoError::ObjectClosed, QStringLiteral("The word database is not open."));
    return *WordDb;
}

class DbTransaction {
public:
    explicit DbTransaction(dao::Database &db) : m_db(db) { m_db.BeginTrans(); }
    ~DbTransaction()
    {
        if (!m_done) {
            try {
                m_db.Rollback();
            } catch (...) {
                // The error that caused the rollback is the one to report.
            }
        }
    }
    DbTransaction(const DbTransaction &) = delete;
    DbTransaction &operator=(const DbTransaction &) = delete;

    void Commit()
    {
        m_db.CommitTrans();
        m_done = true;
    }

private:
    dao::Database &m_db;
    bool m_done = false;
};

} // namespace tav
