// The JSON form: every list and map has an explicit form, equal objects give
// equal texts, and a whole database survives JSON out, in and out again.
#include "tests/brevane/model/model-test.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

class MetaJsonTest : public LogCaptureTest {};

void add_new(gpointer list, gpointer item) {
  gee_collection_add(GEE_COLLECTION(list), item);
  g_object_unref(item);
}
void attr(gpointer object, const char* key, const char* value) {
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(META(object))), key,
              value);
}

GRef<TarvexBrevaneMetaModelMetaTable> full_table(const char* schema, const char* name) {
  auto table = adopt(tarvex_brevane_meta_model_meta_table_new_with_names("Ventes €", schema, name));
  auto* t = table.get();
  tarvex_brevane_meta_model_meta_object_set_comment(META(t),
                                                    "Comment with \"quotes\" and 'apostrophes'");
  attr(t, "PRIMARY_KEY_NAME", "PK_t");
  attr(t, "OWNER", "dbo");
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_table_get_options(t)), "LOCK_ESCALATION",
              "TABLE");
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_table_get_options(t)), "DATA_COMPRESSION",
              "PAGE");

  auto id = adopt(tarvex_brevane_meta_model_meta_table_new_column(
      t, "id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64));
  tarvex_brevane_meta_model_meta_column_set_ordinal(id.get(), 1);
  tarvex_brevane_meta_model_meta_column_set_raw_type(id.get(), "BIGINT");
  tarvex_brevane_meta_model_meta_column_set_length(id.get(), -1);
  tarvex_brevane_meta_model_meta_column_set_identity(id.get(), "(1,1)");
  tarvex_brevane_meta_model_meta_column_set_auto_increment_seed(id.get(), G_MAXUINT64);
  tarvex_brevane_meta_model_meta_column_set_not_null(id.get(), TRUE);
  tarvex_brevane_meta_model_meta_column_set_is_primary_key(id.get(), TRUE);
  tarvex_brevane_meta_model_meta_column_set_primary_ordinal(id.get(), 1);
  tarvex_brevane_meta_model_meta_column_set_scale(id.get(), 255);
  attr(id.get(), "SPARSE", "false");
  auto café = adopt(tarvex_brevane_meta_model_meta_table_new_column(
      t, "Café", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING));
  tarvex_brevane_meta_model_meta_column_set_after(café.get(), "id");
  tarvex_brevane_meta_model_meta_column_set_default_value(café.get(), "('')");
  tarvex_brevane_meta_model_meta_column_set_collation(café.get(), "Latin1_General_CI_AS");

  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(t);
  add_new(constraints, tarvex_brevane_meta_model_meta_check_new_with_names("Ventes €", schema,
                                                                           "CK_a", "([id]>(0))"));
  auto fk = tarvex_brevane_meta_model_meta_foreign_key_new_with_refer("Ventes €", schema, "FK_p",
                                                                      "dbo", "parent");
  tarvex_brevane_meta_model_meta_foreign_key_set_local_columns(fk, "pid");
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_columns(fk, "id");
  tarvex_brevane_meta_model_meta_foreign_key_set_delete_action(fk, "CASCADE");
  attr(fk, "REPLICATION", "true");
  add_new(constraints, fk);
  auto pk = tarvex_brevane_meta_model_meta_primary_key_new_with_names("Ventes €", schema, "PK_t");
  gee_collection_add(GEE_COLLECTION(tarvex_brevane_meta_model_meta_primary_key_get_columns(pk)),
                     "id");
  add_new(constraints, pk);
  auto uq = tarvex_brevane_meta_model_meta_unique_new_with_names("Ventes €", schema, "UQ_c");
  tarvex_brevane_meta_model_meta_unique_set_columns(uq, "[Café] ASC");
  attr(uq, "CLUSTERED", "false");
  add_new(constraints, uq);
  add_new(constraints,
          tarvex_brevane_meta_model_meta_exclude_new_with_names("Ventes €", schema, "EX"));
  add_new(constraints,
          tarvex_brevane_meta_model_meta_constraint_new_with_names("Ventes €", schema, "plain"));

  auto ix = tarvex_brevane_meta_model_meta_index_new_with_names("Ventes €", schema, name, "IX_c");
  tarvex_brevane_meta_model_meta_index_append(ix, "Café ASC");
  tarvex_brevane_meta_model_meta_index_append(ix, "id DESC");
  tarvex_brevane_meta_model_meta_index_set_is_clustered(ix, TRUE);
  tarvex_brevane_meta_model_meta_index_set_key_block_size(ix, 8);
  add_new(tarvex_brevane_meta_model_meta_table_get_indexes(t), ix);
  add_new(tarvex_brevane_meta_model_meta_table_get_indexes(t),
          tarvex_brevane_meta_model_meta_index_new());

  auto tr = tarvex_brevane_meta_model_meta_trigger_new_with_body("Ventes €", schema, "TR_i",
                                                                 "begin\n  select 1;\nend");
  tarvex_brevane_meta_model_meta_trigger_set_timing(tr, "AFTER");
  tarvex_brevane_meta_model_meta_trigger_set_event(tr, "INSERT,DELETE");
  tarvex_brevane_meta_model_meta_trigger_set_enable(tr, TRUE);
  add_new(tarvex_brevane_meta_model_meta_table_get_triggers(t), tr);
  auto rule = tarvex_brevane_meta_model_meta_rule_new_with_names("Ventes €", schema, "r");
  tarvex_brevane_meta_model_meta_rule_set_action(rule, "DO INSTEAD NOTHING");
  add_new(tarvex_brevane_meta_model_meta_table_get_rules(t), rule);
  return table;
}

GRef<TarvexBrevaneMetaModelMetaDatabase> full_database() {
  auto db = adopt(tarvex_brevane_meta_model_meta_database_new_with_name("Ventes €"));
  attr(db.get(), "COLLATION", "French_CI_AS");
  attr(db.get(), "FILE.1", "NAME=data,SIZE=8MB,");
  for (const char* schema_name : {"dbo", "Straße"}) {
    auto schema = adopt(tarvex_brevane_meta_model_meta_database_append(db.get(), schema_name));
    auto* s = schema.get();
    attr(s, "OWNER", "dbo");
    add_new(tarvex_brevane_meta_model_meta_schema_get_tables(s),
            full_table(schema_name, "orders").leak());
    add_new(tarvex_brevane_meta_model_meta_schema_get_tables(s),
            tarvex_brevane_meta_model_meta_table_new_with_names("Ventes €", schema_name, "empty"));

    auto view =
        tarvex_brevane_meta_model_meta_view_new_with_names("Ventes €", schema_name, "v_orders");
    tarvex_brevane_meta_model_meta_view_set_definition(
        view, "SELECT o.id AS oid, o.[Café], 'a,b' AS lit FROM orders o");
    attr(view, "SCHEMABINDING", "true");
    add_new(tarvex_brevane_meta_model_meta_schema_get_views(s), view);
    auto mv = tarvex_brevane_meta_model_materialized_new_with_names("Ventes €", schema_name, "mv");
    tarvex_brevane_meta_model_meta_view_set_definition(TARVEX_BREVANE_META_MODEL_META_VIEW(mv),
                                                       "select a, b from t");
    tarvex_brevane_meta_model_materialized_set_with_data(mv, FALSE);
    tarvex_brevane_meta_model_materialized_set_fill_factor(mv, "80");
    add_new(tarvex_brevane_meta_model_meta_schema_get_miews(s), mv);

    auto event =
        tarvex_brevane_meta_model_meta_event_new_with_names("Ventes €", schema_name, "nightly");
    tarvex_brevane_meta_model_meta_event_set_schedule(event,
                                                      "EVERY 1 DAY STARTS '2024-01-01 00:00:00'");
    tarvex_brevane_meta_model_meta_event_set_body(event, "delete from log");
    add_new(tarvex_brevane_meta_model_meta_schema_get_events(s), event);

    GeeArrayList* routines = tarvex_brevane_meta_model_meta_schema_get_routines(s);
    auto fn = tarvex_brevane_meta_model_meta_function_new_with_names("Ventes €", schema_name, "f");
    auto* r = TARVEX_BREVANE_META_MODEL_META_ROUTINE(fn);
    tarvex_brevane_meta_model_meta_routine_set_return_type(r, "TABLE");
    tarvex_brevane_meta_model_meta_routine_set_body(r, "return select 1");
    gee_collection_add(GEE_COLLECTION(tarvex_brevane_meta_model_meta_routine_get_parameters(r)),
                       "@a int");
    gee_collection_add(GEE_COLLECTION(tarvex_brevane_meta_model_meta_routine_get_parameters(r)),
                       "@b nvarchar(10) = N'x' OUTPUT");
    add_new(routines, fn);
    add_new(routines,
            tarvex_brevane_meta_model_meta_procedure_new_with_names("Ventes €", schema_name, "p"));
    add_new(routines,
            tarvex_brevane_meta_model_meta_external_new_with_names("Ventes €", schema_name, "x"));
    add_new(routines, tarvex_brevane_meta_model_meta_routine_new());
  }
  return db;
}

TEST_F(MetaJsonTest, WholeDatabaseRoundTripIsByteIdentical) {
  auto db = full_database();
  std::string first = to_json(db.get());
  auto read = from_json<TarvexBrevaneMetaModelMetaDatabase>(
      TARVEX_BREVANE_META_MODEL_TYPE_META_DATABASE, first);
  ASSERT_TRUE(read);
  std::string second = to_json(read.get());
  EXPECT_EQ(first, second);
  auto again = from_json(TARVEX_BREVANE_META_MODEL_TYPE_META_DATABASE, second);
  EXPECT_EQ(to_json(again.get()), first);

  // The elements come back as objects of their own classes.
  GeeArrayList* schemas = tarvex_brevane_meta_model_meta_database_get_schemas(read.get());
  ASSERT_EQ(names_of(schemas), (std::vector<std::string>{"dbo", "Straße"}));
  auto schema = list_at<TarvexBrevaneMetaModelMetaSchema>(schemas, 1);
  GeeArrayList* routines = tarvex_brevane_meta_model_meta_schema_get_routines(schema.get());
  std::vector<std::string> routine_types;
  for (gint i = 0; i < list_size(routines); ++i)
    routine_types.emplace_back(G_OBJECT_TYPE_NAME(list_at(routines, i).get()));
  EXPECT_EQ(routine_types,
            (std::vector<std::string>{
                "TarvexBrevaneMetaModelMetaFunction", "TarvexBrevaneMetaModelMetaProcedure",
                "TarvexBrevaneMetaModelMetaExternal", "TarvexBrevaneMetaModelMetaRoutine"}));
  auto fn = list_at<TarvexBrevaneMetaModelMetaRoutine>(routines, 0);
  EXPECT_EQ(str_list(tarvex_brevane_meta_model_meta_routine_get_parameters(fn.get())),
            (std::vector<std::string>{"@a int", "@b nvarchar(10) = N'x' OUTPUT"}));
  EXPECT_EQ(names_of(tarvex_brevane_meta_model_meta_schema_get_events(schema.get())),
            std::vector<std::string>{"nightly"});
  auto mv = list_at(tarvex_brevane_meta_model_meta_schema_get_miews(schema.get()), 0);
  EXPECT_EQ(G_OBJECT_TYPE(mv.get()), TARVEX_BREVANE_META_MODEL_TYPE_MATERIALIZED);
  EXPECT_FALSE(tarvex_brevane_meta_model_materialized_get_with_data(
      TARVEX_BREVANE_META_MODEL_MATERIALIZED(mv.get())));
  auto view = list_at<TarvexBrevaneMetaModelMetaView>(
      tarvex_brevane_meta_model_meta_schema_get_views(schema.get()), 0);
  EXPECT_EQ(names_of(tarvex_brevane_meta_model_meta_view_get_columns(view.get())),
            (std::vector<std::string>{"oid", "o.Café", "lit"}));

  auto table = list_at<TarvexBrevaneMetaModelMetaTable>(
      tarvex_brevane_meta_model_meta_schema_get_tables(schema.get()), 0);
  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(table.get());
  std::vector<std::string> constraint_types;
  for (gint i = 0; i < list_size(constraints); ++i)
    constraint_types.emplace_back(G_OBJECT_TYPE_NAME(list_at(constraints, i).get()));
  EXPECT_EQ(constraint_types,
            (std::vector<std::string>{
                "TarvexBrevaneMetaModelMetaCheck", "TarvexBrevaneMetaModelMetaForeignKey",
                "TarvexBrevaneMetaModelMetaPrimaryKey", "TarvexBrevaneMetaModelMetaUnique",
                "TarvexBrevaneMetaModelMetaExclude", "TarvexBrevaneMetaModelMetaConstraint"}));
  auto pk = list_at<TarvexBrevaneMetaModelMetaPrimaryKey>(constraints, 2);
  EXPECT_EQ(str_list(tarvex_brevane_meta_model_meta_primary_key_get_columns(pk.get())),
            std::vector<std::string>{"id"});
  auto index = list_at<TarvexBrevaneMetaModelMetaIndex>(
      tarvex_brevane_meta_model_meta_table_get_indexes(table.get()), 0);
  EXPECT_EQ(str_list(tarvex_brevane_meta_model_meta_index_get_columns(index.get())),
            (std::vector<std::string>{"Café ASC", "id DESC"}));
  auto id = adopt(tarvex_brevane_meta_model_meta_table_get_column(table.get(), "id"));
  ASSERT_TRUE(id);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_auto_increment_seed(id.get()), G_MAXUINT64);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_length(id.get()), -1);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_scale(id.get()), 255);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_data_type(id.get()),
            TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64);
  EXPECT_EQ(map_entries(tarvex_brevane_meta_model_meta_table_get_options(table.get())),
            (std::map<std::string, std::string>{{"DATA_COMPRESSION", "PAGE"},
                                                {"LOCK_ESCALATION", "TABLE"}}));
}

