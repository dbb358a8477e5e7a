// `ostrevan crear` as a workstation runs it: a real process on a demo installation, killed
// at any moment, leaves either no certificate or a whole one, and says why it failed.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include "app/synthetic_data.h"
#include "data/forms.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan::test {
namespace {

QProcess* Start(const QStringList& args) { return StartProgram(OSTREVAN_EXE, args); }

class CrearProcessTest : public DemoTest {
 protected:
  // The certificate as it is in the database: "" when there is none.
  QString State(const QString& id) {
    ResetAll();  // reads what the other process committed, through a fresh connection
    const QString where = "IdCeo = '" + id + "'";
    const QStringList header =
        Column("OSTREVAN",
               "select case when ProdFinExp <> '' then 'present' else 'missing' end || ', ' || "
               "Descripcion from CeoMercosur where " +
                   where);
    if (header.isEmpty()) return {};
    return QString("%1 items, exporter %2")
        .arg(Count("OSTREVAN", "Articulos", where))
        .arg(header[0]);
  }
};

TEST_F(CrearProcessTest, RefusalsExitNonZeroAndSayWhy) {
  const struct {
    QStringList args;
    int rc;
    const char* says;
  } rows[] = {
      {{"crear", ""}, 2, "Uso: ostrevan"},
      {{"crear", " ", "CACIPRA", "CEO104"}, 2, "Uso: ostrevan"},
      {{"crear", "NOPE-1", "CACIPRA", "CEO104"}, 1, "No se encontro la operacion NOPE-1"},
      {{"crear", "EX-2026-0001", "CACIPRA", "NO-FORM"}, 1, "no tiene el formulario"},
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
TEST_F(CrearProcessTest, KilledAtAnyMomentLeavesNoCertificateOrAWholeOne) {
  demo::AddHostOperation("BIG-1", 3000, 40);
  ResetAll();
  const QString whole = "3000 items, exporter present, [ BIG-1 ] - [ Quandor ]";
  const QStringList args = {"crear", "BIG-1", "CACIPRA", "CEO104"};
  // How long a whole run takes on this machine, so the kills fall inside it.
  QElapsedTimer t;
  t.start();
  const Outcome first = Finish(Start(args));
  ASSERT_EQ(first.rc, 0) << first.output;
  const qint64 run = t.elapsed();
  ASSERT_EQ(State("BIG-1"), whole);
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
    const QString state = State("BIG-1");
    EXPECT_TRUE(state.isEmpty() || state == whole) << state.toStdString();
    sawNone = sawNone || state.isEmpty();
    if (state.isEmpty()) {
      EXPECT_EQ(Finish(Start(args)).rc, 0);
      EXPECT_EQ(State("BIG-1"), whole);
    }
  }
  EXPECT_TRUE(sawNone);  // at least one kill fell inside the creation
}

}  // namespace
}  // namespace ostrevan::test
