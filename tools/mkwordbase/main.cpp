#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

// Builds the word database from data/: for now the schema only.
int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkwordbase DATA_DIR OUTPUT\n");
        return 2;
    }
    std::remove(argv[2]);
    std::ifstream in(std::string(argv[1]) + "/schema.sql");
    std::stringstream sql;
    sql << in.rdbuf();
    sqlite3 *db = nullptr;
    if (sqlite3_open(argv[2], &db) != SQLITE_OK)
        return 1;
    char *err = nullptr;
    if (sqlite3_exec(db, sql.str().c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "mkwordbase: %s\n", err);
        return 1;
    }
    sqlite3_close(db);
    return 0;
}
