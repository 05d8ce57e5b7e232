// An HTML page of a table model: a table with a header row of the column
// names and one row per model row. Every name and value is escaped; NULL is
// an empty cell. The option "TITLE" names the page (translated "Table data"
// when absent).
#pragma once

#include "brevane/data/extractors/base_extractor.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_HTML_EXTRACTOR \
  (tarvex_brevane_supports_data_extractors_html_extractor_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDataExtractorsHtmlExtractor,
                                       tarvex_brevane_supports_data_extractors_html_extractor,
                                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS, HTML_EXTRACTOR,
                                       TarvexBrevaneSupportsDataExtractorsBaseExtractor)

struct _TarvexBrevaneSupportsDataExtractorsHtmlExtractorClass {
  TarvexBrevaneSupportsDataExtractorsBaseExtractorClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsHtmlExtractor*
tarvex_brevane_supports_data_extractors_html_extractor_new(const gchar* file_extension);
TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsHtmlExtractor*
tarvex_brevane_supports_data_extractors_html_extractor_construct(GType object_type,
                                                                 const gchar* file_extension);

G_END_DECLS
