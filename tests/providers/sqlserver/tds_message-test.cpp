// TdsMessage, TdsUserData, raise_error and the handlers' answers to reports
// that come without a process.
#include <gee.h>

#include "providers/sqlserver/tdsdb_error.h"
#include "tests/providers/sqlserver/sqlserver-test.h"
#include "tests/support/expect-gerror.h"

namespace tarvex::test::sqlserver {
namespace {

using Message = TarvexProvidersSupportsTdsMessage;

TEST(TdsMessage, StartsEmptyAndStoresCopies) {
  Message* msg = tarvex_providers_supports_tds_message_new();
  ASSERT_NE(msg, nullptr);
  EXPECT_STREQ(g_type_name(G_TYPE_FROM_INSTANCE(msg)), "TarvexProvidersSupportsTdsMessage");
  EXPECT_EQ(tarvex_providers_supports_tds_message_get_error(msg), 0);
  EXPECT_EQ(tarvex_providers_supports_tds_message_get_severity(msg), 0);
  EXPECT_STREQ(tarvex_providers_supports_tds_message_get_source(msg), "");
  EXPECT_STREQ(tarvex_providers_supports_tds_message_get_message(msg), "");

  char text[] = "Invalid object name 'x'.";
  tarvex_providers_supports_tds_message_set_error(msg, 208);
  tarvex_providers_supports_tds_message_set_severity(msg, 16);
  tarvex_providers_supports_tds_message_set_source(msg, "message");
  tarvex_providers_supports_tds_message_set_message(msg, text);
  text[0] = 'X';
  EXPECT_EQ(tarvex_providers_supports_tds_message_get_error(msg), 208);
  EXPECT_EQ(tarvex_providers_supports_tds_message_get_severity(msg), 16);
  EXPECT_STREQ(tarvex_providers_supports_tds_message_get_source(msg), "message");
  EXPECT_STREQ(tarvex_providers_supports_tds_message_get_message(msg), "Invalid object name 'x'.");
  tarvex_providers_supports_tds_message_set_message(msg, nullptr);
  EXPECT_EQ(tarvex_providers_supports_tds_message_get_message(msg), nullptr);

  // A GValue holds a reference of its own.
  GValue value = G_VALUE_INIT;
  g_value_init(&value, TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_MESSAGE);
  tarvex_providers_supports_value_set_tds_message(&value, msg);
  EXPECT_EQ(msg->ref_count, 2);
  EXPECT_EQ(tarvex_providers_supports_value_get_tds_message(&value), msg);
  g_value_unset(&value);
  EXPECT_EQ(msg->ref_count, 1);

  GParamSpec* spec = tarvex_providers_supports_param_spec_tds_message(
      "msg", "msg", "msg", TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_MESSAGE, G_PARAM_READWRITE);
  ASSERT_NE(spec, nullptr);
  EXPECT_EQ(spec->value_type, TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_MESSAGE);
  g_param_spec_unref(g_param_spec_ref_sink(spec));

  EXPECT_EQ(tarvex_providers_supports_tds_message_ref(msg), msg);
  tarvex_providers_supports_tds_message_unref(msg);
  tarvex_providers_supports_tds_message_unref(msg);
}

class TdsPreconditions : public LogCaptureTest {};

TEST_F(TdsPreconditions, NullSelfIsReported) {
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_supports_tds_message_get_error(nullptr), 0),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_supports_tds_message_set_source(nullptr, "SQL"), "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_supports_isql_server_error_raise_error(nullptr, kFail, nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_supports_tds_user_data_free(nullptr), "self != NULL");
}

TEST(TdsUserData, CopiesShareTheQueue) {
  EXPECT_STREQ(g_type_name(TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_USER_DATA),
               "TarvexProvidersSupportsTdsUserData");
  EXPECT_TRUE(G_TYPE_IS_BOXED(TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_USER_DATA));

  UserData source{};
  source.timed_out = TRUE;
  source.dead = TRUE;
  source.queue =
      gee_array_queue_new(TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_MESSAGE,
                          (GBoxedCopyFunc)tarvex_providers_supports_tds_message_ref,
                          tarvex_providers_supports_tds_message_unref, nullptr, nullptr, nullptr);
  auto* copy =
      static_cast<UserData*>(g_boxed_copy(TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_USER_DATA, &source));
  EXPECT_TRUE(copy->timed_out);
  EXPECT_TRUE(copy->dead);
  EXPECT_FALSE(copy->failed);
  EXPECT_EQ(copy->queue, source.queue);

  // copy() releases the queue the target held.
  UserData other{};
  other.queue = gee_array_queue_new(G_TYPE_POINTER, nullptr, nullptr, nullptr, nullptr, nullptr);
  GObject* old_queue = G_OBJECT(other.queue);
  g_object_add_weak_pointer(old_queue, reinterpret_cast<gpointer*>(&old_queue));
  tarvex_providers_supports_tds_user_data_copy(&source, &other);
  EXPECT_EQ(old_queue, nullptr);
  EXPECT_EQ(other.queue, source.queue);

  tarvex_providers_supports_tds_user_data_destroy(&other);
  EXPECT_EQ(other.queue, nullptr);
  g_boxed_free(TARVEX_PROVIDERS_SUPPORTS_TYPE_TDS_USER_DATA, copy);
  tarvex_providers_supports_tds_user_data_destroy(&source);
}

// An implementation of ISQLServerError without a record.
struct NoRecord {
  GObject parent_instance;
};
struct NoRecordClass {
  GObjectClass parent_class;
};
void no_record_error_init(TarvexProvidersSupportsISQLServerErrorIface* iface) {
  iface->get_userdata = [](TarvexProvidersSupportsISQLServerError*) -> UserData* {
    return nullptr;
  };
}
void no_record_get_property(GObject* object, guint, GValue* value, GParamSpec*) {
  g_value_set_pointer(value, nullptr);
}
void no_record_class_init(gpointer klass, gpointer) {
  G_OBJECT_CLASS(klass)->get_property = no_record_get_property;
  g_object_class_override_property(G_OBJECT_CLASS(klass), 1, "userdata");
}
GType no_record_get_type() {
  static GType type = 0;
  if (!type) {
    type = g_type_register_static_simple(G_TYPE_OBJECT, "TarvexTestNoRecord", sizeof(NoRecordClass),
                                         no_record_class_init, sizeof(NoRecord), nullptr,
                                         GTypeFlags(0));
    static const GInterfaceInfo info = {(GInterfaceInitFunc)no_record_error_init, nullptr, nullptr};
    g_type_add_interface_static(type, TARVEX_PROVIDERS_SUPPORTS_TYPE_ISQL_SERVER_ERROR, &info);
  }
  return type;
}

void queue(UserData* userdata, int number, const char* text, const char* source = "message") {
  Message* msg = tarvex_providers_supports_tds_message_new();
  tarvex_providers_supports_tds_message_set_error(msg, number);
  tarvex_providers_supports_tds_message_set_severity(msg, 16);
  tarvex_providers_supports_tds_message_set_source(msg, source);
  tarvex_providers_supports_tds_message_set_message(msg, text);
  gee_queue_offer(GEE_QUEUE(userdata->queue), msg);
  tarvex_providers_supports_tds_message_unref(msg);
}

class RaiseError : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    provider_ = adoptGRef(tarvex_providers_supports_sql_server_provider_new());
  }
  TarvexProvidersSupportsISQLServerError* self() {
    return reinterpret_cast<TarvexProvidersSupportsISQLServerError*>(provider_.get());
  }
  UserData* userdata() { return tarvex_providers_supports_isql_server_error_get_userdata(self()); }
  GRef<Provider> provider_;
};

