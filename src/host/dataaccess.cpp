#include "host/dataaccess.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStorageInfo>
#include <QThread>
#include <QUrl>
#include <deque>
#include <set>

#include "host/errors.h"
#include "host/ini.h"
#include "host/sistema.h"
#include "host/state.h"

namespace ostrevan {

namespace {
SchemaProvider& Provider() {
  static SchemaProvider p;
  return p;
}
const char* kEntities[] = {"OSTREVAN",  "OSTREVAN_CLI", "CEOCFG",
                           "CATALOGOS", "INTERNOS",     "PERSONAL"};
}  // namespace

void SetSchemaProvider(SchemaProvider provider) { Provider() = std::move(provider); }

QString DefaultDatabaseFile(const QString& entity) {
  QString e = entity.toUpper();
  // The form configuration shares the certificate database, so that what the settings
  // windows edit is what printing reads.
  if (e == "CEOCFG") e = "OSTREVAN";
  return "Datos" + QString(PathSep()) + e + ".db";
}

QString EntitySettings::Key() const {
  return driver.toUpper() + "|" + database + "|" + host + "|" + QString::number(port) + "|" + user +
         "|" + options + (readOnly ? "|ro" : "");
}

namespace {
// What the component's data access keeps between statements: how deep the host's role goes,
// the databases open by entity settings (shared while any connection holds them), and the
// count that names their Qt connections.
struct AccessState {
  int hostRoles = 0;
  std::map<QString, std::weak_ptr<SharedDatabase>> registry;
  int connections = 0;
};
AccessState& Access() { return Owned<AccessState>(); }
}
bool IsHostEntity(const QString& entity) {
  const QString e = entity.toUpper();
  return e == "INTERNOS" || e == "PERSONAL";
}
HostRole::HostRole() { ++Access().hostRoles; }
HostRole::~HostRole() { --Access().hostRoles; }
bool HostRole::Active() { return Access().hostRoles > 0; }

// One open database shared by every connection object whose settings are the same.
class SharedDatabase {
 public:
  SharedDatabase(const EntitySettings& s, QString name) : settings_(s), name_(std::move(name)) {}
  ~SharedDatabase() {
    if (db_.isValid()) db_.close();
    db_ = QSqlDatabase();  // no handle may outlive removeDatabase
    if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
  }
  QSqlDatabase& Open(const QString& entity);
  const Dialect& GetDialect() const { return *dialect_; }
  // Transactions nest: only the outermost one reaches the engine, and its way of failing
  // holds for the inner ones.
  void Begin(const QString& entity, OnFailure onFailure);
  void Commit(const QString& entity);
  void Rollback(const QString& entity);
  // Runs one statement and returns its error, or an invalid QSqlError when it succeeded.
  // Inside a transaction that keeps what was done, and for a statement expected to fail at
  // times (`mayFail`), a server that aborts the whole transaction at the first error runs it
  // under a savepoint, so it undoes only itself as on the other engines. In an all-or-nothing
  // transaction a failure refuses what follows, on every engine alike. A connection the
  // server dropped is opened again once, outside a transaction.
  // `read` takes the rows before the statement's savepoint is released: a server streams a
  // forward-only result, and the release would discard what was not yet read.
  QSqlError Exec(const QString& entity, QSqlQuery& q, const QString& sql,
                 const std::function<void()>& read = {}, bool mayFail = false);
  // The error to raise for a failure of the engine: `what` failed, in the engine's own words;
  // a damaged database, a full disk, a server that does not answer are called so, with the
  // entity and where its database lives.
  RuntimeError Failure(const QString& entity, const QString& what, const QSqlError& e) const;

 private:
  void EnsureSchema(const QString& entity);
  int SchemaVersion(QSqlQuery& q, const QString& entity);
  void OpenSqlite(const QString& entity, QString& database, QString& options);
  // The file, or the database and its server; never how it logs in.
  QString Where() const;
  QString Server() const;
  bool DiskAlmostFull() const;
  void ReadAsItStandsOnAFullDisk();

