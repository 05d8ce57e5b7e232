// Views read their output columns from the definition: every top-level
// select item up to the top-level FROM, respecting parentheses, brackets,
// quotes and comments.
#include "tests/brevane/model/model-test.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

class MetaViewTest : public LogCaptureTest {};

using Columns = std::vector<std::pair<std::string, std::string>>;  // name, raw type

Columns columns_of(TarvexBrevaneMetaModelMetaView* view) {
  Columns out;
  GeeArrayList* list = tarvex_brevane_meta_model_meta_view_get_columns(view);
  for (gint i = 0; i < list_size(list); ++i) {
    auto column = list_at<TarvexBrevaneMetaModelMetaColumn>(list, i);
    out.emplace_back(tarvex_brevane_meta_model_meta_object_get_name(META(column.get())),
                     tarvex_brevane_meta_model_meta_column_get_raw_type(column.get()));
  }
  return out;
}

TEST_F(MetaViewTest, ColumnsFromSelectTexts) {
  struct Case {
    const char* definition;
    Columns expected;
  } cases[] = {
      {"SELECT p.id AS pid, p.code, p.title  FROM dbo.items p",
       {{"pid", "p.id"}, {"p.code", "p.code"}, {"p.title", "p.title"}}},
      {"select a, b from t", {{"a", "a"}, {"b", "b"}}},
      {"select [a].[b] , c.d from x", {{"a.b", "[a].[b]"}, {"c.d", "c.d"}}},
      {"select t.*, x from t", {{"t.*", "t.*"}, {"x", "x"}}},
      {"select *, x from t", {{"*", "*"}, {"x", "x"}}},
      {"SELECT a FROM t WHERE b IN (SELECT c FROM u) AND d = 1", {{"a", "a"}}},
      {"select a, (select max(b) from u where u.k = t.k) as top_b, c from t",
       {{"a", "a"}, {"top_b", "(select max(b) from u where u.k = t.k)"}, {"c", "c"}}},
      {"select 'x, y' as lit, N'it''s, ok' AS [quoted, name], z from t",
       {{"lit", "'x, y'"}, {"quoted, name", "N'it''s, ok'"}, {"z", "z"}}},
      {"SELECT o.id, c.[Name] AS CustomerName, o.total FROM dbo.orders o "
       "INNER JOIN dbo.customers c ON c.id = o.customer_id LEFT JOIN x ON 1 = 1",
       {{"o.id", "o.id"}, {"CustomerName", "c.[Name]"}, {"o.total", "o.total"}}},
      {"select count(*) cnt, sum(isnull(a, 0)) total, convert(varchar(10), d, 120) AS day from t "
       "group by d",
       {{"cnt", "count(*)"},
        {"total", "sum(isnull(a, 0))"},
        {"day", "convert(varchar(10), d, 120)"}}},
      {"SELECT DISTINCT TOP (10) PERCENT a, b FROM t ORDER BY a", {{"a", "a"}, {"b", "b"}}},
      {"select top 5 with ties a from t order by a", {{"a", "a"}}},
      {"select total = a + b, [x y] = 1 from t", {{"total", "a + b"}, {"x y", "1"}}},
      {"select case when a > 1 then 'x' else 'y' end as kind, case b when 1 then 2 end from t",
       {{"kind", "case when a > 1 then 'x' else 'y' end"},
        {"case b when 1 then 2 end", "case b when 1 then 2 end"}}},
      {"select a /* the key, first */, b -- comment, with comma\n , \"c d\" from t",
       {{"a", "a"}, {"b", "b"}, {"c d", "\"c d\""}}},
      {"select a collate Latin1_General_CI_AS, b + c from t",
       {{"a collate Latin1_General_CI_AS", "a collate Latin1_General_CI_AS"}, {"b + c", "b + c"}}},
      {"select 1 as one", {{"one", "1"}}},
      {"  SELECT\n\ta\n,\tb\nFROM t UNION SELECT c, d FROM u", {{"a", "a"}, {"b", "b"}}},
      {"select Café, 名前 AS n from t", {{"Café", "Café"}, {"n", "名前"}}},
      {"select [from], [select] as s from t", {{"from", "[from]"}, {"s", "[select]"}}},
  };
  for (const auto& c : cases) {
    auto view = adopt(tarvex_brevane_meta_model_meta_view_new());
    tarvex_brevane_meta_model_meta_view_set_definition(view.get(), c.definition);
    EXPECT_EQ(columns_of(view.get()), c.expected) << c.definition;
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_view_get_definition(view.get()), c.definition);
  }
}

TEST_F(MetaViewTest, TextWithoutSelectListKeepsColumnsButStillNotifies) {
  auto view = adopt(tarvex_brevane_meta_model_meta_view_new_with_names("d", "s", "v"));
  tarvex_brevane_meta_model_meta_view_set_definition(view.get(), "select a, b from t");
  GeeArrayList* list = tarvex_brevane_meta_model_meta_view_get_columns(view.get());
  NotifyCounter counter(view.get());
  for (const char* text :
       {"/* Definition is encrypted. */", "", "-- select x from y", "'select q from r'"}) {
    tarvex_brevane_meta_model_meta_view_set_definition(view.get(), text);
    EXPECT_EQ(columns_of(view.get()), (Columns{{"a", "a"}, {"b", "b"}})) << text;
  }
  EXPECT_EQ(counter.count("definition"), 4);
  // The same text again still rebuilds and notifies; the list object stays.
  tarvex_brevane_meta_model_meta_view_set_definition(view.get(), "select c from t");
  tarvex_brevane_meta_model_meta_view_set_definition(view.get(), "select c from t");
  EXPECT_EQ(counter.count("definition"), 6);
  EXPECT_EQ(counter.count("columns"), 0);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_view_get_columns(view.get()), list);
  EXPECT_EQ(columns_of(view.get()), (Columns{{"c", "c"}}));
  // Through the generic interface too.
  g_object_set(view.get(), "definition", "select z from t", nullptr);
  EXPECT_EQ(columns_of(view.get()), (Columns{{"z", "z"}}));
}

TEST_F(MetaViewTest, MaterializedViewsReadColumnsAndKeepTheirSettings) {
  auto mv = adopt(tarvex_brevane_meta_model_materialized_new());
  auto* view = TARVEX_BREVANE_META_MODEL_META_VIEW(mv.get());
  EXPECT_TRUE(tarvex_brevane_meta_model_materialized_get_with_data(mv.get()));
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_character(META(view)), 46);
  tarvex_brevane_meta_model_meta_view_set_definition(view, "select a as x from t");
  tarvex_brevane_meta_model_materialized_set_table_space(mv.get(), "fg1");
  auto copy = adopt(
      TARVEX_BREVANE_META_MODEL_META_VIEW(tarvex_brevane_meta_model_meta_object_clone(META(view))));
  EXPECT_EQ(columns_of(copy.get()), (Columns{{"x", "a"}}));
  EXPECT_STREQ(tarvex_brevane_meta_model_materialized_get_table_space(
                   TARVEX_BREVANE_META_MODEL_MATERIALIZED(copy.get())),
               "fg1");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_view_get_columns(nullptr), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_meta_model_meta_view_set_definition(nullptr, "x"), "self != NULL");
}

}  // namespace
