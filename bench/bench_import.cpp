// Importing a 5,000-item host operation and filling the item grid model with 10,000 items,
// each against the same statements run bare through SQLite's C API.
#include <QGuiApplication>

#include "app/synthetic_data.h"
#include "bench_common.h"
#include "data/mod_main.h"
#include "host/dialect.h"
#include "host/recordset.h"
#include "host/sqltext.h"
#include "host/value.h"

using namespace ostrevan;

namespace {

QString Db(const QString& entity) { return InstallationPath("Datos/" + entity + ".db"); }

// The import's statements for one operation, bare: the same texts, in the engine's dialect.
void BareImport(const QString& interno, const QString& idCeo) {
  SqliteDialect d;
  bench::RawSqlite internos(Db("INTERNOS")), ostrevan(Db("OSTREVAN")), catalogos(Db("CATALOGOS"));
  internos.Exec(
      "Select Interno,Cuitcliente,fobdivcambio, IdPaisDestino From Caratula Where "
      "Interno ='" +
      interno + "'");
  Recordset items;
  Query("INTERNOS",
        "Select idcatalogo, idarticulo, IdUnidad, Ncm, Cantidad, Fob From SubItems Where Interno "
        "='" +
            interno + "'",
        items);  // only to know what to look up; not timed separately
  internos.Exec(d.Translate(
      "Select Interno,left(Ncm,10) as ncmex,Naladisa,Cantidad,idarticulo,idcatalogo,Descripcion,"
      "IdUnidad,round(Fob * 1, 2) as FobEx From SubItems Where Interno ='" +
      interno + "' Order by left(Ncm,10)"));
  ostrevan.Exec("BEGIN");  // the component writes the items in one transaction too
  for (long n = 1; !items.Eof(); items.MoveNext(), ++n) {
    const QString art = Txt(items.Fields("idarticulo").Value);
    const QString unit = Txt(items.Fields("IdUnidad").Value);
    internos.Exec(
        d.Translate("SELECT idarticulo , descripcion, left(NCM,10) as ncmArticulo , "
                    "Naladisa FROM catarticulos WHERE idcatalogo = 'SINT' and "
                    "idarticulo = '" +
                    art + "'"));
    catalogos.Exec("Select Descripcion from NCMCEO Where NCM ='" +
                   Txt(items.Fields("Ncm").Value).left(10) + "'");
    internos.Exec("Select id, simple from unidades where id = '" + unit + "'");
    internos.Exec("Select id, simple from unidades where id = '" + unit + "'");
    ostrevan.Exec("Select UnidDestino From Unidad_OrigenDestino Where UnidOrigen = 'KG'");
    ostrevan.Exec(
        "Insert into Articulos(NroOrden,NCM,NALADISA,CodArticulo,DenoMerc,TextoPartida,"
        "PesoCant,ValorFobUsd,IdCeo,Unidad) Values('" +
        QString::number(n) + "','8401.00.00','8401.00.00','" + art +
        "','Articulo de prueba','Dichos','" + Txt(items.Fields("Cantidad").Value) + "','" +
        Txt(items.Fields("Fob").Value) + "','" + idCeo + "','Kilogramos')");
  }
  ostrevan.Exec("COMMIT");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  bench::Scratch scratch;
  scratch.Demo();
  demo::AddHostOperation("BIG", 5000, 25);
  demo::AddHostOperation("HUGE", 10000, 40);

  const double ours = bench::ImportOperation("BIG");
  ResetAll();
  data::InstallSchema();
  const double bare = bench::Seconds([] { BareImport("BIG", "RAW-BIG"); });
  bench::Report("import of a 5,000-item operation", ours, bare, 3.0);
  Recordset count;
  Query("OSTREVAN", "select count(*) as n from Articulos where IdCeo = 'BIG'", count);
  std::printf("  %.0f items imported (target under 1 s)\n", esnumero(count.Fields("n").Value));

  bench::ImportOperation("HUGE");
  St().sIdCeo = "HUGE";
  const double grid = bench::Seconds([] { CargarArticulosEnGrid(0); });
  bench::RawSqlite raw(Db("OSTREVAN"));
  const double query = bench::Seconds([&] {
    raw.Exec(
        "select distinct * , Ncm as Nomenclador from articulos Where idceo ='HUGE' order by "
        "Ncm , IdNormasOrigen");
  });
  bench::Report("item grid model, 10,000 items, first fill", grid, query, 0);
  const double again = bench::Seconds([] { CargarArticulosEnGrid(0); });
  bench::Report("item grid model, 10,000 items, again", again, query, 0);
  std::printf("  %d grid rows (target under 0.3 s)\n", CargaDatos().MsfgParteI.Rows() - 1);
  return 0;
}
