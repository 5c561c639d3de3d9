#pragma once
// The Greek letters the "VudedoGreek" font shows for a text of Latin keys,
// as real Unicode: for output that keeps text (a PDF's text layer) or shows
// it in another font (a message box), rather than pictures of the letters.

#include <QFont>
#include <QString>

namespace winsys {

// Each key as the letter the font draws for it ("s" is σ, "V" is ς); an
// accent key "v" joins the vowel before it (ά, Έ), or stays a combining
// acute (U+0301) after any other character. Other characters are kept.
QString GreekKeysToUnicode(const QString &keys);

// A text shown in `font`, as a tool tip or a title in the application's font
// must show it: in Greek letters when the font is the Greek key font, else
// as it is.
QString TextOutsideFont(const QFont &font, const QString &text);

} // namespace winsys
