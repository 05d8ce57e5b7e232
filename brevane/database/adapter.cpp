#include "brevane/database/adapter.h"

#include "common/tarvex-gobject-private.h"

using tarvex::GRef;

struct _TarvexBrevaneSupportsDatabaseAdapterPrivate {};

static void tarvex_brevane_supports_database_adapter_iadaptable_init(
    TarvexBrevaneContractsDatabaseIAdaptableIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsDatabaseAdapter, tarvex_brevane_supports_database_adapter, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(tarvex_brevane_contracts_database_iadaptable_get_type(),
                          tarvex_brevane_supports_database_adapter_iadaptable_init))

#define ADAPTER_GET_CLASS(self) TARVEX_BREVANE_SUPPORTS_DATABASE_ADAPTER_GET_CLASS(self)

// ---------------------------------------------------------------------------
// Defaults: check the object, fill nothing.

static void adapter_real_fill_meta_database(TarvexBrevaneSupportsDatabaseAdapter*,
                                            TarvexBrevaneMetaModelMetaDatabase* database, gboolean,
                                            gboolean, GError**) {
  g_return_if_fail(database != NULL);
}

static void adapter_real_fill_meta_schema(TarvexBrevaneSupportsDatabaseAdapter*,
                                          TarvexBrevaneMetaModelMetaSchema* schema, gboolean,
                                          gboolean, GError**) {
  g_return_if_fail(schema != NULL);
}

static void adapter_real_fill_meta_table(TarvexBrevaneSupportsDatabaseAdapter*,
                                         TarvexBrevaneMetaModelMetaTable* table, gboolean,
                                         GError**) {
  g_return_if_fail(table != NULL);
}

static void adapter_real_fill_meta_view(TarvexBrevaneSupportsDatabaseAdapter*,
                                        TarvexBrevaneMetaModelMetaView* view, GError**) {
  g_return_if_fail(view != NULL);
}

static void adapter_real_fill_meta_index(TarvexBrevaneSupportsDatabaseAdapter*,
                                         TarvexBrevaneMetaModelMetaIndex* index, GError**) {
  g_return_if_fail(index != NULL);
}

static void adapter_real_fill_meta_trigger(TarvexBrevaneSupportsDatabaseAdapter*,
                                           TarvexBrevaneMetaModelMetaTrigger* trigger, GError**) {
  g_return_if_fail(trigger != NULL);
}

static void adapter_real_fill_meta_function(TarvexBrevaneSupportsDatabaseAdapter*,
                                            TarvexBrevaneMetaModelMetaRoutine* routine, GError**) {
  g_return_if_fail(routine != NULL);
}

static void adapter_real_fill_meta_user(TarvexBrevaneSupportsDatabaseAdapter*,
                                        TarvexBrevaneMetaModelMetaUser* user, GError**) {
  g_return_if_fail(user != NULL);
}

static void adapter_real_fill_meta_role(TarvexBrevaneSupportsDatabaseAdapter*,
                                        TarvexBrevaneMetaModelMetaRole* role, GError**) {
  g_return_if_fail(role != NULL);
}

static void adapter_real_fill_meta_event(TarvexBrevaneSupportsDatabaseAdapter*,
                                         TarvexBrevaneMetaModelMetaEvent* event, GError**) {
  g_return_if_fail(event != NULL);
}

static void adapter_real_fill_meta_object(TarvexBrevaneSupportsDatabaseAdapter*,
                                          TarvexBrevaneMetaModelMetaObject* meta_object, gboolean,
                                          gboolean, GError**) {
  g_return_if_fail(meta_object != NULL);
}

static void adapter_real_fill_data_table(TarvexBrevaneSupportsDatabaseAdapter*,
                                         TarvexProvidersContractsTableModel* table, GError**) {
  g_return_if_fail(table != NULL);
}

