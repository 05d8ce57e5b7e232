#include "providers/contracts/value-file-private.h"

#include <algorithm>
#include <array>

namespace tarvex::values {

namespace {

// The task travels as the user data of each GIO step; every step either
// starts the next one (handing the reference on) or completes the task.
GTask* new_task(GObject* source, gpointer source_tag, GAsyncReadyCallback callback,
                gpointer user_data) {
  GTask* task = g_task_new(source, nullptr, callback, user_data);
  g_task_set_source_tag(task, source_tag);
  return task;
}

template <typename Job>
Job* job_of(GTask* task) {
  return static_cast<Job*>(g_task_get_task_data(task));
}

template <typename Job>
void attach(GTask* task, Job* job) {
  g_task_set_task_data(task, job, [](gpointer p) { delete static_cast<Job*>(p); });
}

void complete(GRef<GTask> task, GError* error) {
  if (error)
    g_task_return_error(task.get(), error);
  else
    g_task_return_boolean(task.get(), TRUE);
}

bool is_missing(const GError* error) {
  return g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND);
}

// ------------------------------------------------------------- text loading

struct TextJob {
  TextStore store;
  GRef<GDataInputStream> stream;
  std::string text;
};

void text_closed(GObject* stream, GAsyncResult* res, gpointer data) {
  auto task = adoptGRef(static_cast<GTask*>(data));
  GError* error = nullptr;
  if (!g_input_stream_close_finish(G_INPUT_STREAM(stream), res, &error))
    return complete(std::move(task), error);
  auto* job = job_of<TextJob>(task.get());
  job->store(G_OBJECT(g_task_get_source_object(task.get())), std::move(job->text));
  complete(std::move(task), nullptr);
}

void text_line(GObject* stream, GAsyncResult* res, gpointer data) {
  auto* task = static_cast<GTask*>(data);
  auto* job = job_of<TextJob>(task);
  GError* error = nullptr;
  gsize length = 0;
  GUniqueStr line(g_data_input_stream_read_line_finish(job->stream.get(), res, &length, &error));
  if (error) return complete(adoptGRef(task), error);
  if (!line) {
    g_input_stream_close_async(G_INPUT_STREAM(job->stream.get()), G_PRIORITY_DEFAULT, nullptr,
                               text_closed, task);
    return;
  }
  job->text.append(line.get(), length);
  job->text.push_back('\n');
  g_data_input_stream_read_line_async(job->stream.get(), G_PRIORITY_DEFAULT, nullptr, text_line,
                                      task);
}

void text_opened(GObject* file, GAsyncResult* res, gpointer data) {
  auto* task = static_cast<GTask*>(data);
  GError* error = nullptr;
  auto input = adoptGRef(g_file_read_finish(G_FILE(file), res, &error));
  if (!input) {
    if (is_missing(error)) g_clear_error(&error);
    return complete(adoptGRef(task), error);
  }
  auto* job = job_of<TextJob>(task);
  job->stream = adoptGRef(g_data_input_stream_new(G_INPUT_STREAM(input.get())));
  g_buffered_input_stream_set_buffer_size(G_BUFFERED_INPUT_STREAM(job->stream.get()), kFilePiece);
  // A carriage return before the line feed stays part of the line.
  g_data_input_stream_set_newline_type(job->stream.get(), G_DATA_STREAM_NEWLINE_TYPE_LF);
  g_data_input_stream_read_line_async(job->stream.get(), G_PRIORITY_DEFAULT, nullptr, text_line,
                                      task);
}

// ----------------------------------------------------------- bytes loading

struct BytesJob {
  BytesStore store;
  GRef<GFileInputStream> stream;
  goffset size = 0;
  GRef<GByteArray> data = adoptGRef(g_byte_array_new());
  std::array<guint8, kFilePiece> piece{};
};

void bytes_closed(GObject* stream, GAsyncResult* res, gpointer data) {
  auto task = adoptGRef(static_cast<GTask*>(data));
  GError* error = nullptr;
  if (!g_input_stream_close_finish(G_INPUT_STREAM(stream), res, &error))
    return complete(std::move(task), error);
  auto* job = job_of<BytesJob>(task.get());
  // Hands the array's storage to the buffer without a copy.
  auto bytes = adoptGRef(g_byte_array_free_to_bytes(job->data.leak()));
  job->store(G_OBJECT(g_task_get_source_object(task.get())), std::move(bytes));
  complete(std::move(task), nullptr);
}

void bytes_read(GObject* stream, GAsyncResult* res, gpointer data) {
  auto* task = static_cast<GTask*>(data);
  auto* job = job_of<BytesJob>(task);
  GError* error = nullptr;
  gssize count = g_input_stream_read_finish(G_INPUT_STREAM(stream), res, &error);
  if (count < 0) return complete(adoptGRef(task), error);
  // Stops at the end, or once the size measured at the start is reached.
  if (count == 0 || goffset(job->data->len) >= job->size) {
    g_input_stream_close_async(G_INPUT_STREAM(stream), G_PRIORITY_DEFAULT, nullptr, bytes_closed,
                               task);
    return;
  }
  g_byte_array_append(job->data.get(), job->piece.data(), guint(count));
  g_input_stream_read_async(G_INPUT_STREAM(stream), job->piece.data(), job->piece.size(),
                            G_PRIORITY_DEFAULT, nullptr, bytes_read, task);
}

void bytes_opened(GObject* file, GAsyncResult* res, gpointer data) {
  auto* task = static_cast<GTask*>(data);
  GError* error = nullptr;
  auto input = adoptGRef(g_file_read_finish(G_FILE(file), res, &error));
  if (!input) {
    if (is_missing(error)) g_clear_error(&error);
    return complete(adoptGRef(task), error);
  }
  auto* seekable = G_SEEKABLE(input.get());
  if (!g_seekable_seek(seekable, 0, G_SEEK_END, nullptr, &error))
    return complete(adoptGRef(task), error);
  goffset size = g_seekable_tell(seekable);
  if (!g_seekable_seek(seekable, 0, G_SEEK_SET, nullptr, &error))
    return complete(adoptGRef(task), error);

  auto* job = job_of<BytesJob>(task);
  job->stream = std::move(input);
  job->size = size;
  g_input_stream_read_async(G_INPUT_STREAM(job->stream.get()), job->piece.data(), job->piece.size(),
                            G_PRIORITY_DEFAULT, nullptr, bytes_read, task);
}

// ------------------------------------------------------------------ saving

struct SaveJob {
  GRef<GBytes> data;
  GRef<GOutputStream> stream;
  gsize offset = 0;
};

void save_closed(GObject* stream, GAsyncResult* res, gpointer data) {
  auto task = adoptGRef(static_cast<GTask*>(data));
  GError* error = nullptr;
  g_output_stream_close_finish(G_OUTPUT_STREAM(stream), res, &error);
  complete(std::move(task), error);
}

void save_next(GTask* task) {
  auto* job = job_of<SaveJob>(task);
  gsize size = 0;
  auto* bytes = static_cast<const guint8*>(g_bytes_get_data(job->data.get(), &size));
  gsize remaining = size - job->offset;
  if (remaining == 0) {
    g_output_stream_close_async(job->stream.get(), G_PRIORITY_DEFAULT, nullptr, save_closed, task);
    return;
  }
  g_output_stream_write_async(
      job->stream.get(), bytes + job->offset, std::min(remaining, kFilePiece), G_PRIORITY_DEFAULT,
      nullptr,
      [](GObject* stream, GAsyncResult* res, gpointer data) {
        auto* task = static_cast<GTask*>(data);
        auto* job = job_of<SaveJob>(task);
        GError* error = nullptr;
        gssize written = g_output_stream_write_finish(G_OUTPUT_STREAM(stream), res, &error);
        if (written < 0) {
          // Closing with a cancelled cancellable drops what was written,
          // so a replaced file keeps its old content.
          auto abandon = adoptGRef(g_cancellable_new());
          g_cancellable_cancel(abandon.get());
          g_output_stream_close(G_OUTPUT_STREAM(stream), abandon.get(), nullptr);
          return complete(adoptGRef(task), error);
        }
        job->offset += gsize(written);
        save_next(task);
      },
      task);
}

void save_opened(GObject* file, GAsyncResult* res, gpointer data) {
  auto* task = static_cast<GTask*>(data);
  GError* error = nullptr;
  auto stream = adoptGRef(g_file_replace_finish(G_FILE(file), res, &error));
  if (!stream) return complete(adoptGRef(task), error);
  job_of<SaveJob>(task)->stream = adoptGRef(G_OUTPUT_STREAM(stream.leak()));
  save_next(task);
}

}  // namespace

