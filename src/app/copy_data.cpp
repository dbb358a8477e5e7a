#include "app/copy_data.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <set>

#include "data/schema.h"
#include "host/errors.h"
#include "host/sistema.h"
#include "host/sqltext.h"
#include "host/state.h"

namespace ostrevan::app {
namespace {

const char* kOwnEntities[] = {"OSTREVAN", "OSTREVAN_CLI", "CEOCFG", "CATALOGOS"};

QStringList TablesOf(const QString& entity, const Dialect& d) {
  static const QRegularExpression create(R"(CREATE TABLE IF NOT EXISTS (\w+))",
                                         QRegularExpression::CaseInsensitiveOption);
  QStringList tables;
  for (const auto& step : data::SchemaFor(entity, d)) {
    for (const QString& s : step) {
      const QString t = create.match(s).captured(1);
      if (!t.isEmpty() && !tables.contains(t, Qt::CaseInsensitive)) tables << t;
    }
  }
  return tables;
}

// The tables a migration fills itself (the country codes): the server has their rows from its
// own migration, and the installation's edited rows replace them.
QStringList FilledByMigration(const QString& entity, const Dialect& d) {
  static const QRegularExpression insert(R"(^\s*INSERT INTO (\w+))",
                                         QRegularExpression::CaseInsensitiveOption);
  QStringList tables;
  for (const auto& step : data::SchemaFor(entity, d)) {
    for (const QString& s : step) {
      const QString t = insert.match(s).captured(1);
      if (!t.isEmpty() && !tables.contains(t, Qt::CaseInsensitive)) tables << t;
    }
  }
  return tables;
}

long CountRows(Connection& c, const QString& table) {
  Recordset rs;
  c.SetSQL("select count(*) as n from " + table);
  return c.CrearRs(rs) ? static_cast<long>(rs.Fields("n").Value.toLongLong()) : 0;
}

QString Literal(const QVariant& v) {
  if (v.isNull() || !v.isValid()) return "NULL";
  return "'" + SqlText(v.toString()) + "'";
}

}  // namespace

int CopiarDatos(bool replace, QTextStream& out) {
  CBNMain& manager = MainManager();
  std::set<QString> done;  // entities sharing one database are copied once
  int copied = 0;
  for (const char* e : kOwnEntities) {
    const QString entity = QString::fromLatin1(e);
    const EntitySettings target = manager.SettingsFor(entity);
    EntitySettings source;
    source.database = InstallationPath(DefaultDatabaseFile(entity));
    if (target.driver == "QSQLITE") {
      out << entity << ": sigue en " << QFileInfo(target.database).fileName()
          << " (Conexiones.ini no le asigna un servidor)\n";
      continue;
    }
    if (!QFileInfo::exists(source.database)) {
      out << entity << ": no hay datos en " << source.database << "\n";
      continue;
    }
    Connection from(entity, source);
    Connection& to = manager.getDataConnectionByEntity(entity);
    QStringList tables = TablesOf(entity, to.GetDialect());
    tables.erase(std::remove_if(tables.begin(), tables.end(),
                                [&](const QString& t) {
                                  return done.count(target.Key() + "|" + t.toUpper()) > 0;
                                }),
                 tables.end());
    const QStringList filled = FilledByMigration(entity, to.GetDialect());
    if (!replace) {
      for (const QString& t : tables) {
        if (!filled.contains(t, Qt::CaseInsensitive) && CountRows(to, t) > 0) {
          out << "No se copiaron los datos: la tabla " << t << " de la entidad " << entity
              << " ya tiene registros en el servidor (use --reemplazar para sustituirlos)\n";
          return 1;
        }
      }
    }
    try {
      AllOrNothing tx(to);
      for (const QString& t : tables) {
        // The source first: a table that cannot be read ends the copy before the server's
        // rows are touched.
        Recordset rs;
        from.SetSQL("select * from " + t);
        const long expected = from.CrearRs(rs) ? rs.RecordCount() : 0;
        if (replace || filled.contains(t, Qt::CaseInsensitive)) {
          to.SetSQL("DELETE FROM " + t);
          to.Ejecutar();
        }
        const QStringList names = rs.FieldNames();
        for (; expected > 0 && !rs.Eof(); rs.MoveNext()) {
          QStringList values;
          for (const QString& n : names) values << Literal(rs.Fields(n).Value);
          to.SetSQL("INSERT INTO " + t + " (" + names.join(", ") + ") VALUES (" +
                    values.join(", ") + ")");
          to.Ejecutar();
        }
        const long stored = CountRows(to, t);
        if (stored != expected) {
          throw RuntimeError(err::kDatabase,
                             QString("la tabla %1 de la entidad %2 tiene %3 filas en el origen y "
                                     "%4 en el servidor")
                                 .arg(t, entity)
                                 .arg(expected)
                                 .arg(stored),
                             "copiar-datos");
        }
        out << entity << " " << t << ": " << stored << " filas\n";
        done.insert(target.Key() + "|" + t.toUpper());
      }
      tx.Commit();
      ++copied;
    } catch (const RuntimeError& err) {
      out << "No se copiaron los datos de la entidad " << entity << ": " << err.Description()
          << "\n";
      return 1;
    }
  }
  out << copied << " entidades copiadas al servidor\n";
  return 0;
}

}  // namespace ostrevan::app
