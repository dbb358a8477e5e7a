#pragma once
// The data-access manager and its connections. An entity name maps to a database through
// Cfg/Conexiones.ini of the installation; without an entry it is an SQLite file under Datos/,
// created with its schema on first use.
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "host/dialect.h"
#include "host/recordset.h"

namespace ostrevan {

// Where one entity lives. Server engines (QPSQL, QODBC) take host, port, user and password.
struct EntitySettings {
  QString driver = "QSQLITE";
  QString database;  // SQLite: a file path, relative paths under the installation folder
  QString host;
  int port = 0;
  QString user;
  QString password;
  QString options;
  bool readOnly = false;  // the engine itself refuses every write
  QString Key() const;    // one open database per distinct key
};

// The host's entities (its operations and clients) belong to the host: the component opens
// them read-only. The demo installation and the tests, which play the host, write them inside
// a HostRole; the connections they get there are their own, so a write never reaches a
// connection the component reads through.
bool IsHostEntity(const QString& entity);
class HostRole {
 public:
  HostRole();
  ~HostRole();
  HostRole(const HostRole&) = delete;
  HostRole& operator=(const HostRole&) = delete;
  static bool Active();
};

// The schema of an entity: versioned steps, each a list of statements, applied in order.
using SchemaSteps = std::vector<std::vector<QString>>;
using SchemaProvider = std::function<SchemaSteps(const QString& entity, const Dialect& dialect)>;
void SetSchemaProvider(SchemaProvider provider);

class SharedDatabase;

// How a transaction answers a statement that fails inside it, the same on every engine.
// UndoAll: the statements stand or fall together; after a failure the next ones are refused
// and the commit undoes everything and says why. UndoStatement: the failed statement undoes
// only itself and the others are committed (a server needs a savepoint around each statement
// for this, which costs two more round trips each).
enum class OnFailure { UndoAll, UndoStatement };

class Connection {
 public:
  Connection(QString entity, EntitySettings settings);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  void SetSQL(const QString& statement) { sql_ = statement; }
  const QString& SQL() const { return sql_; }
  // True when the query returned rows (rs then holds them on the first one), False when it
  // returned none. A query that fails, or a database that cannot be opened or read, raises
  // RuntimeError in the engine's words, never answers "no rows".
  bool CrearRs(Recordset& rs);
  // Rows affected; a failing statement raises RuntimeError (err::kDuplicateKey when a key
  // already holds the value).
  long Ejecutar();
  // Ejecutar for a statement that takes "the next number" (max(...)+1) and inserts it: when
  // another workstation stored the same number first, the key refuses the row and the
  // statement runs again, reading a fresh maximum. After `attempts` collisions it raises
  // RuntimeError saying so; nothing is stored twice and no row is lost.
  long EjecutarSiguienteNumero(int attempts = 20);
  // The same for a statement that carries the number itself: `build` reads the maximum and
  // writes the statement anew for every attempt.
  long EjecutarConNumeroNuevo(const std::function<QString()>& build, int attempts = 20);
  // Transactions nest; the outermost one's way of failing holds for all of them.
  void BeginTrans(OnFailure onFailure = OnFailure::UndoAll);
  // Raises RuntimeError, having rolled everything back, when a statement failed in an
  // all-or-nothing transaction or an inner one was rolled back.
  void CommitTrans();
  void RollbackTrans();

  const QString& Entity() const { return entity_; }
  const Dialect& GetDialect();

 private:
  SharedDatabase& Db();

  QString entity_;
  EntitySettings settings_;
  std::shared_ptr<SharedDatabase> db_;
  QString sql_;
};

// Commits what was done when the scope ends, also when an error leaves it: the rows written
// before a failure stay, as they would without a transaction.
class Transaction {
 public:
  explicit Transaction(Connection& c) : c_(c) { c_.BeginTrans(OnFailure::UndoStatement); }
  ~Transaction() {
    try {
      c_.CommitTrans();
    } catch (...) {  // a destructor may not throw; the engine has rolled back
    }
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

 private:
  Connection& c_;
};

// All or nothing: what Commit() does not confirm before the scope ends, an error leaving it
// included, is rolled back.
class AllOrNothing {
 public:
  explicit AllOrNothing(Connection& c) : c_(c) { c_.BeginTrans(OnFailure::UndoAll); }
  ~AllOrNothing() {
    if (done_) return;
    try {
      c_.RollbackTrans();
    } catch (...) {  // a destructor may not throw; an unreachable server has rolled back
    }
  }
  void Commit() {
    done_ = true;
    c_.CommitTrans();
  }
  AllOrNothing(const AllOrNothing&) = delete;
  AllOrNothing& operator=(const AllOrNothing&) = delete;

 private:
  Connection& c_;
  bool done_ = false;
};

class CBNMain {
 public:
  CBNMain();
  ~CBNMain();
  CBNMain(const CBNMain&) = delete;
  CBNMain& operator=(const CBNMain&) = delete;

  // Reads the entity map of the installation.
  void LoadParameters();
  // The same object for the same entity for the life of the manager.
  Connection& getDataConnectionByEntity(const QString& entity);
  // An expression of the entity's dialect with "999.999" where the number goes.
  QString getNumberFormatbyEntity(const QString& entity, const QString& mask, long& decimals);

  // The manager's own default connection (the certificate database).
  void SetSQL(const QString& statement);
  bool CrearRs(Recordset& rs);
  long Ejecutar();

  EntitySettings SettingsFor(const QString& entity) const;

 private:
  std::map<QString, EntitySettings> map_;  // upper-case entity -> settings
  std::map<QString, std::unique_ptr<Connection>> connections_;
  bool loaded_ = false;
};

// The database file an entity uses when the map names none.
QString DefaultDatabaseFile(const QString& entity);

}  // namespace ostrevan
