#pragma once
// A flex grid bound to a recordset, as a grid bound to a data control shows
// it: the field names in the heading row, one grid row per record, every
// value as text (Null as "").

#include "platform/recordset/Recordset.h"
#include "platform/flexgrid/FlexGrid.h"

#include <QVariant>

namespace flexgrid {

// The text a bound grid shows for a field value.
QString FieldText(const QVariant &value);

// Fills grid from every record of rs (see FlexGrid::SetBoundData). The
// recordset is left on its first record.
void BindRecordset(FlexGrid &grid, dao::Recordset &rs);

} // namespace flexgrid
