#pragma once
// Writes an edited fact of one word to every table that holds it: its article
// with the gender code, its Greek spelling with the sort key, a text field of
// Main with its item count, the third-language meanings with their count, and
// the two remarks. Each edit runs in one transaction: every table changes, or
// none does. Values go into the SQL through dao::SqlText, so a quote in a
// value is stored as typed.
//
// ChangeArticle, ChangeGreekSpelling, UpdateMainField and UpdateLangField
// let a database error reach the caller (the list window's commit handler);
// SaveRemarks and SaveRemarks2 return it, for the window to tell. An update that finds no
// row of the word (it was deleted meanwhile) is such an error: it throws,
// and the transaction leaves every table as it was.

#include "store/Notice.h"

#include <QString>

#include <optional>

namespace tav {

class GridLink;

// Throws the error of an edit whose word is no longer in Main: "Nothing was
// stored: the word with ID <ID> is no longer in the word list."
[[noreturn]] void ThrowWordGone(long long ID);

// The gender code of an article: "o" 0; "h", "tis" and any article beginning
// with "th" (thn, thV) 1; "to", "ta" 2; anything else 99.
int ArticleGenus(const QString &Article);
// The gender code a word gets with Article when it has StoredArticle and
// StoredGenus now: ArticleGenus, except that a plural-only noun (a plural
// article, "oi" or "ta", stored and typed) keeps the gender it has, which no
// plural article tells.
int ArticleGenusFor(const QString &Article, const QString &StoredArticle, int StoredGenus);
// The same for word ID as stored now (99 for a word no longer stored).
int StoredArticleGenusFor(const QString &Article, long long ID);

// Writes Article and its gender code to Main and Article to every table whose
// name is Like "All*".
void ChangeArticle(const QString &Article, long long ID);

// Writes the spelling and its sort key to Main and to every table whose name
// is Like "All*", and the spelling (with the sort key where the table keeps
// one) to Klino, KlinoMenos, IMPER, FormsAll (the headword), the conjugation
// tables (Like "KonT#") and every table Like "Greek*". Inflected forms are not
// changed: the reminder to check the conjugation (a verb) or declension (a
// noun or adjective) grid is returned, once, for the window to tell.
std::optional<Notice> ChangeGreekSpelling(const QString &Greek, long long ID);

// The number of items of a comma list: 0 for an empty text, else the commas
// plus one.
int CommaListCount(const QString &List);

// The auxiliary "have" (HaveID) is found at start by its marker in Main:
// English "have", WT "cA" and AP 154; every verb's compound tenses take its
// forms. True when writing Value to Field of word ID would take the marker
// away (ID is HaveID and Value no longer matches the marker).
bool RemovesAuxiliaryMarker(long long ID, const QString &Field, const QString &Value);
// The message of such a refused edit.
QString AuxiliaryMarkerMessage();

// Writes Value to Main.FieldName and its item count to Main.CountField (the
// simple list window passes "English" and "Emeans"). An edit that would take
// the auxiliary's marker away throws EditRefusal and changes nothing.
void UpdateMainField(const QString &Value, long long ID, const QString &FieldName, const QString &CountField);

// Writes a verb's form of one voice (Field "AP" or "PP") to Main: the text
// trimmed; a text of blanks stores Null, so that the voice is no longer
// offered. Refuses (EditRefusal) what would take the auxiliary's marker away;
// a word no longer in Main is an error (ThrowWordGone).
void UpdateVoiceForm(long long ID, const QString &Field, const QString &Text);
// True when storing Text as the verb's form of Field would take away a
// voice the verb has: Text is blank and the stored form is not. Such an
// edit is asked first (VoiceEmptyQuestion; No keeps the voice).
bool EmptiesVoice(long long ID, const QString &Field, const QString &Text);
QString VoiceEmptyQuestion(const QString &Field);

// Writes Text to the field at FieldIndex (its position in Main) of word ID
// when it differs from what is stored; a position outside Main changes
// nothing. A word no longer in Main is an error (ThrowWordGone).
void WriteMainFieldAt(long long ID, int FieldIndex, const QString &Text);

// The same for the third-language word table Lang3Table: Value to Lang3Lat,
// the count to Lang3Means. A word without a row there gets one, so the edit
// is never dropped.
void UpdateLangField(const QString &Value, long long ID);

// Stores Text as the Remarks of the word's row in Lang3Table when it differs,
// creating the row when the word has none; then clears SaveBusy and gives the
// grid back the cell that was current, and the focus. Returns whether the
// remark is stored, or why not, for the window to tell.
Outcome SaveRemarks(GridLink &Grid, long long ID, const QString &Text);

// The same for Main.Remarks2 (the second remark while the third language is
// hidden).
Outcome SaveRemarks2(GridLink &Grid, long long ID, const QString &Text);

// The same for Main.Remarks (the first remark), as the list and exercise
// windows store it, without giving a grid anything back.
Outcome SaveMainRemarks(long long ID, const QString &Text);

// The remark stored now for word ID, as the remarks boxes show it: the
// first (Main.Remarks), or the second (Remarks of its row in Lang3Table, or
// Main.Remarks2 while the third language is hidden). "" for Null or no row.
QString StoredRemark(long long ID, bool Second);

} // namespace tav
