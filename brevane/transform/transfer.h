// Transfer: copies a source database's selected schemas, tables and views,
// with the tables' rows, to a target connection. Selection, renames, column
// mappings, page sizes and record filters come from the options map.
//
// Rows are read page by page in key order (each page one query) and written
// as multi-row INSERT statements, up to 1,000 rows per VALUES list, one batch
// per page; identity values are kept (IDENTITY_INSERT), computed and
// rowversion columns are left to the server, referenced tables are loaded
// before the tables referring to them, and triggers of the loaded tables are
// disabled during the load and enabled again after it.
#pragma once

#include <gee.h>
#include <glib-object.h>

#include "brevane/transform/itransform.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_TRANSFORM_TYPE_TRANSFER (tarvex_brevane_transform_transfer_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneTransformTransfer,
                                       tarvex_brevane_transform_transfer, TARVEX_BREVANE_TRANSFORM,
                                       TRANSFER, GObject)

struct _TarvexBrevaneTransformTransferClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneTransformTransfer* tarvex_brevane_transform_transfer_new(
    GeeMap* _options);
TARVEX_EXPORT TarvexBrevaneTransformTransfer* tarvex_brevane_transform_transfer_construct(
    GType object_type, GeeMap* _options);

G_END_DECLS
