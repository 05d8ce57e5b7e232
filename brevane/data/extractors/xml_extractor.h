// XML documents of table data: root element "RECORDS", one "RECORD" per
// row, its cells as child elements named by the columns or, with the
// option "STORAGE" exactly "attribute", as attributes. Column names that
// are not XML names are encoded (a character that cannot stand in a name
// as _xHHHH_, as SQL Server's FOR XML does; an underscore that would
// start such a sequence as _x005F_) and decoded on loading.
//
// A NULL cell is an element with xsi:nil="true", or a missing attribute;
// with the option "NULL_VALUE" set, that text is written instead. A text
// holding a character XML cannot carry (control characters other than tab,
// line feed and carriage return) is refused with an error.
//
// Options: "STORAGE", "NULL_VALUE" (export), "FILENAME" (file loads and
// imports), "ACTION" (imports). Documents are read with network access and
// entity loading off; a malformed document is an error, not a partial
// result.
#pragma once

#include "brevane/contracts/iimporter.h"
#include "brevane/data/extractors/base_extractor.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_XML_EXTRACTOR \
  (tarvex_brevane_supports_data_extractors_xml_extractor_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDataExtractorsXmlExtractor,
                                       tarvex_brevane_supports_data_extractors_xml_extractor,
                                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS, XML_EXTRACTOR,
                                       TarvexBrevaneSupportsDataExtractorsBaseExtractor)

struct _TarvexBrevaneSupportsDataExtractorsXmlExtractorClass {
  TarvexBrevaneSupportsDataExtractorsBaseExtractorClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsXmlExtractor*
tarvex_brevane_supports_data_extractors_xml_extractor_new(const gchar* file_extension);
TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsXmlExtractor*
tarvex_brevane_supports_data_extractors_xml_extractor_construct(GType object_type,
                                                                const gchar* file_extension);

G_END_DECLS
