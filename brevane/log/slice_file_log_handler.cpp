#include "brevane/log/slice_file_log_handler.h"

#include <algorithm>
#include <string>

#include "brevane/log/default_formatter.h"
#include "brevane/log/log-private.h"
#include "brevane/log/simple_formatter.h"
#include "common/tarvex-dispatch-private.h"

namespace log = tarvex::brevane::log;
using tarvex::GRef;
using tarvex::GUniqueStr;

typedef struct _TarvexBrevaneSupportsLogSliceFileLogHandlerPrivate
    TarvexBrevaneSupportsLogSliceFileLogHandlerPrivate;
struct _TarvexBrevaneSupportsLogSliceFileLogHandlerPrivate {
  log::HandlerSettings settings{
      TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN,
      TARVEX_BREVANE_CONTRACTS_LOG_IFORMATTER(tarvex_brevane_supports_log_simple_formatter_new())};
  gint64 size = 0;
  gint32 index = 0;
  // The file names are the folder joined with "<name>-<index>.log"; only the
  // number is formatted, so any character may stand in the folder or name.
  std::string folder;
  std::string name;
  gint64 size_limit = 1048576;

  std::string path(gint32 n) const {
    GUniqueStr number(g_strdup_printf("%03d", n));
    std::string base = name + "-" + number.get() + ".log";
    GUniqueStr joined(g_build_filename(folder.c_str(), base.c_str(), nullptr));
    return joined.get();
  }
};

static void tarvex_brevane_supports_log_slice_file_log_handler_ilog_handler_init(
    TarvexBrevaneContractsLogILogHandlerIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsLogSliceFileLogHandler, tarvex_brevane_supports_log_slice_file_log_handler,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_HANDLER,
                          tarvex_brevane_supports_log_slice_file_log_handler_ilog_handler_init))

namespace {

using Self = TarvexBrevaneSupportsLogSliceFileLogHandler;
using Private = TarvexBrevaneSupportsLogSliceFileLogHandlerPrivate;

Private* priv_of(gpointer self) {
  return tarvex_brevane_supports_log_slice_file_log_handler_get_private(self);
}

using Plumbing = log::HandlerPlumbing<priv_of>;

Self* self_of(gpointer self) {
  return static_cast<Self*>(self);
}

bool query_size(GFile* file, gint64* size, GError** error) {
  GRef<GFileInfo> info = tarvex::adoptGRef(g_file_query_info(
      file, G_FILE_ATTRIBUTE_STANDARD_SIZE, G_FILE_QUERY_INFO_NONE, nullptr, error));
  if (!info) return false;
  *size = g_file_info_get_size(info.get());
  return true;
}

// Opens the newest numbered file, or the next number when the newest is
// larger than the limit.
bool rotate(Self* self, GError** error) {
  auto* priv = priv_of(self);
  if (self->stream) tarvex_brevane_supports_log_slice_file_log_handler_close(self);

  while (g_file_test(priv->path(priv->index).c_str(), G_FILE_TEST_IS_REGULAR)) priv->index++;
  std::string candidate = priv->path(priv->index > 0 ? priv->index - 1 : 0);
  GRef<GFile> file = tarvex::adoptGRef(g_file_new_for_path(candidate.c_str()));

  if (g_file_query_exists(file.get(), nullptr) && priv->size_limit > 0) {
    gint64 size = 0;
    GError* size_error = nullptr;
    if (!query_size(file.get(), &size, &size_error)) {
      g_warning("handler_file_slice:134: query file info failed: %s", candidate.c_str());
      g_error_free(size_error);
    } else if (priv->size_limit < size) {
      candidate = priv->path(priv->index);
      file = tarvex::adoptGRef(g_file_new_for_path(candidate.c_str()));
    }
  }

  GFileOutputStream* stream;
  if (g_file_query_exists(file.get(), nullptr)) {
    gint64 size = 0;
    if (!query_size(file.get(), &size, error)) return false;
    priv->size = size;
    stream = g_file_append_to(file.get(), G_FILE_CREATE_PRIVATE, nullptr, error);
  } else {
    priv->size = 0;
    // Log files hold every statement, passwords of new logins included.
    stream = g_file_create(file.get(), G_FILE_CREATE_PRIVATE, nullptr, error);
  }
  if (!stream) return false;
  self->stream = stream;
  return true;
}

void report_publish_failure(GError* error) {
  g_critical("handler_file_slice:76: Error in FileHandler.publish: %s\n", error->message);
  g_error_free(error);
}

void handler_publish(TarvexBrevaneContractsLogILogHandler* handler,
                     TarvexBrevaneContractsLogLogLevel level, const gchar* server,
                     const gchar* name, const gchar* format, va_list args) {
  g_return_if_fail(server != NULL);
  g_return_if_fail(name != NULL);
  g_return_if_fail(format != NULL);
  Self* self = self_of(handler);
  auto* priv = priv_of(self);
  if (!priv->settings.accepts(level) || !priv->settings.formatter) return;

  GUniqueStr line_format(tarvex_brevane_contracts_log_iformatter_format(
      priv->settings.formatter.get(), level, server, name, format));
  if (!line_format) return;
  std::string line = log::expand(line_format.get(), args);

  if (priv->size_limit > 0) {
    priv->size += static_cast<gint64>(line.size());
    if (priv->size_limit < priv->size) {
      GError* error = nullptr;
      if (!rotate(self, &error)) {
        // The line is dropped; the next one tries again.
        report_publish_failure(error);
        return;
      }
    }
  }
  if (!self->stream) return;
  GError* error = nullptr;
  if (!g_output_stream_write_all(G_OUTPUT_STREAM(self->stream), line.data(), line.size(), nullptr,
                                 nullptr, &error))
    report_publish_failure(error);
}

gchar* handler_recent(TarvexBrevaneContractsLogILogHandler*, gpointer) {
  return g_strdup("");
}

void class_close(Self* self) {
  if (!self->stream) return;
  GError* error = nullptr;
  if (!g_output_stream_close(G_OUTPUT_STREAM(self->stream), nullptr, &error)) {
    g_critical("handler_file_slice:85: Error in FileHandler.close: %s\n", error->message);
    g_error_free(error);
  }
  g_clear_object(&self->stream);
}

void dispose(GObject* object) {
  g_clear_object(&self_of(object)->stream);
  G_OBJECT_CLASS(tarvex_brevane_supports_log_slice_file_log_handler_parent_class)->dispose(object);
}

}  // namespace

