// Several workstations on one installation, as real processes: each waits its turn to write
// instead of failing, and a folder the user may only read still lists.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "app/demo_install.h"
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
