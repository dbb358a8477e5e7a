// Several workstations on one installation, as real processes: each waits its turn to write
// instead of failing, one killed at any moment leaves no certificate or a whole one, a folder
// the user may only read still lists, and a damaged file or a full disk is reported as such.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>

#include "app/synthetic_data.h"
#include "data/forms.h"
#include "data/schema.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan::test {
namespace {

QProcess* Start(const QStringList& args, const QStringList& prefix = {}) {
  return StartProgram(OSTREVAN_EXE, args, prefix);
}

using WorkstationsTest = DemoTest;

// Lines of a listing that name the certificate, in the listing's own format.
int TimesListed(const QString& listing, const QString& id) {
  return static_cast<int>(listing.count("\n  " + id + "\t"));
}

// An installation left at the previous version of its tables, opened by two workstations at
// the same moment: one brings it up to date, the other waits and finds it done, neither fails
// on the other's half-made tables; then, round after round, both create at once and each
// waits its turn to write instead of failing, while a third lists and prints what is done.
TEST_F(WorkstationsTest, TwoWorkstationsUpgradeOnceAndCreateAtOnceWhileAThirdListsAndPrints) {
  const struct {
    const char* entity;
    QStringList addedLast;  // the tables the newest step creates
  } entities[] = {{"OSTREVAN", {"CeoCod"}},
                  {"CEOCFG", {"CeoAcuerdos"}},
                  {"OSTREVAN_CLI", {"CeoCodInstalacion", "CeoPaisesIso"}}};
  for (const auto& e : entities) {
    for (const QString& table : e.addedLast) Execute(e.entity, "DROP TABLE " + table);
    ASSERT_EQ(Execute(e.entity, "UPDATE OstrevanSchema SET Version = Version - 1 WHERE Entity = '" +
                                    QString(e.entity) + "'"),
              1)
        << e.entity;
  }
  constexpr int kRounds = 20;
  constexpr int kItems = 600;
  for (int i = 0; i < 2 * kRounds; ++i) {
    demo::AddHostOperation(QString("WS-%1").arg(i), kItems, 150);
  }
  ResetAll();  // the processes own the databases now
  const auto running = [](QProcess* p) {
    p->waitForFinished(0);  // without an event loop, only a wait notices that it ended
    return p->state() != QProcess::NotRunning;
  };
  int listings = 0;
  for (int round = 0; round < kRounds; ++round) {
    QProcess* pa = Start({"crear", QString("WS-%1").arg(2 * round), "CACIPRA", "CEO104"});
    QProcess* pb = Start({"crear", QString("WS-%1").arg(2 * round + 1), "CACIPRA", "CEO104"});
    // Each listing counts every certificate finished before and shows each once; the one
    // finished last prints.
    do {
      const Outcome list = Finish(Start({"listar"}));
      ASSERT_EQ(list.rc, 0) << list.output;
      ++listings;
      const int counted = list.output.section("Listado: ", 1).section(' ', 0, 0).toInt();
      EXPECT_TRUE(counted >= 2 * round && counted <= 2 * round + 2) << list.output;
      int shown = 0;
      for (int i = 0; i < 2 * round + 2; ++i) {
        const int times = TimesListed(list.output, QString("WS-%1").arg(i));
        EXPECT_LE(times, 1) << list.output;
        shown += times;
      }
      EXPECT_EQ(shown, counted) << list.output;
      if (round == 0) continue;
      const QString pdf = tmp->filePath(QString("%1.pdf").arg(listings));
      // Not completed: printed past the checks' findings.
      const Outcome print =
          Finish(Start({"imprimir", QString("WS-%1").arg(2 * round - 1), pdf, "--forzar"}));
      ASSERT_EQ(print.rc, 0) << print.output;
      EXPECT_GT(QFile(pdf).size(), 1000) << "in round " << round;
    } while ((running(pa) || running(pb)) && listings < 500);
    for (const Outcome& r : {Finish(pa), Finish(pb)}) {
      ASSERT_EQ(r.rc, 0) << r.output;
      ASSERT_FALSE(r.output.contains("locked")) << r.output;
    }
  }
  ResetAll();
  data::InstallSchema();
  for (const auto& e : entities) {
    EXPECT_EQ(Column(e.entity, "select Version from OstrevanSchema where Entity = '" +
                                   QString(e.entity) + "'"),
              QStringList{"2"})
        << e.entity;
  }
  EXPECT_EQ(Count("OSTREVAN_CLI", "CeoPaisesIso", "Iso = 'AR'"), 1);
  EXPECT_EQ(Count("OSTREVAN", "CeoCod"), 0);
  const Outcome last = Finish(Start({"listar"}));
  EXPECT_TRUE(last.output.contains(QString("Listado: %1 certificados").arg(2 * kRounds)))
      << last.output;
  for (int i = 0; i < 2 * kRounds; ++i) {
    const QString id = QString("WS-%1").arg(i);
    // Every item, each with a number of its own.
    EXPECT_EQ(Column("OSTREVAN",
                     "select count(*) || ' ' || count(distinct NroOrden) from "
                     "Articulos where IdCeo = '" +
                         id + "'"),
              QStringList{QString("%1 %1").arg(kItems)})
        << id;
    EXPECT_EQ(Count("OSTREVAN", "CeoMercosur", "IdCeo = '" + id + "' and ProdFinExp <> ''"), 1)
        << id << " has no exporter";
  }
}

TEST_F(WorkstationsTest, RefusalsExitNonZeroAndSayWhy) {
  const struct {
    QStringList args;
    int rc;
    const char* says;
  } rows[] = {
      {{"crear", ""}, 2, "Uso: ostrevan"},
      {{"crear", " ", "CACIPRA", "CEO104"}, 2, "Uso: ostrevan"},
      {{"crear", "EX-2026-0001", "CACIPRA", "NO-FORM"}, 1, "no tiene el formulario"},
      {{"imprimir", "NO-EXISTE", tmp->filePath("c.pdf")}, 1, "No existe el certificado NO-EXISTE"},
      {{"validar", "NO-EXISTE"}, 1, "No existe el certificado NO-EXISTE"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.args.join(' ').toStdString());
    const Outcome out = Finish(Start(r.args));
    EXPECT_EQ(out.rc, r.rc);
    EXPECT_TRUE(out.output.contains(r.says)) << out.output;
  }
  EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 0);
}

