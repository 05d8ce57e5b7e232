// The XML extractor: round trips in both storages, xmllint as independent
// reader, encoded names, NULLs, refused control characters, malformed
// documents and external entities.
#include <gee.h>
#include <libxml/xmlwriter.h>

#include "tests/brevane/data/data-test.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/need-tool.h"

namespace tarvex::test::data {
namespace {

class XmlExtractorTest : public ExtractorTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    xml_ = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_xml_extractor_new("xml")));
  }

  gpointer extractor() override { return xml_.get(); }

  // The export with its failure handed back, not expected away.
  std::string export_text(Model* model, gint* count = nullptr, GError** error = nullptr) {
    return export_with(xml_.get(), model, count, error);
  }

  GRef<GObject> xml_;
};

TEST_F(XmlExtractorTest, RoundTripInBothStorages) {
  Sample s = every_kind_sample(false);
  for (const char* storage : {"element", "attribute"}) {
    set_option(xml_.get(), "STORAGE", storage);
    gint count = 0;
    GUniqueError error;
    std::string text = export_text(s.model.get(), &count, error.out());
    ASSERT_FALSE(error) << error->message;
    EXPECT_EQ(count, gint(s.texts.size()));
    auto loaded = load_text(text, error.out());
    ASSERT_FALSE(error) << storage << ": " << error->message << "\n" << text;
    ASSERT_TRUE(loaded);
    EXPECT_EQ(names_of(loaded.get()), s.names) << storage;
    EXPECT_EQ(cells_of(loaded.get()), s.texts) << storage << "\n" << text;
  }
}

TEST_F(XmlExtractorTest, XmllintReadsTheExport) {
  TARVEX_NEED_TOOL(have_program("xmllint"), "xmllint (libxml2-utils)");
  Sample s = every_kind_sample(false);
  std::string dir = temp_dir();
  std::string path = dir + "/every.xml";
  GUniqueError error;
  ASSERT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_file(
                EX(xml_.get()), s.model.get(), path.c_str(), nullptr, nullptr, error.out()),
            gint(s.texts.size()));
  int status = 0;
  std::string out = run({"xmllint", "--noout", "--nonet", path}, &status);
  EXPECT_EQ(status, 0) << out;
  struct Query {
    const char* xpath;
    std::string expected;
  };
  const std::vector<Query> queries = {
      {"count(/RECORDS/RECORD)", std::to_string(s.texts.size())},
      {"string(/RECORDS/RECORD[1]/label_x002C__x0020__x0022_quoted_x0022_)",
       "He said \"hi\", then left"},
      {"string(/RECORDS/RECORD[3]/Größe_x0020__x005D_x_x005B_)",
       "line one\r\nline two\nthree,\"four\"; -- x'); DROP TABLE t;--"},
      {"string(/RECORDS/RECORD[2]/amount/@*[local-name()='nil'])", "true"},
      {"string(/RECORDS/RECORD[1]/stamp)", "2024-02-29 23:59:59.123456-08:00"},
      // Markup is text.
      {"string(/RECORDS/RECORD[6]/label_x002C__x0020__x0022_quoted_x0022_)", *s.texts[5][11]},
      {"string(/RECORDS/RECORD[7]/Größe_x0020__x005D_x_x005B_)", *s.texts[6][12]},
  };
  for (const auto& q : queries) {
    out = run({"xmllint", "--nonet", "--xpath", q.xpath, path}, &status);
    EXPECT_EQ(status, 0) << q.xpath << ": " << out;
    EXPECT_EQ(out, q.expected + "\n") << q.xpath;
  }
}

TEST_F(XmlExtractorTest, ControlCharactersAreRefused) {
  Sample s = every_kind_sample(true);
  GUniqueError error;
  gint count = 0;
  std::string text = export_text(s.model.get(), &count, error.out());
  EXPECT_EQ(count, -1);
  EXPECT_GERROR(error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_TEXT);
  EXPECT_EQ(text, "");

  std::string dir = temp_dir();
  std::string path = dir + "/keep.xml";
  write_file(path, "older");
  error.reset();
  EXPECT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_file(
                EX(xml_.get()), s.model.get(), path.c_str(), nullptr, nullptr, error.out()),
            -1);
  EXPECT_TRUE(error);
  EXPECT_EQ(read_file(path), "older");
}

