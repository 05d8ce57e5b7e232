#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/support/need-tool.h"

#include <glib/gstdio.h>

#include <cctype>
#include <map>

#include "brevane/sql/tsql-scanner-private.h"
#include "common/tarvex-text-private.h"

namespace tarvex::test {

// ------------------------------------------------------------ offline connection

struct OfflineConnection {
  GObject parent_instance;
};
struct OfflineConnectionClass {
  GObjectClass parent_class;
};

static void offline_connection_iface_init(TarvexBrevaneContractsDatabaseIConnectionIface*) {}

G_DEFINE_TYPE_WITH_CODE(
    OfflineConnection, offline_connection, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(tarvex_brevane_contracts_database_iconnection_get_type(),
                          offline_connection_iface_init))

// The interface's properties, with their defaults.
static void offline_connection_get_property(GObject*, guint, GValue*, GParamSpec*) {}
static void offline_connection_set_property(GObject*, guint, const GValue*, GParamSpec*) {}

static void offline_connection_class_init(OfflineConnectionClass* klass) {
  auto* object_class = G_OBJECT_CLASS(klass);
  object_class->get_property = offline_connection_get_property;
  object_class->set_property = offline_connection_set_property;
  guint id = 1;
  for (const char* name :
       {"server", "provider", "status", "version", "major-version", "minor-version"})
    g_object_class_override_property(object_class, id++, name);
}
static void offline_connection_init(OfflineConnection*) {}

TarvexBrevaneContractsDatabaseIConnection* offline_connection_new() {
  return static_cast<TarvexBrevaneContractsDatabaseIConnection*>(
      g_object_new(offline_connection_get_type(), nullptr));
}

// ------------------------------------------------------------ model helpers

void set_attr(gpointer object, const char* key, const char* value) {
  gee_abstract_map_set(
      GEE_ABSTRACT_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(META(object))), key,
      value);
}

void set_option(TarvexBrevaneMetaModelMetaTable* table, const char* key, const char* value) {
  gee_abstract_map_set(GEE_ABSTRACT_MAP(tarvex_brevane_meta_model_meta_table_get_options(table)),
                       key, value);
}

void set_diff(gpointer object, const char* path, int code) {
  tarvex_brevane_meta_model_meta_object_append_diff(META(object), path,
                                                    TarvexProvidersContractsDataVersion(code));
}

int diff_count(gpointer object) {
  auto diff = adoptGRef(tarvex_brevane_meta_model_meta_object_diff(META(object)));
  return gee_abstract_map_get_size(GEE_ABSTRACT_MAP(diff.get()));
}

bool diff_contains(gpointer object, const char* path) {
  auto diff = adoptGRef(tarvex_brevane_meta_model_meta_object_diff(META(object)));
  return gee_abstract_map_has_key(GEE_ABSTRACT_MAP(diff.get()), path);
}

std::vector<std::string> table_names(TarvexBrevaneMetaModelMetaSchema* schema) {
  std::vector<std::string> out;
  GeeArrayList* list = tarvex_brevane_meta_model_meta_schema_get_tables(schema);
  const gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
  for (gint i = 0; i < n; ++i) {
    auto t = adoptGRef(static_cast<GObject*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i)));
    out.push_back(tarvex_brevane_meta_model_meta_object_get_name(META(t.get())));
  }
  return out;
}

GRef<TarvexBrevaneMetaModelMetaColumn> add_column(TarvexBrevaneMetaModelMetaTable* table,
                                                  const char* name, const char* raw_type,
                                                  gint64 length, guint8 scale, bool not_null) {
  auto column = adoptGRef(tarvex_brevane_meta_model_meta_table_new_column(
      table, name, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN));
  tarvex_brevane_meta_model_meta_column_set_raw_type(column.get(), raw_type);
  tarvex_brevane_meta_model_meta_column_set_length(column.get(), length);
  tarvex_brevane_meta_model_meta_column_set_scale(column.get(), scale);
  tarvex_brevane_meta_model_meta_column_set_not_null(column.get(), not_null);
  return column;
}

