// User settings and the settings file: the written document, load failures,
// the round trip and the owner-only, all-or-nothing save.
#include <glib/gstdio.h>
#include <json-glib/json-glib.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "brevane/settings/user_setting.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/log-capture.h"
#include "tests/support/settings-files.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

class UserSettingTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    dir_ = GUniqueStr(g_dir_make_tmp("fw2-settings-XXXXXX", nullptr)).get();
    ASSERT_FALSE(dir_.empty());
  }
  void TearDown() override {
    GDir* dir = g_dir_open(dir_.c_str(), 0, nullptr);
    if (dir) {
      while (const char* name = g_dir_read_name(dir)) g_remove(path(name).c_str());
      g_dir_close(dir);
    }
    g_rmdir(dir_.c_str());
    LogCaptureTest::TearDown();
  }
  std::string path(const char* name) const { return dir_ + "/" + name; }
  void write(const std::string& file, const std::string& text) {
    ASSERT_TRUE(g_file_set_contents(file.c_str(), text.c_str(), -1, nullptr));
  }
  std::string read(const std::string& file) {
    gchar* text = nullptr;
    if (!g_file_get_contents(file.c_str(), &text, nullptr, nullptr)) return "(unreadable)";
    std::string out = text;
    g_free(text);
    return out;
  }

  std::string dir_;
};

using Settings = TarvexBrevaneContractsSettingUserSetting;

GRef<Settings> make() {
  return adoptGRef(tarvex_brevane_contracts_setting_user_setting_new());
}

struct Counter {
  int count = 0;
  static void on(GObject*, GParamSpec*, gpointer data) { static_cast<Counter*>(data)->count++; }
};

TEST_F(UserSettingTest, PropertiesAndGroups) {
  auto settings = make();
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(settings.get()), "TarvexBrevaneContractsSettingUserSetting");
  const char* names[] = {"general", "storage", "editor",   "datagrid",
                         "network", "logging", "datatool", "extension"};
  guint count = 0;
  GParamSpec** specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(settings.get()), &count);
  ASSERT_EQ(count, 8u);
  for (guint i = 0; i < count; i++) {
    EXPECT_STREQ(specs[i]->name, names[i]);
    GObject* group = nullptr;
    g_object_get(settings.get(), names[i], &group, nullptr);
    EXPECT_NE(group, nullptr) << names[i];
    EXPECT_TRUE(G_TYPE_CHECK_INSTANCE_TYPE(group, specs[i]->value_type));
    if (group) g_object_unref(group);
  }
  g_free(specs);
  EXPECT_NE(g_signal_lookup("changed", tarvex_brevane_contracts_setting_user_setting_get_type()),
            0u);
}

TEST_F(UserSettingTest, SetterComparesByIdentity) {
  auto settings = make();
  Counter counter;
  g_signal_connect(settings.get(), "notify::editor", G_CALLBACK(Counter::on), &counter);
  auto* held = tarvex_brevane_contracts_setting_user_setting_get_editor(settings.get());
  tarvex_brevane_contracts_setting_user_setting_set_editor(settings.get(), held);
  EXPECT_EQ(counter.count, 0);
  auto other = adoptGRef(tarvex_brevane_contracts_setting_editor_setting_new());
  tarvex_brevane_contracts_setting_user_setting_set_editor(settings.get(), other.get());
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(tarvex_brevane_contracts_setting_user_setting_get_editor(settings.get()), other.get());
}

