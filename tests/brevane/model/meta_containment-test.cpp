// Containment: tables, schemas and databases with their members; full
// names; clone independence; reset of what the fillers add again.
#include "tests/brevane/model/model-test.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

class MetaContainmentTest : public LogCaptureTest {};

void add(gpointer list, gpointer item) {
  gee_collection_add(GEE_COLLECTION(list), item);
}

template <typename T>
void add_new(gpointer list, T* item) {
  add(list, item);
  g_object_unref(item);
}

std::string fullname(gpointer object, gboolean with_db, gboolean with_kind) {
  GUniqueStr text(tarvex_brevane_meta_model_meta_object_fullname(META(object), with_db, with_kind));
  return text.get();
}

TEST_F(MetaContainmentTest, FullNamesByKind) {
  auto event = adopt(tarvex_brevane_meta_model_meta_event_new_with_names("d", "s", "e"));
  EXPECT_EQ(fullname(event.get(), TRUE, TRUE), "event:d.s.e");
  auto ck = adopt(tarvex_brevane_meta_model_meta_constraint_new_with_names("d", "s", "c"));
  EXPECT_EQ(fullname(ck.get(), FALSE, TRUE), "contraint:s.c");
  auto mv = adopt(tarvex_brevane_meta_model_materialized_new_with_names("d", "s", "mv"));
  EXPECT_EQ(fullname(mv.get(), TRUE, TRUE), "view:d.s.mv");
  EXPECT_TRUE(tarvex_brevane_meta_model_materialized_get_with_data(mv.get()));

  auto db = adopt(tarvex_brevane_meta_model_meta_database_new_with_name("Sales"));
  auto schema = adopt(tarvex_brevane_meta_model_meta_schema_new_with_names("Sales", "dbo"));
  struct Case {
    gboolean with_db, with_kind;
    const char *database, *schema;
  } cases[] = {
      {FALSE, FALSE, ".", "dbo"},
      {TRUE, FALSE, "Sales..", "Sales.dbo"},
      {FALSE, TRUE, "database:.", "schema:dbo"},
      {TRUE, TRUE, "database:Sales..", "schema:Sales.dbo"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fullname(db.get(), c.with_db, c.with_kind), c.database);
    EXPECT_EQ(fullname(schema.get(), c.with_db, c.with_kind), c.schema);
  }
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_database(META(db.get())), "Sales");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_schema(META(db.get())), "Sales");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_schema(META(schema.get())), "dbo");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(schema.get())), "dbo");
}

TEST_F(MetaContainmentTest, DatabaseAppendFindsOrCreatesSchemas) {
  auto db = adopt(tarvex_brevane_meta_model_meta_database_new_with_name("Sales"));
  GeeArrayList* schemas = tarvex_brevane_meta_model_meta_database_get_schemas(db.get());
  auto dbo = adopt(tarvex_brevane_meta_model_meta_database_append(db.get(), "dbo"));
  EXPECT_EQ(list_size(schemas), 1);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_database(META(dbo.get())), "Sales");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_schema(META(dbo.get())), "dbo");
  auto again = adopt(tarvex_brevane_meta_model_meta_database_append(db.get(), "dbo"));
  EXPECT_EQ(again.get(), dbo.get());
  EXPECT_EQ(list_size(schemas), 1);
  auto upper = adopt(tarvex_brevane_meta_model_meta_database_append(db.get(), "DBO"));
  EXPECT_NE(upper.get(), dbo.get());
  EXPECT_EQ(names_of(schemas), (std::vector<std::string>{"dbo", "DBO"}));
}

