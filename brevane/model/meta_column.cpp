#include "brevane/model/meta_column.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaColumn

struct _TarvexBrevaneMetaModelMetaColumnPrivate {};

enum {
  COLUMN_PROP_0,
  COLUMN_PROP_ORDINAL,
  COLUMN_PROP_ALIAS,
  COLUMN_PROP_AFTER,
  COLUMN_PROP_RAW_TYPE,
  COLUMN_PROP_DATA_TYPE,
  COLUMN_PROP_LENGTH,
  COLUMN_PROP_SCALE,
  COLUMN_PROP_DIMENSION,
  COLUMN_PROP_IS_UNSIGNED,
  COLUMN_PROP_AUTO_INCREMENT,
  COLUMN_PROP_AUTO_INCREMENT_SEED,
  COLUMN_PROP_IDENTITY,
  COLUMN_PROP_DEFAULT_VALUE,
  COLUMN_PROP_VIRTUAL_TYPE,
  COLUMN_PROP_EXPRESSION,
  COLUMN_PROP_NOT_NULL,
  COLUMN_PROP_IS_SELECTED,
  COLUMN_PROP_IS_VIRTUAL,
  COLUMN_PROP_IS_USER_DEFINED,
  COLUMN_PROP_IS_PRIMARY_KEY,
  COLUMN_PROP_PRIMARY_ORDINAL,
  COLUMN_PROP_PRIMARY_LENGTH,
  COLUMN_PROP_PRIMARY_ORDER,
  COLUMN_PROP_CONFLICT,
  COLUMN_PROP_CHARSET,
  COLUMN_PROP_COLLATION,
  COLUMN_PROP_ENUM_VALUES,
  COLUMN_PROP_IS_BINARY,
  COLUMN_PROP_IS_FILL_ZERO,
  COLUMN_PROP_UPDATE_TIMESTAMP,
  COLUMN_PROP_IS_GENERATED_ALWAYS,
};

static const PropDecl column_decls[] = {
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
static PropClass column_props(column_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject column_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_COLUMN;
}

static void tarvex_brevane_meta_model_meta_column_class_setup(
    TarvexBrevaneMetaModelMetaColumnClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = column_character;
  column_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                TARVEX_BREVANE_META_MODEL_TYPE_META_COLUMN)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      ordinal, COLUMN_PROP_ORDINAL, column_props, guint, 0U)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      alias, COLUMN_PROP_ALIAS, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      after, COLUMN_PROP_AFTER, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      raw_type, COLUMN_PROP_RAW_TYPE, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      data_type, COLUMN_PROP_DATA_TYPE, column_props,
                      TarvexProvidersContractsDataType,
                      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      length, COLUMN_PROP_LENGTH, column_props, gint64, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      scale, COLUMN_PROP_SCALE, column_props, guint8, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      dimension, COLUMN_PROP_DIMENSION, column_props, guint8, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_unsigned, COLUMN_PROP_IS_UNSIGNED, column_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      auto_increment, COLUMN_PROP_AUTO_INCREMENT, column_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      auto_increment_seed, COLUMN_PROP_AUTO_INCREMENT_SEED, column_props, guint64,
                      0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      identity, COLUMN_PROP_IDENTITY, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      default_value, COLUMN_PROP_DEFAULT_VALUE, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      virtual_type, COLUMN_PROP_VIRTUAL_TYPE, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      expression, COLUMN_PROP_EXPRESSION, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      not_null, COLUMN_PROP_NOT_NULL, column_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_selected, COLUMN_PROP_IS_SELECTED, column_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_virtual, COLUMN_PROP_IS_VIRTUAL, column_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_user_defined, COLUMN_PROP_IS_USER_DEFINED, column_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_primary_key, COLUMN_PROP_IS_PRIMARY_KEY, column_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      primary_ordinal, COLUMN_PROP_PRIMARY_ORDINAL, column_props, guint8, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      primary_length, COLUMN_PROP_PRIMARY_LENGTH, column_props, guint64, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      primary_order, COLUMN_PROP_PRIMARY_ORDER, column_props, guint8, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      conflict, COLUMN_PROP_CONFLICT, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      charset, COLUMN_PROP_CHARSET, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      collation, COLUMN_PROP_COLLATION, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      enum_values, COLUMN_PROP_ENUM_VALUES, column_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_binary, COLUMN_PROP_IS_BINARY, column_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_fill_zero, COLUMN_PROP_IS_FILL_ZERO, column_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      update_timestamp, COLUMN_PROP_UPDATE_TIMESTAMP, column_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                      is_generated_always, COLUMN_PROP_IS_GENERATED_ALWAYS, column_props, gboolean,
                      FALSE)

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