TEST_F(UserSettingTest, DefaultDocumentMembers) {
  auto settings = make();
  std::string file = path("settings.json");
  write(file, "{}");
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), nullptr);
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
  ASSERT_EQ(error, nullptr);

  std::string text = read(file);
  JsonNode* root = json_from_string(text.c_str(), nullptr);
  ASSERT_NE(root, nullptr);
  JsonObject* object = json_node_get_object(root);
  struct {
    const char* group;
    std::string members;
  } rows[] = {
      {"general", "broadcasting titlebar-background"},
      {"storage", "user-data user-logs"},
      {"editor", "font-with-size style-scheme"},
      {"datagrid",
       "font-with-size color-bg-dark color-bg-light color-bg-dirty color-text color-integer "
       "color-float "
       "color-datetime color-binary color-spatial color-compute color-others color-dbnull "
       "color-current"},
      {"network", "proxy-host proxy-username proxy-password"},
      {"logging", ""},
      {"datatool", "external-editor"},
      {"extension", "loaded-plugins"},
  };
  GList* groups = json_object_get_members(object);
  std::string order;
  for (GList* l = groups; l; l = l->next)
    order += std::string(order.empty() ? "" : " ") + (char*)l->data;
  g_list_free(groups);
  EXPECT_EQ(order, "general storage editor datagrid network logging datatool extension");
  for (const auto& row : rows) {
    JsonObject* group = json_object_get_object_member(object, row.group);
    ASSERT_NE(group, nullptr) << row.group;
    GList* members = json_object_get_members(group);
    std::string names;
    for (GList* l = members; l; l = l->next)
      names += std::string(names.empty() ? "" : " ") + (char*)l->data;
    g_list_free(members);
    EXPECT_EQ(names, row.members) << row.group;
  }
  json_node_unref(root);
  // Pretty-printed with two blanks.
  EXPECT_EQ(text.rfind("{\n  \"general\" : {\n    \"broadcasting\" : \"", 0), 0u) << text;
}

TEST_F(UserSettingTest, SaveLoadRoundTripAndStableText) {
  auto settings = make();
  std::string file = path("round.json");
  write(file, "{}");
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), nullptr);
  auto* grid = tarvex_brevane_contracts_setting_user_setting_get_datagrid(settings.get());
  tarvex_brevane_contracts_setting_data_grid_setting_set_records_limit(grid, 250);
  auto* network = tarvex_brevane_contracts_setting_user_setting_get_network(settings.get());
  tarvex_brevane_contracts_setting_network_setting_set_proxy_password(network, "s3cr\"t");
  tarvex_brevane_contracts_setting_network_setting_set_proxy_port(network, 3128);
  auto* general = tarvex_brevane_contracts_setting_user_setting_get_general(settings.get());
  tarvex_brevane_contracts_setting_general_setting_set_connecton_icon_size(general, 48.5);
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
  ASSERT_EQ(error, nullptr);
  std::string first = read(file);
  tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(read(file), first);

  auto loaded = make();
  tarvex_brevane_contracts_setting_user_setting_load(loaded.get(), file.c_str(), &error);
  ASSERT_EQ(error, nullptr);
  const char* names[] = {"general", "storage", "editor",   "datagrid",
                         "network", "logging", "datatool", "extension"};
  for (const char* name : names) {
    GObject* a = nullptr;
    GObject* b = nullptr;
    g_object_get(settings.get(), name, &a, nullptr);
    g_object_get(loaded.get(), name, &b, nullptr);
    EXPECT_NE(a, b);
    guint count = 0;
    GParamSpec** specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(a), &count);
    for (guint i = 0; i < count; i++) {
      tarvex::GValueHolder va(specs[i]->value_type), vb(specs[i]->value_type);
      g_object_get_property(a, specs[i]->name, va.get());
      g_object_get_property(b, specs[i]->name, vb.get());
      if (specs[i]->value_type == G_TYPE_DATE_TIME) {
        auto* da = static_cast<GDateTime*>(g_value_get_boxed(va.get()));
        auto* db = static_cast<GDateTime*>(g_value_get_boxed(vb.get()));
        ASSERT_TRUE(da && db);
        EXPECT_NE(da, db);
        EXPECT_TRUE(g_date_time_equal(da, db)) << name << "." << specs[i]->name;
      } else {
        EXPECT_EQ(g_param_values_cmp(specs[i], va.get(), vb.get()), 0)
            << name << "." << specs[i]->name;
      }
    }
    g_free(specs);
    g_object_unref(a);
    g_object_unref(b);
  }
  EXPECT_EQ(tarvex_brevane_contracts_setting_network_setting_get_proxy_port(
                tarvex_brevane_contracts_setting_user_setting_get_network(loaded.get())),
            3128);
}

