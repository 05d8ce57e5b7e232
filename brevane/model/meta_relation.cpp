#include "brevane/model/meta_relation.h"

#include "brevane/model/meta-private.h"
#include "brevane/sql/sql-text-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaRelation

struct _TarvexBrevaneMetaModelMetaRelationPrivate {};

enum {
  RELATION_PROP_0,
  RELATION_PROP_RELATIONS,
  RELATION_PROP_PRIVILEGES,
  RELATION_PROP_SCOPE,
  RELATION_PROP_PASSWORD,
};

static const PropDecl relation_decls[] = {
    str_map("relations", kOwned | kAlwaysNotify),
    str_map("privileges", kOwned | kAlwaysNotify),
    text("scope"),
    text("password"),
};
static PropClass relation_props(relation_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static void tarvex_brevane_meta_model_meta_relation_class_setup(
    TarvexBrevaneMetaModelMetaRelationClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  relation_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                TARVEX_BREVANE_META_MODEL_TYPE_META_RELATION)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      relations, RELATION_PROP_RELATIONS, relation_props, GeeHashMap*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      privileges, RELATION_PROP_PRIVILEGES, relation_props, GeeHashMap*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      scope, RELATION_PROP_SCOPE, relation_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      password, RELATION_PROP_PASSWORD, relation_props, const gchar*, NULL)

// ------------------------------------------------------------ MetaUser

struct _TarvexBrevaneMetaModelMetaUserPrivate {};

enum {
  USER_PROP_0,
  USER_PROP_DEFAULT_SCHEMA,
};

static const PropDecl user_decls[] = {
    text("default-schema"),
};
static PropClass user_props(user_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaUser, tarvex_brevane_meta_model_meta_user,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_RELATION)

static TarvexProvidersContractsDBObject user_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER;
}

static void tarvex_brevane_meta_model_meta_user_class_setup(
    TarvexBrevaneMetaModelMetaUserClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = user_character;
  user_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaUser, tarvex_brevane_meta_model_meta_user,
                TARVEX_BREVANE_META_MODEL_TYPE_META_USER)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUser, tarvex_brevane_meta_model_meta_user,
                      default_schema, USER_PROP_DEFAULT_SCHEMA, user_props, const gchar*, NULL)

// ------------------------------------------------------------ MetaRole

struct _TarvexBrevaneMetaModelMetaRolePrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaRole, tarvex_brevane_meta_model_meta_role,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_RELATION)

static TarvexProvidersContractsDBObject role_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROLE;
}

static void tarvex_brevane_meta_model_meta_role_class_setup(
    TarvexBrevaneMetaModelMetaRoleClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = role_character;
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaRole, tarvex_brevane_meta_model_meta_role,
                TARVEX_BREVANE_META_MODEL_TYPE_META_ROLE)

gchar* tarvex_brevane_meta_model_meta_relation_escape_password(
    TarvexBrevaneMetaModelMetaRelation* self) {
  g_return_val_if_fail(self != NULL, NULL);
  const char* password = tarvex_brevane_meta_model_meta_relation_get_password(self);
  return dup(tarvex::sql::literal_body(password ? password : ""));
}

#define PRINCIPAL_NEW_WITH_NAMES(Type, prefix, TYPE)                                              \
  Type* prefix##_construct_with_names(GType object_type, const gchar* _database,                  \
                                      const gchar* _schema, const gchar* _name,                   \
                                      const gchar* _scope) {                                      \
    g_return_val_if_fail(_database != NULL, NULL);                                                \
    g_return_val_if_fail(_schema != NULL, NULL);                                                  \
    g_return_val_if_fail(_name != NULL, NULL);                                                    \
    g_return_val_if_fail(_scope != NULL, NULL);                                                   \
    Type* self = prefix##_construct(object_type);                                                 \
    set_names(self, _database, _schema, _name);                                                   \
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

PRINCIPAL_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaUser, tarvex_brevane_meta_model_meta_user,
                         TARVEX_BREVANE_META_MODEL_TYPE_META_USER)
PRINCIPAL_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaRole, tarvex_brevane_meta_model_meta_role,
                         TARVEX_BREVANE_META_MODEL_TYPE_META_ROLE)
