#include "SourceFiles.h"

#include "Syllables.h"

#include <fstream>
#include <sys/stat.h>

namespace wordbase {

namespace {

std::string Trim(const std::string &s)
{
    const char *blanks = " \t\r\n";
    const size_t b = s.find_first_not_of(blanks);
    if (b == std::string::npos)
        return std::string();
    const size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

std::vector<std::string> SplitTabs(const std::string &line)
{
    std::vector<std::string> cols;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        cols.push_back(Trim(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start)));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    while (!cols.empty() && cols.back().empty())
        cols.pop_back();
    return cols;
}

bool IsKeyLetter(char c)
{
    static const std::string letters = "abgdezhqiklmnxoprsVtufcyw";
    static const std::string capitals = "ABGDEZHQIKLMNXOPRSTUFCYW";
    return letters.find(c) != std::string::npos || capitals.find(c) != std::string::npos;
}

} // namespace

bool FileExists(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::vector<SourceRow> ReadTsv(const std::string &path, size_t minCols, size_t maxCols)
{
    std::ifstream in(path);
    if (!in)
        throw BuildError("cannot read " + path);
    std::vector<SourceRow> rows;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        SourceRow row{{path, number}, SplitTabs(line)};
        if (row.cols.size() < minCols || row.cols.size() > maxCols)
            throw BuildError(row.where, "expected " + std::to_string(minCols) +
                                            (minCols == maxCols ? "" : " to " + std::to_string(maxCols)) +
                                            " TAB-separated columns, found " + std::to_string(row.cols.size()));
        row.cols.resize(maxCols);
        rows.push_back(std::move(row));
    }
    return rows;
}

void CheckGreek(const Location &where, const std::string &what, const std::string &text)
{
    if (text.empty())
        throw BuildError(where, what + " is empty");
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool wordEnd = i + 1 == text.size() || text[i + 1] == ' ';
        if (c == ' ') {
            if (i == 0 || wordEnd)
                throw BuildError(where, what + " \"" + text + "\" has a stray blank");
            continue;
        }
        if (c == 'v') {
            if (i == 0 || !tav::inflect::IsVowel(text[i - 1]))
                throw BuildError(where, what + " \"" + text + "\": the stress mark v follows a vowel");
            continue;
        }
        if (!IsKeyLetter(c))
            throw BuildError(where, what + " \"" + text + "\": '" + std::string(1, c) +
                                        "' is not a key of the Greek letter mapping");
        if (c == 'V' && !wordEnd)
            throw BuildError(where, what + " \"" + text + "\": final sigma V stands only at a word's end");
        if (c == 's' && wordEnd)
            throw BuildError(where, what + " \"" + text + "\": a word ends in V (final sigma), not s");
    }
}

std::vector<std::string> MeaningItems(const std::string &list)
{
    std::string text = list;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    std::vector<std::string> items;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string item = Trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!item.empty())
            items.push_back(item);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return items;
}

std::string JoinItems(const std::vector<std::string> &items)
{
    std::string out;
    for (const auto &item : items) {
        if (!out.empty())
            out += ", ";
        out += item;
    }
    return out;
}

} // namespace wordbase
