// A T-SQL INSERT statement per row of a table model, into the table of the
// option "TABLENAME" (required; "SCHEMANAME" adds its schema). Names are
// bracketed, texts N'...' literals, bytes 0x..., bits 1 or 0, numbers and
// date-times exact.
#pragma once

#include "brevane/data/extractors/base_extractor.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_SQL_INSERT_EXTRACTOR \
  (tarvex_brevane_supports_data_extractors_sql_insert_extractor_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDataExtractorsSqlInsertExtractor,
                                       tarvex_brevane_supports_data_extractors_sql_insert_extractor,
                                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS,
                                       SQL_INSERT_EXTRACTOR,
                                       TarvexBrevaneSupportsDataExtractorsBaseExtractor)

struct _TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorClass {
  TarvexBrevaneSupportsDataExtractorsBaseExtractorClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsSqlInsertExtractor*
tarvex_brevane_supports_data_extractors_sql_insert_extractor_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsSqlInsertExtractor*
tarvex_brevane_supports_data_extractors_sql_insert_extractor_construct(GType object_type);

G_END_DECLS