// ------------------------------------------------------------ batches

std::vector<std::string> batches_split_by_lines(const std::string& text) {
  std::vector<std::string> out{std::string()};
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    size_t next = end == std::string::npos ? text.size() : end + 1;
    std::string line = text.substr(start, next - start);
    if (sql::is_go_line(line))
      out.emplace_back();
    else
      out.back() += line;
    start = next;
  }
  std::vector<std::string> batches;
  for (auto& b : out)
    if (!text::trim_view(b).empty()) batches.push_back(b);
  return batches;
}

// The words of a batch outside string literals, bracketed names and
// comments, in upper case.
static std::vector<std::string> words_of(const std::string& s) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    if (c == '\'') {
      for (++i; i < s.size(); ++i)
        if (s[i] == '\'') {
          if (i + 1 < s.size() && s[i + 1] == '\'')
            ++i;
          else
            break;
        }
      ++i;
    } else if (c == '[') {
      for (++i; i < s.size(); ++i)
        if (s[i] == ']') {
          if (i + 1 < s.size() && s[i + 1] == ']')
            ++i;
          else
            break;
        }
      ++i;
    } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
      while (i < s.size() && s[i] != '\n') ++i;
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      size_t b = i;
      while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_')) ++i;
      std::string w = s.substr(b, i - b);
      for (auto& ch : w) ch = char(std::toupper(static_cast<unsigned char>(ch)));
      words.push_back(w);
    } else {
      ++i;
    }
  }
  return words;
}

static bool is_body_kind(const std::string& w) {
  return w == "VIEW" || w == "PROCEDURE" || w == "PROC" || w == "FUNCTION" || w == "TRIGGER";
}

static void expect_batches_start_correctly(const std::string& text, const std::string& what) {
  for (const auto& batch : batches_split_by_lines(text)) {
    auto words = words_of(batch);
    size_t leading = 0;
    for (size_t k = 0; k + 1 < words.size(); ++k) {
      const bool create =
          words[k] == "CREATE" && (is_body_kind(words[k + 1]) || words[k + 1] == "SCHEMA");
      const bool alter = words[k] == "ALTER" && is_body_kind(words[k + 1]);
      if (!create && !alter) continue;
      ++leading;
      EXPECT_EQ(k, 0u) << what << ": " << words[k] << " " << words[k + 1]
                       << " does not begin its batch:\n"
                       << batch;
    }
    EXPECT_LE(leading, 1u) << what << ": two batch-leading statements in one batch:\n" << batch;
    if (leading == 1) {
      // Whatever follows a body in its batch becomes part of it.
      for (const char* own : {"SP_ADDEXTENDEDPROPERTY", "SP_UPDATEEXTENDEDPROPERTY",
                              "SP_DROPEXTENDEDPROPERTY", "NOCHECK", "DISABLE"}) {
        for (const auto& w : words)
          EXPECT_NE(w, own) << what << ": " << own << " inside a body's batch:\n" << batch;
      }
    }
  }
}

// ------------------------------------------------------------ the parser

#ifndef TSQL_PARSE_DIR
#error "TSQL_PARSE_DIR must name the folder of tsql-parse.js"
#endif

bool tsql_parser_available() {
  GUniqueStr node(g_find_program_in_path("node"));
  return node &&
         g_file_test(TSQL_PARSE_DIR "/node_modules/antlr4ts-sql/package.json", G_FILE_TEST_EXISTS);
}

