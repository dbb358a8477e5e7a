// Creating a certificate scales with its items: the creation of a 20,000-item host operation
// against that of a 5,000-item one in the same run, as `ostrevan crear` does it (form choice,
// import, header, item grid), on the embedded SQLite and, when OSTREVAN_TEST_PG names a
// server, on PostgreSQL. Four times the items may take at most 4.4 times as long.
#include <QApplication>
#include <QTextStream>

#include "app/batch.h"
#include "app/synthetic_data.h"
#include "bench_common.h"
#include "bench_pg.h"
#include "entry/cls_main.h"
#include "host/progress.h"

using namespace ostrevan;

namespace {

constexpr int kSmall = 5000, kLarge = 20000;

long Items(const QString& interno) {
  Recordset rs;
  Query("OSTREVAN", "select count(*) as n from Articulos where IdCeo = '" + interno + "'", rs);
  return static_cast<long>(esnumero(rs.Fields("n").Value));
}

// Seconds to create the certificate of `interno` as `ostrevan crear` does, or a negative
// figure when it was not created whole. The one of an earlier round is removed first, untimed,
// so that Main creates it again instead of opening it.
double Create(const QString& interno, long items) {
  Execute("OSTREVAN", "delete from Articulos where IdCeo = '" + interno + "'");
  Execute("OSTREVAN", "delete from CeoMercosur where IdCeo = '" + interno + "'");
  QString console;
  QTextStream out(&console);
  SetWindowService(std::make_shared<app::BatchWindows>("CACIPRA", "CEO104", out));
  const double seconds = bench::Seconds([&] {
    Cls_Main host;
    host.CdoData(interno);
    host.Main();
  });
  return Items(interno) == items ? seconds : -1;
}

// Medians of rounds taken in turns, so that both sizes see the same machine.
void Scaling(const char* engine, int rounds) {
  demo::AddHostOperation("CREA-5K", kSmall, 25);
  demo::AddHostOperation("CREA-20K", kLarge, 100);
  ResetAll();
  data::InstallSchema();
  std::vector<double> small, large;
  for (int i = 0; i < rounds; ++i) {
    small.push_back(Create("CREA-5K", kSmall));
    large.push_back(Create("CREA-20K", kLarge));
    if (small.back() < 0 || large.back() < 0) {
      std::printf("%s: the creation did not store every item\n", engine);
      return;
    }
    if (qEnvironmentVariableIsSet("OSTREVAN_BENCH_DETAIL")) {
      std::printf("  round %d: %.3f s and %.3f s\n", i + 1, small.back(), large.back());
    }
  }
  std::sort(small.begin(), small.end());
  std::sort(large.begin(), large.end());
  const double s = small[small.size() / 2], l = large[large.size() / 2];
  std::printf("%s: creation of 5,000 items %.3f s, of 20,000 items %.3f s\n", engine, s, l);
  bench::Report(QString("%1: 20,000 items against 5,000").arg(engine).toUtf8().constData(), l, s,
                4.4);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SetStatusPopup(std::make_shared<SilentPopup>());
  bench::Scratch scratch;
  scratch.Demo();
  Scaling("SQLite", 5);

  const QString conninfo = qEnvironmentVariable("OSTREVAN_TEST_PG");
  if (conninfo.isEmpty()) {
    std::printf("PostgreSQL: no server (OSTREVAN_TEST_PG is not set)\n");
    return 0;
  }
  // Every entity on the server, each in its schema, as an office's server holds them.
  ResetAll();
  const QString db = QString("bench_create_%1").arg(QCoreApplication::applicationPid());
  bench::FreshDatabase(conninfo, db,
                       {"ostrevan", "ostrevan_cli", "catalogos", "internos", "personal"});
  bench::PointEveryEntityAtServer(conninfo, db);
  demo::BuildDemoInstallation(scratch.Path(), true);  // the server database is the run's own
  ResetAll();
  data::InstallSchema();
  Scaling("PostgreSQL", 3);
  ResetAll();
  bench::RawPg(conninfo).Exec("DROP DATABASE IF EXISTS " + db + " WITH (FORCE)");
  return 0;
}