// Killed at any moment of a long creation, the certificate is absent or whole; the next run
// creates it whole.
TEST_F(WorkstationsTest, KilledAtAnyMomentLeavesNoCertificateOrAWholeOne) {
  demo::AddHostOperation("BIG-1", 3000, 40);
  ResetAll();
  // What the other process committed, through a fresh connection: "" when there is none.
  const auto state = [this] {
    ResetAll();
    const QStringList header =
        Column("OSTREVAN",
               "select case when ProdFinExp <> '' then 'present' else 'missing' end || ', ' || "
               "Descripcion from CeoMercosur where IdCeo = 'BIG-1'");
    if (header.isEmpty()) return QString();
    return QString("%1 items, exporter %2")
        .arg(Count("OSTREVAN", "Articulos", "IdCeo = 'BIG-1'"))
        .arg(header[0]);
  };
  const QString whole = "3000 items, exporter present, [ BIG-1 ] - [ Quandor ]";
  const QStringList args = {"crear", "BIG-1", "CACIPRA", "CEO104"};
  // How long a whole run takes on this machine, so the kills fall inside it.
  QElapsedTimer t;
  t.start();
  const Outcome first = Finish(Start(args));
  ASSERT_EQ(first.rc, 0) << first.output;
  const qint64 run = t.elapsed();
  ASSERT_EQ(state(), whole);
  bool sawNone = false;
  for (double at : {0.1, 0.3, 0.5, 0.7, 0.9}) {
    SCOPED_TRACE(at);
    Execute("OSTREVAN", "delete from Articulos where IdCeo = 'BIG-1'");
    Execute("OSTREVAN", "delete from CeoMercosur where IdCeo = 'BIG-1'");
    ResetAll();
    QProcess* p = Start(args);
    QThread::msleep(static_cast<unsigned long>(run * at));
    p->kill();  // SIGKILL
    Finish(p);
    const QString now = state();
    EXPECT_TRUE(now.isEmpty() || now == whole) << now.toStdString();
    sawNone = sawNone || now.isEmpty();
    if (now.isEmpty()) {
      EXPECT_EQ(Finish(Start(args)).rc, 0);
      EXPECT_EQ(state(), whole);
    }
  }
  EXPECT_TRUE(sawNone);  // at least one kill fell inside the creation
}

