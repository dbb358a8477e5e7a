#pragma once
// What the server benchmarks share: libpq itself as the bare baseline, and a run's own
// database on the server that OSTREVAN_TEST_PG names (scripts/test starts one; `source
// scripts/pg-cluster; pg_cluster_start build` for a run by hand).
#include <libpq-fe.h>

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <cstdio>
#include <vector>

#include "data/forms.h"
#include "host/ini.h"
#include "host/sistema.h"

namespace ostrevan::bench {

class RawPg {
 public:
  explicit RawPg(const QString& conninfo) {
    c_ = PQconnectdb(conninfo.toUtf8().constData());
    if (PQstatus(c_) != CONNECTION_OK) std::fprintf(stderr, "libpq: %s\n", PQerrorMessage(c_));
  }
  ~RawPg() { PQfinish(c_); }
  // Runs a statement and reads every value of every row, as a recordset would.
  int Exec(const QString& sql) {
    PGresult* r = PQexec(c_, sql.toUtf8().constData());
    const int rows = PQntuples(r), cols = PQnfields(r);
    if (PQresultStatus(r) != PGRES_TUPLES_OK && PQresultStatus(r) != PGRES_COMMAND_OK) {
      std::fprintf(stderr, "libpq: %s\n", PQresultErrorMessage(r));
    }
    for (int i = 0; i < rows; ++i) {
      for (int j = 0; j < cols; ++j) QString::fromUtf8(PQgetvalue(r, i, j));
    }
    PQclear(r);
    return rows;
  }
  // Runs a query and keeps its rows as text, by column name.
  std::vector<QHash<QString, QString>> Rows(const QString& sql) {
    std::vector<QHash<QString, QString>> out;
    PGresult* r = PQexec(c_, sql.toUtf8().constData());
    if (PQresultStatus(r) != PGRES_TUPLES_OK) {
      std::fprintf(stderr, "libpq: %s\n", PQresultErrorMessage(r));
    }
    for (int i = 0; i < PQntuples(r); ++i) {
      QHash<QString, QString> row;
      for (int j = 0; j < PQnfields(r); ++j) {
        row.insert(QString::fromUtf8(PQfname(r, j)), QString::fromUtf8(PQgetvalue(r, i, j)));
      }
      out.push_back(std::move(row));
    }
    PQclear(r);
    return out;
  }

 private:
  PGconn* c_;
};

inline QString Part(const QString& conninfo, const QString& key) {
  for (const QString& p : conninfo.split(' ', Qt::SkipEmptyParts)) {
    if (p.startsWith(key + "=")) return p.mid(key.size() + 1);
  }
  return {};
}

// A new, empty database of the run's own with citext and the given schemas; its conninfo.
inline QString FreshDatabase(const QString& conninfo, const QString& db,
                             const QStringList& schemas) {
  {
    RawPg admin(conninfo);
    admin.Exec("DROP DATABASE IF EXISTS " + db);
    admin.Exec("CREATE DATABASE " + db);
  }
  QString dbinfo = conninfo;
  dbinfo.replace(QRegularExpression("dbname=\\S+"), "dbname=" + db);
  RawPg setup(dbinfo);
  setup.Exec("CREATE EXTENSION IF NOT EXISTS citext SCHEMA public");
  for (const QString& schema : schemas) setup.Exec("CREATE SCHEMA " + schema);
  return dbinfo;
}

// Every entity in a schema of its own in one database, as an office's server holds them.
inline const char* kSchemas[][2] = {{"OSTREVAN", "ostrevan"},         {"CEOCFG", "ostrevan"},
                                    {"OSTREVAN_CLI", "ostrevan_cli"}, {"CATALOGOS", "catalogos"},
                                    {"INTERNOS", "internos"},         {"PERSONAL", "personal"}};

inline void PointEveryEntityAtServer(const QString& conninfo, const QString& db) {
  const QString map = InstallationPath("Cfg/Conexiones.ini");
  QDir().mkpath(InstallationPath("Cfg"));
  clINI ini;
  for (const auto& [entity, schema] : kSchemas) {
    ini.GuardarINI(entity, "Driver", "QPSQL", map);
    ini.GuardarINI(entity, "Database", db, map);
    ini.GuardarINI(entity, "Host", Part(conninfo, "host"), map);
    ini.GuardarINI(entity, "Port", Part(conninfo, "port"), map);
    ini.GuardarINI(entity, "User", Part(conninfo, "user"), map);
    ini.GuardarINI(entity, "Options",
                   "options='-csearch_path=" + QString::fromLatin1(schema) + ",public'", map);
  }
}

}  // namespace ostrevan::bench
