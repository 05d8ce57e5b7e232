// The Markdown data dictionary of a meta database: the document settings, an
// index of every table and view, and one section per table and view listing
// its columns. Every name, type, default and comment is escaped.
#pragma once

#include <gio/gio.h>
#include <glib-object.h>

#include "brevane/contracts/idocument.h"
#include "brevane/model/meta_table.h"
#include "brevane/model/meta_view.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATA_DOCUMENTS_TYPE_MARKDOWN_DOCUMENT \
  (tarvex_brevane_supports_data_documents_markdown_document_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDataDocumentsMarkdownDocument,
                                       tarvex_brevane_supports_data_documents_markdown_document,
                                       TARVEX_BREVANE_SUPPORTS_DATA_DOCUMENTS, MARKDOWN_DOCUMENT,
                                       GObject)

struct _TarvexBrevaneSupportsDataDocumentsMarkdownDocumentClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDataDocumentsMarkdownDocument*
tarvex_brevane_supports_data_documents_markdown_document_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsDataDocumentsMarkdownDocument*
tarvex_brevane_supports_data_documents_markdown_document_construct(GType object_type);
TARVEX_EXPORT void tarvex_brevane_supports_data_documents_markdown_document_make_table_section(
    GDataOutputStream* data_stream, TarvexBrevaneMetaModelMetaTable* table, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_data_documents_markdown_document_make_view_section(
    GDataOutputStream* data_stream, TarvexBrevaneMetaModelMetaView* view, GError** error);

G_END_DECLS