// Runs the parser over the batches; the message of each rejected batch, or
// "" for one that parsed.
static std::vector<std::string> parse_batches(const std::vector<std::string>& batches) {
  std::vector<std::string> results(batches.size(), "not parsed");
  if (batches.empty()) return results;
  GUniqueError error;
  GUniqueStr dir(g_dir_make_tmp("tsql-XXXXXX", error.out()));
  if (!dir) {
    ADD_FAILURE() << "no temporary folder: " << error->message;
    return results;
  }
  std::vector<std::string> files;
  std::map<std::string, size_t> index;
  for (size_t k = 0; k < batches.size(); ++k) {
    GUniqueStr path(g_strdup_printf("%s/batch-%03zu.sql", dir.get(), k));
    g_file_set_contents(path.get(), batches[k].c_str(), gssize(batches[k].size()), nullptr);
    files.push_back(path.get());
    index[path.get()] = k;
  }
  std::vector<char*> argv{const_cast<char*>("node"),
                          const_cast<char*>(TSQL_PARSE_DIR "/tsql-parse.js")};
  for (auto& f : files) argv.push_back(f.data());
  argv.push_back(nullptr);
  GUniqueStr out, err;
  gint status = 0;
  if (!g_spawn_sync(TSQL_PARSE_DIR, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr,
                    out.out(), err.out(), &status, error.out())) {
    ADD_FAILURE() << "cannot run node: " << error->message;
  } else {
    std::string text = out.get() ? out.get() : "";
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      std::string line =
          text.substr(start, end == std::string::npos ? std::string::npos : end - start);
      start = end == std::string::npos ? text.size() : end + 1;
      for (const auto& [path, k] : index) {
        if (line == "ok " + path)
          results[k] = "";
        else if (line.rfind("error " + path + ":", 0) == 0)
          results[k] = line.substr(7 + path.size());
      }
    }
    if (!g_spawn_check_wait_status(status, nullptr) && text.find("error ") == std::string::npos)
      ADD_FAILURE() << "the parser failed: " << (err.get() ? err.get() : "");
  }
  for (auto& f : files) g_remove(f.c_str());
  g_rmdir(dir.get());
  return results;
}

// Valid T-SQL that the grammar rejects. Each form is written as its
// documentation gives it; a batch is excused only when it holds the form and
// parses once the form is reduced to what the grammar knows.
struct GrammarGap {
  const char* what;
  const char* pattern;    // finds the form in the batch
  const char* reduction;  // what the form is replaced with
};

