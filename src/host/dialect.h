#pragma once
// The statements stay the SQL Server text the system builds; one dialect class per engine
// turns that text into the engine's own, overriding only what differs.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace ostrevan {

class Dialect {
 public:
  virtual ~Dialect() = default;
  virtual QString Name() const = 0;
  // The statement in this engine's dialect: the engine's function rules applied to every call
  // outside string literals, [bracketed] names and text joins rewritten where they differ.
  QString Translate(const QString& sql) const;
  // An expression showing a number with `decimals` decimals; "999.999" marks the number.
  virtual QString NumberFormat(int decimals) const;
  // Statements run once on every new connection.
  virtual QStringList SessionSetup() const { return {}; }
  // A statement that makes a new connection refuse every write; empty where the connection is
  // opened read-only instead.
  virtual QString ReadOnlySession() const { return {}; }
  // Starts a transaction that holds the write lock from its first statement.
  virtual QString BeginTransaction() const { return "BEGIN TRANSACTION"; }
  // A statement run first in a migration's transaction so that two workstations migrating the
  // same database take turns; empty where the write lock already does that.
  virtual QString MigrationLock() const { return {}; }
  // A query returning a row when the table exists where unqualified names resolve.
  virtual QString TableExistsQuery(const QString& table) const;
  // The column type of a text that compares without regard to case.
  virtual QString TextType() const { return "NVARCHAR(4000)"; }
  // True when a failing statement aborts the whole transaction, so each statement inside one
  // runs under a savepoint to keep the other engines' meaning.
  virtual bool AbortsTransactionOnError() const { return false; }

  // True when the engine's error says a key already holds the value being inserted.
  virtual bool IsDuplicateKey(const QString& nativeCode, const QString& text) const;
  // What an engine's error says about the database itself rather than the statement: the user
  // is told that, in the engine's own words, instead of a failed statement.
  enum class Trouble { None, Damaged, DiskFull, DiskError, Timeout, ConnectionLost };
  virtual Trouble TroubleOf(const QString& nativeCode, const QString& text) const;
  // Connect options every connection gets unless the entity's own options name them.
  virtual QStringList ConnectDefaults() const { return {}; }
  // A statement that bounds how long any statement may wait for its answer; empty where the
  // engine bounds its waits itself.
  virtual QString StatementTimeout(int /*seconds*/) const { return {}; }

  using CallRewrite = std::function<QString(const QStringList& args)>;
  struct FunctionRule {
    const char* name;  // compared without regard to case
    CallRewrite rewrite;
  };

 protected:
  virtual const std::vector<FunctionRule>& Rules() const;
  // A [bracketed] name as the engine writes it.
  virtual QString Bracketed(const QString& name) const { return "[" + name + "]"; }
  // True when texts are joined with || rather than +.
  virtual bool JoinsTextsWithPipes() const { return false; }

 private:
  QString Rewrite(const QString& sql) const;
};

// SQL Server itself (through ODBC): nothing to translate.
class SqlServerDialect : public Dialect {
 public:
  QString Name() const override { return "SQLSERVER"; }
};

class SqliteDialect : public Dialect {
 public:
  QString Name() const override { return "SQLITE"; }
  QStringList SessionSetup() const override;
  QString BeginTransaction() const override { return "BEGIN IMMEDIATE"; }
  QString TableExistsQuery(const QString& table) const override;
  QString TextType() const override { return "TEXT COLLATE NOCASE"; }
  Trouble TroubleOf(const QString& nativeCode, const QString& text) const override;

 protected:
  const std::vector<FunctionRule>& Rules() const override;
  QString Bracketed(const QString& name) const override { return '"' + name + '"'; }
  bool JoinsTextsWithPipes() const override { return true; }
};

class PostgresDialect : public Dialect {
 public:
  QString Name() const override { return "POSTGRESQL"; }
  QString NumberFormat(int decimals) const override;
  QStringList SessionSetup() const override;
  QString BeginTransaction() const override { return "BEGIN"; }
  QString ReadOnlySession() const override {
    return "SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY";
  }
  // Creating a table is not serialised by the server: two at once collide in its catalogue.
  QString MigrationLock() const override { return "SELECT pg_advisory_xact_lock(190716)"; }
  QString TableExistsQuery(const QString& table) const override;
  QString TextType() const override { return "CITEXT"; }
  bool AbortsTransactionOnError() const override { return true; }
  bool IsDuplicateKey(const QString& nativeCode, const QString& text) const override;
  Trouble TroubleOf(const QString& nativeCode, const QString& text) const override;
  QStringList ConnectDefaults() const override;
  QString StatementTimeout(int seconds) const override;

 protected:
  const std::vector<FunctionRule>& Rules() const override;
  QString Bracketed(const QString& name) const override;
  bool JoinsTextsWithPipes() const override { return true; }
};

std::unique_ptr<Dialect> DialectForDriver(const QString& qtDriver);

}  // namespace ostrevan
