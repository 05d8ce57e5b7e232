// The service container and the services facade.
#include <glib-object.h>

#include "brevane/foundation/container.h"
#include "brevane/foundation/services.h"
#include "tests/support/log-capture.h"

// ------------------------------------------------------------ test types
typedef struct _TestService TestService;
typedef struct {
  GTypeInterface parent_iface;
} TestServiceInterface;
G_DEFINE_INTERFACE(TestService, test_service, G_TYPE_OBJECT)
static void test_service_default_init(TestServiceInterface*) {}

typedef struct {
  GObject parent_instance;
} TestServiceImpl;
typedef struct {
  GObjectClass parent_class;
} TestServiceImplClass;
static void test_service_impl_iface_init(TestServiceInterface*) {}
G_DEFINE_TYPE_WITH_CODE(TestServiceImpl, test_service_impl, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(test_service_get_type(),
                                              test_service_impl_iface_init))
static void test_service_impl_class_init(TestServiceImplClass*) {}
static void test_service_impl_init(TestServiceImpl*) {}

typedef struct {
  GObject parent_instance;
} TestOther;
typedef struct {
  GObjectClass parent_class;
} TestOtherClass;
G_DEFINE_TYPE(TestOther, test_other, G_TYPE_OBJECT)
static void test_other_class_init(TestOtherClass*) {}
static void test_other_init(TestOther*) {}

typedef struct {
  GInitiallyUnowned parent_instance;
} TestFloating;
typedef struct {
  GInitiallyUnownedClass parent_class;
} TestFloatingClass;
G_DEFINE_TYPE(TestFloating, test_floating, G_TYPE_INITIALLY_UNOWNED)
static void test_floating_class_init(TestFloatingClass*) {}
static void test_floating_init(TestFloating*) {}

// A consumer with construct properties of a service type (twice), of an
// unregistered type, and a non-construct property of the service type.
typedef struct {
  GObject parent_instance;
  GObject* service;
  GObject* service_again;
  GObject* other;
  GObject* plain;
} TestConsumer;
typedef struct {
  GObjectClass parent_class;
} TestConsumerClass;
G_DEFINE_TYPE(TestConsumer, test_consumer, G_TYPE_OBJECT)
enum { CONSUMER_PROP_0, CONSUMER_SERVICE, CONSUMER_SERVICE_AGAIN, CONSUMER_OTHER, CONSUMER_PLAIN };
static GObject** consumer_slot(TestConsumer* self, guint id) {
  switch (id) {
    case CONSUMER_SERVICE:
      return &self->service;
    case CONSUMER_SERVICE_AGAIN:
      return &self->service_again;
    case CONSUMER_OTHER:
      return &self->other;
    default:
      return &self->plain;
  }
}
static void test_consumer_set_property(GObject* object, guint id, const GValue* value,
                                       GParamSpec*) {
  GObject** slot = consumer_slot(reinterpret_cast<TestConsumer*>(object), id);
  g_clear_object(slot);
  *slot = static_cast<GObject*>(g_value_dup_object(value));
}
static void test_consumer_get_property(GObject* object, guint id, GValue* value, GParamSpec*) {
  g_value_set_object(value, *consumer_slot(reinterpret_cast<TestConsumer*>(object), id));
}
static void test_consumer_finalize(GObject* object) {
  auto* self = reinterpret_cast<TestConsumer*>(object);
  for (guint id = CONSUMER_SERVICE; id <= CONSUMER_PLAIN; id++)
    g_clear_object(consumer_slot(self, id));
  G_OBJECT_CLASS(test_consumer_parent_class)->finalize(object);
}
static void test_consumer_class_init(TestConsumerClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->set_property = test_consumer_set_property;
  oc->get_property = test_consumer_get_property;
  oc->finalize = test_consumer_finalize;
  auto rw = GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS);
  g_object_class_install_property(
      oc, CONSUMER_SERVICE,
      g_param_spec_object("service", nullptr, nullptr, test_service_get_type(),
                          GParamFlags(rw | G_PARAM_CONSTRUCT)));
  g_object_class_install_property(
      oc, CONSUMER_SERVICE_AGAIN,
      g_param_spec_object("service-again", nullptr, nullptr, test_service_get_type(),
                          GParamFlags(rw | G_PARAM_CONSTRUCT_ONLY)));
  g_object_class_install_property(
      oc, CONSUMER_OTHER,
      g_param_spec_object("other", nullptr, nullptr, test_other_get_type(),
                          GParamFlags(rw | G_PARAM_CONSTRUCT)));
  g_object_class_install_property(
      oc, CONSUMER_PLAIN,
      g_param_spec_object("plain", nullptr, nullptr, test_service_get_type(), rw));
}
static void test_consumer_init(TestConsumer*) {}