static const GrammarGap kGrammarGaps[] = {
    // Column definitions of CREATE TABLE: "column_name data_type [ FILESTREAM ]
    // [ COLLATE collation_name ] [ SPARSE ] [ MASKED WITH ( FUNCTION =
    // 'mask_function' ) ] ... [ GENERATED ALWAYS AS { ROW | TRANSACTION_ID |
    // SEQUENCE_NUMBER } { START | END } [ HIDDEN ] ]": the grammar knows none
    // of FILESTREAM, SPARSE, MASKED WITH and GENERATED ALWAYS.
    {"FILESTREAM column", R"((\bVARBINARY\(MAX\)) FILESTREAM\b)", "\\1"},
    {"SPARSE column", R"(\bSPARSE )", ""},
    {"masked column", R"(\bMASKED WITH \(FUNCTION = '(?:[^']|'')*'\) )", ""},
    {"period column", R"(\bGENERATED ALWAYS AS ROW (?:START|END) )", ""},
    // The table element "PERIOD FOR SYSTEM_TIME ( start_column, end_column )".
    {"system-time period", R"(\n *PERIOD FOR SYSTEM_TIME \([^\n]*\),)", ""},
    // The table option "SYSTEM_VERSIONING = ON [ ( HISTORY_TABLE =
    // schema_name.history_table_name [ , DATA_CONSISTENCY_CHECK = { ON | OFF
    // } ] ) ]": the grammar takes no history clause.
    {"history table", R"(\bSYSTEM_VERSIONING = ON \([^\n]*\))", "SYSTEM_VERSIONING = ON"},
    // The storage clause "ON partition_scheme_name ( partition_column_name )"
    // of CREATE TABLE.
    {"partition scheme", R"((\) \n  ON \[(?:[^\]]|\]\])*\])\(\[(?:[^\]]|\]\])*\]\))", "\\1"},
    // CREATE TABLE takes "[ ON ... ] [ TEXTIMAGE_ON ... ] [ FILESTREAM_ON ... ]
    // [ WITH ( <table_option> [ ,...n ] ) ]" in this order; the grammar wants
    // the WITH list first. The reduction swaps them, so both still parse.
    {"table options after storage",
     R"(((?:\n  (?:ON|TEXTIMAGE_ON|FILESTREAM_ON) [^\n]*)+)(\n  WITH \(\n(?:[^\n]*\n)*?  \)))",
     "\\2\\1"},
    // Inline indexes of CREATE TABLE: "INDEX index_name [ UNIQUE ] [ CLUSTERED
    // | NONCLUSTERED ] ( column [ ASC | DESC ] [ ,...n ] ) | INDEX index_name
    // CLUSTERED COLUMNSTORE | INDEX index_name [ NONCLUSTERED ] COLUMNSTORE (
    // column [ ,...n ] )", then "[ INCLUDE ( column [ ,...n ] ) ] [ WHERE
    // <filter_predicate> ] [ WITH ( <index_option> [ ,...n ] ) ]": the grammar
    // knows the plain form only.
    {"clustered columnstore inline index",
     R"(,\n *INDEX \[(?:[^\]]|\]\])*\] CLUSTERED COLUMNSTORE[^,\n]*)", ""},
    {"unique inline index", R"((?m)(^ *INDEX \[(?:[^\]]|\]\])*\] )UNIQUE )", "\\1"},
    {"columnstore or hash inline index",
     R"((?m)(^ *INDEX \[(?:[^\]]|\]\])*\] (?:NON)?CLUSTERED )(?:COLUMNSTORE|HASH) )", "\\1"},
    {"inline index INCLUDE", R"((?m)(^ *INDEX [^\n]*?) INCLUDE \((?:[^()]|\([^()]*\))*\))", "\\1"},
    {"inline index WHERE", R"((?m)(^ *INDEX [^\n]*?) WHERE [^\n]*?(?= WITH \(| ON |,$|$))", "\\1"},
    {"inline index WITH", R"((?m)(^ *INDEX [^\n]*?) WITH \((?:[^()]|\([^()]*\))*\))", "\\1"},
    // The index option "FILLFACTOR = fillfactor" inside "WITH ( <index_option>
    // [ ,...n ] )" of indexes and of PRIMARY KEY and UNIQUE constraints.
    {"fill factor alone", R"( WITH \(FILLFACTOR = \d+\))", ""},
    {"fill factor first", R"(\bFILLFACTOR = \d+, )", ""},
    {"fill factor later", R"(, FILLFACTOR = \d+\b)", ""},
    // "CREATE [ NONCLUSTERED ] COLUMNSTORE INDEX index_name ON table ( column
    // [ ,...n ] )" and "CREATE SPATIAL INDEX index_name ON table (
    // spatial_column )".
    {"columnstore index", R"(\bCREATE NONCLUSTERED COLUMNSTORE INDEX\b)",
     "CREATE NONCLUSTERED INDEX"},
    {"spatial index", R"(\bCREATE SPATIAL INDEX\b)", "CREATE INDEX"},
    // The table option "DATA_COMPRESSION = { NONE | ROW | PAGE | ... } [ ON
    // PARTITIONS ( { partition_number | range } [ ,...n ] ) ]".
    {"compression of some partitions", R"( ON PARTITIONS \([^)]*\))", ""},
    // CREATE TRIGGER's "AS { sql_statement [ ; ] [ ,...n ] | EXTERNAL NAME
    // assembly_name.class_name.method_name }".
    {"CLR trigger", R"(\bAS EXTERNAL NAME [^\n]*)", "AS RETURN"},
    // "ALTER INDEX { index_name | ALL } ON object { REBUILD | DISABLE | ... }":
    // the grammar has no ALTER INDEX at all.
    {"ALTER INDEX", R"((?m)^ALTER INDEX [^\n]*;\n?)", ""},
    // "ALTER TABLE table { CHECK | NOCHECK } CONSTRAINT { ALL | constraint_name
    // [ ,...n ] }": the grammar takes CHECK only.
    {"NOCHECK CONSTRAINT", R"(\] NOCHECK CONSTRAINT \[)", "] CHECK CONSTRAINT ["},
    // "ALTER TABLE table ADD [ CONSTRAINT name ] DEFAULT constant_expression FOR
    // column": the grammar takes one pair of parentheses around the constant,
    // not the two the catalog stores.
    {"default in double parentheses", R"(\bDEFAULT \(\(((?:[^()']|'(?:[^']|'')*')*)\)\) FOR\b)",
     "DEFAULT (\\1) FOR"},
    // "ALTER TABLE table ALTER COLUMN column { ADD | DROP } { ROWGUIDCOL |
    // PERSISTED | NOT FOR REPLICATION | SPARSE | HIDDEN }" and "{ ADD | DROP }
    // MASKED [ WITH ( FUNCTION = 'mask_function' ) ]": the grammar knows only
    // the definition form.
    {"column property",
     R"((ALTER COLUMN \[(?:[^\]]|\]\])*\]) (?:ADD|DROP) (?:ROWGUIDCOL|PERSISTED|NOT FOR REPLICATION|SPARSE|HIDDEN|MASKED(?: WITH \(FUNCTION = '(?:[^']|'')*'\))?);)",
     "\\1 int;"},
    // "ALTER TABLE table { ENABLE | DISABLE } CHANGE_TRACKING [ WITH (
    // TRACK_COLUMNS_UPDATED = { ON | OFF } ) ]".
    {"change tracking",
     R"(\] (?:ENABLE|DISABLE) CHANGE_TRACKING(?: WITH \(TRACK_COLUMNS_UPDATED = (?:ON|OFF)\))?;)",
     "] SET (LOCK_ESCALATION = AUTO);"},
    // Routine parameters "@parameter data_type [ VARYING ] [ NULL ] [ = default
    // ] [ OUT | OUTPUT | READONLY ]": the grammar has no NULL.
    {"nullable parameter", R"((@[\w$#@]+ [^\s=,()]+(?:\([^()]*\))?(?: VARYING)?) NULL\b)", "\\1"},
    // ALTER DATABASE's "<add_or_modify_files> ::= { ADD FILE <filespec> [
    // ,...n ] [ TO FILEGROUP { filegroup_name } ] | ADD LOG FILE <filespec> [
    // ,...n ] | REMOVE FILE logical_file_name | MODIFY FILE <filespec> }" and
    // "<add_or_modify_filegroups> ::= { ADD FILEGROUP filegroup_name [ CONTAINS
    // FILESTREAM | CONTAINS MEMORY_OPTIMIZED_DATA ] | REMOVE FILEGROUP
    // filegroup_name | MODIFY FILEGROUP filegroup_name { <filegroup_updatability_option>
    // | DEFAULT | NAME = new_filegroup_name | { AUTOGROW_SINGLE_FILE |
    // AUTOGROW_ALL_FILES } } }": the grammar has none of them.
    {"database files and file groups",
     R"((ALTER DATABASE \[(?:[^\]]|\]\])*\]) (?:ADD (?:LOG )?FILE \((?:[^()']|'(?:[^']|'')*')*\)(?: TO FILEGROUP \[(?:[^\]]|\]\])*\])?|ADD FILEGROUP \[(?:[^\]]|\]\])*\](?: CONTAINS FILESTREAM)?|MODIFY FILE \((?:[^()']|'(?:[^']|'')*')*\)|REMOVE FILE(?:GROUP)? \[(?:[^\]]|\]\])*\]|MODIFY FILEGROUP \[(?:[^\]]|\]\])*\] (?:DEFAULT|READ_ONLY|READ_WRITE|AUTOGROW_SINGLE_FILE|AUTOGROW_ALL_FILES|NAME = \[(?:[^\]]|\]\])*\]));)",
     "\\1 SET AUTO_CLOSE OFF;"},
    // "CHANGE_TRACKING { = OFF | = ON [ ( <change_tracking_option_list> [,...n]
    // ) ] }" with "CHANGE_RETENTION = retention_period { DAYS | HOURS | MINUTES
    // }" and "AUTO_CLEANUP = { ON | OFF }".
    {"change tracking options", R"(\bSET CHANGE_TRACKING = ON \([^)]*\))",
     "SET CHANGE_TRACKING = OFF"},
    // "GRANT <permission> [ ,...n ] [ ON [ <class> :: ] securable [ ( column
    // ) ] ] TO principal [ WITH GRANT OPTION ]", "DENY ... TO principal [
    // CASCADE ]" and "REVOKE [ GRANT OPTION FOR ] ... FROM principal [ CASCADE
    // ]": the grammar takes only GRANT of one permission without a class. The
    // statement's shape is checked here; the grammar parses the principal.
    {"permissions",
     R"((?m)^(?:GRANT|DENY|REVOKE) [A-Z ,]+?(?: ON (?:OBJECT|SCHEMA|ENDPOINT|LOGIN|TYPE|USER|ROLE|APPLICATION ROLE|ASSEMBLY|CERTIFICATE|ASYMMETRIC KEY|SYMMETRIC KEY|XML SCHEMA COLLECTION|FULLTEXT CATALOG|MESSAGE TYPE|CONTRACT|SERVICE|REMOTE SERVICE BINDING|ROUTE)::\[(?:[^\]]|\]\])*\](?:\.\[(?:[^\]]|\]\])*\])?(?: \(\[(?:[^\]]|\]\])*\]\))?)? (?:TO|FROM) (\[(?:[^\]]|\]\])*\])(?: WITH GRANT OPTION| CASCADE)?;$)",
     "GRANT SELECT TO \\1;"},
    // "ALTER USER userName WITH PASSWORD = 'password' [ OLD_PASSWORD =
    // 'oldpassword' ]": the grammar requires OLD_PASSWORD.
    {"user password", R"((ALTER USER [^\n]*PASSWORD = N'(?:[^']|'')*')(?! OLD_PASSWORD))",
     "\\1 OLD_PASSWORD = N'x'"},
    // "ALTER LOGIN login_name WITH <set_option> [ ,... ]": the grammar takes
    // one option; the list is cut into one statement per option.
    {"login options", R"((?m)^(ALTER LOGIN \[(?:[^\]]|\]\])*\] WITH )([^\n,]*?), ([^\n]*;)$)",
     "\\1\\2;\n\\1\\3"},
    {"login options", R"((?m)^(ALTER LOGIN \[(?:[^\]]|\]\])*\] WITH )([^\n,]*?), ([^\n]*;)$)",
     "\\1\\2;\n\\1\\3"},
    {"login options", R"((?m)^(ALTER LOGIN \[(?:[^\]]|\]\])*\] WITH )([^\n,]*?), ([^\n]*;)$)",
     "\\1\\2;\n\\1\\3"},
    // "CREATE LOGIN login_name FROM EXTERNAL PROVIDER" (Azure).
    {"external login", R"(\bFROM EXTERNAL PROVIDER\b)", "FROM WINDOWS"},
    // The scalar-function option "INLINE = { ON | OFF }" (SQL Server 2019).
    {"function inlining alone", R"((?m)^  WITH INLINE = (?:ON|OFF)\n)", ""},
    {"function inlining", R"(,INLINE = (?:ON|OFF)\b)", ""},
    // "ALTER VIEW [ schema_name . ] view_name [ WITH <view_attribute> [ ,...n ]
    // ] AS select_statement [ WITH CHECK OPTION ]": the grammar has CREATE VIEW
    // only.
    {"ALTER VIEW", R"(^(\s*)ALTER VIEW\b)", "\\1CREATE VIEW"},
};

