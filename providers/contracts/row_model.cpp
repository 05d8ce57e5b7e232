#include "providers/contracts/row_model.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "providers/contracts/gee-list-private.h"
#include "providers/contracts/model-json-private.h"
#include "providers/contracts/table_model-private.h"
#include "providers/contracts/value-exact-private.h"
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

// The cells of a row and, after room for them, the texts and bytes of its
// data cells (each followed by a zero byte), in one block: its own, or one
// in a piece of a CellArena that `piece_` keeps alive.
class Cells {
 public:
  Cells() = default;
  Cells(const Cells&) = delete;
  Cells& operator=(const Cells&) = delete;
  ~Cells() { release(); }

  guint size() const { return size_; }
  bool empty() const { return size_ == 0; }
  guint capacity() const { return capacity_; }
  Datum& operator[](guint index) { return cells()[index]; }
  // The start of the texts and bytes (`Datum::u` counts from here).
  const char* data() const { return reinterpret_cast<const char*>(cells() + capacity_); }

  void reserve(guint cells) {
    if (cells > capacity_) regrow(cells, room_);
  }

  // Takes `cells` and their `data` into a block from `arena`.
  void fill(models::CellArena& arena, const std::vector<Datum>& cells, const std::string& data) {
    release();
    gsize size = sizeof(Datum) * cells.size() + data.size();
    if (size == 0) return;
    block_ = arena.take(size, piece_);
    if (!block_) block_ = g_malloc(size);
    capacity_ = size_ = guint(cells.size());
    used_ = room_ = data.size();
    if (!cells.empty()) std::memcpy(block_, cells.data(), sizeof(Datum) * cells.size());
    if (!data.empty()) std::memcpy(const_cast<char*>(this->data()), data.data(), data.size());
  }

  void push_back(const Datum& datum) {
    if (size_ == capacity_) regrow(std::max<guint>(4, capacity_ * 2), room_);
    cells()[size_++] = datum;
  }

  void release() {
    if (!piece_) g_free(block_);
    piece_.reset();
    block_ = nullptr;
    size_ = capacity_ = 0;
    used_ = room_ = 0;
  }

 private:
  Datum* cells() const { return static_cast<Datum*>(block_); }

  // Into a block of its own.
  void regrow(guint capacity, gsize room) {
    auto* block = g_malloc(sizeof(Datum) * capacity + room);
    if (block_) {
      std::memcpy(block, block_, sizeof(Datum) * size_);
      std::memcpy(static_cast<char*>(block) + sizeof(Datum) * capacity, data(), used_);
    }
    guint size = size_;
    gsize used = used_;
    release();
    block_ = block;
    size_ = size;
    used_ = used;
    capacity_ = capacity;
    room_ = room;
  }

  gpointer block_ = nullptr;
  std::shared_ptr<void> piece_;
  guint size_ = 0, capacity_ = 0;
  gsize used_ = 0, room_ = 0;
};

}  // namespace

// Until a caller asks for the "values" list, the values live in `cells`: a
// provider fills many rows, and a libgee list costs far more to make than
// the row itself, as does a value object per cell. A cell is a datum until
// a caller first reaches it; its value object is then made and kept in
// `objects`, so every access gives the same object. Once made, the list is
// the only store.
struct _TarvexProvidersContractsRowModelPrivate {
  TarvexProvidersContractsDataVersion version = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL;
  GRef<GeeArrayList> list;
  Cells cells;
  // Empty, or one per cell: the value of each OBJECT cell.
  std::vector<GRef<Value>> objects;
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
      return as_value(values::decimal_new_exact(std::string(text, size_t(datum.extra))));
    case Datum::FLOAT:
      return as_value(tarvex_providers_contracts_value_float_new(datum.f));
    case Datum::DOUBLE:
      return as_value(tarvex_providers_contracts_value_double_new(datum.d));
    case Datum::DATETIME_UTC:
    case Datum::DATETIME_OFFSET: {
      auto zone =
          adoptGRef(datum.kind == Datum::DATETIME_OFFSET ? g_time_zone_new_offset(datum.extra)
                                                         : g_time_zone_new_utc());
      const auto& w = datum.when;
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
      return as_value(tarvex_providers_contracts_value_string_new(text));
    case Datum::UTF16:
      return as_value(tarvex_providers_contracts_value_utf16_new_string(text));
    case Datum::XML:
      return as_value(tarvex_providers_contracts_value_xml_new(text));
    case Datum::UUID:
      return as_value(tarvex_providers_contracts_value_uuid_new_uuid(text));
    case Datum::BINARY:
    case Datum::BLOB: {
      auto* data = datum.extra > 0 ? reinterpret_cast<const guint8*>(text) : nullptr;
      return datum.kind == Datum::BLOB
                 ? as_value(tarvex_providers_contracts_value_blob_new(data, datum.extra))
                 : as_value(tarvex_providers_contracts_value_binary_new(data, datum.extra));
    }
  }
  return nullptr;
}

