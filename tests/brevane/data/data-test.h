// Shared helpers of the data interchange tests: a table model holding every
// value kind with the texts its cells must export as, readers of loaded
// models, temporary files, and the independent readers (Python's csv and
// json modules, xmllint, html5lib, cmark-gfm) run as programs.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

namespace tarvex::test::data {

using Model = TarvexProvidersContractsTableModel;
using Cell = std::optional<std::string>;  // none: NULL
using Cells = std::vector<std::vector<Cell>>;

struct Sample {
  GRef<Model> model;
  std::vector<std::string> names;
  Cells texts;  // the lossless text of every cell, row by row
};

// Columns of every kind (names with a comma, quotes, a blank and non-ASCII
// among them) and rows of limits, NULLs, empty texts, quotes, delimiters,
// line breaks, non-ASCII, HTML and Markdown markup (`<i>`, `&amp;`, `|`,
// `*`, backticks, `[x](y)`) and, with `controls`, control characters.
Sample every_kind_sample(bool controls = true);

// Numbers no 64-bit integer or double holds exactly: past the integer
// limits, 38 digits, more decimals than a double keeps, money's limits and
// beyond the doubles' range.
extern const std::vector<std::string> kEdgeNumbers;

// Texts that meet a two-character delimiter "||" (whole, in part at
// either end, alone), quotes, blanks, line breaks and markup characters,
// and the plain punctuation of addresses and date-times.
extern const std::vector<std::string> kEdgeTexts;

// A model whose columns repeat a name, have no name ("Result" twice, as a
// server names unnamed results), start with "xmlns" or are "xmlns", and
// whose first row is NULL in every column but the first.
Sample edge_columns_sample();

// A model of `names` (all STRING) holding `rows` (NULL cells for none).
GRef<Model> string_model(const std::vector<std::string>& names, const Cells& rows);

// The names and cells of a loaded model (NULL for a null value).
std::vector<std::string> names_of(Model* model);
Cells cells_of(Model* model);

std::string temp_dir();
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);

// Runs a program with the arguments; its standard output, and the exit
// status through `status`. Standard input is `input`.
std::string run(const std::vector<std::string>& argv, int* status, const std::string& input = "");
// Debian's python3 (with html5lib), or the one on the path.
std::string python();
bool have_program(const char* name);
bool python_has(const char* module);

// Cells as a JSON array of arrays (null for NULL), for comparing with a
// reader's dump.
std::string cells_json(const Cells& cells);

// Sets an option of an extractor.
void set_option(gpointer extractor, const char* key, const char* value);

// An extractor as the exporter and the importer it is.
using Exporter = TarvexBrevaneContractsDataIExporter;
using Importer = TarvexBrevaneContractsDataIImporter;
inline Exporter* EX(gpointer extractor) {
  return reinterpret_cast<Exporter*>(extractor);
}
inline Importer* IM(gpointer extractor) {
  return reinterpret_cast<Importer*>(extractor);
}

// The extractor's text of `model`; its row count through `count`, its
// failure through `error`.
std::string export_with(gpointer extractor, Model* model, gint* count = nullptr,
                        GError** error = nullptr);
// The model the extractor reads from `text`.
GRef<Model> load_with(gpointer extractor, const std::string& text, GError** error = nullptr);

// A test of one extractor: export_text (which expects no failure) and
// load_text go through the one extractor() gives.
class ExtractorTest : public LogCaptureTest {
 protected:
  virtual gpointer extractor() = 0;
  std::string export_text(Model* model, gint* count = nullptr);
  GRef<Model> load_text(const std::string& text, GError** error = nullptr);
  // Every kind of the sample written and read back: the same names and cells.
  void expect_round_trip_of_every_kind();
};

// The head of a Python program reading an HTML document from standard
// input: `doc` (by html5lib), text(e) (<br> read as a line break) and
// `rows`, the cells of every table row.
extern const char* const kHtmlRowsProgram;

}  // namespace tarvex::test::data
