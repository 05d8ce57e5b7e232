// Internal support shared by the principals, users and roles (not installed).
#pragma once

#include "brevane/model/meta-private.h"
#include "brevane/model/meta_relation.h"

// `new_with_names` and `construct_with_names` of a principal (database,
// schema, name and scope).
#define TARVEX_META_PRINCIPAL_NEW_WITH_NAMES(Type, prefix, TYPE)                                  \
  Type* prefix##_construct_with_names(GType object_type, const gchar* _database,                  \
                                      const gchar* _schema, const gchar* _name,                   \
                                      const gchar* _scope) {                                      \
    g_return_val_if_fail(_database != NULL, NULL);                                                \
    g_return_val_if_fail(_schema != NULL, NULL);                                                  \
    g_return_val_if_fail(_name != NULL, NULL);                                                    \
    g_return_val_if_fail(_scope != NULL, NULL);                                                   \
    Type* self = prefix##_construct(object_type);                                                 \
    ::tarvex::meta::set_names(self, _database, _schema, _name);                                   \
    tarvex_brevane_meta_model_meta_relation_set_scope(                                            \
        TARVEX_BREVANE_META_MODEL_META_RELATION(self), _scope);                                   \
    return self;                                                                                  \
  }                                                                                               \
  Type* prefix##_new_with_names(const gchar* _database, const gchar* _schema, const gchar* _name, \
                                const gchar* _scope) {                                            \
    g_return_val_if_fail(_database != NULL, NULL);                                                \
    g_return_val_if_fail(_schema != NULL, NULL);                                                  \
    g_return_val_if_fail(_name != NULL, NULL);                                                    \
    g_return_val_if_fail(_scope != NULL, NULL);                                                   \
    return prefix##_construct_with_names(TYPE, _database, _schema, _name, _scope);                \
  }