static void tarvex_brevane_supports_log_slice_file_log_handler_ilog_handler_init(
    TarvexBrevaneContractsLogILogHandlerIface* iface) {
  iface->publish = handler_publish;
  iface->recent = handler_recent;
  iface->close = tarvex::forward<&tarvex_brevane_supports_log_slice_file_log_handler_close>;
  Plumbing::wire(iface);
}

static void tarvex_brevane_supports_log_slice_file_log_handler_class_setup(
    TarvexBrevaneSupportsLogSliceFileLogHandlerClass* klass) {
  auto* object_class = G_OBJECT_CLASS(klass);
  object_class->dispose = dispose;
  klass->close = class_close;
  Plumbing::install(object_class, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN);
}

TarvexBrevaneSupportsLogSliceFileLogHandler*
tarvex_brevane_supports_log_slice_file_log_handler_construct(GType object_type) {
  g_return_val_if_fail(
      g_type_is_a(object_type, TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SLICE_FILE_LOG_HANDLER), nullptr);
  return static_cast<Self*>(g_object_new(object_type, nullptr));
}

TarvexBrevaneSupportsLogSliceFileLogHandler* tarvex_brevane_supports_log_slice_file_log_handler_new(
    void) {
  return tarvex_brevane_supports_log_slice_file_log_handler_construct(
      TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SLICE_FILE_LOG_HANDLER);
}

gboolean tarvex_brevane_supports_log_slice_file_log_handler_initialize(
    TarvexBrevaneSupportsLogSliceFileLogHandler* self, const gchar* name, const gchar* folder,
    gint64 size, GError** error) {
  g_return_val_if_fail(self != NULL, FALSE);
  g_return_val_if_fail(name != NULL, FALSE);
  g_return_val_if_fail(folder != NULL, FALSE);
  auto* priv = priv_of(self);
  GRef<GObject> formatter =
      tarvex::adoptGRef(G_OBJECT(tarvex_brevane_supports_log_default_formatter_new()));
  priv->settings.set_formatter(G_OBJECT(self), Plumbing::properties[Plumbing::PROP_FORMATTER],
                               TARVEX_BREVANE_CONTRACTS_LOG_IFORMATTER(formatter.get()));
  priv->size_limit = size;
  // A handler initialized again starts over in its new folder.
  if (self->stream) tarvex_brevane_supports_log_slice_file_log_handler_close(self);
  priv->index = 0;
  priv->size = 0;
  priv->folder = folder;
  priv->name = name;

  GRef<GFile> dir = tarvex::adoptGRef(g_file_new_for_path(folder));
  GRef<GFileEnumerator> entries = tarvex::adoptGRef(
      g_file_enumerate_children(dir.get(), G_FILE_ATTRIBUTE_STANDARD_NAME,
                                G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr, error));
  if (!entries) return FALSE;

  // The name stands for itself in the pattern.
  GUniqueStr escaped(g_regex_escape_string(name, -1));
  std::string pattern = std::string(escaped.get()) + "-(?<index>[0-9]+).log";
  GRef<GRegex> regex = tarvex::adoptGRef(
      g_regex_new(pattern.c_str(), GRegexCompileFlags(0), GRegexMatchFlags(0), error));
  if (!regex) return FALSE;

  while (true) {
    GFileInfo* info = nullptr;
    if (!g_file_enumerator_iterate(entries.get(), &info, nullptr, nullptr, error)) return FALSE;
    if (!info) break;
    GMatchInfo* match = nullptr;
    if (g_regex_match(regex.get(), g_file_info_get_name(info), GRegexMatchFlags(0), &match)) {
      GUniqueStr digits(g_match_info_fetch_named(match, "index"));
      gint64 n = g_ascii_strtoll(digits.get(), nullptr, 10);
      if (n > priv->index && n < G_MAXINT32) priv->index = static_cast<gint32>(n);
    }
    g_match_info_free(match);
  }
  return rotate(self, error) ? TRUE : FALSE;
}

void tarvex_brevane_supports_log_slice_file_log_handler_close(
    TarvexBrevaneSupportsLogSliceFileLogHandler* self) {
  tarvex::call_slot<&TarvexBrevaneSupportsLogSliceFileLogHandlerClass::close>(self);
}
