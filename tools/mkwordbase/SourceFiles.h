#pragma once
// Reading the TAB-separated word sources of data/: lines, columns and the
// errors that stop the build with the file and line they come from.

#include <stdexcept>
#include <string>
#include <vector>

namespace wordbase {

struct Location {
    std::string file;
    int line = 0;
    std::string Text() const { return file + ":" + std::to_string(line); }
};

// A fault in the sources; the message names the file and line.
class BuildError : public std::runtime_error {
public:
    BuildError(const Location &where, const std::string &message)
        : std::runtime_error(where.Text() + ": " + message) {}
    explicit BuildError(const std::string &message) : std::runtime_error(message) {}
};

struct SourceRow {
    Location where;
    std::vector<std::string> cols; // trimmed; missing optional columns are ""
};

// The data rows of a TAB-separated file: "#" comment lines and blank lines
// are skipped, CR and surrounding blanks removed. A row with fewer than
// minCols or more than maxCols columns is an error.
std::vector<SourceRow> ReadTsv(const std::string &path, size_t minCols, size_t maxCols);

bool FileExists(const std::string &path);

// Checks a Greek text in the Latin keys: letters of the mapping (capitals
// allowed), the stress mark "v" after a vowel, blanks between words, "V" only
// at a word's end and "s" never there. Throws BuildError naming `what`.
void CheckGreek(const Location &where, const std::string &what, const std::string &text);

// The items of a comma list, each trimmed, empty ones dropped; a list wrapped
// in double quotes loses them.
std::vector<std::string> MeaningItems(const std::string &list);

std::string JoinItems(const std::vector<std::string> &items);

} // namespace wordbase
