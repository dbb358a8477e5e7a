// The data-access manager on PostgreSQL against the same statements through libpq directly,
// and the embedded SQLite figures beside them: 10,000 inserts + 10,000 lookups, the list
// query over 100,000 certificates, and the import of a 5,000-item host operation. The server is the
// one OSTREVAN_TEST_PG names (scripts/test starts one; `source scripts/pg-cluster; pg_cluster_start
// build` for a run by hand).
#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>

#include "app/demo_install.h"
#include "app/synthetic_data.h"
#include "bench_common.h"
#include "bench_pg.h"
#include "data/mod_main.h"
#include "host/dialect.h"
#include "host/ini.h"
#include "host/recordset.h"
#include "host/sistema.h"
#include "host/sqltext.h"
#include "host/value.h"

using namespace ostrevan;
using bench::FreshDatabase;
using bench::Part;
using bench::PointEveryEntityAtServer;
using bench::RawPg;

namespace {
constexpr int kCertificates = 100000;

// The list window's query: every certificate, newest number first.
const char* kList = "Select IdCeo, Descripcion, Estado From CeoMercosur Order by IdCeo desc";

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

// The statements the import runs for one operation, bare through libpq: one connection per
// entity, each in the entity's schema, the texts in the server's dialect.
void BareImport(const QString& dbinfo, const QString& interno, const QString& idCeo) {
  PostgresDialect d;
  RawPg internos(dbinfo), ostrevan(dbinfo), catalogos(dbinfo), personal(dbinfo);
  internos.Exec("SET search_path = internos, public");
  ostrevan.Exec("SET search_path = ostrevan, public");
  catalogos.Exec("SET search_path = catalogos, public");
  personal.Exec("SET search_path = personal, public");
  const QString q = SqlText(interno);
  internos.Exec("Select IdPaisDestino  From Caratula Where Interno ='" + q + "'");
  internos.Exec("Select id, descripcion from pais where id = '203'");
  ostrevan.Exec(
      "Insert into CeoMercosur(Descripcion,PaisDest,IdCeo,Estado,IdFormulario) Values ('[" +
      SqlText(idCeo) + "]-[Quandor]','','" + SqlText(idCeo) + "','Creando','CEO004')");
  const auto header = internos.Rows(
      "Select Interno,Cuitcliente,fobdivcambio, IdPaisDestino From Caratula Where Interno ='" + q +
      "'");
  personal.Exec("Select Nombre,Domicilio,Localidad,Cuit From Clientes Where Cuit ='" +
                SqlText(header.empty() ? QString() : header[0].value("cuitcliente")) + "'");
  const auto items = internos.Rows(d.Translate(
      "Select Interno,left(Ncm,10) as ncmex,Naladisa,Cantidad,idarticulo,idcatalogo,Descripcion,"
      "IdUnidad,round(Fob * 1, 2) as FobEx From SubItems Where Interno ='" +
      q + "' Order by left(Ncm,10)"));
  ostrevan.Exec("BEGIN");  // the component writes the items in one transaction too
  long n = 0;
  for (const auto& item : items) {
    const QString art = SqlText(item.value("idarticulo"));
    const QString ncm = SqlText(item.value("ncmex"));
    internos.Exec(
        d.Translate("SELECT idarticulo , descripcion, left(NCM,10) as ncmArticulo , Naladisa FROM "
                    "catarticulos WHERE idcatalogo = '" +
                    SqlText(item.value("idcatalogo")) + "' and idarticulo = '" + art + "'"));
    catalogos.Exec("Select Descripcion from NCMCEO Where NCM ='" + ncm + "'");
    internos.Exec("Select id, simple from unidades where id = '" + SqlText(item.value("idunidad")) +
                  "'");
    ostrevan.Exec("Select UnidDestino From Unidad_OrigenDestino Where UnidOrigen = 'KG'");
    ostrevan.Exec(
        "Insert into Articulos(NroOrden,NCM,NALADISA,CodArticulo,DenoMerc,TextoPartida,"
        "PesoCant,ValorFobUsd,IdCeo,Unidad) Values('" +
        QString::number(++n) + "','" + ncm + "','" + SqlText(item.value("naladisa")) + "','" + art +
        "','Articulo de prueba','Dichos','" + item.value("cantidad") + "','" + item.value("fobex") +
        "','" + SqlText(idCeo) + "','Kilogramos')");
  }
  ostrevan.Exec("COMMIT");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString conninfo = qEnvironmentVariable("OSTREVAN_TEST_PG");
  if (conninfo.isEmpty()) {
    std::printf("bench_postgres: no server (OSTREVAN_TEST_PG is not set)\n");
    return 0;
  }
  bench::Scratch scratch;
  // SQLite beside it: the manager against the C API, same statements.
  {
    const auto [ours, bare] = bench::SqliteInsertsAndLookups(scratch);
    bench::Report("SQLite: 10,000 inserts + 10,000 lookups", ours, bare, 3.0);
  }
  const QString db = QString("bench_%1").arg(QCoreApplication::applicationPid());
  const QString dbinfo = FreshDatabase(conninfo, db, {"ours", "bare"});
  PointAtServer(conninfo, db);
  Recordset rs;
  Query("OSTREVAN", "select count(*) from Articulos", rs);  // the tables, before timing
  RawPg raw(dbinfo);
  raw.Exec("SET search_path = bare, public");
  const SchemaSteps steps = data::SchemaFor("OSTREVAN", PostgresDialect());
  for (const QString& s : steps[0]) raw.Exec(s);
  auto [ours, bare] = bench::InsertsAndLookups(raw);
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

  // The import of a 5,000-item operation: the host's rows on the server too.
  ResetAll();
  const QString importDb = db + "_import";
  const QString importInfo = FreshDatabase(
      conninfo, importDb, {"ostrevan", "ostrevan_cli", "catalogos", "internos", "personal"});
  PointEveryEntityAtServer(conninfo, importDb);
  demo::BuildDemoInstallation(scratch.Path(), true);  // the server database is the run's own
  ResetAll();
  data::InstallSchema();
  demo::AddHostOperation("BIG", 5000, 25);
  {
    // Medians of runs in turns, each after the previous run's certificates are gone.
    RawPg check(importInfo);
    auto clean = [&] {
      check.Exec(
          "delete from ostrevan.Articulos where IdCeo in ('BIG', 'RAW-BIG'); "
          "delete from ostrevan.CeoMercosur where IdCeo in ('BIG', 'RAW-BIG')");
    };
    std::vector<double> ours, bare;
    for (int round = 0; round < 3; ++round) {
      clean();
      ResetAll();
      ours.push_back(bench::ImportOperation("BIG"));
      bare.push_back(bench::Seconds([&] { BareImport(importInfo, "BIG", "RAW-BIG"); }));
      if (qEnvironmentVariableIsSet("OSTREVAN_BENCH_DETAIL")) {
        std::printf("  round %d: %.3f s against %.3f s\n", round + 1, ours.back(), bare.back());
      }
    }
    for (auto* v : {&ours, &bare}) std::sort(v->begin(), v->end());
    bench::Report("PostgreSQL: import of a 5,000-item operation", ours[1], bare[1], 2.0);
    const auto counts = check.Rows(
        "select (select count(*) from ostrevan.Articulos where IdCeo = 'BIG') as ours, "
        "(select count(*) from ostrevan.Articulos where IdCeo = 'RAW-BIG') as bare");
    if (!counts.empty()) {
      std::printf("  %s items imported, %s by the baseline\n", qPrintable(counts[0].value("ours")),
                  qPrintable(counts[0].value("bare")));
    }
  }

  ResetAll();
  RawPg admin(conninfo);
  admin.Exec("DROP DATABASE IF EXISTS " + db + " WITH (FORCE)");
  admin.Exec("DROP DATABASE IF EXISTS " + importDb + " WITH (FORCE)");
  return 0;
}
