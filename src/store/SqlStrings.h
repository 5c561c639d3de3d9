#pragma once
// The shared SQL texts every word list, count and grammar lookup starts from.
// The texts are fixed to the letter, doubled blanks included; callers append
// their own " WHERE ..." or an ID in decimal.

#include <QString>

namespace tav {

// The third-language names and list queries BuildSqlStrings makes from a
// language name, before they are made the shared ones.
struct ThirdLanguageSql {
    QString Lang3Table, Lang3Lat, Lang3ID, Lang3Means, Lang3Short, Lang3AllTable;
    QString SqlAllLang3, SqlAllEnglish, SqlLang3, SqlLang3Genus;
};
ThirdLanguageSql MakeThirdLanguageSql(const QString &L);

// Runs each third-language query once on WordDb without reading rows, so
// that a language whose tables or columns are missing is found before it is
// stored. Throws dao::DaoError.
void CheckThirdLanguageSql(const ThirdLanguageSql &s);

// Builds the third-language names and the list queries from Opt3rdLang, then
// counts the words (MainCount), the words with a third-language meaning
// (Lang3Count) and sets Lang3Complete. After start-up it also has the main
// window rebuild its category tree. A missing meaning table is an error
// (dao::DaoError) for the caller.
void BuildSqlStrings();

// The query a standard list runs again at a refresh: one made while the
// third language was hidden (SqlMain, SqlMain2, SqlMainGenus) becomes the
// same with the language's column (SqlLang3, SqlLang3Genus) once the language
// is shown; any other query stays as it is. (A list opened with the column
// only hides it while the language is hidden.)
QString ListQueryNow(const QString &sql);

// Builds the declension, imperative and auxiliary lookup prefixes SqlKlinoM ..
// SqlHaveKonT3; the two auxiliary strings end with HaveID. Run once at start.
void BuildLookupPrefixes();

} // namespace tav
