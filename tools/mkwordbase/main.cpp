// mkwordbase DATA_DIR OUTPUT: builds the word database TavWrd.twl from the
// text sources in DATA_DIR (schema.sql, words/*.tsv, langcaps.tsv).

#include "DatabaseWriter.h"
#include "WordList.h"

#include <QDateTime>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string ReadText(const std::string &path)
{
    std::ifstream in(path);
    if (!in)
        throw wordbase::BuildError("cannot read " + path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The words' time stamp: SOURCE_DATE_EPOCH when set (reproducible builds),
// otherwise now.
std::string MadeDate()
{
    QDateTime when = QDateTime::currentDateTime();
    if (const char *epoch = std::getenv("SOURCE_DATE_EPOCH"))
        when = QDateTime::fromSecsSinceEpoch(std::atoll(epoch));
    return when.toString(Qt::ISODate).left(19).toStdString();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkwordbase DATA_DIR OUTPUT\n");
        return 2;
    }
    const std::string dataDir = argv[1];
    // A failed build leaves no database that could pass for a fresh one.
    std::remove(argv[2]);
    const auto start = std::chrono::steady_clock::now();
    try {
        const std::string schema = ReadText(dataDir + "/schema.sql");
        const auto words = wordbase::LoadWords(dataDir + "/words");
        const auto captions = wordbase::ReadCaptions(dataDir + "/langcaps.tsv");
        wordbase::WriteDatabase(schema, words, captions, MadeDate(), argv[2]);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::printf("mkwordbase: %zu words, %zu captions written to %s in %lld ms\n", words.size(), captions.size(),
                    argv[2], static_cast<long long>(ms.count()));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mkwordbase: error: %s\n", e.what());
        return 1;
    }
    return 0;
}