TEST_F(XmlExtractorTest, NamesThatAreNotXmlNames) {
  auto model = string_model({"1st", "a:b", "_x0041_", "", "with space", "ok-name.1"},
                            {{"1", "2", "3", "4", "5", "6"}});
  GUniqueError error;
  std::string text = export_text(model.get(), nullptr, error.out());
  ASSERT_FALSE(error);
  auto loaded = load_text(text, error.out());
  ASSERT_FALSE(error) << error->message;
  EXPECT_EQ(names_of(loaded.get()), names_of(model.get()));
  EXPECT_EQ(cells_of(loaded.get()), (Cells{{"1", "2", "3", "4", "5", "6"}}));
}

TEST_F(XmlExtractorTest, NullValueOption) {
  set_option(xml_.get(), "NULL_VALUE", "NULL");
  auto model = string_model({"a"}, {{std::nullopt}});
  auto loaded = load_text(export_text(model.get()));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(cells_of(loaded.get()), (Cells{{"NULL"}}));
}

// The document libxml2's text writer makes of rows of texts (a none cell
// NULL), indented as the export is, with or without NULL_VALUE.
std::string libxml2_document(const std::vector<std::string>& names, const Cells& rows,
                             bool attribute, const char* null_text) {
  auto x = [](const std::string& s) { return reinterpret_cast<const xmlChar*>(s.c_str()); };
  xmlBufferPtr memory = xmlBufferCreate();
  xmlTextWriterPtr w = xmlNewTextWriterMemory(memory, 0);
  xmlTextWriterSetIndent(w, 1);
  xmlTextWriterSetIndentString(w, x("    "));
  xmlTextWriterStartDocument(w, "1.0", "utf-8", nullptr);
  xmlTextWriterStartElement(w, x("RECORDS"));
  if (!attribute && !null_text)
    xmlTextWriterWriteAttribute(w, x("xmlns:xsi"), x("http://www.w3.org/2001/XMLSchema-instance"));
  for (const auto& row : rows) {
    xmlTextWriterStartElement(w, x("RECORD"));
    for (size_t i = 0; i < names.size(); ++i) {
      if (!row[i] && !null_text) {
        if (attribute) continue;
        xmlTextWriterStartElement(w, x(names[i]));
        xmlTextWriterWriteAttribute(w, x("xsi:nil"), x("true"));
        xmlTextWriterEndElement(w);
        continue;
      }
      std::string text = row[i] ? *row[i] : null_text;
      if (attribute)
        xmlTextWriterWriteAttribute(w, x(names[i]), x(text));
      else
        xmlTextWriterWriteElement(w, x(names[i]), x(text));
    }
    xmlTextWriterEndElement(w);
  }
  xmlTextWriterEndElement(w);
  xmlTextWriterEndDocument(w);
  xmlFreeTextWriter(w);
  std::string out = reinterpret_cast<const char*>(xmlBufferContent(memory));
  xmlBufferFree(memory);
  return out;
}

TEST_F(XmlExtractorTest, TheDocumentIsTheOneLibxml2sWriterMakes) {
  // Every text of the sample and the edge texts, beside NULL and empty.
  Cells rows;
  for (const auto& row : every_kind_sample(false).texts)
    for (const Cell& cell : row)
      if (cell) rows.push_back({cell, std::nullopt, ""});
  for (const std::string& text : kEdgeTexts) rows.push_back({std::nullopt, text, "\t\n\r"});
  const std::vector<std::string> names = {"a", "b_2", "Größe"};
  struct Case {
    const char* storage;
    const char* null_text;
    Cells rows;
  };
  const std::vector<Case> cases = {
      {"element", nullptr, rows},
      {"attribute", nullptr, rows},
      {"element", "NULL", rows},
      {"attribute", "-", rows},
      {"element", nullptr, {}},
      {"attribute", nullptr, {}},
      {"attribute", nullptr, {{std::nullopt, std::nullopt, std::nullopt}}},
  };
  for (const Case& c : cases) {
    auto model = string_model(names, c.rows);
    set_option(xml_.get(), "STORAGE", c.storage);
    if (c.null_text) set_option(xml_.get(), "NULL_VALUE", c.null_text);
    bool attribute = std::string(c.storage) == "attribute";
    EXPECT_EQ(export_text(model.get()), libxml2_document(names, c.rows, attribute, c.null_text))
        << c.storage << " " << (c.null_text ? c.null_text : "") << " " << c.rows.size();
    gee_abstract_map_unset(
        GEE_ABSTRACT_MAP(tarvex_brevane_contracts_data_iexporter_get_options(EX(xml_.get()))),
        "NULL_VALUE", nullptr);
  }
}

