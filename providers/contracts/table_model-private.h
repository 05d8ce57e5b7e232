// Internal fast path of the result models for the providers of this
// library (not installed, not exported).
//
// A provider fills a table of many rows: these calls build rows and tables
// without a libgee list per row and without signals. A row keeps its values
// in a plain array until a caller first asks for its "values" list; from
// then on the list is the only store, so callers that edit the list keep
// seeing their edits everywhere.
#pragma once

#include "common/tarvex-gobject.h"
#include "providers/contracts/column_model.h"
#include "providers/contracts/row_model.h"
#include "providers/contracts/table_model.h"

namespace tarvex::models {

// A new row of version INITIAL with room for `capacity` values.
TarvexProvidersContractsRowModel* row_new(guint capacity);

// Appends a value at the end of the row, taking over the caller's
// reference. No signal.
void row_take_value(TarvexProvidersContractsRowModel* row,
                    TarvexProvidersContractsValueObject* value);

// Number of values and the value at `index` (borrowed; index < size).
guint row_size(TarvexProvidersContractsRowModel* row);
TarvexProvidersContractsValueObject* row_peek(TarvexProvidersContractsRowModel* row, guint index);

// Appends a row to the table's rows, taking over the caller's reference.
// No items-changed (as for any direct fill of the list).
void table_take_row(TarvexProvidersContractsTableModel* table,
                    TarvexProvidersContractsRowModel* row);

// Appends a column, taking over the caller's reference.
void table_take_column(TarvexProvidersContractsTableModel* table,
                       TarvexProvidersContractsColumnModel* column);

}  // namespace tarvex::models
