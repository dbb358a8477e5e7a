// A server that stops in the middle of a session, or never answers: the user reads which
// entity and server failed, nothing crashes or waits without end, and work goes on once the
// server is back. The restart runs a small cluster of its own so that stopping it disturbs no
// other test.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
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

// Takes connections on 127.0.0.1 and never says a word, as a hung server does: the kernel
// completes them into the listen queue and nobody ever reads them.
class SilentServer {
 public:
  SilentServer() {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&a), n) == 0 && listen(fd_, 8) == 0 &&
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &n) == 0) {
      port_ = ntohs(a.sin_port);
    }
  }
  ~SilentServer() { close(fd_); }
  int Port() const { return port_; }

 private:
  int fd_ = socket(AF_INET, SOCK_STREAM, 0);
  int port_ = 0;
};

using ServerRestartTest = test::InstallationTest;

// A server that takes the connection and then says nothing ends in a message after the
// connect timeout, the default one or the entity's own.
TEST_F(ServerRestartTest, AServerThatNeverAnswersIsReportedAfterTheTimeout) {
  if (test::Engine() != "QSQLITE") GTEST_SKIP() << "needs no server of the suite's";
  if (!QSqlDatabase::isDriverAvailable("QPSQL")) GTEST_SKIP() << "no PostgreSQL driver";
  SilentServer server;
  ASSERT_GT(server.Port(), 0);
  const struct {
    const char* options;
    int seconds;
  } rows[] = {{"", 10}, {"connect_timeout=2", 2}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.options);
    MapEntity("INTERNOS", {{"Driver", "QPSQL"},
                           {"Database", "internos"},
                           {"Host", "127.0.0.1"},
                           {"Port", QString::number(server.Port())},
                           {"Options", r.options}});
    ResetState();
    QElapsedTimer clock;
    clock.start();
    Recordset rs;
    try {
      Query("INTERNOS", "select * from Caratula", rs);
      ADD_FAILURE() << "a silent server must end in an error";
    } catch (const RuntimeError& e) {
      EXPECT_TRUE(e.Description().contains("entidad INTERNOS")) << e.Description();
      EXPECT_TRUE(e.Description().contains("127.0.0.1:" + QString::number(server.Port())))
          << e.Description();
    }
    // libpq counts the timeout on the wall clock's whole seconds: it may end up to one early.
    EXPECT_GE(clock.elapsed(), r.seconds * 1000 - 1000);
    EXPECT_LT(clock.elapsed(), (r.seconds + 5) * 1000);
  }
}

// A statement the server does not answer within the bound is cancelled and reported; the
// entity's options may set another bound.
TEST_F(ServerRestartTest, AStatementWithoutAnswerEndsAtTheBound) {
  if (test::Engine() != "QPSQL") GTEST_SKIP() << "a server's own bound";
  Recordset rs;
  ASSERT_TRUE(Query("OSTREVAN", "SHOW statement_timeout", rs));
  EXPECT_EQ(rs.Fields("statement_timeout").Value.toString(), "1min");
  MapEntity("OSTREVAN",
            {{"Options", "options='-csearch_path=ostrevan,public -cstatement_timeout=300'"}});
  ResetState();
  try {
    Query("OSTREVAN", "select pg_sleep(5)", rs);
    ADD_FAILURE() << "the bound must end the statement";
  } catch (const RuntimeError& e) {
    EXPECT_TRUE(e.Description().contains("no respondio a tiempo a la entidad OSTREVAN"))
        << e.Description();
    EXPECT_TRUE(e.Description().contains("statement timeout")) << e.Description();
  }
  EXPECT_EQ(Execute("OSTREVAN", "Insert into CeoMercosur (IdCeo) Values ('DESPUES')"), 1);
}

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