TEST_F(MetaContainmentTest, TableColumnsAndPartialReset) {
  auto table = adopt(tarvex_brevane_meta_model_meta_table_new_with_names("d", "s", "t"));
  auto* t = table.get();
  auto first = adopt(tarvex_brevane_meta_model_meta_table_new_column(
      t, "a", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32));
  auto second = adopt(tarvex_brevane_meta_model_meta_table_new_column(
      t, "a", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_column_get_raw_type(first.get()), "");
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_table_get_columns(t)), 2);
  auto found = adopt(tarvex_brevane_meta_model_meta_table_get_column(t, "a"));
  EXPECT_EQ(found.get(), first.get());
  EXPECT_EQ(tarvex_brevane_meta_model_meta_table_get_column(t, "A"), nullptr);

  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(t);
  add_new(constraints, tarvex_brevane_meta_model_meta_check_new_with_names("d", "s", "c1", "a>0"));
  add_new(constraints, tarvex_brevane_meta_model_meta_unique_new_with_names("d", "s", "u1"));
  add_new(constraints, tarvex_brevane_meta_model_meta_check_new_with_names("d", "s", "c2", "a<9"));
  add_new(constraints, tarvex_brevane_meta_model_meta_primary_key_new_with_names("d", "s", "pk"));
  add_new(constraints, tarvex_brevane_meta_model_meta_foreign_key_new_with_names("d", "s", "fk"));
  add_new(constraints, tarvex_brevane_meta_model_meta_exclude_new_with_names("d", "s", "ex"));
  struct Case {
    TarvexProvidersContractsDBObject kind;
    std::vector<std::string> left;
  } cases[] = {
      {TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PRIMARY, {"c1", "u1", "c2", "pk", "fk", "ex"}},
      {TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE, {"c1", "u1", "c2", "pk", "fk", "ex"}},
      {TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_CHECK, {"u1", "pk", "fk", "ex"}},
      {TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FOREIGN, {"u1", "pk", "ex"}},
      {TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EXCLUDE, {"u1", "pk"}},
      {TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_UNIQUE, {"pk"}},
  };
  for (const auto& c : cases) {
    tarvex_brevane_meta_model_meta_table_reset_partial(t, c.kind);
    EXPECT_EQ(names_of(constraints), c.left) << c.kind;
  }
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_table_get_columns(t)), 2);
  tarvex_brevane_meta_model_meta_table_reset_partial(t,
                                                     TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_COLUMN);
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_table_get_columns(t)), 0);
}

