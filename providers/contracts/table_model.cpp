#include "providers/contracts/table_model.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "providers/contracts/gee-list-private.h"
#include "providers/contracts/model-json-private.h"
#include "providers/contracts/table_model-private.h"
#include "providers/contracts/value_factory.h"

using namespace tarvex;

using Row = TarvexProvidersContractsRowModel;

namespace {

// The rows of a table until a caller first asks for its "rows" list: each
// one a row object, or the cells a provider read for it (a block of a
// CellArena chunk), made into a row object when a caller first reaches it
// and kept from then on. A filled table of a million rows thus costs no
// million objects unless they are asked for.
class PendingRows {
 public:
  PendingRows() = default;
  PendingRows(const PendingRows&) = delete;
  PendingRows& operator=(const PendingRows&) = delete;
  ~PendingRows() { clear(); }

  guint size() const { return size_; }

  void push_row(Row* row) { slot_for_push() = reinterpret_cast<Entry>(row); }
  void push_block(const char* block) {
    slot_for_push() = reinterpret_cast<Entry>(block) | kBlockTag;
    block_rows_++;
  }

  // The version of the rows made of blocks: the provider's rows are
  // INITIAL, the rows of texts an importer appends INSERT. A table holds
  // blocks of one version (set it while it has none).
  TarvexProvidersContractsDataVersion block_version() const { return block_version_; }
  bool set_block_version(TarvexProvidersContractsDataVersion version) {
    if (block_rows_ > 0 && version != block_version_) return false;
    block_version_ = version;
    return true;
  }

  // The row at `index` (< size), made now if it was still cells; borrowed.
  Row* row(guint index) {
    Entry& entry = at(index);
    if (const char* cells = block_of(entry)) {
      auto* made = models::row_from_block(cells);
      if (block_version_ != TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL)
        tarvex_providers_contracts_row_model_set_version(made, block_version_);
      entry = reinterpret_cast<Entry>(made);
    }
    return reinterpret_cast<Row*>(entry);
  }

  // The cells of the row at `index` (< size) while they are not yet a
  // row object, else null.
  const char* block(guint index) { return block_of(at(index)); }

  guint cell_rows() {
    guint n = 0;
    for (guint i = 0; i < size_; i++) n += block_of(at(i)) ? 1 : 0;
    return n;
  }

  // Every row, made where still cells, in a new array that takes over the
  // references; the store is left empty.
  gpointer* take_all() {
    auto** items = static_cast<gpointer*>(g_malloc(sizeof(gpointer) * std::max<guint>(size_, 1)));
    for (guint i = 0; i < size_; i++) {
      items[i] = row(i);
      at(i) = 0;
    }
    clear();
    return items;
  }

  void clear() {
    for (guint i = 0; i < size_; i++) {
      Entry entry = at(i);
      if (const char* cells = block_of(entry))
        models::block_free(cells);
      else if (entry)
        g_object_unref(reinterpret_cast<Row*>(entry));
    }
    for (size_t b = 0; b < blocks_.size(); b++) {
      if (b < kSmallBlocks)
        g_free(blocks_[b]);
      else
        models::large_block_free(blocks_[b], sizeof(Entry) * kLarge);
    }
    blocks_.clear();
    size_ = 0;
    block_rows_ = 0;
    block_version_ = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL;
  }

 private:
  // A row object, or a block of cells (which holds a reference to its
  // chunk) marked in the lowest bit: a row's pointer never has it, and a
  // block is aligned for a Datum. One word a row: a large result has
  // millions.
  using Entry = guintptr;
  static constexpr Entry kBlockTag = 1;
  static_assert(alignof(models::Datum) > 1);

  static const char* block_of(Entry entry) {
    return entry & kBlockTag ? reinterpret_cast<const char*>(entry & ~kBlockTag) : nullptr;
  }
  // Entries in blocks that are never moved: a few small ones (a small
  // result takes little), then blocks of huge pages (a large one costs few
  // page faults).
  static constexpr guint kSmall = 4096;
  static constexpr guint kSmallBlocks = 8;
  static constexpr guint kSmallTotal = kSmall * kSmallBlocks;
  static constexpr guint kLarge = 2 * 1024 * 1024 / sizeof(Entry);

