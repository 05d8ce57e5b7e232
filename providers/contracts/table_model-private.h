// Internal fast path of the result models for the providers of this
// library (not installed, not exported).
//
// A provider fills a table of many rows: these calls build rows and tables
// without a libgee list per row and without signals. A row keeps its values
// in a plain array until a caller first asks for its "values" list; from
// then on the list is the only store, so callers that edit the list keep
// seeing their edits everywhere.
//
// A provider may also build rows of decoded data (RowBuilder): the row
// makes the value object of a cell when a caller first reaches it and keeps
// it from then on, so the same object comes back on every access.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "providers/contracts/cell-arena-private.h"
#include "providers/contracts/column_model.h"
#include "providers/contracts/row_model.h"
#include "providers/contracts/table-cells-private.h"
#include "providers/contracts/table_model.h"

namespace tarvex::models {

// A decoded cell: what a value object of its kind is made of. Twelve
// bytes: a large result holds millions.
#pragma pack(push, 4)
struct Datum {
  enum Kind : guint8 {
    OBJECT,      // a value object the row holds (the row's own mark)
    NULL_VALUE,  // ValueNull
    BOOLEAN,     // i
    CHAR,        // u
    INT8,        // i
    INT16,       // i
    INT32,       // i
    INT64,       // i
    UINT8,       // u
    UINT16,      // u
    UINT32,      // u
    UINT64,      // u
    // i / 10^extra, printed with `extra` decimals.
    MONEY,    // i
    DECIMAL,  // i
    FLOAT,    // f
    DOUBLE,   // d
    // `when` as UTC, or at the offset of `extra` minutes (printed with
    // it): fields that GLib takes (see datum_datetime_fits).
    DATETIME_UTC,
    DATETIME_OFFSET,
    // Texts and bytes: added with their data (a text whole, U+0000
    // included, as its value keeps it). `u` is where the row keeps them,
    // after their length (4 bytes, see data_length).
    STRING,
    UTF16,
    XML,
    UUID,
    BINARY,  // no bytes for length 0
    BLOB,
    DECIMAL_TEXT,  // a decimal's exact text (too many digits for `i`)
    UUID_BYTES,    // a uniqueidentifier's 16 bytes as stored
  };
  struct When {
    guint64 year : 14, month : 4, day : 5, hour : 5, minute : 6, second : 6, microsecond : 20;
  };
  union {
    gint64 i;
    guint64 u;
    gdouble d;
    gfloat f;
    When when;
  };
  // MONEY, DECIMAL: the scale; DATETIME_OFFSET: the offset in minutes.
  gint16 extra = 0;
  Kind kind = NULL_VALUE;
  Datum() : i(0) {}
};
#pragma pack(pop)
static_assert(sizeof(Datum) == 12);
static_assert(alignof(Datum) <= kArenaAlign);

// The length of the bytes of a text or bytes cell whose data starts at
// `bytes` (they follow their length).
inline guint32 data_length(const char* bytes) {
  guint32 length;
  std::memcpy(&length, bytes - sizeof length, sizeof length);
  return length;
}

// Whether these fields make a date-time GLib accepts (at an offset within
// a day when `with_offset`), so a datum made of them always becomes a value
// holding them.
bool datum_datetime_fits(gint year, gint month, gint day, gint hour, gint minute, gint second,
                         bool with_offset);

// A new row of version INITIAL with room for `capacity` values.
TarvexProvidersContractsRowModel* row_new(guint capacity);

// Appends a value at the end of the row, taking over the caller's
// reference. No signal.
void row_take_value(TarvexProvidersContractsRowModel* row,
                    TarvexProvidersContractsValueObject* value);

// The cells of one row as a provider reads them, made into a row at once.
class RowBuilder {
 public:
  RowBuilder() = default;
  RowBuilder(const RowBuilder&) = delete;
  RowBuilder& operator=(const RowBuilder&) = delete;
  ~RowBuilder();

  // A decoded cell (not a text or bytes kind).
  void add(const Datum& datum);
  // A text or bytes cell of `kind`, copying `length` bytes of `data`.
  void add_data(Datum::Kind kind, const void* data, gsize length);
  // A value, taking over the caller's reference.
  void take(TarvexProvidersContractsValueObject* value);

  // A new row of version INITIAL holding the cells added since the last
  // one, in memory from `arena`. No signal.
  TarvexProvidersContractsRowModel* make(CellArena& arena);

  // Without making a row: the cells added since the last row (all decoded,
  // none taken as a value) into a block from `arena`, each in as few bytes
  // as its kind needs, for row_from_block and the block readers. The block
  // (in `*block`) holds a reference to its chunk until block_free. False,
  // keeping the cells, where they need a row of their own (make).
  bool place(CellArena& arena, const char** block);

 private:
  // Room for the next cell of at most `bytes` bytes; the caller advances
  // `used_` by what it wrote.
  char* room(gsize bytes) {
    if (G_UNLIKELY(used_ + bytes > encoded_.size()))
      encoded_.resize(std::max<gsize>(encoded_.size() * 2, used_ + bytes + 256));
    return encoded_.data() + used_;
  }

  // The cells added since the last row, each already laid out as a block
  // of place holds it (a taken value as the bare kind OBJECT), and their
  // count: placing a row is then one copy. The vector's size is the room;
  // its first `used_` bytes hold the cells.
  std::vector<char> encoded_;
  gsize used_ = 0;
  guint32 count_ = 0;
  // Empty, or one per cell: the values taken.
  std::vector<TarvexProvidersContractsValueObject*> objects_;
};

// Drops the reference a block of RowBuilder::place holds to its chunk.
void block_free(const char* block);

// A new row of version INITIAL holding the cells of a block
// RowBuilder::place filled; the block is freed.
TarvexProvidersContractsRowModel* row_from_block(const char* block);

// Number of values and the value at `index` (borrowed; index < size; made
// and kept by the row if it was still a datum).
guint row_size(TarvexProvidersContractsRowModel* row);
TarvexProvidersContractsValueObject* row_peek(TarvexProvidersContractsRowModel* row, guint index);

// The export cells (see table-cells-private.h) of a row object, or of the
// cells of a row RowBuilder::place put in a block, into `out[0..width)`.
// No value object is kept.
void row_read_cells(TarvexProvidersContractsRowModel* row, guint width, Cell* out, CellSlot* slots);
void block_read_cells(const char* block, guint width, Cell* out, CellSlot* slots);
// Their values as new references, made for the call where the row keeps
// none (see TableCellsIface::row_values).
void row_values(TarvexProvidersContractsRowModel* row, guint width,
                TarvexProvidersContractsValueObject** out);
void block_values(const char* block, guint width, TarvexProvidersContractsValueObject** out);

// Appends a row to the table's rows, taking over the caller's reference.
// No items-changed (as for any direct fill of the list).
void table_take_row(TarvexProvidersContractsTableModel* table,
                    TarvexProvidersContractsRowModel* row);

// Appends the row of the cells added to `row` since its last row, as
// table_take_row does. The table makes the row object when a caller first
// reaches it (a provider fills millions of rows; a host looks at few).
void table_add_row(TarvexProvidersContractsTableModel* table, RowBuilder& row, CellArena& arena);

// Appends a column, taking over the caller's reference.
void table_take_column(TarvexProvidersContractsTableModel* table,
                       TarvexProvidersContractsColumnModel* column);

}  // namespace tarvex::models
