#include "providers/contracts/row_model.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "common/tarvex-dispatch-private.h"
#include "providers/contracts/data-types-private.h"
#include "providers/contracts/gee-list-private.h"
#include "providers/contracts/model-json-private.h"
#include "providers/contracts/table-cells-private.h"
#include "providers/contracts/table_model-private.h"
#include "providers/contracts/value-exact-private.h"
#include "providers/contracts/value-scalar-private.h"
#include "providers/contracts/value-string-private.h"
#include "providers/contracts/value_binary.h"
#include "providers/contracts/value_date_time.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_null.h"
#include "providers/contracts/value_numeric.h"
#include "providers/contracts/value_string.h"

using namespace tarvex;

using Value = TarvexProvidersContractsValueObject;
using models::Datum;

// Cells are copied as bytes.
static_assert(std::is_trivially_copyable_v<Datum>);

namespace {

// A row RowBuilder::place writes into a chunk: the number of cells (4
// bytes), then each cell as its kind (1 byte) and only the bytes that kind
// holds; a text or bytes cell as its length (4 bytes), its bytes and a zero
// byte, the layout data_length reads. A million rows of small numbers thus
// take a third less memory than as Datums, and memory a large result
// touches first is what costs most in its reading.
// Bytes a cell of each kind (not a text or bytes kind) holds after its kind.
constexpr auto kPayloadBytes = [] {
  std::array<guint8, Datum::STRING> bytes{};
  for (guint8 k = 0; k < Datum::STRING; k++) {
    switch (Datum::Kind(k)) {
      case Datum::OBJECT:  // never in a block
      case Datum::NULL_VALUE:
        bytes[k] = 0;
        break;
      case Datum::MONEY:  // i and the scale
      case Datum::DECIMAL:
      case Datum::DATETIME_OFFSET:  // when and the offset
        bytes[k] = sizeof(guint64) + sizeof(gint16);
        break;
      case Datum::DATETIME_UTC:
        bytes[k] = sizeof(guint64);
        break;
      default:
        bytes[k] = models::number_bytes(Datum::Kind(k));
    }
  }
  return bytes;
}();

inline guint32 block_count(const char* block) {
  guint32 word;
  std::memcpy(&word, block, sizeof word);
  return word & 0x7fffffffu;
}

// Writes `datum` at `out`; returns the end.
char* encode_cell(const Datum& datum, const char* data, char* out) {
  *out++ = char(datum.kind);
  if (datum.kind >= Datum::STRING) {
    const char* text = data + datum.u;
    gsize bytes = sizeof(guint32) + models::data_length(text) + 1;
    std::memcpy(out, text - sizeof(guint32), bytes);
    return out + bytes;
  }
  gsize bytes = kPayloadBytes[datum.kind];
  if (bytes == 0) return out;
  if (models::is_number(datum.kind)) {
    models::put_number(datum, out);
    return out + bytes;
  }
  std::memcpy(out, &datum.u, sizeof datum.u);
  if (bytes > sizeof datum.u) std::memcpy(out + sizeof datum.u, &datum.extra, sizeof datum.extra);
  return out + bytes;
}

// Reads the cell at `at` into `datum` (a text's `u` counts from `block`);
// returns the next cell.
const char* decode_cell(const char* at, const char* block, Datum& datum) {
  auto kind = Datum::Kind(guint8(*at++));
  if (kind >= Datum::STRING) {
    datum = Datum();
    datum.kind = kind;
    datum.u = guint64(at + sizeof(guint32) - block);
    return at + sizeof(guint32) + models::data_length(at + sizeof(guint32)) + 1;
  }
  gsize bytes = kPayloadBytes[kind];
  if (models::is_number(kind)) {
    datum = models::number_datum(kind, at, bytes);
    return at + bytes;
  }
  datum = Datum();
  datum.kind = kind;
  if (bytes == 0) return at;
  std::memcpy(&datum.u, at, sizeof datum.u);
  if (bytes > sizeof datum.u) std::memcpy(&datum.extra, at + sizeof datum.u, sizeof datum.extra);
  return at + bytes;
}

// The storage of a row, in 32 bytes so that a row object takes 64 (a
// million rows are a million objects). Until a caller asks for the
// "values" list, the values live in `cells`: a provider fills many rows,
// and a libgee list costs far more to make than the row itself, as does a
// value object per cell. A cell is a datum until a caller first reaches
// it; its value object is then made and kept in `objects`, so every access
// gives the same object. Once made, the list is the only store.
//
// The cells, and after room for them the texts and bytes of data cells
// (each followed by a zero byte), are one block: a piece of a chunk of a
// CellArena (`chunk` holds a reference to it; the block never moves), or a
// block of the row's own, headed by an OwnBlock, that grows when values are
// appended.
class RowStore {
 public:
  RowStore() = default;
  RowStore(const RowStore&) = delete;
  RowStore& operator=(const RowStore&) = delete;
  ~RowStore() {
    release();
    if (listed_ && list_) g_object_unref(list_);
  }

