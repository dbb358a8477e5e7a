// 10,000 inserts and 10,000 lookups through the data-access manager against the same
// statements through SQLite's C API.
#include <QGuiApplication>

#include "bench_common.h"
#include "host/recordset.h"
#include "host/sqltext.h"
#include "host/value.h"

using namespace ostrevan;

namespace {
constexpr int kRows = 10000;

QString Insert(int i) {
  return "Insert into Articulos(NroOrden,NCM,DenoMerc,PesoCant,IdCeo) Values('" +
         QString::number(i) + "','8708.29.99','" + SqlText("Tornillo d'acero") + "','1.5','B')";
}
QString Lookup(int i) {
  return "select * from Articulos where IdCeo = 'B' and NroOrden = " + QString::number(i);
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  bench::Scratch scratch;
  // Make both databases exist with their tables before timing.
  Recordset rs;
  Query("OSTREVAN", "select count(*) from Articulos", rs);
  Query("CATALOGOS", "select count(*) from NCMCEO", rs);
  const QString rawFile = scratch.Path() + "/raw.db";
  {
    bench::RawSqlite raw(rawFile);
    const SchemaSteps steps = data::SchemaFor("OSTREVAN", SqliteDialect());
    for (const QString& s : steps[0]) raw.Exec(s);
  }
  double ours = bench::Seconds([] {
    for (int i = 1; i <= kRows; ++i) Execute("OSTREVAN", Insert(i));
    for (int i = 1; i <= kRows; ++i) {
      Recordset r;
      Query("OSTREVAN", Lookup(i), r);
      Txt(r.Fields("DenoMerc").Value);
    }
  });
  bench::RawSqlite raw(rawFile);
  double bare = bench::Seconds([&] {
    for (int i = 1; i <= kRows; ++i) raw.Exec(Insert(i));
    for (int i = 1; i <= kRows; ++i) raw.Exec(Lookup(i));
  });
  bench::Report("10,000 inserts + 10,000 lookups", ours, bare, 3.0);
  return 0;
}