// The value at `index` (< cells), made and kept on first access; borrowed.
Value* materialize(TarvexProvidersContractsRowModelPrivate* priv, guint index) {
  Datum& cell = priv->cells[index];
  if (cell.kind == Datum::OBJECT) return priv->objects[index].get();
  if (priv->objects.empty()) priv->objects.resize(priv->cells.size());
  priv->objects[index] = adoptGRef(make_value(cell, priv->cells.data()));
  cell.kind = Datum::OBJECT;
  return priv->objects[index].get();
}

GeeArrayList* ensure_list(TarvexProvidersContractsRowModelPrivate* priv) {
  if (priv->list) return priv->list.get();
  GType type = tarvex_providers_contracts_value_object_get_type();
  auto dup = reinterpret_cast<GBoxedCopyFunc>(g_object_ref);
  if (priv->cells.empty()) {
    priv->list =
        adoptGRef(gee_array_list_new(type, dup, g_object_unref, nullptr, nullptr, nullptr));
  } else {
    // The list takes over the array and the references in it.
    gint n = gint(priv->cells.size());
    auto** items = static_cast<gpointer*>(g_malloc(sizeof(gpointer) * n));
    for (gint i = 0; i < n; i++) {
      materialize(priv, guint(i));
      items[i] = priv->objects[i].leak();
    }
    priv->cells.release();
    priv->objects = {};
    priv->list = adoptGRef(
        gee_array_list_new_wrap(type, dup, g_object_unref, items, n, nullptr, nullptr, nullptr));
  }
  return priv->list.get();
}

guint size_of(TarvexProvidersContractsRowModelPrivate* priv) {
  return priv->list ? guint(gee::size(priv->list.get())) : guint(priv->cells.size());
}

// A new reference to the value at index (< size), or null.
GRef<Value> value_at(TarvexProvidersContractsRowModelPrivate* priv, guint index) {
  if (priv->list) return gee::at<Value>(priv->list.get(), gint(index));
  return retainGRef(materialize(priv, index));
}