  TarvexProvidersContractsDataVersion version() const {
    return TarvexProvidersContractsDataVersion(version_);
  }
  void set_version(TarvexProvidersContractsDataVersion v) { version_ = guint8(v); }

  GeeArrayList* list() const { return listed_ ? list_ : nullptr; }
  // Takes over `list`; the cells must have been released.
  void set_list(GeeArrayList* list) {
    listed_ = true;
    list_ = list;
  }

  guint size() const { return size_; }
  bool empty() const { return size_ == 0; }
  guint capacity() {
    unpack();
    return chunk_ || !cells_ ? size_ : own()->capacity;
  }
  Datum& operator[](guint index) {
    unpack();
    return cells_[index];
  }
  // The start of the texts and bytes (`Datum::u` counts from here).
  const char* data() { return reinterpret_cast<const char*>(cells_ + capacity()); }

  void reserve(guint cells) {
    if (cells > capacity()) regrow(cells);
  }

  // Takes over a block RowBuilder::place wrote, and its reference to its
  // chunk. The cells stay packed there until one is first reached: a
  // host that lists a million rows and looks at few pays for few.
  void adopt(const char* block) {
    release();
    packed_ = true;
    cells_ = reinterpret_cast<Datum*>(const_cast<char*>(block));
    size_ = block_count(block);
  }
  // The block of cells still packed, else null.
  const char* packed() const { return packed_ ? reinterpret_cast<const char*>(cells_) : nullptr; }

  // Takes `cells` and their `data` into a block from `arena`.
  void fill(models::CellArena& arena, const std::vector<Datum>& cells, const char* data,
            gsize data_size) {
    release();
    gsize size = sizeof(Datum) * cells.size() + data_size;
    if (size == 0) return;
    void* block = arena.take(size, &chunk_);
    if (block) {
      cells_ = static_cast<Datum*>(block);
    } else {
      cells_ = new_own(guint(cells.size()), data_size);
    }
    size_ = guint(cells.size());
    if (!cells.empty()) std::memcpy(cells_, cells.data(), sizeof(Datum) * cells.size());
    if (data_size > 0) std::memcpy(const_cast<char*>(this->data()), data, data_size);
  }

  // Packed cells into a block of the row's own, where they can change.
  void unpack() {
    if (!packed_) return;
    const char* block = packed();
    packed_ = false;
    cells_ = nullptr;
    size_ = 0;
    decode(block);
    models::block_free(block);
  }

  void decode(const char* block) {
    guint32 count = block_count(block);
    const char* end = block + sizeof count;
    gsize used = 0;
    Datum datum;
    for (guint32 i = 0; i < count; i++) {
      const char* at = end;
      end = decode_cell(at, block, datum);
      if (datum.kind >= Datum::STRING) used += gsize(end - at) - 1;
    }
    if (count == 0) return;
    cells_ = new_own(count, used);
    char* out = reinterpret_cast<char*>(cells_ + count);
    const char* at = block + sizeof count;
    for (guint32 i = 0; i < count; i++) {
      const char* next = decode_cell(at, block, datum);
      if (datum.kind >= Datum::STRING) {
        // Its length, bytes and zero byte, with `u` after the length.
        gsize bytes = gsize(next - at) - 1;
        std::memcpy(out, at + 1, bytes);
        datum.u = guint64(out + sizeof(guint32) - data());
        out += bytes;
      }
      cells_[size_++] = datum;
      at = next;
    }
  }

  void push_back(const Datum& datum) {
    unpack();
    if (!cells_ || chunk_ || size_ == own()->capacity) regrow(std::max<guint>(4, capacity() * 2));
    cells_[size_++] = datum;
  }

  // Objects: one per cell once any is kept (owned references).
  Value* object(guint index) const { return objects_ ? objects_[index] : nullptr; }
  // Keeps `value` (taking over the caller's reference) for the cell.
  void set_object(guint index, Value* value) {
    if (!objects_) objects_ = static_cast<Value**>(g_malloc0(sizeof(Value*) * capacity()));
    if (objects_[index]) g_object_unref(objects_[index]);
    objects_[index] = value;
  }
  // Hands over the reference kept for the cell.
  Value* take_object(guint index) {
    if (!objects_) return nullptr;
    Value* value = objects_[index];
    objects_[index] = nullptr;
    return value;
  }

  void release() {
    if (listed_) return;
    if (packed_) {
      models::block_free(packed());
      packed_ = false;
      cells_ = nullptr;
      size_ = 0;
      return;
    }
    if (objects_) {
      for (guint i = 0; i < size_; i++)
        if (objects_[i]) g_object_unref(objects_[i]);
      g_free(objects_);
      objects_ = nullptr;
    }
    if (chunk_)
      models::chunk_unref(chunk_);
    else if (cells_)
      g_free(own());
    cells_ = nullptr;
    chunk_ = nullptr;
    size_ = 0;
  }

