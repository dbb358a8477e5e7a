// A server that stops in the middle of a session: the user reads which entity and server
// failed, nothing crashes, and work goes on once the server is back. The test runs a small
// cluster of its own so that stopping it disturbs no other test.
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "host/errors.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan {
namespace {

class OwnCluster {
 public:
  OwnCluster() : dir_(QDir::tempPath() + "/ostrevan-restart-XXXXXX") {
    bin_ = qEnvironmentVariable("OSTREVAN_TEST_PG_BIN");
    if (geteuid() == 0) {  // the server refuses to run as root
      as_ = {"runuser", "-u", "postgres", "--"};
      QProcess::execute("chown", {"-R", "postgres:", dir_.path()});
    }
    ok_ = Run("initdb", {"-D", Data(), "-U", "ostrevan", "-A", "trust", "-E", "UTF8"}) && Start();
  }
  ~OwnCluster() { Stop(); }
  bool Ok() const { return ok_; }
  QString Socket() const { return dir_.path(); }
  bool Start() {
    return Run("pg_ctl",
               {"-D", Data(), "-w", "-l", dir_.path() + "/log", "-o",
                "-c listen_addresses='' -k " + dir_.path() + " -p 5433 -c fsync=off", "start"});
  }
  bool Stop() { return Run("pg_ctl", {"-D", Data(), "-w", "-m", "fast", "stop"}); }

 private:
  QString Data() const { return dir_.path() + "/data"; }
  bool Run(const QString& tool, const QStringList& args) {
    QStringList all = as_;
    all << bin_ + "/" + tool << args;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(all.takeFirst(), all);
    return p.waitForFinished(60000) && p.exitCode() == 0;
  }
  QTemporaryDir dir_;
  QString bin_;
  QStringList as_;
  bool ok_ = false;
};

using ServerRestartTest = test::InstallationTest;

TEST_F(ServerRestartTest, AStoppedServerIsReportedAndWorkGoesOnAfterItsRestart) {
  if (test::Engine() != "QPSQL" || qEnvironmentVariableIsEmpty("OSTREVAN_TEST_PG_BIN")) {
    GTEST_SKIP() << "needs the PostgreSQL server programs (scripts/test names them)";
  }
  OwnCluster server;
  ASSERT_TRUE(server.Ok());
  MapEntity(
      "OSTREVAN",
      {{"Host", server.Socket()}, {"Port", "5433"}, {"Database", "postgres"}, {"Options", ""}});
  ResetState();
  EXPECT_EQ(Execute("OSTREVAN", "Insert into CeoMercosur (IdCeo) Values ('ANTES')"), 1);

  ASSERT_TRUE(server.Stop());
  try {
    Execute("OSTREVAN", "Insert into CeoMercosur (IdCeo) Values ('DURANTE')");
    ADD_FAILURE() << "a statement on a stopped server must raise";
  } catch (const RuntimeError& e) {
    EXPECT_TRUE(e.Description().contains("OSTREVAN")) << e.Description();
    EXPECT_TRUE(e.Description().contains(server.Socket())) << e.Description();
  }

  ASSERT_TRUE(server.Start());
  EXPECT_EQ(Execute("OSTREVAN", "Insert into CeoMercosur (IdCeo) Values ('DESPUES')"), 1);
  EXPECT_EQ(Column("OSTREVAN", "select IdCeo from CeoMercosur order by IdCeo"),
            (QStringList{"ANTES", "DESPUES"}));
  ResetState();  // closes the connection before the cluster goes
}

}  // namespace
}  // namespace ostrevan
