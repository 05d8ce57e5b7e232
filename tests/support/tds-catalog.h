// The catalog of one schema as the SQL Server adapter reads it, scripted on
// the TDS test server: the schema's listing, and the rows of every catalog
// query of its tables, views and routines, both as one object's own query
// answers them and as the query of the whole schema does (each row then
// naming its object).
//
// Rows are given as the catalog has them, in the column order of the
// adapter's queries (the k...Columns below); the query of the whole schema
// answers the rows of all objects, in the order given.
#pragma once

#include <string>
#include <vector>

#include "tests/support/tds-server.h"

namespace tarvex::test::catalog {

namespace tds = tarvex::test::tds;

extern const std::vector<tds::Column> kColumnColumns;
extern const std::vector<tds::Column> kPrimaryKeyColumns;
extern const std::vector<tds::Column> kIndexColumns;  // with include and filter
extern const std::vector<tds::Column> kTriggerColumns;
extern const std::vector<tds::Column> kCheckColumns;
extern const std::vector<tds::Column> kForeignColumns;
extern const std::vector<tds::Column> kUniqueColumns;
extern const std::vector<tds::Column> kGeneralColumns;
extern const std::vector<tds::Column> kSpaceColumns;
extern const std::vector<tds::Column> kPartitionColumns;  // with xml_compression
extern const std::vector<tds::Column> kViewColumns;
extern const std::vector<tds::Column> kRoutineColumns;
extern const std::vector<tds::Column> kParameterColumns;

struct Table {
  std::string name;
  std::string type = "U ";  // as the schema listing gives it
  std::vector<tds::Row> columns, primary_key, indexes, triggers, checks, foreigns, uniques, general,
      spaces, partitions;
};

struct View {
  std::string name;
  tds::Row row;
};

struct Routine {
  std::string name;
  std::string type = "P ";
  tds::Row row;
  std::vector<tds::Row> parameters;
};

struct Schema {
  std::string name;
  std::vector<Table> tables;
  std::vector<View> views;
  std::vector<Routine> routines;
  // Servers above version 15 are asked for XML compression.
  bool xml_compression = true;
};

enum class Reads {
  WholeSchema,  // only the queries of the whole schema
  Both,         // also every object's own queries
  // Also the own queries of any object, each answered with the rows of the
  // first object: one rule per query, for counting reads at scale.
  WholeSchemaAndAnyObject,
};

// Scripts the catalog of `schema` on `server` (added last, so these rules
// win over earlier ones).
void script(tds::Server& server, const Schema& schema, Reads reads = Reads::Both);

// A plain table for counting reads: `width` int columns (c1 is the key), a
// nonclustered index on c2, a check on c1, a foreign key to `refers_to`
// when it is not empty, its options and one partition.
Table plain_table(const std::string& name, int width = 4, const std::string& refers_to = "");

}  // namespace tarvex::test::catalog
