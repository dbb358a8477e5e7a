// Several workstations on one installation, as real processes: each waits its turn to write
// instead of failing, and a folder the user may only read still lists.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "app/synthetic_data.h"
#include "data/forms.h"
#include "data/schema.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan::test {
namespace {

struct Outcome {
  int rc = -1;
  QString output;
};

QProcess* Start(const QString& dir, const QStringList& args, const QStringList& prefix = {}) {
  auto* p = new QProcess;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("ProgramFiles", dir);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  p->setProcessEnvironment(env);
  p->setProcessChannelMode(QProcess::MergedChannels);
  if (prefix.isEmpty()) {
    p->start(OSTREVAN_EXE, args);
  } else {
    p->start(prefix[0], prefix.mid(1) + QStringList{OSTREVAN_EXE} + args);
  }
  return p;
}

Outcome Finish(QProcess* p) {
  Outcome r;
  if (p->waitForFinished(300000) && p->exitStatus() == QProcess::NormalExit) r.rc = p->exitCode();
  r.output = QString::fromUtf8(p->readAll());
  delete p;
  return r;
}

using WorkstationsTest = DemoTest;

TEST_F(WorkstationsTest, TwoWorkstationsCreatingAtOnceKeepEveryItemAndExporter) {
  constexpr int kRounds = 20;
  constexpr int kItems = 600;
  for (int i = 0; i < 2 * kRounds; ++i) {
    demo::AddHostOperation(QString("WS-%1").arg(i), kItems, 150);
  }
  ResetAll();  // the processes own the databases now
  for (int round = 0; round < kRounds; ++round) {
    const QString a = QString("WS-%1").arg(2 * round), b = QString("WS-%1").arg(2 * round + 1);
    QProcess* pa = Start(tmp->path(), {"crear", a, "CACIPRA", "CEO104"});
    QProcess* pb = Start(tmp->path(), {"crear", b, "CACIPRA", "CEO104"});
    const Outcome ra = Finish(pa), rb = Finish(pb);
    ASSERT_EQ(ra.rc, 0) << a << ": " << ra.output;
    ASSERT_EQ(rb.rc, 0) << b << ": " << rb.output;
    ASSERT_FALSE(ra.output.contains("locked")) << ra.output;
    ASSERT_FALSE(rb.output.contains("locked")) << rb.output;
  }
  ResetAll();
  data::InstallSchema();
  for (int i = 0; i < 2 * kRounds; ++i) {
    const QString id = QString("WS-%1").arg(i);
    EXPECT_EQ(Count("OSTREVAN", "Articulos", "IdCeo = '" + id + "'"), kItems) << id;
    EXPECT_EQ(Count("OSTREVAN", "CeoMercosur", "IdCeo = '" + id + "' and ProdFinExp <> ''"), 1)
        << id << " has no exporter";
  }
}

// Lines of a listing that name the certificate, in the listing's own format.
int TimesListed(const QString& listing, const QString& id) {
  return static_cast<int>(listing.count("\n  " + id + "\t"));
}

TEST_F(WorkstationsTest, OneWorkstationListsAndPrintsWhileAnotherCreates) {
  constexpr int kCertificates = 6;
  constexpr int kItems = 200;
  for (int i = 0; i < kCertificates; ++i) {
    demo::AddHostOperation(QString("LP-%1").arg(i), kItems, 50);
  }
  ResetAll();  // the processes own the databases now
  int listings = 0;
  for (int i = 0; i < kCertificates; ++i) {
    const QString id = QString("LP-%1").arg(i);
    QProcess* creating = Start(tmp->path(), {"crear", id, "CACIPRA", "CEO104"});
    // At least one listing and one print while this one is being created; every certificate
    // finished before must be in each listing exactly once, and print.
    do {
      const Outcome list = Finish(Start(tmp->path(), {"listar"}));
      ASSERT_EQ(list.rc, 0) << list.output;
      ++listings;
      for (int done = 0; done < i; ++done) {
        EXPECT_EQ(TimesListed(list.output, QString("LP-%1").arg(done)), 1)
            << "while creating " << id << ":\n"
            << list.output;
      }
      if (i == 0) continue;
      const QString printed = QString("LP-%1").arg(i - 1);
      const QString pdf = tmp->path() + "/" + printed + ".pdf";
      QFile::remove(pdf);
      const Outcome print = Finish(Start(tmp->path(), {"imprimir", printed, pdf}));
      ASSERT_EQ(print.rc, 0) << print.output;
      EXPECT_GT(QFile(pdf).size(), 1000) << printed << " while creating " << id;
      // Without an event loop, only a wait notices that the process ended.
    } while (!creating->waitForFinished(0) && listings < 500);
    ASSERT_TRUE(creating->state() == QProcess::NotRunning || creating->waitForFinished(300000))
        << id;
    ASSERT_EQ(creating->exitStatus(), QProcess::NormalExit) << id;
    const int rc = creating->exitCode();
    const QString output = QString::fromUtf8(creating->readAll());
    delete creating;
    ASSERT_EQ(rc, 0) << id << ": " << output;
  }
  ResetAll();
  data::InstallSchema();
  const Outcome last = Finish(Start(tmp->path(), {"listar"}));
  ASSERT_EQ(last.rc, 0) << last.output;
  EXPECT_TRUE(last.output.contains(QString("Listado: %1 certificados").arg(kCertificates)))
      << last.output;
  for (int i = 0; i < kCertificates; ++i) {
    const QString id = QString("LP-%1").arg(i);
    EXPECT_EQ(Count("OSTREVAN", "CeoMercosur", "IdCeo = '" + id + "'"), 1) << id;
    EXPECT_EQ(Count("OSTREVAN", "Articulos", "IdCeo = '" + id + "'"), kItems) << id;
    EXPECT_EQ(Column("OSTREVAN",
                     "select count(distinct NroOrden) as n from Articulos where IdCeo "
                     "= '" +
                         id + "'")
                  .value(0)
                  .toInt(),
              kItems)
        << id;
    EXPECT_EQ(TimesListed(last.output, id), 1) << last.output;
  }
  EXPECT_GE(listings, kCertificates);
}

TEST_F(WorkstationsTest, AFolderTheUserMayOnlyReadStillLists) {
  if (Engine() != "QSQLITE") GTEST_SKIP() << "the files of the embedded engine";
  Recordset rs;
  ASSERT_TRUE(Query("OSTREVAN", "select count(*) as n from CeoMercosur", rs));
  const long certificates = rs.Fields("n").Value.toLongLong();
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
  ASSERT_TRUE(QFile::setPermissions(datos, rx));
  const Outcome r = Finish(Start(tmp->path(), {"listar"}, as));
  QFile::setPermissions(datos, rx | QFile::WriteOwner);
  EXPECT_EQ(r.rc, 0) << r.output;
  EXPECT_FALSE(r.output.contains("esquema")) << r.output;
  EXPECT_GE(r.output.count('\n'), certificates) << r.output;
}

}  // namespace
}  // namespace ostrevan::test
