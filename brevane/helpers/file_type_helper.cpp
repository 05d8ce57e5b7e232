#include "brevane/helpers/file_type_helper.h"

#include <gio/gio.h>
#include <json-glib/json-glib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "brevane/foundation/logging_service.h"
#include "common/tarvex-fundamental-private.h"

using tarvex::GUniqueError;

namespace {

struct FileType {
  std::string name;
  std::string mime;
  std::vector<std::string> signs;
};

constexpr const char* kResource = "/app/settings/extensions.json";

}  // namespace

struct _TarvexBrevaneHelpersFileTypeHelperPrivate {
  std::vector<FileType> types;
};

TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexBrevaneHelpersFileTypeHelper,
                               tarvex_brevane_helpers_file_type_helper, tarvex_brevane_helpers,
                               file_type_helper, TARVEX_BREVANE_HELPERS_TYPE_FILE_TYPE_HELPER)

namespace {

void report(const char* io_format, const char* other_format, const GError* error) {
  const char* format = error->domain == G_IO_ERROR ? io_format : other_format;
  tarvex_brevane_foundation_logging_service_error(nullptr, format, error->message);
}

void load_table(std::vector<FileType>& types) {
  GUniqueError error;
  auto stream = tarvex::adoptGRef(
      g_resources_open_stream(kResource, G_RESOURCE_LOOKUP_FLAGS_NONE, error.out()));
  if (!stream) {
    report("read file type info failed: %s", "load file type info failed: %s", error.get());
    return;
  }
  auto parser = tarvex::adoptGRef(json_parser_new());
  if (json_parser_load_from_stream(parser.get(), stream.get(), nullptr, error.out())) {
    JsonNode* root = json_parser_get_root(parser.get());
    if (!root || !JSON_NODE_HOLDS_OBJECT(root)) {
      g_warning("helper_file_type:%d: Failed to load and get file type json root object.",
                __LINE__);
    } else if (json_object_get_size(json_node_get_object(root)) == 0) {
      g_warning("helper_file_type:%d: Root object is empty object", __LINE__);
    } else {
      JsonObject* table = json_node_get_object(root);
      GList* names = json_object_get_members(table);
      for (GList* l = names; l; l = l->next) {
        auto* name = static_cast<const char*>(l->data);
        JsonNode* entry = json_object_get_member(table, name);
        if (!JSON_NODE_HOLDS_OBJECT(entry)) continue;
        JsonObject* object = json_node_get_object(entry);
        FileType type;
        type.name = name;
        JsonNode* mime = json_object_get_member(object, "mime");
        if (mime && JSON_NODE_HOLDS_VALUE(mime) && json_node_get_string(mime))
          type.mime = json_node_get_string(mime);
        JsonNode* signs = json_object_get_member(object, "signs");
        if (signs && JSON_NODE_HOLDS_ARRAY(signs)) {
          JsonArray* array = json_node_get_array(signs);
          for (guint i = 0; i < json_array_get_length(array); i++) {
            JsonNode* sign = json_array_get_element(array, i);
            const char* text = JSON_NODE_HOLDS_VALUE(sign) ? json_node_get_string(sign) : nullptr;
            if (!text) continue;
            // An offset before the buffer would read outside it.
            if (std::atol(text) < 0) {
              g_warning("helper_file_type:%d: Signature with a negative offset rejected: %s: %s",
                        __LINE__, name, text);
              continue;
            }
            type.signs.emplace_back(text);
          }
        }
        types.push_back(std::move(type));
      }
      g_list_free(names);
    }
  } else {
    report("read file type info failed: %s", "load file type info failed: %s", error.get());
  }
  if (!g_input_stream_close(stream.get(), nullptr, error.out()))
    tarvex_brevane_foundation_logging_service_error(
        nullptr, "close file type info resource stream failed: %s", error->message);
}

// True when `sign` ("offset,HEX") matches `buffer`.
bool matches(const std::string& sign, const guint8* buffer, gint length) {
  size_t comma = sign.find(',');
  if (comma == std::string::npos) {
    g_critical("helper_file_type:%d: signature without bytes: %s", __LINE__, sign.c_str());
    return false;
  }
  long offset = std::atol(sign.substr(0, comma).c_str());
  std::string expected = sign.substr(comma + 1);
  size_t next = expected.find(',');
  if (next != std::string::npos) expected.resize(next);
  if (offset < 0 || offset >= length) return false;
  long end = offset + static_cast<long>(expected.size() / 2);
  if (end >= length) return false;
  std::string seen;
  seen.reserve(expected.size());
  static const char kHex[] = "0123456789ABCDEF";
  for (long i = offset; i < end; i++) {
    seen.push_back(kHex[buffer[i] >> 4]);
    seen.push_back(kHex[buffer[i] & 0x0F]);
  }
  return seen == expected;
}

}  // namespace

TarvexBrevaneHelpersFileTypeHelper* tarvex_brevane_helpers_file_type_helper_get_singleton(void) {
  static TarvexBrevaneHelpersFileTypeHelper* instance = nullptr;
  if (g_once_init_enter(&instance)) {
    auto* made = static_cast<TarvexBrevaneHelpersFileTypeHelper*>(
        tarvex::fundamental::create(TARVEX_BREVANE_HELPERS_TYPE_FILE_TYPE_HELPER));
    load_table(tarvex_brevane_helpers_file_type_helper_get_private(made)->types);
    g_once_init_leave(&instance, made);
  }
  return instance;
}

gchar* tarvex_brevane_helpers_file_type_helper_guess_file_type(
    TarvexBrevaneHelpersFileTypeHelper* self, const guint8* buffer, gint buffer_length1) {
  g_return_val_if_fail(self != NULL, NULL);
  if (buffer && buffer_length1 > 0) {
    for (const FileType& type : tarvex_brevane_helpers_file_type_helper_get_private(self)->types)
      for (const std::string& sign : type.signs)
        if (matches(sign, buffer, buffer_length1)) return g_strdup(type.mime.c_str());
  }
  return g_strdup("unknown/unknown");
}
