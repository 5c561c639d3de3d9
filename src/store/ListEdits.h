#pragma once
// The writes of the list windows' cell edits that go beyond one field: a
// word's list of meanings in one language (the text field, its count and the
// meaning index rows, together), and the deletion of a word from every table
// that holds it. Each runs in one transaction: everything changes, or nothing.
// Database errors reach the caller.

#include <QString>
#include <QStringList>

#include <optional>

namespace tav {

enum class MeaningLanguage { English, Third };

// The text of a list cell's editor as a cell may store it: tab stops and
// line breaks (pasted text) become blanks, a CR LF pair one blank; the
// result is trimmed.
QString CellEditText(const QString &Typed);

// True when Text holds a control character that CellEditText leaves (a
// cell stores none).
bool HasControlCharacter(const QString &Text);

// True when Text holds at least one comma and nothing but commas and blanks:
// a list without an item, which no cell stores.
bool OnlyCommasAndBlanks(const QString &Text);

// The most characters a text field of the word store holds (the engine's
// default size of a text field): a headword longer than this is refused.
inline constexpr int MaxHeadwordLength = 50;

// The articles a word of the store may have; "" is a word without one.
const QStringList &WordArticles();

// Why a list cell refuses Article ("" when it may be stored): a character
// that is not a Greek key, or a text that is none of WordArticles(). The
// article is compared without case: callers store it in small letters.
QString ArticleRefusal(const QString &Article);

// True when storing Article (small letters) would take away the gender of
// word ID: the word has one (Genus 0, 1 or 2) and the article gives none.
bool ArticleTakesGenderAway(const QString &Article, long long ID);
// The question asked before such an article is stored (No keeps the gender).
QString ArticleGenderQuestion(const QString &Article);

// Why a list cell refuses Greek as a headword ("" when it may be stored): a
// character that is not a Greek key, no Greek letter at all, or more than
// MaxHeadwordLength characters. Greek is the text as it would be stored
// (TidyGreekText).
QString HeadwordRefusal(const QString &Greek);

// The meanings a user typed: the text is cut at its commas, each item
// trimmed; empty items (outer or doubled commas) are dropped and an item
// typed twice is kept once, in typed order.
QStringList MeaningItems(const QString &Typed);

// Stores the meanings of NewList (a comma list, already normalised) as the
// word's list in Language: sorted and joined with ", " in Main.English with
// Main.Emeans, or in the third-language word table's Lat with its Means (a
// word without a row there gets one); the index table gets a row for each
// meaning that is new and loses the rows of meanings that are gone (the
// lists are compared as sets). Returns the stored (sorted) list. Returns
// nothing, changing nothing, when a meaning is to be added and the word is
// no longer in Main.
std::optional<QString> StoreMeaningList(MeaningLanguage Language, long long ID, const QString &OldList,
                                        const QString &NewList);

// The facts of a word a list cell stores: its article, its Greek spelling
// and its meaning list in English or in the third language.
enum class CellField { Article, Greek, English, Third };
// What is stored now for Field of word ID, as a list cell shows it ("" for
// Null or a word without a third-language row); nothing when the word is no
// longer in Main.
std::optional<QString> StoredCellField(long long ID, CellField Field);

// Removes the word from Main and its rows from every other table that keeps
// word IDs (inflections, inflected forms, wrong answers, the meaning tables of
// every language), in one transaction; the word also leaves the repetition
// list. Returns the number of Main rows removed (0 or 1).
long long DeleteWord(long long ID);

} // namespace tav
