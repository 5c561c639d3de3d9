#pragma once
// A cell's text read as a number, alike where the grid sorts its rows and
// where it aligns a cell whose alignment is left to its content.

#include <QString>

namespace flexgrid {

// True when text (blanks around it allowed) is a number; the number
// goes to value.
bool ParseNumber(const QString &text, double *value);

} // namespace flexgrid
