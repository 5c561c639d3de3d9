#include "BareSql.h"

#include "platform/dao/Dao.h"
#include "platform/dao/JetSql.h"
#include "store/SharedState.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace tavbench {

BareConnection::BareConnection(const QString &file)
{
    if (sqlite3_open_v2(file.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        std::abort();
    dao::RegisterJetFunctions(m_db);
}

BareConnection::~BareConnection() { sqlite3_close(m_db); }

long long BareConnection::Run(const std::vector<std::string> &statements) const
{
    long long rows = 0;
    for (const std::string &sql : statements) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", sql.c_str(), sqlite3_errmsg(m_db));
            std::abort();
        }
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(st, c));
            ++rows;
        }
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            std::abort();
    }
    return rows;
}

SqlTrace::SqlTrace(sqlite3 *db) : m_db(db)
{
    if (sqlite3_trace_v2(m_db, SQLITE_TRACE_PROFILE, &SqlTrace::onStatementEnd, this) != SQLITE_OK)
        std::abort();
}

SqlTrace::~SqlTrace() { sqlite3_trace_v2(m_db, 0, nullptr, nullptr); }

int SqlTrace::onStatementEnd(unsigned type, void *self, void *statement, void *)
{
    auto *st = static_cast<sqlite3_stmt *>(statement);
    if (type != SQLITE_TRACE_PROFILE || !sqlite3_stmt_readonly(st))
        return 0;
    if (char *sql = sqlite3_expanded_sql(st)) {
        static_cast<SqlTrace *>(self)->m_statements.emplace_back(sql);
        sqlite3_free(sql);
    }
    return 0;
}

std::string Native(const QString &jet) { return dao::TranslateJet(jet).toStdString(); }

std::vector<std::string> GrammarPanelStatements(long long id, bool verb)
{
    const std::string ID = std::to_string(id);
    const std::string main = "SELECT * FROM Main WHERE ID = " + ID;
    const std::string remarks = "SELECT * FROM " + dao::SqlName(tav::Lang3Table).toStdString() + " WHERE ID = " + ID;
    if (!verb) {
        return {main, "SELECT sMNom,sMAck,sMGen,pMNom,pMAck,pMGen FROM Klino WHERE ID = 99999",
                "SELECT sMNom,sMAck,sMGen,pMNom,pMAck,pMGen FROM Klino WHERE ID = " + ID, remarks};
    }
    const std::string persons = "SELECT S1a,S2a,S3a,P1a,P2a,P3a FROM ";
    return {main,
            persons + "KonT1 WHERE ID = " + ID,
            persons + "KonT2 WHERE ID = " + ID,
            persons + "KonT3 WHERE ID = " + ID,
            persons + "KonT4 WHERE ID = " + ID,
            persons + "KonT3 WHERE ID = " + std::to_string(tav::HaveID),
            remarks};
}

} // namespace tavbench
