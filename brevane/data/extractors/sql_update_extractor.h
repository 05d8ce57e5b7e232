// A T-SQL UPDATE statement per row of a table model, of the table of the
// option "TABLENAME" (required; "SCHEMANAME" adds its schema), keyed on the
// columns the option "PRIMARY_KEYS" names (joined by ","; the first column
// when absent): keys are compared (IS NULL for a NULL key) and the other
// columns set. Literals as the INSERT exporter writes them.
#pragma once

#include "brevane/data/extractors/base_extractor.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_SQL_UPDATE_EXTRACTOR \
  (tarvex_brevane_supports_data_extractors_sql_update_extractor_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractor,
                                       tarvex_brevane_supports_data_extractors_sql_update_extractor,
                                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS,
                                       SQL_UPDATE_EXTRACTOR,
                                       TarvexBrevaneSupportsDataExtractorsBaseExtractor)

struct _TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorClass {
  TarvexBrevaneSupportsDataExtractorsBaseExtractorClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractor*
tarvex_brevane_supports_data_extractors_sql_update_extractor_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractor*
tarvex_brevane_supports_data_extractors_sql_update_extractor_construct(GType object_type);

G_END_DECLS
