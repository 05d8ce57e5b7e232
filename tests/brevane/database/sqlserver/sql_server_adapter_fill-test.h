// Shared fixture of the SQL Server adapter's fill tests: the dialect
// fixture, the connection's adapter and builder, and checks of what a fill
// gives the builder.
#pragma once

#include <json-glib/json-glib.h>

#include <string>
#include <vector>

#include "brevane/database/sqlserver/sql_server_adapter_v10x.h"
#include "brevane/foundation/sql_error.h"
#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/brevane/database/sqlserver/dialect-test.h"
#include "tests/support/expect-gerror.h"

namespace tarvex::test::dialect {

using Adaptable = TarvexBrevaneContractsDatabaseIAdaptable;
using std::nullopt;

// The columns of the trigger catalog query.
inline const std::vector<tds::Column> kTriggerColumns = {{"name", "sysname"},
                                                         {"type", "char(2)"},
                                                         {"object_type", "char(2)", true},
                                                         {"object_name", "sysname", true},
                                                         {"is_insert_trigger", "int", true},
                                                         {"is_update_trigger", "int", true},
                                                         {"is_delete_trigger", "int", true},
                                                         {"is_encrypted", "int", true},
                                                         {"is_instead_of_trigger", "bit"},
                                                         {"is_disabled", "bit"},
                                                         {"definition", "nvarchar(max)", true},
                                                         {"sql_principal_id", "int", true},
                                                         {"sql_principal_name", "sysname", true},
                                                         {"assembly_name", "sysname", true},
                                                         {"assembly_class", "nvarchar(128)", true},
                                                         {"assembly_method", "nvarchar(128)", true},
                                                         {"clr_principal_id", "int", true},
                                                         {"clr_principal_name", "sysname", true},
                                                         {"comment", "nvarchar(max)", true}};

class AdapterFillTest : public DialectTest {
 protected:
  GRef<Adaptable> adapter() {
    return adoptGRef(tarvex_brevane_contracts_database_iconnection_adapter(iconn()));
  }
  GRef<TarvexBrevaneContractsDatabaseIBuildable> builder() {
    return adoptGRef(tarvex_brevane_contracts_database_iconnection_builder(iconn()));
  }

  // fill_meta_object; the error, if any, is returned.
  GError* fill(gpointer object, bool deep = false, bool full = false) {
    GError* error = nullptr;
    tarvex_brevane_contracts_database_iadaptable_fill_meta_object(adapter().get(), META(object),
                                                                  deep, full, &error);
    return error;
  }

  // The builder's CREATE text of a filled object.
  std::string build(gpointer object) {
    return take(tarvex_brevane_contracts_database_ibuildable_build_create(builder().get(),
                                                                          META(object), FALSE));
  }

  // The JSON form of a meta object: two equal fills give equal texts.
  static std::string json_of(gpointer object) {
    gsize length = 0;
    GUniqueStr text(json_gobject_to_data(G_OBJECT(object), &length));
    return text ? text.get() : "";
  }

  // Expects `error` to be the not-found error, and frees it.
  static void expect_not_found(GError* error, const std::string& message) {
    ASSERT_NE(error, nullptr);
    EXPECT_GERROR(error, TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR,
                  TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_NOT_FOUND);
    EXPECT_EQ(std::string(error->message), message);
    g_error_free(error);
  }

  // Expects a query error naming `needle`, and frees it.
  void expect_query_error(GError* error, const std::string& needle) {
    ASSERT_NE(error, nullptr);
    EXPECT_NE(std::string(error->message).find(needle), std::string::npos) << error->message;
    g_error_free(error);
    drop_provider_logs();
  }

  std::string privilege(gpointer principal, const char* key) {
    GeeHashMap* map = tarvex_brevane_meta_model_meta_relation_get_privileges(
        reinterpret_cast<TarvexBrevaneMetaModelMetaRelation*>(principal));
    return take(static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(map), key)));
  }
  int privilege_count(gpointer principal) {
    GeeHashMap* map = tarvex_brevane_meta_model_meta_relation_get_privileges(
        reinterpret_cast<TarvexBrevaneMetaModelMetaRelation*>(principal));
    return gee_abstract_map_get_size(GEE_ABSTRACT_MAP(map));
  }
};

}  // namespace tarvex::test::dialect