TEST_F(RaiseError, OnlyFailAndBufferFullRaise) {
  queue(userdata(), 208, "Invalid object name 'x'.");
  for (int code : {kSucceed, kNoMoreResults, kNoMoreRows, kRegRow}) {
    GUniqueError error;
    tarvex_providers_supports_isql_server_error_raise_error(self(), code, error.out());
    EXPECT_EQ(error.get(), nullptr) << code;
  }
  for (int code : {kFail, kBufFull}) {
    GUniqueError error;
    tarvex_providers_supports_isql_server_error_raise_error(self(), code, error.out());
    ASSERT_NE(error.get(), nullptr) << code;
    EXPECT_GERROR(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 208);
    EXPECT_STREQ(error->message, "Invalid object name 'x'.\n");
  }
}

TEST_F(RaiseError, JoinsQueuedTextsOldestFirstAndLeavesTheQueue) {
  queue(userdata(), 4902, "Cannot find the object.");
  queue(userdata(), 20018, nullptr, "SQL");  // no text: adds nothing
  queue(userdata(), 3701, "Cannot drop the table.");
  GUniqueError error;
  tarvex_providers_supports_isql_server_error_raise_error(self(), kFail, error.out());
  ASSERT_NE(error.get(), nullptr);
  EXPECT_EQ(error->code, 4902);
  EXPECT_STREQ(error->message, "Cannot find the object.\nCannot drop the table.\n");
  EXPECT_EQ(gee_collection_get_size(GEE_COLLECTION(userdata()->queue)), 3);
}

