#pragma once
// The inflected-form view's labels: column 0 names each row's form (from the
// table name there and the form code in column 2), an English column is added
// from the word ID in column 1, and the groups of rows of one word are
// banded. The labels of grammatical forms belong to the inflection work;
// this is the one place the list window asks for them.

#include "platform/flexgrid/FlexGrid.h"

namespace tav {

void ApplyFormLabels(flexgrid::FlexGrid &Grid);

} // namespace tav