TEST_F(MetaContainmentTest, ClonedTableOwnsClonesOfItsMembers) {
  auto table = adopt(tarvex_brevane_meta_model_meta_table_new_with_names("d", "s", "t"));
  auto* t = table.get();
  auto column = adopt(tarvex_brevane_meta_model_meta_table_new_column(
      t, "a", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32));
  auto index = adopt(tarvex_brevane_meta_model_meta_index_new_with_names("d", "s", "t", "ix"));
  tarvex_brevane_meta_model_meta_index_append(index.get(), "a ASC");
  add(tarvex_brevane_meta_model_meta_table_get_indexes(t), index.get());
  add_new(tarvex_brevane_meta_model_meta_table_get_constraints(t),
          tarvex_brevane_meta_model_meta_check_new_with_names("d", "s", "ck", "a>0"));
  add_new(tarvex_brevane_meta_model_meta_table_get_triggers(t),
          tarvex_brevane_meta_model_meta_trigger_new_with_body("d", "s", "tr", "begin end"));
  add_new(tarvex_brevane_meta_model_meta_table_get_rules(t),
          tarvex_brevane_meta_model_meta_rule_new());
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_table_get_options(t)), "LOCK_ESCALATION",
              "TABLE");

  auto copy = adopt(
      TARVEX_BREVANE_META_MODEL_META_TABLE(tarvex_brevane_meta_model_meta_object_clone(META(t))));
  auto* c = copy.get();
  EXPECT_EQ(to_json(c), to_json(t));
  for (auto getter : {tarvex_brevane_meta_model_meta_table_get_columns,
                      tarvex_brevane_meta_model_meta_table_get_indexes,
                      tarvex_brevane_meta_model_meta_table_get_constraints,
                      tarvex_brevane_meta_model_meta_table_get_triggers,
                      tarvex_brevane_meta_model_meta_table_get_rules}) {
    EXPECT_NE(getter(c), getter(t));
    ASSERT_EQ(list_size(getter(c)), list_size(getter(t)));
    EXPECT_NE(list_at(getter(c), 0).get(), list_at(getter(t), 0).get());
  }
  EXPECT_NE(tarvex_brevane_meta_model_meta_table_get_options(c),
            tarvex_brevane_meta_model_meta_table_get_options(t));
  EXPECT_EQ(
      G_OBJECT_TYPE(list_at(tarvex_brevane_meta_model_meta_table_get_constraints(c), 0).get()),
      TARVEX_BREVANE_META_MODEL_TYPE_META_CHECK);

  // Changing the clone leaves the source alone.
  auto cloned_column = list_at(tarvex_brevane_meta_model_meta_table_get_columns(c), 0);
  tarvex_brevane_meta_model_meta_object_set_name(cloned_column.get(), "renamed");
  add_new(tarvex_brevane_meta_model_meta_table_get_columns(c),
          tarvex_brevane_meta_model_meta_column_new());
  auto cloned_index = list_at<TarvexBrevaneMetaModelMetaIndex>(
      tarvex_brevane_meta_model_meta_table_get_indexes(c), 0);
  tarvex_brevane_meta_model_meta_index_append(cloned_index.get(), "b DESC");
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_table_get_options(c)), "X", "1");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(column.get())), "a");
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_table_get_columns(t)), 1);
  EXPECT_EQ(str_list(tarvex_brevane_meta_model_meta_index_get_columns(index.get())),
            std::vector<std::string>{"a ASC"});
  EXPECT_EQ(str_list(tarvex_brevane_meta_model_meta_index_get_columns(cloned_index.get())),
            (std::vector<std::string>{"a ASC", "b DESC"}));
  EXPECT_EQ(map_entries(tarvex_brevane_meta_model_meta_table_get_options(t)).size(), 1u);
}