 private:
  struct OwnBlock {
    guint capacity;
    gsize used;  // bytes of texts and bytes
  };
  static_assert(sizeof(OwnBlock) % alignof(Datum) == 0);

  OwnBlock* own() const { return reinterpret_cast<OwnBlock*>(cells_) - 1; }

  static Datum* new_own(guint capacity, gsize used) {
    auto* head =
        static_cast<OwnBlock*>(g_malloc(sizeof(OwnBlock) + sizeof(Datum) * capacity + used));
    head->capacity = capacity;
    head->used = used;
    return reinterpret_cast<Datum*>(head + 1);
  }

  // Into a block of its own with room for `capacity` cells.
  void regrow(guint capacity) {
    gsize used = 0;
    if (cells_ && !chunk_) used = own()->used;
    // Bytes of a chunk's block after its cells: up to the last data cell's end.
    if (chunk_)
      for (guint i = 0; i < size_; i++)
        if (cells_[i].kind >= Datum::STRING)
          used = std::max<gsize>(
              used, gsize(cells_[i].u) + models::data_length(data() + cells_[i].u) + 1);
    Datum* cells = new_own(capacity, used);
    guint size = size_;
    if (cells_) {
      std::memcpy(cells, cells_, sizeof(Datum) * size);
      std::memcpy(reinterpret_cast<char*>(cells + capacity), data(), used);
    }
    Value** objects = nullptr;
    if (objects_) {
      objects = static_cast<Value**>(g_malloc0(sizeof(Value*) * capacity));
      std::memcpy(objects, objects_, sizeof(Value*) * size);
      g_free(objects_);
      objects_ = nullptr;
    }
    release();
    cells_ = cells;
    size_ = size;
    objects_ = objects;
  }

  guint8 version_ = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL;
  bool listed_ = false;
  bool packed_ = false;  // `cells_` is a block of RowBuilder::place
  guint size_ = 0;
  Datum* cells_ = nullptr;
  models::Chunk* chunk_ = nullptr;
  union {
    Value** objects_ = nullptr;  // while not listed
    GeeArrayList* list_;         // once listed
  };
};

static_assert(sizeof(RowStore) <= 32);

}  // namespace

struct _TarvexProvidersContractsRowModelPrivate {
  RowStore store;
};

static void row_model_list_model_init(GListModelInterface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexProvidersContractsRowModel, tarvex_providers_contracts_row_model,
                             G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(G_TYPE_LIST_MODEL, row_model_list_model_init)
                                 G_IMPLEMENT_INTERFACE(JSON_TYPE_SERIALIZABLE,
                                                       models::row_serializable_init))