// What a crashed writer leaves: its last commit only in the write-ahead log beside the file.
void LeaveAnUnwrittenCommit(const QString& file, const QString& id) {
  const QString name = "ostrevan-test-crash";
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(file);
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    q.exec("PRAGMA wal_autocheckpoint=0");
    ASSERT_TRUE(q.exec("insert into CeoMercosur (IdCeo, Descripcion) values ('" + id + "', 'x')"));
    for (const char* suffix : {"", "-wal", "-shm"}) {
      ASSERT_TRUE(QFile::copy(file + suffix, file + suffix + ".crash"));
    }
  }
  QSqlDatabase::removeDatabase(name);  // writes the log back and removes it
  for (const char* suffix : {"", "-wal", "-shm"}) {
    QFile::remove(file + suffix);
    ASSERT_TRUE(QFile::rename(file + suffix + ".crash", file + suffix));
  }
}

TEST_F(WorkstationsTest, AFolderTheUserMayOnlyReadStillLists) {
  if (Engine() != "QSQLITE") GTEST_SKIP() << "the files of the embedded engine";
  ResetAll();
  // The superuser writes anywhere: the listing runs as an ordinary user then.
  QStringList as;
  if (geteuid() == 0) {
    if (QStandardPaths::findExecutable("setpriv").isEmpty()) GTEST_SKIP() << "no setpriv";
    as = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
  }
  QFile::setPermissions(tmp->path(), QFile::permissions(tmp->path()) | QFile::ReadOther |
                                         QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
  const QString datos = Dir() + "Datos";
  const auto rx = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                  QFile::ReadOther | QFile::ExeOther;
  const auto listReadOnly = [&] {
    EXPECT_TRUE(QFile::setPermissions(datos, rx));
    const Outcome r = Finish(Start({"listar"}, as));
    QFile::setPermissions(datos, rx | QFile::WriteOwner);
    return r;
  };
  const Outcome r = listReadOnly();
  EXPECT_EQ(r.rc, 0) << r.output;
  EXPECT_TRUE(r.output.contains("Listado: 0 certificados")) << r.output;
  EXPECT_FALSE(r.output.contains("esquema")) << r.output;

  // A writer stopped before writing its log back: the file alone is not the whole list, and
  // the user reads why instead of a list that lacks it.
  LeaveAnUnwrittenCommit(datos + "/OSTREVAN.db", "WAL-1");
  for (const char* name : {"OSTREVAN.db-wal", "OSTREVAN.db-shm"}) {
    QFile::setPermissions(datos + "/" + name, QFile::permissions(datos + "/" + name) |
                                                  QFile::ReadOther | QFile::ReadGroup);
  }
  const Outcome partial = listReadOnly();
  EXPECT_EQ(partial.rc, 1) << partial.output;
  EXPECT_TRUE(partial.output.contains("cambios que aun no se escribieron")) << partial.output;
  EXPECT_TRUE(partial.output.contains(datos + " es de solo lectura")) << partial.output;
  // Where the folder may be written, the log is read and written back.
  const Outcome whole = Finish(Start({"listar"}));
  EXPECT_EQ(TimesListed(whole.output, "WAL-1"), 1) << whole.output;
}

// A damaged page of the certificates' file: every command that reads it says so, in SQLite's
// words and with the entity, instead of reading no rows.
TEST_F(WorkstationsTest, ADamagedPageIsReportedByEveryCommandThatReadsIt) {
  if (Engine() != "QSQLITE") GTEST_SKIP() << "the files of the embedded engine";
  ResetAll();
  ASSERT_EQ(Finish(Start({"crear", "EX-2026-0001", "CACIPRA", "CEO104"})).rc, 0);
  const QString file = Dir() + "Datos/OSTREVAN.db";
  ASSERT_TRUE(QFile::copy(file, file + ".sano"));
  const struct {
    const char* table;
    QStringList args;
    const char* notSaid;  // what the command said of a database it could not read
  } rows[] = {
      {"Articulos", {"validar", "EX-2026-0001"}, "sin observaciones"},
      {"Articulos", {"imprimir", "EX-2026-0001", tmp->filePath("c.pdf")}, "no tiene articulos"},
      {"CeoMercosur", {"listar"}, "Listado:"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.args.join(' ').toStdString());
    QFile::remove(file);
    ASSERT_TRUE(QFile::copy(file + ".sano", file));
    DamageTable("OSTREVAN", r.table);
    const Outcome out = Finish(Start(r.args));
    EXPECT_EQ(out.rc, 1) << out.output;
    EXPECT_TRUE(out.output.contains("OSTREVAN.db) esta dañada")) << out.output;
    EXPECT_TRUE(out.output.contains("database disk image is malformed")) << out.output;
    EXPECT_FALSE(out.output.contains(r.notSaid)) << out.output;
  }
}

// A disk without room left: the commands that only read go on, one that must write says the
// disk is full. The disk is a small memory file system of the command's own, gone with it.
TEST_F(WorkstationsTest, AFullDiskStillReadsAndSaysSoOnAWrite) {
  if (Engine() != "QSQLITE") GTEST_SKIP() << "the files of the embedded engine";
  if (geteuid() != 0 || QStandardPaths::findExecutable("unshare").isEmpty() ||
      QProcess::execute("unshare", {"--mount", "true"}) != 0) {
    GTEST_SKIP() << "needs the superuser's own mount namespace for a small full disk";
  }
  ResetAll();
  ASSERT_EQ(Finish(Start({"crear", "EX-2026-0001", "CACIPRA", "CEO104"})).rc, 0);
  ASSERT_EQ(Finish(Start({"demo-completar", "EX-2026-0001"})).rc, 0);
  const QString datos = Dir() + "Datos";
  ASSERT_TRUE(QDir().rename(datos, datos + ".lleno"));
  ASSERT_TRUE(QDir().mkdir(datos));
  // Mounted over Datos/, the files copied in, the rest filled; then the command.
  const QString full =
      "set -e; d=\"$1\"; shift; "
      "mount -t tmpfs -o size=$(( $(du -sk \"$d.lleno\" | cut -f1) + 256 ))k tmpfs \"$d\"; "
      "cp -a \"$d.lleno\"/. \"$d\"/; dd if=/dev/zero of=\"$d/relleno\" bs=4k 2>/dev/null || "
      "true; exec \"$@\"";
  const QStringList onFullDisk = {"unshare", "--mount", "sh", "-c", full, "sh", datos};
  const struct {
    QStringList args;
    int rc;
    const char* says;
  } rows[] = {
      {{"listar"}, 0, "\n  EX-2026-0001\t"},
      {{"imprimir", "EX-2026-0001", tmp->filePath("c.pdf")}, 0, "impreso en"},
      {{"crear", "EX-2026-0002", "CACIPRA", "CEO104"}, 1, "El disco esta lleno"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.args.join(' ').toStdString());
    const Outcome out = Finish(Start(r.args, onFullDisk));
    EXPECT_EQ(out.rc, r.rc) << out.output;
    EXPECT_TRUE(out.output.contains(r.says)) << out.output;
  }
}

}  // namespace
}  // namespace ostrevan::test
