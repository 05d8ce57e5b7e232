// Setting groups: property tables (declared and instance defaults), setter
// notifications, the 16-bit proxy port and GeneralSetting's JSON hooks.
#include <json-glib/json-glib.h>

#include <cmath>
#include <string>
#include <vector>

#include "brevane/settings/user_setting.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/log-capture.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

class SettingGroupTest : public tarvex::test::LogCaptureTest {};

struct NotifyCounter {
  int count = 0;
  static void on_notify(GObject*, GParamSpec*, gpointer data) {
    static_cast<NotifyCounter*>(data)->count++;
  }
  void watch(gpointer object, const char* signal) {
    g_signal_connect(object, signal, G_CALLBACK(on_notify), this);
  }
};

// The property's current value as text (strings quoted, none as "none").
std::string value_text(GObject* object, const char* name) {
  GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(object), name);
  if (!spec) return "(no property)";
  tarvex::GValueHolder value(G_PARAM_SPEC_VALUE_TYPE(spec));
  g_object_get_property(object, name, value.get());
  if (G_VALUE_HOLDS_STRING(value.get())) {
    const char* s = g_value_get_string(value.get());
    return s ? std::string("\"") + s + "\"" : "none";
  }
  if (G_VALUE_HOLDS_BOOLEAN(value.get()))
    return g_value_get_boolean(value.get()) ? "true" : "false";
  if (G_VALUE_HOLDS_INT(value.get())) return std::to_string(g_value_get_int(value.get()));
  if (G_VALUE_HOLDS_UINT(value.get())) return std::to_string(g_value_get_uint(value.get()));
  if (G_VALUE_HOLDS_DOUBLE(value.get())) return std::to_string(g_value_get_double(value.get()));
  return "(other)";
}

// The declared default as text.
std::string default_text(GObject* object, const char* name) {
  GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(object), name);
  const GValue* value = g_param_spec_get_default_value(spec);
  if (G_VALUE_HOLDS_STRING(value)) {
    const char* s = g_value_get_string(value);
    return s ? std::string("\"") + s + "\"" : "none";
  }
  if (G_VALUE_HOLDS_BOOLEAN(value)) return g_value_get_boolean(value) ? "true" : "false";
  if (G_VALUE_HOLDS_INT(value)) return std::to_string(g_value_get_int(value));
  if (G_VALUE_HOLDS_UINT(value)) return std::to_string(g_value_get_uint(value));
  if (G_VALUE_HOLDS_DOUBLE(value)) return std::to_string(g_value_get_double(value));
  return "(other)";
}

struct PropRow {
  const char* name;
  const char* type;  // value type name
  std::string declared;
  std::string instance;
};

struct GroupRow {
  GType (*get_type)();
  const char* type_name;
  std::vector<PropRow> props;
};

const std::string kBlack = "\"rgba(0, 0, 0, 1.0)\"";