void load_text_async(GObject* source, const char* filename, TextStore store, gpointer source_tag,
                     GAsyncReadyCallback callback, gpointer user_data) {
  GTask* task = new_task(source, source_tag, callback, user_data);
  attach(task, new TextJob{store, nullptr, {}});
  auto file = adoptGRef(g_file_new_for_path(filename));
  g_file_read_async(file.get(), G_PRIORITY_DEFAULT, nullptr, text_opened, task);
}

void load_bytes_async(GObject* source, const char* filename, BytesStore store, gpointer source_tag,
                      GAsyncReadyCallback callback, gpointer user_data) {
  GTask* task = new_task(source, source_tag, callback, user_data);
  auto* job = new BytesJob();
  job->store = store;
  attach(task, job);
  auto file = adoptGRef(g_file_new_for_path(filename));
  g_file_read_async(file.get(), G_PRIORITY_DEFAULT, nullptr, bytes_opened, task);
}

void save_bytes_async(GObject* source, const char* filename, GRef<GBytes> data, gpointer source_tag,
                      GAsyncReadyCallback callback, gpointer user_data) {
  GTask* task = new_task(source, source_tag, callback, user_data);
  attach(task, new SaveJob{std::move(data), nullptr, 0});
  auto file = adoptGRef(g_file_new_for_path(filename));
  g_file_replace_async(file.get(), nullptr, FALSE, G_FILE_CREATE_NONE, G_PRIORITY_DEFAULT, nullptr,
                       save_opened, task);
}

void file_finish(GAsyncResult* result, GError** error) {
  g_task_propagate_boolean(G_TASK(result), error);
}

}  // namespace tarvex::values
