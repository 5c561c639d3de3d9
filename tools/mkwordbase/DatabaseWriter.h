#pragma once
// Writes the word database with the SQLite C API in one transaction.

#include "WordList.h"

#include <string>
#include <vector>

namespace wordbase {

struct Caption {
    long index = 0;
    std::string english;
};

// Reads data/langcaps.tsv (Index TAB English); an absent file gives none.
std::vector<Caption> ReadCaptions(const std::string &path);

// Creates `output` from the schema text and fills every table. `madeDate`
// is the ISO-8601 time stamp given to every word. An existing file at
// `output` is replaced; on failure no file is left behind.
void WriteDatabase(const std::string &schemaSql, const std::vector<Word> &words,
                   const std::vector<Caption> &captions, const std::string &madeDate, const std::string &output);

} // namespace wordbase