TEST_F(MetaContainmentTest, ClonedPrincipalsAndKeysOwnTheirContainers) {
  auto user = adopt(tarvex_brevane_meta_model_meta_user_new_with_names("d", "s", "u", "database"));
  auto* r = TARVEX_BREVANE_META_MODEL_META_RELATION(user.get());
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_relation_get_privileges(r)), "DATABASE",
              "CONNECT=G,ALTER=W,DELETE=D");
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_relation_get_relations(r)), "db_owner=u",
              "false");
  tarvex_brevane_meta_model_meta_user_set_default_schema(user.get(), "dbo");
  tarvex_brevane_meta_model_meta_relation_set_password(r, "pw");
  auto copy = adopt(tarvex_brevane_meta_model_meta_object_clone(META(user.get())));
  auto* c = TARVEX_BREVANE_META_MODEL_META_RELATION(copy.get());
  EXPECT_EQ(G_OBJECT_TYPE(c), TARVEX_BREVANE_META_MODEL_TYPE_META_USER);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_user_get_default_schema(
                   TARVEX_BREVANE_META_MODEL_META_USER(c)),
               "dbo");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_relation_get_password(c), "pw");
  EXPECT_NE(tarvex_brevane_meta_model_meta_relation_get_privileges(c),
            tarvex_brevane_meta_model_meta_relation_get_privileges(r));
  EXPECT_EQ(map_entries(tarvex_brevane_meta_model_meta_relation_get_privileges(c)),
            map_entries(tarvex_brevane_meta_model_meta_relation_get_privileges(r)));
  EXPECT_EQ(map_entries(tarvex_brevane_meta_model_meta_relation_get_relations(c)),
            (std::map<std::string, std::string>{{"db_owner=u", "false"}}));
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_relation_get_privileges(c)), "SERVER",
              "VIEW=G");
  EXPECT_EQ(map_entries(tarvex_brevane_meta_model_meta_relation_get_privileges(r)).size(), 1u);

  auto pk = adopt(tarvex_brevane_meta_model_meta_primary_key_new());
  gee_collection_add(
      GEE_COLLECTION(tarvex_brevane_meta_model_meta_primary_key_get_columns(pk.get())), "id");
  auto pk_copy = adopt(TARVEX_BREVANE_META_MODEL_META_PRIMARY_KEY(
      tarvex_brevane_meta_model_meta_object_clone(META(pk.get()))));
  gee_collection_add(
      GEE_COLLECTION(tarvex_brevane_meta_model_meta_primary_key_get_columns(pk_copy.get())),
      "other");
  EXPECT_EQ(str_list(tarvex_brevane_meta_model_meta_primary_key_get_columns(pk.get())),
            std::vector<std::string>{"id"});

  auto proc = adopt(tarvex_brevane_meta_model_meta_procedure_new_with_names("d", "s", "p"));
  auto* routine = TARVEX_BREVANE_META_MODEL_META_ROUTINE(proc.get());
  gee_collection_add(GEE_COLLECTION(tarvex_brevane_meta_model_meta_routine_get_parameters(routine)),
                     "@a int");
  auto proc_copy = adopt(TARVEX_BREVANE_META_MODEL_META_ROUTINE(
      tarvex_brevane_meta_model_meta_object_clone(META(proc.get()))));
  EXPECT_EQ(G_OBJECT_TYPE(proc_copy.get()), TARVEX_BREVANE_META_MODEL_TYPE_META_PROCEDURE);
  gee_collection_add(
      GEE_COLLECTION(tarvex_brevane_meta_model_meta_routine_get_parameters(proc_copy.get())),
      "@b int");
  EXPECT_EQ(str_list(tarvex_brevane_meta_model_meta_routine_get_parameters(routine)),
            std::vector<std::string>{"@a int"});

  auto fk = adopt(tarvex_brevane_meta_model_meta_foreign_key_new_with_names("d", "s", "fk"));
  const char* texts[] = {"rd", "rs", "rt", "a,b", "x,y", "m", "CASCADE", "NO_ACTION", "df"};
  int i = 0;
  for (auto setter : {tarvex_brevane_meta_model_meta_foreign_key_set_refer_database,
                      tarvex_brevane_meta_model_meta_foreign_key_set_refer_schema,
                      tarvex_brevane_meta_model_meta_foreign_key_set_refer_table,
                      tarvex_brevane_meta_model_meta_foreign_key_set_local_columns,
                      tarvex_brevane_meta_model_meta_foreign_key_set_refer_columns,
                      tarvex_brevane_meta_model_meta_foreign_key_set_match_method,
                      tarvex_brevane_meta_model_meta_foreign_key_set_delete_action,
                      tarvex_brevane_meta_model_meta_foreign_key_set_update_action,
                      tarvex_brevane_meta_model_meta_foreign_key_set_deferrable})
    setter(fk.get(), texts[i++]);
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(META(fk.get()))),
              "REPLICATION", "true");
  auto fk_copy = adopt(tarvex_brevane_meta_model_meta_object_clone(META(fk.get())));
  EXPECT_EQ(to_json(fk_copy.get()), to_json(fk.get()));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_foreign_key_get_update_action(
                   TARVEX_BREVANE_META_MODEL_META_FOREIGN_KEY(fk_copy.get())),
               "NO_ACTION");
}

