#include "providers/contracts/provider.h"

#include <vector>

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"
#include "providers/contracts/data-types-private.h"
#include "providers/contracts/value_binary.h"
#include "providers/contracts/value_date_time.h"
#include "providers/contracts/value_enum.h"
#include "providers/contracts/value_geometry.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_null.h"
#include "providers/contracts/value_numeric.h"
#include "providers/contracts/value_string.h"

using namespace tarvex;

using Reader = TarvexProvidersContractsIDataReader;
using Value = TarvexProvidersContractsValueObject;

// --------------------------------------------------------------- IProvider

TARVEX_DEFINE_INTERFACE(TarvexProvidersContractsIProvider, tarvex_providers_contracts_iprovider,
                        G_TYPE_OBJECT)

// Interface properties go to GObject's property pool, which its class makes:
// make sure it exists when the interface is looked at before any object.
static void ensure_object_class() {
  g_type_class_unref(g_type_class_ref(G_TYPE_OBJECT));
}

static void tarvex_providers_contracts_iprovider_default_init(
    TarvexProvidersContractsIProviderIface* iface) {
  ensure_object_class();
  g_object_interface_install_property(
      iface, g_param_spec_boolean("is-opened", "is-opened", "is-opened", FALSE,
                                  GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS)));
}

// Each invoker calls the implementation's slot, or answers the slot's empty
// value when the implementation leaves it empty.
#define PROVIDER_CALL(slot, empty, ...)                                           \
  return tarvex::call_slot<&TarvexProvidersContractsIProviderIface::slot, empty>( \
      self __VA_OPT__(, ) __VA_ARGS__)

#define PROVIDER_CALL_VOID(slot, ...) \
  tarvex::call_slot<&TarvexProvidersContractsIProviderIface::slot>(self __VA_OPT__(, ) __VA_ARGS__)

void tarvex_providers_contracts_iprovider_open(TarvexProvidersContractsIProvider* self,
                                               TarvexProvidersContractsServer* server,
                                               const gchar* connection_string, GError** error) {
  PROVIDER_CALL_VOID(open, server, connection_string, error);
}

void tarvex_providers_contracts_iprovider_close(TarvexProvidersContractsIProvider* self,
                                                GError** error) {
  PROVIDER_CALL_VOID(close, error);
}

TarvexProvidersContractsTableModel* tarvex_providers_contracts_iprovider_execute_model(
    TarvexProvidersContractsIProvider* self, const gchar* statement, guint32 mode, GError** error) {
  PROVIDER_CALL(execute_model, nullptr, statement, mode, error);
}

gint64 tarvex_providers_contracts_iprovider_execute_affect(TarvexProvidersContractsIProvider* self,
                                                           const gchar* statement, guint32 mode,
                                                           GError** error) {
  PROVIDER_CALL(execute_affect, gint64(-1), statement, mode, error);
}

TarvexProvidersContractsValueObject* tarvex_providers_contracts_iprovider_execute_scalar(
    TarvexProvidersContractsIProvider* self, const gchar* statement, guint32 mode, GError** error) {
  PROVIDER_CALL(execute_scalar, nullptr, statement, mode, error);
}

GObject** tarvex_providers_contracts_iprovider_execute_statements(
    TarvexProvidersContractsIProvider* self, const gchar* statements, guint32 mode,
    gint* result_length1, GError** error) {
  if (result_length1) *result_length1 = 0;
  PROVIDER_CALL(execute_statements, nullptr, statements, mode, result_length1, error);
}

TarvexProvidersContractsIDataReader* tarvex_providers_contracts_iprovider_execute_reader(
    TarvexProvidersContractsIProvider* self, const gchar* statement, GError** error) {
  PROVIDER_CALL(execute_reader, nullptr, statement, error);
}

gboolean tarvex_providers_contracts_iprovider_transaction(TarvexProvidersContractsIProvider* self,
                                                          GError** error) {
  PROVIDER_CALL(transaction, FALSE, error);
}

