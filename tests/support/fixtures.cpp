#include "support/fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

#include "app/demo_install.h"
#include "app/demo_seed.h"
#include "data/forms.h"
#include "data/schema.h"
#include "host/ini.h"
#include "host/state.h"

namespace ostrevan::test {

int MessageRecorder::Show(const QString& text, int style, const QString& title) {
  shown.push_back({text, style, title});
  if (answers.empty()) return DefaultAnswer(style);
  const int a = answers.front();
  answers.pop_front();
  return a;
}

QStringList MessageRecorder::Texts() const {
  QStringList l;
  for (const auto& m : shown) l << m.text;
  return l;
}

int WindowScript::ShowModal(Window w) {
  shown.push_back(w);
  if (auto a = actions.find(w); a != actions.end() && a->second) a->second();
  return 0;
}

bool WindowScript::Showed(Window w) const {
  return std::find(shown.begin(), shown.end(), w) != shown.end();
}

QString Engine() {
  const QString e = qEnvironmentVariable("OSTREVAN_TEST_ENGINE").toUpper();
  return e.isEmpty() ? QStringLiteral("QSQLITE") : e;
}

namespace {
// "key=value key=value" of a libpq connection string.
QString ConnInfo(const QString& key) {
  for (const QString& part :
       qEnvironmentVariable("OSTREVAN_TEST_PG").split(' ', Qt::SkipEmptyParts)) {
    if (part.startsWith(key + "=")) return part.mid(key.size() + 1);
  }
  return {};
}

const char* kSchemas[][2] = {{"OSTREVAN", "ostrevan"},         {"CEOCFG", "ostrevan"},
                             {"OSTREVAN_CLI", "ostrevan_cli"}, {"CATALOGOS", "catalogos"},
                             {"INTERNOS", "internos"},         {"PERSONAL", "personal"}};

void MapEntityIn(const QString& dir, const QString& entity,
                 const std::vector<std::pair<QString, QString>>& settings) {
  QDir().mkpath(dir + "Cfg");
  for (const auto& [key, value] : settings)
    clINI().GuardarINI(entity, key, value, dir + "Cfg/Conexiones.ini");
}

// Runs statements as the server's administrator (nothing when the engine is SQLite).
void AdminExec(const QString& database, const QStringList& statements) {
  if (Engine() != "QPSQL") return;
  const QString name = "ostrevan-test-admin";
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
    db.setHostName(ConnInfo("host"));
    db.setPort(ConnInfo("port").toInt());
    db.setUserName(ConnInfo("user"));
    db.setDatabaseName(database.isEmpty() ? ConnInfo("dbname") : database);
    if (!db.open()) {
      ADD_FAILURE() << "test server unreachable: " << db.lastError().text();
    } else {
      QSqlQuery q(db);
      for (const QString& s : statements) {
        if (!q.exec(s)) ADD_FAILURE() << s << ": " << q.lastError().text();
      }
    }
  }
  QSqlDatabase::removeDatabase(name);
}

// Points every entity of the installation in dir at a fresh database of that server; its
// name is returned for DropServerDatabase.
QString CreateServerDatabase(const QString& dir) {
  static std::atomic<int> n{0};
  const QString name = QString("t%1_%2").arg(QCoreApplication::applicationPid()).arg(++n);
  AdminExec({}, {"DROP DATABASE IF EXISTS " + name, "CREATE DATABASE " + name});
  // As the README tells an office, with the user's namesake schema first; the first connection
  // creates the extension.
  AdminExec(name, {"CREATE SCHEMA ostrevan", "CREATE SCHEMA ostrevan_cli",
                   "CREATE SCHEMA catalogos", "CREATE SCHEMA internos", "CREATE SCHEMA personal"});
  for (const auto& [entity, schema] : kSchemas) {
    MapEntityIn(
        dir, entity,
        {{"Driver", "QPSQL"},
         {"Database", name},
         {"Host", ConnInfo("host")},
         {"Port", ConnInfo("port")},
         {"User", ConnInfo("user")},
         {"Password", ""},
         {"Options", "options='-csearch_path=" + QString::fromLatin1(schema) + ",public'"}});
  }
  return name;
}

void DropServerDatabase(const QString& name) {
  if (!name.isEmpty()) AdminExec({}, {"DROP DATABASE IF EXISTS " + name + " WITH (FORCE)"});
}

}  // namespace