  EntitySettings settings_;
  QString name_;
  QSqlDatabase db_;
  std::unique_ptr<Dialect> dialect_ = DialectForDriver(settings_.driver);
  std::set<QString> schemaDone_;
  bool open_ = false;
  bool immutable_ = false;  // read as the file stands, without its write-ahead log
  bool fullDisk_ = false;   // ... because the disk has no room for the log's index
  int depth_ = 0;
  OnFailure onFailure_ = OnFailure::UndoAll;
  QSqlError failure_;  // what undid the current all-or-nothing transaction
};

namespace {
std::shared_ptr<SharedDatabase> Acquire(const EntitySettings& s) {
  auto& slot = Access().registry[s.Key()];
  if (auto db = slot.lock()) return db;
  QString name = QString("ostrevan-%1-%2")
                     .arg(reinterpret_cast<quintptr>(QThread::currentThreadId()))
                     .arg(++Access().connections);
  auto db = std::make_shared<SharedDatabase>(s, name);
  slot = db;
  return db;
}

RuntimeError DbError(const QString& what, const QSqlError& e) {
  QString text = e.text().trimmed();
  return RuntimeError(err::kDatabase, what + (text.isEmpty() ? QString() : ": " + text),
                      "Corbanet.CBNMain");
}

// How long a statement may go without an answer from a server; SQLite's busy timeout waits as
// long for another workstation's write.
constexpr int kStatementSeconds = 60;

// Options as Qt's drivers take them, separated by ";", with `defaults` added for the keys the
// entity's own options leave out.
QString WithDefaults(const QString& options, const QStringList& defaults) {
  QString out = options;
  for (const QString& d : defaults) {
    const QString key = d.section('=', 0, 0);
    if (options.contains(QRegularExpression("(^|[\\s;])" + key + "\\s*="))) continue;
    out += (out.isEmpty() ? "" : ";") + d;
  }
  return out;
}

// Below this much room the engine cannot even make its shared-memory file: an I/O error then
// means a full disk.
constexpr qint64 kAlmostFull = 1 << 20;
}  // namespace

QString SharedDatabase::Server() const {
  return settings_.host + (settings_.port > 0 ? ":" + QString::number(settings_.port) : QString());
}

QString SharedDatabase::Where() const {
  if (settings_.driver.compare("QSQLITE", Qt::CaseInsensitive) == 0) {
    return QFileInfo(settings_.database).absoluteFilePath();
  }
  return settings_.host.isEmpty() ? settings_.database
                                  : settings_.database + " en el servidor " + Server();
}

RuntimeError SharedDatabase::Failure(const QString& entity, const QString& what,
                                     const QSqlError& e) const {
  const QString text = e.text().trimmed();
  const QString words = text.isEmpty() ? QString() : ": " + text;
  const QString db = "la base de datos de la entidad " + entity + " (" + Where() + ")";
  auto raise = [](const QString& description, long number = err::kDatabase) {
    return RuntimeError(number, description, "Corbanet.CBNMain");
  };
  using Trouble = Dialect::Trouble;
  Trouble trouble = dialect_->TroubleOf(e.nativeErrorCode(), text);
  if ((trouble == Trouble::DiskError && DiskAlmostFull()) ||
      (fullDisk_ && (e.nativeErrorCode().toInt() & 0xff) == 8)) {  // SQLITE_READONLY
    trouble = Trouble::DiskFull;
  }
  switch (trouble) {
    case Trouble::Damaged:
      return raise("La base de datos de la entidad " + entity + " (" + Where() + ") esta dañada" +
                   words);
    case Trouble::DiskFull:
      return raise("El disco esta lleno: no hay lugar para " + db + words);
    case Trouble::DiskError:
      return raise("Error del disco en " + db + words);
    case Trouble::Timeout:
      return raise("El servidor " + Server() + " no respondio a tiempo a la entidad " + entity +
                   words);
    case Trouble::ConnectionLost:
      return raise("Se perdio la conexion con el servidor " + Server() + " de la entidad " +
                   entity + words);
    case Trouble::None:
      break;
  }
  if (dialect_->IsDuplicateKey(e.nativeErrorCode(), text)) {
    return raise(what + words, err::kDuplicateKey);
  }
  return raise(what + words);
}

QSqlDatabase& SharedDatabase::Open(const QString& entity) {
  if (!open_) {
    if (!QSqlDatabase::isDriverAvailable(settings_.driver)) {
      throw RuntimeError(err::kDatabase,
                         "El controlador de base de datos " + settings_.driver +
                             " no esta instalado (entidad " + entity +
                             "); instalados: " + QSqlDatabase::drivers().join(", "),
                         "Corbanet.CBNMain");
    }
    db_ = QSqlDatabase::addDatabase(settings_.driver, name_);
    QString database = settings_.database;
    QString options = settings_.options;
    if (settings_.driver.compare("QSQLITE", Qt::CaseInsensitive) == 0) {
      OpenSqlite(entity, database, options);
    } else {
      db_.setDatabaseName(database);
      options = WithDefaults(options, dialect_->ConnectDefaults());
    }
    if (!settings_.host.isEmpty()) db_.setHostName(settings_.host);
    if (settings_.port > 0) db_.setPort(settings_.port);
    if (!settings_.user.isEmpty()) db_.setUserName(settings_.user);
    if (!settings_.password.isEmpty()) db_.setPassword(settings_.password);
    if (!options.isEmpty()) db_.setConnectOptions(options);
    if (!db_.open()) {
      QSqlError e = db_.lastError();
      db_ = QSqlDatabase();                 // no handle may outlive removeDatabase
      QSqlDatabase::removeDatabase(name_);  // the next statement tries again
      // Where it lives, never how it logs in: the password stays out of every message.
      QString where = database;
      if (!settings_.host.isEmpty()) {
        where += " en el servidor " + settings_.host +
                 (settings_.port > 0 ? ":" + QString::number(settings_.port) : QString());
      }
      throw DbError(
          "No se pudo abrir la base de datos de la entidad " + entity + " (" + where + ")", e);
    }
    ReadAsItStandsOnAFullDisk();
    for (const QString& s : dialect_->SessionSetup()) QSqlQuery(db_).exec(s);
    // The statement bound the entity's own options set wins.
    const QString bound = dialect_->StatementTimeout(kStatementSeconds);
    if (!bound.isEmpty() && !settings_.options.contains("statement_timeout")) {
      QSqlQuery(db_).exec(bound);
    }
    if (settings_.readOnly && !dialect_->ReadOnlySession().isEmpty()) {
      QSqlQuery q(db_);
      if (!q.exec(dialect_->ReadOnlySession())) {
        // A host connection that could write is not kept: the next statement tries again.
        const QSqlError e = q.lastError();
        q = QSqlQuery();
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        throw DbError("No se pudo abrir en solo lectura la entidad " + entity, e);
      }
    }
    open_ = true;
  }
  EnsureSchema(entity);
  return db_;
}

bool SharedDatabase::DiskAlmostFull() const {
  return QStorageInfo(QFileInfo(Where()).absolutePath()).bytesAvailable() < kAlmostFull;
}

// A WAL database needs room for its shared-memory file even to be read. On a disk without it,
// a database whose writers all finished is read as it stands, so that listing and printing go
// on; a write then says the disk is full.
void SharedDatabase::ReadAsItStandsOnAFullDisk() {
  if (settings_.driver.compare("QSQLITE", Qt::CaseInsensitive) != 0 || immutable_) return;
  QSqlQuery q(db_);
  if (q.exec("SELECT count(*) FROM sqlite_master") && q.next()) return;
  const bool ioError = (q.lastError().nativeErrorCode().toInt() & 0xff) == 10;  // SQLITE_IOERR
  const QString file = QFileInfo(settings_.database).absoluteFilePath();
  if (!ioError || !DiskAlmostFull() || QFileInfo(file + "-wal").size() > 0) return;
  q = QSqlQuery();
  db_.close();
  db_.setDatabaseName(QUrl::fromLocalFile(file).toString() + "?immutable=1");
  db_.setConnectOptions("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
  immutable_ = db_.open();
  fullDisk_ = immutable_;
}

void SharedDatabase::OpenSqlite(const QString& entity, QString& database, QString& options) {
  QFileInfo fi(database);
  database = fi.absoluteFilePath();
  auto refuse = [&](const QString& why) {
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    throw RuntimeError(err::kDatabase, why, "Corbanet.CBNMain");
  };
  if (settings_.readOnly && !fi.exists()) {
    refuse("No existe la base de datos de la entidad " + entity + " (" + database +
           "); el sistema del host la crea");
  }
  QDir().mkpath(fi.absolutePath());
  // In a folder this user may not write, a WAL database cannot keep its shared-memory file:
  // it is read as it stands, which is what listing and printing need. Unless a writer stopped
  // before writing its log back: the file alone then lacks what that log holds.
  if (fi.exists() && !QFileInfo(fi.absolutePath()).isWritable()) {
    if (QFileInfo(database + "-wal").size() > 0) {
      refuse("La entidad " + entity +
             " tiene cambios que aun no se escribieron en su base de "
             "datos (" +
             database + "-wal, de una sesion que no termino) y la carpeta " + fi.absolutePath() +
             " es de solo lectura: abra la instalacion una vez con "
             "permiso de escritura en esa carpeta");
    }
    db_.setDatabaseName(QUrl::fromLocalFile(database).toString() + "?immutable=1");
    options = "QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI";
    immutable_ = true;
    return;
  }
  db_.setDatabaseName(database);
  if (settings_.readOnly) {
    options =
        options.isEmpty() ? QString("QSQLITE_OPEN_READONLY") : options + ";QSQLITE_OPEN_READONLY";
  }
}

// A database that cannot be read is not a new one: that raises before anything is written.
int SharedDatabase::SchemaVersion(QSqlQuery& q, const QString& entity) {
  auto first = [&](const QString& sql) -> QVariant {
    if (q.exec(sql) && q.next()) return q.value(0);
    if (!q.lastError().isValid()) return {};
    throw Failure(entity, "No se pudo leer la base de datos de la entidad " + entity,
                  q.lastError());
  };
  if (!first(dialect_->TableExistsQuery("OstrevanSchema")).isValid()) return 0;
  return first("SELECT Version FROM OstrevanSchema WHERE Entity = '" + entity + "'").toInt();
}

// Reads the version first and writes only when a step is missing, so an up-to-date database
// in a folder the user may not write still opens, lists and prints.
void SharedDatabase::EnsureSchema(const QString& entity) {
  QString e = entity.toUpper();
  if (schemaDone_.count(e) || !Provider()) return;
  SchemaSteps steps = Provider()(e, *dialect_);
  QSqlQuery q(db_);
  if (steps.empty() || SchemaVersion(q, e) >= static_cast<int>(steps.size())) {
    schemaDone_.insert(e);
    return;
  }
  auto fail = [&](const QSqlError& err) {
    QSqlQuery(db_).exec("ROLLBACK");
    throw Failure(e, "No se pudo crear el esquema de la entidad " + e, err);
  };
  // Another workstation may be migrating the same database: the write lock first, then the
  // version again.
  if (!q.exec(dialect_->BeginTransaction())) fail(q.lastError());
  const QString lock = dialect_->MigrationLock();
  if (!lock.isEmpty() && !q.exec(lock)) fail(q.lastError());
  // Plain types: the version table comes before any step, so before any extension a step adds.
  if (!q.exec("CREATE TABLE IF NOT EXISTS OstrevanSchema (Entity VARCHAR(64) PRIMARY KEY, "
              "Version INTEGER)")) {
    fail(q.lastError());
  }
  int version = 0;
  try {
    version = SchemaVersion(q, e);
  } catch (const RuntimeError&) {
    QSqlQuery(db_).exec("ROLLBACK");
    throw;
  }
  for (size_t step = static_cast<size_t>(version); step < steps.size(); ++step) {
    for (const QString& stmt : steps[step]) {
      if (!q.exec(dialect_->Translate(stmt))) fail(q.lastError());
    }
  }
  if (!q.exec("DELETE FROM OstrevanSchema WHERE Entity = '" + e + "'") ||
      !q.exec("INSERT INTO OstrevanSchema (Entity, Version) VALUES ('" + e + "', " +
              QString::number(steps.size()) + ")") ||
      !q.exec("COMMIT")) {
    fail(q.lastError());
  }
  schemaDone_.insert(e);
}

QSqlError SharedDatabase::Exec(const QString& entity, QSqlQuery& q, const QString& sql,
                               const std::function<void()>& read, bool mayFail) {
  if (depth_ > 0 && failure_.isValid()) {
    return QSqlError(failure_.driverText(),
                     "la transaccion se deshara por un error anterior: " + failure_.text(),
                     QSqlError::TransactionError);
  }
  const bool guarded = depth_ > 0 && dialect_->AbortsTransactionOnError() &&
                       (mayFail || onFailure_ == OnFailure::UndoStatement);
  if (guarded) QSqlQuery(db_).exec("SAVEPOINT ostrevan_stmt");
  if (q.exec(sql)) {
    if (read) read();
    if (guarded) QSqlQuery(db_).exec("RELEASE SAVEPOINT ostrevan_stmt");
    return {};
  }
  const QSqlError error = q.lastError();
  if (guarded) {
    QSqlQuery undo(db_);
    undo.exec("ROLLBACK TO SAVEPOINT ostrevan_stmt");
    undo.exec("RELEASE SAVEPOINT ostrevan_stmt");
    return error;
  }
  if (depth_ > 0) {
    if (!mayFail && onFailure_ == OnFailure::UndoAll) failure_ = error;
    return error;
  }
  if (settings_.driver == "QSQLITE" || QSqlQuery(db_).exec("SELECT 1")) return error;
  // The server went away (restarted, network): one new connection, then the statement again.
  const bool forward = q.isForwardOnly();
  q = QSqlQuery();
  db_.close();
  db_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(name_);
  open_ = false;
  q = QSqlQuery(Open(entity));
  q.setForwardOnly(forward);
  if (!q.exec(sql)) return q.lastError();
  if (read) read();
  return {};
}

void SharedDatabase::Begin(const QString& entity, OnFailure onFailure) {
  QSqlDatabase& db = Open(entity);
  if (depth_++ > 0) return;
  onFailure_ = onFailure;
  failure_ = QSqlError();
  QSqlQuery q(db);
  if (!q.exec(dialect_->BeginTransaction())) {
    depth_ = 0;
    throw Failure(entity, "No se pudo iniciar la transaccion en la entidad " + entity,
                  q.lastError());
  }
}

void SharedDatabase::Commit(const QString& entity) {
  if (depth_ == 0 || --depth_ > 0) return;
  QSqlQuery q(Open(entity));
  if (failure_.isValid()) {
    const QSqlError err = failure_;
    failure_ = QSqlError();
    q.exec("ROLLBACK");
    throw DbError("No se confirmo la transaccion en la entidad " + entity +
                      ": se deshizo entera por un error anterior",
                  err);
  }
  if (!q.exec("COMMIT")) {
    QSqlError err = q.lastError();
    QSqlQuery(db_).exec("ROLLBACK");
    throw Failure(entity, "No se pudo confirmar la transaccion en la entidad " + entity, err);
  }
}

// An inner transaction rolled back takes the outer one with it: the outer commit then
// rolls back too and says so, instead of confirming a part the inner one gave up.
void SharedDatabase::Rollback(const QString& entity) {
  if (depth_ == 0) return;
  if (--depth_ > 0) {
    if (!failure_.isValid()) {
      failure_ = QSqlError(QString(), "se deshizo una parte de la transaccion",
                           QSqlError::TransactionError);
    }
    return;
  }
  failure_ = QSqlError();
  QSqlQuery(Open(entity)).exec("ROLLBACK");
}

Connection::Connection(QString entity, EntitySettings settings)
    : entity_(std::move(entity)), settings_(std::move(settings)) {}

Connection::~Connection() = default;

SharedDatabase& Connection::Db() {
  if (!db_) db_ = Acquire(settings_);
  return *db_;
}

const Dialect& Connection::GetDialect() { return Db().GetDialect(); }

bool Connection::CrearRs(Recordset& rs) {
  rs = Recordset();
  SharedDatabase& shared = Db();
  QSqlDatabase& db = shared.Open(entity_);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  QStringList names;
  std::deque<QVariant> values;
  QSqlError unread;  // a row the engine could not give: the rows before it are not the result
  const auto read = [&] {
    QSqlRecord rec = q.record();
    const int n = rec.count();
    names.reserve(n);
    for (int i = 0; i < n; ++i) names << rec.fieldName(i);
    while (q.next()) {
      for (int i = 0; i < n; ++i) values.push_back(q.value(i));
    }
    unread = q.lastError();
  };
  QSqlError e = shared.Exec(entity_, q, shared.GetDialect().Translate(sql_), read);
  if (!e.isValid()) e = unread;
  if (e.isValid()) throw shared.Failure(entity_, "No se pudo leer de la entidad " + entity_, e);
  if (values.empty()) return false;
  rs = Recordset(std::move(names), std::move(values));
  return true;
}

long Connection::Ejecutar() {
  SharedDatabase& shared = Db();
  QSqlDatabase& db = shared.Open(entity_);
  QSqlQuery q(db);
  if (const QSqlError e = shared.Exec(entity_, q, shared.GetDialect().Translate(sql_));
      e.isValid()) {
    throw shared.Failure(entity_, "Error al ejecutar la sentencia en la entidad " + entity_, e);
  }
  return q.numRowsAffected();
}

long Connection::EjecutarSiguienteNumero(int attempts) {
  const QString statement = sql_;
  return EjecutarConNumeroNuevo([&] { return statement; }, attempts);
}

long Connection::EjecutarConNumeroNuevo(const std::function<QString()>& build, int attempts) {
  SharedDatabase& shared = Db();
  for (int attempt = 1;; ++attempt) {
    sql_ = build();
    const QString sql = shared.GetDialect().Translate(sql_);
    QSqlQuery q(shared.Open(entity_));
    const QSqlError e = shared.Exec(entity_, q, sql, {}, true);
    if (!e.isValid()) return q.numRowsAffected();
    if (!shared.GetDialect().IsDuplicateKey(e.nativeErrorCode(), e.text())) {
      throw shared.Failure(entity_, "Error al ejecutar la sentencia en la entidad " + entity_, e);
    }
    if (attempt >= attempts) {
      throw DbError("Otra estacion de trabajo tomo el mismo numero " + QString::number(attempts) +
                        " veces en la entidad " + entity_ + "; vuelva a intentarlo",
                    e);
    }
    QThread::msleep(static_cast<unsigned long>(attempt));  // let the other insert finish
  }
}

void Connection::BeginTrans(OnFailure onFailure) { Db().Begin(entity_, onFailure); }
void Connection::CommitTrans() { Db().Commit(entity_); }
void Connection::RollbackTrans() { Db().Rollback(entity_); }

CBNMain::CBNMain() = default;
CBNMain::~CBNMain() = default;

void CBNMain::LoadParameters() {
  map_.clear();
  connections_.clear();
  const QString ini = InstallationPath("Cfg/Conexiones.ini");
  clINI reader;
  for (const char* entity : kEntities) {
    EntitySettings s;
    QString e = QString::fromLatin1(entity);
    QString driver = reader.LeerINI(e, "Driver", ini);
    if (!driver.isEmpty()) {
      s.driver = driver.toUpper();
      s.database = reader.LeerINI(e, "Database", ini);
      s.host = reader.LeerINI(e, "Host", ini);
      s.port = reader.LeerINI(e, "Port", ini).toInt();
      s.user = reader.LeerINI(e, "User", ini);
      s.password = reader.LeerINI(e, "Password", ini);
      s.options = reader.LeerINI(e, "Options", ini);
    }
    if (s.database.isEmpty() && s.driver == "QSQLITE") s.database = DefaultDatabaseFile(e);
    if (s.driver == "QSQLITE" && QFileInfo(s.database).isRelative()) {
      s.database = InstallationPath(s.database);
    }
    map_[e] = s;
  }
  loaded_ = true;
}

EntitySettings CBNMain::SettingsFor(const QString& entity) const {
  QString e = entity.toUpper();
  auto it = map_.find(e);
  EntitySettings s;
  if (it != map_.end()) {
    s = it->second;
  } else {  // an entity outside the map still gets its own file
    s.database = InstallationPath(DefaultDatabaseFile(e));
  }
  s.readOnly = IsHostEntity(e) && !HostRole::Active();
  return s;
}

Connection& CBNMain::getDataConnectionByEntity(const QString& entity) {
  if (!loaded_) LoadParameters();
  QString e = entity.toUpper();
  // The host's role writes through connections of its own.
  if (IsHostEntity(e) && HostRole::Active()) e += "|host";
  auto& slot = connections_[e];
  if (!slot) slot = std::make_unique<Connection>(entity.toUpper(), SettingsFor(entity));
  return *slot;
}

QString CBNMain::getNumberFormatbyEntity(const QString& entity, const QString& /*mask*/,
                                         long& decimals) {
  if (decimals < 0) decimals = 0;
  return getDataConnectionByEntity(entity).GetDialect().NumberFormat(static_cast<int>(decimals));
}

void CBNMain::SetSQL(const QString& statement) {
  getDataConnectionByEntity("OSTREVAN").SetSQL(statement);
}
bool CBNMain::CrearRs(Recordset& rs) { return getDataConnectionByEntity("OSTREVAN").CrearRs(rs); }
long CBNMain::Ejecutar() { return getDataConnectionByEntity("OSTREVAN").Ejecutar(); }

}  // namespace ostrevan