void tarvex_providers_contracts_iprovider_commit(TarvexProvidersContractsIProvider* self,
                                                 GError** error) {
  PROVIDER_CALL_VOID(commit, error);
}

void tarvex_providers_contracts_iprovider_rollback(TarvexProvidersContractsIProvider* self,
                                                   GError** error) {
  PROVIDER_CALL_VOID(rollback, error);
}

gboolean tarvex_providers_contracts_iprovider_get_is_opened(
    TarvexProvidersContractsIProvider* self) {
  PROVIDER_CALL(get_is_opened, FALSE);
}

// ------------------------------------------------------------- IDataReader

TARVEX_DEFINE_INTERFACE(TarvexProvidersContractsIDataReader,
                        tarvex_providers_contracts_idata_reader, G_TYPE_OBJECT)

#define READER_CALL(slot, empty, ...)                                               \
  return tarvex::call_slot<&TarvexProvidersContractsIDataReaderIface::slot, empty>( \
      self __VA_OPT__(, ) __VA_ARGS__)

// Getters named by their slot, taking a position and an error.
#define READER_GETTER(type, slot, empty)                                              \
  type tarvex_providers_contracts_idata_reader_##slot(Reader* self, guint16 position, \
                                                      GError** error) {               \
    READER_CALL(slot, empty, position, error);                                        \
  }

gboolean tarvex_providers_contracts_idata_reader_bulk(Reader* self, GError** error) {
  READER_CALL(bulk, FALSE, error);
}

gboolean tarvex_providers_contracts_idata_reader_read(Reader* self, GError** error) {
  READER_CALL(read, FALSE, error);
}

void tarvex_providers_contracts_idata_reader_close(Reader* self, GError** error) {
  tarvex::call_slot<&TarvexProvidersContractsIDataReaderIface::close>(self, error);
}

READER_GETTER(gchar*, get_name, nullptr)
READER_GETTER(gchar*, get_dbms_type, nullptr)
READER_GETTER(TarvexProvidersContractsDataType, get_data_type,
              TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN)
READER_GETTER(gint64, get_size, 0)
READER_GETTER(gboolean, is_null, FALSE)
READER_GETTER(gboolean, get_boolean, FALSE)
READER_GETTER(gchar, get_char, 0)
READER_GETTER(gint8, get_int8, -1)
READER_GETTER(guint8, get_uint8, 0)
READER_GETTER(gint16, get_int16, -1)
READER_GETTER(guint16, get_uint16, 0)
READER_GETTER(gint32, get_int32, -1)
READER_GETTER(guint32, get_uint32, 0)
READER_GETTER(gint64, get_int64, -1)
READER_GETTER(guint64, get_uint64, 0)
READER_GETTER(gdouble, get_decimal, -1)
READER_GETTER(gdouble, get_money, -1)
READER_GETTER(gfloat, get_float, -1)
READER_GETTER(gdouble, get_double, -1)
READER_GETTER(GDateTime*, get_time, nullptr)
READER_GETTER(GDateTime*, get_datetime, nullptr)
READER_GETTER(gint64, get_timespan, 0)
READER_GETTER(gchar*, get_string, nullptr)
READER_GETTER(gchar*, get_string16, nullptr)
READER_GETTER(gchar*, get_guid, nullptr)
READER_GETTER(GDateTime*, get_timestamp, nullptr)
READER_GETTER(gchar*, get_enum, nullptr)
READER_GETTER(gchar*, get_flag, nullptr)
READER_GETTER(gchar*, get_set, nullptr)
READER_GETTER(gchar*, get_xml, nullptr)
READER_GETTER(gchar*, get_json, nullptr)
READER_GETTER(gchar*, get_geometry, nullptr)
READER_GETTER(gchar*, get_geography, nullptr)
READER_GETTER(Value*, get_variant, nullptr)
READER_GETTER(Value*, get_value, nullptr)