TEST_F(XmlExtractorTest, EmptyModel) {
  auto model = string_model({"a"}, {});
  gint count = -1;
  std::string text = export_text(model.get(), &count);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<RECORDS", 0), 0u) << text;
  GUniqueError error;
  EXPECT_FALSE(load_text(text, error.out()));
  EXPECT_FALSE(error);
}

TEST_F(XmlExtractorTest, MalformedDocumentsAreErrors) {
  for (const char* text : {"<RECORDS><RECORD><a>1</a></RECORD>", "<RECORDS><RECORD a=1/></RECORDS>",
                           "not xml at all", "<OTHER/>"}) {
    GUniqueError error;
    EXPECT_FALSE(load_text(text, error.out())) << text;
    EXPECT_TRUE(error) << text;
  }
}

TEST_F(XmlExtractorTest, ExternalEntitiesAreNotLoaded) {
  std::string dir = temp_dir();
  write_file(dir + "/secret", "SECRET");
  std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE RECORDS [<!ENTITY x SYSTEM \"file://" +
                     dir + "/secret\">]>\n<RECORDS><RECORD><a>&x;</a></RECORD></RECORDS>";
  GUniqueError error;
  auto loaded = load_text(text, error.out());
  if (loaded) {
    for (const auto& row : cells_of(loaded.get()))
      for (const auto& cell : row) EXPECT_EQ(cell.value_or("").find("SECRET"), std::string::npos);
  }
}

TEST_F(XmlExtractorTest, LoadFromFileWithLimit) {
  std::string dir = temp_dir();
  std::string path = dir + "/rows.xml";
  auto model = string_model({"id"}, {{"1"}, {"2"}, {"3"}});
  GUniqueError error;
  ASSERT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_file(
                EX(xml_.get()), model.get(), path.c_str(), nullptr, nullptr, error.out()),
            3);
  set_option(xml_.get(), "FILENAME", path.c_str());
  auto loaded = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
      IM(xml_.get()), 1, nullptr, nullptr, error.out()));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(cells_of(loaded.get()), (Cells{{"1"}}));
}

// Repeated and unnamed columns get names of their own, "xmlns" and names
// starting with it are columns like any other, and a column NULL in the
// first record (an absent attribute) is still a column: every storage
// writes a well-formed document that loads back whole.
TEST_F(XmlExtractorTest, EveryColumnComesBack) {
  Sample s = edge_columns_sample();
  const std::vector<std::string> names = {"n",     "n_3", "Result", "Result_2", "xmlnsVersion",
                                          "xmlns", "n_2"};
  std::string dir = temp_dir();
  for (const char* storage : {"element", "attribute"}) {
    SCOPED_TRACE(storage);
    set_option(xml_.get(), "STORAGE", storage);
    GUniqueError error;
    std::string text = export_text(s.model.get(), nullptr, error.out());
    ASSERT_FALSE(error) << error->message;
    if (have_program("xmllint")) {
      write_file(dir + "/edge.xml", text);
      int status = 0;
      std::string out = run({"xmllint", "--noout", "--nonet", dir + "/edge.xml"}, &status);
      EXPECT_EQ(status, 0) << out << text;
    }
    auto loaded = load_text(text, error.out());
    ASSERT_TRUE(loaded) << (error ? error->message : "") << text;
    EXPECT_EQ(names_of(loaded.get()), names);
    Cells expected = s.texts;
    // An attribute record has no NULL apart from an absent attribute.
    EXPECT_EQ(cells_of(loaded.get()), expected) << text;
  }
}

// Attributes of a document written elsewhere: only "xmlns" and "xmlns:p"
// declare namespaces; a record without a field the others have is NULL
// there, and the columns keep the documents' order.
TEST_F(XmlExtractorTest, ColumnsFromEveryRecord) {
  const std::string text =
      "<RECORDS xmlns:p=\"urn:p\"><RECORD xmlns=\"urn:d\" a=\"1\" c=\"3\"/>"
      "<RECORD a=\"4\" b=\"5\" xmlnsVersion=\"2\" c=\"6\"/><RECORD d=\"7\"/></RECORDS>";
  GUniqueError error;
  auto loaded = load_text(text, error.out());
  ASSERT_TRUE(loaded) << error->message;
  EXPECT_EQ(names_of(loaded.get()), (std::vector<std::string>{"d", "a", "b", "xmlnsVersion", "c"}));
  EXPECT_EQ(cells_of(loaded.get()),
            (Cells{{std::nullopt, "1", std::nullopt, std::nullopt, "3"},
                   {std::nullopt, "4", "5", "2", "6"},
                   {"7", std::nullopt, std::nullopt, std::nullopt, std::nullopt}}));
}

