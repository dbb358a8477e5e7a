#include "data/certificate_fixture.h"
#include "data/dialogs.h"

namespace ostrevan {
namespace {

using test::CertificateTest;
using LifecycleTest = CertificateTest;

TEST_F(LifecycleTest, ListReselectsIgnoringCaseAndBlanks) {
  for (const char* id : {"A-1", "B-2", "C-3"}) {
    Execute("OSTREVAN", QString("insert into CeoMercosur (IdCeo, Descripcion, PaisDest, Estado) "
                                "values ('%1', 'd %1', 'Chile', 'Creando')")
                            .arg(id));
  }
  St().sInternoHost = " b-2 ";
  ASSERT_TRUE(CargarListadoInternos(false));
  const Grid& g = Lista().Msfg_ListadoMn;
  ASSERT_EQ(g.Rows(), 4);
  EXPECT_EQ(g.TextMatrix(1, 0), "C-3");  // newest id first
  EXPECT_EQ(g.Row(), 2);
  St().sInternoHost = "none";
  ASSERT_TRUE(CargarListadoInternos(true));  // keeps the row it had
  EXPECT_EQ(g.Row(), 2);
  ASSERT_TRUE(CargarListadoInternos(false));
  EXPECT_EQ(g.Row(), 0);  // no match: Enter and Delete do nothing
}

// A number typed by hand is checked with the host mode's end, in the creation tests.
TEST_F(LifecycleTest, ANewCertificateWithoutANumberGetsOneToldBeforeTheNameIsChecked) {
  D().guardaDatos.txtInterno.SetText("  ");
  EXPECT_FALSE(GuardaDatos_Aceptar());
  ASSERT_EQ(messages->shown.size(), 2u);
  EXPECT_TRUE(messages->shown[0].text.startsWith("Se genero automáticamente el interno número "));
  EXPECT_EQ(Count("OSTREVAN", "CeoMercosur"), 0);
  EXPECT_EQ(NumeroGenerado(QDateTime(QDate(2024, 3, 15), QTime(14, 5, 9))), "240315-140509");
}

// A tab typed in an item's text must not shift the grid row's columns: it shows as a blank, and
// the stored text keeps it. The list of certificates is checked through "listar".
TEST_F(LifecycleTest, TabsInItemTextsShowAsBlanksInTheirOwnColumn) {
  Execute("OSTREVAN", "insert into CeoMercosur (IdCeo, IdFormulario) values ('T1', 'CEO004')");
  AddItem("T1", 1, "1111.11.11", "1");
  Execute("OSTREVAN",
          "update Articulos set DenoMerc = 'tor' || char(9) || 'nillo', "
          "CodArticulo = 'A' || char(9) || '1'");
  CargarDatosAPlanilla("T1");
  const Grid& items = CargaDatos().MsfgParteI;
  ASSERT_EQ(items.Rows(), 2);
  EXPECT_EQ(items.TextMatrix(1, 5) + "|" + items.TextMatrix(1, 6), "A 1|tor nillo");
  EXPECT_EQ(Column("OSTREVAN", "select DenoMerc from Articulos"), QStringList{"tor\tnillo"});
}

}  // namespace
}  // namespace ostrevan
