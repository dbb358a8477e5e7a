// `ostrevan crear` as a workstation runs it: a real process on a demo installation, killed
// at any moment, leaves either no certificate or a whole one, and says why it failed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "app/synthetic_data.h"
#include "data/forms.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan::test {
namespace {

QString Program() { return OSTREVAN_EXE; }

class CrearProcessTest : public DemoTest {
 protected:
  void SetUp() override { DemoTest::SetUp(); }
  // Starts the program on this installation; the caller waits or kills.
  std::unique_ptr<QProcess> Start(const QStringList& args) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ProgramFiles", tmp->path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p->setProcessEnvironment(env);
    p->start(Program(), args);
    EXPECT_TRUE(p->waitForStarted(10000));
    return p;
  }
  // The certificate as it is in the database: "" when there is none.
  QString State(const QString& id) {
    ResetAll();  // reads what the other process committed, through a fresh connection
    const long headers = Count("OSTREVAN", "CeoMercosur", "IdCeo = '" + id + "'");
    if (headers == 0) return {};
    return QString("%1 items, exporter %2, %3")
        .arg(Count("OSTREVAN", "Articulos", "IdCeo = '" + id + "'"))
        .arg(Column("OSTREVAN", "select ProdFinExp from CeoMercosur where IdCeo = '" + id + "'")
                     .value(0)
                     .isEmpty()
                 ? "missing"
                 : "present")
        .arg(Column("OSTREVAN", "select Descripcion from CeoMercosur where IdCeo = '" + id + "'")
                 .value(0));
  }
};

TEST_F(CrearProcessTest, RefusalsExitNonZeroAndSayWhy) {
  const struct {
    QStringList args;
    int rc;
    const char* says;  // on standard error
  } rows[] = {
      {{"crear", ""}, 2, "Uso: ostrevan"},
      {{"crear", " ", "CACIPRA", "CEO104"}, 2, "Uso: ostrevan"},
      {{"crear", "NOPE-1", "CACIPRA", "CEO104"}, 1, "No se encontro la operacion NOPE-1"},
      {{"crear", "EX-2026-0001", "CACIPRA", "NO-FORM"}, 1, "no tiene el formulario"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.args.join(' ').toStdString());
    auto p = Start(r.args);
    ASSERT_TRUE(p->waitForFinished(60000));
    EXPECT_EQ(p->exitCode(), r.rc);
    EXPECT_TRUE(QString::fromUtf8(p->readAllStandardError()).contains(r.says));
  }
  EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 0);
}

// Killed at any moment of a long creation, the certificate is absent or whole; the next run
// creates it whole.
TEST_F(CrearProcessTest, KilledAtAnyMomentLeavesNoCertificateOrAWholeOne) {
  demo::AddHostOperation("BIG-1", 3000, 40);
  ResetAll();
  const QString whole = "3000 items, exporter present, [ BIG-1 ] - [ Quandor ]";
  const QStringList args = {"crear", "BIG-1", "CACIPRA", "CEO104"};
  // How long a whole run takes on this machine, so the kills fall inside it.
  QElapsedTimer t;
  t.start();
  {
    auto p = Start(args);
    ASSERT_TRUE(p->waitForFinished(120000));
    ASSERT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
  }
  const qint64 run = t.elapsed();
  ASSERT_EQ(State("BIG-1"), whole);
  bool sawNone = false;
  for (double at : {0.1, 0.3, 0.5, 0.7, 0.9}) {
    SCOPED_TRACE(at);
    Execute("OSTREVAN", "delete from Articulos where IdCeo = 'BIG-1'");
    Execute("OSTREVAN", "delete from CeoMercosur where IdCeo = 'BIG-1'");
    ResetAll();
    auto p = Start(args);
    QThread::msleep(static_cast<unsigned long>(run * at));
    p->kill();  // SIGKILL
    p->waitForFinished(10000);
    const QString state = State("BIG-1");
    EXPECT_TRUE(state.isEmpty() || state == whole) << state.toStdString();
    sawNone = sawNone || state.isEmpty();
    if (state.isEmpty()) {
      auto again = Start(args);
      ASSERT_TRUE(again->waitForFinished(120000));
      EXPECT_EQ(again->exitCode(), 0);
      EXPECT_EQ(State("BIG-1"), whole);
    }
  }
  EXPECT_TRUE(sawNone);  // at least one kill fell inside the creation
}

}  // namespace
}  // namespace ostrevan::test