// An entity reference in a field is expanded or refused, never dropped:
// the document's own entities are not expanded (one could read a file or
// grow without bound), so the load is an error naming the record and
// field; predefined entities and character references are text.
TEST_F(XmlExtractorTest, EntityReferencesAreRefused) {
  std::string dir = temp_dir();
  write_file(dir + "/secret", "SECRET");
  const std::vector<std::string> refused = {
      "<?xml version=\"1.0\"?>\n<!DOCTYPE RECORDS [<!ENTITY e \"hello\">]>\n"
      "<RECORDS><RECORD><a>1</a></RECORD><RECORD><a>2</a><s>&e; world</s></RECORD></RECORDS>",
      "<?xml version=\"1.0\"?>\n<!DOCTYPE RECORDS [<!ENTITY x SYSTEM \"file://" + dir +
          "/secret\">]>\n<RECORDS><RECORD><a>1</a></RECORD><RECORD><a>2</a><s>A&x;B</s></RECORD>"
          "</RECORDS>",
  };
  for (const auto& text : refused) {
    GUniqueError error;
    EXPECT_FALSE(load_text(text, error.out())) << text;
    ASSERT_TRUE(error) << text;
    std::string message = error->message;
    EXPECT_NE(message.find("record 2"), std::string::npos) << message;
    EXPECT_NE(message.find(" s"), std::string::npos) << message;
    EXPECT_EQ(message.find("SECRET"), std::string::npos);
  }
  GUniqueError error;
  auto loaded =
      load_text("<RECORDS><RECORD><s>&lt;&amp;&#233;&#x1F600;</s></RECORD></RECORDS>", error.out());
  ASSERT_TRUE(loaded) << error->message;
  EXPECT_EQ(cells_of(loaded.get()), (Cells{{"<&é😀"}}));
}

// Entities that grow without bound are refused, in a field and in an
// attribute, without expanding them.
TEST_F(XmlExtractorTest, BillionLaughsAreRefused) {
  std::string dtd = "<?xml version=\"1.0\"?>\n<!DOCTYPE RECORDS [<!ENTITY l0 \"ha\">";
  for (int i = 1; i <= 9; ++i)
    dtd += "<!ENTITY l" + std::to_string(i) + " \"" + [&] {
      std::string refs;
      for (int k = 0; k < 10; ++k) refs += "&l" + std::to_string(i - 1) + ";";
      return refs;
    }() + "\">";
  dtd += "]>\n";
  for (const std::string& body : {std::string("<RECORDS><RECORD><a>&l9;</a></RECORD></RECORDS>"),
                                  std::string("<RECORDS><RECORD a=\"&l9;\"/></RECORDS>")}) {
    GUniqueError error;
    EXPECT_FALSE(load_text(dtd + body, error.out())) << body;
    EXPECT_TRUE(error) << body;
  }
}

// A cell of more than libxml2's usual 10 MB limit of one text (a 5 MB
// binary written as hexadecimal digits) is written and read back whole,
// from a text and from a file, in both storages.
TEST_F(XmlExtractorTest, HugeCellsLoad) {
  std::string big(10500000, 'x');
  big[0] = '<';
  big[big.size() - 1] = '&';
  auto model = string_model({"id", "big"}, {{"1", big}, {"2", "small"}});
  std::string dir = temp_dir();
  for (const char* storage : {"element", "attribute"}) {
    SCOPED_TRACE(storage);
    set_option(xml_.get(), "STORAGE", storage);
    GUniqueError error;
    std::string text = export_text(model.get(), nullptr, error.out());
    ASSERT_FALSE(error) << error->message;
    auto loaded = load_text(text, error.out());
    ASSERT_TRUE(loaded) << error->message;
    EXPECT_TRUE(cells_of(loaded.get()) == (Cells{{"1", big}, {"2", "small"}}));
    std::string path = dir + "/big.xml";
    ASSERT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_file(
                  EX(xml_.get()), model.get(), path.c_str(), nullptr, nullptr, error.out()),
              2);
    set_option(xml_.get(), "FILENAME", path.c_str());
    loaded = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
        IM(xml_.get()), 0, nullptr, nullptr, error.out()));
    ASSERT_TRUE(loaded) << error->message;
    EXPECT_TRUE(cells_of(loaded.get()) == (Cells{{"1", big}, {"2", "small"}}));
  }
}

}  // namespace
}  // namespace tarvex::test::data
