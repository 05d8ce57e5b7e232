// SQL types, cell values and their TDS encoding for the scripted test server.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::test::tds {

class PacketWriter;

// Protocol versions as LOGIN7 and LOGINACK carry them.
constexpr uint32_t kTds71 = 0x71000001;
constexpr uint32_t kTds72 = 0x72090002;
constexpr uint32_t kTds73 = 0x730B0003;
constexpr uint32_t kTds74 = 0x74000004;

// "7.4" for kTds74 and so on; "0x..." for anything else.
std::string tds_version_text(uint32_t version);
// Parses "7.1" to "7.4"; 0 when the text names no supported version.
uint32_t tds_version_from_text(std::string_view text);

enum class SqlType {
  Bit,
  TinyInt,
  SmallInt,
  Int,
  BigInt,
  Real,
  Float,
  Decimal,
  Numeric,
  SmallMoney,
  Money,
  Char,
  VarChar,
  NChar,
  NVarChar,
  Text,
  NText,
  Binary,
  VarBinary,
  Image,
  UniqueIdentifier,
  Date,
  Time,
  SmallDateTime,
  DateTime,
  DateTime2,
  DateTimeOffset,
  Xml,
  Variant,
  Geometry,
  Geography,
};

// A column type as a script writes it: "int", "decimal(18,4)",
// "nvarchar(max)", "datetime2(3)", "geometry".
struct TypeSpec {
  SqlType type = SqlType::Int;
  int length = 0;  // characters (char types) or bytes (binary); -1 = max
  int precision = 0;
  int scale = 0;  // decimal scale, or fractional digits of time types

  bool is_max() const { return length < 0; }
  std::string text() const;
};

// Throws std::invalid_argument on an unknown or malformed type.
TypeSpec parse_type(std::string_view text);

// One cell, decoded from its script text at scripting time.
struct Value {
  bool null = true;
  int64_t i = 0;              // integers, bit, money in ten-thousandths
  double d = 0;               // real, float
  unsigned __int128 mag = 0;  // decimal: unscaled magnitude
  bool negative = false;      // decimal sign
  std::string bytes;          // text (UTF-8), binary, uniqueidentifier (16 wire bytes), UDT
  int32_t days = 0;           // date part: days since 0001-01-01
  int64_t ticks = 0;          // time part: 100 ns units since midnight
  int16_t offset = 0;         // datetimeoffset: minutes east of UTC (days/ticks hold local time)
  std::shared_ptr<const std::pair<TypeSpec, Value>> variant;  // sql_variant: base type and value
};

// Decodes the script text of a cell for a column of `type`. Throws
// std::invalid_argument naming the text when it does not fit the type.
Value parse_value(const TypeSpec& type, std::string_view text);

struct ColumnSpec {
  std::string name;
  TypeSpec type;
  bool nullable = false;
};

// Writes the COLMETADATA token for `columns` as a client of `version` expects it.
void write_colmetadata(PacketWriter& out, const std::vector<ColumnSpec>& columns, uint32_t version);
// Writes the data of one cell (no token byte).
void write_cell(PacketWriter& out, const ColumnSpec& column, const Value& value, uint32_t version);

// Deterministic content of a generated result: the value of row `row` in
// column `column` (0-based), NULL where a nullable column has (row + column) % 10 == 9.
Value generated_value(const ColumnSpec& spec, uint64_t row, size_t column);
// The same into an existing value, reusing its storage (for big results).
void generate_value(const ColumnSpec& spec, uint64_t row, size_t column, Value& out);

// Calendar helpers shared with the tests.
int32_t days_from_civil(int y, unsigned m, unsigned d);
void civil_from_days(int32_t days, int& y, unsigned& m, unsigned& d);

// UTF-8 to UTF-16LE and to the server's single-byte code page (1252).
void append_utf16le(std::string& out, std::string_view utf8);
void append_cp1252(std::string& out, std::string_view utf8);

}  // namespace tarvex::test::tds
