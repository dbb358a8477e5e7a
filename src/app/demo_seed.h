#pragma once
// The seed of the demo installation: the rows of every entity, read from the SQL scripts
// embedded in the program.
#include <QString>
#include <QStringList>
#include <vector>

namespace ostrevan::demo {

struct EntitySeed {
  QString entity;
  QStringList statements;
  // The tables its statements insert into, each once.
  QStringList Tables() const;
};

// Every entity's seed, in the order they are loaded.
std::vector<EntitySeed> LoadSeeds();

// Empties the seeded tables (on a server they outlive the files of Datos) and loads the
// seeds, each entity in one transaction.
void RunSeeds(std::vector<EntitySeed> seeds);

// Creates the host's tables in INTERNOS and PERSONAL when they are missing, as the host would.
void CreateHostTables();

// The statements of a seed script: split at ";" outside quoted text, "--" comment lines
// dropped, and every line break inside quoted text made CR LF, as the host stores it.
QStringList SplitStatements(const QString& script);

// The seed statements of an entity, read from the embedded seed files.
QStringList SeedStatements(const QString& entity);

}  // namespace ostrevan::demo