// A class whose construct property needs the class itself.
typedef struct {
  GObject parent_instance;
  GObject* self_ref;
} TestCycle;
typedef struct {
  GObjectClass parent_class;
} TestCycleClass;
G_DEFINE_TYPE(TestCycle, test_cycle, G_TYPE_OBJECT)
static void test_cycle_set_property(GObject* object, guint, const GValue* value, GParamSpec*) {
  reinterpret_cast<TestCycle*>(object)->self_ref = static_cast<GObject*>(g_value_dup_object(value));
}
static void test_cycle_get_property(GObject* object, guint, GValue* value, GParamSpec*) {
  g_value_set_object(value, reinterpret_cast<TestCycle*>(object)->self_ref);
}
static void test_cycle_finalize(GObject* object) {
  g_clear_object(&reinterpret_cast<TestCycle*>(object)->self_ref);
  G_OBJECT_CLASS(test_cycle_parent_class)->finalize(object);
}
static void test_cycle_class_init(TestCycleClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->set_property = test_cycle_set_property;
  oc->get_property = test_cycle_get_property;
  oc->finalize = test_cycle_finalize;
  g_object_class_install_property(
      oc, 1,
      g_param_spec_object(
          "peer", nullptr, nullptr, test_cycle_get_type(),
          GParamFlags(G_PARAM_READWRITE | G_PARAM_CONSTRUCT_ONLY | G_PARAM_STATIC_STRINGS)));
}
static void test_cycle_init(TestCycle*) {}

namespace {

using Container = TarvexBrevaneContractsContainerIContainer;

int s_factory_calls = 0;
GObject* counting_factory(Container* container) {
  s_factory_calls++;
  EXPECT_TRUE(TARVEX_BREVANE_CONTRACTS_CONTAINER_IS_ICONTAINER(container));
  return G_OBJECT(g_object_new(test_service_impl_get_type(), nullptr));
}
GObject* null_factory(Container*) {
  s_factory_calls++;
  return nullptr;
}

// ------------------------------------------------------------ the facade
// Runs first in this program: the facade has no container yet.
class ServicesTest : public tarvex::test::LogCaptureTest {};

TEST_F(ServicesTest, BeforeAndAfterInitialize) {
  gpointer got = reinterpret_cast<gpointer>(1);
  EXPECT_CRITICAL(got = tarvex_brevane_foundation_services_get(test_other_get_type()),
                  "self != NULL");
  EXPECT_EQ(got, nullptr);
  EXPECT_CRITICAL(tarvex_brevane_foundation_services_register_type(test_service_get_type(),
                                                                   test_service_impl_get_type()),
                  "self != NULL");
  GObject* impl = G_OBJECT(g_object_new(test_service_impl_get_type(), nullptr));
  EXPECT_CRITICAL(
      tarvex_brevane_foundation_services_register_instance(test_service_get_type(), impl),
      "self != NULL");

  tarvex_brevane_foundation_services_initialize();
  tarvex_brevane_foundation_services_register_instance(test_service_get_type(), impl);
  tarvex_brevane_foundation_services_initialize();  // keeps the same container
  got = tarvex_brevane_foundation_services_get(test_service_get_type());
  EXPECT_EQ(got, impl);
  g_object_unref(got);
  EXPECT_CRITICAL(
      tarvex_brevane_foundation_services_register_instance(test_service_get_type(), nullptr),
      "instance != NULL");

  // Nothing registered: an interface resolves to nothing, a class is built.
  EXPECT_EQ(tarvex_brevane_foundation_services_get(G_TYPE_TYPE_PLUGIN), nullptr);
  tarvex_brevane_foundation_services_register_type(G_TYPE_OBJECT, test_other_get_type());
  gpointer other = tarvex_brevane_foundation_services_get(G_TYPE_OBJECT);
  EXPECT_TRUE(G_TYPE_CHECK_INSTANCE_TYPE(other, test_other_get_type()));
  g_object_unref(other);
  g_object_unref(impl);
  EXPECT_STREQ(g_type_name(TARVEX_BREVANE_FOUNDATION_TYPE_SERVICES),
               "TarvexBrevaneFoundationServices");
}

// ------------------------------------------------------------ the container
class ContainerTest : public tarvex::test::LogCaptureTest {
 protected:
  TarvexBrevaneFoundationContainer* object_ = tarvex_brevane_foundation_container_new();
  Container* c_ = TARVEX_BREVANE_CONTRACTS_CONTAINER_ICONTAINER(object_);
  ~ContainerTest() override { g_object_unref(object_); }