  Entry& at(guint index) {
    if (index < kSmallTotal) return blocks_[index / kSmall][index % kSmall];
    index -= kSmallTotal;
    return blocks_[kSmallBlocks + index / kLarge][index % kLarge];
  }
  Entry& slot_for_push() {
    if (size_ == capacity()) {
      if (blocks_.size() < kSmallBlocks)
        blocks_.push_back(g_new(Entry, kSmall));
      else
        blocks_.push_back(static_cast<Entry*>(models::large_block_new(sizeof(Entry) * kLarge)));
    }
    return at(size_++);
  }
  guint capacity() const {
    guint n = guint(blocks_.size());
    return n <= kSmallBlocks ? n * kSmall : kSmallTotal + (n - kSmallBlocks) * kLarge;
  }

  std::vector<Entry*> blocks_;
  guint size_ = 0;
  guint block_rows_ = 0;  // entries pushed as blocks
  TarvexProvidersContractsDataVersion block_version_ =
      TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL;
};

}  // namespace

typedef struct _TarvexProvidersContractsTableModelPrivate TarvexProvidersContractsTableModelPrivate;
struct _TarvexProvidersContractsTableModelPrivate {
  // Rows not yet in `rows`: all of them until the list is first asked for,
  // none from then on (`listed`).
  PendingRows pending;
  // Cells of the rows of texts an importer appends (made on first use).
  std::unique_ptr<models::CellArena> arena;
  std::unique_ptr<models::RowBuilder> builder;
  bool listed = false;
  GRef<GeeArrayList> rows;
  GRef<GeeArrayList> columns =
      adoptGRef(gee::new_object_list(tarvex_providers_contracts_column_model_get_type()));
};

static void table_model_list_model_init(GListModelInterface* iface);
static void table_model_result_init(TarvexProvidersContractsIResultIface*) {}
static void table_model_cells_init(models::TableCellsIface* iface);

namespace {

// The interface of table-cells-private.h, found by its name from the other
// library of the project.
GType table_cells_get_type() {
  static gsize type = 0;
  if (g_once_init_enter(&type)) {
    GType registered = g_type_register_static_simple(
        G_TYPE_INTERFACE, g_intern_static_string(models::kTableCellsType),
        sizeof(models::TableCellsIface), nullptr, 0, nullptr, GTypeFlags(0));
    g_type_interface_add_prerequisite(registered, G_TYPE_OBJECT);
    g_once_init_leave(&type, registered);
  }
  return GType(type);
}

}  // namespace

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexProvidersContractsTableModel, tarvex_providers_contracts_table_model, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(tarvex_providers_contracts_iresult_get_type(), table_model_result_init)
        G_IMPLEMENT_INTERFACE(G_TYPE_LIST_MODEL, table_model_list_model_init)
            G_IMPLEMENT_INTERFACE(JSON_TYPE_SERIALIZABLE, models::table_serializable_init)
                G_IMPLEMENT_INTERFACE(table_cells_get_type(), table_model_cells_init))