// Equal objects built in different orders give equal texts.
TEST_F(MetaJsonTest, EqualObjectsGiveEqualTexts) {
  auto a = adopt(tarvex_brevane_meta_model_meta_user_new_with_names("d", "s", "u", "database"));
  auto b = adopt(tarvex_brevane_meta_model_meta_user_new_with_names("d", "s", "u", "database"));
  auto* ra = TARVEX_BREVANE_META_MODEL_META_RELATION(a.get());
  auto* rb = TARVEX_BREVANE_META_MODEL_META_RELATION(b.get());
  const char* keys[] = {"DATABASE", "OBJECT", "TABLE:dbo.t", "TABLE:dbo.t.c", "SERVER", "ENDPOINT"};
  for (const char* k : keys)
    gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_relation_get_privileges(ra)), k, "SELECT=G");
  for (int i = 5; i >= 0; --i)
    gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_relation_get_privileges(rb)), keys[i],
                "SELECT=G");
  for (const char* k : {"r1=u", "r2=u", "r3=u"})
    gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_relation_get_relations(ra)), k, "false");
  for (const char* k : {"r3=u", "r1=u", "r2=u"})
    gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_relation_get_relations(rb)), k, "false");
  EXPECT_EQ(to_json(a.get()), to_json(b.get()));
}

