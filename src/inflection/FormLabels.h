#pragma once
// Readable labels for a list of inflected forms (FormsAll rows: column 0 the
// table of the form, then the word's ID, the column of the form and the
// form): the tense or word class, person, number, voice, gender and case in
// words, each word's English meaning in a column of its own, and every second
// group of rows of one word shaded. Each works on rows 1 to the last of a
// flex grid (row 0 holds the headings) and leaves its current cell alone.

namespace flexgrid {
class FlexGrid;
}

namespace tav {

// The shade of every second word group.
inline constexpr long GroupShade = 0xC0E0FF;

// Rewrites column 0 and column CodeCol of each row: "KonT1".."KonT4" rows
// get their tense and a person, number and voice ("Present", "1:st pers.,
// singular, active"), "Main" rows the name of a verb stem, "Klino" and
// "KlinoMenos" rows the class of the word (looked up by the ID in column 1)
// and a gender, number and case ("Adjective", "Fem., plural, accusative").
// Other rows stay as they are.
void FillFormLabels(flexgrid::FlexGrid &Grid, int CodeCol);

// Adds a column at the right and fills it with the English meaning of the
// word whose ID stands in column IDCol (empty for an unknown word).
void AddEnglishColumn(flexgrid::FlexGrid &Grid, int IDCol);

// Shades every cell of every second group of consecutive rows that hold the
// same text in column Col, starting with the second group.
void MarkGroupRows(flexgrid::FlexGrid &Grid, int Col);

} // namespace tav