namespace {

enum { PROP_0, PROP_ROWS, PROP_COLUMNS, N_PROPERTIES };
GParamSpec* properties[N_PROPERTIES];

inline TarvexProvidersContractsTableModelPrivate* priv_of(gconstpointer self) {
  return tarvex_providers_contracts_table_model_get_private(self);
}

// The "rows" list, made of the pending rows on first use.
GeeArrayList* rows_of(gconstpointer self) {
  auto* priv = priv_of(self);
  if (!priv->listed) {
    GType type = tarvex_providers_contracts_row_model_get_type();
    guint n = priv->pending.size();
    if (n == 0) {
      priv->rows = adoptGRef(gee::new_object_list(type));
    } else {
      // The list takes over the array and the references in it.
      gpointer* items = priv->pending.take_all();
      priv->rows = adoptGRef(
          gee_array_list_new_wrap(type, reinterpret_cast<GBoxedCopyFunc>(g_object_ref),
                                  g_object_unref, items, gint(n), nullptr, nullptr, nullptr));
    }
    priv->listed = true;
  }
  return priv->rows.get();
}

guint row_count(gconstpointer self) {
  auto* priv = priv_of(self);
  return priv->listed ? guint(gee::size(priv->rows.get())) : priv->pending.size();
}

// A new reference to the row at `position` (< row_count), or null.
GRef<Row> row_at(gconstpointer self, guint position) {
  auto* priv = priv_of(self);
  if (priv->listed) return gee::at<Row>(priv->rows.get(), gint(position));
  return retainGRef(priv->pending.row(position));
}

void get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  auto* priv = priv_of(object);
  switch (prop_id) {
    case PROP_ROWS:
      g_value_set_object(value, rows_of(object));
      break;
    case PROP_COLUMNS:
      g_value_set_object(value, priv->columns.get());
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

GType list_get_item_type(GListModel*) {
  return tarvex_providers_contracts_row_model_get_type();
}

guint list_get_n_items(GListModel* model) {
  return row_count(model);
}

gpointer list_get_item(GListModel* model, guint position) {
  if (position >= row_count(model)) return nullptr;
  return row_at(model, position).leak();
}

void items_changed(TarvexProvidersContractsTableModel* self, guint position, guint removed,
                   guint added) {
  g_list_model_items_changed(G_LIST_MODEL(self), position, removed, added);
}

// Removes the row at `position` (in range) and announces it.
GRef<Row> remove_row(TarvexProvidersContractsTableModel* self, gint position) {
  auto removed = adoptGRef(
      static_cast<Row*>(gee_abstract_list_remove_at(GEE_ABSTRACT_LIST(rows_of(self)), position)));
  items_changed(self, guint(position), 1, 0);
  return removed;
}

}  // namespace

static void table_model_list_model_init(GListModelInterface* iface) {
  iface->get_item_type = list_get_item_type;
  iface->get_n_items = list_get_n_items;
  iface->get_item = list_get_item;
}

namespace {

// Appends the row of the cells added to `row`: kept as cells while the
// table's rows are pending and of the same version, else a row object.
void add_built_row(TarvexProvidersContractsTableModel* table, models::RowBuilder& row,
                   models::CellArena& arena, TarvexProvidersContractsDataVersion version) {
  auto* priv = priv_of(table);
  const char* block = nullptr;
  if (!priv->listed && priv->pending.set_block_version(version) && row.place(arena, &block)) {
    priv->pending.push_block(block);
    return;
  }
  auto* made = row.make(arena);
  if (version != TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL)
    tarvex_providers_contracts_row_model_set_version(made, version);
  models::table_take_row(table, made);
}

}  // namespace

// Cells for exports and rows of texts for imports, without the row and
// value objects of the public API (pending rows stay pending).
static void table_model_cells_init(models::TableCellsIface* iface) {
  iface->n_rows = [](GObject* table) { return row_count(table); };
  iface->read_row = [](GObject* table, guint row, guint width, models::Cell* cells,
                       models::CellSlot* slots) {
    auto* priv = priv_of(table);
    if (priv->listed) {
      // The list keeps the row.
      auto object = gee::at<Row>(priv->rows.get(), gint(row));
      if (object) return models::row_read_cells(object.get(), width, cells, slots);
      for (guint i = 0; i < width; i++) cells[i] = models::Cell();
      return;
    }
    auto* block = priv->pending.block(row);
    if (block) return models::block_read_cells(block, width, cells, slots);
    models::row_read_cells(priv->pending.row(row), width, cells, slots);
  };
  iface->row_values = [](GObject* table, guint row, guint width,
                         TarvexProvidersContractsValueObject** values) {
    auto* priv = priv_of(table);
    if (priv->listed) {
      auto object = gee::at<Row>(priv->rows.get(), gint(row));
      if (object) return models::row_values(object.get(), width, values);
      for (guint i = 0; i < width; i++) values[i] = nullptr;
      return;
    }
    if (auto* block = priv->pending.block(row)) return models::block_values(block, width, values);
    models::row_values(priv->pending.row(row), width, values);
  };
  iface->n_cell_rows = [](GObject* table) {
    auto* priv = priv_of(table);
    return priv->listed ? 0u : priv->pending.cell_rows();
  };
  iface->append_texts = [](GObject* object, const char* const* texts, const gsize* lengths,
                           guint n) {
    auto* table = TARVEX_PROVIDERS_CONTRACTS_TABLE_MODEL(object);
    auto* priv = priv_of(table);
    if (!priv->arena) {
      priv->arena = std::make_unique<models::CellArena>();
      priv->builder = std::make_unique<models::RowBuilder>();
    }
    for (guint i = 0; i < n; i++) {
      if (texts[i])
        priv->builder->add_data(models::Datum::STRING, texts[i], lengths[i]);
      else
        priv->builder->add(models::Datum());
    }
    add_built_row(table, *priv->builder, *priv->arena,
                  TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT);
  };
}

static void tarvex_providers_contracts_table_model_class_setup(
    TarvexProvidersContractsTableModelClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = get_property;
  constexpr auto flags = GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS);
  properties[PROP_ROWS] = g_param_spec_object("rows", "rows", "rows", GEE_TYPE_ARRAY_LIST, flags);
  properties[PROP_COLUMNS] =
      g_param_spec_object("columns", "columns", "columns", GEE_TYPE_ARRAY_LIST, flags);
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

// ------------------------------------------------------------ fast path

namespace tarvex::models {

void table_take_row(TarvexProvidersContractsTableModel* table,
                    TarvexProvidersContractsRowModel* row) {
  auto* priv = priv_of(table);
  if (!priv->listed) {
    priv->pending.push_row(row);
    return;
  }
  auto owned = adoptGRef(row);
  gee::add(priv->rows.get(), owned.get());
}

void table_add_row(TarvexProvidersContractsTableModel* table, RowBuilder& row, CellArena& arena) {
  add_built_row(table, row, arena, TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL);
}

void table_take_column(TarvexProvidersContractsTableModel* table,
                       TarvexProvidersContractsColumnModel* column) {
  auto owned = adoptGRef(column);
  gee::add(priv_of(table)->columns.get(), owned.get());
}

}  // namespace tarvex::models

// ------------------------------------------------------------ public API

TarvexProvidersContractsTableModel* tarvex_providers_contracts_table_model_construct(
    GType object_type) {
  return static_cast<TarvexProvidersContractsTableModel*>(g_object_new(object_type, nullptr));
}

TarvexProvidersContractsTableModel* tarvex_providers_contracts_table_model_new(void) {
  return tarvex_providers_contracts_table_model_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_TABLE_MODEL);
}