static std::string reduce(const GrammarGap& gap, const std::string& batch, bool* matched) {
  GRef<GRegex> regex =
      adoptGRef(g_regex_new(gap.pattern, G_REGEX_CASELESS, GRegexMatchFlags(0), nullptr));
  *matched = g_regex_match(regex.get(), batch.c_str(), GRegexMatchFlags(0), nullptr);
  if (!*matched) return batch;
  GUniqueStr replaced(g_regex_replace(regex.get(), batch.c_str(), -1, 0, gap.reduction,
                                      GRegexMatchFlags(0), nullptr));
  return replaced.get();
}

// A tool that splits by lines alone and the system's own splitter cut the
// text at the same places: no line of it is a GO line but its separators.
static void expect_only_separators_are_go_lines(const std::string& text, const std::string& what) {
  std::vector<std::string> own;
  for (const auto& batch : sql::split_batches(text))
    if (!text::trim_view(batch.text).empty()) own.push_back(batch.text);
  EXPECT_EQ(batches_split_by_lines(text), own)
      << what << ": a line inside a statement is a GO line:\n"
      << text;
}

void expect_valid_tsql(const std::vector<TsqlText>& texts) {
  for (const auto& t : texts) {
    expect_batches_start_correctly(t.text, t.what);
    expect_only_separators_are_go_lines(t.text, t.what);
  }
  if (!tsql_parser_available()) {
    // A helper cannot skip the test that called it; the checks above still
    // ran. Under the test command the parser must be there.
    if (tools_required())
      ADD_FAILURE() << "missing tool: the T-SQL parser (node and npm ci in " TSQL_PARSE_DIR ")";
    return;
  }
  // Node and the grammar take seconds to start: every batch goes to one run,
  // every reduced batch to a second one.
  struct Item {
    const TsqlText* text;
    size_t index;
    std::string batch;
  };
  std::vector<Item> items;
  for (const auto& t : texts) {
    const auto batches = batches_split_by_lines(t.text);
    for (size_t k = 0; k < batches.size(); ++k) items.push_back({&t, k, batches[k]});
  }
  std::vector<std::string> all;
  for (const auto& item : items) all.push_back(item.batch);
  const std::vector<std::string> results = parse_batches(all);

  std::vector<Item> reduced;
  std::vector<std::string> reasons;
  for (size_t n = 0; n < items.size(); ++n) {
    if (results[n].empty()) continue;
    // Reduce every known form the batch holds, then parse again.
    std::string text = items[n].batch;
    std::string used;
    for (const auto& gap : kGrammarGaps) {
      bool matched = false;
      text = reduce(gap, text, &matched);
      if (matched) used += std::string(used.empty() ? "" : ", ") + gap.what;
    }
    if (used.empty()) {
      ADD_FAILURE() << items[n].text->what << ": batch " << items[n].index << " does not parse ("
                    << results[n] << "):\n"
                    << items[n].batch;
      continue;
    }
    reduced.push_back({items[n].text, items[n].index, text});
    reasons.push_back(used);
  }
  std::vector<std::string> again_input;
  for (const auto& item : reduced) again_input.push_back(item.batch);
  const std::vector<std::string> again = parse_batches(again_input);
  for (size_t n = 0; n < reduced.size(); ++n)
    EXPECT_EQ(again[n], "") << reduced[n].text->what << ": batch " << reduced[n].index
                            << " still does not parse once reduced (" << reasons[n] << "):\n"
                            << reduced[n].batch;
}

void expect_valid_tsql(const std::string& text, const std::string& what) {
  expect_valid_tsql(std::vector<TsqlText>{{what, text}});
}

}  // namespace tarvex::test
