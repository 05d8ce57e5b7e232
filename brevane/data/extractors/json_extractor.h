// JSON documents of table data: one object whose member "RECORDS" is an
// array of one object per row, members named by the columns (a repeated
// column name gets "_2", "_3", ... so no value is lost). NULL cells are
// JSON null; booleans true or false; integers and floating numbers JSON
// numbers; decimals and every other kind strings of their exact text.
//
// Options: "FILENAME" (file loads and imports), "ACTION" (imports).
// Loading gives an all-string model named by the first record's members;
// later records are matched by member name. Malformed structure is an
// error of the domain "JSON", code -1.
#pragma once

#include "brevane/contracts/iimporter.h"
#include "brevane/data/extractors/base_extractor.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_JSON_EXTRACTOR \
  (tarvex_brevane_supports_data_extractors_json_extractor_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDataExtractorsJsonExtractor,
                                       tarvex_brevane_supports_data_extractors_json_extractor,
                                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS, JSON_EXTRACTOR,
                                       TarvexBrevaneSupportsDataExtractorsBaseExtractor)

struct _TarvexBrevaneSupportsDataExtractorsJsonExtractorClass {
  TarvexBrevaneSupportsDataExtractorsBaseExtractorClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsJsonExtractor*
tarvex_brevane_supports_data_extractors_json_extractor_new(const gchar* file_extension);
TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsJsonExtractor*
tarvex_brevane_supports_data_extractors_json_extractor_construct(GType object_type,
                                                                 const gchar* file_extension);

G_END_DECLS