// Fills the tables in order through the class slot, so a subclass's
// fill_data_table runs; the first failure stops and goes to the caller.
static void adapter_real_fill_data_set(TarvexBrevaneSupportsDatabaseAdapter* self,
                                       TarvexProvidersContractsDataSetModel* dataset,
                                       GError** error) {
  g_return_if_fail(dataset != NULL);
  GeeArrayList* tables = tarvex_providers_contracts_data_set_model_get_tables(dataset);
  if (!tables) return;
  gint count = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(tables));
  auto* klass = ADAPTER_GET_CLASS(self);
  for (gint i = 0; i < count; i++) {
    auto table = GRef<TarvexProvidersContractsTableModel>::adopt(
        static_cast<TarvexProvidersContractsTableModel*>(
            gee_abstract_list_get(GEE_ABSTRACT_LIST(tables), i)));
    if (!klass->fill_data_table) continue;
    GError* failure = nullptr;
    klass->fill_data_table(self, table.get(), &failure);
    if (failure) {
      g_propagate_error(error, failure);
      return;
    }
  }
}

static void adapter_real_load_privileges(TarvexBrevaneSupportsDatabaseAdapter*, GeeMap* matrix,
                                         gchar**, gint, GError**) {
  g_return_if_fail(matrix != NULL);
}

// ---------------------------------------------------------------------------
// The interface: every slot calls the class operation of the same name.

static TarvexBrevaneSupportsDatabaseAdapter* as_adapter(
    TarvexBrevaneContractsDatabaseIAdaptable* self) {
  return reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapter*>(self);
}

static void tarvex_brevane_supports_database_adapter_iadaptable_init(
    TarvexBrevaneContractsDatabaseIAdaptableIface* iface) {
  iface->fill_meta_object = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                               TarvexBrevaneMetaModelMetaObject* meta_object, gboolean deep,
                               gboolean full, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_object(as_adapter(self), meta_object, deep,
                                                              full, error);
  };
  iface->fill_data_table = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                              TarvexProvidersContractsTableModel* table, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_data_table(as_adapter(self), table, error);
  };
  iface->load_privileges = [](TarvexBrevaneContractsDatabaseIAdaptable* self, GeeMap* matrix,
                              gchar** classes, gint classes_length1, GError** error) {
    tarvex_brevane_supports_database_adapter_load_privileges(as_adapter(self), matrix, classes,
                                                             classes_length1, error);
  };
  iface->fill_data_set = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                            TarvexProvidersContractsDataSetModel* dataset, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_data_set(as_adapter(self), dataset, error);
  };
  iface->fill_meta_database = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                                 TarvexBrevaneMetaModelMetaDatabase* database, gboolean deep,
                                 gboolean full, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_database(as_adapter(self), database, deep,
                                                                full, error);
  };
  iface->fill_meta_schema = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                               TarvexBrevaneMetaModelMetaSchema* schema, gboolean deep,
                               gboolean full, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_schema(as_adapter(self), schema, deep, full,
                                                              error);
  };
  iface->fill_meta_table = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                              TarvexBrevaneMetaModelMetaTable* table, gboolean full,
                              GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_table(as_adapter(self), table, full, error);
  };
  iface->fill_meta_view = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                             TarvexBrevaneMetaModelMetaView* view, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_view(as_adapter(self), view, error);
  };
  iface->fill_meta_index = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                              TarvexBrevaneMetaModelMetaIndex* index, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_index(as_adapter(self), index, error);
  };
  iface->fill_meta_trigger = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                                TarvexBrevaneMetaModelMetaTrigger* trigger, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_trigger(as_adapter(self), trigger, error);
  };
  iface->fill_meta_function = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                                 TarvexBrevaneMetaModelMetaRoutine* routine, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_function(as_adapter(self), routine, error);
  };
  iface->fill_meta_user = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                             TarvexBrevaneMetaModelMetaUser* user, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_user(as_adapter(self), user, error);
  };
  iface->fill_meta_role = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                             TarvexBrevaneMetaModelMetaRole* role, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_role(as_adapter(self), role, error);
  };
  iface->fill_meta_event = [](TarvexBrevaneContractsDatabaseIAdaptable* self,
                              TarvexBrevaneMetaModelMetaEvent* event, GError** error) {
    tarvex_brevane_supports_database_adapter_fill_meta_event(as_adapter(self), event, error);
  };
}

