#pragma once
// The category tree of the main window as data: its nodes with keys, tags and
// captions, the word counts behind the captions, the recount under an initial
// letter, and the letter lists. The main window's tree shows what these
// routines return; they open no window.
//
// Counts run on WordDb. The Greek nodes are always counted over SqlLang3 and
// SqlLang3Genus (the words joined with the third-language table), whether or
// not the third language is hidden.

#include <QString>
#include <QStringList>
#include <QVector>

#include <future>

namespace tav {

struct CategoryNode {
    QString parent;   // key of the parent node; "" for the root
    QString key;
    QString tag;      // category code (CategoryCodes.h); "" for "Root" and "Info"
    QString caption;  // the count, a blank and the name; the two without count have none
    bool image = true;     // starts with image 1 (the closed folder)
    bool expanded = false; // expanded right after it is added
    long long count = 0;   // the words the caption counts; 0 for the two without count
};

// A recounted node: its caption and the count it shows.
struct CountedCaption {
    long long count = 0;
    QString text;
    bool operator==(const CountedCaption &) const = default;
};

// What a count that failed left behind: the first failure of a build or a
// recount, so that it is reported once.
struct CountFailure {
    bool failed = false;
    long number = 0;
    QString description;
};

// Every key of the tree, in the order the nodes are added (the third-language
// node, keyed by the language's name, not among them).
const QStringList &CategoryTreeKeys();

// True for the keys of the Greek side: "All Greek" down to "Adjectives".
bool IsGreekNodeKey(const QString &key);

// True for "Nouns" and the gender nodes under it ("NTyp0" to "NTyp2").
bool IsNounKey(const QString &key);

// The initial-letter term of the Greek filters, " Greek  Like'x*'": the letter
// goes in as a quoted value, so a quote in a letter text cannot break the
// filter.
QString GreekLike(const QString &Letter);

// The word-type code of a verb-class node as a Like pattern: "cA" for
// "HTyp0", "cp#" for "HTyp2", "c1" "cv" "c2" "c3" for "ATyp0" to "ATyp3",
// "cp1" to "cp5" for "PTyp0" to "PTyp4"; "" for any other key.
QString NodeWordTypeCode(const QString &key);

// Node 2 to 20 of the tree, keyed Key: parent, key, tag and the name as its
// caption (without count); an empty node for other keys.
CategoryNode GreekNodeTemplate(const QString &key);

// The nodes of MDI.JulGran in their order, each with its count: 22 nodes
// while the third language is hidden, 23 with the third-language node. A
// count that fails shows 0 and is recorded in failure (the first one only).
// Counts begun ahead at start (CountsAhead.h) are used when they still hold.
QVector<CategoryNode> BuildCategoryNodes(CountFailure &failure);

// The texts the tree's counts are made from.
struct CategoryCountTexts {
    QString sqlLang3, sqlLang3Genus, lang3AllTable;
    bool hide3 = false;
    bool operator==(const CategoryCountTexts &) const = default;
};

// The tree's counts under way, each on a connection of its own (CountBeside):
// the Greek nodes' counts in one grouped pass over the word types and
// genders, and the distinct meaning words of English and of the third
// language (none while it is hidden).
struct CategoryCountsUnderWay {
    CategoryCountTexts texts;
    QStringList grouped; // the keys of groupedCounts, in its order
    std::future<QVector<long long>> groupedCounts;
    std::future<long long> english, third;
};
CategoryCountsUnderWay BeginCategoryCounts(const CategoryCountTexts &texts);

// The nodes of BuildCategoryNodes from counts under way.
QVector<CategoryNode> FinishCategoryNodes(CategoryCountsUnderWay &counts, CountFailure &failure);

// The count filter of a Greek node as the tree's build writes it (the
// recordset filter over SqlLang3 or SqlLang3Genus); "" for other keys.
QString BuildCountFilter(const QString &key);

// The count filter of a Greek node for MDI.JulText: Letter is the chosen
// initial letter ("" for none), written into each condition term.
QString RecountFilter(const QString &key, const QString &Letter);

// The SQL a Greek node is counted over: SqlLang3Genus for the noun nodes,
// else SqlLang3.
QString CountSql(const QString &key);

// The one field the build filter of a Greek node reads (BuildCountFilter):
// "Genus" for the noun nodes, else "WT".
QString CountColumn(const QString &key);

// The letter suffix of a recounted caption: " on " and the letter's name in
// double quotes; "" when Place is 0 (no letter). Greek names while
// GreekLetters is true, else the Latin letter of that place.
QString LetterSuffix(int Place, bool GreekLetters);

// The caption MDI.JulText gives a node: the count of the node under Letter,
// a blank, the tag's short text and Suffix. The English node and the
// third-language node (key Opt3rdLang) count distinct meaning words.
CountedCaption RecountCaption(const QString &key, const QString &tag, const QString &Letter, const QString &Suffix,
                       CountFailure &failure);

// The captions MDI.JulText gives the Greek nodes keys (with their tags)
// under Letter: the captions of RecountCaption, counted together in one pass
// over each SQL text the nodes share. Under a letter only the words of that
// initial letter are read, as every node's filter asks for it. A pass that
// fails shows 0 for each of its nodes and is recorded in failure.
QVector<CountedCaption> RecountGreekCaptions(const QStringList &keys, const QStringList &tags, const QString &Letter,
                                             const QString &Suffix, CountFailure &failure);

// The letter lists of cboTree: "-" and the 24 Greek letters (the texts of
// Caps1292), or "-" and the 29 Latin letters.
QStringList GreekLetterList();
QStringList LatinLetterList();


} // namespace tav
