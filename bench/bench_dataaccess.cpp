// 10,000 inserts and 10,000 lookups through the data-access manager against the same
// statements through SQLite's C API.
#include <QGuiApplication>

#include "bench_common.h"

using namespace ostrevan;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  bench::Scratch scratch;
  Recordset rs;
  Query("CATALOGOS", "select count(*) from NCMCEO", rs);  // its database too, before timing
  const auto [ours, bare] = bench::SqliteInsertsAndLookups(scratch);
  bench::Report("10,000 inserts + 10,000 lookups", ours, bare, 3.0);
  return 0;
}
