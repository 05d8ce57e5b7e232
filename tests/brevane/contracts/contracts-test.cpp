// Framework contracts: interface names and prerequisites, configurations,
// the default clone and the empty operations.
#include <gee.h>
#include <glib-object.h>

#include <string>

#include "brevane/contracts/configuration.h"
#include "brevane/contracts/iapp_code_buildable.h"
#include "brevane/contracts/iasymmetric_cipher.h"
#include "brevane/contracts/iclonable.h"
#include "brevane/contracts/idocument.h"
#include "brevane/contracts/iexporter.h"
#include "brevane/contracts/iimporter.h"
#include "brevane/contracts/isql_code_buildable.h"
#include "brevane/contracts/istorable.h"
#include "brevane/contracts/isymmetric_cipher.h"
#include "tests/support/log-capture.h"

// A clonable with a construct-only text, a read-write text, a read-only
// list and a read-only map; it keeps the interface's default clone.
typedef struct {
  GObject parent_instance;
  gchar* kind;
  gchar* name;
  GeeArrayList* items;
  GeeHashMap* attrs;
} TestClonable;
typedef struct {
  GObjectClass parent_class;
} TestClonableClass;
static void test_clonable_iface_init(TarvexBrevaneContractsIClonableIface*) {}
G_DEFINE_TYPE_WITH_CODE(TestClonable, test_clonable, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_TYPE_ICLONABLE,
                                              test_clonable_iface_init))
