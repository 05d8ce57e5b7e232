// A GitHub-flavoured Markdown table of a table model, after a blank line.
// Cells are escaped so a Markdown reader gives back their text: ASCII
// punctuation (the bar included) with a backslash, line breaks as <br>,
// blanks at either end as &#32;. NULL is an empty cell.
#pragma once

#include "brevane/data/extractors/base_extractor.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_MARKDOWN_EXTRACTOR \
  (tarvex_brevane_supports_data_extractors_markdown_extractor_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDataExtractorsMarkdownExtractor,
                                       tarvex_brevane_supports_data_extractors_markdown_extractor,
                                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS, MARKDOWN_EXTRACTOR,
                                       TarvexBrevaneSupportsDataExtractorsBaseExtractor)

struct _TarvexBrevaneSupportsDataExtractorsMarkdownExtractorClass {
  TarvexBrevaneSupportsDataExtractorsBaseExtractorClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsMarkdownExtractor*
tarvex_brevane_supports_data_extractors_markdown_extractor_new(const gchar* file_extension);
TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsMarkdownExtractor*
tarvex_brevane_supports_data_extractors_markdown_extractor_construct(GType object_type,
                                                                     const gchar* file_extension);

G_END_DECLS
