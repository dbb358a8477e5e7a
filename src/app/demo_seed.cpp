#include "app/demo_seed.h"

#include <QRegularExpression>

#include "app/demo_common.h"
#include "data/schema.h"
#include "host/state.h"

namespace ostrevan::demo {
namespace {

// CEOCFG first: in the embedded default it shares the certificate database, and the rows
// the settings windows edit are the ones everything else reads.
const char* kSeedOrder[] = {"CEOCFG",    "OSTREVAN", "OSTREVAN_CLI",
                            "CATALOGOS", "INTERNOS", "PERSONAL"};

// The tables of the form configuration that the data-entry window and the layout editor
// read through OSTREVAN instead of CEOCFG.
const QStringList kSharedConfigTables = {"CeoCamaras", "CeoFormularios", "CeoPaises", "CeoConfig"};

QString TableOf(const QString& statement) {
  static const QRegularExpression insert(R"(^\s*INSERT\s+INTO\s+\[?(\w+)\]?)",
                                         QRegularExpression::CaseInsensitiveOption);
  return insert.match(statement).captured(1);
}

bool SameDatabase(const QString& a, const QString& b) {
  return ManagerFor(a).SettingsFor(a).Key() == ManagerFor(b).SettingsFor(b).Key();
}

// When Conexiones.ini gives CEOCFG a database of its own, OSTREVAN still needs the chamber
// and form tables it reads; in the shared default they are already the same rows.
void MirrorSharedConfig(std::vector<EntitySeed>& seeds) {
  if (SameDatabase("OSTREVAN", "CEOCFG")) return;
  QStringList mirrored;
  for (const auto& s : seeds) {
    if (s.entity != "CEOCFG") continue;
    for (const QString& st : s.statements) {
      if (kSharedConfigTables.contains(TableOf(st), Qt::CaseInsensitive)) mirrored << st;
    }
  }
  for (auto& s : seeds) {
    if (s.entity == "OSTREVAN") s.statements << mirrored;
  }
}

// Databases on a server survive the removal of Datos: a refresh empties their tables, so that
// it starts from empty databases there too.
void EmptyServerTables() {
  static const QRegularExpression create(R"(CREATE TABLE IF NOT EXISTS (\w+))",
                                         QRegularExpression::CaseInsensitiveOption);
  for (const char* e : kSeedOrder) {
    const QString entity = QString::fromLatin1(e);
    if (ManagerFor(entity).SettingsFor(entity).driver == "QSQLITE") continue;
    const Dialect& d = Conn(entity).GetDialect();
    std::vector<QString> statements = data::HostTables(entity, d);
    for (const auto& step : data::SchemaFor(entity, d)) {
      statements.insert(statements.end(), step.begin(), step.end());
    }
    // A table its own migration fills (the country codes) is reference data, not the demo's.
    QStringList filled;
    for (const QString& st : statements) filled << TableOf(st);
    InTransaction(entity, [&] {
      for (const QString& st : statements) {
        const QString table = create.match(st).captured(1);
        if (!table.isEmpty() && !filled.contains(table, Qt::CaseInsensitive))
          Execute(entity, "DELETE FROM " + table);
      }
    });
  }
}

}  // namespace

QStringList EntitySeed::Tables() const {
  QStringList tables;
  for (const QString& s : statements) {
    const QString t = TableOf(s);
    if (!t.isEmpty() && !tables.contains(t, Qt::CaseInsensitive)) tables << t;
  }
  return tables;
}

std::vector<EntitySeed> LoadSeeds() {
  std::vector<EntitySeed> seeds;
  for (const char* e : kSeedOrder) {
    const QString entity = QString::fromLatin1(e);
    seeds.push_back({entity, SeedStatements(entity)});
  }
  return seeds;
}

void RunSeeds(std::vector<EntitySeed> seeds) {
  EmptyServerTables();
  MirrorSharedConfig(seeds);
  // Entities may share one table: all of them are emptied before any insert.
  for (const auto& s : seeds) {
    InTransaction(s.entity, [&] {
      for (const QString& t : s.Tables()) Execute(s.entity, "DELETE FROM " + t);
    });
  }
  for (const auto& s : seeds) {
    QString current;
    try {
      InTransaction(s.entity, [&] {
        for (const QString& st : s.statements) {
          current = st;
          Execute(s.entity, st);
        }
      });
    } catch (const RuntimeError& e) {
      throw Failure("No se pudieron cargar los datos de demostracion de la entidad " + s.entity +
                        ": " + e.Description() + "\r\n" + current.left(160),
                    e.Number());
    }
  }
}

void CreateHostTables() {
  HostRole host;
  for (const char* e : {"INTERNOS", "PERSONAL"}) {
    const QString entity = QString::fromLatin1(e);
    const std::vector<QString> tables = data::HostTables(entity, Conn(entity).GetDialect());
    InTransaction(entity, [&] {
      for (const QString& st : tables) Execute(entity, st);
    });
  }
}

QStringList SplitStatements(const QString& script) {
  QStringList out;
  QString current;
  bool inText = false;
  auto flush = [&] {
    const QString s = current.trimmed();
    if (!s.isEmpty()) out << s;
    current.clear();
  };
  const qsizetype n = script.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = script[i];
    const QChar next = i + 1 < n ? script[i + 1] : QChar();
    if (inText) {
      if (c == '\'' && next == '\'') {
        current += "''";
        ++i;
      } else if (c == '\'') {
        inText = false;
        current += c;
      } else if (c == '\r' || c == '\n') {
        // Whatever line ends the file got on its way here, the host stores CR LF.
        if (c == '\r' && next == '\n') ++i;
        current += "\r\n";
      } else {
        current += c;
      }
      continue;
    }
    if (c == '\'') {
      inText = true;
      current += c;
    } else if (c == '-' && next == '-') {
      while (i + 1 < n && script[i + 1] != '\n') ++i;
    } else if (c == ';' || c == '\n') {
      flush();
    } else {
      current += c;
    }
  }
  if (inText) {
    throw Failure("Texto sin cerrar en los datos de demostracion: " + current.left(80),
                  err::kTypeMismatch);
  }
  flush();
  return out;
}

QStringList SeedStatements(const QString& entity) {
  return SplitStatements(QString::fromUtf8(ReadResource(":/seed/" + entity.toUpper() + ".sql")));
}

}  // namespace ostrevan::demo
