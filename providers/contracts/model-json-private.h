// The JSON form of values and result models (internal).
//
// Values, rows, tables and data sets implement JsonSerializable, so
// json_gobject_serialize/json_gobject_to_data give their content, which the
// diff engine compares as text:
//   value     {"data-type": "<kind nick>", "text": "<text>" | null}
//   row       {"values": [value, ...]}
//   table     {"columns": [{"name", "data-type", "data-size"}, ...],
//              "rows": [row, ...]}
//   data set  {"tables": [table, ...]}
// A NULL cell's text is JSON null, never the empty text; binary data shows
// as hexadecimal digits. The same model always gives the same text; a row's
// change state and a column's display title are not part of it.
#pragma once

#include <json-glib/json-glib.h>

#include "providers/contracts/value_object.h"

namespace tarvex::models {

void value_serializable_init(JsonSerializableIface* iface);
void row_serializable_init(JsonSerializableIface* iface);
void table_serializable_init(JsonSerializableIface* iface);
void data_set_serializable_init(JsonSerializableIface* iface);

// The form of one value (a JSON null for no value).
JsonNode* value_to_json(TarvexProvidersContractsValueObject* value);

}  // namespace tarvex::models