TEST_F(UserSettingTest, SavedFileIsOwnerOnlyAndReplacedWhole) {
  auto settings = make();
  std::string file = path("perm.json");
  write(file, "{}");
  ASSERT_EQ(g_chmod(file.c_str(), 0644), 0);
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), nullptr);
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
  ASSERT_EQ(error, nullptr);
  GStatBuf st;
  ASSERT_EQ(g_stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  // No temporary file is left beside it.
  GDir* dir = g_dir_open(dir_.c_str(), 0, nullptr);
  int entries = 0;
  while (g_dir_read_name(dir)) entries++;
  g_dir_close(dir);
  EXPECT_EQ(entries, 1);
}

TEST_F(UserSettingTest, FailedSaveLeavesTheOldFile) {
  auto settings = make();
  // A directory in the file's place: the rename cannot replace it, and it
  // stays as it was.
  std::string file = path("taken");
  ASSERT_EQ(g_mkdir(file.c_str(), 0700), 0);
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), nullptr);
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->domain, G_FILE_ERROR);
  g_clear_error(&error);
  EXPECT_TRUE(g_file_test(file.c_str(), G_FILE_TEST_IS_DIR));
  g_rmdir(file.c_str());

  // A missing folder: the writer's own error.
  auto other = make();
  std::string missing = path("no-such-dir/settings.json");
  tarvex_brevane_contracts_setting_user_setting_load(other.get(), missing.c_str(), &error);
  ASSERT_NE(error, nullptr);
  g_clear_error(&error);
  tarvex_brevane_contracts_setting_user_setting_save(other.get(), &error);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->domain, G_FILE_ERROR);
  g_error_free(error);
}

TEST_F(UserSettingTest, SaveWithoutFileNameFails) {
  auto settings = make();
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
  ASSERT_NE(error, nullptr);
  EXPECT_GERROR(error, G_IO_ERROR, G_IO_ERROR_FAILED);
  g_error_free(error);
}

TEST_F(UserSettingTest, LoadFailuresKeepGroupsAndStoreTheName) {
  struct {
    const char* text;
    const char* domain;
    int code;  // -1: any
  } rows[] = {
      {"[1, 2]", "UserSetting", -2},
      {"42", "UserSetting", -2},
      {"{ not json", "json-parser-error-quark", -1},
  };
  for (const auto& row : rows) {
    auto settings = make();
    auto* editor = tarvex_brevane_contracts_setting_user_setting_get_editor(settings.get());
    std::string file = path("bad.json");
    write(file, row.text);
    GError* error = nullptr;
    tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), &error);
    ASSERT_NE(error, nullptr) << row.text;
    EXPECT_STREQ(g_quark_to_string(error->domain), row.domain) << row.text;
    if (row.code != -1) {
      EXPECT_EQ(error->code, row.code);
      EXPECT_STREQ(error->message, "Load user setting file failure");
    }
    g_clear_error(&error);
    EXPECT_EQ(tarvex_brevane_contracts_setting_user_setting_get_editor(settings.get()), editor);

    // The new name was stored: save writes there.
    g_remove(file.c_str());
    tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
    EXPECT_EQ(error, nullptr);
    EXPECT_TRUE(g_file_test(file.c_str(), G_FILE_TEST_EXISTS));
    g_remove(file.c_str());
  }

  auto settings = make();
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), path("missing.json").c_str(),
                                                     &error);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->domain, G_FILE_ERROR);
  g_error_free(error);
  EXPECT_EQ(TARVEX_BREVANE_CONTRACTS_SETTING_USER_SETTING_ERROR,
            g_quark_from_string("UserSetting"));
}