std::vector<GroupRow> group_table() {
  return {
      {tarvex_brevane_contracts_setting_data_grid_setting_get_type,
       "TarvexBrevaneContractsSettingDataGridSetting",
       {{"submit-mode", "guint", "0", "0"},
        {"records-limit", "gint", "1000", "1000"},
        {"font-with-size", "gchararray", "none", "\"monospace 10\""},
        {"color-bg-dark", "gchararray", "none", "\"rgba(0, 0, 0, 0.05)\""},
        {"color-bg-light", "gchararray", "none", "\"rgba(255, 255, 255, 0.05)\""},
        {"color-bg-dirty", "gchararray", "none", "\"rgba(245, 108, 108, 0.3)\""},
        {"color-text", "gchararray", "none", kBlack},
        {"color-integer", "gchararray", "none", kBlack},
        {"color-float", "gchararray", "none", kBlack},
        {"color-datetime", "gchararray", "none", kBlack},
        {"color-binary", "gchararray", "none", kBlack},
        {"color-spatial", "gchararray", "none", kBlack},
        {"color-compute", "gchararray", "none", kBlack},
        {"color-others", "gchararray", "none", kBlack},
        {"color-dbnull", "gchararray", "none", kBlack},
        {"color-current", "gchararray", "none", "\"rgba(204, 204, 204, 0.8)\""}}},
      {tarvex_brevane_contracts_setting_data_tool_setting_get_type,
       "TarvexBrevaneContractsSettingDataToolSetting",
       {{"external-editor", "gchararray", "none", "\"\""}}},
      {tarvex_brevane_contracts_setting_editor_setting_get_type,
       "TarvexBrevaneContractsSettingEditorSetting",
       {{"highlight-syntax", "gboolean", "true", "true"},
        {"highlight-matching-brackets", "gboolean", "true", "true"},
        {"highlight-current-line", "gboolean", "true", "true"},
        {"autocompletion", "gboolean", "true", "true"},
        {"code-fold", "gboolean", "false", "false"},
        {"text-wrap", "gboolean", "true", "true"},
        {"display-line-numbers", "gboolean", "true", "true"},
        {"insert-tab-as-spaces", "gboolean", "true", "true"},
        {"auto-indent", "gboolean", "true", "true"},
        {"indent-width", "gint", "4", "4"},
        {"tab-width", "gint", "4", "4"},
        {"font-with-size", "gchararray", "none", "\"\""},
        {"overview-map", "gboolean", "false", "false"},
        {"style-scheme", "gchararray", "none", "\"Adwaita\""}}},
      {tarvex_brevane_contracts_setting_extension_setting_get_type,
       "TarvexBrevaneContractsSettingExtensionSetting",
       {{"loaded-plugins", "gchararray", "none", "\"\""}}},
      {tarvex_brevane_contracts_setting_general_setting_get_type,
       "TarvexBrevaneContractsSettingGeneralSetting",
       {{"window-left", "gint", "0", "0"},
        {"window-top", "gint", "0", "0"},
        {"window-width", "gint", "0", "0"},
        {"window-height", "gint", "0", "0"},
        {"window-state", "gint", "0", "0"},
        {"user-locale", "guint", "0", "0"},
        {"color-scheme", "guint", "0", "0"},
        {"broadcasting", "GDateTime", "(other)", "(other)"},
        {"titlebar-background", "gchararray", "none", "\"none\""},
        {"toolbar-main-icon", "gboolean", "false", "false"},
        {"toolbar-main-text", "gboolean", "true", "true"},
        {"toolbar-minor-text", "gboolean", "true", "true"},
        {"starter-page", "guint", "0", "0"},
        {"connecton-icon-size", "gdouble", std::to_string(96.0), std::to_string(96.0)},
        {"snippet-mode", "guint", "1", "1"},
        {"check-updates-on-startup", "gboolean", "false", "false"}}},
      {tarvex_brevane_contracts_setting_logging_setting_get_type,
       "TarvexBrevaneContractsSettingLoggingSetting",
       {{"file-size-max", "guint", "0", "0"}, {"logger-level", "gint", "0", "0"}}},
      {tarvex_brevane_contracts_setting_network_setting_get_type,
       "TarvexBrevaneContractsSettingNetworkSetting",
       {{"proxy-using", "gboolean", "false", "false"},
        {"proxy-type", "guint", "0", "0"},
        {"proxy-host", "gchararray", "none", "\"\""},
        {"proxy-port", "guint", "8080", "8080"},
        {"proxy-username", "gchararray", "none", "\"\""},
        {"proxy-password", "gchararray", "none", "\"\""}}},
      {tarvex_brevane_contracts_setting_storage_setting_get_type,
       "TarvexBrevaneContractsSettingStorageSetting",
       {{"user-data", "gchararray", "none", "\"\""}, {"user-logs", "gchararray", "none", "\"\""}}},
  };
}

