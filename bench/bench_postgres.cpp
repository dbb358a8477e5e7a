// The data-access manager on PostgreSQL against the same statements through libpq directly,
// and the embedded SQLite figures beside them: 10,000 inserts + 10,000 lookups, and the list
// query over 100,000 certificates. The server is the one OSTREVAN_TEST_PG names (scripts/test
// starts one; `source scripts/pg-cluster; pg_cluster_start build` for a run by hand).
#include <libpq-fe.h>

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#include "bench_common.h"
#include "host/ini.h"
#include "host/recordset.h"
#include "host/sistema.h"
#include "host/sqltext.h"
#include "host/value.h"

using namespace ostrevan;

namespace {
constexpr int kRows = 10000;
constexpr int kCertificates = 100000;

QString Insert(int i) {
  return "Insert into Articulos(NroOrden,NCM,DenoMerc,PesoCant,IdCeo) Values('" +
         QString::number(i) + "','8708.29.99','" + SqlText("Tornillo d'acero") + "','1.5','B')";
}
QString Lookup(int i) {
  return "select * from Articulos where IdCeo = 'B' and NroOrden = " + QString::number(i);
}
// The list window's query: every certificate, newest number first.
const char* kList = "Select IdCeo, Descripcion, Estado From CeoMercosur Order by IdCeo desc";

class RawPg {
 public:
  explicit RawPg(const QString& conninfo) {
    c_ = PQconnectdb(conninfo.toUtf8().constData());
    if (PQstatus(c_) != CONNECTION_OK) std::fprintf(stderr, "libpq: %s\n", PQerrorMessage(c_));
  }
  ~RawPg() { PQfinish(c_); }
  // Runs a statement and reads every value of every row, as a recordset would.
  int Exec(const QString& sql) {
    PGresult* r = PQexec(c_, sql.toUtf8().constData());
    const int rows = PQntuples(r), cols = PQnfields(r);
    if (PQresultStatus(r) != PGRES_TUPLES_OK && PQresultStatus(r) != PGRES_COMMAND_OK) {
      std::fprintf(stderr, "libpq: %s\n", PQresultErrorMessage(r));
    }
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < cols; ++j) QString::fromUtf8(PQgetvalue(r, i, j));
    }
    PQclear(r);
    return rows;
  }

 private:
  PGconn* c_;
};

QString Part(const QString& conninfo, const QString& key) {
  for (const QString& p : conninfo.split(' ', Qt::SkipEmptyParts)) {
    if (p.startsWith(key + "=")) return p.mid(key.size() + 1);
  }
  return {};
}

void PointAtServer(const QString& conninfo, const QString& db) {
  const QString map = InstallationPath("Cfg/Conexiones.ini");
  QDir().mkpath(InstallationPath("Cfg"));
  clINI ini;
  for (const char* e : {"OSTREVAN", "CEOCFG"}) {
    ini.GuardarINI(e, "Driver", "QPSQL", map);
    ini.GuardarINI(e, "Database", db, map);
    ini.GuardarINI(e, "Host", Part(conninfo, "host"), map);
    ini.GuardarINI(e, "Port", Part(conninfo, "port"), map);
    ini.GuardarINI(e, "User", Part(conninfo, "user"), map);
    ini.GuardarINI(e, "Options", "options='-csearch_path=ours,public'", map);
  }
  ResetAll();
  data::InstallSchema();
}

