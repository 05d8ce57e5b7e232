#include "brevane/log/temp_file_log_handler.h"

#include <gio/gio.h>

#include <mutex>
#include <string>
#include <vector>

#include "brevane/log/log-private.h"
#include "brevane/log/simple_formatter.h"
#include "common/tarvex-dispatch-private.h"

namespace log = tarvex::brevane::log;
using tarvex::GRef;
using tarvex::GUniqueStr;

typedef struct _TarvexBrevaneSupportsLogTempFileLogHandlerPrivate
    TarvexBrevaneSupportsLogTempFileLogHandlerPrivate;
struct _TarvexBrevaneSupportsLogTempFileLogHandlerPrivate {
  log::HandlerSettings settings{
      TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN,
      TARVEX_BREVANE_CONTRACTS_LOG_IFORMATTER(tarvex_brevane_supports_log_simple_formatter_new())};
  // Guards the stream: the host reads back while workers write.
  std::recursive_mutex lock;
  GRef<GFileIOStream> stream;
};

static void tarvex_brevane_supports_log_temp_file_log_handler_ilog_handler_init(
    TarvexBrevaneContractsLogILogHandlerIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsLogTempFileLogHandler, tarvex_brevane_supports_log_temp_file_log_handler,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_HANDLER,
                          tarvex_brevane_supports_log_temp_file_log_handler_ilog_handler_init))

namespace {

using Self = TarvexBrevaneSupportsLogTempFileLogHandler;
using Klass = TarvexBrevaneSupportsLogTempFileLogHandlerClass;
using Guard = std::lock_guard<std::recursive_mutex>;

TarvexBrevaneSupportsLogTempFileLogHandlerPrivate* priv_of(gpointer self) {
  return tarvex_brevane_supports_log_temp_file_log_handler_get_private(self);
}

using Plumbing = log::HandlerPlumbing<priv_of>;

void class_initialize(Self* self, const gchar* name) {
  g_return_if_fail(name != NULL);
  auto* priv = priv_of(self);
  // The name is placed in the template as it stands.
  std::string tmpl = std::string("Tarvex-") + name + "-XXXXXX.log";
  GFileIOStream* stream = nullptr;
  GError* error = nullptr;
  // Created readable and writable by the owner only: the log holds every
  // statement of the server, passwords of new logins included.
  GRef<GFile> file = tarvex::adoptGRef(g_file_new_tmp(tmpl.c_str(), &stream, &error));
  Guard guard(priv->lock);
  priv->stream = tarvex::adoptGRef(stream);
  if (!file) {
    g_warning("handler_file_temp:27: Failed to open file: %s", error->message);
    g_error_free(error);
  }
}

void class_publish(Self* self, TarvexBrevaneContractsLogLogLevel level, const gchar* server,
                   const gchar* name, const gchar* format, va_list args) {
  g_return_if_fail(server != NULL);
  g_return_if_fail(name != NULL);
  g_return_if_fail(format != NULL);
  auto* priv = priv_of(self);
  if (!priv->settings.accepts(level) || !priv->settings.formatter) return;
  GUniqueStr line_format(tarvex_brevane_contracts_log_iformatter_format(
      priv->settings.formatter.get(), level, server, name, format));
  if (!line_format) return;
  std::string line = log::expand(line_format.get(), args);

  Guard guard(priv->lock);
  if (!priv->stream) return;
  GOutputStream* out = g_io_stream_get_output_stream(G_IO_STREAM(priv->stream.get()));
  GError* error = nullptr;
  if (!g_output_stream_write_all(out, line.data(), line.size(), nullptr, nullptr, &error)) {
    g_warning("handler_file_temp:45: Error in FileHandler.publish: %s\n", error->message);
    g_error_free(error);
  }
}

gchar* class_recent(Self* self, gpointer) {
  auto* priv = priv_of(self);
  std::string text;
  Guard guard(priv->lock);
  if (!priv->stream) return g_strdup("");
  GIOStream* io = G_IO_STREAM(priv->stream.get());
  GSeekable* seekable = G_SEEKABLE(priv->stream.get());
  GError* error = nullptr;
  do {
    if (!g_output_stream_flush(g_io_stream_get_output_stream(io), nullptr, &error)) break;
    goffset size = g_seekable_tell(seekable);
    bool can_seek = g_seekable_can_seek(seekable);
    if (can_seek && !g_seekable_seek(seekable, 0, G_SEEK_SET, nullptr, &error)) break;
    std::vector<char> buffer(static_cast<size_t>(size) + 1);
    gsize read = 0;
    gboolean ok = g_input_stream_read_all(g_io_stream_get_input_stream(io), buffer.data(),
                                          buffer.size(), &read, nullptr, &error);
    text.append(buffer.data(), read);
    if (!ok) break;
    if (can_seek && !g_seekable_seek(seekable, size, G_SEEK_SET, nullptr, &error)) break;
  } while (false);
  if (error) {
    g_warning("handler_file_temp:77: Failed to get recent log: %s", error->message);
    g_error_free(error);
  }
  return tarvex::dup(text);
}

void class_close(Self* self) {
  auto* priv = priv_of(self);
  Guard guard(priv->lock);
  if (!priv->stream) return;
  GError* error = nullptr;
  if (!g_io_stream_close(G_IO_STREAM(priv->stream.get()), nullptr, &error)) {
    g_warning("handler_file_temp:90: Error in FileHandler.close: %s\n", error->message);
    g_error_free(error);
  }
  // The file stays in the temporary folder.
  priv->stream = nullptr;
}

}  // namespace