TarvexProvidersContractsTableModel* tarvex_providers_contracts_table_model_construct_with_types(
    GType object_type, const TarvexProvidersContractsDataType* types, gint types_length1) {
  g_return_val_if_fail(types != NULL || types_length1 <= 0, NULL);
  auto* self = tarvex_providers_contracts_table_model_construct(object_type);
  for (gint i = 0; i < types_length1; i++)
    models::table_take_column(self,
                              tarvex_providers_contracts_column_model_new_with_type(types[i]));
  return self;
}

TarvexProvidersContractsTableModel* tarvex_providers_contracts_table_model_new_with_types(
    const TarvexProvidersContractsDataType* types, gint types_length1) {
  return tarvex_providers_contracts_table_model_construct_with_types(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_TABLE_MODEL, types, types_length1);
}

GeeArrayList* tarvex_providers_contracts_table_model_get_rows(
    TarvexProvidersContractsTableModel* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return rows_of(self);
}

GeeArrayList* tarvex_providers_contracts_table_model_get_columns(
    TarvexProvidersContractsTableModel* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return priv_of(self)->columns.get();
}

TarvexProvidersContractsRowModel* tarvex_providers_contracts_table_model_new_row(
    TarvexProvidersContractsTableModel* self) {
  g_return_val_if_fail(self != NULL, NULL);
  GeeArrayList* columns = priv_of(self)->columns.get();
  auto* row = models::row_new(guint(gee::size(columns)));
  tarvex_providers_contracts_row_model_set_version(row,
                                                   TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT);
  gint n = gee::size(columns);
  for (gint i = 0; i < n; i++) {
    auto column = gee::at<TarvexProvidersContractsColumnModel>(columns, i);
    auto kind = column ? tarvex_providers_contracts_column_model_get_data_type(column.get())
                       : TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN;
    models::row_take_value(row, tarvex_providers_contracts_ivalue_factory(kind, nullptr));
  }
  return row;
}