enum { CLONABLE_PROP_0, CLONABLE_KIND, CLONABLE_NAME, CLONABLE_ITEMS, CLONABLE_ATTRS };
static void test_clonable_set_property(GObject* object, guint id, const GValue* value,
                                       GParamSpec*) {
  auto* self = reinterpret_cast<TestClonable*>(object);
  gchar** slot = id == CLONABLE_KIND ? &self->kind : &self->name;
  g_free(*slot);
  *slot = g_value_dup_string(value);
}
static void test_clonable_get_property(GObject* object, guint id, GValue* value, GParamSpec*) {
  auto* self = reinterpret_cast<TestClonable*>(object);
  switch (id) {
    case CLONABLE_KIND:
      g_value_set_string(value, self->kind);
      break;
    case CLONABLE_NAME:
      g_value_set_string(value, self->name);
      break;
    case CLONABLE_ITEMS:
      g_value_set_object(value, self->items);
      break;
    case CLONABLE_ATTRS:
      g_value_set_object(value, self->attrs);
      break;
  }
}
static void test_clonable_finalize(GObject* object) {
  auto* self = reinterpret_cast<TestClonable*>(object);
  g_free(self->kind);
  g_free(self->name);
  g_object_unref(self->items);
  g_object_unref(self->attrs);
  G_OBJECT_CLASS(test_clonable_parent_class)->finalize(object);
}
static void test_clonable_class_init(TestClonableClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->set_property = test_clonable_set_property;
  oc->get_property = test_clonable_get_property;
  oc->finalize = test_clonable_finalize;
  auto ro = GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS);
  g_object_class_install_property(
      oc, CLONABLE_KIND,
      g_param_spec_string(
          "kind", nullptr, nullptr, nullptr,
          GParamFlags(G_PARAM_READWRITE | G_PARAM_CONSTRUCT_ONLY | G_PARAM_STATIC_STRINGS)));
  g_object_class_install_property(
      oc, CLONABLE_NAME,
      g_param_spec_string("name", nullptr, nullptr, nullptr,
                          GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS)));
  g_object_class_install_property(
      oc, CLONABLE_ITEMS, g_param_spec_object("items", nullptr, nullptr, GEE_TYPE_ARRAY_LIST, ro));
  g_object_class_install_property(
      oc, CLONABLE_ATTRS, g_param_spec_object("attrs", nullptr, nullptr, GEE_TYPE_HASH_MAP, ro));
}
static void test_clonable_init(TestClonable* self) {
  self->items = gee_array_list_new(G_TYPE_OBJECT, GBoxedCopyFunc(g_object_ref), g_object_unref,
                                   nullptr, nullptr, nullptr);
  self->attrs = gee_hash_map_new(G_TYPE_STRING, GBoxedCopyFunc(g_strdup), g_free, G_TYPE_STRING,
                                 GBoxedCopyFunc(g_strdup), g_free, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

// An exporter that implements no operation of its own.
typedef struct {
  GObject parent_instance;
} TestExporter;
typedef struct {
  GObjectClass parent_class;
} TestExporterClass;
static void test_exporter_iface_init(TarvexBrevaneContractsDataIExporterIface*) {}
G_DEFINE_TYPE_WITH_CODE(TestExporter, test_exporter, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IEXPORTER,
                                              test_exporter_iface_init))
static void test_exporter_get_property(GObject*, guint, GValue*, GParamSpec*) {}
static void test_exporter_set_property(GObject*, guint, const GValue*, GParamSpec*) {}
static void test_exporter_class_init(TestExporterClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = test_exporter_get_property;
  oc->set_property = test_exporter_set_property;
  g_object_class_override_property(oc, 1, "options");
  g_object_class_override_property(oc, 2, "file-extention");
  g_object_class_override_property(oc, 3, "continue-on-error");
}
static void test_exporter_init(TestExporter*) {}

namespace {

class FrameworkContractsTest : public tarvex::test::LogCaptureTest {};

TEST_F(FrameworkContractsTest, InterfaceNamesAndPrerequisites) {
  struct Case {
    GType type;
    const char* name;
    bool needs_object;
  };
  const Case cases[] = {
      {TARVEX_BREVANE_CONTRACTS_CODE_GEN_TYPE_IAPP_CODE_BUILDABLE,
       "TarvexBrevaneContractsCodeGenIAppCodeBuildable", false},
      {TARVEX_BREVANE_CONTRACTS_CODE_GEN_TYPE_ISQL_CODE_BUILDABLE,
       "TarvexBrevaneContractsCodeGenISqlCodeBuildable", false},
      {TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_IASYMMETRIC_CIPHER,
       "TarvexBrevaneContractsCryptoIAsymmetricCipher", true},
      {TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_ISYMMETRIC_CIPHER,
       "TarvexBrevaneContractsCryptoISymmetricCipher", true},
      {TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IDOCUMENT, "TarvexBrevaneContractsDataIDocument", true},
      {TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IEXPORTER, "TarvexBrevaneContractsDataIExporter", true},
      {TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IIMPORTER, "TarvexBrevaneContractsDataIImporter", true},
      {TARVEX_BREVANE_CONTRACTS_STORAGE_TYPE_ISTORABLE, "TarvexBrevaneContractsStorageIStorable",
       true},
      {TARVEX_BREVANE_CONTRACTS_TYPE_ICLONABLE, "TarvexBrevaneContractsIClonable", true},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(g_type_name(c.type), c.name);
    EXPECT_TRUE(G_TYPE_IS_INTERFACE(c.type));
    guint n = 0;
    GType* prereqs = g_type_interface_prerequisites(c.type, &n);
    EXPECT_EQ(n, c.needs_object ? 1u : 0u) << c.name;
    if (n) {
      EXPECT_EQ(prereqs[0], G_TYPE_OBJECT);
    }
    g_free(prereqs);
  }
}

TEST_F(FrameworkContractsTest, ConfigurationCopiesAreIndependent) {
  TarvexBrevaneContractsDataConfiguration cfg = {g_strdup("Title"), g_strdup("1.0"),
                                                 g_strdup("desc"), g_strdup("footer"),
                                                 g_strdup("https://example.invalid")};
  auto* copy = tarvex_brevane_contracts_data_configuration_dup(&cfg);
  g_free(copy->title);
  copy->title = g_strdup("Other");
  EXPECT_STREQ(cfg.title, "Title");
  EXPECT_STREQ(copy->footer_link, "https://example.invalid");

  GValue value = G_VALUE_INIT;
  g_value_init(&value, TARVEX_BREVANE_CONTRACTS_DATA_TYPE_CONFIGURATION);
  g_value_set_boxed(&value, copy);
  auto* boxed = static_cast<TarvexBrevaneContractsDataConfiguration*>(g_value_get_boxed(&value));
  EXPECT_NE(boxed, copy);
  EXPECT_STREQ(boxed->title, "Other");
  g_value_unset(&value);
  EXPECT_STREQ(g_type_name(TARVEX_BREVANE_CONTRACTS_DATA_TYPE_CONFIGURATION),
               "TarvexBrevaneContractsDataConfiguration");

  tarvex_brevane_contracts_data_configuration_free(copy);
  tarvex_brevane_contracts_data_configuration_destroy(&cfg);
  EXPECT_EQ(cfg.title, nullptr);
  EXPECT_EQ(cfg.footer_link, nullptr);
}

TEST_F(FrameworkContractsTest, DefaultCloneCopiesByProperties) {
  auto* source = reinterpret_cast<TestClonable*>(
      g_object_new(test_clonable_get_type(), "kind", "table", nullptr));
  g_object_set(source, "name", "orders", nullptr);
  GObject* elements[3];
  for (auto*& e : elements) {
    e = G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr));
    gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(source->items), e);
  }
  gee_abstract_map_set(GEE_ABSTRACT_MAP(source->attrs), "A", "1");
  gee_abstract_map_set(GEE_ABSTRACT_MAP(source->attrs), "B", "2");

  GObject* clone =
      tarvex_brevane_contracts_iclonable_clone(TARVEX_BREVANE_CONTRACTS_ICLONABLE(source));
  ASSERT_NE(clone, nullptr);
  auto* copy = reinterpret_cast<TestClonable*>(clone);
  EXPECT_NE(copy, source);
  EXPECT_STREQ(copy->kind, "table");
  EXPECT_STREQ(copy->name, "orders");
  EXPECT_NE(copy->items, source->items);
  ASSERT_EQ(gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(copy->items)), 3);
  for (int i = 0; i < 3; i++) {
    auto* e = static_cast<GObject*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(copy->items), i));
    EXPECT_EQ(e, elements[i]);  // the same objects, in order
    g_object_unref(e);
  }
  EXPECT_EQ(gee_abstract_map_get_size(GEE_ABSTRACT_MAP(copy->attrs)), 2);
  auto* b = static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(copy->attrs), "B"));
  EXPECT_STREQ(b, "2");
  g_free(b);
  g_object_unref(clone);
  g_object_unref(source);
  for (auto* e : elements) EXPECT_EQ(e->ref_count, 1u);
  for (auto* e : elements) g_object_unref(e);
  EXPECT_CRITICAL(tarvex_brevane_contracts_iclonable_clone(nullptr), "self != NULL");
}

