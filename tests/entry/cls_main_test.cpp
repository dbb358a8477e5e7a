#include "entry/cls_main.h"

#include <QDir>

#include "data/certificate_fixture.h"

namespace ostrevan {
namespace {

using test::CertificateTest;

using MainTest = CertificateTest;

TEST_F(MainTest, WithoutAnOperationOnlyTheComponentsAreCreated) {
  QDir(Dir() + "Datos").removeRecursively();
  ResetAll();
  Cls_Main c;
  c.Main();
  EXPECT_TRUE(St().comp.main && St().comp.internos && St().comp.ini);
  EXPECT_TRUE(windows->shown.empty());
  EXPECT_FALSE(St().bDesdeHost);
  EXPECT_FALSE(QDir(Dir() + "Datos").exists());  // no database was even opened
}

TEST_F(MainTest, PropertiesOfTheHost) {
  Cls_Main c;
  c.InternoQuandor("A");
  c.InternoQuandor("B");
  EXPECT_EQ(c.InternoQuandor(), "A");
  c.CdoData("C");
  EXPECT_EQ(c.InternoQuandor(), "C");
  c.CdoData("");
  EXPECT_EQ(c.InternoQuandor(), "C");
  QString mine = "/somewhere/else";
  c.Pathcfg(mine);
  EXPECT_EQ(mine, InstallationDir());
  EXPECT_EQ(c.Pathcfg(), InstallationDir());
  c.PRGPRINTER("Laser");
  c.PRGPRINTER("");
  EXPECT_EQ(St().sPrinter, "Laser");
}

// The host's own operation is where the list stands: checked with the host mode's end.
TEST_F(MainTest, IniciaProyectoWithoutAnOperationListsEveryCertificate) {
  Execute("OSTREVAN",
          "insert into CeoMercosur (IdCeo, Descripcion) values ('A1', 'uno'), ('B2', 'dos')");
  QStringList seen;
  windows->actions[Window::OstrevanLista] = [&] {
    const Grid& g = Lista().Msfg_ListadoMn;
    for (int row = 1; row < g.Rows(); ++row) seen << g.TextMatrix(row, 0);
  };
  Cls_Main().IniciaProyecto();
  EXPECT_EQ(seen, QStringList({"B2", "A1"}));
}

// The host's call ends normally whatever stops the list: the user is told, the host goes on.
TEST_F(MainTest, IniciaProyectoNeverEndsInAnErrorOfItsOwn) {
  MapToNoServer("OSTREVAN");
  ResetAll();
  Cls_Main c;
  EXPECT_NO_THROW(c.IniciaProyecto());
  EXPECT_FALSE(Messages().filter("entidad OSTREVAN").isEmpty())
      << Messages().join("|").toStdString();
}

}  // namespace
}  // namespace ostrevan