TEST_F(MetaContainmentTest, ClonedSchemaClonesTablesAndViewsAndSharesTheRest) {
  auto schema = adopt(tarvex_brevane_meta_model_meta_schema_new_with_names("d", "s"));
  auto* s = schema.get();
  add_new(tarvex_brevane_meta_model_meta_schema_get_tables(s),
          tarvex_brevane_meta_model_meta_table_new_with_names("d", "s", "t"));
  auto view = adopt(tarvex_brevane_meta_model_meta_view_new_with_names("d", "s", "v"));
  tarvex_brevane_meta_model_meta_view_set_definition(view.get(), "select a, b from t");
  add(tarvex_brevane_meta_model_meta_schema_get_views(s), view.get());
  add_new(tarvex_brevane_meta_model_meta_schema_get_events(s),
          tarvex_brevane_meta_model_meta_event_new_with_names("d", "s", "e"));
  auto copy = adopt(
      TARVEX_BREVANE_META_MODEL_META_SCHEMA(tarvex_brevane_meta_model_meta_object_clone(META(s))));
  auto* c = copy.get();
  EXPECT_NE(tarvex_brevane_meta_model_meta_schema_get_tables(c),
            tarvex_brevane_meta_model_meta_schema_get_tables(s));
  EXPECT_NE(tarvex_brevane_meta_model_meta_schema_get_views(c),
            tarvex_brevane_meta_model_meta_schema_get_views(s));
  EXPECT_EQ(tarvex_brevane_meta_model_meta_schema_get_events(c),
            tarvex_brevane_meta_model_meta_schema_get_events(s));
  EXPECT_EQ(tarvex_brevane_meta_model_meta_schema_get_routines(c),
            tarvex_brevane_meta_model_meta_schema_get_routines(s));
  EXPECT_EQ(tarvex_brevane_meta_model_meta_schema_get_miews(c),
            tarvex_brevane_meta_model_meta_schema_get_miews(s));
  EXPECT_EQ(to_json(c), to_json(s));
  auto cloned_table = list_at(tarvex_brevane_meta_model_meta_schema_get_tables(c), 0);
  tarvex_brevane_meta_model_meta_object_set_name(cloned_table.get(), "t2");
  EXPECT_EQ(names_of(tarvex_brevane_meta_model_meta_schema_get_tables(s)),
            std::vector<std::string>{"t"});
  auto cloned_view = list_at<TarvexBrevaneMetaModelMetaView>(
      tarvex_brevane_meta_model_meta_schema_get_views(c), 0);
  EXPECT_NE(cloned_view.get(), view.get());
  EXPECT_EQ(names_of(tarvex_brevane_meta_model_meta_view_get_columns(cloned_view.get())),
            (std::vector<std::string>{"a", "b"}));
  EXPECT_NE(tarvex_brevane_meta_model_meta_view_get_columns(cloned_view.get()),
            tarvex_brevane_meta_model_meta_view_get_columns(view.get()));

  auto db = adopt(tarvex_brevane_meta_model_meta_database_new_with_name("d"));
  add(tarvex_brevane_meta_model_meta_database_get_schemas(db.get()), s);
  auto db_copy = adopt(TARVEX_BREVANE_META_MODEL_META_DATABASE(
      tarvex_brevane_meta_model_meta_object_clone(META(db.get()))));
  auto cloned_schema =
      list_at(tarvex_brevane_meta_model_meta_database_get_schemas(db_copy.get()), 0);
  EXPECT_NE(cloned_schema.get(), META(s));
  EXPECT_EQ(to_json(db_copy.get()), to_json(db.get()));
}

