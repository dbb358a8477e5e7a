// The demo installation is what every fixture and the demo command stand on: rebuilt it is the
// same, and it replaces a live installation only when asked to. That every demo form prints is
// checked where the COD verbs make a certificate of each.
#include "app/demo_install.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "app/demo_seed.h"
#include "app/synthetic_data.h"
#include "data/forms.h"
#include "host/errors.h"
#include "host/ini.h"
#include "host/state.h"
#include "support/fixtures.h"

namespace ostrevan::test {
namespace {

class DemoInstallTest : public DemoTest {
 protected:
  std::map<QString, long> Counts() {
    std::map<QString, long> n;
    for (const char* t : {"CEOCFG.CeoConfig", "CEOCFG.CeoParametros", "OSTREVAN_CLI.CeoParametros",
                          "CATALOGOS.NCMCEO", "INTERNOS.SubItems", "INTERNOS.groupSubItems",
                          "INTERNOS.catarticulos", "PERSONAL.Clientes", "OSTREVAN.CeoMercosur"}) {
      n[t] = Count(QString(t).section('.', 0, 0), QString(t).section('.', 1));
    }
    return n;
  }
};

TEST_F(DemoInstallTest, ImagesAndIniFilesAreInPlace) {
  for (const char* logo : {"CAC.JPG", "CACIPRA.JPG", "CERA.JPG"}) {
    EXPECT_FALSE(QImage(FormsDir() + logo).isNull()) << logo;
  }
  const QStringList templ = Column("CEOCFG",
                                   "select IdFormulario from CeoParametros where "
                                   "Propiedad = 'TDHABILITADO' and Valor = '1'");
  // Its image and blank.snt are read by the print of its form.
  ASSERT_EQ(templ.size(), 1);
  EXPECT_EQ(clINI().LeerINI("HTempl1_1", "FormID", InstallationPath("Cfg/TemplatesCeo.ini")),
            templ[0]);
}

// Quotes, semicolons and comments in the seeds are read by every demo installation; a line
// break typed in a text is stored as the host stores it.
TEST(DemoSeedSplit, KeepsQuotedTextWholeWithTheHostsLineBreaks) {
  const struct {
    const char* script;
    QStringList expected;
  } cases[] = {
      {"INSERT INTO t VALUES ('one\ntwo');", {"INSERT INTO t VALUES ('one\r\ntwo')"}},
      {"INSERT INTO t VALUES ('one\r\ntwo');\r\n", {"INSERT INTO t VALUES ('one\r\ntwo')"}},
  };
  for (const auto& c : cases) EXPECT_EQ(demo::SplitStatements(c.script), c.expected) << c.script;
  EXPECT_THROW(demo::SplitStatements("INSERT INTO t VALUES ('open"), RuntimeError);
}

// Rebuilt, the demo is the same installation again. Rebuilding it over a live installation
// would empty it, and the host's own databases when the entity map points there: it is refused
// unless replacing is asked for.
TEST_F(DemoInstallTest, ARebuildIsTheSameAndReplacesALiveInstallationOnlyWhenAskedTo) {
  const auto before = Counts();
  demo::AddCertificates(5);
  demo::AddHostOperation("EX-BENCH-1", 120, 7);
  // The connections opened above are still cached: the refresh must close them itself.
  demo::BuildDemoInstallation(tmp->path(), true);  // its certificates are replaced
  EXPECT_EQ(Counts(), before);
  // Without certificates a refresh needs no asking, unless its data lives on a server.
  demo::BuildDemoInstallation(tmp->path(), Engine() == "QPSQL");
  EXPECT_EQ(Counts(), before);

  // An installation in its own files: a server map is refused before anything else is looked at.
  QFile::remove(Dir() + "Cfg/Conexiones.ini");
  ResetAll();
  QTemporaryDir host;
  const QString hostDb = host.filePath("internos.db");
  const struct {
    const char* name;
    std::function<void()> makeLive;
    std::function<long()> stillThere;  // rows that a rebuild would have removed
    const char* says;
  } rows[] = {
      {"certificates",
       [] {
         Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, Descripcion) values ('X1', 'vivo')");
       },
       [this] { return Count("OSTREVAN", "CeoMercosur", "IdCeo = 'X1'"); }, "1 certificados"},
      {"the host's database outside the installation",
       [&] {
         MapEntity("INTERNOS", {{"Driver", "QSQLITE"}, {"Database", hostDb}});
         ResetAll();
         demo::CreateHostTables();
         HostRole host;
         Execute("INTERNOS", "insert into Caratula values ('HOST-1','20-1','1','10')");
         ASSERT_TRUE(QFile::exists(hostDb));
       },
       [this] { return Count("INTERNOS", "Caratula", "Interno = 'HOST-1'"); },
       "fuera de la instalacion"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    r.makeLive();
    try {
      demo::BuildDemoInstallation(tmp->path());
      ADD_FAILURE() << "not refused";
    } catch (const RuntimeError& e) {
      EXPECT_TRUE(e.Description().contains(r.says)) << e.Description();
      EXPECT_TRUE(e.Description().contains("--reemplazar")) << e.Description();
    }
    ResetAll();
    EXPECT_EQ(r.stillThere(), 1);
    demo::BuildDemoInstallation(tmp->path(), true);
    ResetAll();
    EXPECT_EQ(r.stillThere(), 0);
  }
}

}  // namespace
}  // namespace ostrevan::test
