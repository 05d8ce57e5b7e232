// Delimiter-separated text (RFC 4180 comma-separated values by default):
// export of a table model to a text or, streamed, to a file; loading into
// an all-string model; import into a table record by record.
//
// Options: "ROW_PREFIX", "ROW_SUFFIX", "NULL_VALUE" (text of a NULL cell,
// empty by default), "HAS_HEADER" ("true" or absent: a header line),
// "DELIMITER_COLUMN" (","), "DELIMITER_ROWNEW" ("\n"; on reading CR LF
// ends a record as well), "QUOTATION_LIST" (left quote, right quote, left
// escape and right escape joined by "-"; two double quotes by default),
// "QUOTATION_TIME" ("ifneed" or "always"), "FILENAME", "ENCODING"
// ("UTF-8"), "COLUMNS" (the file's field names joined by ","; the header's
// names when absent), "ACTION" (see the base).
//
// A value is quoted when it holds the column delimiter, a quote, CR, LF
// or a row-delimiter character, or equals the NULL text; so a NULL cell
// (unquoted NULL text) and an empty text ("") stay apart, and loading
// gives NULL for an unquoted field equal to the NULL text.
#pragma once

#include "brevane/contracts/iimporter.h"
#include "brevane/data/extractors/base_extractor.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_DSV_EXTRACTOR \
  (tarvex_brevane_supports_data_extractors_dsv_extractor_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDataExtractorsDsvExtractor,
                                       tarvex_brevane_supports_data_extractors_dsv_extractor,
                                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS, DSV_EXTRACTOR,
                                       TarvexBrevaneSupportsDataExtractorsBaseExtractor)

struct _TarvexBrevaneSupportsDataExtractorsDsvExtractorClass {
  TarvexBrevaneSupportsDataExtractorsBaseExtractorClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsDsvExtractor*
tarvex_brevane_supports_data_extractors_dsv_extractor_new(const gchar* file_extension);
TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsDsvExtractor*
tarvex_brevane_supports_data_extractors_dsv_extractor_construct(GType object_type,
                                                                const gchar* file_extension);

G_END_DECLS
