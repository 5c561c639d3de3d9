#pragma once
// The Greek letter mapping: Greek is kept and typed as Latin keys in Greek
// alphabet order "abgdezhqiklmnxoprsVtufcyw" ("V" is final sigma), with the
// mark "v" after a stressed vowel. The "VudedoGreek" font shows them as Greek.

#include "store/Notice.h"

#include <QString>

namespace tav {

// Every key a Greek text may hold.
inline const QString ValidGreekKeys = QStringLiteral("abgdezhqiklmnxoprsVtufcyw1234567890.,-!`+~&v()= ");

// Lower-cases s in place and returns true when every character is a valid
// key; "" is refused too. A typed key that is refused is told with
// InvalidKeyNotice.
bool TavGreCheck(QString &s);
Notice InvalidKeyNotice();

// "" when every character of s is a valid key (capitals as their small
// letters); else the message for the whole text refused: it names the first
// character that is not allowed and says that nothing was stored.
QString GreekTextRefusal(const QString &s);

// The sort key stored in Sal: letters in alphabet order, final sigma equal to
// sigma, marks and ( ) = & - skipped. A character outside the mapping is kept
// as it is, so any text gets a key.
QString TavGreSort(const QString &s);

// s trimmed, its first character upper-cased.
QString FirstToUpper(const QString &s);

// True when an article or particle keeps its final n (ton, thn, mhn) before
// s: s begins with a vowel (a e h i o u w), with k, p, t, x, y, or with one of
// the pairs mp, nt, gk (tz and ts begin with t).
bool KeepsFinalN(const QString &s);

// Tidies the marks of a typed form: no leading mark, every run of marks
// reduced to one. s keeps its blanks; the result is trimmed.
QString CollapseVMarks(QString &s);

// A stress mark typed directly before a capital vowel (where the font draws
// a capital's mark, to its left) moved after the vowel, where the keys keep
// every mark: "vEllhna" gives "Evllhna". Other marks stay where they are.
QString MarksAfterCapitals(const QString &s);

// A Greek text as it is stored or searched: marks before capital vowels
// moved after them (MarksAfterCapitals), then CollapseVMarks (a leading
// mark dropped, runs of marks made one, the blanks around trimmed).
QString TidyGreekText(const QString &s);

// True when s holds one of . , - ! ` + ~ & ( ) [ ]
bool HasPunctuation(const QString &s);

// "Alfa" .. "Omega" for the places 1 to 24; "" otherwise.
QString GreekLetterName(int place);

// "a" .. "z" for 1 to 26, then "å", "ä", "ö"; above 29 "a"; below 1 "".
QString LatinLetter(int index);

} // namespace tav
