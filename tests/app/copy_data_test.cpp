// Moving an office's own data from the embedded files to its server.
#include "app/copy_data.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>

#include "app/demo_install.h"
#include "app/synthetic_data.h"
#include "data/forms.h"
#include "data/schema.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan::test {
namespace {

QByteArray Digest(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

using CopyDataTest = InstallationTest;

TEST_F(CopyDataTest, OwnEntitiesReachTheServerOnceAndTheFilesStayAsTheyWere) {
  if (Engine() != "QPSQL") GTEST_SKIP() << "moves data to the PostgreSQL server";
  // The office before: the demo installation in its embedded files.
  const QString map = Dir() + "Cfg/Conexiones.ini";
  ResetAll();
  ASSERT_TRUE(QFile::rename(map, map + ".server"));
  demo::BuildDemoInstallation(tmp->path());
  demo::AddCertificates(30);
  const struct {
    const char *entity, *table;
  } tables[] = {{"OSTREVAN", "CeoMercosur"},       {"OSTREVAN", "Articulos"},
                {"CEOCFG", "CeoFormularios"},      {"CEOCFG", "CeoConfig"},
                {"OSTREVAN_CLI", "CeoParametros"}, {"CATALOGOS", "DescripcionNormasOrigen"}};
  std::vector<long> before;
  for (const auto& t : tables) before.push_back(Count(t.entity, t.table));
  ResetAll();
  const QString db = Dir() + "Datos/OSTREVAN.db";
  const QByteArray file = Digest(db);
  ASSERT_FALSE(file.isEmpty());
  ASSERT_TRUE(QFile::rename(map + ".server", map));
  ResetAll();
  data::InstallSchema();

  // A source table that cannot be read ends the copy with the reason, the server untouched.
  auto damage = [&] {
    ASSERT_TRUE(QFile::copy(db, db + ".sano"));
    DamageTable("OSTREVAN", "Articulos");
  };
  auto repair = [&] {
    ResetAll();
    ASSERT_TRUE(QFile::remove(db) && QFile::copy(db + ".sano", db));
  };
  const struct {
    bool replace;
    int rc;
    const char* says;
    std::function<void()> before;
  } runs[] = {
      {false, 0, "entidades copiadas", {}},
      {false, 1, "ya tiene registros", {}},  // a second copy would double every row
      {true, 1, "malformed", damage},
      {true, 0, "entidades copiadas", repair},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.says);
    if (r.before) r.before();
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(app::CopiarDatos(r.replace, out), r.rc) << text;
    out.flush();
    EXPECT_TRUE(text.contains(r.says)) << text;
    for (size_t i = 0; i < std::size(tables); ++i) {
      EXPECT_EQ(Count(tables[i].entity, tables[i].table), before[i]) << tables[i].table;
    }
  }
  EXPECT_GE(before[0], 30);
  ResetAll();
  EXPECT_EQ(Digest(db), file);
}

}  // namespace
}  // namespace ostrevan::test