std::pair<double, double> Run(RawPg* raw, const std::function<void()>& before) {
  before();
  double ours = bench::Seconds([] {
    for (int i = 1; i <= kRows; ++i) Execute("OSTREVAN", Insert(i));
    for (int i = 1; i <= kRows; ++i) {
      Recordset r;
      Query("OSTREVAN", Lookup(i), r);
      Txt(r.Fields("DenoMerc").Value);
    }
  });
  double bare = bench::Seconds([&] {
    for (int i = 1; i <= kRows; ++i) raw->Exec(Insert(i));
    for (int i = 1; i <= kRows; ++i) raw->Exec(Lookup(i));
  });
  return {ours, bare};
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString conninfo = qEnvironmentVariable("OSTREVAN_TEST_PG");
  if (conninfo.isEmpty()) {
    std::printf("bench_postgres: no server (OSTREVAN_TEST_PG is not set)\n");
    return 0;
  }
  bench::Scratch scratch;
  // SQLite beside it: the manager against the C API, same statements.
  {
    Recordset rs;
    Query("OSTREVAN", "select count(*) from Articulos", rs);
    const QString rawFile = scratch.Path() + "/raw.db";
    bench::RawSqlite raw(rawFile);
    const SchemaSteps steps = data::SchemaFor("OSTREVAN", SqliteDialect());
    for (const QString& s : steps[0]) raw.Exec(s);
    double ours = bench::Seconds([] {
      for (int i = 1; i <= kRows; ++i) Execute("OSTREVAN", Insert(i));
      for (int i = 1; i <= kRows; ++i) {
        Recordset r;
        Query("OSTREVAN", Lookup(i), r);
        Txt(r.Fields("DenoMerc").Value);
      }
    });
    double bare = bench::Seconds([&] {
      for (int i = 1; i <= kRows; ++i) raw.Exec(Insert(i));
      for (int i = 1; i <= kRows; ++i) raw.Exec(Lookup(i));
    });
    bench::Report("SQLite: 10,000 inserts + 10,000 lookups", ours, bare, 3.0);
  }
  const QString db = QString("bench_%1").arg(QCoreApplication::applicationPid());
  {
    RawPg admin(conninfo);
    admin.Exec("DROP DATABASE IF EXISTS " + db);
    admin.Exec("CREATE DATABASE " + db);
  }
  QString dbinfo = conninfo;
  dbinfo.replace(QRegularExpression("dbname=\\S+"), "dbname=" + db);
  {
    RawPg setup(dbinfo);
    setup.Exec("CREATE EXTENSION IF NOT EXISTS citext");
    setup.Exec("CREATE SCHEMA ours");
    setup.Exec("CREATE SCHEMA bare");
  }
  PointAtServer(conninfo, db);
  Recordset rs;
  Query("OSTREVAN", "select count(*) from Articulos", rs);  // the tables, before timing
  RawPg raw(dbinfo);
  raw.Exec("SET search_path = bare, public");
  const SchemaSteps steps = data::SchemaFor("OSTREVAN", PostgresDialect());
  for (const QString& s : steps[0]) raw.Exec(s);
  auto [ours, bare] = Run(&raw, [] {});
  bench::Report("PostgreSQL: 10,000 inserts + 10,000 lookups", ours, bare, 1.5);

  // The list of 100,000 certificates.
  {
    const QString fill =
        "INSERT INTO CeoMercosur (IdCeo, Descripcion, Estado) SELECT 'EX-' || "
        "lpad(g::text, 7, '0'), '[EX-' || g || ']-[Quandor]', 'Creando' FROM "
        "generate_series(1, " +
        QString::number(kCertificates) + ") g";
    Execute("OSTREVAN", fill);
    raw.Exec(fill);
    double listOurs = bench::Seconds([] {
      Recordset r;
      Query("OSTREVAN", kList, r);
      for (; !r.Eof(); r.MoveNext()) Txt(r.Fields("Descripcion").Value);
    });
    double listBare = bench::Seconds([&] { raw.Exec(kList); });
    bench::Report("PostgreSQL: list query of 100,000 certificates", listOurs, listBare, 3.0);
    std::printf("  list of 100,000 certificates: %.3f s (target under 1 s)\n", listOurs);
  }
  ResetAll();
  RawPg admin(conninfo);
  admin.Exec("DROP DATABASE IF EXISTS " + db + " WITH (FORCE)");
  return 0;
}