TEST_F(FrameworkContractsTest, EmptyOperationsGiveEmptyResults) {
  GObject* exporter = G_OBJECT(g_object_new(test_exporter_get_type(), nullptr));
  auto* e = reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(exporter);
  EXPECT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_file(e, nullptr, "f", nullptr,
                                                                   nullptr, nullptr),
            -1);
  gchar* buffer = g_strdup("");
  EXPECT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_text(e, nullptr, &buffer, nullptr,
                                                                   nullptr, nullptr),
            -1);
  g_free(buffer);
  EXPECT_EQ(tarvex_brevane_contracts_data_iexporter_get_file_extention(e), nullptr);
  EXPECT_FALSE(tarvex_brevane_contracts_data_iexporter_get_continue_on_error(e));
  GParamSpec* pspec =
      g_object_class_find_property(G_OBJECT_GET_CLASS(exporter), "continue-on-error");
  ASSERT_NE(pspec, nullptr);
  EXPECT_TRUE(G_PARAM_SPEC_BOOLEAN(pspec)->default_value);
  EXPECT_NE(g_object_class_find_property(G_OBJECT_GET_CLASS(exporter), "file-extention"), nullptr);
  EXPECT_CRITICAL(tarvex_brevane_contracts_data_iexporter_get_options(nullptr), "self != NULL");
  g_object_unref(exporter);
}

}  // namespace
