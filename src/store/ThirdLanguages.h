#pragma once
// The third languages of the word store: the names in table Languages and,
// per language L, the word table "Greek" & L (one row per word, with the
// meanings and a remark) and the meaning index "All" & L & "Greek" (one row
// per meaning word). The settings dialog lists, adds and deletes them through
// these routines; they open no window and report nothing themselves.
//
// Adding and deleting each run in one transaction on WordDb: a language is
// either there whole (its row and both tables) or not at all.

#include <QString>
#include <QStringList>

namespace tav {

// The texts the add frame starts with.
inline const QString AddLangPrompt = QStringLiteral("that uses a latin alphabet");
inline const QString WelcomePrompt = QStringLiteral("welcome");

// The built-in language, which is never deleted.
inline const QString BuiltInLanguage = QStringLiteral("Swedish");

// The Greek phrases that get the new language's welcome word as meaning.
inline const QString WelcomePhrase1 = QStringLiteral("kalwvV orivsate");
inline const QString WelcomePhrase2 = QStringLiteral("kalwvV touV");

// The names of the two tables of language L.
QString LanguageWordTable(const QString &L);  // "Greek" & L
QString LanguageIndexTable(const QString &L); // "All" & L & "Greek"

// Every Name of Languages, sorted by character codes (capitals before small
// letters), as the language lists show them.
QStringList LanguageNames();

// True when Languages has a row whose Name equals L without regard to case.
bool LanguageExists(const QString &L);

// The longest name a new language may have, in letters.
constexpr int MaxLanguageNameLetters = 30;

// Why the name L cannot be used for a new language, or "" when it can: L
// must be 1 to MaxLanguageNameLetters letters of the Latin alphabet (accented
// ones and combining marks included: no other script, blank, digit, quote or
// punctuation), not "English", not a key of the category tree and not one of
// the add frame's prompt texts (all compared without regard to case). The
// message quotes a long name cut short.
QString LanguageNameRefusal(const QString &L);

// The message for a language that is already there.
QString ExistingLanguageMessage(const QString &L);

// Why L cannot be added as a language, or "" when it can: L must pass
// LanguageNameRefusal and not be a language that is already there (any case). L is taken as given
// (the caller trims it and makes its first letter upper-case).
QString NewLanguageRefusal(const QString &L);

// Creates the two tables of L, adds its Languages row, fills the word table
// with one row per word of Main (ID and Greek) and adds the welcome rows: for
// each of the two welcome phrases found in Main, a row of the meaning index
// with the phrase's Sal, ID and Greek and Welcome as meaning (none when
// Welcome is empty). All in one transaction; throws dao::DaoError (and
// changes nothing) when any step fails or L is refused by NewLanguageRefusal.
void AddThirdLanguage(const QString &L, const QString &Welcome);

// Why L cannot be deleted, or "" when it can: the built-in language, the
// language in use (Opt3rdLang, any case) and "English" are never deleted.
QString DeleteLanguageRefusal(const QString &L);

// Deletes the Languages row of L and drops its two tables (names compared
// exactly) in one transaction; throws dao::DaoError (and changes nothing) when
// a step fails or DeleteLanguageRefusal refuses L.
void DeleteThirdLanguage(const QString &L);

// The rows of the meaning index of L ("All" & L & "Greek"); 0 when the table
// is missing or empty.
long long LanguageIndexRows(const QString &L);

} // namespace tav