static void tarvex_brevane_supports_database_adapter_class_setup(
    TarvexBrevaneSupportsDatabaseAdapterClass* klass) {
  klass->fill_meta_database = adapter_real_fill_meta_database;
  klass->fill_meta_schema = adapter_real_fill_meta_schema;
  klass->fill_meta_table = adapter_real_fill_meta_table;
  klass->fill_meta_view = adapter_real_fill_meta_view;
  klass->fill_meta_index = adapter_real_fill_meta_index;
  klass->fill_meta_trigger = adapter_real_fill_meta_trigger;
  klass->fill_meta_function = adapter_real_fill_meta_function;
  klass->fill_meta_user = adapter_real_fill_meta_user;
  klass->fill_meta_role = adapter_real_fill_meta_role;
  klass->fill_meta_event = adapter_real_fill_meta_event;
  klass->fill_meta_object = adapter_real_fill_meta_object;
  klass->fill_data_table = adapter_real_fill_data_table;
  klass->fill_data_set = adapter_real_fill_data_set;
  klass->load_privileges = adapter_real_load_privileges;
}

// ---------------------------------------------------------------------------
// Construction and the public operations.

TarvexBrevaneSupportsDatabaseAdapter* tarvex_brevane_supports_database_adapter_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection) {
  g_return_val_if_fail(connection != NULL, nullptr);
  auto* self = static_cast<TarvexBrevaneSupportsDatabaseAdapter*>(g_object_new(object_type, NULL));
  self->connection = connection;
  return self;
}

TarvexBrevaneSupportsDatabaseAdapter* tarvex_brevane_supports_database_adapter_new(
    TarvexBrevaneContractsDatabaseIConnection* connection) {
  return tarvex_brevane_supports_database_adapter_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_ADAPTER, connection);
}

#define CALL_SLOT(slot, ...)                   \
  do {                                         \
    g_return_if_fail(self != NULL);            \
    auto* klass = ADAPTER_GET_CLASS(self);     \
    if (klass->slot) klass->slot(__VA_ARGS__); \
  } while (0)

void tarvex_brevane_supports_database_adapter_fill_meta_database(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaDatabase* database,
    gboolean deep, gboolean full, GError** error) {
  CALL_SLOT(fill_meta_database, self, database, deep, full, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_schema(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gboolean deep, gboolean full, GError** error) {
  CALL_SLOT(fill_meta_schema, self, schema, deep, full, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_table(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
    gboolean full, GError** error) {
  CALL_SLOT(fill_meta_table, self, table, full, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_view(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaView* view,
    GError** error) {
  CALL_SLOT(fill_meta_view, self, view, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_index(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaIndex* index,
    GError** error) {
  CALL_SLOT(fill_meta_index, self, index, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_trigger(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaTrigger* trigger,
    GError** error) {
  CALL_SLOT(fill_meta_trigger, self, trigger, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_function(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaRoutine* routine,
    GError** error) {
  CALL_SLOT(fill_meta_function, self, routine, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_user(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaUser* user,
    GError** error) {
  CALL_SLOT(fill_meta_user, self, user, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_role(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaRole* role,
    GError** error) {
  CALL_SLOT(fill_meta_role, self, role, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_event(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaEvent* event,
    GError** error) {
  CALL_SLOT(fill_meta_event, self, event, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_object(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean deep, gboolean full, GError** error) {
  CALL_SLOT(fill_meta_object, self, meta_object, deep, full, error);
}

void tarvex_brevane_supports_database_adapter_fill_data_table(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexProvidersContractsTableModel* table,
    GError** error) {
  CALL_SLOT(fill_data_table, self, table, error);
}

void tarvex_brevane_supports_database_adapter_fill_data_set(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexProvidersContractsDataSetModel* dataset,
    GError** error) {
  CALL_SLOT(fill_data_set, self, dataset, error);
}

void tarvex_brevane_supports_database_adapter_load_privileges(
    TarvexBrevaneSupportsDatabaseAdapter* self, GeeMap* matrix, gchar** classes,
    gint classes_length1, GError** error) {
  CALL_SLOT(load_privileges, self, matrix, classes, classes_length1, error);
}
