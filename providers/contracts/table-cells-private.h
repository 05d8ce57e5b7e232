// Reading a table's cells as export texts without value objects, and
// appending rows of texts, for the data exporters and importers of
// libbrevane (not installed, not part of the API).
//
// A filled table keeps its cells as data until a caller reaches their rows
// and values; going through the public row API would make and keep a row
// object and a value object per cell (a million rows of eight columns: a
// gigabyte). libfenrow exports nothing but its API, so the table model
// implements this interface, registered under kTableCellsType, and another
// library of the project finds its functions at run time by that name
// (table_cells_of): no symbol crosses the library boundary. Everything
// here is inline or a type name.
#pragma once

#include <glib-object.h>

#include "providers/contracts/value_object.h"

namespace tarvex::models {

inline constexpr char kTableCellsType[] = "TarvexProvidersContractsTableCells";

// One cell as a reader gives it. Texts are what the cell's value object
// prints for an export: numbers as their value's text, a bit as "1" or
// "0", a date-time as "YYYY-MM-DD HH:MM:SS", its fraction without trailing
// zeros and, at an offset, "+hh:mm". A text is whole: `length` bytes, which
// may hold U+0000 (a zero byte) like any other character. Bytes come raw
// (an export writes "0x" and their hexadecimal digits).
struct Cell {
  enum Kind : guint8 {
    ABSENT,     // past the end of a short row
    NULL_CELL,  // NULL
    TEXT,       // `data`, `length`
    BYTES,      // `data`, `length`
    // `value`: a cell that only its value object tells (a text whole, with
    // U+0000, through values::value_text of value-text-private.h)
    VALUE,
  };
  Kind kind = ABSENT;
  bool boolean = false;  // TEXT of a bit
  bool owned = false;    // VALUE: a reference the caller drops
  const char* data = nullptr;
  gsize length = 0;
  TarvexProvidersContractsValueObject* value = nullptr;
};

// Room a reader formats a cell's text in (numbers, date-times, uuids).
struct CellSlot {
  char text[64];
};

struct TableCellsIface {
  GTypeInterface parent;
  guint (*n_rows)(GObject* table);
  // The cells of row `row` (< n_rows) into `cells[0..width)`, with
  // `slots[0..width)` for texts the reader writes. Borrowed texts and
  // values stay valid while the table and the row are not changed. Makes
  // no row or value object that is kept.
  void (*read_row)(GObject* table, guint row, guint width, Cell* cells, CellSlot* slots);
  // Appends a new row (version INSERT, as the table's new_row makes) of
  // `n` texts (`texts[i]` null: NULL; else `lengths[i]` bytes, U+0000
  // included) as string cells, without a row or value object; no
  // items-changed, as for any fill of a table.
  void (*append_texts)(GObject* table, const char* const* texts, const gsize* lengths, guint n);
  // The values of row `row` (< n_rows) into `values[0..width)`, each a new
  // reference (null past the end of a short row): the row's own where it
  // holds one, else made for the call and not kept, so neither the row nor
  // its values stay behind.
  void (*row_values)(GObject* table, guint row, guint width,
                     TarvexProvidersContractsValueObject** values);
  // Rows still kept as cells, no row object made for them yet (for tests).
  guint (*n_cell_rows)(GObject* table);
};

// The reader of `table`, or null for an object that has none.
inline const TableCellsIface* table_cells_of(gpointer table) {
  static GType type = 0;
  if (!type) type = g_type_from_name(kTableCellsType);
  if (!type || !G_IS_OBJECT(table)) return nullptr;
  return static_cast<const TableCellsIface*>(
      g_type_interface_peek(G_OBJECT_GET_CLASS(table), type));
}

}  // namespace tarvex::models
