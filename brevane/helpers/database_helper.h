// DatabaseHelper: conversions between typed values and SQL text: GLib values
// to display text and back by type name, cell values to SQL literals, sizes
// with units, quoted object names and simple INSERT, UPDATE and DELETE
// statements.
#pragma once

#include <glib-object.h>

#include "brevane/model/meta_table.h"
#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"
#include "providers/contracts/table_model.h"
#include "providers/contracts/value_binary.h"
#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneHelpersDatabaseHelper TarvexBrevaneHelpersDatabaseHelper;
typedef struct _TarvexBrevaneHelpersDatabaseHelperClass TarvexBrevaneHelpersDatabaseHelperClass;

struct _TarvexBrevaneHelpersDatabaseHelper {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexBrevaneHelpersDatabaseHelperPrivate* priv;
};

struct _TarvexBrevaneHelpersDatabaseHelperClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexBrevaneHelpersDatabaseHelper* self);
};

#define TARVEX_BREVANE_HELPERS_TYPE_DATABASE_HELPER \
  (tarvex_brevane_helpers_database_helper_get_type())

TARVEX_EXPORT GType tarvex_brevane_helpers_database_helper_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_brevane_helpers_database_helper_ref(gpointer instance);
TARVEX_EXPORT void tarvex_brevane_helpers_database_helper_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneHelpersDatabaseHelper,
                              tarvex_brevane_helpers_database_helper_unref)
TARVEX_EXPORT GParamSpec* tarvex_brevane_helpers_param_spec_database_helper(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_brevane_helpers_value_get_database_helper(const GValue* value);
TARVEX_EXPORT void tarvex_brevane_helpers_value_set_database_helper(GValue* value,
                                                                    gpointer v_object);
TARVEX_EXPORT void tarvex_brevane_helpers_value_take_database_helper(GValue* value,
                                                                     gpointer v_object);
TARVEX_EXPORT TarvexBrevaneHelpersDatabaseHelper* tarvex_brevane_helpers_database_helper_new(void);
TARVEX_EXPORT TarvexBrevaneHelpersDatabaseHelper* tarvex_brevane_helpers_database_helper_construct(
    GType object_type);

// Display text of a GLib value, by its type's name; `null_value` stands
// for values that hold nothing. Newly allocated.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_database_helper_glib_value_to_text(
    GValue* boxed, const gchar* null_value);
// Initialises `result` (zero-filled) to `type` and fills it from `text`.
TARVEX_EXPORT void tarvex_brevane_helpers_database_helper_string_to_glib_value(GType type,
                                                                               const gchar* text,
                                                                               GValue* result);
TARVEX_EXPORT gboolean tarvex_brevane_helpers_database_helper_glib_value_to_int64(GValue* boxed,
                                                                                  gint64* result);
TARVEX_EXPORT gboolean tarvex_brevane_helpers_database_helper_glib_value_to_uint64(GValue* boxed,
                                                                                   guint64* result);
TARVEX_EXPORT gboolean tarvex_brevane_helpers_database_helper_glib_value_to_double(GValue* boxed,
                                                                                   gdouble* result);
// An SQL literal: NULL for the null value, numbers as they print, every
// other kind between single quotes with the quotes inside doubled.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_database_helper_format_sql_value(
    TarvexProvidersContractsDataType data_type, TarvexProvidersContractsIValue* data_value);
// Adds one column per column of `model` to `table`; true when the table then
// has as many columns as the model.
TARVEX_EXPORT gboolean tarvex_brevane_helpers_database_helper_update_schema_with_model(
    TarvexBrevaneMetaModelMetaTable* table, TarvexProvidersContractsTableModel* model);
// "%llu Byte" up to 1000 bytes, else thousands of bytes with separators and
// " KB" ("1,234,567 KB").
TARVEX_EXPORT gchar* tarvex_brevane_helpers_database_helper_format_size(guint64 size);
// A short text for a binary cell: the bytes when they are UTF-8 text, else
// the guessed MIME type and the size ("image/png(2 KB)").
TARVEX_EXPORT gchar* tarvex_brevane_helpers_database_helper_summary(
    TarvexProvidersContractsValueBinary* value, const gchar* null_value);
// `size` in `unit` expressed in the largest unit ("B" ... "YB", factor 1024)
// in which it is at least 1; the unit's name goes to `unit_max` (new text).
TARVEX_EXPORT guint64 tarvex_brevane_helpers_database_helper_match_unit_max(guint64 size,
                                                                            const gchar* unit,
                                                                            gchar** unit_max);
// `size` converted between units; a result beyond 64 bits saturates.
TARVEX_EXPORT guint64 tarvex_brevane_helpers_database_helper_convert_with_unit(
    guint64 size, const gchar* unit_old, const gchar* unit_new);
// `user`@`host` with back-quotes (a back-quote inside is doubled).
TARVEX_EXPORT gchar* tarvex_brevane_helpers_database_helper_make_fullname_mysql(
    const gchar* username);
// "schema"."table", each quoted with any double quote inside doubled.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_database_helper_format_object_name(const gchar* schema,
                                                                               const gchar* table);
// Column names are quoted; values are SQL literals inserted as they stand.
// The name and value arrays must be equally long and not empty; UPDATE and
// DELETE need at least one key column. Otherwise NULL, with a critical.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_database_helper_build_sql_update(
    const gchar* schema, const gchar* table, gchar** columns, gint columns_length1, gchar** values,
    gint values_length1, gchar** keys, gint keys_length1, gchar** key_values,
    gint key_values_length1);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_database_helper_build_sql_insert(
    const gchar* schema, const gchar* table, gchar** columns, gint columns_length1, gchar** values,
    gint values_length1);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_database_helper_build_sql_delete(
    const gchar* schema, const gchar* table, gchar** keys, gint keys_length1, gchar** key_values,
    gint key_values_length1);

G_END_DECLS
