#include "brevane/model/meta_column.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaColumn

struct _TarvexBrevaneMetaModelMetaColumnPrivate {};

namespace column_props {
enum {
  PROP_0,
  PROP_ORDINAL,
  PROP_ALIAS,
  PROP_AFTER,
  PROP_RAW_TYPE,
  PROP_DATA_TYPE,
  PROP_LENGTH,
  PROP_SCALE,
  PROP_DIMENSION,
  PROP_IS_UNSIGNED,
  PROP_AUTO_INCREMENT,
  PROP_AUTO_INCREMENT_SEED,
  PROP_IDENTITY,
  PROP_DEFAULT_VALUE,
  PROP_VIRTUAL_TYPE,
  PROP_EXPRESSION,
  PROP_NOT_NULL,
  PROP_IS_SELECTED,
  PROP_IS_VIRTUAL,
  PROP_IS_USER_DEFINED,
  PROP_IS_PRIMARY_KEY,
  PROP_PRIMARY_ORDINAL,
  PROP_PRIMARY_LENGTH,
  PROP_PRIMARY_ORDER,
  PROP_CONFLICT,
  PROP_CHARSET,
  PROP_COLLATION,
  PROP_ENUM_VALUES,
  PROP_IS_BINARY,
  PROP_IS_FILL_ZERO,
  PROP_UPDATE_TIMESTAMP,
  PROP_IS_GENERATED_ALWAYS,
  N_PROPERTIES
};

static const PropDecl decls[] = {
    uint32("ordinal", kLow16),
    text("alias"),
    text("after"),
    text("raw-type"),
    enumeration("data-type", tarvex_providers_contracts_data_type_get_type),
    int64("length"),
    uint8("scale"),
    uint8("dimension"),
    boolean("is-unsigned"),
    boolean("auto-increment"),
    uint64("auto-increment-seed"),
    text("identity"),
    text("default-value"),
    text("virtual-type"),
    text("expression"),
    boolean("not-null"),
    boolean("is-selected"),
    boolean("is-virtual"),
    boolean("is-user-defined"),
    boolean("is-primary-key"),
    uint8("primary-ordinal"),
    uint64("primary-length"),
    uint8("primary-order"),
    text("conflict"),
    text("charset"),
    text("collation"),
    text("enum-values"),
    boolean("is-binary"),
    boolean("is-fill-zero"),
    boolean("update-timestamp"),
    boolean("is-generated-always"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace column_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject column_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_COLUMN;
}

static void tarvex_brevane_meta_model_meta_column_class_setup(
    TarvexBrevaneMetaModelMetaColumnClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = column_character;
  column_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                TARVEX_BREVANE_META_MODEL_TYPE_META_COLUMN)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      ordinal, column_props::PROP_ORDINAL, column_props::properties, guint, 0U)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      alias, column_props::PROP_ALIAS, column_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      after, column_props::PROP_AFTER, column_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      raw_type, column_props::PROP_RAW_TYPE, column_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      data_type, column_props::PROP_DATA_TYPE, column_props::properties,
                      TarvexProvidersContractsDataType,
                      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      length, column_props::PROP_LENGTH, column_props::properties, gint64, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      scale, column_props::PROP_SCALE, column_props::properties, guint8, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      dimension, column_props::PROP_DIMENSION, column_props::properties, guint8, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_unsigned, column_props::PROP_IS_UNSIGNED, column_props::properties,
                      gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      auto_increment, column_props::PROP_AUTO_INCREMENT, column_props::properties,
                      gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      auto_increment_seed, column_props::PROP_AUTO_INCREMENT_SEED,
                      column_props::properties, guint64, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      identity, column_props::PROP_IDENTITY, column_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      default_value, column_props::PROP_DEFAULT_VALUE, column_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      virtual_type, column_props::PROP_VIRTUAL_TYPE, column_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      expression, column_props::PROP_EXPRESSION, column_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      not_null, column_props::PROP_NOT_NULL, column_props::properties, gboolean,
                      FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_selected, column_props::PROP_IS_SELECTED, column_props::properties,
                      gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_virtual, column_props::PROP_IS_VIRTUAL, column_props::properties, gboolean,
                      FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_user_defined, column_props::PROP_IS_USER_DEFINED, column_props::properties,
                      gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_primary_key, column_props::PROP_IS_PRIMARY_KEY, column_props::properties,
                      gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      primary_ordinal, column_props::PROP_PRIMARY_ORDINAL, column_props::properties,
                      guint8, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      primary_length, column_props::PROP_PRIMARY_LENGTH, column_props::properties,
                      guint64, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      primary_order, column_props::PROP_PRIMARY_ORDER, column_props::properties,
                      guint8, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      conflict, column_props::PROP_CONFLICT, column_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      charset, column_props::PROP_CHARSET, column_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      collation, column_props::PROP_COLLATION, column_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      enum_values, column_props::PROP_ENUM_VALUES, column_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_binary, column_props::PROP_IS_BINARY, column_props::properties, gboolean,
                      FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_fill_zero, column_props::PROP_IS_FILL_ZERO, column_props::properties,
                      gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      update_timestamp, column_props::PROP_UPDATE_TIMESTAMP,
                      column_props::properties, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_generated_always, column_props::PROP_IS_GENERATED_ALWAYS,
                      column_props::properties, gboolean, FALSE)

TarvexBrevaneMetaModelMetaColumn* tarvex_brevane_meta_model_meta_column_construct_with_type(
    GType object_type, const gchar* name, TarvexProvidersContractsDataType data_type,
    const gchar* native_type) {
  g_return_val_if_fail(name != NULL, NULL);
  g_return_val_if_fail(native_type != NULL, NULL);
  auto* self = tarvex_brevane_meta_model_meta_column_construct(object_type);
  tarvex_brevane_meta_model_meta_object_set_name(TARVEX_BREVANE_META_MODEL_META_OBJECT(self), name);
  tarvex_brevane_meta_model_meta_column_set_data_type(self, data_type);
  tarvex_brevane_meta_model_meta_column_set_raw_type(self, native_type);
  return self;
}

TarvexBrevaneMetaModelMetaColumn* tarvex_brevane_meta_model_meta_column_new_with_type(
    const gchar* name, TarvexProvidersContractsDataType data_type, const gchar* native_type) {
  g_return_val_if_fail(name != NULL, NULL);
  g_return_val_if_fail(native_type != NULL, NULL);
  return tarvex_brevane_meta_model_meta_column_construct_with_type(
      TARVEX_BREVANE_META_MODEL_TYPE_META_COLUMN, name, data_type, native_type);
}