TEST_F(SettingGroupTest, PropertyTablesInOrderWithBothDefaults) {
  for (const auto& group : group_table()) {
    GType type = group.get_type();
    EXPECT_STREQ(g_type_name(type), group.type_name);
    EXPECT_EQ(g_type_parent(type), G_TYPE_OBJECT);
    auto object = adoptGRef(G_OBJECT(g_object_new(type, nullptr)));
    guint count = 0;
    GParamSpec** specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(object.get()), &count);
    ASSERT_EQ(count, group.props.size()) << group.type_name;
    for (guint i = 0; i < count; i++) {
      const PropRow& row = group.props[i];
      SCOPED_TRACE(std::string(group.type_name) + "." + row.name);
      EXPECT_STREQ(specs[i]->name, row.name);
      EXPECT_STREQ(g_type_name(specs[i]->value_type), row.type);
      EXPECT_EQ(specs[i]->flags & G_PARAM_READWRITE, G_PARAM_READWRITE);
      EXPECT_EQ(default_text(object.get(), row.name), row.declared);
      EXPECT_EQ(value_text(object.get(), row.name), row.instance);
    }
    g_free(specs);
  }
}

TEST_F(SettingGroupTest, GeneralSettingStartsWithTheCurrentUtcTime) {
  GRef<GDateTime> before = adoptGRef(g_date_time_new_now_utc());
  auto general = adoptGRef(tarvex_brevane_contracts_setting_general_setting_new());
  GRef<GDateTime> after = adoptGRef(g_date_time_new_now_utc());
  GDateTime* moment =
      tarvex_brevane_contracts_setting_general_setting_get_broadcasting(general.get());
  ASSERT_NE(moment, nullptr);
  EXPECT_EQ(g_date_time_get_utc_offset(moment), 0);
  EXPECT_LE(g_date_time_compare(before.get(), moment), 0);
  EXPECT_GE(g_date_time_compare(after.get(), moment), 0);
  EXPECT_TRUE(JSON_IS_SERIALIZABLE(general.get()));
}

TEST_F(SettingGroupTest, SettersNotifyOnlyOnChange) {
  auto grid = adoptGRef(tarvex_brevane_contracts_setting_data_grid_setting_new());
  NotifyCounter counter;
  counter.watch(grid.get(), "notify::records-limit");
  tarvex_brevane_contracts_setting_data_grid_setting_set_records_limit(grid.get(), 1000);
  EXPECT_EQ(counter.count, 0);
  tarvex_brevane_contracts_setting_data_grid_setting_set_records_limit(grid.get(), 500);
  EXPECT_EQ(counter.count, 1);
  g_object_set(grid.get(), "records-limit", 500, nullptr);
  EXPECT_EQ(counter.count, 1);
  g_object_set(grid.get(), "records_limit", 7, nullptr);
  EXPECT_EQ(counter.count, 2);
  EXPECT_EQ(tarvex_brevane_contracts_setting_data_grid_setting_get_records_limit(grid.get()), 7);

  // Strings by content; two absent texts are equal.
  NotifyCounter texts;
  texts.watch(grid.get(), "notify::font-with-size");
  std::string same = "monospace 10";
  tarvex_brevane_contracts_setting_data_grid_setting_set_font_with_size(grid.get(), same.c_str());
  EXPECT_EQ(texts.count, 0);
  tarvex_brevane_contracts_setting_data_grid_setting_set_font_with_size(grid.get(), nullptr);
  tarvex_brevane_contracts_setting_data_grid_setting_set_font_with_size(grid.get(), nullptr);
  EXPECT_EQ(texts.count, 1);
  EXPECT_EQ(tarvex_brevane_contracts_setting_data_grid_setting_get_font_with_size(grid.get()),
            nullptr);

  // Doubles by ordered equality: NaN always counts as a change.
  auto general = adoptGRef(tarvex_brevane_contracts_setting_general_setting_new());
  NotifyCounter sizes;
  sizes.watch(general.get(), "notify::connecton-icon-size");
  tarvex_brevane_contracts_setting_general_setting_set_connecton_icon_size(general.get(), 96.0);
  EXPECT_EQ(sizes.count, 0);
  tarvex_brevane_contracts_setting_general_setting_set_connecton_icon_size(general.get(), NAN);
  tarvex_brevane_contracts_setting_general_setting_set_connecton_icon_size(general.get(), NAN);
  EXPECT_EQ(sizes.count, 2);
}

