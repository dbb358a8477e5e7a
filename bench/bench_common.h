#pragma once
// What every benchmark shares: a scratch installation, a stopwatch and the bare SQLite
// baseline that runs the same statements through the C API.
#include <sqlite3.h>

#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/demo_install.h"
#include "data/forms.h"
#include "data/mod_main.h"
#include "data/schema.h"
#include "host/recordset.h"
#include "host/sqltext.h"
#include "host/state.h"
#include "host/value.h"

namespace ostrevan::bench {

inline double Seconds(const std::function<void()>& f) {
  QElapsedTimer t;
  t.start();
  f();
  return t.nsecsElapsed() / 1e9;
}

// Medians of `rounds` runs of each, taken in turns so that both see the same machine: one
// run of either swings by a third on a shared two-core box.
// `settle` runs untimed after each of ours.
inline std::pair<double, double> MedianSeconds(const std::function<void()>& ours,
                                               const std::function<void()>& bare,
                                               const std::function<void()>& settle = {},
                                               int rounds = 5) {
  std::vector<double> a, b;
  for (int i = 0; i < rounds; ++i) {
    a.push_back(Seconds(ours));
    if (settle) settle();
    b.push_back(Seconds(bare));
    if (qEnvironmentVariableIsSet("OSTREVAN_BENCH_DETAIL")) {
      std::printf("  round %d: %.3f s against %.3f s\n", i + 1, a.back(), b.back());
    }
  }
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return {a[a.size() / 2], b[b.size() / 2]};
}

// A temporary installation folder for the run.
class Scratch {
 public:
  Scratch() {
    qputenv("ProgramFiles", dir_.path().toUtf8());
    ResetAll();
    data::InstallSchema();
  }
  ~Scratch() { ResetAll(); }
  // The demo installation in the scratch folder, ready for statements.
  void Demo() {
    demo::BuildDemoInstallation(Path());
    ResetAll();
    data::InstallSchema();
  }
  QString Path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

// The same file settings the component uses, on a raw handle.
class RawSqlite {
 public:
  explicit RawSqlite(const QString& file) {
    sqlite3_open(file.toUtf8().constData(), &db_);
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=NORMAL");
  }
  ~RawSqlite() { sqlite3_close(db_); }
  // Runs a statement and reads every column of every row, as a recordset would.
  int Exec(const QString& sql) {
    sqlite3_stmt* st = nullptr;
    QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &st, nullptr) !=
        SQLITE_OK) {
      std::fprintf(stderr, "raw: %s\n", sqlite3_errmsg(db_));
      return -1;
    }
    int rows = 0;
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
      for (int i = 0; i < n; ++i) sqlite3_column_text(st, i);
      ++rows;
    }
    sqlite3_finalize(st);
    return rows;
  }

 private:
  sqlite3* db_ = nullptr;
};

// The data-access workload: 10,000 inserts of an item with a typed apostrophe, then 10,000
// lookups of one item by key, its description read.
constexpr int kWorkloadRows = 10000;
inline QString WorkloadInsert(int i) {
  return "Insert into Articulos(NroOrden,NCM,DenoMerc,PesoCant,IdCeo) Values('" +
         QString::number(i) + "','8708.29.99','" + SqlText("Tornillo d'acero") + "','1.5','B')";
}
inline QString WorkloadLookup(int i) {
  return "select * from Articulos where IdCeo = 'B' and NroOrden = " + QString::number(i);
}
// The workload through the manager, then the same statements through `raw` (anything with
// Exec(QString)); the seconds of each.
template <class Raw>
std::pair<double, double> InsertsAndLookups(Raw& raw) {
  const double ours = Seconds([] {
    for (int i = 1; i <= kWorkloadRows; ++i) Execute("OSTREVAN", WorkloadInsert(i));
    for (int i = 1; i <= kWorkloadRows; ++i) {
      Recordset r;
      Query("OSTREVAN", WorkloadLookup(i), r);
      Txt(r.Fields("DenoMerc").Value);
    }
  });
  const double bare = Seconds([&] {
    for (int i = 1; i <= kWorkloadRows; ++i) raw.Exec(WorkloadInsert(i));
    for (int i = 1; i <= kWorkloadRows; ++i) raw.Exec(WorkloadLookup(i));
  });
  return {ours, bare};
}
// The workload on the embedded SQLite of `scratch` against SQLite's C API on a file of the
// same schema.
inline std::pair<double, double> SqliteInsertsAndLookups(const Scratch& scratch) {
  Recordset rs;
  Query("OSTREVAN", "select count(*) from Articulos", rs);  // the tables, before timing
  const QString rawFile = scratch.Path() + "/raw.db";
  RawSqlite raw(rawFile);
  const SchemaSteps steps = data::SchemaFor("OSTREVAN", SqliteDialect());
  for (const QString& s : steps[0]) raw.Exec(s);
  return InsertsAndLookups(raw);
}

// The component's own import of a host operation, from its reading of the header on: the
// seconds it takes.
inline double ImportOperation(const QString& interno) {
  ComponentState& st = St();
  st.sInternoHost = interno;
  st.sIdFormulario = "CEO004";  // invoice items, NCM
  st.bNaladisa = false;
  return Seconds([] {
    GetPaisDestinoFromInternoNuevo();
    CrearInterno();
    LoadFromQuandor();
  });
}

// A target of 0 reports the ratio without one.
inline void Report(const char* what, double ours, double bare, double target) {
  std::printf("%-44s %8.3f s   baseline %8.3f s   ratio %5.2fx", what, ours, bare, ours / bare);
  if (target > 0) {
    std::printf(" (target <= %.1fx)%s", target, ours / bare <= target ? "" : "  OVER TARGET");
  }
  std::printf("\n");
}

}  // namespace ostrevan::bench