TEST_F(MetaJsonTest, PrincipalsIndexesAndRules) {
  auto user = adopt(tarvex_brevane_meta_model_meta_user_new_with_names("d", "s", "u", "database"));
  auto* r = TARVEX_BREVANE_META_MODEL_META_RELATION(user.get());
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_relation_get_privileges(r)), "DATABASE",
              "CONNECT=G,ALTER=W,DELETE=D");
  std::string text = to_json(user.get());
  EXPECT_NE(text.find("\"privileges\" : {\n    \"DATABASE\" : \"CONNECT=G,ALTER=W,DELETE=D\"\n  }"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\"relations\" : {  }"), std::string::npos) << text;
  auto back =
      from_json<TarvexBrevaneMetaModelMetaRelation>(TARVEX_BREVANE_META_MODEL_TYPE_META_USER, text);
  EXPECT_EQ(map_entries(tarvex_brevane_meta_model_meta_relation_get_privileges(back.get())),
            (std::map<std::string, std::string>{{"DATABASE", "CONNECT=G,ALTER=W,DELETE=D"}}));

  auto role = from_json<TarvexBrevaneMetaModelMetaRelation>(
      TARVEX_BREVANE_META_MODEL_TYPE_META_ROLE,
      "{\"name\":\"r\",\"relations\":{\"r=u\":\"false\",\"r=v\":3},\"scope\":\"database\"}");
  EXPECT_EQ(map_entries(tarvex_brevane_meta_model_meta_relation_get_relations(role.get())),
            (std::map<std::string, std::string>{{"r=u", "false"}, {"r=v", ""}}));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_relation_get_scope(role.get()), "database");

  auto index = adopt(tarvex_brevane_meta_model_meta_index_new());
  EXPECT_NE(to_json(index.get()).find("\"columns\" : []"), std::string::npos);
  tarvex_brevane_meta_model_meta_index_append(index.get(), "a");
  tarvex_brevane_meta_model_meta_index_append(index.get(), "b");
  EXPECT_NE(to_json(index.get()).find("\"columns\" : [\n    \"a\",\n    \"b\"\n  ]"),
            std::string::npos);

  auto rule = adopt(tarvex_brevane_meta_model_meta_rule_new());
  std::string rule_text = to_json(rule.get());
  EXPECT_EQ(rule_text.find("\"enable\""), std::string::npos);
  auto rule_back = from_json<TarvexBrevaneMetaModelMetaRule>(
      TARVEX_BREVANE_META_MODEL_TYPE_META_RULE, rule_text);
  EXPECT_FALSE(tarvex_brevane_meta_model_meta_rule_get_enable(rule_back.get()));
  // A missing member leaves the starting value.
  auto check = from_json<TarvexBrevaneMetaModelMetaCheck>(TARVEX_BREVANE_META_MODEL_TYPE_META_CHECK,
                                                          "{\"check\":\"a>0\"}");
  EXPECT_TRUE(tarvex_brevane_meta_model_meta_check_get_no_inherit(check.get()));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_check_get_deferrable(check.get()), "");
}

