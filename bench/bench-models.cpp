// Result models at the scale of a large query result: a 1,000,000-row x
// 8-column table of mixed values, built through the exported API as a host
// would, built through the providers' internal fast path, cloned row by
// row, and released.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "providers/contracts/table_model-private.h"
#include "providers/fenrow.h"

using tarvex::adoptGRef;
using tarvex::GRef;

namespace {

using Table = TarvexProvidersContractsTableModel;
using Row = TarvexProvidersContractsRowModel;
using Value = TarvexProvidersContractsValueObject;

constexpr gint kRows = 1000000;
constexpr gint kColumns = 8;

const TarvexProvidersContractsDataType kTypes[kColumns] = {
    TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32,   TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64,
    TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,  TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL,
    TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING,  TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME,
    TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING,
};

// Texts and a date-time made once, so the figures are the models' own.
struct Inputs {
  std::vector<std::string> names;
  GRef<GDateTime> moment;
  Inputs() {
    for (int i = 0; i < 64; i++) names.push_back("customer name " + std::to_string(i));
    moment = adoptGRef(g_date_time_new_utc(2024, 3, 1, 10, 0, 0));
  }
};
const Inputs& inputs() {
  static Inputs in;
  return in;
}

// The value of column `c` in row `r` (every 10th row's last cell is NULL).
Value* make_value(gint r, gint c) {
  const auto& in = inputs();
  switch (c) {
    case 0:
      return reinterpret_cast<Value*>(tarvex_providers_contracts_value_int32_new(r));
    case 1:
      return reinterpret_cast<Value*>(
          tarvex_providers_contracts_value_int64_new(gint64(r) * 1000003));
    case 2:
      return reinterpret_cast<Value*>(tarvex_providers_contracts_value_double_new(r * 0.25));
    case 3:
      return reinterpret_cast<Value*>(tarvex_providers_contracts_value_decimal_new(r / 100.0));
    case 4:
      return reinterpret_cast<Value*>(
          tarvex_providers_contracts_value_string_new(in.names[r % 64].c_str()));
    case 5:
      return reinterpret_cast<Value*>(
          tarvex_providers_contracts_value_date_time_new_datetime(in.moment.get()));
    case 6:
      return reinterpret_cast<Value*>(tarvex_providers_contracts_value_boolean_new(r & 1));
    default:
      if (r % 10 == 0) return reinterpret_cast<Value*>(tarvex_providers_contracts_value_null_new());
      return reinterpret_cast<Value*>(
          tarvex_providers_contracts_value_string_new(in.names[(r * 7) % 64].c_str()));
  }
}

// As a host would: a row, its "values" list, the values added to it, the
// row added to the table's "rows" list.
GRef<Table> build_exported() {
  auto table = adoptGRef(tarvex_providers_contracts_table_model_new_with_types(kTypes, kColumns));
  auto* rows =
      GEE_ABSTRACT_COLLECTION(tarvex_providers_contracts_table_model_get_rows(table.get()));
  for (gint r = 0; r < kRows; r++) {
    auto row = adoptGRef(tarvex_providers_contracts_row_model_new());
    auto* values =
        GEE_ABSTRACT_COLLECTION(tarvex_providers_contracts_row_model_get_values(row.get()));
    for (gint c = 0; c < kColumns; c++) {
      auto value = adoptGRef(make_value(r, c));
      gee_abstract_collection_add(values, value.get());
    }
    gee_abstract_collection_add(rows, row.get());
  }
  return table;
}

// As the providers of the library do: no list per row.
GRef<Table> build_internal() {
  auto table = adoptGRef(tarvex_providers_contracts_table_model_new_with_types(kTypes, kColumns));
  for (gint r = 0; r < kRows; r++) {
    Row* row = tarvex::models::row_new(kColumns);
    for (gint c = 0; c < kColumns; c++) tarvex::models::row_take_value(row, make_value(r, c));
    tarvex::models::table_take_row(table.get(), row);
  }
  return table;
}

// A new table of the same columns holding a clone of every row.
GRef<Table> clone_table(Table* source) {
  auto copy = adoptGRef(tarvex_providers_contracts_table_model_new_with_types(kTypes, kColumns));
  auto* rows = GEE_ABSTRACT_COLLECTION(tarvex_providers_contracts_table_model_get_rows(copy.get()));
  auto* from = GEE_ABSTRACT_LIST(tarvex_providers_contracts_table_model_get_rows(source));
  gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(from));
  for (gint r = 0; r < n; r++) {
    auto row = adoptGRef(static_cast<Row*>(gee_abstract_list_get(from, r)));
    auto cloned = adoptGRef(tarvex_providers_contracts_row_model_clone(row.get()));
    gee_abstract_collection_add(rows, cloned.get());
  }
  return copy;
}

void BM_BuildExported(benchmark::State& state) {
  inputs();
  for (auto _ : state) {
    auto table = build_exported();
    state.PauseTiming();
    table = nullptr;
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

// The values alone, kept in a plain vector: the floor under both builds.
void BM_ValuesOnly(benchmark::State& state) {
  inputs();
  for (auto _ : state) {
    std::vector<GRef<Value>> values;
    values.reserve(size_t(kRows) * kColumns);
    for (gint r = 0; r < kRows; r++)
      for (gint c = 0; c < kColumns; c++) values.push_back(adoptGRef(make_value(r, c)));
    state.PauseTiming();
    values.clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_BuildInternal(benchmark::State& state) {
  inputs();
  for (auto _ : state) {
    auto table = build_internal();
    state.PauseTiming();
    table = nullptr;
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

// Clones a table built through the exported API (its rows hold lists) or
// through the fast path (they do not).
void BM_Clone(benchmark::State& state) {
  auto source = state.range(0) ? build_internal() : build_exported();
  for (auto _ : state) {
    auto copy = clone_table(source.get());
    state.PauseTiming();
    copy = nullptr;
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  state.SetLabel(state.range(0) ? "source built internally" : "source built through the API");
}

void BM_Release(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto table = build_internal();
    state.ResumeTiming();
    table = nullptr;
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_BuildExported)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ValuesOnly)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_BuildInternal)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Clone)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Release)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
