#pragma once
// The words of data/words/ with every derived form, ready to be written.

#include "SourceFiles.h"

#include <map>
#include <string>
#include <vector>

namespace wordbase {

enum class Kind { Verb, Noun, Adjective, Other };

// The form columns of each inflection table, in table order.
const std::vector<std::string> &FormColumns(const std::string &table);
// "KonT1" .. "KonT4", "Klino", "KlinoMenos", "IMPER".
const std::vector<std::string> &InflectionTables();

struct Word {
    Location where;
    bool fromStarterList = false; // read from <kind>.tsv, not <kind>-<part>.tsv
    bool added = false;           // read from <kind>-added.tsv: its ID follows every other word's
    Kind kind = Kind::Other;
    std::string wt;
    std::string art;        // "" when none
    std::string greek;
    std::vector<std::string> english;
    std::vector<std::string> swedish;
    std::string remarks;
    int genus = 99;
    std::string ap, pp;     // "" stands for NULL
    std::string ps, aas, pas;
    // table -> column -> form; only non-empty forms are kept.
    std::map<std::string, std::map<std::string, std::string>> forms;

    bool HasRow(const std::string &table) const;
};

// Reads the word sources of wordsDir: for each kind (verbs, nouns,
// adjectives, others, forms-override) the file <kind>.tsv and every
// <kind>-<part>.tsv. A word given in a <kind>-<part>.tsv replaces the same
// word (headword, type and article) of the starter list <kind>.tsv; any other
// repetition is a fault. Derives every form and returns the words in ID
// order (ID = position + 1). Throws BuildError on the first fault.
std::vector<Word> LoadWords(const std::string &wordsDir);

} // namespace wordbase
