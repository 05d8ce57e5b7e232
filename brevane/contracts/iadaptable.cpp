#include "brevane/contracts/iadaptable.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIAdaptable,
                        tarvex_brevane_contracts_database_iadaptable, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_iadaptable_default_init(
    TarvexBrevaneContractsDatabaseIAdaptableIface*) {}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_object(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean deep, gboolean full, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_object>(
      self, meta_object, deep, full, error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_data_table(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexProvidersContractsTableModel* table,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_data_table>(self, table,
                                                                                     error);
}

void tarvex_brevane_contracts_database_iadaptable_load_privileges(
    TarvexBrevaneContractsDatabaseIAdaptable* self, GeeMap* matrix, gchar** classes,
    gint classes_length1, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::load_privileges>(
      self, matrix, classes, classes_length1, error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_data_set(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexProvidersContractsDataSetModel* dataset,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_data_set>(self, dataset,
                                                                                   error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_database(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaDatabase* database,
    gboolean deep, gboolean full, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_database>(
      self, database, deep, full, error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gboolean deep, gboolean full, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_schema>(
      self, schema, deep, full, error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_table(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaTable* table,
    gboolean full, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_table>(self, table,
                                                                                     full, error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_view(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaView* view,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_view>(self, view,
                                                                                    error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_index(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaIndex* index,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_index>(self, index,
                                                                                     error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_trigger(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaTrigger* trigger,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_trigger>(
      self, trigger, error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_function(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaRoutine* routine,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_function>(
      self, routine, error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_user(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaUser* user,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_user>(self, user,
                                                                                    error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_role(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaRole* role,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_role>(self, role,
                                                                                    error);
}

void tarvex_brevane_contracts_database_iadaptable_fill_meta_event(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaEvent* event,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIAdaptableIface::fill_meta_event>(self, event,
                                                                                     error);
}