  GObject* resolve(GType type) {
    return tarvex_brevane_contracts_container_icontainer_resolve(c_, type);
  }
  bool has(GType type) { return tarvex_brevane_contracts_container_icontainer_has(c_, type); }
};

TEST_F(ContainerTest, TypeNames) {
  EXPECT_STREQ(g_type_name(TARVEX_BREVANE_CONTRACTS_CONTAINER_TYPE_ICONTAINER),
               "TarvexBrevaneContractsContainerIContainer");
  EXPECT_STREQ(g_type_name(TARVEX_BREVANE_FOUNDATION_TYPE_CONTAINER),
               "TarvexBrevaneFoundationContainer");
}

TEST_F(ContainerTest, UnregisteredClassIsBuiltOnceAndThenKnown) {
  EXPECT_FALSE(has(test_other_get_type()));
  GObject* a = resolve(test_other_get_type());
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(has(test_other_get_type()));
  GObject* b = resolve(test_other_get_type());
  EXPECT_EQ(a, b);
  g_object_unref(a);
  g_object_unref(b);
  // An interface nothing registered: nothing, nothing stored, nothing said.
  EXPECT_EQ(resolve(test_service_get_type()), nullptr);
  EXPECT_FALSE(has(test_service_get_type()));
}

TEST_F(ContainerTest, RegisteredTypeGivesOneInstancePerKey) {
  tarvex_brevane_contracts_container_icontainer_register_type(c_, test_service_get_type(),
                                                              test_service_impl_get_type());
  EXPECT_TRUE(has(test_service_get_type()));
  GObject* a = resolve(test_service_get_type());
  GObject* b = resolve(test_service_get_type());
  GObject* direct = resolve(test_service_impl_get_type());
  EXPECT_TRUE(G_TYPE_CHECK_INSTANCE_TYPE(a, test_service_impl_get_type()));
  EXPECT_EQ(a, b);
  EXPECT_NE(a, direct);
  for (GObject* o : {a, b, direct}) g_object_unref(o);
}

TEST_F(ContainerTest, RegisteredInstanceIsReturnedAndReplaced) {
  GObject* first = G_OBJECT(g_object_new(test_service_impl_get_type(), nullptr));
  GObject* second = G_OBJECT(g_object_new(test_service_impl_get_type(), nullptr));
  GWeakRef weak;
  g_weak_ref_init(&weak, first);
  tarvex_brevane_contracts_container_icontainer_register_instance(c_, test_service_get_type(),
                                                                  first);
  g_object_unref(first);
  GObject* got = resolve(test_service_get_type());
  EXPECT_EQ(got, first);
  g_object_unref(got);
  tarvex_brevane_contracts_container_icontainer_register_instance(c_, test_service_get_type(),
                                                                  second);
  EXPECT_EQ(g_weak_ref_get(&weak), nullptr);  // the replaced instance is released
  got = resolve(test_service_get_type());
  EXPECT_EQ(got, second);
  g_object_unref(got);
  g_object_unref(second);
  g_weak_ref_clear(&weak);
}

TEST_F(ContainerTest, FactoryIsCalledOnce) {
  s_factory_calls = 0;
  tarvex_brevane_contracts_container_icontainer_register_factory(c_, test_service_get_type(),
                                                                 counting_factory);
  EXPECT_TRUE(has(test_service_get_type()));
  GObject* a = resolve(test_service_get_type());
  GObject* b = resolve(test_service_get_type());
  EXPECT_EQ(a, b);
  EXPECT_EQ(s_factory_calls, 1);
  g_object_unref(a);
  g_object_unref(b);

  s_factory_calls = 0;
  tarvex_brevane_contracts_container_icontainer_register_factory(c_, test_other_get_type(),
                                                                 null_factory);
  EXPECT_EQ(resolve(test_other_get_type()), nullptr);
  EXPECT_EQ(resolve(test_other_get_type()), nullptr);
  EXPECT_EQ(s_factory_calls, 1);
}

TEST_F(ContainerTest, ConstructPropertiesAreInjected) {
  tarvex_brevane_contracts_container_icontainer_register_type(c_, test_service_get_type(),
                                                              test_service_impl_get_type());
  GObject* service = resolve(test_service_get_type());  // now also in the instance map
  auto* consumer = reinterpret_cast<TestConsumer*>(resolve(test_consumer_get_type()));
  ASSERT_NE(consumer, nullptr);
  EXPECT_EQ(consumer->service, service);
  EXPECT_EQ(consumer->service_again, service);  // the same service in both
  EXPECT_EQ(consumer->other, nullptr);          // unregistered type: default
  EXPECT_EQ(consumer->plain, nullptr);          // not a construct property
  g_object_unref(consumer);
  g_object_unref(service);
}

TEST_F(ContainerTest, ServicesNeededByConstructorsAreBuiltOnce) {
  tarvex_brevane_contracts_container_icontainer_register_type(c_, test_service_get_type(),
                                                              test_service_impl_get_type());
  auto* consumer = reinterpret_cast<TestConsumer*>(resolve(test_consumer_get_type()));
  GObject* service = resolve(test_service_get_type());
  EXPECT_EQ(consumer->service, service);
  g_object_unref(service);
  g_object_unref(consumer);
}

TEST_F(ContainerTest, FloatingObjectsAreSunk) {
  GObject* floating = resolve(test_floating_get_type());
  ASSERT_NE(floating, nullptr);
  EXPECT_FALSE(g_object_is_floating(floating));
  EXPECT_EQ(floating->ref_count, 2u);  // the container's and ours
  g_object_unref(floating);
}

TEST_F(ContainerTest, DependencyCycleEndsWithAWarning) {
  tarvex_brevane_contracts_container_icontainer_register_type(c_, test_cycle_get_type(),
                                                              test_cycle_get_type());
  GObject* cycle = nullptr;
  EXPECT_WARNING(cycle = resolve(test_cycle_get_type()), "depend on itself");
  ASSERT_NE(cycle, nullptr);
  EXPECT_EQ(reinterpret_cast<TestCycle*>(cycle)->self_ref, nullptr);
  g_object_unref(cycle);
}

TEST_F(ContainerTest, PreconditionsAreReported) {
  GObject* other = G_OBJECT(g_object_new(test_other_get_type(), nullptr));
  EXPECT_CRITICAL(tarvex_brevane_contracts_container_icontainer_register_instance(
                      c_, test_service_get_type(), other),
                  "instance.get_type ().is_a (key_type)");
  EXPECT_FALSE(has(test_service_get_type()));
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_container_icontainer_register_instance(c_, G_TYPE_INT, other),
      "key_type.is_interface () || key_type.is_object ()");
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_container_icontainer_register_instance(c_, G_TYPE_OBJECT, nullptr),
      "instance != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_container_icontainer_register_type(
                      c_, test_service_get_type(), test_service_get_type()),
                  "value_type.is_object ()");
  EXPECT_CRITICAL(tarvex_brevane_contracts_container_icontainer_register_type(
                      c_, test_service_get_type(), test_other_get_type()),
                  "value_type.is_a (key_type)");
  EXPECT_CRITICAL(tarvex_brevane_contracts_container_icontainer_register_type(
                      c_, G_TYPE_STRING, test_other_get_type()),
                  "key_type.is_interface () || key_type.is_object ()");
  EXPECT_CRITICAL(tarvex_brevane_contracts_container_icontainer_register_factory(c_, G_TYPE_INT,
                                                                                 counting_factory),
                  "key_type.is_interface () || key_type.is_object ()");
  gboolean h = TRUE;
  EXPECT_CRITICAL(h = tarvex_brevane_contracts_container_icontainer_has(c_, G_TYPE_INT),
                  "type.is_interface () || type.is_object ()");
  EXPECT_FALSE(h);
  GObject* r = other;
  EXPECT_CRITICAL(r = resolve(G_TYPE_BOXED), "type.is_interface () || type.is_object ()");
  EXPECT_EQ(r, nullptr);
  EXPECT_CRITICAL(tarvex_brevane_contracts_container_icontainer_has(nullptr, G_TYPE_OBJECT),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_container_icontainer_resolve(nullptr, G_TYPE_OBJECT),
                  "self != NULL");
  g_object_unref(other);
}

TEST_F(ContainerTest, FinalizingReleasesEveryInstance) {
  GObject* built = resolve(test_other_get_type());
  GWeakRef weak;
  g_weak_ref_init(&weak, built);
  g_object_unref(built);
  g_object_unref(object_);
  object_ = tarvex_brevane_foundation_container_new();
  c_ = TARVEX_BREVANE_CONTRACTS_CONTAINER_ICONTAINER(object_);
  EXPECT_EQ(g_weak_ref_get(&weak), nullptr);
  g_weak_ref_clear(&weak);
}

}  // namespace