TarvexProvidersContractsRowModel* real_clone(TarvexProvidersContractsRowModel* self) {
  auto* priv = priv_of(self);
  guint n = size_of(priv);
  auto* copy = models::row_new(n);
  priv_of(copy)->version = priv->version;
  for (guint i = 0; i < n; i++) {
    // A cell still a datum stays one here: its copy comes from a value
    // made for the purpose, as the one it would become.
    GRef<Value> value;
    if (!priv->list && priv->cells[i].kind != Datum::OBJECT)
      value = adoptGRef(make_value(priv->cells[i], priv->cells.data()));
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
      g_value_set_flags(value, priv->version);
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

bool datum_datetime_fits(gint year, gint month, gint day, gint hour, gint minute, gint second,
                         bool with_offset) {
  // At an offset the instant must stay within GLib's years 1 to 9999 too.
  gint first = with_offset ? 2 : 1, last = with_offset ? 9998 : 9999;
  return year >= first && year <= last && month >= 1 && month <= 12 && day >= 1 &&
         g_date_valid_dmy(GDateDay(day), GDateMonth(month), GDateYear(year)) && hour >= 0 &&
         hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

TarvexProvidersContractsRowModel* row_new(guint capacity) {
  auto* row = static_cast<TarvexProvidersContractsRowModel*>(
      g_object_new(tarvex_providers_contracts_row_model_get_type(), nullptr));
  priv_of(row)->cells.reserve(capacity);
  return row;
}

void row_take_value(TarvexProvidersContractsRowModel* row,
                    TarvexProvidersContractsValueObject* value) {
  auto* priv = priv_of(row);
  auto owned = adoptGRef(value);
  if (priv->list) {
    gee::add(priv->list.get(), owned.get());
    return;
  }
  if (priv->objects.empty()) {
    priv->objects.reserve(priv->cells.capacity());
    priv->objects.resize(priv->cells.size());
  }
  Datum cell;
  cell.kind = Datum::OBJECT;
  priv->cells.push_back(cell);
  priv->objects.push_back(std::move(owned));
}

namespace {
// Pieces hold the cells of some hundred rows; a row needing more than a
// small share of one gets a block of its own.
constexpr gsize kPieceSize = 64 * 1024;
constexpr gsize kLargestShare = kPieceSize / 8;
}  // namespace

gpointer CellArena::take(gsize size, std::shared_ptr<void>& holder) {
  if (size > kLargestShare) return nullptr;
  size = (size + alignof(Datum) - 1) & ~(alignof(Datum) - 1);
  if (!piece_ || used_ + size > kPieceSize) {
    piece_ = std::shared_ptr<void>(g_malloc(kPieceSize), g_free);
    used_ = 0;
  }
  gpointer at = static_cast<char*>(piece_.get()) + used_;
  used_ += size;
  holder = piece_;
  return at;
}

RowBuilder::~RowBuilder() {
  for (auto* value : objects_)
    if (value) g_object_unref(value);
}

void RowBuilder::add(const Datum& datum) {
  g_return_if_fail(datum.kind != Datum::OBJECT && datum.kind < Datum::STRING);
  cells_.push_back(datum);
  if (!objects_.empty()) objects_.push_back(nullptr);
}

void RowBuilder::add_data(Datum::Kind kind, const void* data, gsize length) {
  g_return_if_fail(kind >= Datum::STRING);
  g_return_if_fail(length <= gsize(G_MAXINT32));
  Datum datum;
  datum.kind = kind;
  datum.extra = gint32(length);
  datum.u = data_.size();
  if (length > 0) data_.append(static_cast<const char*>(data), length);
  data_.push_back('\0');
  cells_.push_back(datum);
  if (!objects_.empty()) objects_.push_back(nullptr);
}

void RowBuilder::take(TarvexProvidersContractsValueObject* value) {
  if (objects_.empty()) objects_.resize(cells_.size(), nullptr);
  Datum cell;
  cell.kind = Datum::OBJECT;
  cells_.push_back(cell);
  objects_.push_back(value);
}

TarvexProvidersContractsRowModel* RowBuilder::make(CellArena& arena) {
  auto* row = static_cast<TarvexProvidersContractsRowModel*>(
      g_object_new(tarvex_providers_contracts_row_model_get_type(), nullptr));
  auto* priv = priv_of(row);
  priv->cells.fill(arena, cells_, data_);
  if (!objects_.empty()) {
    priv->objects.reserve(objects_.size());
    for (auto* value : objects_) priv->objects.push_back(adoptGRef(value));
    objects_.clear();
  }
  cells_.clear();
  data_.clear();
  return row;
}

guint row_size(TarvexProvidersContractsRowModel* row) {
  return size_of(priv_of(row));
}

TarvexProvidersContractsValueObject* row_peek(TarvexProvidersContractsRowModel* row, guint index) {
  auto* priv = priv_of(row);
  if (!priv->list) return materialize(priv, index);
  // The list keeps its own reference.
  return value_at(priv, index).get();
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
  g_return_val_if_fail(self != NULL, NULL);
  auto* klass = TARVEX_PROVIDERS_CONTRACTS_ROW_MODEL_GET_CLASS(self);
  return klass->clone ? klass->clone(self) : nullptr;
}

GeeArrayList* tarvex_providers_contracts_row_model_get_values(
    TarvexProvidersContractsRowModel* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return ensure_list(priv_of(self));
}

TarvexProvidersContractsDataVersion tarvex_providers_contracts_row_model_get_version(
    TarvexProvidersContractsRowModel* self) {
  g_return_val_if_fail(self != NULL, TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL);
  return priv_of(self)->version;
}

void tarvex_providers_contracts_row_model_set_version(TarvexProvidersContractsRowModel* self,
                                                      TarvexProvidersContractsDataVersion value) {
  g_return_if_fail(self != NULL);
  auto* priv = priv_of(self);
  if (priv->version == value) return;
  priv->version = value;
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
  if (priv->list) {
    gee_abstract_list_set(GEE_ABSTRACT_LIST(priv->list.get()), position, value);
    return;
  }
  if (priv->objects.empty()) priv->objects.resize(priv->cells.size());
  priv->cells[position].kind = Datum::OBJECT;
  priv->objects[position] = retainGRef(value);
}