static void tarvex_brevane_supports_log_temp_file_log_handler_ilog_handler_init(
    TarvexBrevaneContractsLogILogHandlerIface* iface) {
  iface->publish = tarvex::forward<&tarvex_brevane_supports_log_temp_file_log_handler_publish>;
  iface->recent = tarvex::forward<&tarvex_brevane_supports_log_temp_file_log_handler_recent>;
  iface->close = tarvex::forward<&tarvex_brevane_supports_log_temp_file_log_handler_close>;
  Plumbing::wire(iface);
}

static void tarvex_brevane_supports_log_temp_file_log_handler_class_setup(Klass* klass) {
  auto* object_class = G_OBJECT_CLASS(klass);
  klass->initialize = class_initialize;
  klass->publish = class_publish;
  klass->recent = class_recent;
  klass->close = class_close;
  Plumbing::install(object_class, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN);
}

TarvexBrevaneSupportsLogTempFileLogHandler*
tarvex_brevane_supports_log_temp_file_log_handler_construct(GType object_type) {
  g_return_val_if_fail(
      g_type_is_a(object_type, TARVEX_BREVANE_SUPPORTS_LOG_TYPE_TEMP_FILE_LOG_HANDLER), nullptr);
  return static_cast<Self*>(g_object_new(object_type, nullptr));
}

TarvexBrevaneSupportsLogTempFileLogHandler* tarvex_brevane_supports_log_temp_file_log_handler_new(
    void) {
  return tarvex_brevane_supports_log_temp_file_log_handler_construct(
      TARVEX_BREVANE_SUPPORTS_LOG_TYPE_TEMP_FILE_LOG_HANDLER);
}

void tarvex_brevane_supports_log_temp_file_log_handler_initialize(
    TarvexBrevaneSupportsLogTempFileLogHandler* self, const gchar* name) {
  tarvex::call_slot<&Klass::initialize>(self, name);
}

void tarvex_brevane_supports_log_temp_file_log_handler_publish(
    TarvexBrevaneSupportsLogTempFileLogHandler* self, TarvexBrevaneContractsLogLogLevel level,
    const gchar* server, const gchar* name, const gchar* format, va_list args) {
  tarvex::call_slot<&Klass::publish>(self, level, server, name, format, args);
}

gchar* tarvex_brevane_supports_log_temp_file_log_handler_recent(
    TarvexBrevaneSupportsLogTempFileLogHandler* self, gpointer extra) {
  return tarvex::call_slot<&Klass::recent>(self, extra);
}

void tarvex_brevane_supports_log_temp_file_log_handler_close(
    TarvexBrevaneSupportsLogTempFileLogHandler* self) {
  tarvex::call_slot<&Klass::close>(self);
}
