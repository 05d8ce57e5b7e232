#include "brevane/database/adapter.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

using tarvex::GRef;

struct _TarvexBrevaneSupportsDatabaseAdapterPrivate {};

static void tarvex_brevane_supports_database_adapter_iadaptable_init(
    TarvexBrevaneContractsDatabaseIAdaptableIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsDatabaseAdapter, tarvex_brevane_supports_database_adapter, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(tarvex_brevane_contracts_database_iadaptable_get_type(),
                          tarvex_brevane_supports_database_adapter_iadaptable_init))

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

// Fills the tables in order through the class operation, so a subclass's
// fill_data_table runs; the first failure stops and goes to the caller.
static void adapter_real_fill_data_set(TarvexBrevaneSupportsDatabaseAdapter* self,
                                       TarvexProvidersContractsDataSetModel* dataset,
                                       GError** error) {
  g_return_if_fail(dataset != NULL);
  GeeArrayList* tables = tarvex_providers_contracts_data_set_model_get_tables(dataset);
  if (!tables) return;
  gint count = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(tables));
  for (gint i = 0; i < count; i++) {
    auto table = GRef<TarvexProvidersContractsTableModel>::adopt(
        static_cast<TarvexProvidersContractsTableModel*>(
            gee_abstract_list_get(GEE_ABSTRACT_LIST(tables), i)));
    GError* failure = nullptr;
    tarvex_brevane_supports_database_adapter_fill_data_table(self, table.get(), &failure);
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

static void tarvex_brevane_supports_database_adapter_iadaptable_init(
    TarvexBrevaneContractsDatabaseIAdaptableIface* iface) {
  iface->fill_meta_object =
      tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_object>;
  iface->fill_data_table =
      tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_data_table>;
  iface->load_privileges =
      tarvex::forward<&tarvex_brevane_supports_database_adapter_load_privileges>;
  iface->fill_data_set = tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_data_set>;
  iface->fill_meta_database =
      tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_database>;
  iface->fill_meta_schema =
      tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_schema>;
  iface->fill_meta_table =
      tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_table>;
  iface->fill_meta_view = tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_view>;
  iface->fill_meta_index =
      tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_index>;
  iface->fill_meta_trigger =
      tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_trigger>;
  iface->fill_meta_function =
      tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_function>;
  iface->fill_meta_user = tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_user>;
  iface->fill_meta_role = tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_role>;
  iface->fill_meta_event =
      tarvex::forward<&tarvex_brevane_supports_database_adapter_fill_meta_event>;
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

void tarvex_brevane_supports_database_adapter_fill_meta_database(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaDatabase* database,
    gboolean deep, gboolean full, GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_database>(
      self, database, deep, full, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_schema(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gboolean deep, gboolean full, GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_schema>(
      self, schema, deep, full, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_table(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
    gboolean full, GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_table>(self, table, full,
                                                                                 error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_view(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaView* view,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_view>(self, view, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_index(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaIndex* index,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_index>(self, index,
                                                                                 error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_trigger(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaTrigger* trigger,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_trigger>(self, trigger,
                                                                                   error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_function(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaRoutine* routine,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_function>(self, routine,
                                                                                    error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_user(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaUser* user,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_user>(self, user, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_role(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaRole* role,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_role>(self, role, error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_event(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaEvent* event,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_event>(self, event,
                                                                                 error);
}

void tarvex_brevane_supports_database_adapter_fill_meta_object(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean deep, gboolean full, GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_meta_object>(
      self, meta_object, deep, full, error);
}

void tarvex_brevane_supports_database_adapter_fill_data_table(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexProvidersContractsTableModel* table,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_data_table>(self, table,
                                                                                 error);
}

void tarvex_brevane_supports_database_adapter_fill_data_set(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexProvidersContractsDataSetModel* dataset,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::fill_data_set>(self, dataset,
                                                                               error);
}

void tarvex_brevane_supports_database_adapter_load_privileges(
    TarvexBrevaneSupportsDatabaseAdapter* self, GeeMap* matrix, gchar** classes,
    gint classes_length1, GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseAdapterClass::load_privileges>(
      self, matrix, classes, classes_length1, error);
}