// A reset empties what a refill adds again, so a second fill gives the same
// object instead of duplicated members.
TEST_F(MetaContainmentTest, ResetEmptiesWhatFillersAppend) {
  auto table = adopt(tarvex_brevane_meta_model_meta_table_new_with_names("d", "s", "t"));
  auto* t = table.get();
  adopt(tarvex_brevane_meta_model_meta_table_new_column(
      t, "a", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32));
  add_new(tarvex_brevane_meta_model_meta_table_get_indexes(t),
          tarvex_brevane_meta_model_meta_index_new());
  add_new(tarvex_brevane_meta_model_meta_table_get_constraints(t),
          tarvex_brevane_meta_model_meta_unique_new());
  add_new(tarvex_brevane_meta_model_meta_table_get_triggers(t),
          tarvex_brevane_meta_model_meta_trigger_new());
  add_new(tarvex_brevane_meta_model_meta_table_get_rules(t),
          tarvex_brevane_meta_model_meta_rule_new());
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_table_get_options(t)), "LOCK_ESCALATION",
              "TABLE");
  g_object_set_data(G_OBJECT(t), "FILLED", GINT_TO_POINTER(1));
  tarvex_brevane_meta_model_meta_object_reset(META(t));
  for (auto getter : {tarvex_brevane_meta_model_meta_table_get_columns,
                      tarvex_brevane_meta_model_meta_table_get_indexes,
                      tarvex_brevane_meta_model_meta_table_get_constraints,
                      tarvex_brevane_meta_model_meta_table_get_triggers,
                      tarvex_brevane_meta_model_meta_table_get_rules})
    EXPECT_EQ(list_size(getter(t)), 0);
  EXPECT_TRUE(map_entries(tarvex_brevane_meta_model_meta_table_get_options(t)).empty());
  EXPECT_EQ(g_object_get_data(G_OBJECT(t), "FILLED"), nullptr);

  auto schema = adopt(tarvex_brevane_meta_model_meta_schema_new_with_names("d", "s"));
  auto* s = schema.get();
  add_new(tarvex_brevane_meta_model_meta_schema_get_tables(s),
          tarvex_brevane_meta_model_meta_table_new());
  add_new(tarvex_brevane_meta_model_meta_schema_get_views(s),
          tarvex_brevane_meta_model_meta_view_new());
  add_new(tarvex_brevane_meta_model_meta_schema_get_events(s),
          tarvex_brevane_meta_model_meta_event_new());
  add_new(tarvex_brevane_meta_model_meta_schema_get_routines(s),
          tarvex_brevane_meta_model_meta_function_new());
  add_new(tarvex_brevane_meta_model_meta_schema_get_miews(s),
          tarvex_brevane_meta_model_materialized_new());
  tarvex_brevane_meta_model_meta_object_reset(META(s));
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_schema_get_tables(s)), 0);
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_schema_get_views(s)), 0);
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_schema_get_events(s)), 0);
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_schema_get_routines(s)), 0);
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_schema_get_miews(s)), 1);

  auto db = adopt(tarvex_brevane_meta_model_meta_database_new_with_name("d"));
  adopt(tarvex_brevane_meta_model_meta_database_append(db.get(), "dbo"));
  tarvex_brevane_meta_model_meta_object_reset(META(db.get()));
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_database_get_schemas(db.get())), 0);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(db.get())), "d");

  // Routine: parameters go, body and return type stay.
  auto fn = adopt(tarvex_brevane_meta_model_meta_function_new_with_names("d", "s", "f"));
  auto* r = TARVEX_BREVANE_META_MODEL_META_ROUTINE(fn.get());
  tarvex_brevane_meta_model_meta_routine_set_body(r, "return 1");
  tarvex_brevane_meta_model_meta_routine_set_return_type(r, "int");
  gee_collection_add(GEE_COLLECTION(tarvex_brevane_meta_model_meta_routine_get_parameters(r)),
                     "@a int");
  tarvex_brevane_meta_model_meta_object_set_comment(META(r), "c");
  tarvex_brevane_meta_model_meta_object_reset(META(r));
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_routine_get_parameters(r)), 0);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_routine_get_body(r), "return 1");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_routine_get_return_type(r), "int");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(r)), "");

  // Index: key columns go.
  auto index = adopt(tarvex_brevane_meta_model_meta_index_new());
  tarvex_brevane_meta_model_meta_index_append(index.get(), "a ASC");
  tarvex_brevane_meta_model_meta_index_set_kind(index.get(), "XML");
  tarvex_brevane_meta_model_meta_object_reset(META(index.get()));
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_index_get_columns(index.get())), 0);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_kind(index.get()), "XML");

  // Principals: privileges and memberships go (revoked ones must not stay).
  auto role = adopt(tarvex_brevane_meta_model_meta_role_new_with_names("d", "s", "r", "database"));
  auto* rel = TARVEX_BREVANE_META_MODEL_META_RELATION(role.get());
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_relation_get_privileges(rel)), "DATABASE",
              "CONNECT=G");
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_relation_get_relations(rel)), "r=u", "false");
  tarvex_brevane_meta_model_meta_object_reset(META(rel));
  EXPECT_TRUE(map_entries(tarvex_brevane_meta_model_meta_relation_get_privileges(rel)).empty());
  EXPECT_TRUE(map_entries(tarvex_brevane_meta_model_meta_relation_get_relations(rel)).empty());
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_relation_get_scope(rel), "database");

  // Plain records keep their own properties.
  auto event = adopt(tarvex_brevane_meta_model_meta_event_new_with_names("d", "s", "e"));
  tarvex_brevane_meta_model_meta_event_set_schedule(event.get(), "EVERY 1 DAY");
  tarvex_brevane_meta_model_meta_event_set_body(event.get(), "select 1");
  tarvex_brevane_meta_model_meta_object_set_comment(META(event.get()), "c");
  tarvex_brevane_meta_model_meta_object_reset(META(event.get()));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_event_get_schedule(event.get()), "EVERY 1 DAY");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_event_get_body(event.get()), "select 1");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(event.get())), "");

  // A view keeps its definition and the columns read from it.
  auto view = adopt(tarvex_brevane_meta_model_meta_view_new());
  tarvex_brevane_meta_model_meta_view_set_definition(view.get(), "select a from t");
  tarvex_brevane_meta_model_meta_object_reset(META(view.get()));
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_view_get_columns(view.get())), 1);
}