void tarvex_providers_contracts_idata_reader_get_date(Reader* self, guint16 position, GDate* result,
                                                      GError** error) {
  tarvex::call_slot<&TarvexProvidersContractsIDataReaderIface::get_date>(self, position, result,
                                                                         error);
}

guint8* tarvex_providers_contracts_idata_reader_get_binary(Reader* self, guint16 position,
                                                           gint* result_length1, GError** error) {
  if (result_length1) *result_length1 = 0;
  READER_CALL(get_binary, nullptr, position, result_length1, error);
}

guint8* tarvex_providers_contracts_idata_reader_get_object(Reader* self, guint16 position,
                                                           gint* result_length1, GError** error) {
  if (result_length1) *result_length1 = 0;
  READER_CALL(get_object, nullptr, position, result_length1, error);
}

Value** tarvex_providers_contracts_idata_reader_get_values(Reader* self, gint* result_length1,
                                                           GError** error) {
  if (result_length1) *result_length1 = 0;
  READER_CALL(get_values, nullptr, result_length1, error);
}

gint tarvex_providers_contracts_idata_reader_get_field_count(Reader* self) {
  READER_CALL(get_field_count, -1);
}

gboolean tarvex_providers_contracts_idata_reader_get_is_closed(Reader* self) {
  READER_CALL(get_is_closed, FALSE);
}

// ------------------------------------------------- defaults of the reader

