#pragma once
// The statements stay the SQL Server text the system builds; one dialect class per engine
// turns that text into the engine's own, overriding only what differs.
#include <QString>
#include <QStringList>
#include <memory>

namespace ostrevan {

class Dialect {
 public:
  virtual ~Dialect() = default;
  virtual QString Name() const = 0;
  // The statement in this engine's dialect.
  virtual QString Translate(const QString& sql) const { return sql; }
  // An expression showing a number with `decimals` decimals; "999.999" marks the number.
  virtual QString NumberFormat(int decimals) const;
  // Statements run once on every new connection.
  virtual QStringList SessionSetup() const { return {}; }
};

// SQL Server itself (through ODBC): nothing to translate.
class SqlServerDialect : public Dialect {
 public:
  QString Name() const override { return "SQLSERVER"; }
};

class SqliteDialect : public Dialect {
 public:
  QString Name() const override { return "SQLITE"; }
  QString Translate(const QString& sql) const override;
  QString NumberFormat(int decimals) const override;
  QStringList SessionSetup() const override;
};

std::unique_ptr<Dialect> DialectForDriver(const QString& qtDriver);

}  // namespace ostrevan