TEST_F(SettingGroupTest, DateTimeComparesByIdentity) {
  auto general = adoptGRef(tarvex_brevane_contracts_setting_general_setting_new());
  NotifyCounter counter;
  counter.watch(general.get(), "notify::broadcasting");
  GDateTime* held =
      tarvex_brevane_contracts_setting_general_setting_get_broadcasting(general.get());
  tarvex_brevane_contracts_setting_general_setting_set_broadcasting(general.get(), held);
  EXPECT_EQ(counter.count, 0);
  GRef<GDateTime> equal = adoptGRef(g_date_time_add(held, 0));
  ASSERT_NE(equal.get(), held);
  tarvex_brevane_contracts_setting_general_setting_set_broadcasting(general.get(), equal.get());
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(tarvex_brevane_contracts_setting_general_setting_get_broadcasting(general.get()),
            equal.get());
  tarvex_brevane_contracts_setting_general_setting_set_broadcasting(general.get(), nullptr);
  EXPECT_EQ(counter.count, 2);
  EXPECT_EQ(tarvex_brevane_contracts_setting_general_setting_get_broadcasting(general.get()),
            nullptr);
}

TEST_F(SettingGroupTest, ProxyPortKeepsSixteenBits) {
  auto network = adoptGRef(tarvex_brevane_contracts_setting_network_setting_new());
  g_object_set(network.get(), "proxy-port", 70000u, nullptr);
  EXPECT_EQ(tarvex_brevane_contracts_setting_network_setting_get_proxy_port(network.get()), 4464);
  guint through_property = 0;
  g_object_get(network.get(), "proxy-port", &through_property, nullptr);
  EXPECT_EQ(through_property, 4464u);
  tarvex_brevane_contracts_setting_network_setting_set_proxy_port(network.get(), 65535);
  EXPECT_EQ(tarvex_brevane_contracts_setting_network_setting_get_proxy_port(network.get()), 65535);
}

TEST_F(SettingGroupTest, EditorDeclaresChangedSignal) {
  guint id = g_signal_lookup("changed", tarvex_brevane_contracts_setting_editor_setting_get_type());
  ASSERT_NE(id, 0u);
  GSignalQuery query;
  g_signal_query(id, &query);
  EXPECT_EQ(query.n_params, 0u);
  EXPECT_EQ(query.return_type, G_TYPE_NONE);
  EXPECT_TRUE(query.signal_flags & G_SIGNAL_RUN_LAST);
  // Setters do not emit it.
  auto editor = adoptGRef(tarvex_brevane_contracts_setting_editor_setting_new());
  NotifyCounter counter;
  g_signal_connect(editor.get(), "changed", G_CALLBACK(+[](GObject*, gpointer data) {
                     static_cast<NotifyCounter*>(data)->count++;
                   }),
                   &counter);
  tarvex_brevane_contracts_setting_editor_setting_set_tab_width(editor.get(), 8);
  EXPECT_EQ(counter.count, 0);
  g_signal_emit_by_name(editor.get(), "changed");
  EXPECT_EQ(counter.count, 1);
}

std::string to_json(GObject* object) {
  JsonNode* node = json_gobject_serialize(object);
  GUniqueStr text(json_to_string(node, FALSE));
  json_node_unref(node);
  return text.get();
}

TEST_F(SettingGroupTest, NewGeneralSettingWritesOnlyBroadcastingAndTitlebar) {
  auto general = adoptGRef(tarvex_brevane_contracts_setting_general_setting_new());
  GRef<GDateTime> moment = adoptGRef(g_date_time_new_utc(2024, 1, 2, 3, 4, 5));
  tarvex_brevane_contracts_setting_general_setting_set_broadcasting(general.get(), moment.get());
  EXPECT_EQ(to_json(G_OBJECT(general.get())),
            "{\"broadcasting\":\"2024-01-02T03:04:05Z\",\"titlebar-background\":\"none\"}");
}