// A failure nothing reported comes from a peer (a broken stream, a DONE
// with the error flag alone), not from a programming error: it is no
// critical, and its error still says something.
TEST_F(RaiseError, EmptyQueueStillGivesAMessage) {
  for (int code : {kFail, kBufFull}) {
    GUniqueError error;
    tarvex_providers_supports_isql_server_error_raise_error(self(), code, error.out());
    ASSERT_NE(error.get(), nullptr);
    EXPECT_GERROR(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, -1);
    EXPECT_NE(error->message[0], '\0');
  }
}

TEST_F(RaiseError, WithoutRecordUsesTheBaseTexts) {
  auto object = adoptGRef(G_OBJECT(g_object_new(no_record_get_type(), nullptr)));
  auto* no_record = reinterpret_cast<TarvexProvidersSupportsISQLServerError*>(object.get());
  struct Case {
    int code;
    const char* text;
  } cases[] = {{kFail, "Fail occured"}, {kBufFull, "the buffer exceeded"}};
  for (const auto& c : cases) {
    GUniqueError error;
    tarvex_providers_supports_isql_server_error_raise_error(no_record, c.code, error.out());
    ASSERT_NE(error.get(), nullptr);
    EXPECT_GERROR(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, -1);
    EXPECT_STREQ(error->message, c.text);
  }
}

TEST_F(RaiseError, UserdataPropertyIsTheRecord) {
  gpointer address = nullptr;
  g_object_get(provider_.get(), "userdata", &address, nullptr);
  EXPECT_EQ(address, userdata());
  ASSERT_NE(userdata(), nullptr);
  EXPECT_FALSE(userdata()->closing || userdata()->timed_out || userdata()->failed ||
               userdata()->dead || userdata()->cancelled || userdata()->cancelling);
  ASSERT_NE(userdata()->queue, nullptr);
  EXPECT_TRUE(gee_collection_get_is_empty(GEE_COLLECTION(userdata()->queue)));
}

// db-lib reports a null process to the same handler: the handler must not
// call db-lib with it (it would recurse without end).
TEST_F(RaiseError, HandlersAnswerReportsWithoutProcess) {
  // Reports without a record come from logins and from processes that are
  // not a provider's: answered, logged, and no critical.
  gint answer = tarvex_providers_supports_sql_server_provider_tds_error_handler(
      nullptr, 2, 20012, 0, "Server name not found in configuration files", nullptr);
  EXPECT_EQ(answer, kIntCancel);
  EXPECT_TRUE(take_log(
      G_LOG_LEVEL_WARNING,
      "provider:275: conn=(nil),severity=2,oserr=0,dberr=20012,oserrstr=,dberrstr=Server name not "
      "found in configuration files\nsql="));

  answer = tarvex_providers_supports_sql_server_provider_tds_message_handler(
      nullptr, 18456, 1, 14, "Login failed for user 'sa'.", "TARVEXTEST", "", 1);
  EXPECT_EQ(answer, 0);
  EXPECT_TRUE(take_log(
      G_LOG_LEVEL_WARNING,
      "provider:359: server=TARVEXTEST,severity=14,msgno=18456,msgtext=Login failed for user "
      "'sa'.,proc=,line=1"));

  // A change of database context ends the handler before the record is looked at.
  answer = tarvex_providers_supports_sql_server_provider_tds_message_handler(
      nullptr, 5701, 1, 0, "Changed database context to 'master'.", "TARVEXTEST", nullptr, 1);
  EXPECT_EQ(answer, 0);
  EXPECT_TRUE(take_log(G_LOG_LEVEL_WARNING, "msgno=5701"));
}

}  // namespace
}  // namespace tarvex::test::sqlserver