void FailItemUpdates(int nroOrden, const QString& message) {
  const QString n = QString::number(nroOrden);
  if (Engine() == "QPSQL") {
    Execute("OSTREVAN",
            "create function falla() returns trigger language plpgsql as $$ begin if "
            "new.NroOrden = " +
                n + " then raise exception '" + message + "'; end if; return new; end $$");
    Execute("OSTREVAN",
            "create trigger falla before update on Articulos for each row execute function "
            "falla()");
  } else {
    Execute("OSTREVAN", "create trigger falla before update on Articulos when new.NroOrden = " + n +
                            " begin select raise(abort, '" + message + "'); end");
  }
}

void RestoreItemUpdates() {
  Execute("OSTREVAN",
          Engine() == "QPSQL" ? "drop trigger falla on Articulos" : "drop trigger falla");
}

void DamageTable(const QString& entity, const QString& table) {
  ResetAll();
  const QString file = InstallationPath(DefaultDatabaseFile(entity));
  qint64 page = 0, size = 0;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "ostrevan-test-damage");
    db.setDatabaseName(file);
    db.open();
    QSqlQuery q(db);
    q.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    if (q.exec("select rootpage from sqlite_master where name = '" + table + "' collate nocase") &&
        q.next()) {
      page = q.value(0).toLongLong();
    }
    if (q.exec("PRAGMA page_size") && q.next()) size = q.value(0).toLongLong();
  }
  QSqlDatabase::removeDatabase("ostrevan-test-damage");
  QFile f(file);
  ASSERT_TRUE(page > 1 && size > 0 && f.open(QIODevice::ReadWrite)) << file << " " << table;
  f.seek((page - 1) * size);
  f.write(QByteArray(static_cast<int>(size), '\xff'));
}

QProcess* StartProgram(const QString& exe, const QStringList& args, const QStringList& prefix) {
  auto* p = new QProcess;
  p->setProcessChannelMode(QProcess::MergedChannels);
  const QStringList all = prefix + QStringList{exe} + args;
  p->start(all[0], all.mid(1));
  return p;
}

Outcome Finish(QProcess* p, const QByteArray& input) {
  p->write(input);
  p->closeWriteChannel();
  Outcome r;
  // waitForFinished is false for a process that has already ended.
  const bool ended = p->state() == QProcess::NotRunning ? p->error() != QProcess::FailedToStart
                                                        : p->waitForFinished(300000);
  if (ended && p->exitStatus() == QProcess::NormalExit) r.rc = p->exitCode();
  r.output = QString::fromUtf8(p->readAll());
  delete p;
  return r;
}

void InstallationTest::SetUp() {
  tmp = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(tmp->isValid());
  oldProgramFiles = qgetenv("ProgramFiles");
  qputenv("ProgramFiles", tmp->path().toUtf8());
  if (Engine() == "QPSQL") serverDb = CreateServerDatabase(InstallationDir());
  ResetAll();
  data::InstallSchema();
  demo::CreateHostTables();
  popup = std::make_shared<TestPopup>();
  oldPopup = SetStatusPopup(popup);
  messages = std::make_shared<MessageRecorder>();
  windows = std::make_shared<WindowScript>();
  oldMessages = SetMessageService(messages);
  oldWindows = SetWindowService(windows);
}

void InstallationTest::TearDown() {
  ResetAll();  // closes every database before the folder goes
  DropServerDatabase(serverDb);
  if (!popup) return;  // skipped before anything was set up
  SetStatusPopup(oldPopup);
  SetMessageService(oldMessages);
  SetWindowService(oldWindows);
  if (oldProgramFiles.isEmpty()) {
    qunsetenv("ProgramFiles");
  } else {
    qputenv("ProgramFiles", oldProgramFiles);
  }
  tmp.reset();
}

QString InstallationTest::Dir() const { return InstallationDir(); }

QStringList InstallationTest::Column(const QString& entity, const QString& sql) {
  QStringList out;
  Recordset rs;
  if (!Query(entity, sql, rs)) return out;
  const QString first = rs.FieldNames().value(0);
  for (; !rs.Eof(); rs.MoveNext()) out << rs.Fields(first).Value.toString();
  return out;
}

long InstallationTest::Count(const QString& entity, const QString& table, const QString& where) {
  const QString filter = where.isEmpty() ? QString() : " where " + where;
  return Column(entity, "select count(*) as n from " + table + filter).value(0).toLong();
}

void InstallationTest::MapEntity(const QString& entity,
                                 const std::vector<std::pair<QString, QString>>& settings) {
  MapEntityIn(Dir(), entity, settings);
}

void DemoTest::SetUp() {
  InstallationTest::SetUp();
  if (IsSkipped() || HasFatalFailure()) return;
  // A fixture's installation is its own, server schemas included: replacing it loses nothing.
  demo::BuildDemoInstallation(tmp->path(), true);
  ResetAll();
  data::InstallSchema();
}

}  // namespace ostrevan::test