namespace {

enum { PROP_0, PROP_VERSION, PROP_VALUES, N_PROPERTIES };
GParamSpec* properties[N_PROPERTIES];

inline TarvexProvidersContractsRowModelPrivate* priv_of(gconstpointer self) {
  return tarvex_providers_contracts_row_model_get_private(self);
}

// The value object a datum stands for, made as the provider would have
// made it when it read the cell.
// `data` is where the texts and bytes of data cells start.
Value* make_value(const Datum& datum, const char* data) {
  auto as_value = [](auto* v) { return reinterpret_cast<Value*>(v); };
  const char* text = datum.kind >= Datum::STRING ? data + datum.u : nullptr;
  switch (datum.kind) {
    case Datum::OBJECT:
      return nullptr;
    case Datum::NULL_VALUE:
      return as_value(tarvex_providers_contracts_value_null_new());
    case Datum::BOOLEAN:
      return as_value(tarvex_providers_contracts_value_boolean_new(gboolean(datum.i)));
    case Datum::CHAR:
      return as_value(tarvex_providers_contracts_value_char_new(guchar(datum.u)));
    case Datum::INT8:
      return as_value(tarvex_providers_contracts_value_int8_new(gint8(datum.i)));
    case Datum::INT16:
      return as_value(tarvex_providers_contracts_value_int16_new(gint16(datum.i)));
    case Datum::INT32:
      return as_value(tarvex_providers_contracts_value_int32_new(gint32(datum.i)));
    case Datum::INT64:
      return as_value(tarvex_providers_contracts_value_int64_new(datum.i));
    case Datum::UINT8:
      return as_value(tarvex_providers_contracts_value_uint8_new(guint8(datum.u)));
    case Datum::UINT16:
      return as_value(tarvex_providers_contracts_value_uint16_new(guint16(datum.u)));
    case Datum::UINT32:
      return as_value(tarvex_providers_contracts_value_uint32_new(guint32(datum.u)));
    case Datum::UINT64:
      return as_value(tarvex_providers_contracts_value_uint64_new(datum.u));
    case Datum::MONEY:
      return as_value(values::money_new_exact(values::scaled_text(datum.i, datum.extra)));
    case Datum::DECIMAL:
      return as_value(values::decimal_new_exact(values::scaled_text(datum.i, datum.extra)));
    case Datum::DECIMAL_TEXT:
      return as_value(values::decimal_new_exact(std::string(text, models::data_length(text))));
    case Datum::FLOAT:
      return as_value(tarvex_providers_contracts_value_float_new(datum.f));
    case Datum::DOUBLE:
      return as_value(tarvex_providers_contracts_value_double_new(datum.d));
    case Datum::DATETIME_UTC:
    case Datum::DATETIME_OFFSET: {
      auto zone =
          adoptGRef(datum.kind == Datum::DATETIME_OFFSET ? g_time_zone_new_offset(datum.extra * 60)
                                                         : g_time_zone_new_utc());
      const Datum::When w = datum.when;
      auto moment = adoptGRef(values::date_time_at(zone.get(), gint(w.year), gint(w.month),
                                                   gint(w.day), gint(w.hour), gint(w.minute),
                                                   gint(w.second), gint(w.microsecond)));
      // The provider only hands over fields GLib takes.
      if (!moment) return as_value(tarvex_providers_contracts_value_date_time_new());
      return datum.kind == Datum::DATETIME_OFFSET
                 ? as_value(values::date_time_new_with_offset(moment.get()))
                 : as_value(tarvex_providers_contracts_value_date_time_new_datetime(moment.get()));
    }
    case Datum::STRING:
      return as_value(values::string_new_len(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING, text,
                                             models::data_length(text)));
    case Datum::UTF16:
      return as_value(values::utf16_new_len(text, models::data_length(text)));
    case Datum::XML:
      return as_value(values::string_new_len(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_XML, text,
                                             models::data_length(text)));
    case Datum::UUID:
      return as_value(tarvex_providers_contracts_value_uuid_new_uuid(text));
    case Datum::UUID_BYTES: {
      char uuid[37];
      values::uuid_text(reinterpret_cast<const guint8*>(text), uuid);
      return as_value(tarvex_providers_contracts_value_uuid_new_uuid(uuid));
    }
    case Datum::BINARY:
    case Datum::BLOB: {
      gint length = gint(models::data_length(text));
      auto* data = length > 0 ? reinterpret_cast<const guint8*>(text) : nullptr;
      return datum.kind == Datum::BLOB
                 ? as_value(tarvex_providers_contracts_value_blob_new(data, length))
                 : as_value(tarvex_providers_contracts_value_binary_new(data, length));
    }
  }
  return nullptr;
}

// The cell a datum stands for, with the text its value object would give
// an export (see Cell), written without making the object. The few kinds
// whose text only the object tells come as a value made for the call.
void datum_cell(const Datum& datum, const char* data, models::Cell& cell, models::CellSlot& slot) {
  using models::Cell;
  const char* text = datum.kind >= Datum::STRING ? data + datum.u : nullptr;
  char* out = slot.text;
  auto set_text = [&](const char* from, gsize length) {
    cell.kind = Cell::TEXT;
    cell.data = from;
    cell.length = length;
  };
  auto number = [&](auto n) {
    auto result = std::to_chars(out, out + sizeof slot.text, n);
    set_text(out, gsize(result.ptr - out));
  };
  auto two = [](char* at, guint n) { std::memcpy(at, values::number_chars::kPairs + 2 * n, 2); };
  cell.boolean = false;
  cell.owned = false;
  switch (datum.kind) {
    case Datum::OBJECT:  // not a datum: the caller gives the row's object
      cell.kind = Cell::ABSENT;
      return;
    case Datum::NULL_VALUE:
      cell.kind = Cell::NULL_CELL;
      return;
    case Datum::BOOLEAN:
      set_text(datum.i ? "1" : "0", 1);
      cell.boolean = true;
      return;
    case Datum::CHAR:
      // The byte as a one-character text; the zero byte is an empty text.
      out[0] = char(guchar(datum.u));
      set_text(out, out[0] ? 1 : 0);
      return;
    case Datum::INT8:
      return number(int(gint8(datum.i)));
    case Datum::INT16:
      return number(gint16(datum.i));
    case Datum::INT32:
      return number(gint32(datum.i));
    case Datum::INT64:
      return number(datum.i);
    case Datum::UINT8:
      return number(int(guint8(datum.u)));
    case Datum::UINT16:
      return number(guint16(datum.u));
    case Datum::UINT32:
      return number(guint32(datum.u));
    case Datum::UINT64:
      return number(datum.u);
    case Datum::MONEY:
    case Datum::DECIMAL:
      return set_text(out, values::scaled_chars(datum.i, datum.extra, out));
    case Datum::DECIMAL_TEXT:
      return set_text(text, models::data_length(text));
    case Datum::FLOAT:
      return set_text(
          out, values::floating_chars(datum.f, values::Notation::kGeneral, out, sizeof slot.text));
    case Datum::DOUBLE:
      return set_text(
          out, values::floating_chars(datum.d, values::Notation::kGeneral, out, sizeof slot.text));
    case Datum::DATETIME_UTC:
    case Datum::DATETIME_OFFSET: {
      const Datum::When w = datum.when;
      bool offset = datum.kind == Datum::DATETIME_OFFSET;
      if (!models::datum_datetime_fits(gint(w.year), gint(w.month), gint(w.day), gint(w.hour),
                                       gint(w.minute), gint(w.second), offset) ||
          w.microsecond >= G_USEC_PER_SEC)
        break;
      // "YYYY-MM-DD HH:MM:SS", the fraction without trailing zeros, and
      // the offset of a zone other than UTC.
      guint year = guint(w.year);
      two(out, year / 100);
      two(out + 2, year % 100);
      out[4] = '-';
      two(out + 5, guint(w.month));
      out[7] = '-';
      two(out + 8, guint(w.day));
      out[10] = ' ';
      two(out + 11, guint(w.hour));
      out[13] = ':';
      two(out + 14, guint(w.minute));
      out[16] = ':';
      two(out + 17, guint(w.second));
      gsize at = 19;
      if (guint fraction = guint(w.microsecond)) {
        out[at++] = '.';
        two(out + at, fraction / 10000);
        two(out + at + 2, fraction / 100 % 100);
        two(out + at + 4, fraction % 100);
        gsize n = 6;
        while (out[at + n - 1] == '0') --n;
        at += n;
      }
      if (offset) {
        gint minutes = datum.extra;
        guint magnitude = guint(minutes < 0 ? -minutes : minutes);
        out[at++] = minutes < 0 ? '-' : '+';
        two(out + at, magnitude / 60);
        out[at + 2] = ':';
        two(out + at + 3, magnitude % 60);
        at += 5;
      }
      return set_text(out, at);
    }
    case Datum::STRING:
    case Datum::XML:
    case Datum::UUID:
      // The whole text, U+0000 included, as the value holds it.
      return set_text(text, models::data_length(text));
    case Datum::UTF16: {
      gsize length = models::data_length(text);
      // Valid UTF-8 comes back the same from the value's code units.
      if (values::utf8_valid_len(text, length)) return set_text(text, length);
      break;
    }
    case Datum::UUID_BYTES:
      values::uuid_text(reinterpret_cast<const guint8*>(text), out);
      return set_text(out, 36);
    case Datum::BINARY:
    case Datum::BLOB:
      cell.kind = Cell::BYTES;
      cell.data = text;
      cell.length = models::data_length(text);
      return;
  }
  cell.kind = Cell::VALUE;
  cell.value = make_value(datum, data);
  cell.owned = true;
}

// The value at `index` (< cells), made and kept on first access; borrowed.
Value* materialize(RowStore& store, guint index) {
  Datum& cell = store[index];
  if (cell.kind == Datum::OBJECT) return store.object(index);
  store.set_object(index, make_value(cell, store.data()));
  cell.kind = Datum::OBJECT;
  return store.object(index);
}

GeeArrayList* ensure_list(TarvexProvidersContractsRowModelPrivate* priv) {
  RowStore& store = priv->store;
  if (GeeArrayList* list = store.list()) return list;
  GType type = tarvex_providers_contracts_value_object_get_type();
  auto dup = reinterpret_cast<GBoxedCopyFunc>(g_object_ref);
  if (store.empty()) {
    store.release();
    store.set_list(gee_array_list_new(type, dup, g_object_unref, nullptr, nullptr, nullptr));
  } else {
    // The list takes over the array and the references in it.
    gint n = gint(store.size());
    auto** items = static_cast<gpointer*>(g_malloc(sizeof(gpointer) * n));
    for (gint i = 0; i < n; i++) {
      materialize(store, guint(i));
      items[i] = store.take_object(guint(i));
    }
    store.release();
    store.set_list(
        gee_array_list_new_wrap(type, dup, g_object_unref, items, n, nullptr, nullptr, nullptr));
  }
  return store.list();
}

guint size_of(TarvexProvidersContractsRowModelPrivate* priv) {
  GeeArrayList* list = priv->store.list();
  return list ? guint(gee::size(list)) : priv->store.size();
}

// A new reference to the value at index (< size), or null.
GRef<Value> value_at(TarvexProvidersContractsRowModelPrivate* priv, guint index) {
  if (GeeArrayList* list = priv->store.list()) return gee::at<Value>(list, gint(index));
  return retainGRef(materialize(priv->store, index));
}

TarvexProvidersContractsRowModel* real_clone(TarvexProvidersContractsRowModel* self) {
  auto* priv = priv_of(self);
  guint n = size_of(priv);
  auto* copy = models::row_new(n);
  priv_of(copy)->store.set_version(priv->store.version());
  for (guint i = 0; i < n; i++) {
    // A cell still a datum stays one here: its copy comes from a value
    // made for the purpose, as the one it would become.
    GRef<Value> value;
    if (!priv->store.list() && priv->store[i].kind != Datum::OBJECT)
      value = adoptGRef(make_value(priv->store[i], priv->store.data()));
    else
      value = value_at(priv, i);
    models::row_take_value(
        copy, value ? tarvex_providers_contracts_value_object_clone(value.get()) : nullptr);
  }
  return copy;
}

void get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  auto* priv = priv_of(object);
  switch (prop_id) {
    case PROP_VERSION:
      g_value_set_flags(value, priv->store.version());
      break;
    case PROP_VALUES:
      g_value_set_object(value, ensure_list(priv));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

void set_property(GObject* object, guint prop_id, const GValue* value, GParamSpec* pspec) {
  switch (prop_id) {
    case PROP_VERSION:
      tarvex_providers_contracts_row_model_set_version(
          TARVEX_PROVIDERS_CONTRACTS_ROW_MODEL(object),
          TarvexProvidersContractsDataVersion(g_value_get_flags(value)));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

GType list_get_item_type(GListModel*) {
  return tarvex_providers_contracts_value_object_get_type();
}

guint list_get_n_items(GListModel* model) {
  return size_of(priv_of(model));
}

gpointer list_get_item(GListModel* model, guint position) {
  auto* priv = priv_of(model);
  if (position >= size_of(priv)) return nullptr;
  return value_at(priv, position).leak();
}

}  // namespace

static void row_model_list_model_init(GListModelInterface* iface) {
  iface->get_item_type = list_get_item_type;
  iface->get_n_items = list_get_n_items;
  iface->get_item = list_get_item;
}

static void tarvex_providers_contracts_row_model_class_setup(
    TarvexProvidersContractsRowModelClass* klass) {
  klass->clone = real_clone;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = get_property;
  oc->set_property = set_property;
  properties[PROP_VERSION] = g_param_spec_flags(
      "version", "version", "version", tarvex_providers_contracts_data_version_get_type(),
      TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL,
      GParamFlags(G_PARAM_READWRITE | G_PARAM_EXPLICIT_NOTIFY | G_PARAM_STATIC_STRINGS));
  properties[PROP_VALUES] =
      g_param_spec_object("values", "values", "values", GEE_TYPE_ARRAY_LIST,
                          GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS));
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

// ------------------------------------------------------------ fast path

namespace tarvex::models {

Value* datum_value(const Datum& datum, const char* data) {
  return make_value(datum, data);
}

bool datum_datetime_fits(gint year, gint month, gint day, gint hour, gint minute, gint second,
                         bool with_offset) {
  // At an offset the instant must stay within GLib's years 1 to 9999 too.
  gint first = with_offset ? 2 : 1, last = with_offset ? 9998 : 9999;
  if (year < first || year > last || month < 1 || month > 12 || day < 1) return false;
  // Proleptic Gregorian, as GLib counts.
  static constexpr guint8 kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  gint days = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= days && hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 &&
         second < 60;
}

TarvexProvidersContractsRowModel* row_new(guint capacity) {
  auto* row = static_cast<TarvexProvidersContractsRowModel*>(
      g_object_new(tarvex_providers_contracts_row_model_get_type(), nullptr));
  priv_of(row)->store.reserve(capacity);
  return row;
}

void row_take_value(TarvexProvidersContractsRowModel* row,
                    TarvexProvidersContractsValueObject* value) {
  RowStore& store = priv_of(row)->store;
  if (GeeArrayList* list = store.list()) {
    auto owned = adoptGRef(value);
    gee::add(list, owned.get());
    return;
  }
  Datum cell;
  cell.kind = Datum::OBJECT;
  store.push_back(cell);
  store.set_object(store.size() - 1, value);
}

namespace {

// The count word of a block (see RowBuilder::place) holds in its top bit whether
// the block's chunk is a large one.
constexpr guint32 kLargeBit = 0x80000000u;

}  // namespace

void block_free(const char* block) {
  guint32 word;
  std::memcpy(&word, block, sizeof word);
  chunk_unref(chunk_of(block, word & kLargeBit));
}

RowBuilder::~RowBuilder() {
  for (auto* value : objects_)
    if (value) g_object_unref(value);
}

void RowBuilder::add(const Datum& datum) {
  g_return_if_fail(datum.kind != Datum::OBJECT && datum.kind < Datum::STRING);
  // The kind, then its payload: on a little-endian machine the first bytes
  // of `u` and `extra` are what encode_cell writes for every kind but a
  // boolean, so they are copied whole and only the payload counted.
  char* out = room(1 + sizeof datum.u + sizeof datum.extra);
  if (G_BYTE_ORDER == G_LITTLE_ENDIAN && datum.kind != Datum::BOOLEAN) {
    out[0] = char(datum.kind);
    std::memcpy(out + 1, &datum.u, sizeof datum.u);
    std::memcpy(out + 1 + sizeof datum.u, &datum.extra, sizeof datum.extra);
  } else {
    encode_cell(datum, nullptr, out);
  }
  used_ += 1 + kPayloadBytes[datum.kind];
  ++count_;
  if (G_UNLIKELY(!objects_.empty())) objects_.push_back(nullptr);
}

void RowBuilder::add_data(Datum::Kind kind, const void* data, gsize length) {
  g_return_if_fail(kind >= Datum::STRING);
  g_return_if_fail(length <= gsize(G_MAXINT32));
  // The kind, the length, the bytes and a zero byte.
  guint32 prefix = guint32(length);
  char* out = room(1 + sizeof prefix + length + 1);
  *out++ = char(kind);
  std::memcpy(out, &prefix, sizeof prefix);
  if (length > 0) std::memcpy(out + sizeof prefix, data, length);
  out[sizeof prefix + length] = '\0';
  used_ += 1 + sizeof prefix + length + 1;
  ++count_;
  if (G_UNLIKELY(!objects_.empty())) objects_.push_back(nullptr);
}

void RowBuilder::take(TarvexProvidersContractsValueObject* value) {
  if (objects_.empty()) objects_.resize(count_, nullptr);
  *room(1) = char(Datum::OBJECT);
  ++used_;
  ++count_;
  objects_.push_back(value);
}

TarvexProvidersContractsRowModel* RowBuilder::make(CellArena& arena) {
  auto* row = static_cast<TarvexProvidersContractsRowModel*>(
      g_object_new(tarvex_providers_contracts_row_model_get_type(), nullptr));
  RowStore& store = priv_of(row)->store;
  // The cells as datums, whose texts stay where they are in `encoded_`.
  std::vector<Datum> cells;
  cells.reserve(count_);
  const char* base = encoded_.data();
  const char* end = base + used_;
  Datum datum;
  for (const char* at = base; at < end; cells.push_back(datum)) at = decode_cell(at, base, datum);
  store.fill(arena, cells, base, used_);
  if (!objects_.empty()) {
    for (guint i = 0; i < guint(objects_.size()); i++)
      if (objects_[i]) store.set_object(i, objects_[i]);
    objects_.clear();
  }
  used_ = 0;
  count_ = 0;
  return row;
}

bool RowBuilder::place(CellArena& arena, const char** block) {
  if (!objects_.empty() || count_ == 0 || count_ >= kLargeBit) return false;
  gsize size = sizeof(guint32) + used_;
  Chunk* chunk = nullptr;
  auto* out = static_cast<char*>(arena.take(size, &chunk));
  if (!out) return false;
  *block = out;
  guint32 count = count_;
  if (chunk_is_large(chunk)) count |= kLargeBit;
  std::memcpy(out, &count, sizeof count);
  std::memcpy(out + sizeof count, encoded_.data(), used_);
  used_ = 0;
  count_ = 0;
  return true;
}

TarvexProvidersContractsRowModel* row_from_block(const char* block) {
  auto* row = static_cast<TarvexProvidersContractsRowModel*>(
      g_object_new(tarvex_providers_contracts_row_model_get_type(), nullptr));
  priv_of(row)->store.adopt(block);
  return row;
}

guint row_size(TarvexProvidersContractsRowModel* row) {
  return size_of(priv_of(row));
}

TarvexProvidersContractsValueObject* row_peek(TarvexProvidersContractsRowModel* row, guint index) {
  auto* priv = priv_of(row);
  if (!priv->store.list()) return materialize(priv->store, index);
  // The list keeps its own reference.
  return value_at(priv, index).get();
}

void block_read_cells(const char* block, guint width, Cell* out, CellSlot* slots) {
  guint32 count = block_count(block);
  const char* at = block + sizeof count;
  // Each cell read as decode_cell reads it, a number in one load of its
  // width into a register: a datum filled piecemeal in memory and read
  // back whole stalls the loads that follow.
  auto load = [&](auto v) {
    std::memcpy(&v, at, sizeof v);
    at += sizeof v;
    return v;
  };
  for (guint i = 0; i < width; i++) {
    if (i >= count) {
      out[i] = Cell();
      continue;
    }
    Datum datum;
    datum.kind = Datum::Kind(guint8(*at++));
    switch (datum.kind) {
      case Datum::BOOLEAN:
        datum.i = load(guint8()) != 0;
        break;
      case Datum::CHAR:
      case Datum::UINT8:
        datum.u = load(guint8());
        break;
      case Datum::INT8:
        datum.i = load(gint8());
        break;
      case Datum::INT16:
        datum.i = load(gint16());
        break;
      case Datum::UINT16:
        datum.u = load(guint16());
        break;
      case Datum::INT32:
        datum.i = load(gint32());
        break;
      case Datum::UINT32:
        datum.u = load(guint32());
        break;
      case Datum::FLOAT:
        datum.f = load(gfloat());
        break;
      case Datum::DOUBLE:
        datum.d = load(gdouble());
        break;
      case Datum::INT64:
      case Datum::UINT64:
        datum.u = load(guint64());
        break;
      default:
        at = decode_cell(at - 1, block, datum);
    }
    datum_cell(datum, block, out[i], slots[i]);
  }
}

void block_values(const char* block, guint width, Value** out) {
  guint32 count = block_count(block);
  const char* at = block + sizeof count;
  Datum datum;
  for (guint i = 0; i < width; i++) {
    if (i < count) {
      at = decode_cell(at, block, datum);
      out[i] = make_value(datum, block);
    } else {
      out[i] = nullptr;
    }
  }
}

void row_values(TarvexProvidersContractsRowModel* row, guint width, Value** out) {
  auto* priv = priv_of(row);
  RowStore& store = priv->store;
  if (const char* block = store.packed()) return block_values(block, width, out);
  GeeArrayList* list = store.list();
  guint size = size_of(priv);
  for (guint i = 0; i < width; i++) {
    if (i >= size)
      out[i] = nullptr;
    else if (list)
      out[i] = gee::at<Value>(list, gint(i)).leak();
    else if (store[i].kind == Datum::OBJECT)
      out[i] = retainGRef(store.object(i)).leak();
    else
      out[i] = make_value(store[i], store.data());
  }
}

void row_read_cells(TarvexProvidersContractsRowModel* row, guint width, Cell* out,
                    CellSlot* slots) {
  auto* priv = priv_of(row);
  RowStore& store = priv->store;
  if (const char* block = store.packed()) return block_read_cells(block, width, out, slots);
  GeeArrayList* list = store.list();
  guint size = size_of(priv);
  for (guint i = 0; i < width; i++) {
    Cell& cell = out[i];
    cell = Cell();
    if (i >= size) continue;
    if (!list && store[i].kind != Datum::OBJECT) {
      datum_cell(store[i], store.data(), cell, slots[i]);
      continue;
    }
    // A value the row holds (the list, or the row's kept objects, keeps
    // its reference).
    cell.value = list ? gee::at<Value>(list, gint(i)).get() : store.object(i);
    cell.kind = cell.value ? Cell::VALUE : Cell::ABSENT;
  }
}

}  // namespace tarvex::models

// ------------------------------------------------------------ public API

TarvexProvidersContractsRowModel* tarvex_providers_contracts_row_model_construct(
    GType object_type) {
  return static_cast<TarvexProvidersContractsRowModel*>(g_object_new(object_type, nullptr));
}

TarvexProvidersContractsRowModel* tarvex_providers_contracts_row_model_new(void) {
  return tarvex_providers_contracts_row_model_construct(TARVEX_PROVIDERS_CONTRACTS_TYPE_ROW_MODEL);
}

TarvexProvidersContractsRowModel* tarvex_providers_contracts_row_model_clone(
    TarvexProvidersContractsRowModel* self) {
  return tarvex::call_slot<&TarvexProvidersContractsRowModelClass::clone>(self);
}

GeeArrayList* tarvex_providers_contracts_row_model_get_values(
    TarvexProvidersContractsRowModel* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return ensure_list(priv_of(self));
}

TarvexProvidersContractsDataVersion tarvex_providers_contracts_row_model_get_version(
    TarvexProvidersContractsRowModel* self) {
  g_return_val_if_fail(self != NULL, TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL);
  return priv_of(self)->store.version();
}

void tarvex_providers_contracts_row_model_set_version(TarvexProvidersContractsRowModel* self,
                                                      TarvexProvidersContractsDataVersion value) {
  g_return_if_fail(self != NULL);
  auto* priv = priv_of(self);
  if (priv->store.version() == value) return;
  priv->store.set_version(value);
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_VERSION]);
}

TarvexProvidersContractsValueObject* tarvex_providers_contracts_row_model_get_value_at(
    TarvexProvidersContractsRowModel* self, gint position) {
  g_return_val_if_fail(self != NULL, NULL);
  auto* priv = priv_of(self);
  if (position < 0 || guint(position) >= size_of(priv)) return nullptr;
  return value_at(priv, guint(position)).leak();
}

void tarvex_providers_contracts_row_model_set_value_at(TarvexProvidersContractsRowModel* self,
                                                       gint position,
                                                       TarvexProvidersContractsValueObject* value) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(value != NULL);
  auto* priv = priv_of(self);
  // Outside the row nothing is replaced (a warning, not a crash).
  g_return_if_fail(position >= 0 && guint(position) < size_of(priv));
  if (GeeArrayList* list = priv->store.list()) {
    gee_abstract_list_set(GEE_ABSTRACT_LIST(list), position, value);
    return;
  }
  priv->store[position].kind = Datum::OBJECT;
  priv->store.set_object(guint(position), retainGRef(value).leak());
}