TEST_F(UserSettingTest, AFileThatFailedToLoadIsKeptAsideBeforeASave) {
  struct {
    const char* text;  // nullptr: no file at all
    bool kept;
  } rows[] = {
      {"{\"datagrid\": {\"records-limit\": 200},}", true},  // trailing comma
      {"[{\"datagrid\": {}}]", true},                       // no settings object
      {nullptr, false},
  };
  for (const auto& row : rows) {
    std::string file = path("user.json");
    if (row.text) write(file, row.text);
    auto settings = make();
    GError* error = nullptr;
    tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), &error);
    ASSERT_NE(error, nullptr);
    g_clear_error(&error);

    tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
    ASSERT_EQ(error, nullptr) << error->message;
    auto aside = tarvex::test::names_starting(dir_, "user.json.broken-");
    ASSERT_EQ(aside.size(), row.kept ? 1u : 0u);
    if (row.kept) EXPECT_EQ(read(path(aside[0].c_str())), row.text);
    // The new file holds the settings and loads.
    tarvex_brevane_contracts_setting_user_setting_load(make().get(), file.c_str(), &error);
    EXPECT_EQ(error, nullptr);
    g_clear_error(&error);

    // Kept once: the next save replaces the file it wrote itself.
    tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
    ASSERT_EQ(error, nullptr);
    EXPECT_EQ(tarvex::test::names_starting(dir_, "user.json.broken-").size(), aside.size());
    for (const auto& name : aside) g_remove(path(name.c_str()).c_str());
    g_remove(file.c_str());
  }

  // A file mended after the failed load and loaded again is simply replaced.
  std::string file = path("mended.json");
  write(file, "{,}");
  auto settings = make();
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), &error);
  ASSERT_NE(error, nullptr);
  g_clear_error(&error);
  write(file, "{}");
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), &error);
  ASSERT_EQ(error, nullptr);
  tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_TRUE(tarvex::test::names_starting(dir_, "mended.json.broken-").empty());
}

TEST_F(UserSettingTest, DeepAndHugeDocumentsAreRefusedBeforeParsing) {
  struct {
    std::string text;
    bool loads;
  } rows[] = {
      {tarvex::test::nested_document(512), true},
      {tarvex::test::nested_document(513), false},
      {tarvex::test::nested_document(100000), false},
      {tarvex::test::brackets_in_strings(1000), true},
  };
  std::string file = path("deep.json");
  for (const auto& row : rows) {
    write(file, row.text);
    auto settings = make();
    auto* editor = tarvex_brevane_contracts_setting_user_setting_get_editor(settings.get());
    GError* error = nullptr;
    tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), &error);
    if (row.loads) {
      EXPECT_EQ(error, nullptr) << row.text.size();
    } else {
      ASSERT_NE(error, nullptr) << row.text.size();
      EXPECT_GERROR(error, JSON_PARSER_ERROR, JSON_PARSER_ERROR_PARSE);
      EXPECT_NE(strstr(error->message, "nested deeper than 512 levels"), nullptr) << error->message;
      EXPECT_EQ(tarvex_brevane_contracts_setting_user_setting_get_editor(settings.get()), editor);
    }
    g_clear_error(&error);
  }

  // 64 MB is read; one byte more is refused without being read.
  const size_t limit = size_t(64) << 20;
  for (size_t size : {limit, limit + 1}) {
    ASSERT_TRUE(tarvex::test::write_padded_object(file, size));
    GError* error = nullptr;
    tarvex_brevane_contracts_setting_user_setting_load(make().get(), file.c_str(), &error);
    if (size == limit) {
      EXPECT_EQ(error, nullptr);
    } else {
      ASSERT_NE(error, nullptr);
      EXPECT_EQ(error->domain, G_FILE_ERROR);
      EXPECT_NE(strstr(error->message, "larger than 64 MB"), nullptr) << error->message;
    }
    g_clear_error(&error);
  }
  g_remove(file.c_str());
}

TEST_F(UserSettingTest, EmptyObjectReplacesEveryGroup) {
  auto settings = make();
  auto* grid = tarvex_brevane_contracts_setting_user_setting_get_datagrid(settings.get());
  tarvex_brevane_contracts_setting_data_grid_setting_set_records_limit(grid, 5);
  Counter counter;
  g_signal_connect(settings.get(), "notify", G_CALLBACK(Counter::on), &counter);
  Counter changed;
  g_signal_connect(settings.get(), "changed",
                   G_CALLBACK(+[](GObject*, gpointer d) { static_cast<Counter*>(d)->count++; }),
                   &changed);
  std::string file = path("empty.json");
  write(file, "{}");
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(counter.count, 8);
  EXPECT_EQ(changed.count, 0);
  auto* fresh = tarvex_brevane_contracts_setting_user_setting_get_datagrid(settings.get());
  EXPECT_NE(fresh, grid);
  EXPECT_EQ(tarvex_brevane_contracts_setting_data_grid_setting_get_records_limit(fresh), 1000);
}