// Only the model's constraint (and routine) classes are made from a class
// name read from a file; anything else is refused with a warning.
TEST_F(MetaJsonTest, ListElementClassesAreCheckedByName) {
  const char* text =
      "{\"name\":\"t\",\"constraints\":["
      "{\"name\":\"ok1\",\"class\":\"TarvexBrevaneMetaModelMetaUnique\"},"
      "{\"name\":\"missing\"},"
      "{\"name\":\"object\",\"class\":\"GObject\"},"
      "{\"name\":\"table\",\"class\":\"TarvexBrevaneMetaModelMetaTable\"},"
      "{\"name\":\"number\",\"class\":7},"
      "42,"
      "{\"name\":\"ok2\",\"class\":\"TarvexBrevaneMetaModelMetaCheck\",\"check\":\"x\"}"
      "]}";
  GRef<TarvexBrevaneMetaModelMetaTable> table;
  table =
      from_json<TarvexBrevaneMetaModelMetaTable>(TARVEX_BREVANE_META_MODEL_TYPE_META_TABLE, text);
  EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "has no \"class\" member"));
  EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING,
                       "\"GObject\", which is not a TarvexBrevaneMetaModelMetaConstraint"));
  EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "\"TarvexBrevaneMetaModelMetaTable\", which is not"));
  EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "has no \"class\" member"));
  EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "is not a JSON object"));
  ASSERT_TRUE(table);
  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(table.get());
  EXPECT_EQ(names_of(constraints), (std::vector<std::string>{"ok1", "ok2"}));
  EXPECT_EQ(G_OBJECT_TYPE(list_at(constraints, 1).get()),
            TARVEX_BREVANE_META_MODEL_TYPE_META_CHECK);

  auto schema = from_json<TarvexBrevaneMetaModelMetaSchema>(
      TARVEX_BREVANE_META_MODEL_TYPE_META_SCHEMA,
      "{\"routines\":[{\"name\":\"p\",\"class\":\"TarvexBrevaneMetaModelMetaProcedure\"},"
      "{\"name\":\"c\",\"class\":\"TarvexBrevaneMetaModelMetaCheck\"}]}");
  EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "which is not a TarvexBrevaneMetaModelMetaRoutine"));
  EXPECT_EQ(names_of(tarvex_brevane_meta_model_meta_schema_get_routines(schema.get())),
            std::vector<std::string>{"p"});
}

