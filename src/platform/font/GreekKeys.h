#pragma once
// The Greek letters the "VudedoGreek" font shows for a text of Latin keys,
// as real Unicode: for output that keeps text (a PDF's text layer) or shows
// it in another font (a message box), rather than pictures of the letters.

#include <QString>

namespace winsys {

// Each key as the letter the font draws for it ("s" is σ, "V" is ς); an
// accent key "v" joins the vowel before it (ά, Έ), or stays a combining
// acute (U+0301) after any other character. Other characters are kept.
QString GreekKeysToUnicode(const QString &keys);

} // namespace winsys