TEST_F(MetaContainmentTest, ClassifyFromArrayKeepsTablesInOrder) {
  auto t1 = adopt(tarvex_brevane_meta_model_meta_table_new_with_names("d", "s", "t1"));
  auto v1 = adopt(tarvex_brevane_meta_model_meta_view_new_with_names("d", "s", "v1"));
  auto t2 = adopt(tarvex_brevane_meta_model_meta_table_new_with_names("d", "s", "t2"));
  TarvexBrevaneMetaModelMetaObject* objects[] = {META(t1.get()), META(v1.get()), META(t2.get())};
  auto group = adopt(tarvex_brevane_meta_model_meta_classify_new_with_array(
      TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE, "d", "s", "Tables", objects, 3));
  GListModel* children = tarvex_brevane_meta_model_meta_classify_get_children(group.get());
  ASSERT_EQ(g_list_model_get_n_items(children), 2u);
  auto first = adopt(static_cast<GObject*>(g_list_model_get_item(children, 0)));
  auto second = adopt(static_cast<GObject*>(g_list_model_get_item(children, 1)));
  EXPECT_EQ(first.get(), G_OBJECT(t1.get()));
  EXPECT_EQ(second.get(), G_OBJECT(t2.get()));
}

TEST_F(MetaContainmentTest, ApplicationRolePasswordIsEscapedForQuotes) {
  auto role =
      adopt(tarvex_brevane_meta_model_meta_role_new_with_names("d", "s", "app", "application"));
  auto* r = TARVEX_BREVANE_META_MODEL_META_RELATION(role.get());
  struct Case {
    const char *password, *escaped;
  } cases[] = {{"plain", "plain"}, {"it's", "it''s"}, {"''", "''''"}, {"", ""}, {nullptr, ""}};
  for (const auto& c : cases) {
    tarvex_brevane_meta_model_meta_relation_set_password(r, c.password);
    GUniqueStr escaped(tarvex_brevane_meta_model_meta_relation_escape_password(r));
    EXPECT_STREQ(escaped.get(), c.escaped);
  }
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_relation_get_password(r), nullptr);
}

}  // namespace