TEST_F(SettingGroupTest, BroadcastingWithoutValueIsWrittenEmptyAndReadBackAsNone) {
  auto general = adoptGRef(tarvex_brevane_contracts_setting_general_setting_new());
  tarvex_brevane_contracts_setting_general_setting_set_broadcasting(general.get(), nullptr);
  std::string text = to_json(G_OBJECT(general.get()));
  EXPECT_EQ(text, "{\"broadcasting\":\"\",\"titlebar-background\":\"none\"}");

  JsonNode* node = json_from_string(text.c_str(), nullptr);
  auto back = adoptGRef(
      json_gobject_deserialize(tarvex_brevane_contracts_setting_general_setting_get_type(), node));
  json_node_unref(node);
  EXPECT_EQ(tarvex_brevane_contracts_setting_general_setting_get_broadcasting(
                reinterpret_cast<TarvexBrevaneContractsSettingGeneralSetting*>(back.get())),
            nullptr);
}

TEST_F(SettingGroupTest, BroadcastingOffsetsAndMicroseconds) {
  struct {
    const char* text;
    const char* written;
  } rows[] = {
      {"2024-01-02T03:04:05.000042Z", "2024-01-02T03:04:05.000042Z"},
      {"2024-01-02T03:04:05+05:30", "2024-01-02T03:04:05+05:30"},
      {"2024-01-02T03:04:05-08:00", "2024-01-02T03:04:05-08"},
      {"2024-01-02T03:04:05", "2024-01-02T03:04:05Z"},  // no zone: UTC
  };
  for (const auto& row : rows) {
    std::string json = std::string("{\"broadcasting\":\"") + row.text + "\"}";
    JsonNode* node = json_from_string(json.c_str(), nullptr);
    auto back = adoptGRef(json_gobject_deserialize(
        tarvex_brevane_contracts_setting_general_setting_get_type(), node));
    json_node_unref(node);
    std::string out = to_json(back.get());
    EXPECT_EQ(out, std::string("{\"broadcasting\":\"") + row.written +
                       "\",\"titlebar-background\":\"none\"}")
        << row.text;
  }
}

TEST_F(SettingGroupTest, LoggingAtDefaultsIsAnEmptyObject) {
  auto logging = adoptGRef(tarvex_brevane_contracts_setting_logging_setting_new());
  EXPECT_EQ(to_json(G_OBJECT(logging.get())), "{}");
}

TEST_F(SettingGroupTest, SerializableHookPreconditions) {
  auto general = adoptGRef(tarvex_brevane_contracts_setting_general_setting_new());
  auto* serializable = JSON_SERIALIZABLE(general.get());
  auto* iface = JSON_SERIALIZABLE_GET_IFACE(serializable);
  GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(general.get()), "window-left");
  tarvex::GValueHolder value(G_TYPE_INT);
  EXPECT_CRITICAL(
      EXPECT_EQ(iface->serialize_property(serializable, nullptr, value.get(), spec), nullptr),
      "property_name != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(iface->serialize_property(serializable, "window-left", nullptr, spec), nullptr),
      "value != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(iface->serialize_property(serializable, "window-left", value.get(), nullptr),
                nullptr),
      "pspec != NULL");
  JsonNode* node = json_node_new(JSON_NODE_NULL);
  EXPECT_CRITICAL(
      EXPECT_FALSE(iface->deserialize_property(serializable, nullptr, value.get(), spec, node)),
      "property_name != NULL");
  EXPECT_CRITICAL(EXPECT_FALSE(iface->deserialize_property(serializable, "window-left", value.get(),
                                                           nullptr, node)),
                  "pspec != NULL");
  EXPECT_CRITICAL(EXPECT_FALSE(iface->deserialize_property(serializable, "window-left", value.get(),
                                                           spec, nullptr)),
                  "property_node != NULL");
  json_node_unref(node);
}

TEST_F(SettingGroupTest, AccessorsWithoutObject) {
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_setting_data_grid_setting_get_records_limit(nullptr), 0),
      "self != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_setting_general_setting_get_broadcasting(nullptr),
                nullptr),
      "self != NULL");
  EXPECT_CRITICAL(
      EXPECT_FALSE(tarvex_brevane_contracts_setting_editor_setting_get_highlight_syntax(nullptr)),
      "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_setting_network_setting_set_proxy_port(nullptr, 1),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_setting_storage_setting_set_user_data(nullptr, "x"),
                  "self != NULL");
}

}  // namespace