TEST_F(UserSettingTest, PartialGroupKeepsInstanceDefaults) {
  auto settings = make();
  std::string file = path("partial.json");
  write(file,
        "{\"datagrid\": {\"records-limit\": 200, \"unknown\": 1},"
        " \"editor\": {\"style-scheme\": null, \"tab_width\": 8}, \"bogus\": {}}");
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), &error);
  ASSERT_EQ(error, nullptr);
  auto* grid = tarvex_brevane_contracts_setting_user_setting_get_datagrid(settings.get());
  EXPECT_EQ(tarvex_brevane_contracts_setting_data_grid_setting_get_records_limit(grid), 200);
  EXPECT_STREQ(tarvex_brevane_contracts_setting_data_grid_setting_get_font_with_size(grid),
               "monospace 10");
  auto* editor = tarvex_brevane_contracts_setting_user_setting_get_editor(settings.get());
  EXPECT_EQ(tarvex_brevane_contracts_setting_editor_setting_get_tab_width(editor), 8);
  EXPECT_EQ(tarvex_brevane_contracts_setting_editor_setting_get_style_scheme(editor), nullptr);
}

TEST_F(UserSettingTest, AbsentStringsComeBackAsInstanceDefaults) {
  auto settings = make();
  std::string file = path("none.json");
  write(file, "{}");
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), nullptr);
  tarvex_brevane_contracts_setting_data_grid_setting_set_font_with_size(
      tarvex_brevane_contracts_setting_user_setting_get_datagrid(settings.get()), nullptr);
  tarvex_brevane_contracts_setting_editor_setting_set_style_scheme(
      tarvex_brevane_contracts_setting_user_setting_get_editor(settings.get()), nullptr);
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_save(settings.get(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(read(file).find("style-scheme"), std::string::npos);
  auto loaded = make();
  tarvex_brevane_contracts_setting_user_setting_load(loaded.get(), file.c_str(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_STREQ(tarvex_brevane_contracts_setting_data_grid_setting_get_font_with_size(
                   tarvex_brevane_contracts_setting_user_setting_get_datagrid(loaded.get())),
               "monospace 10");
  EXPECT_STREQ(tarvex_brevane_contracts_setting_editor_setting_get_style_scheme(
                   tarvex_brevane_contracts_setting_user_setting_get_editor(loaded.get())),
               "Adwaita");
}

TEST_F(UserSettingTest, WrongKindsAreRejectedByJsonGlib) {
  auto settings = make();
  std::string file = path("kinds.json");
  write(file, "{\"network\": 5, \"datagrid\": {\"records-limit\": \"many\"}, \"storage\": null}");
  GError* error = nullptr;
  tarvex_brevane_contracts_setting_user_setting_load(settings.get(), file.c_str(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_TRUE(tarvex::test::take_log(G_LOG_LEVEL_WARNING, "\"network\""));
  EXPECT_TRUE(tarvex::test::take_log(G_LOG_LEVEL_WARNING, "\"records-limit\""));
  EXPECT_NE(tarvex_brevane_contracts_setting_user_setting_get_network(settings.get()), nullptr);
  EXPECT_EQ(tarvex_brevane_contracts_setting_data_grid_setting_get_records_limit(
                tarvex_brevane_contracts_setting_user_setting_get_datagrid(settings.get())),
            1000);
  // A group written as null keeps a default group.
  EXPECT_NE(tarvex_brevane_contracts_setting_user_setting_get_storage(settings.get()), nullptr);
}

TEST_F(UserSettingTest, Preconditions) {
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_setting_user_setting_get_general(nullptr), nullptr),
      "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_setting_user_setting_save(nullptr, nullptr),
                  "self != NULL");
  auto settings = make();
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_setting_user_setting_load(settings.get(), nullptr, nullptr),
      "filename != NULL");
}

}  // namespace