TEST_F(MetaJsonTest, ClassifyChildrenKeepTheirClasses) {
  auto t = adopt(tarvex_brevane_meta_model_meta_table_new_with_names("d", "s", "t"));
  auto v = adopt(tarvex_brevane_meta_model_meta_view_new_with_names("d", "s", "v"));
  TarvexBrevaneMetaModelMetaObject* objects[] = {META(t.get()), META(v.get())};
  auto group = adopt(tarvex_brevane_meta_model_meta_classify_new_with_array(
      TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE, "d", "s", "Tables", objects, 2));
  std::string text = to_json(group.get());
  auto back = from_json<TarvexBrevaneMetaModelMetaClassify>(
      TARVEX_BREVANE_META_MODEL_TYPE_META_CLASSIFY, text);
  GListModel* children = tarvex_brevane_meta_model_meta_classify_get_children(back.get());
  ASSERT_NE(children, nullptr);
  ASSERT_EQ(g_list_model_get_n_items(children), 1u);
  auto child = adopt(static_cast<GObject*>(g_list_model_get_item(children, 0)));
  EXPECT_EQ(G_OBJECT_TYPE(child.get()), TARVEX_BREVANE_META_MODEL_TYPE_META_TABLE);
  auto empty = adopt(tarvex_brevane_meta_model_meta_classify_new(
      TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW, "d", "s", "Views"));
  EXPECT_EQ(to_json(empty.get()).find("children"), std::string::npos);
}

}  // namespace
