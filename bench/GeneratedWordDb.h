#pragma once
// A large word database for benchmarks and tests, made from the database the
// build ships: the same schema, settings, interface texts and languages, with
// its words copied over and over under new headwords until the wanted number
// is reached.
//
// Copy k of a word gets a prefix of Greek syllables (by k) on its headword
// and every stored form, a sort key made from the new headword, its English
// and Swedish meanings with a prefix of their own, and a new ID. So every word
// type, gender and verb class keeps its share, each word has its meaning rows,
// conjugation or declension rows and about 19 FormsAll rows as the shipped
// words do, and the headwords and meanings stay distinct and spread over
// every initial letter. Rows that belong to no word (the article's
// declension row) are kept as they are. The result is the same for the same
// model and size.

#include <QString>

namespace tavbench {

// Writes the generated database of `words` headwords to path (which must not
// exist), made from the word database at model. Throws std::runtime_error
// when a file cannot be written or read.
void WriteGeneratedWordDb(const QString &model, const QString &path, int words);

// The word database this build made from data/ (the usual model).
QString ShippedWordDbPath();

// A generated database of `words` headwords made from the shipped one, in a
// temporary folder that lives as long as the process; made on first use of
// each size. Callers copy it before they change it. With TAV_BENCH_DB_DIR
// set, the databases are kept in that folder and made only when missing
// there (so that a run under valgrind need not make one).
QString GeneratedWordDbPath(int words = 50000);

} // namespace tavbench