namespace {

const char* or_empty(const char* text) {
  return text ? text : "";
}

template <typename T>
Value* as_value(T* value) {
  return reinterpret_cast<Value*>(value);
}

GDateTime* default_get_timestamp(Reader*, guint16, GError**) {
  return g_date_time_new_now_local();
}

gchar* default_empty_text(Reader*, guint16, GError**) {
  return g_strdup("");
}

Value* default_get_variant(Reader*, guint16, GError**) {
  return as_value(tarvex_providers_contracts_value_null_new());
}

guint8* default_get_object(Reader*, guint16, gint* result_length1, GError**) {
  if (result_length1) *result_length1 = 0;
  return static_cast<guint8*>(g_malloc0(1));
}

// Reads the cell with the getter of its kind and wraps the result in the
// matching value; a getter's error ends the read.
Value* default_get_value(Reader* self, guint16 position, GError** error) {
  GError* local = nullptr;
  auto failed = [&]() {
    if (!local) return false;
    g_propagate_error(error, local);
    return true;
  };
  // Texts a getter hands over are released after the value copied them.
  auto text_of = [&](gchar* (*getter)(Reader*, guint16, GError**)) {
    return GUniqueStr(getter(self, position, &local));
  };

  gboolean is_null = tarvex_providers_contracts_idata_reader_is_null(self, position, &local);
  if (failed()) return nullptr;
  if (is_null) return as_value(tarvex_providers_contracts_value_null_new());
  auto kind = tarvex_providers_contracts_idata_reader_get_data_type(self, position, &local);
  if (failed()) return nullptr;

  // Numbers and texts as the table of data types reads and makes them.
  const models::DataTypeRow& row = models::data_type_row(kind);
  Value* value = nullptr;
  if (row.get_number) {
    models::Datum datum = row.get_number(self, position, &local);
    value = models::datum_value(datum, nullptr);
  } else if (row.get_text) {
    auto text = text_of(row.get_text);
    value = row.text_value(or_empty(text.get()));
  } else {
    switch (kind) {
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY:
        value = as_value(tarvex_providers_contracts_value_money_new(
            tarvex_providers_contracts_idata_reader_get_money(self, position, &local)));
        break;
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL:
        value = as_value(tarvex_providers_contracts_value_decimal_new(
            tarvex_providers_contracts_idata_reader_get_decimal(self, position, &local)));
        break;
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE: {
        GDate date;
        g_date_clear(&date, 1);
        tarvex_providers_contracts_idata_reader_get_date(self, position, &date, &local);
        // A reader that gave no date leaves a value of the kind without one.
        value = g_date_valid(&date)
                    ? as_value(tarvex_providers_contracts_value_date_new_date(&date))
                    : as_value(tarvex_providers_contracts_value_date_new());
        break;
      }
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME: {
        auto time =
            adoptGRef(tarvex_providers_contracts_idata_reader_get_time(self, position, &local));
        value = time ? as_value(tarvex_providers_contracts_value_time_new_time(time.get()))
                     : as_value(tarvex_providers_contracts_value_time_new());
        break;
      }
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME:
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESTAMP: {
        auto moment = adoptGRef(
            kind == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME
                ? tarvex_providers_contracts_idata_reader_get_datetime(self, position, &local)
                : tarvex_providers_contracts_idata_reader_get_timestamp(self, position, &local));
        value =
            moment ? as_value(tarvex_providers_contracts_value_date_time_new_datetime(moment.get()))
                   : as_value(tarvex_providers_contracts_value_date_time_new());
        break;
      }
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESPAN:
        value = as_value(tarvex_providers_contracts_value_time_span_new(
            tarvex_providers_contracts_idata_reader_get_timespan(self, position, &local)));
        break;
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY:
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_OBJECT:
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB: {
        gint length = 0;
        GUnique<guint8> bytes(
            tarvex_providers_contracts_idata_reader_get_binary(self, position, &length, &local));
        if (!bytes || length < 0) length = 0;
        value = kind == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB
                    ? as_value(tarvex_providers_contracts_value_blob_new(bytes.get(), length))
                    : as_value(tarvex_providers_contracts_value_binary_new(bytes.get(), length));
        break;
      }
      case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_VARIANT:
        value = tarvex_providers_contracts_idata_reader_get_variant(self, position, &local);
        break;
      default:
        // The table names every other type.
        g_assert_not_reached();
    }
  }
  auto owned = adoptGRef(value);
  if (failed()) return nullptr;
  return owned.leak();
}

// Every cell of the current row, in column order.
Value** default_get_values(Reader* self, gint* result_length1, GError** error) {
  if (result_length1) *result_length1 = 0;
  std::vector<GRef<Value>> values;
  gint count = tarvex_providers_contracts_idata_reader_get_field_count(self);
  for (gint i = 0; i < count && i <= G_MAXUINT16; i++) {
    GError* local = nullptr;
    auto value =
        adoptGRef(tarvex_providers_contracts_idata_reader_get_value(self, guint16(i), &local));
    if (local) {
      g_propagate_error(error, local);
      return nullptr;
    }
    values.push_back(std::move(value));
  }
  auto** result = static_cast<Value**>(g_malloc0(sizeof(Value*) * (values.size() + 1)));
  for (size_t i = 0; i < values.size(); i++) result[i] = values[i].leak();
  if (result_length1) *result_length1 = gint(values.size());
  return result;
}

}  // namespace

static void tarvex_providers_contracts_idata_reader_default_init(
    TarvexProvidersContractsIDataReaderIface* iface) {
  ensure_object_class();
  constexpr auto flags = GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS);
  g_object_interface_install_property(
      iface,
      g_param_spec_int("field-count", "field-count", "field-count", G_MININT, G_MAXINT, 0, flags));
  g_object_interface_install_property(
      iface, g_param_spec_boolean("is-closed", "is-closed", "is-closed", FALSE, flags));
  iface->get_timestamp = default_get_timestamp;
  iface->get_enum = default_empty_text;
  iface->get_flag = default_empty_text;
  iface->get_set = default_empty_text;
  iface->get_xml = default_empty_text;
  iface->get_json = default_empty_text;
  iface->get_geometry = default_empty_text;
  iface->get_geography = default_empty_text;
  iface->get_variant = default_get_variant;
  iface->get_object = default_get_object;
  iface->get_value = default_get_value;
  iface->get_values = default_get_values;
}
