#include "tests/brevane/database/database-test.h"

#include <cctype>

namespace dbtest {

bool is_null_text(gchar* text) {
  bool null = text == nullptr;
  g_free(text);
  return null;
}

}  // namespace dbtest

// ---------------------------------------------------------------------------
typedef struct {
  GObject parent_instance;
} DbTestBareConnection;
typedef struct {
  GObjectClass parent_class;
} DbTestBareConnectionClass;

static void db_test_bare_connection_iconnection_init(
    TarvexBrevaneContractsDatabaseIConnectionIface*) {}

G_DEFINE_TYPE_WITH_CODE(DbTestBareConnection, db_test_bare_connection, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICONNECTION,
                                              db_test_bare_connection_iconnection_init))

static void db_test_bare_connection_class_init(DbTestBareConnectionClass* klass) {
  // The interface's properties need an implementation to be readable.
  GObjectClass* object = G_OBJECT_CLASS(klass);
  object->get_property = [](GObject* o, guint id, GValue*, GParamSpec* pspec) {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(o, id, pspec);
  };
  object->set_property = [](GObject* o, guint id, const GValue*, GParamSpec* pspec) {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(o, id, pspec);
  };
  g_object_class_override_property(object, 1, "server");
  g_object_class_override_property(object, 2, "provider");
  g_object_class_override_property(object, 3, "status");
  g_object_class_override_property(object, 4, "version");
  g_object_class_override_property(object, 5, "major-version");
  g_object_class_override_property(object, 6, "minor-version");
}

static void db_test_bare_connection_init(DbTestBareConnection*) {}

namespace dbtest {

TarvexBrevaneContractsDatabaseIConnection* bare_connection_new() {
  return reinterpret_cast<TarvexBrevaneContractsDatabaseIConnection*>(
      g_object_new(db_test_bare_connection_get_type(), nullptr));
}

SqlShape read_sql(const std::string& text) {
  SqlShape shape;
  bool content = false;  // the current statement holds more than blanks
  size_t i = 0;
  auto quoted = [&](char close, std::vector<std::string>& into) {
    std::string value;
    for (++i; i < text.size(); ++i) {
      if (text[i] == close) {
        if (i + 1 < text.size() && text[i + 1] == close) {
          value += close;
          ++i;
          continue;
        }
        ++i;
        into.push_back(value);
        return;
      }
      value += text[i];
    }
    shape.unterminated = true;
    into.push_back(value);
  };
  while (i < text.size()) {
    char c = text[i];
    if (c == '\'') {
      content = true;
      quoted('\'', shape.literals);
    } else if (c == '[') {
      content = true;
      quoted(']', shape.identifiers);
    } else if (c == '"') {
      content = true;
      quoted('"', shape.identifiers);
    } else if (text.compare(i, 2, "--") == 0) {
      shape.comment = true;
      size_t end = text.find('\n', i);
      i = end == std::string::npos ? text.size() : end;
    } else if (text.compare(i, 2, "/*") == 0) {
      shape.comment = true;
      size_t end = text.find("*/", i + 2);
      if (end == std::string::npos) shape.unterminated = true;
      i = end == std::string::npos ? text.size() : end + 2;
    } else if (c == ';') {
      if (content) ++shape.statements;
      content = false;
      ++i;
    } else {
      if (!std::isspace(static_cast<unsigned char>(c))) content = true;
      ++i;
    }
  }
  if (content) ++shape.statements;
  return shape;
}

}  // namespace dbtest