guint tarvex_providers_contracts_table_model_append(TarvexProvidersContractsTableModel* self,
                                                    TarvexProvidersContractsRowModel* row) {
  g_return_val_if_fail(self != NULL, 0);
  g_return_val_if_fail(row != NULL, 0);
  GeeArrayList* rows = rows_of(self);
  // Announced where it went, also for a row already in the table.
  guint position = guint(gee::size(rows));
  gee::add(rows, row);
  items_changed(self, position, 0, 1);
  return position;
}

guint tarvex_providers_contracts_table_model_insert(TarvexProvidersContractsTableModel* self,
                                                    gint position,
                                                    TarvexProvidersContractsRowModel* row) {
  g_return_val_if_fail(self != NULL, 0);
  g_return_val_if_fail(row != NULL, 0);
  GeeArrayList* rows = rows_of(self);
  gint size = gee::size(rows);
  // A negative position, or one past the end, adds at the end.
  if (position < 0 || position > size) position = size;
  gee_abstract_list_insert(GEE_ABSTRACT_LIST(rows), position, row);
  items_changed(self, guint(position), 0, 1);
  return guint(position);
}

void tarvex_providers_contracts_table_model_delete(TarvexProvidersContractsTableModel* self,
                                                   TarvexProvidersContractsRowModel* row) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(row != NULL);
  gint position = gee::index_of_identity(rows_of(self), row);
  if (position >= 0) remove_row(self, position);
}

TarvexProvidersContractsRowModel* tarvex_providers_contracts_table_model_delete_at(
    TarvexProvidersContractsTableModel* self, gint position) {
  g_return_val_if_fail(self != NULL, NULL);
  if (position < 0 || guint(position) >= row_count(self)) return nullptr;
  return remove_row(self, position).leak();
}

gboolean tarvex_providers_contracts_table_model_find(TarvexProvidersContractsTableModel* self,
                                                     TarvexProvidersContractsRowModel* row,
                                                     gint* position) {
  if (position) *position = 0;
  g_return_val_if_fail(self != NULL, FALSE);
  g_return_val_if_fail(row != NULL, FALSE);
  gint found = gee::index_of_identity(rows_of(self), row);
  if (found < 0) return FALSE;
  if (position) *position = found;
  return TRUE;
}

void tarvex_providers_contracts_table_model_clear(TarvexProvidersContractsTableModel* self,
                                                  gboolean also_columns) {
  g_return_if_fail(self != NULL);
  auto* priv = priv_of(self);
  guint former = row_count(self);
  if (priv->listed)
    gee_abstract_collection_clear(GEE_ABSTRACT_COLLECTION(priv->rows.get()));
  else
    priv->pending.clear();
  if (also_columns) gee_abstract_collection_clear(GEE_ABSTRACT_COLLECTION(priv->columns.get()));
  items_changed(self, 0, former, 0);
}

void tarvex_providers_contracts_table_model_update_row_version(
    TarvexProvidersContractsTableModel* self, guint position,
    TarvexProvidersContractsDataVersion version) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(position < row_count(self));
  auto row = row_at(self, position);
  if (!row) return;
  auto current = tarvex_providers_contracts_row_model_get_version(row.get());
  switch (version) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE:
      // A row added since loading has nothing to delete on the server: it
      // goes, and list views bound to the table learn of it.
      if (current == TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT)
        remove_row(self, gint(position));
      else
        tarvex_providers_contracts_row_model_set_version(
            row.get(), TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE:
      if (current == TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL)
        tarvex_providers_contracts_row_model_set_version(
            row.get(), TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
      break;
    default:
      break;
  }
}

TarvexProvidersContractsValueObject* tarvex_providers_contracts_table_model_get_value_at(
    TarvexProvidersContractsTableModel* self, gint col, gint row) {
  g_return_val_if_fail(self != NULL, NULL);
  if (row < 0 || guint(row) >= row_count(self)) return nullptr;
  auto model = row_at(self, guint(row));
  return model ? tarvex_providers_contracts_row_model_get_value_at(model.get(), col) : nullptr;
}

void tarvex_providers_contracts_table_model_set_value_at(
    TarvexProvidersContractsTableModel* self, gint col, gint row,
    TarvexProvidersContractsValueObject* value) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(value != NULL);
  g_return_if_fail(row >= 0 && guint(row) < row_count(self));
  auto model = row_at(self, guint(row));
  g_return_if_fail(model);
  tarvex_providers_contracts_row_model_set_value_at(model.get(), col, value);
}
