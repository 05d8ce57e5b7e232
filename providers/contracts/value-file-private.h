// Asynchronous file loading and saving shared by the text and binary values
// (not installed). Everything runs on the caller's thread-default main
// context through GTask; there is no cancellation.
#pragma once

#include <gio/gio.h>

#include <string>

#include "common/tarvex-gobject-private.h"

namespace tarvex::values {

// Largest piece read from or written to a file in one request.
constexpr gsize kFilePiece = 1024;

// Called on success, before the task completes, to store what was read.
using TextStore = void (*)(GObject* source, std::string&& text);
using BytesStore = void (*)(GObject* source, GRef<GBytes>&& bytes);

// Reads `filename` line by line (lines end at a line feed) into a text in
// which every line ends with one line feed. A missing file completes
// successfully without calling `store`.
void load_text_async(GObject* source, const char* filename, TextStore store, gpointer source_tag,
                     GAsyncReadyCallback callback, gpointer user_data);

// Reads the whole of `filename` into a byte buffer. A missing file
// completes successfully without calling `store`.
void load_bytes_async(GObject* source, const char* filename, BytesStore store, gpointer source_tag,
                      GAsyncReadyCallback callback, gpointer user_data);

// Replaces `filename` with `data` (created when missing), writing pieces of
// at most kFilePiece bytes.
void save_bytes_async(GObject* source, const char* filename, GRef<GBytes> data, gpointer source_tag,
                      GAsyncReadyCallback callback, gpointer user_data);

// Passes on the error of one of the operations above.
void file_finish(GAsyncResult* result, GError** error);

}  // namespace tarvex::values
